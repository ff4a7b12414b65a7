#include "textures/TextureContainers.h"

#include "platform/Files.h"
#include "support/TempFolder.h"
#include "textures/ContainerLayout.h"
#include "tools/TplLayout.h"

#include <gtest/gtest.h>

#include <numeric>

using platform::Bytes;
using platform::ErrorKind;
using test_support::readAll;
using test_support::TempFolder;
using namespace textures;

namespace {

// Bytes 0, 1, 2, ... (mod 256) of the given length: texture data whose every byte is recognisable.
Bytes counting(std::size_t n, std::uint8_t start = 0)
{
    Bytes b(n);
    std::iota(b.begin(), b.end(), start);
    return b;
}

Bytes concat(const Bytes& a, const Bytes& b)
{
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

Bytes shippedFile(const std::string& relative)
{
    return readAll(std::filesystem::path(SUITE_DATA_DIR) / relative);
}

// A program folder holding the header templates as they ship.
struct ProgramFolder
{
    TempFolder folder;
    ProgramFolder()
    {
        folder.write("headers/single.hdr", shippedFile("headers/single.hdr"));
        folder.write("headers/neogeo.hdr", shippedFile("headers/neogeo.hdr"));
    }
    std::filesystem::path tempTpl() const { return tempTplPath(folder.path()); }
};

} // namespace

TEST(WteFromTpl, BuildsHeaderAndCopiesTextureFrom64)
{
    const Bytes tpl = concat(Bytes(64, 0xEE), counting(4608));
    auto wte = wteFromTpl(tpl, 192, 64);
    ASSERT_TRUE(wte.ok()) << wte.error().message;
    const Bytes head{'W', 'T', 'E', 0x00, 0xC0, 0x00, 0x40};
    EXPECT_EQ(Bytes(wte->begin(), wte->begin() + 7), head);
    EXPECT_EQ(Bytes(wte->begin() + 7, wte->begin() + 32), Bytes(25, 0));
    EXPECT_EQ(Bytes(wte->begin() + 32, wte->end()), counting(4608));

    // A header-only TPL gives a header-only WTE; 255 is the largest size a byte holds.
    auto empty = wteFromTpl(Bytes(64, 0), 255, 255);
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty->size(), 32u);
    EXPECT_EQ((*empty)[4], 255);
}

TEST(WteFromTpl, RefusesSizesAByteCannotHoldAndShortTpls)
{
    for (auto [w, h] : {std::pair{256, 64}, {48, 256}, {-1, 48}, {48, -1}}) {
        auto wte = wteFromTpl(Bytes(100, 0), w, h);
        ASSERT_FALSE(wte.ok()) << w << "x" << h;
        EXPECT_EQ(wte.error().kind, ErrorKind::BadArgument);
    }
    auto shortTpl = wteFromTpl(Bytes(63, 0), 48, 48);
    ASSERT_FALSE(shortTpl.ok());
    EXPECT_EQ(shortTpl.error().kind, ErrorKind::BadFormat);
}

TEST(TplFromWte, PatchesHeightAndWidthIntoTemplate)
{
    const Bytes single = shippedFile("headers/single.hdr");
    ASSERT_EQ(single.size(), 64u);
    ASSERT_EQ(single[20], 0x00);
    Bytes wte(32, 0);
    wte[4] = 192;
    wte[6] = 64;
    wte = concat(wte, counting(24576, 7));

    auto tpl = tplFromWte(wte, single);
    ASSERT_TRUE(tpl.ok()) << tpl.error().message;
    ASSERT_EQ(tpl->size(), 64u + 24576u);
    EXPECT_EQ(Bytes(tpl->begin(), tpl->begin() + 20), Bytes(single.begin(), single.begin() + 20));
    EXPECT_EQ(Bytes(tpl->begin() + 20, tpl->begin() + 24), (Bytes{0x00, 0x40, 0x00, 0xC0}));
    EXPECT_EQ(Bytes(tpl->begin() + 24, tpl->begin() + 64), Bytes(single.begin() + 24, single.end()));
    EXPECT_EQ(Bytes(tpl->begin() + 64, tpl->end()), counting(24576, 7));

    // Byte 20 (the height's high byte) always comes from the template, byte 22 is always zero.
    Bytes odd = single;
    odd[20] = 0x01;
    odd[22] = 0x05;
    auto kept = tplFromWte(Bytes(32, 0), odd);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ((*kept)[20], 0x01);
    EXPECT_EQ((*kept)[22], 0x00);
    // A header-only WTE gives the patched template alone.
    EXPECT_EQ(kept->size(), 64u);
}

TEST(TplFromWte, RefusesShortWteAndDamagedTemplate)
{
    const Bytes single = shippedFile("headers/single.hdr");
    auto shortWte = tplFromWte(Bytes(31, 0), single);
    ASSERT_FALSE(shortWte.ok());
    EXPECT_EQ(shortWte.error().kind, ErrorKind::BadFormat);
    EXPECT_NE(shortWte.error().message.find("31"), std::string::npos);
    for (std::size_t size : {0u, 24u, 63u, 65u})
        EXPECT_FALSE(tplFromWte(Bytes(40, 0), Bytes(size, 0)).ok()) << size;
}

TEST(TplFromNeoGeoBanner, PutsTemplateBeforeTextureFrom160)
{
    const Bytes neogeo = shippedFile("headers/neogeo.hdr");
    ASSERT_EQ(neogeo.size(), 416u);
    auto bare = tplFromNeoGeoBanner(Bytes(160, 0x55), neogeo);
    ASSERT_TRUE(bare.ok());
    EXPECT_EQ(bare.value(), neogeo);

    auto full = tplFromNeoGeoBanner(concat(Bytes(160, 0x55), counting(1000)), neogeo);
    ASSERT_TRUE(full.ok());
    EXPECT_EQ(full.value(), concat(neogeo, counting(1000)));

    EXPECT_FALSE(tplFromNeoGeoBanner(Bytes(159, 0), neogeo).ok());
    EXPECT_FALSE(tplFromNeoGeoBanner(Bytes(200, 0), Bytes(415, 0)).ok());
}

TEST(TplFromNesApp, TakesTextureAtFirstSignature)
{
    const Bytes sig(NES_TPL_SIGNATURE.begin(), NES_TPL_SIGNATURE.end());
    // Signature twice: the first occurrence wins and 43264 bytes are taken from it.
    Bytes app = concat(concat(Bytes(1000, 0x11), sig), counting(50000));
    const std::size_t second = 1000 + 16 + 30000;
    std::copy(sig.begin(), sig.end(), app.begin() + static_cast<std::ptrdiff_t>(second));
    auto tpl = tplFromNesApp(app);
    ASSERT_TRUE(tpl.ok());
    ASSERT_EQ(tpl->size(), NES_TPL_SIZE);
    EXPECT_EQ(Bytes(tpl->begin(), tpl->begin() + 16), sig);
    EXPECT_EQ(Bytes(tpl->begin(), tpl->end()), Bytes(app.begin() + 1000, app.begin() + 1000 + 43264));

    // Fewer than 43264 bytes after the signature: the TPL ends with the file.
    const Bytes shortApp = concat(concat(Bytes(5, 0), sig), counting(100));
    auto cut = tplFromNesApp(shortApp);
    ASSERT_TRUE(cut.ok());
    EXPECT_EQ(cut.value(), concat(sig, counting(100)));

    // A signature that is the file's last bytes.
    auto atEnd = tplFromNesApp(concat(Bytes(3, 0), sig));
    ASSERT_TRUE(atEnd.ok());
    EXPECT_EQ(atEnd.value(), sig);
}

TEST(TplFromNesApp, ReportsMissingSignatureWithFixedTexts)
{
    const Bytes sig(NES_TPL_SIGNATURE.begin(), NES_TPL_SIGNATURE.end());
    for (const Bytes& app : {Bytes{}, Bytes(100000, 0), Bytes(sig.begin(), sig.end() - 1)}) {
        auto tpl = tplFromNesApp(app);
        ASSERT_FALSE(tpl.ok());
        EXPECT_EQ(tpl.error().message, "The app file you pointed to is NOT a valid Nes app!");
        EXPECT_EQ(tpl.error().title, "Error #1:  No tpl in 00000001.app");
    }
}

TEST(MakeWTE, ReplacesWteWholeAndDeletesTpl)
{
    TempFolder dir;
    const auto tpl = dir.write("out/01.tpl", concat(Bytes(64, 0xAA), counting(4608)));
    const auto wte = dir.write("out/02.wte", Bytes(10000, 0x99)); // longer than the new one
    ASSERT_TRUE(MakeWTE(wte, tpl, 48, 48).ok());
    const Bytes written = readAll(wte);
    ASSERT_EQ(written.size(), 32u + 4608u);
    EXPECT_EQ(Bytes(written.begin(), written.begin() + 7), (Bytes{'W', 'T', 'E', 0, 0x30, 0, 0x30}));
    EXPECT_FALSE(std::filesystem::exists(tpl));

    // A header-only TPL makes a 32-byte WTE.
    const auto bare = dir.write("bare.tpl", Bytes(64, 0));
    ASSERT_TRUE(MakeWTE(dir / "bare.wte", bare, 48, 48).ok());
    EXPECT_EQ(readAll(dir / "bare.wte").size(), 32u);
}

TEST(MakeWTE, FailureKeepsEverything)
{
    TempFolder dir;
    const Bytes oldWte(100, 0x99);
    const auto wte = dir.write("banner.wte", oldWte);
    const auto tpl = dir.write("banner.tpl", concat(Bytes(64, 0), counting(300)));
    // Too wide for a WTE: nothing written, the TPL stays.
    EXPECT_FALSE(MakeWTE(wte, tpl, 256, 64).ok());
    EXPECT_EQ(readAll(wte), oldWte);
    EXPECT_TRUE(std::filesystem::exists(tpl));
    // A TPL shorter than its header.
    const auto shortTpl = dir.write("short.tpl", Bytes(40, 0));
    EXPECT_FALSE(MakeWTE(wte, shortTpl, 48, 48).ok());
    EXPECT_EQ(readAll(wte), oldWte);
    EXPECT_TRUE(std::filesystem::exists(shortTpl));
    // A missing TPL.
    auto missing = MakeWTE(wte, dir / "none.tpl", 48, 48);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, ErrorKind::NotFound);
    EXPECT_EQ(readAll(wte), oldWte);
    // The write itself fails: the TPL is not deleted.
    platform::setWriteFailureAfterForTesting(5);
    EXPECT_FALSE(MakeWTE(wte, tpl, 48, 48).ok());
    platform::setWriteFailureAfterForTesting(std::nullopt);
    EXPECT_EQ(readAll(wte), oldWte);
    EXPECT_TRUE(std::filesystem::exists(tpl));
}

TEST(MakeWTE, WteWrittenOverItsOwnTplSurvives)
{
    TempFolder dir;
    const auto path = dir.write("frame.tpl", concat(Bytes(64, 0), counting(4608)));
    ASSERT_TRUE(MakeWTE(path, path, 48, 48).ok());
    ASSERT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(readAll(path).size(), 32u + 4608u);
    // The same file named with other letter case.
    const auto other = dir.write("Icon.tpl", concat(Bytes(64, 0), counting(4608)));
    ASSERT_TRUE(MakeWTE(dir / "ICON.TPL", other, 48, 48).ok());
    EXPECT_EQ(readAll(other).size(), 32u + 4608u);
}

TEST(ContainerReaders, WriteTempTplUnderProgramFolder)
{
    ProgramFolder program;
    Bytes wte(32, 0);
    wte[4] = 48;
    wte[6] = 48;
    const auto wtePath = program.folder.write("in/01.wte", concat(wte, counting(4608)));
    auto loaded = LoadWTE(wtePath, program.folder.path());
    ASSERT_TRUE(loaded.ok()) << loaded.error().message;
    EXPECT_EQ(loaded.value(), program.tempTpl());
    const Bytes tpl = readAll(program.tempTpl());
    ASSERT_EQ(tpl.size(), 64u + 4608u);
    EXPECT_EQ(Bytes(tpl.begin() + 20, tpl.begin() + 24), (Bytes{0, 48, 0, 48}));

    const auto banner = program.folder.write("in/banner.bin", concat(Bytes(160, 0), counting(61440)));
    ASSERT_TRUE(LoadNeoGeo(banner, program.folder.path()).ok());
    EXPECT_EQ(readAll(program.tempTpl()).size(), 416u + 61440u);

    const Bytes sig(NES_TPL_SIGNATURE.begin(), NES_TPL_SIGNATURE.end());
    const auto app = program.folder.write("in/00000001.app", concat(concat(Bytes(77, 1), sig), counting(60000)));
    ASSERT_TRUE(LoadNes(app, program.folder.path()).ok());
    EXPECT_EQ(readAll(program.tempTpl()).size(), NES_TPL_SIZE);
}

TEST(ContainerReaders, FailuresWriteNoTempTpl)
{
    ProgramFolder program;
    const auto shortWte = program.folder.write("in/short.wte", Bytes(31, 0));
    const auto shortBanner = program.folder.write("in/banner.bin", Bytes(159, 0));
    const auto plainApp = program.folder.write("in/00000001.app", Bytes(5000, 0));

    EXPECT_FALSE(LoadWTE(shortWte, program.folder.path()).ok());
    EXPECT_FALSE(LoadNeoGeo(shortBanner, program.folder.path()).ok());
    auto nes = LoadNes(plainApp, program.folder.path());
    ASSERT_FALSE(nes.ok());
    EXPECT_EQ(nes.error().title, "Error #1:  No tpl in 00000001.app");
    EXPECT_FALSE(LoadWTE(program.folder / "in/none.wte", program.folder.path()).ok());
    EXPECT_FALSE(std::filesystem::exists(program.tempTpl()));

    // Missing templates are named in the message.
    TempFolder bare;
    const auto wte = bare.write("a.wte", Bytes(40, 0));
    auto noTemplate = LoadWTE(wte, bare.path());
    ASSERT_FALSE(noTemplate.ok());
    EXPECT_EQ(noTemplate.error().kind, ErrorKind::NotFound);
    EXPECT_NE(noTemplate.error().message.find("single.hdr"), std::string::npos);
    const auto banner = bare.write("banner.bin", Bytes(400, 0));
    auto noNeoGeo = LoadNeoGeo(banner, bare.path());
    ASSERT_FALSE(noNeoGeo.ok());
    EXPECT_NE(noNeoGeo.error().message.find("neogeo.hdr"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(tempTplPath(bare.path())));
}

// A real NeoGeo-size save banner read back through the template: every image the template declares
// lies inside the TPL and the last one ends exactly at its end.
TEST(ContainerReaders, RealSaveBannerFillsTemplateImagesExactly)
{
    const auto folder = test_support::realDataFolder("savebanner");
    if (folder.empty())
        GTEST_SKIP() << "real data absent";
    const Bytes neogeo = shippedFile("headers/neogeo.hdr");
    for (const char* name : {"vc_md_4d414850_banner.bin", "vc_nes_46414150_banner.bin", "mkwsp_banner.bin"}) {
        auto banner = platform::readFile(folder / name);
        ASSERT_TRUE(banner.ok());
        auto tpl = tplFromNeoGeoBanner(banner.value(), neogeo);
        ASSERT_TRUE(tpl.ok());
        ASSERT_EQ(tpl->size(), 61856u) << name;
        const std::uint32_t count = platform::readBe32(tpl.value(), 4);
        std::uint64_t end = 0;
        for (std::uint32_t i = 0; i < count; ++i) {
            const std::uint32_t header = platform::readBe32(tpl.value(), 12 + 8 * i);
            const auto info = tools::formatInfo(platform::readBe32(tpl.value(), header + 4));
            ASSERT_TRUE(info.has_value());
            const std::uint64_t data = platform::readBe32(tpl.value(), header + 8);
            EXPECT_EQ(data, end == 0 ? 416u : end) << name << " image " << i;
            end = data + tools::textureDataSize(*info, platform::readBe16(tpl.value(), header + 2),
                                                platform::readBe16(tpl.value(), header));
        }
        EXPECT_EQ(end, tpl->size()) << name;
    }
}
