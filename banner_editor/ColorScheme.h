#pragma once

// Colour schemes: the nineteen two-colour entries that give a banner its look, the materials of a
// layout that carry them, and the .vccs text file that stores a scheme.
//
// A .vccs file is plain text: nineteen lines in entry order, each ending in CR LF, each holding six
// integers (red, green, blue of colour 1, then of colour 2), every integer written as a space, its
// digits and a space. A reader takes the numbers in sequence, six per entry, and accepts any run of
// spaces, tabs, commas and line ends between them.

#include <array>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "banner_editor/LayoutBuffer.h"
#include "banner_editor/LayoutFormat.h"
#include "platform/Bytes.h"
#include "platform/Result.h"

namespace banner_editor {

inline constexpr std::size_t SCHEME_ENTRY_COUNT = 19;
inline constexpr std::size_t SCHEME_NUMBER_COUNT = SCHEME_ENTRY_COUNT * 6;

// Which of the main window's four language lists (in the order of its cmbRegion lists) suffixes the
// material of a language entry.
enum class SchemeLanguageList { None = -1, Title = 0, Year = 1, Players = 2, Rating = 3 };

struct SchemeEntry
{
    std::string_view name;     // the entry's name: frame caption, scheme line, editing label
    std::string_view material; // the material read from a layout (the base name for language entries)
    SchemeLanguageList language = SchemeLanguageList::None;
};

// The nineteen entries in file order; the materials are the layout's (LayoutFormat.h).
inline constexpr std::array<SchemeEntry, SCHEME_ENTRY_COUNT> SCHEME_ENTRIES{{
    {"PFLINE", layout::SCHEME_MATERIALS[0]},
    {"T_PF", layout::SCHEME_MATERIALS[1]},
    {"Shade", layout::SCHEME_MATERIALS[2]},
    {"Back0", layout::SCHEME_MATERIALS[3]},
    {"Back1", layout::SCHEME_MATERIALS[4]},
    {"Back2", layout::SCHEME_MATERIALS[5]},
    {"Back3", layout::SCHEME_MATERIALS[6]},
    {"Back4", layout::SCHEME_MATERIALS[7]},
    {"YearLine", layout::SCHEME_MATERIALS[8]},
    {"PlayLine", layout::SCHEME_MATERIALS[9]},
    {"T_VCTitle", layout::SCHEME_MATERIALS[10], SchemeLanguageList::Title},
    {"T_Play", layout::SCHEME_MATERIALS[11], SchemeLanguageList::Players},
    {"T_Year", layout::SCHEME_MATERIALS[12], SchemeLanguageList::Year},
    {"T_ESRB", layout::SCHEME_MATERIALS[13], SchemeLanguageList::Rating},
    {"VCPic", layout::SCHEME_MATERIALS[14]},
    {"VCPicBase", layout::SCHEME_MATERIALS[15]},
    {"VCPicSha", layout::SCHEME_MATERIALS[16]},
    {"BackMask1", layout::SCHEME_MATERIALS[17]},
    {"BackMask2", layout::SCHEME_MATERIALS[18]},
}};

// Index of the entry with this name (exact case, "PFLINE" in upper case), or SCHEME_ENTRY_COUNT.
std::size_t schemeEntryIndex(std::string_view entryName);

// The materials that applying a scheme writes for an entry, in order: the material itself, or for a
// language entry the material followed by "_" and each language code. Layouts name the Japanese title
// material either "T_VCTitle_JAP" or "T_VCTitle_JPN"; both are written (a missing one is skipped).
std::vector<std::string> writtenMaterials(const SchemeEntry& entry);

// A scheme: colour 1 and colour 2 of every entry, in entry order.
using ColorScheme = std::array<MaterialColors, SCHEME_ENTRY_COUNT>;

// Parses .vccs text. Fewer than 114 numbers, a token that is not a decimal number, or a value outside
// 0-255 is a BadFormat error naming the entry; numbers after the 114th are ignored.
[[nodiscard]] platform::Result<ColorScheme> parseScheme(platform::ByteView text);

// The .vccs text of a scheme: nineteen CR LF lines of " r1  g1  b1  r2  g2  b2 ".
platform::Bytes formatScheme(const ColorScheme& scheme);

// The file of a named scheme: programFolder/schemes/<name>.vccs (found without regard to case).
std::filesystem::path schemePath(const std::filesystem::path& programFolder, std::string_view name);

// True when saving a scheme of that name would replace a file: the name is usable and its file exists.
bool schemeExists(const std::filesystem::path& programFolder, std::string_view name);

// The scheme names in the schemes folder ("*.vccs", sorted by name, without the extension).
std::vector<std::string> schemeNames(const std::filesystem::path& programFolder);

// Reads a named scheme. A missing or unreadable file is an error (NotFound/ReadFailed), bad content
// as in parseScheme; the message names the scheme and the file looked for.
[[nodiscard]] platform::Result<ColorScheme> loadScheme(const std::filesystem::path& programFolder,
                                                       std::string_view name);

// Writes a named scheme (atomically, creating the schemes folder when needed). An empty name, or one
// holding a path separator, ":" or control characters, or naming "." or "..", is a BadArgument error.
[[nodiscard]] platform::Result<void> saveScheme(const std::filesystem::path& programFolder, std::string_view name,
                                                const ColorScheme& scheme);

// Writes every entry's colours into every material of writtenMaterials (Set_Mat_Colors): colour 1 with
// alpha 0, colour 2 keeping its alpha. Missing materials are skipped; the length never changes.
void applyScheme(platform::Bytes& buffer, const ColorScheme& scheme);

// Loads the named scheme and applies it. When the scheme cannot be loaded the buffer is left unchanged
// and the error is returned.
[[nodiscard]] platform::Result<void>
Apply_Scheme_brlyt(platform::Bytes& buffer, const std::filesystem::path& programFolder, std::string_view name);

// The items selected in the main window's four language lists (title, year, players, rating), e.g.
// "ENG" or "NONE"; an empty text when a list has no selection.
using LanguageItems = std::array<std::string, 4>;

// Reads every entry's colours from a layout into scheme ("Get Color Scheme"). A language entry reads
// its material followed by "_" and the item of its language list, and the base material when that one
// is not found (always for "NONE"); the Japanese title also tries "T_VCTitle_JAP". An entry whose
// material is missing keeps the colours it had.
void readSchemeFromLayout(platform::ByteView buffer, const LanguageItems& languages, ColorScheme& scheme);

// One colour of an entry: red, green, blue.
struct Rgb
{
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// Colour 1 (box 0) or colour 2 (box 1) of an entry.
Rgb boxColor(const MaterialColors& colors, int box);
void setBoxColor(MaterialColors& colors, int box, Rgb color);

} // namespace banner_editor
