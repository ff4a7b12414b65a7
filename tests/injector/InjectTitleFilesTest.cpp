// N64 save comments, the Sega banner.cfg.txt with its WTE set, the TG16 TITLE.TXT.
#include "InjectorFixture.h"
#include "injector/Consoles.h"
#include "injector/N64SaveComments.h"
#include "injector/WteCopy.h"

using namespace injector;
using namespace injector_test;
using platform::Bytes;
using test_support::readAll;

TEST(N64SaveComment, RewritesLengthFieldsAndKeepsTheRest)
{
    // "Game" into a 100-byte file whose old title had 10 bytes.
    const Bytes tail(26, 0x3C);
    const Bytes old = test_support::n64Comment(u"Mario", tail);
    ASSERT_EQ(old.size(), 100u);
    auto out = rewriteN64Comment(old, u"Game", "x.bin");
    ASSERT_TRUE(out.ok());
    ASSERT_EQ(out->size(), 98u);
    EXPECT_EQ((*out)[45], 8);
    EXPECT_EQ((*out)[46], 0);
    EXPECT_EQ((*out)[47], 8);
    EXPECT_EQ((*out)[55], 94);
    EXPECT_EQ(slice(*out, 56, 3), Bytes(3, 0));
    EXPECT_EQ((*out)[59], 94);
    EXPECT_EQ(slice(*out, 64, 8), (Bytes{0x47, 0x00, 0x61, 0x00, 0x6D, 0x00, 0x65, 0x00}));
    EXPECT_EQ(slice(*out, 72, 26), tail);
    EXPECT_EQ(slice(*out, 0, 45), slice(old, 0, 45));
    EXPECT_EQ(slice(*out, 48, 7), slice(old, 48, 7));
    EXPECT_EQ(slice(*out, 60, 4), slice(old, 60, 4));

    auto empty = rewriteN64Comment(old, u"", "x.bin");
    ASSERT_TRUE(empty.ok());
    EXPECT_EQ(empty->size(), 90u);
    EXPECT_EQ((*empty)[47], 0);
    EXPECT_EQ(slice(*empty, 64, 26), tail);

    auto lineBreak = rewriteN64Comment(old, u"a^b", "x.bin");
    ASSERT_TRUE(lineBreak.ok());
    EXPECT_EQ(slice(*lineBreak, 64, 6), (Bytes{'a', 0, 0x0A, 0, 'b', 0}));
}

TEST(N64SaveComment, RefusesWhatTheSingleByteFieldsCannotHold)
{
    const Bytes old = test_support::n64Comment(u"T", Bytes(4, 0));
    EXPECT_TRUE(rewriteN64Comment(old, std::u16string(95, u'x'), "x.bin").ok()); // 64 + 190 + 4 = 258
    EXPECT_TRUE(rewriteN64Comment(test_support::n64Comment(u"T", Bytes(1, 0)), std::u16string(97, u'x'), "x").ok());
    EXPECT_FALSE(rewriteN64Comment(old, std::u16string(96, u'x'), "x.bin").ok()); // 260 bytes
    EXPECT_FALSE(rewriteN64Comment(Bytes{}, std::u16string(128, u'x'), "x.bin").ok());
    EXPECT_FALSE(rewriteN64Comment(Bytes(63, 0), u"a", "x.bin").ok());
    Bytes shortTitle = test_support::n64Comment(u"Long title", {});
    shortTitle.resize(70); // says 20 title bytes, holds 6
    EXPECT_FALSE(rewriteN64Comment(shortTitle, u"a", "x.bin").ok());
}

class N64Injection : public InjectorTest
{
protected:
    // A meta folder with the language files named as real titles name them.
    void makeMeta(const std::vector<std::string>& codes)
    {
        for (const auto& code : codes)
            folder.write("meta/saveComments_saveComments_" + code + ".bin",
                         test_support::n64Comment(u"old " + platform::utf16FromUtf8(code), Bytes(8, 0x5A)));
    }
    std::u16string readTitle(const std::string& code)
    {
        return ReadN64(folder / ("meta/saveComments_saveComments_" + code + ".bin"));
    }
};

TEST_F(N64Injection, WritesEveryLanguageIntoTheFileThatExists)
{
    makeMeta({"jp", "en", "de", "fr", "sp", "it", "nl"}); // Spanish under the caption's name
    auto r = request(CON_N64, "", "meta/");
    r.titles = {u"J", u"E", u"G", u"F", u"S", u"I", u"D"};
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readTitle("jp"), u"J");
    EXPECT_EQ(readTitle("en"), u"E");
    EXPECT_EQ(readTitle("de"), u"G");
    EXPECT_EQ(readTitle("fr"), u"F");
    EXPECT_EQ(readTitle("sp"), u"S");
    EXPECT_EQ(readTitle("it"), u"I");
    EXPECT_EQ(readTitle("nl"), u"D");
    EXPECT_FALSE(std::filesystem::exists(folder / "meta/saveComments_saveComments_ge.bin")); // nothing created
    EXPECT_FALSE(std::filesystem::exists(folder / "meta/saveComments_saveComments_du.bin"));
    EXPECT_EQ(sink.messages.back().prompt, "N64 titles successfully Injected!");
}

TEST_F(N64Injection, RealNameWinsOverCaptionName)
{
    makeMeta({"en", "de", "ge"});
    EXPECT_EQ(saveCommentFile(folder / "meta", 2).filename(), "saveComments_saveComments_de.bin");
    EXPECT_EQ(saveCommentFile(folder / "meta", 6).filename(), "saveComments_saveComments_du.bin");
    auto r = request(CON_N64, "", "meta/");
    r.titles[2] = u"Deutsch";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readTitle("de"), u"Deutsch");
    EXPECT_EQ(readTitle("ge"), u"old ge");
}

TEST_F(N64Injection, OneTitleTooLongLeavesEveryFileAsItWas)
{
    makeMeta({"jp", "en", "fr"});
    folder.write("save_banner.tpl", test_support::fiveImageTpl(40, 0x61));
    folder.write("meta/save_banner.tpl", Bytes(40, 0x00));
    const Bytes jp = readAll(folder / "meta/saveComments_saveComments_jp.bin");
    auto r = request(CON_N64, "save_banner.tpl", "meta/");
    r.titles = {u"ok", u"ok", std::u16string(), std::u16string(128, u'x')};
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Title Too Long!");
    EXPECT_EQ(readAll(folder / "meta/saveComments_saveComments_jp.bin"), jp);
    EXPECT_EQ(readAll(folder / "meta/save_banner.tpl"), Bytes(40, 0x00));

    folder.write("meta/saveComments_saveComments_it.bin", Bytes(30, 1)); // shorter than its header
    r.titles[3] = u"fr";
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Save Comment File!");
    EXPECT_EQ(readAll(folder / "meta/saveComments_saveComments_jp.bin"), jp);
}

TEST_F(N64Injection, CopiesTheSaveBannerAndRefusesFilePaths)
{
    makeMeta({"en"});
    const Bytes tpl = test_support::oneImageTpl(4, 4, 0x4242);
    folder.write("new.tpl", tpl);
    auto r = request(CON_N64, "new.tpl", "meta/");
    r.titles[ENGLISH_SLOT] = u"Wave Race";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readAll(folder / "meta/save_banner.tpl"), tpl);
    EXPECT_EQ(sink.messages.back().prompt, "Tpl File:  " + (folder.path() / "new.tpl").string() +
                                               " successfully injected into " + (folder.path() / "meta/").string() +
                                               "save_banner.tpl.\r\nN64 titles successfully Injected!");

    for (const std::string dest : {"title/00000005.app/", "meta/saveComments_saveComments_en.bin"}) {
        r.destination = text(dest);
        EXPECT_EQ(inject(r), InjectionStatus::Stopped) << dest;
        EXPECT_EQ(lastTitle(), "Ivalid Destination Path!");
    }
    folder.write("empty/readme.txt", std::string("x"));
    r.destination = text("empty/");
    EXPECT_EQ(inject(r), InjectionStatus::Stopped); // no save comment to write: not a success
    r.destination = text("missing/");
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
}

class SegaInjection : public InjectorTest
{
protected:
    static constexpr const char* CFG = "misc/banner.cfg.txt";
    std::vector<std::u16string> oldFile()
    {
        auto lines = test_support::segaHeaderLines();
        for (auto caption : TITLE_LABELS)
            lines.push_back(std::u16string(caption) + u"old");
        return lines;
    }
    void makeWteSet(const std::string& where, const std::string& banner, std::uint8_t fill)
    {
        for (int i = 1; i <= 6; ++i)
            folder.write(where + "/0" + std::to_string(i) + ".wte", test_support::wte(48, 48, 16, fill));
        folder.write(where + "/" + banner, test_support::wte(192, 64, 24, fill));
    }
};

TEST_F(SegaInjection, RewritesTitlesAndKeepsTheHeader)
{
    const auto dest = folder.write(CFG, test_support::utf16TextFile(oldFile()));
    auto r = request(CON_GENESIS, "", CFG);
    r.titles = {u"  Sonic  ", u"Sonic the Hedgehog", u"", u"Sonic^FR", u"S", u"I", u"Dutch "};
    ASSERT_EQ(inject(r), InjectionStatus::Done);

    auto expected = test_support::segaHeaderLines();
    for (auto line : {u"JP:Sonic", u"EN:Sonic the Hedgehog", u"GE:", u"FR:Sonic\nFR", u"SP:S", u"IT:I", u"DU:Dutch"})
        expected.push_back(line);
    EXPECT_EQ(readAll(dest), test_support::utf16TextFile(expected)); // no line end after the last line
    EXPECT_EQ(sink.messages.back().prompt, "Titles Successfully Injected into " + (folder.path() / CFG).string() + "!");
}

TEST_F(SegaInjection, CopiesTheWteSetUnderTheTitlesOwnBannerName)
{
    folder.write(CFG, test_support::utf16TextFile(oldFile()));
    makeWteSet("misc", "banner_us.wte", 0x01);
    makeWteSet("made", "banner_eu.wte", 0x0F);
    folder.write("made/banner_us.wte", test_support::wte(192, 64, 24, 0xAA)); // later in name order
    auto r = request(CON_MASTER_SYSTEM, "made/", CFG);
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(readAll(folder / ("misc/0" + std::to_string(i) + ".wte")), test_support::wte(48, 48, 16, 0x0F));
    EXPECT_EQ(readAll(folder / "misc/banner_us.wte"), test_support::wte(192, 64, 24, 0x0F));
    EXPECT_FALSE(std::filesystem::exists(folder / "misc/banner_eu.wte"));
    ASSERT_GE(sink.messages.size(), 2u);
    EXPECT_EQ(sink.messages[0].prompt, (folder.path() / "misc").string() + "/"); // the folder, shown before the copy
    EXPECT_EQ(sink.messages.back().prompt.substr(0, 31), "WTE Files Successfully Copied!\r");

    // A title without a banner WTE receives the source's under its own name.
    std::filesystem::remove(folder / "misc/banner_us.wte");
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_TRUE(std::filesystem::exists(folder / "misc/banner_eu.wte"));
}

TEST_F(SegaInjection, IncompleteWteSetOrBadDestinationWritesNothing)
{
    const Bytes cfg = test_support::utf16TextFile(oldFile());
    folder.write(CFG, cfg);
    makeWteSet("misc", "banner.wte", 0x01);
    makeWteSet("made", "banner.wte", 0x0F);
    std::filesystem::remove(folder / "made/03.wte");
    auto r = request(CON_MSX, "made/", CFG);
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Source Folder!");
    EXPECT_NE(sink.messages.back().prompt.find("03.wte"), std::string::npos);
    EXPECT_EQ(readAll(folder / "misc/01.wte"), test_support::wte(48, 48, 16, 0x01));
    EXPECT_EQ(readAll(folder / CFG), cfg);

    folder.write("made/03.wte", test_support::wte(48, 48, 16, 0x0F));
    folder.write(CFG, test_support::utf16TextFile({u"NotAHeader", u"a", u"b", u"c"}));
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(sink.messages.back().prompt, "This is not a valid sega titles file!  Point to a banner.cfg.txt !");
    EXPECT_EQ(readAll(folder / "misc/01.wte"), test_support::wte(48, 48, 16, 0x01));

    folder.write(CFG, test_support::utf16TextFile({u"IconFile: x", u"only two lines"}));
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);

    r.destination = text("misc/missing.cfg.txt");
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Destination!");
}

class Tg16Injection : public InjectorTest
{
};

TEST_F(Tg16Injection, ReplacesLineOneAndKeepsTheRest)
{
    const auto dest =
        folder.write("meta/TITLE.TXT", test_support::utf16TextFile({u"Old", u"JP:xx", u"EN:yy", u"FR:zz"}));
    auto r = request(CON_TG16, "", "meta/TITLE.TXT");
    r.titles[ENGLISH_SLOT] = u"Bonk";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    Bytes expected = test_support::utf16TextFile({u"Bonk", u"JP:xx", u"EN:yy", u"FR:zz"});
    expected.insert(expected.end(), {0x00, 0x0D, 0x00, 0x0A}); // always ends with a line end
    EXPECT_EQ(readAll(dest), expected);
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readAll(dest), expected);
}

TEST_F(Tg16Injection, TwoLineFileGainsAnEmptyThirdLineOnce)
{
    const auto dest = folder.write("TITLE.TXT", test_support::utf16TextFile({u"Old", u"JP:xx"}));
    auto r = request(CON_TG16, "", "TITLE.TXT");
    r.titles[ENGLISH_SLOT] = u"Bonk";
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    Bytes expected = test_support::utf16TextFile({u"Bonk", u"JP:xx", u"", u""});
    EXPECT_EQ(readAll(dest), expected);
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readAll(dest), expected);

    r.titles[ENGLISH_SLOT] = u" Bonk"; // the leading space moves to the end as two zero bytes
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    expected.insert(expected.end(), {0x00, 0x00});
    EXPECT_EQ(readAll(dest), expected);
}

TEST_F(Tg16Injection, CopiesSaveDataTextureAndChecksTheFormat)
{
    folder.write("meta/TITLE.TXT", test_support::utf16TextFile({u"Old", u"JP:xx"}));
    folder.write("meta/savedata.tpl", Bytes(8, 0));
    const Bytes tpl = test_support::oneImageTpl(4, 4, 0x3333);
    folder.write("new.tpl", tpl);
    auto r = request(CON_TG16, "new.tpl", "meta/TITLE.TXT");
    ASSERT_EQ(inject(r), InjectionStatus::Done);
    EXPECT_EQ(readAll(folder / "meta/savedata.tpl"), tpl);
    EXPECT_EQ(sink.messages.back().prompt.substr(0, sink.messages.back().prompt.find("\r\n")),
              (folder.path() / "new.tpl").string() + " successfully copied to " + (folder.path() / "meta").string() +
                  "/savedata.tpl!");

    const Bytes before = readAll(folder / "meta/TITLE.TXT");
    r.titles[ENGLISH_SLOT] = u"Caf\u00E9 \u30DC\u30F3\u30AF"; // Latin-1 fits, katakana does not
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Title!");
    EXPECT_EQ(readAll(folder / "meta/TITLE.TXT"), before);
    r.titles[ENGLISH_SLOT] = u"Caf\u00E9";
    EXPECT_EQ(inject(r), InjectionStatus::Done);

    const Bytes bad = test_support::utf16TextFile({u"Old", u"no colon"});
    folder.write("meta/TITLE.TXT", bad);
    EXPECT_EQ(inject(r), InjectionStatus::Stopped);
    EXPECT_EQ(sink.messages.back().prompt,
              "This is not a valid TG16 titles file. Point path to TITLE.txt in 00000005.app!");
    EXPECT_EQ(readAll(folder / "meta/TITLE.TXT"), bad);
}

// The Sega header and the TG16 lines after the title are read back one byte per character; a line
// with a wider character would come out garbled, so such a file is refused and left as it was. Wide
// characters in the lines that are replaced do not matter.
TEST_F(InjectorTest, KeptLinesWithCharactersBeyondEightBitsAreRefused)
{
    auto segaLines = test_support::segaHeaderLines();
    for (auto caption : TITLE_LABELS)
        segaLines.push_back(std::u16string(caption) + u"\u30BD\u30CB\u30C3\u30AF");
    folder.write("s/banner.cfg.txt", test_support::utf16TextFile(segaLines));
    auto sega = request(CON_GENESIS, "", "s/banner.cfg.txt");
    EXPECT_EQ(inject(sega), InjectionStatus::Done);

    folder.write("t/TITLE.TXT", test_support::utf16TextFile({u"\u30DC\u30F3\u30AF", u"JP:x", u"EN:y"}));
    auto tg16 = request(CON_TG16, "", "t/TITLE.TXT");
    tg16.titles[ENGLISH_SLOT] = u"Bonk";
    EXPECT_EQ(inject(tg16), InjectionStatus::Done);

    segaLines[2] += u" \u00E9\u2122"; // header line 3
    const Bytes segaFile = test_support::utf16TextFile(segaLines);
    folder.write("s/banner.cfg.txt", segaFile);
    EXPECT_EQ(inject(sega), InjectionStatus::Stopped);
    EXPECT_EQ(lastTitle(), "Invalid Destination File!");
    EXPECT_NE(sink.messages.back().prompt.find("Line 3 "), std::string::npos);
    EXPECT_EQ(readAll(folder / "s/banner.cfg.txt"), segaFile);

    const Bytes tgFile = test_support::utf16TextFile({u"Old", u"JP:x", u"EN:y", u"JP:\u30DC\u30F3\u30AF"});
    folder.write("t/TITLE.TXT", tgFile);
    EXPECT_EQ(inject(tg16), InjectionStatus::Stopped);
    EXPECT_NE(sink.messages.back().prompt.find("Line 4 "), std::string::npos);
    EXPECT_EQ(readAll(folder / "t/TITLE.TXT"), tgFile);
}
