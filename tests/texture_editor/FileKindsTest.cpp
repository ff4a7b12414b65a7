#include "texture_editor/FileKinds.h"

#include <gtest/gtest.h>

#include "TextureBuilders.h"

using namespace texture_editor;
using namespace texture_editor_test;

// A save is written over a file only when that file is of the kind being written.
TEST(FileKinds, RecognisesTplsAlsoCompressedAndBitmaps)
{
    const platform::Bytes tpl = tplOf({{8, 8}}), text(200, 0x41);
    const platform::Bytes bitmap = pictureFile(solidPicture(2, 2, Qt::red), "BMP");
    const std::vector<std::tuple<const char*, platform::Bytes, bool, bool>> cases = {
        {"tpl", tpl, true, false},
        {"LZ77 tpl", lz77Of(tpl, true), true, false},
        {"bare lz77 tpl", lz77Of(tpl, false), true, false},
        {"lz77 text", lz77Of(text, true), false, false},
        {"damaged lz77", {0x10, 0xFF, 0xFF, 0x00, 0x00}, false, false},
        {"bitmap", bitmap, false, true},
        {"png", pictureFile(solidPicture(2, 2, Qt::red), "PNG"), false, false},
        {"empty", {}, false, false},
    };
    for (const auto& [name, bytes, isTpl, isBitmap] : cases) {
        EXPECT_EQ(isTplFile(bytes), isTpl) << name;
        EXPECT_EQ(isBitmapFile(bytes), isBitmap) << name;
    }
    EXPECT_EQ(saveKindOf("/out/banner.TPL"), SaveKind::Tpl);
    EXPECT_EQ(saveKindOf("/out/tpl"), SaveKind::Bitmap);
}
