#include "tools/TgaFile.h"

#include <random>

#include <gtest/gtest.h>

#include "ToolsTestData.h"

using namespace tools;
using namespace tools_test;

namespace {

// A picture with runs (for RLE) and few enough colours for a colour map.
RgbaImage stripedImage(std::uint32_t w, std::uint32_t h)
{
    RgbaImage image(w, h);
    for (std::uint32_t y = 0; y < h; ++y) {
        for (std::uint32_t x = 0; x < w; ++x) {
            auto* p = image.at(x, y);
            const std::uint32_t band = (x / 3 + y) % 7;
            p[0] = static_cast<std::uint8_t>(band * 36);
            p[1] = static_cast<std::uint8_t>(255 - band * 20);
            p[2] = static_cast<std::uint8_t>(band * 9);
            p[3] = static_cast<std::uint8_t>(band < 4 ? 255 : band * 30);
        }
    }
    return image;
}

} // namespace

TEST(TgaFile, ReadsEveryLayoutBothOriginsAndRle)
{
    const RgbaImage image = stripedImage(13, 5);
    struct Case
    {
        const char* name;
        TgaOptions options;
        bool hasAlpha;
    };
    const Case cases[] = {
        {"32-bit bottom-left", {TgaKind::Rgba32, false, false, false, 0, false}, true},
        {"32-bit top-left", {TgaKind::Rgba32, false, true, false, 0, false}, true},
        {"32-bit RLE with ID and footer", {TgaKind::Rgba32, true, false, false, 5, true}, true},
        {"24-bit", {TgaKind::Rgb24, false, false, false, 0, false}, false},
        {"24-bit RLE top-left", {TgaKind::Rgb24, true, true, false, 0, false}, false},
        {"16-bit", {TgaKind::Rgb16, false, true, false, 0, false}, true},
        {"8-bit grey RLE", {TgaKind::Grey8, true, false, false, 0, false}, false},
        {"8-bit colour-mapped", {TgaKind::Mapped8, false, false, false, 0, false}, true},
        {"8-bit colour-mapped RLE", {TgaKind::Mapped8, true, true, false, 0, false}, true},
        {"32-bit right-to-left", {TgaKind::Rgba32, false, true, true, 0, false}, true},
    };
    for (const auto& c : cases) {
        const auto picture = readTga(tgaOf(image, c.options));
        ASSERT_TRUE(picture.ok()) << c.name << ": " << picture.error().message;
        EXPECT_EQ(picture->image, expectedAfterTga(image, c.options.kind)) << c.name;
        EXPECT_EQ(picture->hasAlpha, c.hasAlpha) << c.name;
    }
}

TEST(TgaFile, WritesTopFirst32BitThatReadsBackExactly)
{
    const RgbaImage image = randomImage(7, 3, 11);
    const platform::Bytes file = writeTga(image);
    ASSERT_EQ(file.size(), TGA_HEADER_SIZE + 7 * 3 * 4);
    EXPECT_EQ(file[2], TGA_TYPE_TRUE_COLOUR);
    EXPECT_EQ(file[16], 32);
    EXPECT_EQ(file[17], 0x28);
    // First stored pixel is the top-left one, as B, G, R, A.
    const auto* p = image.at(0, 0);
    EXPECT_EQ(file[18], p[2]);
    EXPECT_EQ(file[21], p[3]);
    const auto back = readTga(file);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back->image, image);
}

TEST(TgaFile, RejectsMalformedHeaders)
{
    const platform::Bytes good = tgaOf(stripedImage(4, 4));
    struct Case
    {
        const char* name;
        std::size_t offset;
        std::uint8_t value;
    };
    const Case cases[] = {
        {"no image data (type 0)", 2, 0},    {"unknown type 4", 2, 4},    {"type 12", 2, 12},
        {"interleaved rows", 17, 0x48},      {"zero width", 12, 0},       {"12 bits per pixel", 16, 12},
        {"colour-mapped without map", 2, 1}, {"colour map type 2", 1, 2},
    };
    for (const auto& c : cases) {
        platform::Bytes bad = good;
        bad[c.offset] = c.value;
        if (c.offset == 12)
            bad[13] = 0;
        const auto r = readTga(bad);
        EXPECT_FALSE(r.ok()) << c.name;
        if (!r.ok()) {
            EXPECT_EQ(r.error().kind, platform::ErrorKind::BadFormat) << c.name;
        }
    }
    // A colour index past the colour map.
    platform::Bytes mapped = tgaOf(stripedImage(4, 4), {TgaKind::Mapped8});
    mapped.back() = 200;
    const auto r = readTga(mapped);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("colour map"), std::string::npos);
}

TEST(TgaFile, EveryTruncationFailsCleanly)
{
    for (const bool rle : {false, true}) {
        const platform::Bytes file = tgaOf(stripedImage(9, 4), {TgaKind::Rgba32, rle});
        for (std::size_t n = 0; n < file.size(); ++n) {
            const platform::Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(n));
            EXPECT_FALSE(readTga(cut).ok()) << "rle " << rle << " length " << n;
        }
        EXPECT_TRUE(readTga(file).ok());
    }
}

TEST(TgaFile, DamagedFilesNeverCrash)
{
    const platform::Bytes files[] = {tgaOf(stripedImage(16, 8), {TgaKind::Rgba32, true}),
                                     tgaOf(stripedImage(16, 8), {TgaKind::Mapped8, true}),
                                     tgaOf(stripedImage(16, 8), {TgaKind::Rgb16})};
    std::mt19937 rng(5);
    for (const auto& file : files) {
        for (int round = 0; round < 2000; ++round) {
            platform::Bytes damaged = file;
            const int flips = 1 + static_cast<int>(rng() % 4);
            for (int i = 0; i < flips; ++i)
                damaged[rng() % damaged.size()] = static_cast<std::uint8_t>(rng());
            const auto r = readTga(damaged);
            if (r.ok()) {
                EXPECT_EQ(r->image.pixels.size(), std::size_t{r->image.width} * r->image.height * 4);
            }
        }
    }
}

TEST(TgaFile, RefusesHugeDeclaredSizesBeforeAllocating)
{
    platform::Bytes file = tgaOf(stripedImage(2, 2), {TgaKind::Rgba32, true});
    file[12] = file[13] = file[14] = file[15] = 0xFF; // 65535 x 65535 from a few bytes
    const auto r = readTga(file);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("too short"), std::string::npos);
}
