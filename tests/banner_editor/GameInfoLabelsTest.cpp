#include "banner_editor/GameInfoLabels.h"

#include <gtest/gtest.h>

#include "BannerModelFixture.h"
#include "platform/TextCodec.h"

using namespace banner_editor;
using banner_test::paneText;

namespace {

struct LabelCase
{
    std::string language;
    std::u16string year;      // for 1985
    std::u16string players;   // for 4
    std::u16string onePlayer; // for 1
    std::u16string rating;    // for E
};

const std::vector<LabelCase>& labelTable()
{
    static const std::vector<LabelCase> table{
        {"ENG", u"Released: 1985", u"Players: 1-4", u"Players: 1", u"ESRB Rating: E"},
        {"GER", u"Erschienen: 1985", u"1-4 Spieler", u"1 Spieler", u"ESRB Rating: E"},
        {"FRA", u"Publi\u00E9 en 1985", u"Joueurs: 1-4", u"Joueurs: 1", u"Classement ESRB: E"},
        {"ITA", u"Pubblicato: 1985", u"Giocatori: 1-4", u"Giocatori: 1", u"ESRB Rating: E"},
        {"SPA", u"A\u00F1o: 1985", u"Jugadores: 1-4", u"Jugadores: 1", u"ESRB Rating: E"},
        {"NED", u"Release: 1985", u"1-4 speler(s)", u"1 speler(s)", u"ESRB Rating: E"},
        // Two lines: the players caption, then 1, a wave dash, 4 and the counter character.
        {"JPN", u"1985\u5E74\u767A\u58F2", u"\u30D7\u30EC\u30A4\u4EBA\u6570^1\uFF5E4\u4EBA",
         u"\u30D7\u30EC\u30A4\u4EBA\u6570^1\u4EBA", u"ESRB Rating: E"},
    };
    return table;
}

class GameInfoLabels : public banner_test::BannerModelFixture
{
};

} // namespace

// Set All writes every language's label into its pane; selecting the language reads the bare value back.
TEST_F(GameInfoLabels, EveryLabelThroughALayout)
{
    load(test_support::LayoutBuilder::vcBanner().build());
    model.txtYear = u"1985";
    model.txtPlayers = u"4";
    model.txtESRB = u"E";
    model.setAllLanguages(GameField::Year);
    model.setAllLanguages(GameField::Players);
    model.setAllLanguages(GameField::Rating);
    for (std::size_t i = 0; i < labelTable().size(); ++i) {
        const auto& c = labelTable()[i];
        SCOPED_TRACE(c.language);
        EXPECT_EQ(paneText(model.buffer(), "T_Year_" + c.language), c.year);
        EXPECT_EQ(paneText(model.buffer(), "T_Play_" + c.language), c.players);
        EXPECT_EQ(paneText(model.buffer(), "T_ESRB_" + c.language), c.rating);

        model.txtYear.clear();
        model.txtPlayers.clear();
        model.txtESRB.clear();
        for (int list = YearList; list <= RatingList; ++list)
            model.selectLanguage(list, static_cast<int>(i));
        EXPECT_EQ(model.txtYear, u"1985");
        EXPECT_EQ(model.txtPlayers, u"4");
        EXPECT_EQ(model.txtESRB, u"E");
        model.txtYear = u"1985";
        model.txtPlayers = u"4";
        model.txtESRB = u"E";
    }

    model.txtPlayers = u"1";
    model.setAllLanguages(GameField::Players);
    for (const auto& c : labelTable())
        EXPECT_EQ(paneText(model.buffer(), "T_Play_" + c.language), c.onePlayer) << c.language;
}

TEST(GameInfoLabelText, EmptyValuesDashesAndUnknownCodes)
{
    EXPECT_EQ(Make_Year(u"", "ENG"), u"Released: ????");
    EXPECT_EQ(Make_Year(u"1990", "XYZ"), u"Released: 1990");
    EXPECT_EQ(Make_ESRB(u"", "JPN"), u"ESRB Rating: ????");
    EXPECT_EQ(Make_Players(u"", "ENG"), u"Players: 1-2");
    // The hint asks for the maximum alone: a typed range is taken as it stands.
    EXPECT_EQ(Make_Players(u"1-2", "ENG"), u"Players: 1-1-2");
    EXPECT_EQ(Make_Players(u"1-2", "JPN"), u"\u30D7\u30EC\u30A4\u4EBA\u6570\n1\uFF5E1\uFF5E2\u4EBA");
    EXPECT_EQ(Make_Players(u"3", "NONE"), u"Players: 1-3");
}

TEST(GameInfoLabelText, ValuesReadBackFromLabels)
{
    struct Case
    {
        std::u16string label, year, players, rating;
    };
    const std::vector<Case> cases{
        {u"", u"", u"", u""},
        {u"Released: 1986", u"1986", u"6", u"1986"},
        {u"1986\u5E74\u767A\u58F2", u"1986", u"", u""},
        {u"85", u"85", u"", u""},
        {u"1-2 Spieler", u"1-2 ", u"2", u""},
        {u"Players:  1-3 ", u"1-3 ", u"3", u"1-3"},
        {u"\u30D7\u30EC\u30A4\u4EBA\u6570^1\uFF5E2\u4EBA", u"1\uFF5E2\u4EBA", u"2", u""},
        {u"\u30D7\u30EC\u30A4\u4EBA\u6570^", u"\u30A4\u4EBA\u6570^", u"", u""},
        {u"ESRB Rating: T ", u": T ", u"T", u"T"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(platform::utf8FromUtf16(c.label));
        if (!c.label.empty()) {
            EXPECT_EQ(yearFromLabel(c.label), c.year);
        }
        EXPECT_EQ(playersFromLabel(c.label), c.players);
        EXPECT_EQ(ratingFromLabel(c.label), c.rating);
    }
}

TEST(GameInfoLabelText, LanguageOfASingleLanguageLayout)
{
    const std::vector<std::pair<std::u16string, std::string>> cases{
        {u"Released: 1986", "ENG"},         {u"Erschienen: 1986", "GER"}, {u"Publi\u00E9 en 1986", "FRA"},
        {u"Pubblicato: 1986", "ITA"},       {u"A\u00F1o: 1986", "SPA"},   {u"Release: 1986", "NED"},
        {u"1986\u5E74\u767A\u58F2", "JPN"}, {u"Sortie : 1986", "ENG"},    {u"", "JPN"},
    };
    for (const auto& [label, language] : cases)
        EXPECT_EQ(languageOfYearLabel(label), language) << platform::utf8FromUtf16(label);
}
