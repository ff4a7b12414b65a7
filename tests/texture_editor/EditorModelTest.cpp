#include "texture_editor/EditorModel.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "TextureBuilders.h"
#include "platform/PathText.h"
#include "support/ReadOnly.h"
#include "support/RecordingSink.h"
#include "tools/TplFile.h"

using namespace texture_editor;
using namespace texture_editor_test;
namespace fs = std::filesystem;
using platform::Bytes;
using test_support::readAll;

namespace {

class EditorModelTest : public ::testing::Test
{
protected:
    fs::path input(const std::string& name, const Bytes& bytes) { return program.write("in/" + name, bytes); }
    std::vector<Shape> shapes() const { return shapesOf(model.pictures()); }
    QColor colourOf(int box) const { return model.pictures().at(static_cast<std::size_t>(box)).pixelColor(0, 0); }
    void openFiveImages() { ASSERT_TRUE(model.open(input("five.tpl", tplOf(saveSetShapes(4)))).ok()); }
    bool anySaved() const
    {
        return std::any_of(sink.messages.begin(), sink.messages.end(),
                           [](const auto& m) { return m.prompt.find(" Saved!") != std::string::npos; });
    }

    ProgramFolder program;
    test_support::RecordingSink sink{"Pexmo"};
    EditorModel model{sink, program.path()};
};

} // namespace

TEST_F(EditorModelTest, OpensEveryTextureContainerIntoItsImagesInOrder)
{
    const Bytes five = tplOf(saveSetShapes(4));
    const std::vector<std::tuple<std::string, Bytes, std::vector<Shape>>> cases = {
        {"banner.tpl", five, saveSetShapes(4)},
        {"odd.TPL", tplOf({{123, 69}, {4, 4}}), {{123, 69}, {4, 4}}},
        {"01.wte", wteOf({48, 48}), {{48, 48}}},
        {"banner.bin", saveBannerOf(8), saveSetShapes(8)},
        {"three_icons.bin", saveBannerOf(3), saveSetShapes(3)},
        {"00000001.app", nesAppOf(), saveSetShapes(4)},
        {"LZ77_banner.tpl", lz77Of(five, true), saveSetShapes(4)},
        {"bare_lz77.tpl", lz77Of(five, false), saveSetShapes(4)},
    };
    for (const auto& [name, bytes, expected] : cases) {
        auto opened = model.open(input(name, bytes));
        ASSERT_TRUE(opened.ok()) << name << ": " << opened.error().message;
        EXPECT_EQ(shapes(), expected) << name;
        for (int i = 0; i < model.boxCount(); ++i)
            EXPECT_EQ(colourOf(i), imageColour(static_cast<std::size_t>(i))) << name << " box " << i;
        EXPECT_EQ(model.sourceText(), u"\\in\\" + platform::pathToText(name));
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(EditorModelTest, FailedOpenSaysWhyAndKeepsThePreviews)
{
    openFiveImages();
    program.write("temp/inside.tpl", tplOf({{8, 8}}));
    const Bytes five = tplOf(saveSetShapes(4));
    Bytes halfLz77 = lz77Of(five, true);
    halfLz77.resize(halfLz77.size() / 2);
    const std::vector<std::pair<fs::path, std::string>> cases = {
        {program / "in" / "missing.tpl", "File not found"},
        {input("cut.tpl", Bytes(five.begin(), five.begin() + 300)), "could not decode it"},
        {input("short.wte", Bytes(20, 0)), "shorter than its 32-byte header"},
        {input("half.tpl", halfLz77), "LZ77-compressed"},
        {input("00000001.app", Bytes(4000, 0x4E)), "NOT a valid Nes app"},
        {input("broken.png", Bytes(50, 0x33)), "broken.png"},
        {program / "temp" / "inside.tpl", "temporary folder"},
    };
    for (const auto& [path, reason] : cases) {
        auto opened = model.open(path);
        ASSERT_FALSE(opened.ok()) << path;
        EXPECT_NE(opened.error().message.find(reason), std::string::npos) << opened.error().message;
        EXPECT_EQ(shapes(), saveSetShapes(4)) << path;
        EXPECT_EQ(model.sourceText(), u"\\in\\five.tpl");
    }
    EXPECT_EQ(model.open(program / "in" / "00000001.app").error().title, "Error #1:  No tpl in 00000001.app");
    // A viewer that cannot be started: its "Error running" text is part of the one error.
    fs::permissions(program / "tpl_viewer", fs::perms::owner_read);
    EXPECT_NE(model.open(program / "in" / "five.tpl").error().message.find("Error running 'tpl_viewer.exe"),
              std::string::npos);
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(EditorModelTest, TplSaveWritesTheScriptAndEveryBox)
{
    openFiveImages();
    model.setFormat(textures::TextureFormat::RGB5A3);
    model.setTransparency(true);
    const fs::path out = program / "Banner.tpl";
    auto saved = model.save(out);
    ASSERT_TRUE(saved.ok()) << saved.error().message;

    const Bytes script = readAll(program / "temp" / "temp.tcs");
    const std::string text(script.begin(), script.end());
    const std::string firstBox = "path = \r\nfile 0 = 0.tga\r\nImage    0 =  0,0, RGB5A3\r\ntexture 0  =  0, x\r\n";
    EXPECT_EQ(text.substr(0, firstBox.size()), firstBox);
    EXPECT_NE(text.find("texture 4  =  4, x\r\n"), std::string::npos);
    EXPECT_EQ(text.find("file 5"), std::string::npos);

    auto images = tools::decodeTpl(readAll(out));
    ASSERT_TRUE(images.ok());
    ASSERT_EQ(images->size(), 5u);
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ((Shape{int((*images)[i].width), int((*images)[i].height)}), saveSetShapes(4)[i]);
        EXPECT_EQ(QColor((*images)[i].at(0, 0)[0], (*images)[i].at(0, 0)[1], (*images)[i].at(0, 0)[2]), imageColour(i));
    }
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt, "\\Banner.tpl Saved!");
    EXPECT_EQ(sink.messages[0].title, "Pexmo");
}

TEST_F(EditorModelTest, OtherSavesWriteBoxZeroAsABitmap)
{
    openFiveImages();
    for (const char* name : {"first.bmp", "first.png"}) {
        ASSERT_TRUE(model.save(program / name).ok()) << name;
        const Bytes written = readAll(program / name);
        const QImage back = QImage::fromData(written.data(), static_cast<int>(written.size()), "BMP");
        EXPECT_EQ(back.size(), QSize(192, 64));
        EXPECT_EQ(back.pixelColor(10, 10), imageColour(0));
        EXPECT_EQ(sink.messages.back().prompt, std::string("\\") + name + " Saved!");
    }
}

TEST_F(EditorModelTest, FailedSaveSaysWhatFailedAndWritesNothing)
{
    const fs::path out = program.write("out.tpl", tplOf({{8, 8}}));
    const Bytes old = readAll(out);
    program.write("notes.bmp", "my notes");
    program.write("picture.tpl", pictureFile(solidPicture(2, 2, Qt::red), "PNG"));
    EXPECT_NE(model.save(out).error().message.find("box 0 holds no picture"), std::string::npos);

    openFiveImages();
    EXPECT_NE(model.save(program / "notes.bmp").error().message.find("not a bitmap"), std::string::npos);
    EXPECT_NE(model.save(program / "picture.tpl").error().message.find("not a TPL texture"), std::string::npos);
    program.replaceTool("tpl_converter", "exit 1");
    EXPECT_NE(model.save(out).error().message.find("tpl_converter wrote no texture of the 5 pictures (exit code 1)"),
              std::string::npos);
    program.replaceTool("tpl_converter", "printf 'half' > \"$2\"");
    EXPECT_FALSE(model.save(out).ok());
    fs::permissions(program / "tpl_converter", fs::perms::owner_read);
    EXPECT_NE(model.save(out).error().message.find("cannot be started.\r\nError running 'tpl_converter.exe temp.tcs"),
              std::string::npos);
    EXPECT_EQ(readAll(out), old);
    EXPECT_EQ(readAll(program / "notes.bmp"), Bytes({'m', 'y', ' ', 'n', 'o', 't', 'e', 's'}));

    program.write("locked.bmp", pictureFile(solidPicture(2, 2, Qt::red), "BMP"));
    test_support::ReadOnlyGuard locked(program / "locked.bmp");
    if (locked.ok()) {
        EXPECT_NE(model.save(program / "locked.bmp").error().message.find("locked.bmp"), std::string::npos);
    }
    EXPECT_FALSE(anySaved());
    EXPECT_TRUE(model.destinationText().empty());
}

// Real textures and save banners from public projects: every image, at the size its header gives.
TEST_F(EditorModelTest, OpensRealTexturesAndSaveBannersWithEveryImage)
{
    const fs::path tpls = test_support::realDataFolder("tpl"), banners = test_support::realDataFolder("savebanner");
    if (tpls.empty() || banners.empty())
        GTEST_SKIP() << "real data absent";
    int opened = 0;
    for (const auto& folder : {tpls, banners})
        for (const auto& entry : fs::directory_iterator(folder)) {
            const Bytes file = readAll(entry.path());
            std::vector<Shape> expected;
            if (entry.path().extension() == ".bin") {
                expected = saveSetShapes(static_cast<int>((file.size() - 0xA0 - 0x6000) / 0x1200));
            } else if (entry.path().extension() == ".tpl") {
                const auto images = tools::readTplEntries(file);
                for (const auto& image : images.value())
                    expected.push_back({int(image.width), int(image.height)});
            } else {
                continue;
            }
            auto result = model.open(entry.path());
            ASSERT_TRUE(result.ok()) << result.error().message;
            EXPECT_EQ(shapes(), expected) << entry.path();
            ++opened;
        }
    EXPECT_EQ(opened, 22);
}

// A picture opened into a box is unsaved until a save writes it: a TPL save always, a bitmap save
// only when box 0 is the only box; a texture opened starts afresh.
TEST_F(EditorModelTest, PictureOpenedIntoABoxIsUnsavedUntilASaveWritesIt)
{
    openFiveImages();
    const fs::path dot = input("dot.png", pictureFile(solidPicture(48, 48, Qt::red), "PNG"));
    ASSERT_TRUE(model.open(dot).ok() && model.modified());
    ASSERT_TRUE(model.save(program / "first.bmp").ok()); // box 0 only: the others are not saved
    EXPECT_TRUE(model.modified());
    ASSERT_TRUE(model.save(program / "all.tpl").ok());
    EXPECT_FALSE(model.modified());
    ASSERT_TRUE(model.open(input("one.wte", wteOf({48, 48}))).ok() && model.open(dot).ok());
    ASSERT_TRUE(model.save(program / "one.bmp").ok()); // the only box
    EXPECT_FALSE(model.modified());
    ASSERT_TRUE(model.open(dot).ok() && model.open(input("again.tpl", tplOf({{8, 8}}))).ok());
    EXPECT_FALSE(model.modified());
}
