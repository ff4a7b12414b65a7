#include "texture_editor/FileKinds.h"

#include <gtest/gtest.h>

#include "TextureBuilders.h"

using namespace texture_editor;
using platform::Bytes;

TEST(FileKinds, PathsAreSortedByTheirLastFourCharactersInAnyCase)
{
    const std::vector<std::pair<const char*, SourceKind>> sources = {{"/a/banner.tpl", SourceKind::Tpl},
                                                                     {"/a/LZ77_BANNER.TPL", SourceKind::Tpl},
                                                                     {"/a/banner.bin", SourceKind::SaveBanner},
                                                                     {"/a/01.Wte", SourceKind::Wte},
                                                                     {"/a/00000001.app", SourceKind::NesApp},
                                                                     {"/a/picture.png", SourceKind::Picture},
                                                                     {"/a/tpl", SourceKind::Picture},
                                                                     {"/a/x.tpl.bak", SourceKind::Picture},
                                                                     {".tpl", SourceKind::Tpl}};
    for (const auto& [path, kind] : sources)
        EXPECT_EQ(sourceKindOf(path), kind) << path;

    EXPECT_EQ(saveKindOf("/out/banner.TPL"), SaveKind::Tpl);
    for (const char* other : {"/out/banner.bmp", "/out/banner.png", "/out/banner", "/out/tpl"})
        EXPECT_EQ(saveKindOf(other), SaveKind::Bitmap) << other;
}

TEST(FileKinds, RecognisesTplsAlsoCompressedAndBitmaps)
{
    const Bytes tpl = texture_editor_test::tplOf({{8, 8}});
    const Bytes notTpl(200, 0x41);
    EXPECT_TRUE(isTplFile(tpl));
    for (bool magic : {false, true}) {
        EXPECT_TRUE(isLz77Compressed(texture_editor_test::lz77Of(tpl, magic)));
        EXPECT_TRUE(isTplFile(texture_editor_test::lz77Of(tpl, magic))) << magic;
        // Compressed, but not a texture inside.
        EXPECT_FALSE(isTplFile(texture_editor_test::lz77Of(notTpl, magic))) << magic;
    }
    EXPECT_FALSE(isLz77Compressed(tpl));
    EXPECT_FALSE(isLz77Compressed(Bytes{'L', 'Z', '7', '7'}));
    // A damaged stream is no TPL.
    EXPECT_FALSE(isTplFile(Bytes{0x10, 0xFF, 0xFF, 0x00, 0x00}));
    EXPECT_FALSE(isTplFile(Bytes{}));

    EXPECT_TRUE(
        isBitmapFile(texture_editor_test::pictureFile(texture_editor_test::solidPicture(2, 2, Qt::red), "BMP")));
    EXPECT_FALSE(
        isBitmapFile(texture_editor_test::pictureFile(texture_editor_test::solidPicture(2, 2, Qt::red), "PNG")));
    EXPECT_FALSE(isBitmapFile(Bytes{'B'}));
}
