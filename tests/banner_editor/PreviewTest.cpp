#include <set>

#include <gtest/gtest.h>

#include "banner_editor/PreviewGradient.h"
#include "banner_editor/PreviewScene.h"
#include "support/LayoutBuilder.h"

using namespace banner_editor;
using test_support::LayoutBuilder;

namespace {

int red(Rgb c)
{
    return c.r;
}

Rgb grey(int v)
{
    return Rgb{std::uint8_t(v), std::uint8_t(v), std::uint8_t(v)};
}

// The Part's two gradients: horizontal bands top to bottom, and vertical strips left to right.
std::vector<GradientBand> vertical(SurfaceSize target, Rgb from, Rgb to, int steps, double VStart = 0, double VStop = 0,
                                   double HStart = 0, double HStop = 0)
{
    return backgroundGradient(GradientDirection::TopToBottom, target, from, to, steps, VStart, VStop, HStart, HStop);
}
std::vector<GradientBand> horizontal(SurfaceSize target, Rgb from, Rgb to, int steps, double VStart = 0,
                                     double VStop = 0, double HStart = 0, double HStop = 0)
{
    return backgroundGradient(GradientDirection::LeftToRight, target, from, to, steps, VStart, VStop, HStart, HStop);
}

// Entry i: colour 1 = (i, 1, 2), colour 2 = (100 + i, 3, 4), so every element's source is recognisable.
ColorScheme numberedScheme()
{
    ColorScheme s{};
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = MaterialColors{std::uint8_t(i), 1, 2, std::uint8_t(100 + i), 3, 4};
    return s;
}
Rgb c1(std::string_view entry)
{
    return Rgb{std::uint8_t(schemeEntryIndex(entry)), 1, 2};
}
Rgb c2(std::string_view entry)
{
    return Rgb{std::uint8_t(100 + schemeEntryIndex(entry)), 3, 4};
}

// A measure that gives every character 100 units and records what it was asked.
struct FakeMeasure
{
    std::u16string* asked;
    int operator()(std::u16string_view text) const
    {
        *asked = std::u16string(text);
        return int(text.size()) * 100;
    }
};

PreviewScene sceneFor(const PreviewFields& fields, platform::ByteView layout = {}, std::u16string* asked = nullptr)
{
    std::u16string ignored;
    return MakePreview(numberedScheme(), fields, layout, FakeMeasure{asked ? asked : &ignored});
}

} // namespace

TEST(PreviewGradient, BlackToWhiteOver256Steps)
{
    const auto bands = vertical({100, 512}, grey(0), grey(255), 256);
    ASSERT_EQ(bands.size(), 256u);
    std::set<int> values;
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const Rgb c = bands[i].color;
        EXPECT_EQ(red(c), int(255 * i / 256));
        EXPECT_EQ(c, grey(red(c)));
        if (i > 0) {
            EXPECT_GE(red(c), red(bands[i - 1].color));
        }
        values.insert(red(c));
        EXPECT_DOUBLE_EQ(bands[i].y, 2.0 * double(i)); // height / steps, from the top
        EXPECT_DOUBLE_EQ(bands[i].height, 2.0);
        EXPECT_DOUBLE_EQ(bands[i].x, 0.0);
        EXPECT_DOUBLE_EQ(bands[i].width, 100.0); // HStop 0 means the surface width
    }
    EXPECT_EQ(red(bands.front().color), 0);
    EXPECT_EQ(red(bands.back().color), 254); // the end colour is only approached
    EXPECT_EQ(values.size(), 255u);
}

TEST(PreviewGradient, FallingComponentsTruncateTowardZero)
{
    const auto bands = vertical({10, 10}, Rgb{255, 10, 0}, Rgb{0, 10, 3}, 256);
    EXPECT_EQ(bands[1].color, (Rgb{255, 10, 0})); // 255 - 255/256 truncates to 255, not 254
    EXPECT_EQ(bands[255].color, (Rgb{1, 10, 2}));
    EXPECT_EQ(gradientStepColor(Rgb{200, 0, 0}, Rgb{100, 0, 0}, 3, 4), (Rgb{125, 0, 0}));
    EXPECT_EQ(gradientStepColor(Rgb{0, 0, 0}, Rgb{0, 0, 9}, 1, 2), (Rgb{0, 0, 4}));
}

TEST(PreviewGradient, EqualColoursPaintAUniformRectangle)
{
    const Rgb c{12, 34, 56};
    for (const auto direction : {GradientDirection::TopToBottom, GradientDirection::LeftToRight})
        for (const auto& b : backgroundGradient(direction, {300, 20}, c, c, 256, 0, 0, 0, 0))
            EXPECT_EQ(b.color, c);
}

TEST(PreviewGradient, BandsCoverTheRequestedRectangle)
{
    // Vertical bands over a part of the surface: from VStart, (VStop - VStart) / steps high.
    auto v = vertical({640, 480}, grey(0), grey(255), 4, 100, 300, 20, 60);
    ASSERT_EQ(v.size(), 4u);
    EXPECT_DOUBLE_EQ(v[0].y, 100);
    EXPECT_DOUBLE_EQ(v[3].y + v[3].height, 300);
    EXPECT_DOUBLE_EQ(v[2].x, 20);
    EXPECT_DOUBLE_EQ(v[2].width, 40);

    // Horizontal strips from HStart, VStop 0 meaning the surface height.
    auto h = horizontal({640, 480}, grey(0), grey(255), 8, 0, 0, 40, 120);
    ASSERT_EQ(h.size(), 8u);
    EXPECT_DOUBLE_EQ(h[0].x, 40);
    EXPECT_DOUBLE_EQ(h[1].x, 50);
    EXPECT_DOUBLE_EQ(h[7].x + h[7].width, 120);
    EXPECT_DOUBLE_EQ(h[4].y, 0);
    EXPECT_DOUBLE_EQ(h[4].height, 480);
    auto whole = horizontal({640, 480}, grey(0), grey(255), 256);
    EXPECT_DOUBLE_EQ(whole[255].x + whole[255].width, 640);

    EXPECT_TRUE(vertical({10, 10}, grey(0), grey(1), 0).empty());
    EXPECT_TRUE(horizontal({10, 10}, grey(0), grey(1), -3).empty());
}

TEST(PreviewScene, EveryElementTakesItsEntrysColour)
{
    const PreviewScene s = sceneFor({});
    for (const auto& line : s.platformLines) {
        EXPECT_EQ(line.fill, c2("PFLINE"));
        EXPECT_EQ(line.outline, c1("PFLINE"));
    }
    EXPECT_EQ(s.band.fill, c1("Back1"));
    const char* lettering[] = {"Back1", "Back2", "Back3", "Back4"};
    for (std::size_t k = 0; k < 4; ++k) {
        EXPECT_EQ(s.logoLettering[k].color, c2(lettering[k]));
        EXPECT_EQ(s.logoLettering[k].text, k % 2 == 0 ? u"GO LOGO LOGO" : u"LOGO LOGO LO");
        EXPECT_EQ(s.logoLettering[k].font, LOGO_LETTERING_FONT);
    }
    EXPECT_EQ(s.secondMask.fill, c2("BackMask2"));
    EXPECT_EQ(s.pictureFrame.fill, c2("VCPic"));
    EXPECT_EQ(s.pictureFrame.outline, c1("VCPic"));
    EXPECT_EQ(s.system.color, c2("T_PF"));
    EXPECT_EQ(s.title.color, c2("T_VCTitle"));
    EXPECT_EQ(s.year.color, c2("T_Year"));
    EXPECT_EQ(s.players.color, c2("T_Play"));
    EXPECT_EQ(s.rating.color, c2("T_ESRB"));
    for (const PreviewText* t : {&s.system, &s.title, &s.year, &s.players, &s.rating})
        EXPECT_EQ(t->font, BANNER_TEXT_FONT);

    // The gradients: 256 steps from the line colour (left) or Back1 (top) toward their ends.
    ASSERT_EQ(s.yearLine.bands.size(), 256u);
    EXPECT_EQ(s.yearLine.bands.front().color, c2("YearLine"));
    EXPECT_EQ(s.yearLine.bands.back().color, gradientStepColor(c2("YearLine"), c1("Back1"), 255, 256));
    EXPECT_DOUBLE_EQ(s.yearLine.bands.front().x, s.yearLine.rect.x);
    EXPECT_NEAR(s.yearLine.bands.back().x + s.yearLine.bands.back().width, s.yearLine.rect.right(), 1e-6);
    EXPECT_EQ(s.playersLine.bands.front().color, c2("PlayLine"));
    EXPECT_EQ(s.lowerMask.bands.front().color, c1("Back1"));
    EXPECT_EQ(s.lowerMask.bands.back().color, gradientStepColor(c1("Back1"), c2("BackMask1"), 255, 256));
    EXPECT_DOUBLE_EQ(s.lowerMask.bands.front().y, s.lowerMask.rect.y);
    EXPECT_NEAR(s.lowerMask.bands.back().y + s.lowerMask.bands.back().height, s.lowerMask.rect.bottom(), 1e-6);
}

TEST(PreviewScene, EmptyFieldsKeepTheDesignCaptions)
{
    const platform::Bytes layout = LayoutBuilder::vcBanner().build();
    PreviewFields fields;
    fields.languages = {"ENG", "ENG", "ENG", "ENG"};
    const PreviewScene s = sceneFor(fields, layout);
    EXPECT_EQ(s.title.text, DEFAULT_TITLE_CAPTION);
    EXPECT_EQ(s.system.text, DEFAULT_SYSTEM_CAPTION);
    EXPECT_EQ(s.year.text, DEFAULT_YEAR_CAPTION); // the layout has a year, but the field is empty
    EXPECT_EQ(s.players.text, DEFAULT_PLAYERS_CAPTION);
    EXPECT_EQ(s.rating.text, DEFAULT_RATING_CAPTION);
}

TEST(PreviewScene, TextsComeFromTheFieldsAndTheLayout)
{
    LayoutBuilder builder = LayoutBuilder::vcBanner({"ENG", "GER"});
    builder.text("T_Year", u"Released: 1990");
    builder.text("T_Play_GER", u"Spieler\n1-4");
    builder.text("T_ESRB_ENG", u"ESRB Rating: E\nEveryone");
    const platform::Bytes layout = builder.build();

    PreviewFields fields{u"Star^Quest", u"1986", u"2", u"E", u"NES", {"ENG", "NONE", "GER", "ENG"}};
    const PreviewScene s = sceneFor(fields, layout);
    EXPECT_EQ(s.title.text, u"Star\nQuest");
    EXPECT_EQ(s.system.text, u"NES");
    EXPECT_EQ(s.year.text, u"Released: 1990"); // "NONE" reads the pane without language
    EXPECT_EQ(s.players.text, u"Spieler\n1-4");
    EXPECT_EQ(s.rating.text, u"ESRB Rating: E\nEveryone");

    // A language the layout lacks reads nothing, and the caption stays.
    fields.languages = {"ENG", "ITA", "ITA", "ITA"};
    const PreviewScene missing = sceneFor(fields, layout);
    EXPECT_EQ(missing.year.text, DEFAULT_YEAR_CAPTION);
    EXPECT_EQ(missing.players.text, DEFAULT_PLAYERS_CAPTION);
}

TEST(PreviewScene, TwoLinePlayersTextStartsALineHigher)
{
    LayoutBuilder builder = LayoutBuilder::vcBanner({"ENG", "JPN"});
    builder.text("T_Play_ENG", u"Players: 1-2");
    builder.text("T_Play_JPN", u"\u30D7\u30EC\u30A4\u4EBA\u6570\n1\uFF5E2\u4EBA");
    const platform::Bytes layout = builder.build();

    PreviewFields fields{u"", u"", u"2", u"", u"", {"ENG", "ENG", "ENG", "ENG"}};
    const PreviewScene one = sceneFor(fields, layout);
    fields.languages[2] = "JPN";
    const PreviewScene two = sceneFor(fields, layout);
    EXPECT_EQ(two.players.text.find(u'\n'), 5u);
    EXPECT_EQ(one.players.rect.y - two.players.rect.y, playersTextRect(true).height / 2);
    EXPECT_EQ(two.players.rect, playersTextRect(true));
    EXPECT_EQ(one.players.rect, playersTextRect(false));
}

TEST(PreviewScene, SystemNamePlacementAndItsPlatformLine)
{
    std::u16string asked;
    PreviewFields fields;
    fields.system = u"NES";
    const PreviewScene latin = sceneFor(fields, {}, &asked);
    EXPECT_EQ(asked, u"NES");
    EXPECT_EQ(latin.system.rect, systemMeasureRect(300));

    // Characters an 8-bit label cannot hold: the measure sees them lost, the box grows to the left.
    fields.system = u"\u30D5\u30A1\u30DF\u30B3\u30F3";
    const PreviewScene japanese = sceneFor(fields, {}, &asked);
    EXPECT_EQ(asked, u"?????");
    const PreviewRect measured = systemMeasureRect(500);
    EXPECT_EQ(japanese.system.rect.x, measured.x - 750);
    EXPECT_EQ(japanese.system.rect.width, 1250);
    EXPECT_EQ(japanese.system.text, fields.system);

    // Accented Latin-1 letters survive the 8-bit label.
    fields.system = u"Mega Driv\u00E9";
    EXPECT_EQ(sceneFor(fields).system.rect, systemMeasureRect(1000));

    for (const PreviewScene* s : {&latin, &japanese}) {
        const PreviewShape& line = s->platformLines[1];
        EXPECT_EQ(line.rect.x, s->system.rect.x - PLATFORM_LINE_LEAD);
        EXPECT_EQ(line.rect.right(), s->lowerMask.rect.right());
    }
}
