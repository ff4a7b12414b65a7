#include "banner_editor/PreviewScene.h"

#include <algorithm>

#include "banner_editor/LayoutFormat.h"
#include "platform/TextCodec.h"

namespace banner_editor {

namespace {

namespace fmt = layout;

constexpr int U = PREVIEW_UNITS_PER_PIXEL;

// The mock-up's geometry in pixels: a wide band over the upper two thirds with the logo lettering
// running sideways at its left, the channel picture's frame, the game texts to its right with the two
// fading lines, the system name at the top right over its platform line, and the darker masks below.
constexpr PreviewRect BAND{0, 0, 512 * U, 200 * U};
constexpr PreviewRect FIRST_MASK{0, 200 * U, 512 * U, 88 * U};
constexpr PreviewRect SECOND_MASK{0, 274 * U, 512 * U, 14 * U};
constexpr PreviewRect PICTURE_FRAME{128 * U, 44 * U, 168 * U, 126 * U};
constexpr int LETTERING_LEFT = 8 * U, LETTERING_PITCH = 28 * U, LETTERING_WIDTH = 26 * U;
constexpr PreviewRect PLATFORM_LINE_0{0, 196 * U, 512 * U, 3 * U};
constexpr int PLATFORM_LINE_1_TOP = 36 * U, PLATFORM_LINE_1_HEIGHT = 4 * U;
constexpr PreviewRect PLATFORM_LINE_2{0, 272 * U, 512 * U, 2 * U};
constexpr PreviewRect SYSTEM_MEASURE{400 * U, 10 * U, 0, 22 * U};
constexpr PreviewRect TITLE{312 * U, 48 * U, 192 * U, 66 * U};
constexpr PreviewRect YEAR{312 * U, 118 * U, 192 * U, 18 * U};
constexpr PreviewRect YEAR_LINE{312 * U, 138 * U, 192 * U, 2 * U};
constexpr PreviewRect PLAYERS_REFERENCE{312 * U, 142 * U, 192 * U, 18 * U};
constexpr PreviewRect PLAYERS_LINE{312 * U, 182 * U, 192 * U, 2 * U};
constexpr PreviewRect RATING{312 * U, 212 * U, 192 * U, 40 * U};

const MaterialColors& entry(const ColorScheme& colors, std::string_view name)
{
    return colors[schemeEntryIndex(name)];
}
Rgb color1(const ColorScheme& colors, std::string_view name)
{
    return boxColor(entry(colors, name), 0);
}
Rgb color2(const ColorScheme& colors, std::string_view name)
{
    return boxColor(entry(colors, name), 1);
}

std::u16string withLineBreaks(std::u16string text)
{
    std::replace(text.begin(), text.end(), u'^', u'\n');
    return text;
}

// The pane text for a field's selected language: the suffixed pane, or the base pane for "NONE".
std::u16string paneTextFor(platform::ByteView layout, std::string_view base, const std::string& item)
{
    std::string name(base);
    if (!item.empty() && item != fmt::NO_LANGUAGE)
        name += std::string(fmt::LANGUAGE_SEPARATOR) + item;
    return Get_Txt1_Text(layout, name);
}

PreviewText bannerText(PreviewRect rect, std::u16string_view caption, Rgb color, int pixelSize, bool bold = false)
{
    return PreviewText{rect, std::u16string(caption), color, std::string(BANNER_TEXT_FONT), pixelSize, bold, true};
}

// A strip that is its own drawing surface: the gradient covers it whole, left to right.
PreviewGradientArea lineStrip(PreviewRect rect, Rgb left, Rgb right)
{
    const SurfaceSize surface{double(rect.width), double(rect.height)};
    auto bands = backgroundGradient(GradientDirection::LeftToRight, surface, left, right, PREVIEW_GRADIENT_STEPS, 0,
                                    rect.height, 0, rect.width);
    for (auto& b : bands) {
        b.x += rect.x;
        b.y += rect.y;
    }
    return {rect, std::move(bands)};
}

} // namespace

PreviewRect systemMeasureRect(int measuredWidth)
{
    PreviewRect r = SYSTEM_MEASURE;
    r.width = measuredWidth;
    return r;
}

PreviewRect playersTextRect(bool twoLines)
{
    PreviewRect r = PLAYERS_REFERENCE;
    if (!twoLines)
        r.y += PLAYERS_REFERENCE.height;
    r.height = 2 * PLAYERS_REFERENCE.height;
    return r;
}

PreviewScene MakePreview(const ColorScheme& colors, const PreviewFields& fields, platform::ByteView layout,
                         const TextMeasure& measure)
{
    PreviewScene s;
    const Rgb back1 = color1(colors, "Back1");

    // Shapes and lettering.
    for (std::size_t k = 0; k < s.platformLines.size(); ++k)
        s.platformLines[k] = {k == 2 ? PLATFORM_LINE_2 : PLATFORM_LINE_0, color2(colors, "PFLINE"),
                              color1(colors, "PFLINE"), U};
    s.band = {BAND, back1, {}, 0};
    static constexpr std::array<std::string_view, 4> LETTERING_ENTRIES{"Back1", "Back2", "Back3", "Back4"};
    for (std::size_t k = 0; k < s.logoLettering.size(); ++k) {
        const PreviewRect rect{LETTERING_LEFT + int(k) * LETTERING_PITCH, BAND.y, LETTERING_WIDTH, BAND.height};
        s.logoLettering[k] = {rect,
                              k % 2 == 0 ? u"GO LOGO LOGO" : u"LOGO LOGO LO",
                              color2(colors, LETTERING_ENTRIES[k]),
                              std::string(LOGO_LETTERING_FONT),
                              22,
                              true,
                              false};
    }
    s.secondMask = {SECOND_MASK, color2(colors, "BackMask2"), {}, 0};
    s.pictureFrame = {PICTURE_FRAME, color2(colors, "VCPic"), color1(colors, "VCPic"), 3 * U};

    // Text colours, with the design-time captions until the fields say otherwise.
    s.system = bannerText(SYSTEM_MEASURE, DEFAULT_SYSTEM_CAPTION, color2(colors, "T_PF"), SYSTEM_TEXT_PIXEL_SIZE, true);
    s.title = bannerText(TITLE, DEFAULT_TITLE_CAPTION, color2(colors, "T_VCTitle"), 20, true);
    s.year = bannerText(YEAR, DEFAULT_YEAR_CAPTION, color2(colors, "T_Year"), 13);
    s.players = bannerText(PLAYERS_REFERENCE, DEFAULT_PLAYERS_CAPTION, color2(colors, "T_Play"), 13);
    s.rating = bannerText(RATING, DEFAULT_RATING_CAPTION, color2(colors, "T_ESRB"), 12);

    // The gradients: two fading lines and the lower mask area, 256 steps each.
    s.yearLine = lineStrip(YEAR_LINE, color2(colors, "YearLine"), back1);
    s.playersLine = lineStrip(PLAYERS_LINE, color2(colors, "PlayLine"), back1);
    const SurfaceSize preview{double(PREVIEW_WIDTH), double(PREVIEW_HEIGHT)};
    s.lowerMask = {FIRST_MASK, backgroundGradient(GradientDirection::TopToBottom, preview, back1,
                                                  color2(colors, "BackMask1"), PREVIEW_GRADIENT_STEPS, FIRST_MASK.y,
                                                  FIRST_MASK.bottom(), FIRST_MASK.x, FIRST_MASK.right())};

    // Texts: title and system from the fields; year, players and rating as the layout holds them for
    // the languages selected in the main window.
    if (!fields.title.empty())
        s.title.text = withLineBreaks(fields.title);
    if (!fields.system.empty())
        s.system.text = fields.system;
    if (!fields.year.empty())
        if (auto t = paneTextFor(layout, fmt::YEAR_PANE, fields.languages[1]); !t.empty())
            s.year.text = std::move(t);
    if (!fields.players.empty())
        if (auto t = paneTextFor(layout, fmt::PLAYERS_PANE, fields.languages[2]); !t.empty())
            s.players.text = withLineBreaks(std::move(t));
    if (!fields.rating.empty())
        if (auto t = paneTextFor(layout, fmt::RATING_PANE, fields.languages[3]); !t.empty())
            s.rating.text = withLineBreaks(std::move(t));

    // The system name: an 8-bit label measures it. When the text survives the 8-bit round trip it takes
    // the label's place; otherwise (Japanese, for example) the measured width says little, so the name
    // gets a wider box reaching further left.
    const std::u16string eightBit = platform::textFromLatin1(platform::latin1FromText(s.system.text));
    const PreviewRect measured = systemMeasureRect(measure ? measure(eightBit) : 0);
    s.system.rect = measured;
    s.system.wrap = false;
    if (eightBit != s.system.text) {
        s.system.rect.x = measured.x - measured.width * 3 / 2;
        s.system.rect.width = measured.width * 5 / 2;
    }

    // The players text: a two-line text starts at its reference position, a one-line text a line lower.
    s.players.rect = playersTextRect(s.players.text.find(u'\n') != std::u16string::npos);

    // The platform line under the system name starts 525 units left of it and reaches the mask's right edge.
    PreviewShape& line1 = s.platformLines[1];
    line1.rect.x = s.system.rect.x - PLATFORM_LINE_LEAD;
    line1.rect.y = PLATFORM_LINE_1_TOP;
    line1.rect.height = PLATFORM_LINE_1_HEIGHT;
    line1.rect.width = FIRST_MASK.right() - line1.rect.x;
    return s;
}

} // namespace banner_editor
