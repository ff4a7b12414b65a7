#include "texture_editor/EditorModel.h"

#include <gtest/gtest.h>

#include "TextureBuilders.h"
#include "platform/ByteReader.h"
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

    // Opens a five-image save set and checks it is there.
    void openFiveImages()
    {
        ASSERT_TRUE(model.open(input("five.tpl", tplOf(saveSetShapes(4)))).ok());
        ASSERT_EQ(model.boxCount(), 5);
    }

    bool anySaved() const
    {
        for (const auto& m : sink.messages)
            if (m.prompt.find(" Saved!") != std::string::npos)
                return true;
        return false;
    }

    ProgramFolder program;
    test_support::RecordingSink sink{"Pexmo"};
    EditorModel model{sink, program.path()};
};

} // namespace

TEST_F(EditorModelTest, OpensEveryTextureContainerIntoItsImagesInOrder)
{
    const Bytes fiveImages = tplOf(saveSetShapes(4));
    struct Case
    {
        std::string name;
        Bytes bytes;
        std::vector<Shape> expected;
    };
    const std::vector<Case> cases = {
        {"banner.tpl", fiveImages, saveSetShapes(4)},
        {"odd.TPL", tplOf({{123, 69}, {4, 4}}), {{123, 69}, {4, 4}}},
        {"01.wte", wteOf({48, 48}), {{48, 48}}},
        {"banner_us.wte", wteOf({192, 64}), {{192, 64}}},
        {"banner.bin", saveBannerOf(8), saveSetShapes(8)},
        {"three_icons.bin", saveBannerOf(3), saveSetShapes(3)},
        {"one_icon.bin", saveBannerOf(1), saveSetShapes(1)},
        {"00000001.app", nesAppOf(), saveSetShapes(4)},
        {"LZ77_banner.tpl", lz77Of(fiveImages, true), saveSetShapes(4)},
        {"bare_lz77.tpl", lz77Of(fiveImages, false), saveSetShapes(4)},
    };
    for (const auto& c : cases) {
        auto opened = model.open(input(c.name, c.bytes));
        ASSERT_TRUE(opened.ok()) << c.name << ": " << opened.error().message;
        EXPECT_EQ(shapes(), c.expected) << c.name;
        for (int i = 0; i < model.boxCount(); ++i)
            EXPECT_EQ(colourOf(i), imageColour(static_cast<std::size_t>(i))) << c.name << " box " << i;
        EXPECT_EQ(model.sourceText(), platform::displayPathText(program / "in" / c.name, program.path()));
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(EditorModelTest, PictureReplacesTheSelectedBoxOnly)
{
    openFiveImages();
    model.select(2);
    const QImage picture = solidPicture(30, 20, QColor(10, 200, 30));
    ASSERT_TRUE(model.open(input("new.png", pictureFile(picture, "PNG"))).ok());
    EXPECT_EQ(shapes(), (std::vector<Shape>{{192, 64}, {48, 48}, {30, 20}, {48, 48}, {48, 48}}));
    for (int box : {0, 1, 3, 4})
        EXPECT_EQ(colourOf(box), imageColour(static_cast<std::size_t>(box)));
    EXPECT_EQ(colourOf(2), QColor(10, 200, 30));
    EXPECT_EQ(model.selectedIndex(), 2);

    // Selecting a box that does not exist keeps the selection.
    model.select(5);
    model.select(-1);
    EXPECT_EQ(model.selectedIndex(), 2);
}

TEST_F(EditorModelTest, ShorterTextureSelectsBoxZeroForTheNextPicture)
{
    openFiveImages();
    model.select(4);
    ASSERT_TRUE(model.open(input("one.wte", wteOf({48, 48}))).ok());
    EXPECT_EQ(model.boxCount(), 1);
    EXPECT_EQ(model.selectedIndex(), 0);
    ASSERT_TRUE(model.open(input("pic.bmp", pictureFile(solidPicture(8, 8, Qt::blue), "BMP"))).ok());
    EXPECT_EQ(shapes(), (std::vector<Shape>{{8, 8}}));
    EXPECT_EQ(colourOf(0), QColor(Qt::blue));
}

TEST_F(EditorModelTest, FailedOpenSaysWhyAndKeepsThePreviews)
{
    openFiveImages();
    const std::u16string source = model.sourceText();
    program.write("temp/inside.tpl", tplOf({{8, 8}}));
    const Bytes fiveImages = tplOf(saveSetShapes(4));
    Bytes truncated(fiveImages.begin(), fiveImages.begin() + 300);
    Bytes damagedLz77 = lz77Of(fiveImages, true);
    damagedLz77.resize(damagedLz77.size() / 2);

    const std::vector<std::pair<fs::path, std::string>> cases = {
        {program / "in" / "missing.tpl", "File not found"},
        {input("cut.tpl", truncated), "could not decode it"},
        {input("short.wte", Bytes(20, 0)), "shorter than its 32-byte header"},
        {input("half.tpl", damagedLz77), "LZ77-compressed"},
        {input("00000001.app", Bytes(4000, 0x4E)), "NOT a valid Nes app"},
        {input("broken.png", Bytes(50, 0x33)), "broken.png"},
        {program / "temp" / "inside.tpl", "temporary folder"},
    };
    for (const auto& [path, reason] : cases) {
        auto opened = model.open(path);
        ASSERT_FALSE(opened.ok()) << path;
        EXPECT_NE(opened.error().message.find(reason), std::string::npos) << opened.error().message;
        EXPECT_EQ(shapes(), saveSetShapes(4)) << path;
        EXPECT_EQ(colourOf(4), imageColour(4));
        EXPECT_EQ(model.sourceText(), source);
    }
    EXPECT_EQ(model.open(program / "in" / "00000001.app").error().title, "Error #1:  No tpl in 00000001.app");
}

TEST_F(EditorModelTest, ViewerThatFailsOrCannotStartIsReportedOnce)
{
    openFiveImages();
    const fs::path tpl = input("x.tpl", tplOf({{8, 8}}));
    program.replaceTool("tpl_viewer", "exit 3");
    auto silent = model.open(tpl);
    ASSERT_FALSE(silent.ok());
    EXPECT_NE(silent.error().message.find("exit code 3"), std::string::npos) << silent.error().message;

    fs::permissions(program / "tpl_viewer", fs::perms::owner_read | fs::perms::owner_write);
    auto notStarted = model.open(tpl);
    ASSERT_FALSE(notStarted.ok());
    EXPECT_NE(notStarted.error().message.find("Error running 'tpl_viewer.exe"), std::string::npos)
        << notStarted.error().message;
    EXPECT_TRUE(sink.messages.empty()); // the window shows the error, nothing else did
    EXPECT_EQ(model.boxCount(), 5);
}

TEST_F(EditorModelTest, TplSaveWritesTheScriptAndEveryBox)
{
    struct Case
    {
        textures::TextureFormat format;
        bool transparency;
        std::string imageLine;
        tools::TexFormat written;
    };
    const std::vector<Case> cases = {
        {textures::TextureFormat::RGB5A3, true, "Image    0 =  0,0, RGB5A3\r\n", tools::TexFormat::RGB5A3},
        {textures::TextureFormat::RGB565, false, "image    0 =  0, , RGB565\r\n", tools::TexFormat::RGB565},
    };
    openFiveImages();
    for (const auto& c : cases) {
        sink.messages.clear();
        model.setFormat(c.format);
        model.setTransparency(c.transparency);
        const fs::path out = program / "out" / "Banner.tpl";
        fs::create_directories(out.parent_path());
        auto saved = model.save(out);
        ASSERT_TRUE(saved.ok()) << saved.error().message;

        const auto script = readAll(program / "temp" / "temp.tcs");
        const std::string text(script.begin(), script.end());
        const std::string firstBox = "path = \r\nfile 0 = 0.tga\r\n" + c.imageLine + "texture 0  =  0, x\r\n";
        EXPECT_EQ(text.substr(0, firstBox.size()), firstBox);
        EXPECT_NE(text.find("texture 4  =  4, x\r\n"), std::string::npos);
        EXPECT_EQ(text.find("file 5"), std::string::npos);

        auto images = tools::readTplEntries(readAll(out));
        ASSERT_TRUE(images.ok());
        ASSERT_EQ(images->size(), 5u);
        for (std::size_t i = 0; i < 5; ++i) {
            EXPECT_EQ((Shape{static_cast<int>((*images)[i].width), static_cast<int>((*images)[i].height)}),
                      saveSetShapes(4)[i]);
            EXPECT_EQ((*images)[i].format, c.written);
        }
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].prompt, "\\out\\Banner.tpl Saved!");
        EXPECT_EQ(sink.messages[0].title, "Pexmo");
        EXPECT_EQ(model.destinationText(), u"\\out\\Banner.tpl");
    }
}

TEST_F(EditorModelTest, OtherSavesWriteBoxZeroAsABitmap)
{
    openFiveImages();
    for (const char* name : {"first.bmp", "first.png"}) {
        const fs::path out = program / name;
        ASSERT_TRUE(model.save(out).ok()) << name;
        const Bytes written = readAll(out);
        EXPECT_TRUE(isBitmapFile(written)) << name;
        const QImage back = QImage::fromData(written.data(), static_cast<int>(written.size()), "BMP");
        EXPECT_EQ(back.size(), QSize(192, 64));
        EXPECT_EQ(back.pixelColor(10, 10), imageColour(0));
        EXPECT_EQ(sink.messages.back().prompt, std::string("\\") + name + " Saved!");
    }
}

TEST_F(EditorModelTest, FailedSaveSaysWhatFailedAndWritesNothing)
{
    const fs::path out = program / "out.tpl";
    const Bytes oldTpl = tplOf({{8, 8}});
    program.write("out.tpl", oldTpl);
    program.write("notes.bmp", "my notes");

    // Nothing opened yet: box 0 is empty.
    EXPECT_NE(model.save(out).error().message.find("box 0 holds no picture"), std::string::npos);
    EXPECT_NE(model.save(program / "empty.bmp").error().message.find("box 0 holds no picture"), std::string::npos);

    openFiveImages();
    auto notBitmap = model.save(program / "notes.bmp");
    EXPECT_NE(notBitmap.error().message.find("not a bitmap"), std::string::npos);
    program.write("picture.tpl", pictureFile(solidPicture(2, 2, Qt::red), "PNG"));
    EXPECT_NE(model.save(program / "picture.tpl").error().message.find("not a TPL texture"), std::string::npos);

    program.replaceTool("tpl_converter", "exit 1");
    auto wroteNothing = model.save(out);
    EXPECT_NE(wroteNothing.error().message.find("tpl_converter wrote no texture of the 5 pictures (exit code 1)"),
              std::string::npos)
        << wroteNothing.error().message;

    program.replaceTool("tpl_converter", "printf 'half' > \"$2\"");
    EXPECT_FALSE(model.save(out).ok());

    fs::permissions(program / "tpl_converter", fs::perms::owner_read);
    auto notStarted = model.save(out);
    EXPECT_NE(notStarted.error().message.find("tpl_converter cannot be started"), std::string::npos);
    EXPECT_NE(notStarted.error().message.find("Error running 'tpl_converter.exe temp.tcs"), std::string::npos);

    EXPECT_EQ(readAll(out), oldTpl);
    EXPECT_EQ(readAll(program / "notes.bmp"), Bytes({'m', 'y', ' ', 'n', 'o', 't', 'e', 's'}));
    EXPECT_FALSE(anySaved());
    EXPECT_TRUE(model.destinationText().empty());
}

TEST_F(EditorModelTest, ReadOnlyTargetIsNotReportedSaved)
{
    openFiveImages();
    const fs::path out = program.write("locked/out.tpl", tplOf({{8, 8}}));
    test_support::ReadOnlyGuard guard(out);
    if (!guard.ok())
        GTEST_SKIP() << "cannot make a file read-only here";
    auto saved = model.save(out);
    ASSERT_FALSE(saved.ok());
    EXPECT_NE(saved.error().message.find("out.tpl"), std::string::npos);
    EXPECT_FALSE(anySaved());
}

TEST_F(EditorModelTest, FinishEmptiesTheTemporaryFolder)
{
    ASSERT_TRUE(model.start().ok());
    openFiveImages();
    EXPECT_FALSE(model.workFiles().empty());
    model.finish();
    EXPECT_TRUE(model.workFiles().empty());
    EXPECT_TRUE(fs::is_directory(program / "temp"));
}

// Real textures from public projects: every image of each file, at the size its header gives.
TEST_F(EditorModelTest, OpensRealTexturesWithEveryImage)
{
    const fs::path folder = test_support::realDataFolder("tpl");
    if (folder.empty())
        GTEST_SKIP() << "real data absent";
    int opened = 0;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".tpl")
            continue;
        const Bytes file = readAll(entry.path());
        std::vector<Shape> expected;
        const std::uint32_t count = platform::readBe32(file, 4);
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t header = platform::readBe32(file, 12 + 8 * i);
            expected.push_back({platform::readBe16(file, header + 2), platform::readBe16(file, header)});
        }
        auto result = model.open(entry.path());
        ASSERT_TRUE(result.ok()) << result.error().message;
        EXPECT_EQ(shapes(), expected) << entry.path();
        ++opened;
    }
    EXPECT_GE(opened, 15);
}

TEST_F(EditorModelTest, OpensRealSaveBannersWithTheBannerAndEachIcon)
{
    const fs::path folder = test_support::realDataFolder("savebanner");
    if (folder.empty())
        GTEST_SKIP() << "real data absent";
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".bin")
            continue;
        const int icons = static_cast<int>((fs::file_size(entry.path()) - 0xA0 - 0x6000) / 0x1200);
        auto result = model.open(entry.path());
        ASSERT_TRUE(result.ok()) << result.error().message;
        EXPECT_EQ(shapes(), saveSetShapes(icons)) << entry.path();
    }
}
