#include "banner_editor/ColorEditor.h"

#include <gtest/gtest.h>

#include "BannerModelFixture.h"
#include "platform/TextCodec.h"

using namespace banner_editor;

namespace {

ColorScheme plainScheme(std::uint8_t base)
{
    ColorScheme s{};
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = MaterialColors{base, std::uint8_t(i), 0, std::uint8_t(255 - base), 0, std::uint8_t(i)};
    return s;
}

class ColorEditorTest : public banner_test::BannerModelFixture
{
protected:
    ColorEditor editor{model};
};

} // namespace

TEST(ColorComponent, WholeNumbersFrom0To255Only)
{
    const std::vector<std::pair<std::u16string, std::optional<std::uint8_t>>> cases{{u"0", 0},
                                                                                    {u"255", 255},
                                                                                    {u" 40 ", 40},
                                                                                    {u"007", 7},
                                                                                    {u"256", std::nullopt},
                                                                                    {u"-1", std::nullopt},
                                                                                    {u"1.5", std::nullopt},
                                                                                    {u"12x", std::nullopt},
                                                                                    {u"", std::nullopt},
                                                                                    {u"1000", std::nullopt}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(colorComponent(text), value) << platform::utf8FromUtf16(text);
}

// The edited box is a value: which entry and box, not a label to be parsed again.
TEST_F(ColorEditorTest, EditsTheChosenBoxThroughTheSwatch)
{
    editor.setColors(plainScheme(10));
    EXPECT_FALSE(editor.applySwatch()); // no box chosen yet
    EXPECT_EQ(editor.colors(), plainScheme(10));

    const std::size_t back0 = schemeEntryIndex("Back0");
    editor.selectBox(back0, 1);
    EXPECT_EQ(editor.editedBox(), (EditedBox{back0, 1}));
    EXPECT_EQ(editor.editedLabel(), "Back0 1");
    EXPECT_EQ(editor.swatch(), editor.color(back0, 1));

    EXPECT_FALSE(editor.setSwatchFromFields(u"1", u"x", u"3"));
    EXPECT_EQ(editor.swatch(), editor.color(back0, 1));
    EXPECT_TRUE(editor.setSwatchFromFields(u"1", u"2", u"3"));
    EXPECT_TRUE(editor.applySwatch());
    EXPECT_EQ(editor.color(back0, 1), (Rgb{1, 2, 3}));
    EXPECT_EQ(editor.color(back0, 0), boxColor(plainScheme(10)[back0], 0));
}

// Opening takes over the main window's path and scheme; saving a scheme says so and rebuilds both lists
// with nothing selected; closing hands the list back.
TEST_F(ColorEditorTest, SchemeListIsHandedOverBothWays)
{
    ASSERT_TRUE(saveScheme(folder.path(), "alpha", plainScheme(1)).ok());
    ASSERT_TRUE(saveScheme(folder.path(), "gamma", plainScheme(3)).ok());
    load(test_support::LayoutBuilder::vcBanner().build());
    model.refreshSchemeList();
    model.schemeSelection = 2;

    ASSERT_TRUE(editor.start().ok());
    EXPECT_EQ(editor.bannerPathText, model.pathText());
    EXPECT_EQ(editor.schemeSelection(), 2);
    EXPECT_EQ(editor.colors(), plainScheme(3));

    editor.setColors(plainScheme(7));
    ASSERT_TRUE(editor.saveScheme("beta").ok());
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt, "Color Scheme saved as beta");
    EXPECT_EQ(model.schemeItems, (std::vector<std::u16string>{u"Current Brlyt", u"alpha", u"beta", u"gamma"}));
    EXPECT_EQ(model.schemeSelection, -1);
    EXPECT_EQ(editor.schemeSelection(), -1);

    // "Current Brlyt" reads the file in the path field; a missing or foreign file changes no colour.
    editor.bannerPathText = u"\\missing.brlyt";
    EXPECT_EQ(editor.selectScheme(0).error().message, "File Not Found!");
    folder.write("notes.brlyt", std::string("notes"));
    editor.bannerPathText = u"\\notes.brlyt";
    EXPECT_NE(editor.selectScheme(0).error().message.find("not a banner layout"), std::string::npos);
    EXPECT_EQ(editor.colors(), plainScheme(7));

    editor.setSchemeSelection(1);
    editor.finish();
    EXPECT_EQ(model.schemeSelection, 1);
    EXPECT_EQ(model.schemeItems.size(), 4u);
}
