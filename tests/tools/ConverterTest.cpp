#include "tools/Converter.h"

#include <gtest/gtest.h>

#include "ToolsTestData.h"
#include "platform/Files.h"
#include "support/TempFolder.h"
#include "tools/TgaFile.h"
#include "tools/TplFile.h"
#include "tools/Viewer.h"

using namespace tools;
using namespace tools_test;
using platform::Bytes;

namespace {

// The lines of the editor's script for pictures 0..count-1.
std::string editorScript(int count, const char* format, bool transparency)
{
    std::string s = "path = \r\n";
    for (int n = 0; n < count; ++n) {
        const std::string i = std::to_string(n);
        s += "file " + i + " = " + i + ".tga\r\n";
        s += transparency ? "Image    " + i + " =  " + i + "," + i + ", " + format + "\r\n"
                          : "image    " + i + " =  " + i + ", , " + format + "\r\n";
        s += "texture " + i + "  =  " + i + ", x\r\n";
    }
    return s;
}

} // namespace

TEST(Converter, WritesTheNineImageSaveSetFromItsScript)
{
    test_support::TempFolder folder;
    std::vector<RgbaImage> pictures;
    for (int n = 0; n < 9; ++n) {
        pictures.push_back(n == 0 ? randomImage(192, 64, 1) : randomImage(48, 48, 10 + n));
        folder.write(std::to_string(n) + ".tga", tgaOf(pictures.back(), {TgaKind::Rgba32, n % 2 == 1}));
    }
    folder.write("save.tcs", editorScript(9, "RGB5A3", true));
    ASSERT_TRUE(convertScript("save.tcs", folder / "out.tpl", folder.path()).ok());

    const Bytes tpl = test_support::readAll(folder / "out.tpl");
    ASSERT_EQ(tpl.size(), 61856u);
    EXPECT_EQ(platform::readBe32(tpl, 84 + 8), 416u); // first data offset
    const auto images = decodeTpl(tpl);
    ASSERT_TRUE(images.ok());
    ASSERT_EQ(images->size(), 9u);
    for (int n = 0; n < 9; ++n) {
        const auto expected = encodeImage(pictures[n], TexFormat::RGB5A3);
        const auto got = encodeImage((*images)[n], TexFormat::RGB5A3);
        EXPECT_EQ(got->data, expected->data) << n;
    }
}

TEST(Converter, TakesAlphaOnlyWhereTheScriptAsksForIt)
{
    test_support::TempFolder folder;
    RgbaImage picture = randomImage(8, 8, 3);
    picture.at(0, 0)[3] = 0;
    folder.write("0.tga", tgaOf(picture));
    // A 24-bit mask gives alpha by its grey level.
    RgbaImage mask(8, 8);
    for (std::size_t i = 0; i < mask.pixels.size(); i += 4)
        mask.pixels[i] = mask.pixels[i + 1] = mask.pixels[i + 2] = static_cast<std::uint8_t>(i);
    folder.write("mask.tga", tgaOf(mask, {TgaKind::Rgb24}));
    folder.write("s.tcs", "path =\nfile 0 = 0.tga\nfile 1 = mask.tga\n"
                          "image 0 = 0, , RGB5A3\nimage 1 = 0, 0, RGB5A3\nimage 2 = 0, 1, RGB5A3\n"
                          "texture 0 = 0, x\ntexture 1 = 1, x\ntexture 2 = 2, x\n");
    ASSERT_TRUE(convertScript("s.tcs", folder / "o.tpl", folder.path()).ok());
    const auto images = decodeTpl(test_support::readAll(folder / "o.tpl"));
    ASSERT_TRUE(images.ok());
    EXPECT_EQ((*images)[0].at(0, 0)[3], 255); // plain form: opaque
    EXPECT_EQ((*images)[1].at(0, 0)[3], 0);   // transparency form: the picture's own alpha
    EXPECT_EQ((*images)[2].at(0, 0)[3], 0);   // mask grey 0
    EXPECT_EQ((*images)[2].at(7, 7)[3], 255); // mask grey 252 shows opaque
}

TEST(Converter, FindsPicturesThroughThePathLine)
{
    test_support::TempFolder folder;
    const RgbaImage picture = randomImage(4, 4, 4, true);
    folder.write("pics/Sub/Icon.TGA", tgaOf(picture, {TgaKind::Rgb24}));
    // Relative to the current folder, "\" as separator, names in any letter case.
    folder.write("a.tcs", "path = pics\\sub\nfile 0 = icon.tga\nimage 0 = 0, , RGB565\ntexture 0 = 0, x\n");
    ASSERT_TRUE(convertScript("a.tcs", "a.tpl", folder.path()).ok());
    EXPECT_EQ(test_support::readAll(folder / "a.tpl").size(), 64u + 32u);
    // An absolute path line.
    folder.write("b.tcs", "path = " + (folder / "pics" / "Sub").string() +
                              "\nfile 0 = Icon.tga\n"
                              "image 0 = 0, , RGB565\ntexture 0 = 0, x\n");
    ASSERT_TRUE(convertScript(folder / "b.tcs", folder / "b.tpl", "/nonexistent").ok());
}

TEST(Converter, ErrorsNameTheLineOrFileAndWriteNothing)
{
    test_support::TempFolder folder;
    folder.write("0.tga", tgaOf(randomImage(8, 8, 1)));
    folder.write("big.tga", tgaOf(randomImage(1025, 1, 2)));
    folder.write("other.tga", tgaOf(randomImage(4, 4, 2)));
    folder.write("broken.tga", Bytes{1, 2, 3});
    folder.write("out.tpl", std::string("previous"));
    struct Case
    {
        std::string script;
        std::string messagePart;
    };
    const Case cases[] = {
        {"path =\nfile 0 = missing.tga\nimage 0 = 0, , RGB565\ntexture 0 = 0, x\n", "s.tcs line 2: picture"},
        {"path =\nfile 0 = broken.tga\nimage 0 = 0, , RGB565\ntexture 0 = 0, x\n", "s.tcs line 2: picture"},
        {"path =\nfile 0 = big.tga\nimage 0 = 0, , RGB565\ntexture 0 = 0, x\n",
         "s.tcs line 3: picture of file 0 is 1025x1"},
        {"path =\nfile 0 = 0.tga\nfile 1 = other.tga\nimage 0 = 0, 1, RGB5A3\ntexture 0 = 0, x\n",
         "s.tcs line 4: alpha picture"},
        {"path =\nfile 0 = 0.tga\nimage 0 = 0, , CMPR\ntexture 0 = 0, x\n",
         "s.tcs line 3: the converter cannot write CMPR"},
        {"path =\nfile 0 = 0.tga\nimage 0 = 0 , RGB565\ntexture 0 = 0, x\n", "s.tcs line 3:"},
    };
    for (const auto& c : cases) {
        folder.write("s.tcs", c.script);
        const auto r = convertScript("s.tcs", "out.tpl", folder.path());
        ASSERT_FALSE(r.ok()) << c.script;
        EXPECT_NE(r.error().message.find(c.messagePart), std::string::npos) << r.error().message;
        EXPECT_EQ(test_support::readAll(folder / "out.tpl"), Bytes({'p', 'r', 'e', 'v', 'i', 'o', 'u', 's'}));
    }
    const auto missing = convertScript("none.tcs", "out.tpl", folder.path());
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().message.find("none.tcs"), std::string::npos);
    EXPECT_FALSE(convertScript("s.tcs", "x.tpl", folder.path()).ok());
    EXPECT_FALSE(platform::fileExists(folder / "x.tpl"));
}

TEST(Viewer, WritesOneTgaPerImageNamedInImageOrder)
{
    EXPECT_EQ(viewerPictureName("temp", 0, 1), "temp_00.tga");
    EXPECT_EQ(viewerPictureName("temp", 9, 12), "temp_09.tga");
    EXPECT_EQ(viewerPictureName("t", 7, 101), "t_007.tga");

    test_support::TempFolder folder;
    std::vector<EncodedImage> images;
    for (std::uint32_t n = 0; n < 12; ++n)
        images.push_back(*encodeImage(randomImage(4 + n, 4, n), TexFormat::RGBA32));
    folder.write("many.tpl", writeTpl(images));
    const auto written = viewTpl(folder / "many.tpl", folder.path());
    ASSERT_TRUE(written.ok()) << written.error().message;
    ASSERT_EQ(written->size(), 12u);
    const auto listed = platform::listFolder(folder.path(), "*.tga");
    ASSERT_EQ(listed.size(), 12u);
    for (std::uint32_t n = 0; n < 12; ++n) {
        const auto picture = readTga(test_support::readAll(folder / listed[n]));
        ASSERT_TRUE(picture.ok());
        EXPECT_EQ(picture->image, randomImage(4 + n, 4, n)) << listed[n];
    }
}

TEST(Viewer, DamagedTplWritesNothing)
{
    test_support::TempFolder folder;
    std::vector<EncodedImage> images{*encodeImage(randomImage(8, 8, 1), TexFormat::RGB565),
                                     *encodeImage(randomImage(8, 8, 2), TexFormat::RGB565)};
    Bytes tpl = writeTpl(images);
    tpl.resize(tpl.size() - 1); // the second image's data is one byte short
    folder.write("cut.tpl", tpl);
    const auto r = viewTpl(folder / "cut.tpl", folder.path());
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("cut.tpl"), std::string::npos);
    EXPECT_NE(r.error().message.find("image 1"), std::string::npos);
    EXPECT_TRUE(platform::listFolder(folder.path(), "*.tga").empty());
}
