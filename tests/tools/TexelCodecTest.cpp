#include "tools/TexelCodec.h"

#include <gtest/gtest.h>

#include "ToolsTestData.h"

using namespace tools;
using tools_test::gradientImage;
using tools_test::randomImage;

TEST(TexelCodec, DecodesPublishedRgb565AndRgb5A3Values)
{
    struct Case
    {
        std::uint16_t value;
        bool rgb5a3;
        Rgba expected;
    };
    const Case cases[] = {
        {0xF800, false, {255, 0, 0, 255}},     {0x07E0, false, {0, 255, 0, 255}},    {0x001F, false, {0, 0, 255, 255}},
        {0x8410, false, {132, 130, 132, 255}}, {0xFFFF, true, {255, 255, 255, 255}}, {0x8000, true, {0, 0, 0, 255}},
        {0x0000, true, {0, 0, 0, 0}},          {0xFC00, true, {255, 0, 0, 255}},     {0x4F00, true, {255, 0, 0, 146}},
        {0x7FFF, true, {255, 255, 255, 255}},
    };
    for (const auto& c : cases) {
        const Rgba got = c.rgb5a3 ? decodeRgb5A3(c.value) : decodeRgb565(c.value);
        EXPECT_EQ(got, c.expected) << std::hex << c.value;
    }
}

TEST(TexelCodec, Rgb565RoundTripsEveryValueAndRoundsToNearest)
{
    for (std::uint32_t v = 0; v <= 0xFFFF; ++v) {
        const Rgba c = decodeRgb565(static_cast<std::uint16_t>(v));
        ASSERT_EQ(encodeRgb565(c[0], c[1], c[2]), v);
    }
    // 8-bit values between two 5-bit steps go to the nearer one, not the lower one.
    EXPECT_EQ(encodeRgb565(255, 255, 255), 0xFFFF);
    EXPECT_EQ(encodeRgb565(4, 0, 0) >> 11, 0);  // 4/255*31 = 0.49
    EXPECT_EQ(encodeRgb565(5, 0, 0) >> 11, 1);  // 0.61
    EXPECT_EQ(encodeRgb565(0, 3, 0) >> 5, 1);   // 6 bits: 0.74
    EXPECT_EQ(encodeRgb565(0, 0, 251), 0x001F); // 30.5 -> 31, truncation would give 30
}

TEST(TexelCodec, Rgb5A3ChoosesTheFormByAlphaAndRoundTripsItsValues)
{
    EXPECT_EQ(encodeRgb5A3(255, 0, 0, 255), 0xFC00);
    EXPECT_EQ(encodeRgb5A3(255, 0, 0, 146), 0x4F00);
    EXPECT_EQ(encodeRgb5A3(0, 0, 0, 0), 0x0000);
    EXPECT_NE(encodeRgb5A3(10, 20, 30, 255) & 0x8000, 0);
    // Alpha that the 3-bit field can only show as opaque takes the opaque form with its finer colours.
    EXPECT_EQ(encodeRgb5A3(8, 16, 24, 237), 0x8000 | (1 << 10) | (2 << 5) | 3);
    EXPECT_EQ(encodeRgb5A3(10, 20, 30, 236) & 0x8000, 0);
    EXPECT_EQ(encodeRgb5A3(10, 20, 30, 236) >> 12, 6);
    EXPECT_EQ(encodeRgb5A3(10, 20, 30, 0) & 0x8000, 0);
    for (std::uint32_t v = 0; v <= 0xFFFF; ++v) {
        // A 3-bit alpha of 7 decodes as opaque, which the encoder writes in the 1-5-5-5 form instead.
        if ((v & 0x8000) == 0 && (v >> 12) == 7)
            continue;
        const Rgba c = decodeRgb5A3(static_cast<std::uint16_t>(v));
        ASSERT_EQ(encodeRgb5A3(c[0], c[1], c[2], c[3]), v) << std::hex << v;
    }
}

TEST(TexelCodec, PlacesPixelsInBlocksAsTheHardwareReadsThem)
{
    // 8x8 RGB565: four 4x4 blocks, row by row; pixel (x, y) at block * 32 + index * 2.
    const RgbaImage image = gradientImage(8, 8);
    const auto data = encodeTexture(image, TexFormat::RGB565);
    ASSERT_TRUE(data.ok());
    ASSERT_EQ(data->size(), 128u);
    for (std::uint32_t y = 0; y < 8; ++y) {
        for (std::uint32_t x = 0; x < 8; ++x) {
            const std::size_t block = (y / 4) * 2 + x / 4;
            const std::size_t at = block * 32 + ((y % 4) * 4 + x % 4) * 2;
            const auto* p = image.at(x, y);
            EXPECT_EQ(platform::readBe16(*data, at), encodeRgb565(p[0], p[1], p[2])) << x << "," << y;
        }
    }

    // I4: left pixel in the high nibble; IA4: alpha in the high nibble; IA8: alpha byte first.
    RgbaImage two(8, 8);
    std::fill(two.pixels.begin(), two.pixels.end(), 0);
    auto* left = two.at(0, 0);
    left[0] = left[1] = left[2] = 255;
    left[3] = 0;
    const auto i4 = encodeTexture(two, TexFormat::I4);
    ASSERT_TRUE(i4.ok());
    EXPECT_EQ((*i4)[0], 0xF0);
    const auto ia4 = encodeTexture(two, TexFormat::IA4);
    ASSERT_TRUE(ia4.ok());
    EXPECT_EQ((*ia4)[0], 0x0F);
    const auto ia8 = encodeTexture(two, TexFormat::IA8);
    ASSERT_TRUE(ia8.ok());
    EXPECT_EQ((*ia8)[0], 0x00);
    EXPECT_EQ((*ia8)[1], 0xFF);

    // RGBA32: the (A, R) pairs of a block first, then its (G, B) pairs.
    RgbaImage one(4, 4);
    auto* p = one.at(1, 0);
    p[0] = 1, p[1] = 2, p[2] = 3, p[3] = 4;
    const auto rgba = encodeTexture(one, TexFormat::RGBA32);
    ASSERT_TRUE(rgba.ok());
    ASSERT_EQ(rgba->size(), 64u);
    EXPECT_EQ((*rgba)[2], 4);
    EXPECT_EQ((*rgba)[3], 1);
    EXPECT_EQ((*rgba)[34], 2);
    EXPECT_EQ((*rgba)[35], 3);
}

TEST(TexelCodec, RoundTripsEveryEncodableFormatAtSizesThatAreNotWholeBlocks)
{
    const TexFormat formats[] = {TexFormat::I4,     TexFormat::I8,     TexFormat::IA4,   TexFormat::IA8,
                                 TexFormat::RGB565, TexFormat::RGB5A3, TexFormat::RGBA32};
    const std::pair<std::uint32_t, std::uint32_t> sizes[] = {{1, 1}, {5, 3}, {13, 7}, {48, 48}, {123, 69}};
    for (const TexFormat format : formats) {
        const FormatInfo info = *formatInfo(static_cast<std::uint32_t>(format));
        for (const auto& [w, h] : sizes) {
            const RgbaImage image = randomImage(w, h, w * 31 + h);
            const auto once = encodeTexture(image, format);
            ASSERT_TRUE(once.ok());
            ASSERT_EQ(once->size(), textureDataSize(info, w, h));
            const auto decoded = decodeTexture(*once, w, h, format);
            ASSERT_TRUE(decoded.ok());
            // What one encoding keeps, a second encoding keeps exactly.
            const auto twice = encodeTexture(*decoded, format);
            ASSERT_TRUE(twice.ok());
            EXPECT_EQ(*once, *twice) << formatName(format) << " " << w << "x" << h;
            if (format == TexFormat::RGBA32) {
                EXPECT_EQ(*decoded, image);
            }
        }
    }
    // Opaque RGB565 values that 5/6 bits hold come back exactly.
    RgbaImage exact(16, 4);
    for (std::uint32_t i = 0; i < 64; ++i) {
        const Rgba c = decodeRgb565(static_cast<std::uint16_t>(i * 1021));
        std::copy(c.begin(), c.end(), exact.at(i % 16, i / 16));
    }
    const auto data = encodeTexture(exact, TexFormat::RGB565);
    ASSERT_TRUE(data.ok());
    const auto back = decodeTexture(*data, 16, 4, TexFormat::RGB565);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, exact);
}

TEST(TexelCodec, RefusesFormatsItCannotWriteAndDataThatIsTooShort)
{
    const RgbaImage image = randomImage(8, 8, 1);
    for (const TexFormat f : {TexFormat::C4, TexFormat::C8, TexFormat::C14X2, TexFormat::CMPR}) {
        const auto r = encodeTexture(image, f);
        ASSERT_FALSE(r.ok());
        EXPECT_NE(r.error().message.find(std::string(formatName(f))), std::string::npos);
    }
    const platform::Bytes shortData(127, 0);
    const auto r = decodeTexture(shortData, 8, 8, TexFormat::RGB565);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, platform::ErrorKind::BadFormat);
    EXPECT_FALSE(decodeTexture(shortData, 8, 8, static_cast<TexFormat>(7)).ok());
}

TEST(TexelCodec, DecodesPaletteFormatsAndRejectsIndexesPastThePalette)
{
    const platform::Bytes paletteBytes = {0xF8, 0x00, 0x07, 0xE0, 0x00, 0x1F};
    const auto palette = decodePalette(paletteBytes, 3, static_cast<std::uint32_t>(PaletteFormat::RGB565));
    ASSERT_TRUE(palette.ok());
    ASSERT_EQ(palette->size(), 3u);
    EXPECT_FALSE(decodePalette(paletteBytes, 4, 1).ok());
    EXPECT_FALSE(decodePalette(paletteBytes, 3, 7).ok());

    // C4 8x8: 32 bytes, high nibble first.
    platform::Bytes c4(32, 0);
    c4[0] = 0x12;
    auto image = decodeTexture(c4, 8, 8, TexFormat::C4, *palette);
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image->at(0, 0)[0], 0);
    EXPECT_EQ(image->at(0, 0)[1], 255);
    EXPECT_EQ(image->at(1, 0)[2], 255);

    // C8 8x4 and C14X2 4x4 (only the low 14 bits index).
    platform::Bytes c8(32, 2);
    image = decodeTexture(c8, 8, 4, TexFormat::C8, *palette);
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image->at(7, 3)[2], 255);
    platform::Bytes c14(32, 0);
    c14[0] = 0xC0; // top bits ignored: index 0
    image = decodeTexture(c14, 4, 4, TexFormat::C14X2, *palette);
    ASSERT_TRUE(image.ok());
    EXPECT_EQ(image->at(0, 0)[0], 255);

    c8[5] = 3;
    const auto bad = decodeTexture(c8, 8, 4, TexFormat::C8, *palette);
    ASSERT_FALSE(bad.ok());
    EXPECT_NE(bad.error().message.find("palette index 3"), std::string::npos);
    // Padding texels outside the picture are not looked up.
    platform::Bytes padded(32, 0);
    padded[31] = 9; // pixel (7, 3) of the block, outside a 2x2 picture
    EXPECT_TRUE(decodeTexture(padded, 2, 2, TexFormat::C8, *palette).ok());
}

TEST(TexelCodec, DecodesCmprSubBlocksInTileOrderWithBothPaletteModes)
{
    // One 8x8 tile: sub-blocks top-left, top-right, bottom-left, bottom-right.
    platform::Bytes tile(32, 0);
    auto sub = [&](int s, std::uint16_t c0, std::uint16_t c1, std::uint8_t rowBits) {
        platform::writeBe16(tile, s * 8, c0);
        platform::writeBe16(tile, s * 8 + 2, c1);
        for (int r = 0; r < 4; ++r)
            tile[s * 8 + 4 + r] = rowBits;
    };
    sub(0, 0xF800, 0x001F, 0x00);       // four-colour mode, every pixel colour 0 (red)
    sub(1, 0xF800, 0x001F, 0b10000000); // leftmost pixel of each row colour 2 = (2 red + blue) / 3
    sub(2, 0x001F, 0xF800, 0xFF);       // three-colour mode (c0 <= c1): index 3 is transparent
    sub(3, 0x001F, 0xF800, 0xAA);       // index 2: the average, opaque
    const auto image = decodeTexture(tile, 8, 8, TexFormat::CMPR);
    ASSERT_TRUE(image.ok());
    const auto* red = image->at(3, 3);
    EXPECT_EQ(red[0], 255);
    EXPECT_EQ(red[2], 0);
    EXPECT_EQ(red[3], 255);
    const auto* blend = image->at(4, 0);
    EXPECT_EQ(blend[0], 170);
    EXPECT_EQ(blend[2], 85);
    EXPECT_EQ(image->at(5, 0)[0], 255); // index 0 of the same sub-block
    EXPECT_EQ(image->at(0, 4)[3], 0);
    const auto* avg = image->at(7, 7);
    EXPECT_EQ(avg[0], 127);
    EXPECT_EQ(avg[2], 127);
    EXPECT_EQ(avg[3], 255);
}
