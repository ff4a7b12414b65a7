#include "textures/ConverterScript.h"

#include <gtest/gtest.h>

#include "support/TempFolder.h"

using namespace textures;

TEST(ConverterScript, PictureLinesInBothForms)
{
    struct Case
    {
        int n;
        TextureFormat format;
        bool transparency;
        const char* expected;
    };
    const Case cases[] = {
        {0, TextureFormat::RGB565, false, "file 0 = 0.tga\r\nimage    0 =  0, , RGB565\r\ntexture 0  =  0, x\r\n"},
        {0, TextureFormat::RGB5A3, true, "file 0 = 0.tga\r\nImage    0 =  0,0, RGB5A3\r\ntexture 0  =  0, x\r\n"},
        {12, TextureFormat::RGB5A3, false,
         "file 12 = 12.tga\r\nimage    12 =  12, , RGB5A3\r\ntexture 12  =  12, x\r\n"},
        {12, TextureFormat::RGB565, true,
         "file 12 = 12.tga\r\nImage    12 =  12,12, RGB565\r\ntexture 12  =  12, x\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(scriptPictureLines(c.n, c.format, c.transparency), c.expected) << c.n << " " << c.transparency;
}

TEST(ConverterScript, WholeScriptStartsWithPathAndHasOneBlockPerPicture)
{
    EXPECT_EQ(converterScript(0, TextureFormat::RGB565, false), "path = \r\n");
    const std::string script = converterScript(3, TextureFormat::RGB5A3, true);
    EXPECT_EQ(script, "path = \r\n" + scriptPictureLines(0, TextureFormat::RGB5A3, true) +
                          scriptPictureLines(1, TextureFormat::RGB5A3, true) +
                          scriptPictureLines(2, TextureFormat::RGB5A3, true));

    test_support::TempFolder dir;
    ASSERT_TRUE(writeConverterScript(dir / "temp.tcs", 3, TextureFormat::RGB5A3, true).ok());
    EXPECT_EQ(test_support::readAll(dir / "temp.tcs"), platform::Bytes(script.begin(), script.end()));
}
