#include "tools/TplFile.h"

#include <random>

#include <gtest/gtest.h>

#include "ToolsTestData.h"
#include "platform/ByteReader.h"
#include "support/TempFolder.h"

using namespace tools;
using platform::Bytes;
using tools_test::randomImage;

namespace {

EncodedImage encoded(std::uint32_t w, std::uint32_t h, TexFormat format, std::uint32_t seed = 1)
{
    auto r = encodeImage(randomImage(w, h, seed), format);
    EXPECT_TRUE(r.ok());
    return std::move(*r);
}

// The save-data set: one 192x64 banner and `icons` 48x48 icons, all RGB5A3.
std::vector<EncodedImage> saveSet(int icons)
{
    std::vector<EncodedImage> images{encoded(192, 64, TexFormat::RGB5A3)};
    for (int i = 0; i < icons; ++i)
        images.push_back(encoded(48, 48, TexFormat::RGB5A3, 2 + i));
    return images;
}

// A TPL whose images carry the given texture bytes unchanged.
Bytes tplAround(const Bytes& data, std::size_t offset, std::size_t icons)
{
    std::vector<EncodedImage> images;
    std::size_t at = offset;
    for (std::size_t i = 0; i <= icons; ++i) {
        const std::uint32_t w = i == 0 ? 192 : 48;
        const std::uint32_t h = i == 0 ? 64 : 48;
        const std::size_t size = std::size_t{w} * h * 2;
        images.push_back({w, h, TexFormat::RGB5A3,
                          Bytes(data.begin() + static_cast<std::ptrdiff_t>(at),
                                data.begin() + static_cast<std::ptrdiff_t>(at + size))});
        at += size;
    }
    return writeTpl(images);
}

Bytes reencoded(const Bytes& tpl)
{
    const auto images = decodeTpl(tpl);
    EXPECT_TRUE(images.ok()) << images.error().message;
    const auto entries = readTplEntries(tpl);
    std::vector<EncodedImage> again;
    for (std::size_t i = 0; i < images->size(); ++i) {
        auto e = encodeImage((*images)[i], (*entries)[i].format);
        EXPECT_TRUE(e.ok());
        again.push_back(std::move(*e));
    }
    return writeTpl(again);
}

} // namespace

TEST(TplFile, WritesTheLayoutTheOtherProgramsRelyOn)
{
    // One 48x48 RGB565 image: 64-byte header, 4672 bytes in all.
    const std::vector<EncodedImage> one{encoded(48, 48, TexFormat::RGB565)};
    const Bytes single = writeTpl(one);
    ASSERT_EQ(single.size(), 4672u);
    const Bytes expectedHeader = {0x00, 0x20, 0xAF, 0x30, 0, 0,    0, 1,    0, 0, 0, 0x0C, 0, 0, 0, 0x14,
                                  0,    0,    0,    0,    0, 0x30, 0, 0x30, 0, 0, 0, 4,    0, 0, 0, 0x40,
                                  0,    0,    0,    0,    0, 0,    0, 0,    0, 0, 0, 1,    0, 0, 0, 1,
                                  0,    0,    0,    0,    0, 0,    0, 0,    0, 0, 0, 0,    0, 0, 0, 0};
    EXPECT_EQ(Bytes(single.begin(), single.begin() + 64), expectedHeader);
    EXPECT_TRUE(std::equal(one[0].data.begin(), one[0].data.end(), single.begin() + 64));

    struct Case
    {
        int icons;
        std::uint32_t firstHeader;
        std::vector<std::uint32_t> dataOffsets;
        std::size_t total;
    };
    const Case cases[] = {
        {4, 52, {256, 24832, 29440, 34048, 38656}, 43264},
        {8, 84, {416, 24992, 29600, 34208, 38816, 43424, 48032, 52640, 57248}, 61856},
    };
    for (const auto& c : cases) {
        const Bytes tpl = writeTpl(saveSet(c.icons));
        ASSERT_EQ(tpl.size(), c.total);
        EXPECT_EQ(platform::readBe32(tpl, 4), static_cast<std::uint32_t>(c.icons + 1));
        for (std::size_t i = 0; i < c.dataOffsets.size(); ++i) {
            const std::uint32_t header = platform::readBe32(tpl, 12 + 8 * i);
            EXPECT_EQ(header, c.firstHeader + 36 * i);
            EXPECT_EQ(platform::readBe32(tpl, 16 + 8 * i), 0u); // no palette
            EXPECT_EQ(platform::readBe32(tpl, header + 8), c.dataOffsets[i]);
            EXPECT_EQ(platform::readBe16(tpl, header), i == 0 ? 64 : 48);
            EXPECT_EQ(platform::readBe16(tpl, header + 2), i == 0 ? 192 : 48);
        }
    }
    const Bytes five = writeTpl(saveSet(4));
    EXPECT_EQ(Bytes(five.begin(), five.begin() + 16),
              (Bytes{0x00, 0x20, 0xAF, 0x30, 0, 0, 0, 5, 0, 0, 0, 0x0C, 0, 0, 0, 0x34}));
}

TEST(TplFile, ReencodesRealOneImageTplsToTheSameBytes)
{
    const auto folder = test_support::realDataFolder("tpl");
    if (folder.empty())
        GTEST_SKIP() << "real data folder absent";
    // Written by the usual tools with the header at 0x14 and the data at 64, as ours.
    for (const char* name :
         {"mkwsp_title_rogo_bokeboke_RGB565.tpl", "mkwsp_opening_tk_logoENG_00.tpl", "mkwsp_opening_tk_star_00.tpl",
          "mkwsp_ht_squareWhite_00_I4.tpl", "mkwsp_accel_off_I8.tpl", "mkwsp_opening_ht_indTex_00.tpl"}) {
        const Bytes real = test_support::readAll(folder / name);
        ASSERT_FALSE(real.empty()) << name;
        EXPECT_EQ(reencoded(real), real) << name;
    }
}

TEST(TplFile, ReencodesRealSaveBannerTexturesExactly)
{
    const auto folder = test_support::realDataFolder("savebanner");
    if (folder.empty())
        GTEST_SKIP() << "real data folder absent";
    // banner.bin: 160 bytes of header and titles, then a 192x64 banner and 48x48 icons in RGB5A3.
    struct Case
    {
        const char* name;
        std::size_t icons;
        std::size_t tplSize;
    };
    const Case cases[] = {
        {"vc_nes_46414150_banner.bin", 8, 61856},      {"vc_md_4d414850_banner.bin", 8, 61856},
        {"vc_snes_4a414150_banner.bin", 8, 61856},     {"vc_sms_4c414750_banner.bin", 8, 61856},
        {"disc_52353950_banner_4icons.bin", 4, 43264}, {"disc_52334850_banner_1icon.bin", 1, 0},
    };
    for (const auto& c : cases) {
        const Bytes bin = test_support::readAll(folder / c.name);
        ASSERT_EQ(bin.size(), 160 + 24576 + c.icons * 4608) << c.name;
        const Bytes tpl = tplAround(bin, 160, c.icons);
        if (c.tplSize != 0) {
            EXPECT_EQ(tpl.size(), c.tplSize);
        }
        // Decoding and encoding again gives the console's own bytes back.
        const Bytes again = reencoded(tpl);
        EXPECT_EQ(again, tpl) << c.name;
        EXPECT_TRUE(
            std::equal(bin.begin() + 160, bin.end(), again.end() - static_cast<std::ptrdiff_t>(bin.size() - 160)));
    }
}

TEST(TplFile, ReadsRealTplsOfEveryStoredFormat)
{
    const auto folder = test_support::realDataFolder("tpl");
    if (folder.empty())
        GTEST_SKIP() << "real data folder absent";
    struct Case
    {
        const char* name;
        std::size_t count;
        std::uint32_t width;
        std::uint32_t height;
        TexFormat format;
    };
    const Case cases[] = {
        {"bfbb_SBGCIcon_8images_RGB5A3.tpl", 8, 32, 32, TexFormat::RGB5A3},
        {"mkwsp_tt_lap_N_lap3_C8.tpl", 1, 240, 40, TexFormat::C8},
        {"mkwsp_control_002_CMPR.tpl", 1, 60, 40, TexFormat::CMPR},
        {"mkwsp_pattern_chek_alpha_nasi_IA4.tpl", 1, 32, 32, TexFormat::IA4},
        {"cosmos_go_obi_top_waku_IA8.tpl", 1, 642, 38, TexFormat::IA8},
        {"cosmos_speed_IA8.tpl", 1, 125, 40, TexFormat::IA8},
        {"mkwsp_obi_bottom_right_000_RGB5A3.tpl", 1, 8, 167, TexFormat::RGB5A3},
        {"mkwsp_opening_tk_kartFunky_00.tpl", 1, 123, 69, TexFormat::RGB5A3},
        {"cosmos_cup_icon_lisense_flower_RGB5A3.tpl", 1, 14, 14, TexFormat::RGB5A3},
    };
    for (const auto& c : cases) {
        const Bytes file = test_support::readAll(folder / c.name);
        const auto entries = readTplEntries(file);
        ASSERT_TRUE(entries.ok()) << c.name << ": " << entries.error().message;
        ASSERT_EQ(entries->size(), c.count) << c.name;
        EXPECT_EQ(entries->back().width, c.width) << c.name;
        EXPECT_EQ(entries->back().height, c.height) << c.name;
        EXPECT_EQ(entries->back().format, c.format) << c.name;
        const auto images = decodeTpl(file);
        ASSERT_TRUE(images.ok()) << c.name << ": " << images.error().message;
        EXPECT_EQ(images->back().pixels.size(), std::size_t{c.width} * c.height * 4);
    }
    // The C8 texture's palette has 59 entries and its indexes stay inside them.
    const auto lap = readTplEntries(test_support::readAll(folder / "mkwsp_tt_lap_N_lap3_C8.tpl"));
    EXPECT_EQ(lap->front().palette.size(), 59u);
}

TEST(TplFile, RejectsMalformedFilesWithAMessageNamingTheFault)
{
    const Bytes good = writeTpl(std::vector<EncodedImage>{encoded(8, 8, TexFormat::RGB565)});
    struct Case
    {
        const char* name;
        std::size_t offset;
        std::uint32_t value;
        const char* messagePart;
    };
    const Case cases[] = {
        {"bad magic", 0, 0x0020AF31, "magic"},          {"no images", 4, 0, "no images"},
        {"huge count", 4, 0xFFFFFFFF, "image table"},   {"table past end", 8, 0xFFFFFFF0, "image table"},
        {"header past end", 12, 200, "header at 0xC8"}, {"unknown format", 24, 7, "unknown texture format 7"},
        {"data past end", 28, 0x60, "needs 128 bytes"}, {"zero size", 20, 0x00000008, "size 8x0"},
    };
    for (const auto& c : cases) {
        Bytes bad = good;
        platform::writeBe32(bad, c.offset, c.value);
        const auto r = decodeTpl(bad);
        ASSERT_FALSE(r.ok()) << c.name;
        EXPECT_NE(r.error().message.find(c.messagePart), std::string::npos) << c.name << ": " << r.error().message;
    }

    // A C8 image: palette header missing, palette data past the end, an index past the palette.
    platform::ByteWriter c8;
    c8.be32(TPL_MAGIC).be32(1).be32(12).be32(20).be32(56);
    c8.be16(4).be16(8).be32(9).be32(96).zeros(24); // image header at 20: 8x4 C8, data at 96
    c8.be16(2).be16(0).be32(1).be32(68).be32(0);   // palette header at 56: 2 RGB565 entries at 68
    c8.be16(0xF800).be16(0x001F).zeros(24);        // palette, then padding to 96
    c8.zeros(32);
    Bytes palette = c8.take();
    ASSERT_TRUE(decodeTpl(palette).ok());
    Bytes noHeader = palette;
    platform::writeBe32(noHeader, 16, 0);
    EXPECT_FALSE(decodeTpl(noHeader).ok());
    Bytes palettePastEnd = palette;
    platform::writeBe32(palettePastEnd, 64, 0x1000);
    EXPECT_FALSE(decodeTpl(palettePastEnd).ok());
    Bytes indexPast = palette;
    indexPast[100] = 2;
    const auto r = decodeTpl(indexPast);
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("palette index 2 past 2 entries"), std::string::npos);

    // A table whose entries all point at one image: each entry alone lies inside the file, but decoding
    // them all would multiply one image's pixels by the entry count. A few sharing entries are read.
    platform::ByteWriter shared;
    constexpr std::uint32_t ENTRIES = 100;
    constexpr std::uint32_t HEADER = 12 + ENTRIES * 8;
    shared.be32(TPL_MAGIC).be32(ENTRIES).be32(12);
    for (std::uint32_t i = 0; i < ENTRIES; ++i)
        shared.be32(HEADER).be32(0);
    shared.be16(64).be16(64).be32(0).be32(HEADER + 64).zeros(24); // 64x64 I4, 2048 bytes at HEADER + 64
    shared.zeros(28).zeros(2048);                                 // 2924 bytes in all
    Bytes many = shared.take();
    const auto refused = decodeTpl(many);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message.find("image 11: the images' pixel data together comes to 24576 bytes"),
              std::string::npos)
        << refused.error().message;
    platform::writeBe32(many, 4, 11);
    const auto eleven = decodeTpl(many);
    ASSERT_TRUE(eleven.ok()) << eleven.error().message;
    EXPECT_EQ(eleven->size(), 11u);
}

TEST(TplFile, EveryTruncationFailsAndDamageNeverCrashes)
{
    const Bytes tpl =
        writeTpl(std::vector<EncodedImage>{encoded(12, 8, TexFormat::RGB5A3), encoded(8, 8, TexFormat::I4)});
    for (std::size_t n = 0; n < tpl.size(); ++n)
        EXPECT_FALSE(decodeTpl(Bytes(tpl.begin(), tpl.begin() + static_cast<std::ptrdiff_t>(n))).ok()) << n;
    std::mt19937 rng(23);
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = tpl;
        for (int i = 0; i < 3; ++i)
            damaged[rng() % 120] = static_cast<std::uint8_t>(rng()); // the headers
        const auto r = decodeTpl(damaged);
        if (r.ok()) {
            EXPECT_FALSE(r->empty());
        }
    }
}
