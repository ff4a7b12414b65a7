#pragma once

// Byte layout of the texture containers the programs exchange: the TPL header fields the suite
// reads or patches itself, the WTE wrapper, and where a TPL's texture data sits inside a NeoGeo save
// banner and an NES title executable. All TPL fields are big-endian.

#include <array>
#include <cstddef>
#include <cstdint>

namespace textures {

// TPL header fields (offsets from the first byte of the TPL).
inline constexpr std::array<std::uint8_t, 4> TPL_MAGIC_BYTES{0x00, 0x20, 0xAF, 0x30};
inline constexpr std::size_t TPL_IMAGE_COUNT_OFFSET = 4;
inline constexpr std::size_t TPL_TABLE_OFFSET_FIELD = 8;
inline constexpr std::size_t TPL_FIRST_HEADER_FIELD = 12;
inline constexpr std::size_t TPL_FIRST_PALETTE_FIELD = 16;
// First image's height (u16) and width (u16) in a one-image TPL, whose image header sits at 0x14.
inline constexpr std::size_t TPL_SINGLE_HEIGHT_OFFSET = 20;
inline constexpr std::size_t TPL_SINGLE_WIDTH_OFFSET = 22;

// A one-image TPL as the converter writes it: 64 header bytes, then the texture data to the end.
inline constexpr std::size_t SINGLE_TPL_HEADER_SIZE = 64;

// WTE: "WTE", 0, width (u8), 0, height (u8), 25 zero bytes, then the texture data to the end.
inline constexpr std::array<std::uint8_t, 3> WTE_MAGIC_BYTES{'W', 'T', 'E'};
inline constexpr std::size_t WTE_WIDTH_OFFSET = 4;
inline constexpr std::size_t WTE_HEIGHT_OFFSET = 6;
inline constexpr std::size_t WTE_HEADER_SIZE = 32;
inline constexpr int WTE_MAX_DIMENSION = 255; // width and height are single bytes

// NeoGeo save banner (banner.bin): 32-byte banner header, 128-byte title area, then the texture data
// of the nine-image save TPL (its bytes from NEOGEO_TPL_HEADER_SIZE on).
inline constexpr std::size_t NEOGEO_BANNER_HEADER_SIZE = 32;
inline constexpr std::size_t NEOGEO_TEXTURE_OFFSET = 160;
inline constexpr std::size_t NEOGEO_TPL_HEADER_SIZE = 416;

// NES title executable (00000001.app): the save TPL is found by its first 16 header bytes (five
// images, table at 12, first image header at 52) and taken as this many bytes from there.
inline constexpr std::array<std::uint8_t, 16> NES_TPL_SIGNATURE{0x00, 0x20, 0xAF, 0x30, 0x00, 0x00, 0x00, 0x05,
                                                                0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x34};
inline constexpr std::size_t NES_TPL_SIZE = 43264; // 0xA900: 192x64 + 4 x 48x48 16-bit images

// Data files under the program folder.
inline constexpr const char* HEADERS_FOLDER = "headers";
inline constexpr const char* SINGLE_HEADER_FILE = "single.hdr";
inline constexpr const char* NEOGEO_HEADER_FILE = "neogeo.hdr";
inline constexpr const char* TEMPLATES_FOLDER = "templates";
inline constexpr const char* NEOGEO_BANNER_TEMPLATE_FILE = "tpl_neogeo_header.bin";
// The texture editor's working folder and the TPL the readers leave there.
inline constexpr const char* TEMP_FOLDER = "temp";
inline constexpr const char* TEMP_TPL_FILE = "temp.tpl";

} // namespace textures
