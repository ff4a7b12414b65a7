#pragma once

// Offsets, sizes and marks of the files the injector patches or rewrites. All offsets are 0-based
// byte offsets.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "textures/ContainerFormat.h"

namespace injector {

// The kinds of texture file the injection takes or writes over, by their first bytes: a TPL, a WTE
// and a save banner ("WIBN"); the container header holds their layout.
using textures::SAVE_BANNER_MAGIC;
using textures::TPL_MAGIC_BYTES;
using textures::WTE_MAGIC_BYTES;

// NeoGeo save banner banner.bin: template head, title area, then the texture data of a TPL whose
// header part (image table and all image headers) is dropped; the byte layout is the shared container
// header's, since the texture editor reads these files back. The head comes from a template in the
// program folder.
using textures::NEOGEO_BANNER_HEADER_SIZE;
using textures::NEOGEO_TEXTURE_OFFSET;
using textures::NEOGEO_TITLE_AREA;
using textures::NEOGEO_TITLE_OFFSET;
using textures::NEOGEO_TPL_HEADER_SIZE;
// The banner head is the start of this template, which ships in the program folder.
inline constexpr const char* TEMPLATES_FOLDER = "templates";
inline constexpr const char* NEOGEO_BANNER_TEMPLATE_FILE = "tpl_neogeo_header.bin";
// The title is followed by U+000D, so 63 UTF-16 units fill the area exactly.
inline constexpr std::size_t NEOGEO_TITLE_MAX_UNITS = NEOGEO_TITLE_AREA / 2 - 1;

// NES 00000001.app: the embedded five-image save TPL (found by its signature, 43264 bytes as the
// texture editor takes it) and the UTF-16BE title after it.
using textures::NES_TPL_SIGNATURE;
using textures::NES_TPL_SIZE;
inline constexpr std::array<std::uint8_t, 15> NES_TITLE_LEAD_IN = {0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB,
                                                                   0xA2, 0xDB, 0xA2, 0xDB, 0xA2, 0xDB, 0x00};
// The region starts at the lead-in's last byte, the high byte of the first title character.
inline constexpr std::size_t NES_TITLE_LEAD_IN_SKIP = 14;
inline constexpr std::string_view NES_TITLE_END = "VirtualIF.c";

// SNES 00000001.app: two Shift-JIS lines after the ticket name's first occurrence.
inline constexpr std::size_t SNES_TITLE_FROM_TICKET = 64;
inline constexpr std::size_t SNES_LINE_SIZE = 40;
inline constexpr std::size_t SNES_SPLIT_UNITS = 32;
inline constexpr std::string_view TICKET_MARK = ".rom";
inline constexpr std::size_t TICKET_NAME_SIZE = 4;

// C64 00000001.app: two UTF-16BE lines after the "/banner.bin" anchor.
inline constexpr std::array<std::uint8_t, 13> C64_ANCHOR = {'/', 'b', 'a', 'n', 'n',  'e', 'r',
                                                            '.', 'b', 'i', 'n', 0x00, 0x00};
inline constexpr std::size_t C64_TITLE_FROM_ANCHOR = 12;
inline constexpr std::size_t C64_LINE_SIZE = 68;
inline constexpr std::size_t C64_TITLE_BLOCK = 2 * C64_LINE_SIZE; // 136

// N64 save-comment file.
inline constexpr std::size_t N64_TITLE_LENGTH_A = 45;
inline constexpr std::size_t N64_TITLE_LENGTH_B = 47; // the readers take the length from here
inline constexpr std::size_t N64_FILE_LENGTH_A = 55;
inline constexpr std::size_t N64_FILE_LENGTH_B = 59;
inline constexpr std::size_t N64_HEADER_SIZE = 64;
inline constexpr std::size_t N64_MAX_TITLE_BYTES = 255;
inline constexpr std::size_t N64_MAX_FILE_SIZE = 255 + 4; // the length field holds size - 4 in a byte
inline constexpr std::string_view N64_COMMENT_PREFIX = "saveComments_saveComments_";
inline constexpr std::string_view N64_COMMENT_SUFFIX = ".bin";

// The UTF-16BE title files (Sega banner.cfg.txt, TG16 TITLE.TXT).
inline constexpr std::array<std::uint8_t, 3> TITLE_FILE_START = {0xFE, 0xFF, 0x00};
inline constexpr std::array<std::uint8_t, 4> UTF16_LINE_END = {0x00, 0x0D, 0x00, 0x0A};
inline constexpr std::u16string_view SEGA_HEADER_MARK = u"IconFile:";
inline constexpr std::size_t SEGA_HEADER_LINES = 4;

// Texture files inside the extracted 00000005.app, and the N64 save banner in the meta folder.
inline constexpr std::string_view CONTENT_FOLDER = "00000005_app_out\\";
inline constexpr std::string_view TICKET_APP = "00000005.app";
inline constexpr std::u16string_view SNES_TEXTURE_FILE = u"banner.tpl";
inline constexpr std::u16string_view C64_TEXTURE_FILE = u"LZ77_banner.tpl";
inline constexpr std::u16string_view TG16_TEXTURE_FILE = u"savedata.tpl";
inline constexpr std::u16string_view N64_TEXTURE_FILE = u"save_banner.tpl";

} // namespace injector
