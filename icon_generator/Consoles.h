#pragma once

// The consoles the generator knows, as data: what each one is called, which template pictures its
// save icon is drawn on, where the source picture goes on them, and what save data it receives.
// The console index is the position in the console list (0-based); NO_CONSOLE stands for "none
// selected", which has a row of its own.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace icon_generator {

// The three kinds of save data: NeoGeo's nine-frame TPL, the WTE set of the Sega-style titles, and
// the five-frame TPL of every other console.
enum class Family { NeoGeo, Wte, Tpl };

// A rectangle in a frame, in pixels.
struct Rect
{
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

struct Console
{
    std::string_view listItem; // as the console list shows it ("" for the none row)
    std::string_view code;     // template names and the command line ("" for the none row)
    int frameBTemplate;        // the template number of frame B: 9, 7 or 5
    Family family;
    std::optional<Rect> frameARect; // where the source is painted into frame A (none: A is the template)
    std::optional<Rect> frameBRect; // where the source is painted into frame B (C-64 only)
    Rect bannerRect;                // where the source is painted into the banner frame
    // The save-data file (TPL and NeoGeo families) or, for the WTE group, the banner WTE written when
    // the destination holds none yet.
    std::string_view saveFile;
    bool compressed; // the save TPL is LZ77-compressed by gbalzss (C-64)
};

inline constexpr int NO_CONSOLE = -1;
inline constexpr int NEOGEO = 0;
inline constexpr int MEGA_DRIVE = 4;
inline constexpr int C64 = 8;
inline constexpr int MSX = 11;

// The fourteen consoles in list order.
std::span<const Console> consoles();

// The console at an index of the list, or the none row for NO_CONSOLE (and any index outside it).
const Console& consoleAt(int index);

// The index of the console whose code is exactly code (letter case counts), or NO_CONSOLE.
int consoleIndexOf(std::u16string_view code);

// The index setSys selects for a code: the console of that code, NeoGeo for any other text.
int setSysIndex(std::u16string_view code);

// The codes of every console, separated by ", " (for messages and usage).
std::string consoleCodes();

} // namespace icon_generator
