#pragma once

// The colour preview as a scene: every element of the banner mock-up with its rectangle, colours and
// text, worked out from a colour scheme, the main window's fields and the layout buffer. The colour
// window paints the scene; everything that decides what the preview shows lives here, without widgets.
//
// Coordinates are preview units, PREVIEW_UNITS_PER_PIXEL to a pixel, with (0, 0) at the preview's
// top-left corner. The fixed distances of the placement rules (the 525 units between the platform line
// and the system name) are in these units.

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "banner_editor/ColorScheme.h"
#include "banner_editor/PreviewGradient.h"

namespace banner_editor {

inline constexpr int PREVIEW_UNITS_PER_PIXEL = 15;
inline constexpr int PREVIEW_WIDTH = 512 * PREVIEW_UNITS_PER_PIXEL;
inline constexpr int PREVIEW_HEIGHT = 288 * PREVIEW_UNITS_PER_PIXEL;
inline constexpr int PREVIEW_GRADIENT_STEPS = 256;

// How far left of the system name the second platform line starts.
inline constexpr int PLATFORM_LINE_LEAD = 525;

// The font of the five banner texts and the sideways logo lettering ("@" = vertical writing: the
// lettering is turned a quarter turn clockwise).
inline constexpr std::string_view BANNER_TEXT_FONT = "Wii NTLG Gothic Regular";
inline constexpr std::string_view LOGO_LETTERING_FONT = "@Arial Unicode MS";
// The system name is drawn bold at this pixel size; the measuring label uses the same font.
inline constexpr int SYSTEM_TEXT_PIXEL_SIZE = 15;

// The captions the preview shows while the main window's fields are empty.
inline constexpr std::u16string_view DEFAULT_TITLE_CAPTION = u"Game Title";
inline constexpr std::u16string_view DEFAULT_SYSTEM_CAPTION = u"Console";
inline constexpr std::u16string_view DEFAULT_YEAR_CAPTION = u"Released: ????";
inline constexpr std::u16string_view DEFAULT_PLAYERS_CAPTION = u"Players: ?-?";
inline constexpr std::u16string_view DEFAULT_RATING_CAPTION = u"ESRB Rating: ????";

struct PreviewRect
{
    int x = 0, y = 0, width = 0, height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
    bool operator==(const PreviewRect&) const = default;
};

// A filled shape, with an outline when outlineWidth > 0.
struct PreviewShape
{
    PreviewRect rect;
    Rgb fill;
    Rgb outline;
    int outlineWidth = 0;
};

// A text label: the text ("\n" for a line break), its colour and font. Texts are drawn from the
// rectangle's top-left corner and wrap inside its width when wrap is set.
struct PreviewText
{
    PreviewRect rect;
    std::u16string text;
    Rgb color;
    std::string font;
    int pixelSize = 12;
    bool bold = false;
    bool wrap = false;
};

// A gradient painted over a rectangle of the preview; the bands are in the same coordinates.
struct PreviewGradientArea
{
    PreviewRect rect;
    std::vector<GradientBand> bands;
};

struct PreviewScene
{
    PreviewShape band;             // the background band
    PreviewGradientArea lowerMask; // the first mask shape's rectangle, painted with its gradient
    PreviewShape secondMask;
    std::array<PreviewText, 4> logoLettering;
    PreviewShape pictureFrame; // the channel picture's frame
    std::array<PreviewShape, 3> platformLines;
    PreviewGradientArea yearLine;
    PreviewGradientArea playersLine;
    PreviewText system, title, year, players, rating;
};

// What the preview takes from the main window: its five fields (field texts, "^" for a line break)
// and the items selected in its four language lists.
struct PreviewFields
{
    std::u16string title, year, players, rating, system;
    LanguageItems languages;
};

// The width, in preview units, of a text drawn as the system name.
using TextMeasure = std::function<int(std::u16string_view text)>;

// The scene for these colours, fields and layout. measure sizes the hidden label that places the
// system name: it is given the system name as an 8-bit text holds it.
PreviewScene MakePreview(const ColorScheme& colors, const PreviewFields& fields, platform::ByteView layout,
                         const TextMeasure& measure);

// The rectangle of the hidden label that measures the system name (its left edge and top are fixed).
PreviewRect systemMeasureRect(int measuredWidth);

// Where the players text's two lines start: a one-line text sits one line lower.
PreviewRect playersTextRect(bool twoLines);

} // namespace banner_editor
