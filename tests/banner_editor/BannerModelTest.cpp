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

namespace {

class BannerModelTest : public banner_test::BannerModelFixture
{
protected:
    // The save as the window runs it, with its success message recorded instead of shown.
    platform::Result<void> save()
    {
        test_support::GlobalRecordingSink sink;
        auto result = model.cmdSave_Click();
        messages = sink.messages;
        return result;
    }

    std::vector<test_support::GlobalRecordingSink::Message> messages;
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
    model.cmdSetAll_Click(0);
    model.cmdSetAll_Click(1);
    model.cmdSetAll_Click(2);
    EXPECT_EQ(paneText(model.buffer(), "T_VCTitle"), u"Neu");
    EXPECT_EQ(paneText(model.buffer(), "T_Year"), u"Erschienen: 2001");
    EXPECT_EQ(paneText(model.buffer(), "T_Play"), u"1-3 Spieler");

    // Set on one language with "NONE" selected writes the base pane with the detected language.
    model.txtESRB = u"USK 12";
    model.cmdSet_Click(2);
    EXPECT_EQ(paneText(model.buffer(), "T_ESRB"), u"ESRB Rating: USK 12");
}

TEST_F(BannerModelTest, FrenchSingleLanguageLayoutIsRecognised)
{
    auto layout = LayoutBuilder::vcBannerSingle();
    layout.textPane("T_Year")->text = u"Publi\u00E9 en 1990";
    load(layout.build());
    EXPECT_EQ(model.SingleLang(), "FRA");
    model.txtESRB = u"E";
    model.cmdSetAll_Click(4);
    EXPECT_EQ(paneText(model.buffer(), "T_ESRB"), u"Classement ESRB: E");
}

TEST_F(BannerModelTest, SavingTwiceGivesIdenticalFilesAndReloads)
{
    load(LayoutBuilder::vcBanner().build());
    model.txtName = u"Star^Quest";
    model.cmdSetAll_Click(0);
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
    model.cmdSetAll_Click(0);
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
    model.cmdSetAll_Click(0);
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
    (void)model.txtSrc_Change(u"/no/such/banner.brlyt");
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
    model.SetForce(u"ger");
    EXPECT_EQ(model.forceItem, 1);
    model.SetForce(u"XYZ");
    EXPECT_EQ(model.forceItem, 1);
    model.txtPad.clear();
    ASSERT_TRUE(save().ok());
    EXPECT_NE(platform::findBytes(saved(), platform::bytesOf("LGER")), platform::NOT_FOUND);
    EXPECT_EQ(platform::findBytes(saved(), platform::bytesOf("LENG")), platform::NOT_FOUND);
}

TEST_F(BannerModelTest, PathIsRememberedAndReadAtStart)
{
    const auto config = folder / "cfgs/vcinfopath.cfg";
    model.Form_Load(); // no configuration yet: nothing happens
    EXPECT_FALSE(model.hasLayout());
    EXPECT_FALSE(std::filesystem::exists(config));

    folder.write("layouts/a/banner.brlyt", LayoutBuilder::vcBanner().build());
    ASSERT_TRUE(model.txtSrc_Change(u"\\layouts\\a\\banner.brlyt").ok());
    EXPECT_EQ(test_support::readAll(config), platform::bytesOf("\\layouts\\a\\banner.brlyt\r\n"));

    // A path that names no file is not remembered.
    EXPECT_FALSE(model.txtSrc_Change(u"\\layouts\\missing.brlyt").ok());
    EXPECT_EQ(test_support::readAll(config), platform::bytesOf("\\layouts\\a\\banner.brlyt\r\n"));

    BannerModel next(folder.path());
    next.Form_Load();
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
    load(LayoutBuilder::vcBanner().build());

    ASSERT_TRUE(model.ReplaceLogo(u"new.tpl").ok());
    EXPECT_EQ(test_support::readAll(folder / "games/TIMG/my_Back_a.tpl"), platform::bytesOf("NEW LOGO"));
    EXPECT_EQ(test_support::readAll(folder / "games/TIMG/my_Back_b.tpl"), platform::bytesOf("old b"));
    EXPECT_EQ(test_support::readAll(folder / "games/TIMG/MY_BACK_0.tpl"), platform::bytesOf("other case"));

    // A logo given relative to the program folder; a missing logo is an error and changes nothing.
    folder.write("extra/second.tpl", std::string("SECOND"));
    ASSERT_TRUE(model.ReplaceLogo(u"\\extra\\second.tpl").ok());
    EXPECT_EQ(test_support::readAll(folder / "games/TIMG/my_Back_a.tpl"), platform::bytesOf("SECOND"));
    EXPECT_FALSE(model.ReplaceLogo(u"missing.tpl").ok());
    EXPECT_EQ(test_support::readAll(folder / "games/TIMG/my_Back_a.tpl"), platform::bytesOf("SECOND"));

    // Chosen in the window's list, the logo is replaced by the save.
    model.RefreshLogoList();
    ASSERT_EQ(model.logoItems.size(), 2u);
    EXPECT_EQ(model.logoItems[1], u"new.tpl");
    model.logoSelection = 1;
    ASSERT_TRUE(save().ok());
    EXPECT_EQ(test_support::readAll(folder / "games/TIMG/my_Back_a.tpl"), platform::bytesOf("NEW LOGO"));
}

TEST(TextureFolder, NeedsTwoFoldersAboveTheLayout)
{
    EXPECT_EQ(textureFolderOf("/a/x/banner.brlyt").value(), std::filesystem::path("/a/timg"));
    for (const auto* path : {"/x/banner.brlyt", "/banner.brlyt"}) {
        auto folder = textureFolderOf(path);
        ASSERT_FALSE(folder.ok()) << path;
        EXPECT_NE(folder.error().message.find("No logo replaced"), std::string::npos);
    }
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
    model.RefreshColorList_Here();
    ASSERT_EQ(model.schemeItems.size(), 3u);
    EXPECT_EQ(model.schemeItems[0], u"Current Brlyt");
    for (int i = 1; i <= 2; ++i) {
        model.schemeSelection = i;
        auto result = save();
        ASSERT_FALSE(result.ok()) << i;
        EXPECT_NE(result.error().message.find("was not saved"), std::string::npos) << result.error().message;
        EXPECT_TRUE(messages.empty());
        EXPECT_EQ(test_support::readAll(path), before);
    }

    // A logo that cannot be placed stops the save the same way, and says the file was not saved.
    model.schemeSelection = 0;
    model.logoItems.push_back(u"missing.tpl");
    model.logoSelection = 1;
    auto result = save();
    ASSERT_FALSE(result.ok());
    EXPECT_NE(result.error().message.find("missing.tpl"), std::string::npos) << result.error().message;
    EXPECT_NE(result.error().message.find("was not saved"), std::string::npos) << result.error().message;
    EXPECT_EQ(test_support::readAll(path), before);
}
