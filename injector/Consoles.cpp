#include "injector/Consoles.h"

#include "platform/TextCodec.h"

namespace injector {

namespace {

constexpr std::u16string_view SEGA_CFG = u"\\00000005_app_out\\meta\\data_ccf_out\\misc_ccf_zlib_out\\banner.cfg.txt";
constexpr std::u16string_view SEGA_FILTER = u"SEGA banner.cfg (banner.cfg.txt)|banner.cfg.txt|All Files (*.*)|*.*";

constexpr std::array<ConsoleInfo, CONSOLE_COUNT> CONSOLES = {{
    {u"NeoGeo", "neogeo", u"\\banner.bin", u"NeoGeo Save", u"\\banner.tpl",
     u"NeoGeo Save Banner (banner.bin)|banner.bin|All Files (*.*)|*.*", u"NeoGeo"},
    {u"NES /FC", "nes", u"\\00000001.app", u"NES Save", u"\\banner.tpl",
     u"NES 1.app (00000001.app)|00000001.app|All Files (*.*)|*.*", u""},
    {u"SNES /SFC", "snes", u"\\00000001.app", u"SNES Save", u"",
     u"SNES 1.app (00000001.app)|00000001.app|All Files (*.*)|*.*", u""},
    {u"N64", "n64", u"\\00000005_app_out\\meta\\", u"N64 Save", u"", u"", u""},
    {u"Genesis/ Mega Drive", "gen", SEGA_CFG, u"Genesis Save", u"", SEGA_FILTER, u"Genesis"},
    {u"Tg-16 / PCE", "tg16", u"\\00000005_app_out\\meta\\TITLE.TXT", u"TG-16 Save", u"",
     u"TG TITLE.txt (TITLE.txt)|TITLE.txt|All Files (*.*)|*.*", u""},
    {u"Master System", "sms", SEGA_CFG, u"Master Sys Save", u"", SEGA_FILTER, u"Master System"},
    {u"C-64", "c64", u"\\00000001.app", u"C64 Save", u"", u"C64 1.app (00000001.app)|00000001.app|All Files (*.*)|*.*",
     u""},
    {u"MSX", "msx", SEGA_CFG, u"MSX Save", u"", u"MSX banner.cfg (banner.cfg.txt)|banner.cfg.txt|All Files (*.*)|*.*",
     u"MSX"},
}};

} // namespace

const ConsoleInfo& consoleInfo(int index)
{
    return CONSOLES.at(static_cast<std::size_t>(index));
}

int consoleOfCode(std::string_view code)
{
    const std::string lower = platform::asciiLower(code);
    for (int i = 0; i < CONSOLE_COUNT; ++i)
        if (CONSOLES[static_cast<std::size_t>(i)].code == lower)
            return i;
    return NO_CONSOLE;
}

std::u16string_view destinationFilter(int index)
{
    if (index < 0 || index >= CONSOLE_COUNT)
        return ALL_FILES_FILTER;
    return consoleInfo(index).destFilter;
}

bool isSegaFamily(int index)
{
    return index == CON_GENESIS || index == CON_MASTER_SYSTEM || index == CON_MSX;
}

FieldLayout fieldLayout(int index)
{
    const bool englishOnly = index == CON_NEOGEO || index == CON_NES || index == CON_SNES;
    return FieldLayout{!englishOnly, index == CON_N64, isSegaFamily(index)};
}

} // namespace injector
