#include "tools/TcsScript.h"

#include <gtest/gtest.h>

using namespace tools;

TEST(TcsScript, ReadsTheLinesTheEditorWritesInBothForms)
{
    // Plain form, transparency form, and the transparency form with its second item padded to column 28.
    const std::string text = "path = \r\n"
                             "file 0 = 0.tga\r\n"
                             "image    0 =  0, , RGB565\r\n"
                             "texture 0  =  0, x\r\n"
                             "file 1 = 1.tga\r\n"
                             "Image    1 =  1,1, RGB5A3\r\n"
                             "texture 1  =  1, x\r\n"
                             "file 2 = 2.tga\r\n"
                             "Image    2 =  2,2           , RGB5A3\r\n"
                             "texture 2  =  2, x\r\n";
    const auto script = parseScript(text, "temp.tcs");
    ASSERT_TRUE(script.ok()) << script.error().message;
    EXPECT_EQ(script->path, "");
    ASSERT_EQ(script->files.size(), 3u);
    EXPECT_EQ(script->files.at(1).name, "1.tga");
    EXPECT_EQ(script->images.at(0).format, TexFormat::RGB565);
    EXPECT_FALSE(script->images.at(0).alphaFile.has_value());
    EXPECT_EQ(script->images.at(1).format, TexFormat::RGB5A3);
    EXPECT_EQ(script->images.at(1).alphaFile, 1u);
    EXPECT_EQ(script->images.at(2).alphaFile, 2u);
    EXPECT_EQ(script->images.at(2).line, 9u);
    ASSERT_EQ(script->textures.size(), 3u);
    EXPECT_EQ(script->textures.at(2).image, 2u);
}

TEST(TcsScript, ReadsPathsCommentsAndTexturesOutOfOrder)
{
    const std::string text = "; save icon\n"
                             "path = \"C:\\My Pictures\\icons\"\n"
                             "\n"
                             "FILE 5 = banner.tga\n"
                             "file 6 = icon.tga\n"
                             "image 0 = 5, , rgb5a3\n"
                             "image 1 = 6, 6, RGBA8\n"
                             "texture 1 = 1, x\n"
                             "texture 0 = 0\n";
    const auto script = parseScript(text, "s.tcs");
    ASSERT_TRUE(script.ok()) << script.error().message;
    EXPECT_EQ(script->path, "C:\\My Pictures\\icons");
    EXPECT_EQ(script->images.at(1).format, TexFormat::RGBA32);
    // Textures come out in number order whatever the order of their lines.
    EXPECT_EQ(script->textures.begin()->first, 0u);
    EXPECT_EQ(script->textures.begin()->second.image, 0u);
}

TEST(TcsScript, ErrorsNameTheLine)
{
    struct Case
    {
        std::string text;
        std::string expected;
    };
    const std::string head = "path = \nfile 0 = 0.tga\n";
    const Case cases[] = {
        {head + "image 0 = 0, , RGB999\ntexture 0 = 0, x\n", "x.tcs line 3: unknown texture format \"RGB999\""},
        {head + "image 0 = 0, RGB565\ntexture 0 = 0, x\n", "x.tcs line 3: expected"},
        {head + "image A = 0, , RGB565\n", "x.tcs line 3: \"A\" after \"image\" is not a number"},
        {head + "image 0 = 0, , RGB565\ntexture 0 = 0, 1\n", "x.tcs line 4: palettes are not supported"},
        {head + "picture 0 = 0.tga\n", "x.tcs line 3: unknown statement \"picture\""},
        {head + "= 0.tga\n", "x.tcs line 3: a line that is not a statement"},
        {head + "file 0 = 1.tga\n", "x.tcs line 3: file 0 is declared twice"},
        {head + "file 1 = \n", "x.tcs line 3: file 1 has no picture name"},
        {head + "path = x\n", "x.tcs line 3: a second \"path\" line"},
        {"path\n", "x.tcs line 1: expected \"path = <folder>\""},
        {head + "image 0 = 3, , RGB565\ntexture 0 = 0, x\n", "x.tcs line 3: image 0 uses file 3"},
        {head + "image 0 = 0, 4, RGB565\ntexture 0 = 0, x\n", "x.tcs line 3: image 0 takes alpha from file 4"},
        {head + "image 0 = 0, , RGB565\ntexture 0 = 9, x\n", "x.tcs line 4: texture 0 uses image 9"},
        {head + "image 0 = 0, , RGB565\n", "x.tcs: no \"texture\" lines"},
        {head + "file 99999999999 = a.tga\n", "x.tcs line 3: \"99999999999\" after \"file\" is not a number"},
    };
    for (const auto& c : cases) {
        const auto r = parseScript(c.text, "x.tcs");
        ASSERT_FALSE(r.ok()) << c.text;
        EXPECT_EQ(r.error().message.substr(0, c.expected.size()), c.expected) << r.error().message;
        EXPECT_EQ(r.error().kind, platform::ErrorKind::BadFormat);
    }
}
