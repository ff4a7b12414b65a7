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

// "Current Brlyt" reads the file in the path field only when it is a layout; otherwise no colour changes.
TEST_F(ColorEditorTest, ReadsColoursOnlyFromALayout)
{
    editor.setColors(plainScheme(7));
    folder.write("notes.brlyt", std::string("notes"));
    const std::vector<std::pair<std::u16string, std::string>> cases{{u"\\missing.brlyt", "File Not Found!"},
                                                                    {u"\\notes.brlyt", "is not a banner layout"}};
    for (const auto& [path, message] : cases) {
        editor.bannerPathText = path;
        auto read = editor.readFromLayout();
        ASSERT_FALSE(read.ok());
        EXPECT_NE(read.error().message.find(message), std::string::npos) << read.error().message;
        EXPECT_EQ(editor.colors(), plainScheme(7));
    }
}
