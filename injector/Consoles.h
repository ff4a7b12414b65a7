#pragma once

// The console model: which file and source kind each emulated console's title uses, its defaults and
// the field layout the window shows for it. The index is the position in the console list.

#include <array>
#include <string>
#include <string_view>

namespace injector {

enum ConsoleIndex : int {
    CON_NEOGEO = 0,
    CON_NES = 1,
    CON_SNES = 2,
    CON_N64 = 3,
    CON_GENESIS = 4,
    CON_TG16 = 5,
    CON_MASTER_SYSTEM = 6,
    CON_C64 = 7,
    CON_MSX = 8,
};
inline constexpr int CONSOLE_COUNT = 9;
inline constexpr int NO_CONSOLE = -1;

struct ConsoleInfo
{
    std::u16string_view item;         // the console list's entry
    std::string_view code;            // command-line code
    std::u16string_view destination;  // destination set on selection
    std::u16string_view englishTitle; // English title set on selection
    std::u16string_view source;       // source set on selection; empty: left unchanged
    std::u16string_view destFilter;   // open-dialog filter ("desc|pattern|desc|pattern"); empty: folder
    std::u16string_view previewLine2; // fixed second summary line; empty: the title's own
};

// index must be 0..8.
const ConsoleInfo& consoleInfo(int index);

// The console of a command-line code (any letter case), or NO_CONSOLE.
int consoleOfCode(std::string_view code);

// Filter of the destination dialog; an index outside 0..8 gets "All Files".
std::u16string_view destinationFilter(int index);
inline constexpr std::u16string_view ALL_FILES_FILTER = u"All Files (*.*)|*.*";

// Consoles whose title files live in a Sega-style banner.cfg.txt with WTE textures beside it.
bool isSegaFamily(int index);

// What the window shows for a console.
struct FieldLayout
{
    bool allTitleSlots;     // false: the English slot only
    bool folderDestination; // "Folder to Inject:" instead of "File to Inject:"
    bool wteMode;           // the source is a folder of WTE files
};
FieldLayout fieldLayout(int index);

// The seven title slots: label captions (written into Sega title files) and language-list items.
inline constexpr int TITLE_SLOTS = 7;
inline constexpr int ENGLISH_SLOT = 1;
inline constexpr std::array<std::u16string_view, TITLE_SLOTS> TITLE_LABELS = {u"JP:", u"EN:", u"GE:", u"FR:",
                                                                              u"SP:", u"IT:", u"DU:"};
inline constexpr std::array<std::u16string_view, TITLE_SLOTS> LANGUAGE_ITEMS = {u"JP", u"EN", u"GE", u"FR",
                                                                                u"SP", u"IT", u"NL"};

} // namespace injector
