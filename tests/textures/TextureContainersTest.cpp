#include "textures/TextureContainers.h"

#include <numeric>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/TempFolder.h"
#include "textures/ContainerFormat.h"
#include "tools/TplFile.h"
#include "tools/TplLayout.h"

using platform::Bytes;
using platform::ErrorKind;
using test_support::readAll;
using test_support::TempFolder;
using namespace textures;

namespace {

// Bytes start, start+1, ... (mod 256): texture data whose every byte is recognisable.
Bytes counting(std::size_t n, std::uint8_t start = 0)
{
    Bytes b(n);
    std::iota(b.begin(), b.end(), start);
    return b;
}

Bytes operator+(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Bytes slice(const Bytes& b, std::size_t from, std::size_t to)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(to));
}

Bytes shippedFile(const std::string& relative)
{
    return readAll(std::filesystem::path(SUITE_DATA_DIR) / relative);
}

const Bytes NES_SIG(NES_TPL_SIGNATURE.begin(), NES_TPL_SIGNATURE.end());

} // namespace

TEST(WteFromTpl, BuildsHeaderAndRefusesWhatAByteCannotHold)
{
    auto wte = wteFromTpl(Bytes(64, 0xEE) + counting(4608), 192, 64);
    ASSERT_TRUE(wte.ok()) << wte.error().message;
    EXPECT_EQ(slice(*wte, 0, 32), (Bytes{'W', 'T', 'E', 0x00, 0xC0, 0x00, 0x40} + Bytes(25, 0)));
    EXPECT_EQ(slice(*wte, 32, wte->size()), counting(4608));
    // A header-only TPL gives a header-only WTE.
    EXPECT_EQ(wteFromTpl(Bytes(64, 0), 255, 255)->size(), 32u);

    for (auto [w, h] : {std::pair{256, 64}, {48, 256}, {-1, 48}})
        EXPECT_EQ(wteFromTpl(Bytes(100, 0), w, h).error().kind, ErrorKind::BadArgument) << w << "x" << h;
    EXPECT_EQ(wteFromTpl(Bytes(63, 0), 48, 48).error().kind, ErrorKind::BadFormat);
}

TEST(TplFromWte, PatchesHeightAndWidthIntoTemplate)
{
    const Bytes single = shippedFile("headers/single.hdr");
    ASSERT_EQ(single.size(), 64u);
    Bytes wte(32, 0);
    wte[4] = 192;
    wte[6] = 64;
    auto tpl = tplFromWte(wte + counting(24576, 7), single);
    ASSERT_TRUE(tpl.ok()) << tpl.error().message;
    EXPECT_EQ(*tpl,
              (slice(single, 0, 20) + Bytes{0x00, 0x40, 0x00, 0xC0} + slice(single, 24, 64) + counting(24576, 7)));

    // Byte 20 (the height's high byte) always comes from the template, byte 22 is always zero; a
    // header-only WTE gives the patched template alone.
    Bytes odd = single;
    odd[20] = 0x01;
    odd[22] = 0x05;
    auto kept = tplFromWte(Bytes(32, 0), odd);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept->size(), 64u);
    EXPECT_EQ((*kept)[20], 0x01);
    EXPECT_EQ((*kept)[22], 0x00);

    EXPECT_NE(tplFromWte(Bytes(31, 0), single).error().message.find("31 bytes"), std::string::npos);
    for (std::size_t size : {0u, 24u, 63u, 65u})
        EXPECT_FALSE(tplFromWte(Bytes(40, 0), Bytes(size, 0)).ok()) << "template of " << size;
}

TEST(TplFromNeoGeoBanner, PutsTemplateBeforeTextureFrom160)
{
    const Bytes neogeo = shippedFile("headers/neogeo.hdr");
    ASSERT_EQ(neogeo.size(), 416u);
    EXPECT_EQ(tplFromNeoGeoBanner(Bytes(160, 0x55), neogeo).value(), neogeo);
    EXPECT_EQ(tplFromNeoGeoBanner(Bytes(160, 0x55) + counting(1000), neogeo).value(), neogeo + counting(1000));
    EXPECT_FALSE(tplFromNeoGeoBanner(Bytes(159, 0), neogeo).ok());
    EXPECT_FALSE(tplFromNeoGeoBanner(Bytes(200, 0), Bytes(415, 0)).ok());
}

TEST(SaveBannerTpl, IconCountComesFromTheLength)
{
    constexpr std::size_t head = 160, banner = 0x6000, icon = 0x1200;
    const std::vector<std::pair<std::size_t, std::optional<std::uint32_t>>> cases = {
        {0, std::nullopt},
        {head, std::nullopt},
        {head + banner + icon - 1, std::nullopt},
        {head + banner + icon, 1},
        {head + banner + 4 * icon, 4},
        {head + banner + 4 * icon + 5, 4}, // a partial icon does not count
        {head + banner + 8 * icon, 8},
        {head + banner + 9 * icon, 8}, // a save banner has at most eight
    };
    for (const auto& [size, icons] : cases)
        EXPECT_EQ(saveBannerIconCount(size), icons) << size;
}

// The built header is what the converter lays out for the same images, and for eight icons the
// shipped template.
TEST(SaveBannerTpl, HeaderMatchesTheConvertersLayoutForEveryCount)
{
    EXPECT_EQ(saveBannerTplHeader(8), shippedFile("headers/neogeo.hdr"));
    for (std::uint32_t icons = 1; icons <= 8; ++icons) {
        std::vector<tools::EncodedImage> images;
        for (std::uint32_t i = 0; i <= icons; ++i) {
            const std::uint32_t w = i == 0 ? 192 : 48, h = i == 0 ? 64 : 48;
            images.push_back({w, h, TexFormat::RGB5A3, Bytes(std::size_t{w} * h * 2, 0)});
        }
        const Bytes header = saveBannerTplHeader(icons);
        ASSERT_EQ(header.size(), firstDataOffset(icons + 1)) << icons;
        EXPECT_EQ(slice(tools::writeTpl(images), 0, header.size()), header) << icons;
    }
}

TEST(SaveBannerTpl, BannerWithFewerIconsGetsItsOwnHeader)
{
    const Bytes data = counting(0x6000 + 4 * 0x1200);
    EXPECT_EQ(tplFromShortSaveBanner(Bytes(160, 0x55) + data).value(), saveBannerTplHeader(4) + data);
    EXPECT_FALSE(tplFromShortSaveBanner(Bytes(160, 0) + counting(61440)).has_value());
    EXPECT_FALSE(tplFromShortSaveBanner(Bytes(160, 0)).has_value());

    // Such a banner needs no template.
    TempFolder bare;
    ASSERT_TRUE(LoadNeoGeo(bare.write("banner.bin", Bytes(160, 0) + data), bare.path()).ok());
    EXPECT_EQ(readAll(tempTplPath(bare.path())), saveBannerTplHeader(4) + data);
}

TEST(TplFromNesApp, TakesTextureAtFirstSignature)
{
    // Signature twice: the first occurrence wins and 43264 bytes are taken from it.
    Bytes app = Bytes(1000, 0x11) + NES_SIG + counting(50000);
    std::copy(NES_SIG.begin(), NES_SIG.end(), app.begin() + 31016);
    EXPECT_EQ(tplFromNesApp(app).value(), slice(app, 1000, 1000 + NES_TPL_SIZE));
    // Fewer than 43264 bytes after the signature: the TPL ends with the file.
    EXPECT_EQ(tplFromNesApp(Bytes(5, 0) + NES_SIG + counting(100)).value(), NES_SIG + counting(100));
    EXPECT_EQ(tplFromNesApp(Bytes(3, 0) + NES_SIG).value(), NES_SIG);

    for (const Bytes& plain : {Bytes{}, Bytes(100000, 0), slice(NES_SIG, 0, 15)}) {
        auto none = tplFromNesApp(plain);
        ASSERT_FALSE(none.ok());
        EXPECT_EQ(none.error().message, "The app file you pointed to is NOT a valid Nes app!");
        EXPECT_EQ(none.error().title, "Error #1:  No tpl in 00000001.app");
    }
}

TEST(MakeWTE, ReplacesWteWholeAndDeletesTpl)
{
    TempFolder dir;
    const auto tpl = dir.write("01.tpl", Bytes(64, 0xAA) + counting(4608));
    const auto wte = dir.write("02.wte", Bytes(10000, 0x99)); // longer than the new one
    ASSERT_TRUE(MakeWTE(wte, tpl, 48, 48).ok());
    EXPECT_EQ(readAll(wte), (Bytes{'W', 'T', 'E', 0, 0x30, 0, 0x30} + Bytes(25, 0) + counting(4608)));
    EXPECT_FALSE(std::filesystem::exists(tpl));

    // Written over its own TPL (also named with other letter case), the WTE survives.
    const auto same = dir.write("Icon.tpl", Bytes(64, 0) + counting(4608));
    ASSERT_TRUE(MakeWTE(dir / "ICON.TPL", same, 48, 48).ok());
    EXPECT_EQ(readAll(same).size(), 32u + 4608u);
}

TEST(MakeWTE, FailureKeepsBothFiles)
{
    TempFolder dir;
    const Bytes oldWte(100, 0x99);
    const auto wte = dir.write("banner.wte", oldWte);
    const auto tpl = dir.write("banner.tpl", Bytes(64, 0) + counting(300));
    const auto shortTpl = dir.write("short.tpl", Bytes(40, 0));

    EXPECT_FALSE(MakeWTE(wte, tpl, 256, 64).ok());
    EXPECT_FALSE(MakeWTE(wte, shortTpl, 48, 48).ok());
    EXPECT_EQ(MakeWTE(wte, dir / "none.tpl", 48, 48).error().kind, ErrorKind::NotFound);
    platform::setWriteFailureAfterForTesting(5);
    EXPECT_FALSE(MakeWTE(wte, tpl, 48, 48).ok());
    platform::setWriteFailureAfterForTesting(std::nullopt);

    EXPECT_EQ(readAll(wte), oldWte);
    EXPECT_TRUE(std::filesystem::exists(tpl));
    EXPECT_TRUE(std::filesystem::exists(shortTpl));
}

TEST(ContainerReaders, WriteTempTplOnlyWhenInputIsUsable)
{
    TempFolder program;
    program.write("headers/single.hdr", shippedFile("headers/single.hdr"));
    program.write("headers/neogeo.hdr", shippedFile("headers/neogeo.hdr"));
    const auto pf = program.path();
    const auto tempTpl = tempTplPath(pf);

    // Failures first, while the temp folder holds nothing.
    EXPECT_FALSE(LoadWTE(program.write("in/short.wte", Bytes(31, 0)), pf).ok());
    EXPECT_FALSE(LoadWTE(program / "in/none.wte", pf).ok());
    EXPECT_FALSE(LoadNeoGeo(program.write("in/banner.bin", Bytes(159, 0)), pf).ok());
    EXPECT_EQ(LoadNes(program.write("in/00000001.app", Bytes(5000, 0)), pf).error().title,
              "Error #1:  No tpl in 00000001.app");
    EXPECT_FALSE(std::filesystem::exists(tempTpl));

    Bytes wte(32, 0);
    wte[4] = wte[6] = 48;
    EXPECT_EQ(LoadWTE(program.write("in/01.wte", wte + counting(4608)), pf).value(), tempTpl);
    EXPECT_EQ(slice(readAll(tempTpl), 20, 24), (Bytes{0, 48, 0, 48}));
    ASSERT_TRUE(LoadNeoGeo(program.write("in/banner.bin", Bytes(160, 0) + counting(61440)), pf).ok());
    EXPECT_EQ(readAll(tempTpl).size(), 416u + 61440u);
    ASSERT_TRUE(LoadNes(program.write("in/00000001.app", Bytes(77, 1) + NES_SIG + counting(60000)), pf).ok());
    EXPECT_EQ(readAll(tempTpl).size(), NES_TPL_SIZE);

    // A program folder without its templates: the message names the missing one.
    TempFolder bare;
    auto noTemplate = LoadNeoGeo(bare.write("banner.bin", Bytes(400, 0)), bare.path());
    EXPECT_EQ(noTemplate.error().kind, ErrorKind::NotFound);
    EXPECT_NE(noTemplate.error().message.find("neogeo.hdr"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(tempTplPath(bare.path())));
}

// Real save banners read back through the template: every image the template declares lies inside
// the TPL and the last one ends exactly at its end.
TEST(ContainerReaders, RealSaveBannerFillsTemplateImagesExactly)
{
    const auto folder = test_support::realDataFolder("savebanner");
    if (folder.empty())
        GTEST_SKIP() << "real data absent";
    const Bytes neogeo = shippedFile("headers/neogeo.hdr");
    for (const char* name : {"vc_md_4d414850_banner.bin", "vc_nes_46414150_banner.bin", "mkwsp_banner.bin"}) {
        auto tpl = tplFromNeoGeoBanner(readAll(folder / name), neogeo);
        ASSERT_TRUE(tpl.ok());
        std::uint64_t end = 416;
        for (std::uint32_t i = 0; i < platform::readBe32(*tpl, 4); ++i) {
            const std::uint32_t header = platform::readBe32(*tpl, 12 + 8 * i);
            const auto info = tools::formatInfo(platform::readBe32(*tpl, header + 4));
            ASSERT_TRUE(info.has_value());
            EXPECT_EQ(platform::readBe32(*tpl, header + 8), end) << name << " image " << i;
            end +=
                tools::textureDataSize(*info, platform::readBe16(*tpl, header + 2), platform::readBe16(*tpl, header));
        }
        EXPECT_EQ(end, tpl->size()) << name;
    }
}
