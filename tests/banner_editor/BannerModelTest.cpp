#include "banner_editor/BannerModel.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "BannerModelFixture.h"
#include "platform/Files.h"
#include "platform/TextCodec.h"
#include "support/ReadOnly.h"
#include "support/RecordingSink.h"

using namespace banner_editor;
using banner_test::canonicalBanner;
using banner_test::paneText;
using test_support::LayoutBuilder;
using test_support::LayoutDefect;

namespace {

class BannerModelTest : public banner_test::BannerModelFixture
{
protected:
    // The save as the window runs it, with the messages it sends recorded.
    platform::Result<void> save()
    {
        sink.messages.clear();
        auto result = model.save();
        messages = sink.messages;
        return result;
    }

    std::vector<test_support::RecordingSink::Message> messages;
};

std::uint32_t headerSize(const platform::Bytes& layout)
{
    return platform::readBe32(layout, 8);
}

} // namespace

TEST_F(BannerModelTest, LoadRestsEachListOnTheFirstLanguageWithAText)
{
    auto layout = LayoutBuilder::vcBanner({"GER", "FRA", "JPN"});
    layout.textPane("T_Year_GER")->text.clear();
    layout.textPane("T_Year_FRA")->text.clear();
    layout.trailingZeros = 300;
    load(layout.build());

    EXPECT_EQ(model.region(TitleList), 1); // GER: no English panes at all
    EXPECT_EQ(model.region(YearList), 6);  // JPN: the first year with a text
    EXPECT_EQ(model.region(PlayersList), 1);
    EXPECT_EQ(model.region(RatingList), 1);
    EXPECT_EQ(model.txtName, u"Sternenfahrt^Abenteuer");
    EXPECT_EQ(model.txtYear, u"1986");
    EXPECT_EQ(model.txtPlayers, u"2");
    EXPECT_EQ(model.txtESRB, u"6");
    EXPECT_EQ(model.txtSystem, u"NES");
    EXPECT_TRUE(model.SingleLang().empty());
    // The padding after the group end is cut on load.
    EXPECT_EQ(model.buffer().size(), headerSize(model.buffer()));
}

TEST_F(BannerModelTest, SingleLanguageLayoutWritesItsBasePanes)
{
    auto layout = LayoutBuilder::vcBannerSingle();
    layout.textPane("T_Year")->text = u"Erschienen: 1990";
    load(layout.build());
    for (int list = TitleList; list <= RatingList; ++list)
        EXPECT_EQ(model.region(list), NONE_ITEM);
    EXPECT_EQ(model.SingleLang(), "GER");
    EXPECT_EQ(model.txtYear, u"1990");

    model.txtName = u"Neu";
    model.txtYear = u"2001";
    model.txtPlayers = u"3";
    model.setAllLanguages(GameField::Title);
    model.setAllLanguages(GameField::Year);
    model.setAllLanguages(GameField::Players);
    EXPECT_EQ(paneText(model.buffer(), "T_VCTitle"), u"Neu");
    EXPECT_EQ(paneText(model.buffer(), "T_Year"), u"Erschienen: 2001");
    EXPECT_EQ(paneText(model.buffer(), "T_Play"), u"1-3 Spieler");

    // Set on one language with "NONE" selected writes the base pane with the detected language.
    model.txtESRB = u"USK 12";
    model.setLanguageField(GameField::Rating);
    EXPECT_EQ(paneText(model.buffer(), "T_ESRB"), u"ESRB Rating: USK 12");
}

TEST_F(BannerModelTest, FrenchSingleLanguageLayoutIsRecognised)
{
    auto layout = LayoutBuilder::vcBannerSingle();
    layout.textPane("T_Year")->text = u"Publi\u00E9 en 1990";
    load(layout.build());
    EXPECT_EQ(model.SingleLang(), "FRA");
    model.txtESRB = u"E";
    model.setAllLanguages(GameField::Rating);
    EXPECT_EQ(paneText(model.buffer(), "T_ESRB"), u"Classement ESRB: E");
}

TEST_F(BannerModelTest, SavingTwiceGivesIdenticalFilesAndReloads)
{
    load(LayoutBuilder::vcBanner().build());
    model.txtName = u"Star^Quest";
    model.setAllLanguages(GameField::Title);
    ASSERT_TRUE(save().ok());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].prompt, "File Successfully Saved!");
    const auto first = saved();
    EXPECT_EQ(paneText(first, "T_VCTitle_JPN"), u"Star^Quest");
    EXPECT_EQ(model.txtName, u"Star^Quest"); // reloaded from the file

    ASSERT_TRUE(save().ok());
    EXPECT_EQ(saved(), first);
}

TEST_F(BannerModelTest, PaddingIsAddedAfterTheSizeFieldAndCutOnLoad)
{
    // A 9,000-byte layout: a spare pane's buffer space brings it to size.
    auto layout = canonicalBanner({"ENG", "GER"});
    layout.text("Spare", u"x");
    const std::size_t bare = layout.build().size();
    ASSERT_LT(bare, 9000u);
    ASSERT_EQ((9000 - bare) % 4, 0u);
    layout.textPane("Spare")->extraBufferBytes = static_cast<std::uint16_t>(9000 - bare);
    const auto original = layout.build();
    ASSERT_EQ(original.size(), 9000u);

    const std::vector<std::pair<std::u16string, std::size_t>> cases{{u"12000", 12000}, {u"+16", 9016}, {u"5000", 9000},
                                                                    {u"", 9000},       {u"0", 9000},   {u" +0 ", 9000}};
    for (const auto& [pad, size] : cases) {
        SCOPED_TRACE(platform::utf8FromUtf16(pad));
        load(original);
        model.txtPad = pad;
        ASSERT_TRUE(save().ok());
        const auto file = saved();
        EXPECT_EQ(file.size(), size);
        EXPECT_EQ(headerSize(file), 9000u);
        EXPECT_TRUE(std::all_of(file.begin() + 9000, file.end(), [](auto b) { return b == 0; }));
        EXPECT_EQ(model.buffer().size(), 9000u); // the reload cut it again
    }
}

TEST_F(BannerModelTest, UnusablePaddingIsRefusedBeforeAnythingIsWritten)
{
    const auto path = load(LayoutBuilder::vcBanner().build());
    const auto before = test_support::readAll(path);
    model.txtName = u"Edited";
    model.setAllLanguages(GameField::Title);
    for (const auto* pad : {u"12k", u"+", u"-5", u"+99999999999"}) {
        model.txtPad = pad;
        auto result = save();
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().kind, platform::ErrorKind::BadArgument);
        EXPECT_TRUE(messages.empty());
    }
    EXPECT_EQ(test_support::readAll(path), before);
    EXPECT_EQ(paneText(model.buffer(), "T_VCTitle_ENG"), u"Edited");
}

TEST_F(BannerModelTest, FailedSaveNamesThePathAndKeepsFileAndEdits)
{
    const auto path = load(LayoutBuilder::vcBanner().build());
    const auto before = test_support::readAll(path);
    model.txtName = u"Edited";
    model.setAllLanguages(GameField::Title);
    {
        test_support::ReadOnlyGuard guard(path);
        if (!guard.ok())
            GTEST_SKIP() << "cannot make a file read-only here";
        auto result = save();
        ASSERT_FALSE(result.ok());
        EXPECT_NE(result.error().message.find(path.string()), std::string::npos);
        EXPECT_TRUE(messages.empty()); // no success message
    }
    EXPECT_EQ(test_support::readAll(path), before);
    EXPECT_EQ(paneText(model.buffer(), "T_VCTitle_ENG"), u"Edited");

    // The layout's folder vanished after the load.
    std::filesystem::remove_all(path.parent_path());
    auto result = save();
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().message.find(path.string()), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(path));

    // Nothing loaded: nothing to save, and no empty file is made.
    (void)model.setPath(u"/no/such/banner.brlyt");
    EXPECT_FALSE(save().ok());
}

TEST_F(BannerModelTest, RegionForceMovesExactlyTheFourNameFamilies)
{
    auto layout = LayoutBuilder::vcBanner({"ENG"});
    // Names in the upper-case forms, as layouts carry them besides the pane names.
    layout.group("T_YEAR_ENG", {"T_Year_ENG"}).group("T_PLAY_ENG", {"T_Play_ENG"}).group("T_ESRB_ENG", {});
    const auto original = layout.build();

    platform::Bytes forced = original;
    Region_Force(forced, "GER");
    ASSERT_EQ(forced.size(), original.size());
    platform::Bytes expected = original;
    for (const auto* name : {"T_YEAR_", "T_PLAY_", "T_ESRB_", "L"})
        expected = platform::replaceAllBytes(expected, platform::bytesOf(std::string(name) + "ENG"),
                                             platform::bytesOf(std::string(name) + "GER"));
    EXPECT_EQ(forced, expected);
    EXPECT_NE(forced, original);
    EXPECT_EQ(paneText(forced, "T_VCTitle_ENG"), u"Star Voyage^Adventure"); // title name kept

    for (const auto* region : {"ENG", "NONE", ""}) {
        platform::Bytes same = original;
        Region_Force(same, region);
        EXPECT_EQ(same, original) << region;
    }
    auto untitled = LayoutBuilder::vcBannerSingle().build();
    const auto untitledCopy = untitled;
    Region_Force(untitled, "GER");
    EXPECT_EQ(untitled, untitledCopy);

    // Through the save, with the force list's item.
    load(original);
    model.setForce(u"ger");
    EXPECT_EQ(model.forceItem, 1);
    model.setForce(u"XYZ");
    EXPECT_EQ(model.forceItem, 1);
    model.txtPad.clear();
    ASSERT_TRUE(save().ok());
    EXPECT_NE(platform::findBytes(saved(), platform::bytesOf("LGER")), platform::NOT_FOUND);
    EXPECT_EQ(platform::findBytes(saved(), platform::bytesOf("LENG")), platform::NOT_FOUND);
}

TEST_F(BannerModelTest, PathIsRememberedAndReadAtStart)
{
    const auto config = folder / "cfgs/vcinfopath.cfg";
    model.start(); // no configuration yet: nothing happens
    EXPECT_FALSE(model.hasLayout());
    EXPECT_FALSE(std::filesystem::exists(config));

    folder.write("layouts/a/banner.brlyt", LayoutBuilder::vcBanner().build());
    ASSERT_TRUE(model.setPath(u"\\layouts\\a\\banner.brlyt").ok());
    EXPECT_EQ(test_support::readAll(config), platform::bytesOf("\\layouts\\a\\banner.brlyt\r\n"));

    // A path that names no file is not remembered.
    EXPECT_FALSE(model.setPath(u"\\layouts\\missing.brlyt").ok());
    EXPECT_EQ(test_support::readAll(config), platform::bytesOf("\\layouts\\a\\banner.brlyt\r\n"));

    BannerModel next(sink, folder.path());
    next.start();
    EXPECT_EQ(next.pathText(), u"\\layouts\\a\\banner.brlyt");
    EXPECT_TRUE(next.hasLayout());
    EXPECT_EQ(next.txtName, u"Star Voyage^Adventure");
    EXPECT_EQ(next.forceItem, NONE_ITEM);
}

TEST_F(BannerModelTest, LogoReplacesTheFirstMyBackTextureInTheSiblingTimgFolder)
{
    folder.write("logos/new.tpl", std::string("NEW LOGO"));
    folder.write("games/TIMG/my_Back_b.tpl", std::string("old b"));
    folder.write("games/TIMG/my_Back_a.tpl", std::string("old a"));
    folder.write("games/TIMG/MY_BACK_0.tpl", std::string("other case"));
    const auto layout = load(LayoutBuilder::vcBanner().build());
    const auto texture = [&](const char* name) { return test_support::readAll(folder / "games/TIMG" / name); };

    // Unattended, -LOGO chooses the logo and the save copies it together with the layout.
    model.commandLineMode = true;
    ASSERT_TRUE(model.setLogo(u"new.tpl").ok());
    EXPECT_EQ(texture("my_Back_a.tpl"), platform::bytesOf("old a")); // nothing before the save
    ASSERT_TRUE(save().ok());
    EXPECT_EQ(texture("my_Back_a.tpl"), platform::bytesOf("NEW LOGO"));
    EXPECT_EQ(texture("my_Back_b.tpl"), platform::bytesOf("old b"));
    EXPECT_EQ(texture("MY_BACK_0.tpl"), platform::bytesOf("other case"));

    // A logo given relative to the program folder; a missing logo is an error and chooses nothing. The
    // save after it copies nothing more: each choice is written once.
    folder.write("extra/second.tpl", std::string("SECOND"));
    ASSERT_TRUE(model.setLogo(u"\\extra\\second.tpl").ok());
    auto missing = model.setLogo(u"missing.tpl");
    ASSERT_FALSE(missing.ok());
    EXPECT_NE(missing.error().message.find((folder / "logos" / "missing.tpl").string()), std::string::npos);
    ASSERT_TRUE(save().ok());
    EXPECT_EQ(texture("my_Back_a.tpl"), platform::bytesOf("SECOND"));
    folder.write("games/TIMG/my_Back_a.tpl", std::string("old a"));
    ASSERT_TRUE(save().ok());
    EXPECT_EQ(texture("my_Back_a.tpl"), platform::bytesOf("old a"));

    // Chosen in the window's list, the logo is replaced by the save.
    model.commandLineMode = false;
    model.refreshLogoList();
    ASSERT_EQ(model.logoItems.size(), 2u);
    EXPECT_EQ(model.logoItems[1], u"new.tpl");
    model.logoSelection = 1;
    ASSERT_TRUE(save().ok());
    EXPECT_EQ(texture("my_Back_a.tpl"), platform::bytesOf("NEW LOGO"));

    // When the layout cannot be written, the logo is not copied either.
    folder.write("games/TIMG/my_Back_a.tpl", std::string("old a"));
    const auto before = test_support::readAll(layout);
    platform::setWriteFailureAfterForTesting(4);
    auto failed = save();
    platform::setWriteFailureAfterForTesting(std::nullopt);
    ASSERT_FALSE(failed.ok());
    EXPECT_EQ(texture("my_Back_a.tpl"), platform::bytesOf("old a"));
    EXPECT_EQ(test_support::readAll(layout), before);
}

TEST(TextureFolder, NeedsTwoFoldersAboveTheLayoutAndItsTimgFolder)
{
    test_support::TempFolder folder;
    std::filesystem::create_directories(folder / "a/timg");
    EXPECT_EQ(textureFolderOf(folder / "a/x/banner.brlyt").value(), folder / "a/timg");
    for (const auto& path : {std::filesystem::path("/x/banner.brlyt"), std::filesystem::path("/banner.brlyt")}) {
        auto found = textureFolderOf(path);
        ASSERT_FALSE(found.ok()) << path;
        EXPECT_NE(found.error().message.find("No logo replaced"), std::string::npos);
    }
    // A missing texture folder, or one without a "my_Back" texture, is named in full.
    auto none = textureFolderOf(folder / "b/x/banner.brlyt");
    ASSERT_FALSE(none.ok());
    EXPECT_NE(none.error().message.find((folder / "b/timg").string()), std::string::npos) << none.error().message;
    auto empty = logoTextureIn(folder / "a/timg");
    ASSERT_FALSE(empty.ok());
    EXPECT_NE(empty.error().message.find((folder / "a/timg").string()), std::string::npos);
}

TEST_F(BannerModelTest, UnusableSchemeIsRefusedAndTheFileKept)
{
    const auto path = load(LayoutBuilder::vcBanner().build());
    const auto before = test_support::readAll(path);
    folder.write("schemes/short.vccs", std::string(" 1  2  3 \r\n"));
    std::string wide;
    for (int i = 0; i < 114; ++i)
        wide += i == 5 ? " 300 " : " 1 ";
    folder.write("schemes/wide.vccs", wide);
    model.refreshSchemeList();
    ASSERT_EQ(model.schemeItems.size(), 3u);
    EXPECT_EQ(model.schemeItems[0], u"Current Brlyt");
    for (int i = 1; i <= 2; ++i) {
        model.schemeSelection = i;
        auto result = save();
        ASSERT_FALSE(result.ok()) << i;
        EXPECT_NE(result.error().message.find("Nothing was saved"), std::string::npos) << result.error().message;
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(test_support::readAll(path), before);
    }

    // A logo that cannot be placed stops the save the same way, and says nothing was saved.
    model.schemeSelection = 0;
    model.logoItems.push_back(u"missing.tpl");
    model.logoSelection = 1;
    auto result = save();
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().message.find("missing.tpl"), std::string::npos) << result.error().message;
    EXPECT_NE(result.error().message.find("Nothing was saved"), std::string::npos) << result.error().message;
    EXPECT_EQ(test_support::readAll(path), before);
}

// A file of another kind is refused by name and never written: on load (the fields stay, Save writes
// nothing), and on save when the file on disk was replaced by one of another kind after the load.
TEST_F(BannerModelTest, FilesOfAnotherKindAreRefusedAndNeverWritten)
{
    const auto layout = load(LayoutBuilder::vcBanner().build());
    const platform::Bytes tpl{0x00, 0x20, 0xAF, 0x30, 0, 0, 0, 1, 0, 0, 0, 0x0C};
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, platform::Bytes>>{
             {"games/t/logo.tpl", tpl}, {"games/t/notes.txt", platform::bytesOf("RLY")}, {"games/t/empty", {}}}) {
        SCOPED_TRACE(name);
        const auto other = folder.write(name, bytes);
        auto loaded = model.setPath(platform::pathToText(other));
        ASSERT_FALSE(loaded.ok());
        EXPECT_EQ(loaded.error().kind, platform::ErrorKind::BadFormat);
        EXPECT_NE(loaded.error().message.find("'" + other.string() + "' is not a banner layout"), std::string::npos);
        EXPECT_FALSE(model.hasLayout());
        EXPECT_EQ(model.txtName, u"Star Voyage^Adventure"); // the fields stay as they were

        auto saved = save();
        ASSERT_FALSE(saved.ok());
        EXPECT_NE(saved.error().message.find("not a banner layout"), std::string::npos);
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(test_support::readAll(other), bytes);
    }

    // Replaced on disk after the load: the save refuses to write over it.
    ASSERT_TRUE(model.setPath(platform::pathToText(layout)).ok());
    folder.write("games/title/banner.brlyt", std::string("some notes"));
    ASSERT_FALSE(save().ok());
    EXPECT_EQ(test_support::readAll(layout), platform::bytesOf("some notes"));

    // The first start, with nothing loaded: the save says so and names no folder as a layout.
    test_support::TempFolder freshFolder;
    test_support::RecordingSink fresh;
    BannerModel first(fresh, freshFolder.path());
    first.start();
    auto nothing = first.save();
    ASSERT_FALSE(nothing.ok());
    EXPECT_NE(nothing.error().message.find("No layout is loaded"), std::string::npos);
    EXPECT_EQ(nothing.error().message.find('/'), std::string::npos) << nothing.error().message;
}

// Editing a pane by name: what cannot be done is reported, naming the pane and the layout.
TEST_F(BannerModelTest, PaneEditsByNameReportWhatTheyCannotDo)
{
    auto builder = LayoutBuilder::vcBanner({"ENG"});
    builder.text("Message", u"Author Credit\n").withDefect(LayoutDefect::LengthsPastSection, "Message");
    builder.text("Broken", u"Sealed").withDefect(LayoutDefect::UnterminatedText, "Broken");
    const auto path = load(builder.build());
    const auto original = model.buffer();

    EXPECT_EQ(model.paneText("Message"), u"Author Credit^");
    ASSERT_TRUE(model.setPaneText("Message", u"Hello^World").ok());
    EXPECT_EQ(model.paneText("Message"), u"Hello^World");
    EXPECT_TRUE(model.setPaneText("Message", u"").ok()); // an empty text changes nothing

    const auto edited = model.buffer();
    struct Case
    {
        std::string pane;
        std::u16string text;
        platform::ErrorKind kind;
    };
    for (const auto& c :
         {Case{"Nowhere", u"x", platform::ErrorKind::NotFound}, Case{"Broken", u"x", platform::ErrorKind::BadFormat},
          Case{"Message", std::u16string(40000, u'x'), platform::ErrorKind::BadArgument}}) {
        SCOPED_TRACE(c.pane);
        auto result = model.setPaneText(c.pane, c.text);
        ASSERT_FALSE(result.ok());
        EXPECT_EQ(result.error().kind, c.kind);
        EXPECT_NE(result.error().message.find("\"" + c.pane + "\""), std::string::npos);
        EXPECT_EQ(model.buffer(), edited);
    }
    EXPECT_NE(model.setPaneText("Broken", u"x").error().message.find(path.string()), std::string::npos);
    EXPECT_NE(original, edited);
}

// What the window asks about before a layout is closed: edits of the buffer until the next save, and
// typed fields until a Set writes or a language pick reads them.
TEST_F(BannerModelTest, UnsavedChangesAreEditsAndTypedFieldsUntilSaved)
{
    load(canonicalBanner({"ENG", "GER"}).build());
    EXPECT_FALSE(model.hasUnsavedChanges());
    // A year that its label does not give back ("Released: 19901" reads as 9901) is still set.
    model.txtYear = u"19901";
    EXPECT_EQ(model.typedFields(), std::vector<GameField>{GameField::Year});
    model.setLanguageField(GameField::Year);
    EXPECT_TRUE(model.typedFields().empty());
    EXPECT_TRUE(model.hasUnsavedChanges());
    ASSERT_TRUE(save().ok());
    EXPECT_FALSE(model.hasUnsavedChanges());

    // A language without a year pane leaves the typed year in its field, still unsaved.
    model.txtYear = u"1990";
    model.selectLanguage(YearList, NONE_ITEM);
    EXPECT_EQ(model.typedFields(), std::vector<GameField>{GameField::Year});
    // The players' one button writes every language.
    model.txtPlayers = u"4";
    model.setTypedFields();
    EXPECT_TRUE(model.typedFields().empty());
    EXPECT_EQ(paneText(model.buffer(), "T_Play_GER"), u"1-4 Spieler");
}
