#include "icon_generator/Consoles.h"

#include <algorithm>
#include <array>

namespace icon_generator {
namespace {

// The two layouts of the source on the frames: the Nintendo-style titles put it into a 40 x 30 area
// of frame A and a 58 x 44 area of the banner, the Sega-style ones into larger areas.
constexpr Rect SMALL_ICON{4, 9, 40, 30};
constexpr Rect SMALL_BANNER{10, 10, 58, 44};
constexpr Rect WIDE_ICON{2, 8, 44, 32};
constexpr Rect MSX_ICON{2, 9, 44, 31};
constexpr Rect WIDE_BANNER{8, 8, 69, 48};
// C-64: frame A keeps its template, frame B and the banner take the source whole.
constexpr Rect C64_FRAME_B{0, 0, 48, 48};
constexpr Rect C64_BANNER{0, 0, 85, 64};

constexpr Console tplConsole(std::string_view item, std::string_view code, std::string_view file)
{
    return {item, code, 5, Family::Tpl, SMALL_ICON, std::nullopt, SMALL_BANNER, file, false};
}

constexpr Console wteConsole(std::string_view item, std::string_view code, Rect icon, std::string_view bannerWte)
{
    return {item, code, 7, Family::Wte, icon, std::nullopt, WIDE_BANNER, bannerWte, false};
}

constexpr std::array<Console, 14> TABLE{{
    {"NeoGeo", "neogeo", 9, Family::NeoGeo, SMALL_ICON, std::nullopt, SMALL_BANNER, "banner.tpl", false},
    tplConsole("NES", "nes", "banner.tpl"),
    tplConsole("SNES", "snes", "banner.tpl"),
    tplConsole("N64", "n64", "save_banner.tpl"),
    wteConsole("Mega Drive", "smd", WIDE_ICON, "banner_eu.wte"),
    wteConsole("Genesis", "gen", WIDE_ICON, "banner.wte"),
    tplConsole("TG-16", "tg16", "savedata.tpl"),
    wteConsole("Master System", "sms", WIDE_ICON, "banner.wte"),
    {"C-64", "c64", 5, Family::Tpl, std::nullopt, C64_FRAME_B, C64_BANNER, "LZ77_banner.tpl", true},
    tplConsole("Famicom", "fc", "banner.tpl"),
    tplConsole("S Famicom", "sfc", "banner.tpl"),
    wteConsole("MSX", "msx", MSX_ICON, "banner.wte"),
    wteConsole("Mega Drive (Jp)", "mdj", WIDE_ICON, "banner.wte"),
    tplConsole("PC Engine", "pce", "banner.tpl"),
}};

constexpr Console NONE_ROW = tplConsole("", "", "banner.tpl");

static_assert(TABLE[MEGA_DRIVE].code == "smd" && TABLE[C64].code == "c64" && TABLE[MSX].code == "msx");

} // namespace

std::span<const Console> consoles()
{
    return TABLE;
}

const Console& consoleAt(int index)
{
    if (index < 0 || index >= static_cast<int>(TABLE.size()))
        return NONE_ROW;
    return TABLE[static_cast<std::size_t>(index)];
}

int consoleIndexOf(std::u16string_view code)
{
    for (std::size_t i = 0; i < TABLE.size(); ++i) {
        const std::string_view known = TABLE[i].code;
        if (code.size() == known.size() && std::equal(known.begin(), known.end(), code.begin()))
            return static_cast<int>(i);
    }
    return NO_CONSOLE;
}

int setSysIndex(std::u16string_view code)
{
    const int index = consoleIndexOf(code);
    return index == NO_CONSOLE ? NEOGEO : index;
}

std::string consoleCodes()
{
    std::string codes;
    for (const auto& console : TABLE)
        codes += (codes.empty() ? "" : ", ") + std::string(console.code);
    return codes;
}

} // namespace icon_generator
