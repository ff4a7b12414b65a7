#pragma once

// The banner layout (.brlyt) fields the editor reads or writes. Everything is big-endian. Offsets of a
// section are counted from the first byte of its four-letter magic; offsets of a material entry from
// the first byte of its name.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace banner_editor::layout {

// File header.
inline constexpr std::size_t HEADER_FILE_SIZE = 0x08; // u32 total file size

// Every section opens with its magic and a u32 size that includes these eight bytes.
inline constexpr std::size_t SECTION_SIZE = 0x04;
inline constexpr std::string_view TEXT_PANE_MAGIC = "txt1";
inline constexpr std::string_view MATERIALS_MAGIC = "mat1";

// Text pane section (txt1).
inline constexpr std::size_t PANE_NAME = 0x0C;          // name, then 00 bytes (24 bytes with user data)
inline constexpr std::size_t TEXT_BUFFER_LENGTH = 0x4C; // u16, bytes the pane reserves for its text
inline constexpr std::size_t TEXT_LENGTH = 0x4E;        // u16, text bytes including the 00 00 terminator
inline constexpr std::size_t TEXT_OFFSET = 0x58;        // u32, where the text starts in the section
inline constexpr std::size_t TEXT_START = 0x74;         // the text offset of every well-formed pane
// Text box fields that must stay in front of the text whatever the section claims.
inline constexpr std::size_t TEXT_HEAD_MIN = 0x50;
inline constexpr std::size_t SECTION_ALIGNMENT = 4;

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
inline constexpr std::array<std::uint8_t, 8> GROUP_END{'g', 'r', 'e', '1', 0x00, 0x00, 0x00, 0x08};
inline constexpr std::string_view ROOT_GROUP = "RootGroup";
inline constexpr std::size_t ROOT_GROUP_ZEROS = 11;

// Pane-name vocabulary of the banners the editor edits.
inline constexpr std::array<std::string_view, 7> LANGUAGE_CODES{"ENG", "GER", "FRA", "ITA", "SPA", "NED", "JPN"};
inline constexpr std::string_view TITLE_PANE = "T_VCTitle";
inline constexpr std::string_view YEAR_PANE = "T_Year";
inline constexpr std::string_view PLAYERS_PANE = "T_Play";
inline constexpr std::string_view RATING_PANE = "T_ESRB";
inline constexpr std::string_view SYSTEM_PANE = "T_PF";
inline constexpr std::string_view LANGUAGE_SEPARATOR = "_";
// Appended to a pane prefix ("T_Year_" + "NONE") to address the pane without language ("T_Year").
inline constexpr std::string_view NO_LANGUAGE_SUFFIX = "_NONE";

// Names that region forcing rewrites, each followed by a language code.
inline constexpr std::array<std::string_view, 4> REGION_NAME_PREFIXES{"T_YEAR_", "T_PLAY_", "T_ESRB_", "L"};

// The logo texture beside the layout: a file whose name begins with this (exact case).
inline constexpr std::string_view LOGO_TEXTURE_PREFIX = "my_Back";

} // namespace banner_editor::layout
