// Loading the titles a destination holds: what each console's injection wrote reads back, and files
// without the expected marks leave the slots empty.
#include "injector/TitleLoader.h"

#include "InjectorFixture.h"
#include "injector/Consoles.h"

using namespace injector;
using namespace injector_test;
using platform::Bytes;

class TitleLoader : public InjectorTest
{
protected:
    LoadedTitles load(int console, const std::string& dest) { return loadTitles(console, text(dest), folder.path()); }
};

TEST_F(TitleLoader, ReadsBackWhatTheInjectionWrote)
{
    folder.write("banner.tpl", test_support::neoGeoBannerTpl(32, 1));
    folder.write("ng/banner.bin", test_support::saveBanner(4, 0));
    folder.write("nes/00000001.app", test_support::nesApp(test_support::fiveImageTpl(43264, 1), u"Old", 40).bytes);
    folder.write("nes.tpl", test_support::fiveImageTpl(43264, 2));
    folder.write("snes/00000005.app", test_support::ticketApp("EAAE"));
    folder.write("snes/00000001.app", test_support::snesApp("EAAE", 0x100, {}, {}));
    folder.write("c64/00000001.app", test_support::c64App(0x80, u"", u""));
    folder.write("tg/TITLE.TXT", test_support::utf16TextFile({u"Old", u"JP:a"}));

    struct Case
    {
        int console;
        std::string source, dest;
        std::u16string title;
        std::optional<int> language;
    };
    const std::vector<Case> cases = {
        {CON_NEOGEO, "banner.tpl", "ng/banner.bin", u"Neo^Turf", ENGLISH_SLOT},
        {CON_NES, "nes.tpl", "nes/00000001.app", u"Kid Icarus", ENGLISH_SLOT},
        {CON_SNES, "", "snes/00000001.app", u"Super Metroid^Zero Mission", ENGLISH_SLOT},
        {CON_C64, "", "c64/00000001.app", u"Uridium^64", std::nullopt},
        {CON_TG16, "", "tg/TITLE.TXT", u"Bonk's Adventure", std::nullopt},
    };
    for (const auto& c : cases) {
        auto r = request(c.console, c.source, c.dest);
        r.titles[ENGLISH_SLOT] = c.title;
        ASSERT_EQ(inject(r), InjectionStatus::Done) << c.dest;
        const auto loaded = load(c.console, c.dest);
        EXPECT_FALSE(loaded.stopped) << c.dest;
        EXPECT_EQ(loaded.titles[ENGLISH_SLOT], c.title) << c.dest;
        EXPECT_EQ(loaded.language, c.language) << c.dest;
        for (int i = 0; i < TITLE_SLOTS; ++i) {
            if (i != ENGLISH_SLOT) {
                EXPECT_TRUE(loaded.titles[static_cast<std::size_t>(i)].empty());
            }
        }
    }
}

TEST_F(TitleLoader, ReadsAllSevenLanguagesOfN64AndSega)
{
    for (const char* code : {"jp", "en", "de", "fr", "es", "it", "nl"})
        folder.write(std::string("meta/saveComments_saveComments_") + code + ".bin",
                     test_support::n64Comment(u"x", Bytes(4, 0)));
    auto lines = test_support::segaHeaderLines();
    for (auto caption : TITLE_LABELS)
        lines.push_back(std::u16string(caption));
    folder.write("misc/banner.cfg.txt", test_support::utf16TextFile(lines));

    const std::array<std::u16string, TITLE_SLOTS> titles = {
        u"\u30BC\u30EB\u30C0", u"Zelda", u"Zelda^DE", u"Fr", u"Es", u"It", u"Nl"};
    for (const auto& [console, dest] : {std::pair{int(CON_N64), std::string("meta/")},
                                        std::pair{int(CON_GENESIS), std::string("misc/banner.cfg.txt")}}) {
        auto r = request(console, "", dest);
        r.titles = titles;
        ASSERT_EQ(inject(r), InjectionStatus::Done) << dest;
        const auto loaded = load(console, dest);
        EXPECT_EQ(loaded.titles, titles) << dest;
        EXPECT_EQ(loaded.language, 0);
    }
}

TEST_F(TitleLoader, JapaneseSnesTitleLosesItsZeroFilling)
{
    Bytes line1 = {0x83, 0x5B, 0x83, 0x8B, 0x83, 0x5F}; // Shift-JIS katakana
    folder.write("j/00000005.app", test_support::ticketApp("JAAE"));
    folder.write("j/00000001.app", test_support::snesApp("JAAE", 0x40, line1, {}));
    const auto loaded = load(CON_SNES, "j/00000001.app");
    EXPECT_EQ(loaded.titles[ENGLISH_SLOT], u"\u30BC\u30EB\u30C0"); // no NUL characters, no "^"

    auto r = request(CON_SNES, "", "j/00000001.app");
    r.titles[ENGLISH_SLOT] = u"\u30BC\u30EB\u30C0^\u4F1D\u8AAC";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(load(CON_SNES, "j/00000001.app").titles[ENGLISH_SLOT], r.titles[ENGLISH_SLOT]);
}

TEST_F(TitleLoader, FilesWithoutTheirMarksStopWithEmptySlots)
{
    const Bytes junk(300, 0x41);
    for (const char* name : {"x/banner.bin", "x/00000001.app", "x/banner.cfg.txt", "x/TITLE.TXT"})
        folder.write(name, junk);
    struct Case
    {
        int console;
        std::string dest;
    };
    for (const auto& c : std::vector<Case>{{CON_NES, "x/00000001.app"},
                                           {CON_SNES, "x/00000001.app"},
                                           {CON_C64, "x/00000001.app"},
                                           {CON_MSX, "x/banner.cfg.txt"},
                                           {CON_TG16, "x/TITLE.TXT"}}) {
        const auto loaded = load(c.console, c.dest);
        EXPECT_TRUE(loaded.stopped) << c.dest;
        for (const auto& t : loaded.titles)
            EXPECT_TRUE(t.empty()) << c.dest;
    }
    folder.write("x/short.bin", Bytes(100, 0));
    EXPECT_TRUE(load(CON_NEOGEO, "x/short.bin").stopped);

    // A missing destination is no stop; nor is an unchosen console.
    EXPECT_FALSE(load(CON_NES, "nothing/00000001.app").stopped);
    EXPECT_FALSE(loadTitles(NO_CONSOLE, text("x/00000001.app"), folder.path()).stopped);
}

TEST_F(TitleLoader, NesLeadInInsideTheTextureIsNotTheTitle)
{
    Bytes tpl = test_support::fiveImageTpl(43264, 0x11);
    const Bytes lead = {0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0x00, 0x41};
    std::copy(lead.begin(), lead.end(), tpl.begin() + 1000);
    const Bytes endMark = platform::bytesOf("VirtualIF.c");
    std::copy(endMark.begin(), endMark.end(), tpl.begin() + 1020);
    folder.write("00000001.app", test_support::nesApp(tpl, u"Real", 16).bytes);
    EXPECT_EQ(load(CON_NES, "00000001.app").titles[ENGLISH_SLOT], u"Real");
}

TEST_F(TitleLoader, TruncatedFilesLoadWithoutCrashing)
{
    auto lines = test_support::segaHeaderLines();
    lines.push_back(u"JP:x");
    folder.write("s/00000005.app", test_support::ticketApp("JAAE"));
    const std::vector<std::tuple<int, std::string, Bytes>> cases = {
        {CON_NES, "n/00000001.app", test_support::nesApp(test_support::fiveImageTpl(43264, 1), u"Old", 8).bytes},
        {CON_SNES, "s/00000001.app", test_support::snesApp("JAAE", 8, {0x83, 0x5B}, {})},
        {CON_C64, "c/00000001.app", test_support::c64App(8, u"a", u"b")},
        {CON_GENESIS, "g/banner.cfg.txt", test_support::utf16TextFile(lines)},
        {CON_TG16, "t/TITLE.TXT", test_support::utf16TextFile({u"Old", u"JP:x"})},
        {CON_NEOGEO, "o/banner.bin", Bytes(200, 0)},
        {CON_N64, "m/saveComments_saveComments_en.bin", test_support::n64Comment(u"Old title", Bytes(6, 1))},
    };
    for (const auto& [console, dest, bytes] : cases) {
        // The NES file is long: cut it in the last part, where its title lies.
        const std::size_t from = bytes.size() > 1000 ? bytes.size() - 300 : 0;
        for (std::size_t n = from; n <= bytes.size(); ++n) {
            folder.write(dest, Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(n)));
            const auto loaded = load(console, console == CON_N64 ? "m/" : dest);
            if (n < bytes.size() / 2) {
                EXPECT_TRUE(loaded.titles[ENGLISH_SLOT].empty() || console == CON_NEOGEO) << dest << " cut to " << n;
            }
        }
    }
}
