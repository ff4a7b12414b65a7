#pragma once

// The banner layout (.brlyt) as the editor sees it: the fields it reads or writes, the markers it
// searches for and the names of the panes, materials and groups it edits. This header is the only
// place these are spelled. Everything is big-endian. Offsets of a section are counted from the first
// byte of its four-letter magic; offsets of a material entry from the first byte of its name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace banner_editor::layout {

// ---- File header --------------------------------------------------------------------------------------

// Every layout starts with this magic; a file that does not is not a banner layout and is never
// written over.
inline constexpr std::array<std::uint8_t, 4> FILE_MAGIC{'R', 'L', 'Y', 'T'};
inline constexpr std::size_t HEADER_FILE_SIZE = 0x08; // u32 total file size (the layout without padding)
inline constexpr std::size_t HEADER_END = 0x0C;       // the first section starts here

// ---- Sections -----------------------------------------------------------------------------------------

// Every section opens with its magic and a u32 size that includes these eight bytes.
inline constexpr std::size_t SECTION_SIZE = 0x04;
inline constexpr std::size_t SECTION_ALIGNMENT = 4;
inline constexpr std::array<std::uint8_t, 4> TEXT_PANE_MAGIC{'t', 'x', 't', '1'};
inline constexpr std::array<std::uint8_t, 4> MATERIALS_MAGIC{'m', 'a', 't', '1'};
inline constexpr std::size_t MATERIALS_FIRST_ENTRY_MIN = 0x0C; // a mat1 smaller than this holds no entry

// Text pane section (txt1).
inline constexpr std::size_t PANE_NAME = 0x0C;          // name, then 00 bytes (24 bytes with user data)
inline constexpr std::size_t PANE_NAME_LIST_WIDTH = 20; // what the pane list shows: 16 name + 4 user bytes
inline constexpr std::size_t TEXT_BUFFER_LENGTH = 0x4C; // u16, bytes the pane reserves for its text
inline constexpr std::size_t TEXT_LENGTH = 0x4E;        // u16, text bytes including the 00 00 terminator
inline constexpr std::size_t TEXT_HEAD_MIN = 0x50;      // text box fields that stay in front of any text
inline constexpr std::size_t TEXT_OFFSET = 0x58;        // u32, where the text starts in the section
inline constexpr std::size_t TEXT_START = 0x74;         // the text offset of every well-formed pane
inline constexpr std::size_t TEXT_LENGTH_MAX = 0xFFFF;  // the length fields are 16-bit

// Material entry (inside mat1).
inline constexpr std::size_t MATERIAL_NAME_LENGTH = 20; // ASCII, 00-padded, unterminated at 20
inline constexpr std::size_t MATERIAL_COLOR1 = 0x14;    // 4 x s16: red, green, blue, alpha
inline constexpr std::size_t MATERIAL_COLOR2 = 0x1C;    // 4 x s16
// The editor writes the 13 bytes from the low byte of colour 1's red to the low byte of colour 2's
// blue: colour 1 alpha becomes 0, colour 2 alpha is kept.
inline constexpr std::size_t MATERIAL_COLORS_FIRST = 0x15;
inline constexpr std::size_t MATERIAL_COLORS_END = 0x22; // one past the low byte of colour 2's blue

// The end of a layout: the group-end section closing the root group's children, or as a fallback
// eleven 00 bytes followed by the root group's name.
inline constexpr std::string_view GROUP_END{"gre1\0\0\0\x08", 8};
inline constexpr std::string_view ROOT_GROUP_END{"\0\0\0\0\0\0\0\0\0\0\0RootGroup", 20};

// ---- Names ----------------------------------------------------------------------------------------------

// The language codes that suffix pane, material and group names, in the order of the editor's lists.
inline constexpr std::string_view ENG = "ENG";
inline constexpr std::string_view GER = "GER";
inline constexpr std::string_view FRA = "FRA";
inline constexpr std::string_view ITA = "ITA";
inline constexpr std::string_view SPA = "SPA";
inline constexpr std::string_view NED = "NED";
inline constexpr std::string_view JPN = "JPN";
inline constexpr std::array<std::string_view, 7> LANGUAGE_CODES{ENG, GER, FRA, ITA, SPA, NED, JPN};
// The other spelling of Japanese that some layouts use for the title material ("T_VCTitle_JAP").
inline constexpr std::string_view JAP = "JAP";
// The list item for the panes without language suffix.
inline constexpr std::string_view NO_LANGUAGE = "NONE";

// Text panes: the base names; a language pane is base + "_" + code.
inline constexpr std::string_view TITLE_PANE = "T_VCTitle";
inline constexpr std::string_view YEAR_PANE = "T_Year";
inline constexpr std::string_view PLAYERS_PANE = "T_Play";
inline constexpr std::string_view RATING_PANE = "T_ESRB";
inline constexpr std::string_view SYSTEM_PANE = "T_PF";
inline constexpr std::string_view LANGUAGE_SEPARATOR = "_";
// Appended to a pane prefix ("T_Year_" + "NONE") to address the pane without language ("T_Year").
inline constexpr std::string_view NO_LANGUAGE_SUFFIX = "_NONE";

// The materials that carry a colour scheme's nineteen entries, in the scheme's order. The four
// language entries name their base material; a layout carries it with each language suffix.
inline constexpr std::array<std::string_view, 19> SCHEME_MATERIALS{
    "PFLine", "T_PF",      "Shade",    "Back0",     "Back1",      "Back2",   "Back3",
    "Back4",  "YearLine",  "PlayLine", TITLE_PANE,  PLAYERS_PANE, YEAR_PANE, RATING_PANE,
    "VCPic",  "VCPicBase", "VCPicSha", "BackMask1", "BackMask2"};

// Names that region forcing rewrites, each followed by a language code, in the order it rewrites them.
inline constexpr std::array<std::string_view, 4> REGION_NAME_PREFIXES{"T_YEAR_", "T_PLAY_", "T_ESRB_", "L"};

// The logo texture beside the layout: in the folder "timg" next to the layout's own folder, the first
// "*.tpl" whose name begins with "my_Back" (exact case).
inline constexpr std::string_view TEXTURE_FOLDER = "timg";
inline constexpr std::string_view TEXTURE_PATTERN = "*.tpl";
inline constexpr std::string_view LOGO_TEXTURE_PREFIX = "my_Back";

} // namespace banner_editor::layout
