// NeoGeo banner.bin, NES, SNES and C64 00000001.app: bytes written, limits, and failures that leave
// the files as they were.
#include "InjectorFixture.h"
#include "injector/Consoles.h"
#include "platform/PathText.h"

using namespace injector;
using namespace injector_test;
using platform::Bytes;
using test_support::readAll;

namespace {

const Bytes LEAD_IN = {0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0x00};

} // namespace

class NeoGeoInjection : public InjectorTest
{
};

TEST_F(NeoGeoInjection, RebuildsBannerFromTemplateTitleAndTexture)
{
    const Bytes tpl = test_support::neoGeoBannerTpl(96, 0xC3);
    folder.write("banner.tpl", tpl);
    const auto dest = folder.write("banner.bin", test_support::saveBanner(5000, 0xEE));
    auto r = request(CON_NEOGEO, "banner.tpl", "banner.bin");
    r.titles[ENGLISH_SLOT] = u"Metal^Slug";
    const auto outcome = inject(r);

    EXPECT_EQ(outcome, InjectionStatus::Done);
    const Bytes out = readAll(dest);
    ASSERT_EQ(out.size(), 160u + 96u); // nothing of the old banner.bin survives
    EXPECT_EQ(slice(out, 0, 32), slice(headerTemplate, 0, 32));
    Bytes area = test_support::utf16be(u"Metal\nSlug");
    area.insert(area.end(), {0x00, 0x0D});
    area.resize(128, 0);
    EXPECT_EQ(slice(out, 32, 128), area);
    EXPECT_EQ(slice(out, 160, 96), Bytes(96, 0xC3));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt,
              "Tpl Files successfully merged into " + (folder.path() / "banner.bin").string() + ".");
}

TEST_F(NeoGeoInjection, TitleAreaLimits)
{
    folder.write("banner.tpl", test_support::neoGeoBannerTpl(32, 1));
    const auto dest = folder.write("banner.bin", test_support::saveBanner(7, 3));
    auto r = request(CON_NEOGEO, "banner.tpl", "banner.bin", true);

    r.titles[ENGLISH_SLOT] = std::u16string(63, u'x'); // 126 bytes, then 00 0D: exactly full
    EXPECT_EQ(inject(r), InjectionStatus::Done);
    Bytes out = readAll(dest);
    EXPECT_EQ(out[157], 'x');
    EXPECT_EQ(out[158], 0x00);
    EXPECT_EQ(out[159], 0x0D);
    EXPECT_TRUE(sink.messages.empty()); // an unattended run keeps the success report to itself

    r.titles[ENGLISH_SLOT] = u"";
    EXPECT_EQ(inject(r), InjectionStatus::Done);
    Bytes empty = {0x00, 0x0D};
    empty.resize(128, 0);
    EXPECT_EQ(slice(readAll(dest), 32, 128), empty);

    const Bytes before = readAll(dest);
    r.titles[ENGLISH_SLOT] = std::u16string(64, u'x');
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Title Too Long!");
    EXPECT_EQ(readAll(dest), before);
}

TEST_F(NeoGeoInjection, StopsWithoutWritingOnMissingFiles)
{
    const Bytes old = test_support::saveBanner(300, 0x42);
    folder.write("banner.bin", old);
    auto r = request(CON_NEOGEO, "banner.tpl", "banner.bin");
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastFirstLine(), "banner.tpl not found!");
    EXPECT_EQ(lastPrompt(), "banner.tpl not found!\r\nLooked for " + platform::quoted(folder / "banner.tpl") + ".");

    Bytes shortTpl = test_support::neoGeoBannerTpl(0, 1);
    shortTpl.resize(100); // shorter than the 416-byte header part
    folder.write("banner.tpl", shortTpl);
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Source File!");

    folder.write("banner.tpl", test_support::neoGeoBannerTpl(64, 1));
    std::filesystem::remove(folder / "templates/tpl_neogeo_header.bin");
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Template Not Found!");
    EXPECT_EQ(readAll(folder / "banner.bin"), old);

    folder.write("templates/tpl_neogeo_header.bin", Bytes(32, 0x5A)); // not the head of a save banner
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Template!");
    EXPECT_EQ(readAll(folder / "banner.bin"), old);

    r.destination = text("nowhere/banner.bin");
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastFirstLine(), "banner.bin not found!");
    EXPECT_EQ(lastTitle(), "Invalid Destination!");
}

TEST_F(NeoGeoInjection, UnsetConsoleRunsTheNeoGeoBranch)
{
    folder.write("banner.tpl", test_support::neoGeoBannerTpl(32, 9));
    const auto dest = folder.write("banner.bin", test_support::saveBanner(4, 0));
    EXPECT_EQ(inject(request(NO_CONSOLE, "banner.tpl", "banner.bin")), InjectionStatus::Done);
    EXPECT_EQ(readAll(dest).size(), 160u + 32u);

    // Only a save banner is rebuilt: an executable named by mistake stays as it is.
    const Bytes app = test_support::nesApp(test_support::fiveImageTpl(512, 1), u"Game", 16).bytes;
    folder.write("00000001.app", app);
    EXPECT_EQ(inject(request(NO_CONSOLE, "banner.tpl", "00000001.app")), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Destination!");
    EXPECT_EQ(readAll(folder / "00000001.app"), app);
}

class NesInjection : public InjectorTest
{
};

TEST_F(NesInjection, OverwritesTextureAndTitleRegionInPlace)
{
    const Bytes oldTpl = test_support::fiveImageTpl(43264, 0x11);
    const auto app = test_support::nesApp(oldTpl, u"Old Game Title", 40);
    const auto dest = folder.write("00000001.app", app.bytes);
    const Bytes newTpl = test_support::fiveImageTpl(43264, 0x99);
    folder.write("banner.tpl", newTpl);

    auto r = request(CON_NES, "banner.tpl", "00000001.app");
    r.titles[ENGLISH_SLOT] = u"Zelda^II";
    EXPECT_EQ(inject(r), InjectionStatus::Done);

    const Bytes out = readAll(dest);
    ASSERT_EQ(out.size(), app.bytes.size());
    EXPECT_EQ(slice(out, app.tplOffset, newTpl.size()), newTpl);
    Bytes region = test_support::utf16be(u"Zelda\nII");
    region.resize(40, 0);
    EXPECT_EQ(slice(out, app.regionOffset, 40), region);
    // Everything outside texture and region is untouched.
    EXPECT_EQ(slice(out, 0, app.tplOffset), slice(app.bytes, 0, app.tplOffset));
    EXPECT_EQ(slice(out, app.regionOffset + 40, out.size() - app.regionOffset - 40),
              slice(app.bytes, app.regionOffset + 40, out.size() - app.regionOffset - 40));
    EXPECT_EQ(sink.messages.back().prompt,
              "Tpl File:  " + (folder.path() / "banner.tpl").string() + " successfully injected into " +
                  (folder.path() / "00000001.app").string() + ".\r\nZelda^II successflly injected into " +
                  (folder.path() / "00000001.app").string());
}

TEST_F(NesInjection, LongTitleIsCutAtWholeCharactersAndShortOneZeroFilled)
{
    const auto app = test_support::nesApp(test_support::fiveImageTpl(512, 1), u"abc", 11); // odd region
    const auto dest = folder.write("00000001.app", app.bytes);
    folder.write("banner.tpl", test_support::fiveImageTpl(512, 2));
    auto r = request(CON_NES, "banner.tpl", "00000001.app");

    r.titles[ENGLISH_SLOT] = u"ABCDEFGH";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    Bytes expected = test_support::utf16be(u"ABCDE");
    expected.push_back(0); // the eleventh byte would be half a character
    EXPECT_EQ(slice(readAll(dest), app.regionOffset, 11), expected);

    r.titles[ENGLISH_SLOT] = u"Q";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    expected = test_support::utf16be(u"Q");
    expected.resize(11, 0);
    EXPECT_EQ(slice(readAll(dest), app.regionOffset, 11), expected);
    EXPECT_EQ(readAll(dest).size(), app.bytes.size());
}

TEST_F(NesInjection, LeadInInsideTheTextureIsPassedOver)
{
    // The new texture's pixels happen to hold the lead-in and a title end: the title still goes after it.
    Bytes newTpl = test_support::fiveImageTpl(1024, 0x33);
    std::copy(LEAD_IN.begin(), LEAD_IN.end(), newTpl.begin() + 400);
    const Bytes endMark = platform::bytesOf("VirtualIF.c");
    std::copy(endMark.begin(), endMark.end(), newTpl.begin() + 430);
    const auto app = test_support::nesApp(test_support::fiveImageTpl(1024, 0x44), u"Old", 20);
    const auto dest = folder.write("00000001.app", app.bytes);
    folder.write("banner.tpl", newTpl);
    auto r = request(CON_NES, "banner.tpl", "00000001.app");
    r.titles[ENGLISH_SLOT] = u"New";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    const Bytes out = readAll(dest);
    EXPECT_EQ(slice(out, app.tplOffset, newTpl.size()), newTpl);
    Bytes region = test_support::utf16be(u"New");
    region.resize(20, 0);
    EXPECT_EQ(slice(out, app.regionOffset, 20), region);
}

TEST_F(NesInjection, WithoutLeadInTheTitleStartsAfterTheTexture)
{
    const Bytes tpl = test_support::fiveImageTpl(256, 0x10);
    Bytes app(0x100, 0x55);
    app.insert(app.end(), tpl.begin(), tpl.end());
    app.insert(app.end(), 12, 0x00);
    const Bytes endMark = platform::bytesOf("VirtualIF.c");
    app.insert(app.end(), endMark.begin(), endMark.end());
    const auto dest = folder.write("00000001.app", app);
    folder.write("banner.tpl", test_support::fiveImageTpl(256, 0x20));
    auto r = request(CON_NES, "banner.tpl", "00000001.app");
    r.titles[ENGLISH_SLOT] = u"Hi";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    Bytes expected = test_support::utf16be(u"Hi");
    expected.resize(12, 0);
    EXPECT_EQ(slice(readAll(dest), 0x100 + 256, 12), expected);
}

TEST_F(NesInjection, StopsWithoutWritingOnBadInput)
{
    auto r = request(CON_NES, "banner.tpl", "00000001.app");
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastFirstLine(), "00000001.app not found!");

    const Bytes noTpl(2000, 0x41);
    folder.write("00000001.app", noTpl);
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastFirstLine(), "banner.tpl not found!");

    folder.write("banner.tpl", test_support::fiveImageTpl(256, 1));
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Error #1:  No tpl in 00000001.app");
    EXPECT_EQ(sink.messages.back().icon, platform::MessageIcon::Critical);

    // The source TPL would run past the end of the file.
    const auto small = test_support::nesApp(test_support::fiveImageTpl(256, 1), u"T", 8);
    folder.write("00000001.app", small.bytes);
    folder.write("banner.tpl", test_support::fiveImageTpl(small.bytes.size(), 7));
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Source Too Large!");
    EXPECT_EQ(readAll(folder / "00000001.app"), small.bytes);

    // No title end after the title region.
    Bytes cut = small.bytes;
    cut.resize(small.regionOffset + 8);
    folder.write("00000001.app", cut);
    folder.write("banner.tpl", test_support::fiveImageTpl(256, 7));
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid 00000001.app!");
    EXPECT_EQ(readAll(folder / "00000001.app"), cut);
}

class SnesInjection : public InjectorTest
{
protected:
    // An extracted SNES title with an old two-line title; returns the executable's path.
    std::filesystem::path makeTitle(std::string_view ticket = "JAAE")
    {
        folder.write("title/00000005.app", test_support::ticketApp(ticket));
        folder.write("title/00000005_app_out/banner.tpl", Bytes(64, 0x01));
        return folder.write("title/00000001.app", test_support::snesApp(ticket, 0x300, platform::bytesOf("Super Mario"),
                                                                        platform::bytesOf("World")));
    }
    static constexpr std::size_t BLOCK = 0x300 + 64;
};

TEST_F(SnesInjection, WritesBothLinesSoNothingOfTheOldTitleSurvives)
{
    const auto dest = makeTitle();
    const Bytes before = readAll(dest);
    auto r = request(CON_SNES, "", "title/00000001.app");
    r.titles[ENGLISH_SLOT] = u"abc";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    const Bytes out = readAll(dest);
    Bytes block = {0x61, 0x62, 0x63, 0x00};
    block.resize(80, 0); // line 1 "abc" completed to a pair; line 2 cleared
    EXPECT_EQ(slice(out, BLOCK, 80), block);
    EXPECT_EQ(out.size(), before.size());
    EXPECT_EQ(slice(out, 0, BLOCK), slice(before, 0, BLOCK));
    EXPECT_EQ(slice(out, BLOCK + 80, out.size() - BLOCK - 80), slice(before, BLOCK + 80, out.size() - BLOCK - 80));
}

TEST_F(SnesInjection, SplitsLinesAtThirtyTwoCharactersOrAtTheMark)
{
    const auto dest = makeTitle();
    auto r = request(CON_SNES, "", "title/00000001.app");
    struct Case
    {
        std::u16string title;
        std::string line1, line2;
    };
    const std::vector<Case> cases = {
        {u"ABCDEFGHIJKLMNOPQRSTUVWXYZ012345abcdefgh", "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", "abcdefgh"},
        {u"Final^Fight^Extra", "Final", "Fight"},
        {u"^Second", "", "Second"},
    };
    for (const auto& c : cases) {
        r.titles[ENGLISH_SLOT] = c.title;
        ASSERT_EQ(inject(r), InjectionStatus::Done);
        Bytes l1 = platform::bytesOf(c.line1), l2 = platform::bytesOf(c.line2);
        l1.resize(40, 0);
        l2.resize(40, 0);
        const Bytes out = readAll(dest);
        EXPECT_EQ(slice(out, BLOCK, 40), l1) << c.line1;
        EXPECT_EQ(slice(out, BLOCK + 40, 40), l2) << c.line2;
    }

    // An empty title keeps the old one.
    const Bytes before = readAll(dest);
    r.titles[ENGLISH_SLOT] = u"";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readAll(dest), before);
}

TEST_F(SnesInjection, LinesOverFortyBytesAndUnencodableTitlesWriteNothing)
{
    const auto dest = makeTitle();
    folder.write("new.tpl", test_support::fiveImageTpl(64, 0x77));
    const Bytes before = readAll(dest);
    auto r = request(CON_SNES, "new.tpl", "title/00000001.app");
    // 32 characters, 21 of them two-byte: 53 bytes in Shift-JIS.
    r.titles[ENGLISH_SLOT] = std::u16string(21, u'\u3042') + std::u16string(11, u'a');
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Title Too Long!");
    r.titles[ENGLISH_SLOT] = u"Smile \U0001F600";
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Title!");
    EXPECT_EQ(readAll(dest), before);
    EXPECT_EQ(readAll(folder / "title/00000005_app_out/banner.tpl"), Bytes(64, 0x01)); // texture not copied either
}

TEST_F(SnesInjection, CopiesTextureAndReportsBothLines)
{
    makeTitle();
    const Bytes tpl = test_support::fiveImageTpl(300, 0x77);
    folder.write("new.tpl", tpl);
    auto r = request(CON_SNES, "new.tpl", "title/00000001.app");
    r.titles[ENGLISH_SLOT] = u"Pilotwings";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readAll(folder / "title/00000005_app_out/banner.tpl"), tpl);
    const std::string dest = (folder.path() / "title/00000001.app").string();
    const std::string target = (folder.path() / "title").string() + "/00000005_app_out\\banner.tpl";
    EXPECT_EQ(sink.messages.back().prompt, "Tpl File:  " + (folder.path() / "new.tpl").string() +
                                               " successfully copied to " + target +
                                               ".\r\nPilotwings successflly injected into " + dest);
}

TEST_F(SnesInjection, MissingPiecesStopOrWarn)
{
    auto r = request(CON_SNES, "", "title/00000001.app");
    r.titles[ENGLISH_SLOT] = u"X";
    // Nothing there at all: nothing injected is a failure, not silence.
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Destination!");

    folder.write("title/00000001.app", test_support::snesApp("JAAE", 0x300, {}, {}));
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Error 5.app Not found!");

    folder.write("title/00000005.app", Bytes(50, 0x41)); // no ".rom"
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Error 5.app Not valid!");

    folder.write("title/00000005.app", test_support::ticketApp("ZZZZ"));
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastPrompt(), "This is not a valid snes 00000001.app!");

    // A texture target that is not there: an unattended run, told to inject it, stops with nothing
    // written; the window warns and the title still goes in.
    folder.write("title/00000005.app", test_support::ticketApp("JAAE"));
    folder.write("new.tpl", test_support::fiveImageTpl(64, 1));
    r.source = text("new.tpl");
    r.commandLine = true;
    const Bytes before = readAll(folder / "title/00000001.app");
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "banner.tpl Not Found!");
    EXPECT_EQ(readAll(folder / "title/00000001.app"), before);

    r.commandLine = false;
    sink.messages.clear();
    EXPECT_EQ(inject(r), InjectionStatus::Incomplete);
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].title, "banner.tpl Not Found!");
    EXPECT_EQ(sink.messages[0].prompt, "Cannot File Save banner to inject!\r\nLooked for " +
                                           platform::quoted(folder / "title/00000005_app_out/banner.tpl") + ".");
    EXPECT_FALSE(std::filesystem::exists(folder / "title/00000005_app_out/banner.tpl"));
    EXPECT_EQ(readAll(folder / "title/00000001.app")[BLOCK], 'X');
}

class C64Injection : public InjectorTest
{
protected:
    static constexpr std::size_t ANCHOR = 0x180;
};

TEST_F(C64Injection, WritesTwoLinesOfSixtyEightBytes)
{
    const Bytes app = test_support::c64App(ANCHOR, u"Old One", u"Old Two");
    const auto dest = folder.write("00000001.app", app);
    auto r = request(CON_C64, "", "00000001.app");
    struct Case
    {
        std::u16string title;
        std::u16string line1, line2;
    };
    const std::vector<Case> cases = {
        {u"Impossible^Mission", u"Impossible", u"Mission"},
        {u"Paradroid", u"Paradroid", u""},
        {u"", u"", u""},
        {std::u16string(34, u'w') + u"^x", std::u16string(34, u'w'), u"x"}, // 68 bytes, no zero after it
        {u"a^b^c", u"a", u"b"},
    };
    for (const auto& c : cases) {
        r.titles[ENGLISH_SLOT] = c.title;
        ASSERT_EQ(inject(r), InjectionStatus::Done);
        const Bytes out = readAll(dest);
        ASSERT_EQ(out.size(), app.size());
        Bytes l1 = test_support::utf16be(c.line1), l2 = test_support::utf16be(c.line2);
        l1.resize(68, 0);
        l2.resize(68, 0);
        EXPECT_EQ(slice(out, ANCHOR + 12, 68), l1);
        EXPECT_EQ(slice(out, ANCHOR + 80, 68), l2);
        EXPECT_EQ(slice(out, 0, ANCHOR + 12), slice(app, 0, ANCHOR + 12));
        EXPECT_EQ(slice(out, ANCHOR + 148, app.size() - ANCHOR - 148),
                  slice(app, ANCHOR + 148, app.size() - ANCHOR - 148));
    }
}

TEST_F(C64Injection, LimitsAndBadFilesWriteNothing)
{
    const Bytes app = test_support::c64App(ANCHOR, u"Old", u"");
    const auto dest = folder.write("00000001.app", app);
    auto r = request(CON_C64, "", "00000001.app");
    r.titles[ENGLISH_SLOT] = std::u16string(35, u'w');
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Title Too Long!");
    r.titles[ENGLISH_SLOT] = u"ok^" + std::u16string(35, u'w');
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(readAll(dest), app);

    Bytes cut = slice(app, 0, ANCHOR + 100); // anchor present, title block cut short
    folder.write("00000001.app", cut);
    r.titles[ENGLISH_SLOT] = u"ok";
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastPrompt(), "This is not a valid C-64 1.app!!");
    EXPECT_EQ(readAll(dest), cut);
}

TEST_F(C64Injection, ReplacesTheCompressedBannerBesideIt)
{
    folder.write("t/00000001.app", test_support::c64App(ANCHOR, u"A", u""));
    folder.write("t/00000005_app_out/LZ77_banner.tpl", Bytes(20, 0));
    const Bytes lz = test_support::lz77Literals(test_support::oneImageTpl(4, 4, 0x7FFF), true);
    folder.write("lz.tpl", lz);
    auto r = request(CON_C64, "lz.tpl", "t/00000001.app");
    r.titles[ENGLISH_SLOT] = u"B";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readAll(folder / "t/00000005_app_out/LZ77_banner.tpl"), lz);
    const std::string prompt = sink.messages.back().prompt;
    EXPECT_EQ(prompt.substr(0, prompt.find("\r\n")), (folder.path() / "lz.tpl").string() + " Successfully Copied to " +
                                                         (folder.path() / "t").string() +
                                                         "/00000005_app_out\\LZ77_banner.tpl!");

    // Without the executable the window's injection puts the texture in alone and its report shows the
    // copy alone; an unattended run, which cannot write the title it was given, writes nothing.
    std::filesystem::remove(folder / "t/00000001.app");
    const Bytes unprefixed = test_support::lz77Literals(test_support::oneImageTpl(4, 4, 0x1234), false);
    folder.write("lz.tpl", unprefixed);
    r.commandLine = true;
    sink.messages.clear();
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(lastTitle(), "Invalid Destination!");
    EXPECT_EQ(readAll(folder / "t/00000005_app_out/LZ77_banner.tpl"), lz);

    r.commandLine = false;
    sink.messages.clear();
    EXPECT_EQ(inject(r), InjectionStatus::Done);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].prompt.find(" Successfully Copied to "), std::string::npos);
    EXPECT_EQ(readAll(folder / "t/00000005_app_out/LZ77_banner.tpl"), unprefixed);
    EXPECT_FALSE(std::filesystem::exists(folder / "t/00000001.app"));
}
