#pragma once

// The texture containers the programs exchange, as bytes: the TPL texture library, the WTE wrapper, the
// save banner (banner.bin, "WIBN") and where a save TPL sits inside a NeoGeo save banner and an NES
// title executable. This header is the only home of their magics, sizes and offsets; textures/,
// tools/ and injector/ include it through the header-only target texture_format.
//
// Every multi-byte field is big-endian. A TPL is laid out as
//
//     file header        12 bytes   magic 00 20 AF 30, image count, image table offset (0x0C as written)
//     image table        8 bytes per image: image header offset, palette header offset (0 = none)
//     image headers      36 bytes each
//     palette headers    12 bytes each, for the palette formats only
//     pixel data         each image's data starts at a multiple of 32
//
// Consequences the programs rely on (see firstDataOffset below):
//   one image:                         header at 0x14, data at 64 (0x40); a 48x48 RGB565 file is 4672 bytes
//   192x64 + 4 x 48x48 (16-bit):       headers at 52, 88, 124, 160, 196; data at 256; 43264 bytes in all
//   192x64 + 8 x 48x48 (16-bit):       headers at 84 ... 372; data at 416; 61856 bytes in all

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace textures {

// ---- TPL --------------------------------------------------------------------------------------------

inline constexpr std::uint32_t TPL_MAGIC = 0x0020AF30;
inline constexpr std::array<std::uint8_t, 4> TPL_MAGIC_BYTES{
    static_cast<std::uint8_t>(TPL_MAGIC >> 24), static_cast<std::uint8_t>(TPL_MAGIC >> 16),
    static_cast<std::uint8_t>(TPL_MAGIC >> 8), static_cast<std::uint8_t>(TPL_MAGIC)};

// File header: magic, u32 image count (TPL_IMAGE_COUNT), u32 offset of the image table.
inline constexpr std::uint32_t TPL_IMAGE_COUNT = 0x04;
inline constexpr std::uint32_t TPL_FILE_HEADER_SIZE = 12;
// The image table's offset as TPL writers store it: right after the file header.
inline constexpr std::uint32_t TPL_TABLE_OFFSET = TPL_FILE_HEADER_SIZE;
inline constexpr std::uint32_t TPL_TABLE_ENTRY_SIZE = 8;
inline constexpr std::uint32_t TPL_IMAGE_HEADER_SIZE = 36;
inline constexpr std::uint32_t TPL_PALETTE_HEADER_SIZE = 12;
inline constexpr std::uint32_t TPL_DATA_ALIGNMENT = 32;

// Image header fields, relative to the image header: u16 height, u16 width, u32 format, u32 data
// offset, u32 wrap S, u32 wrap T, u32 min filter, u32 mag filter, f32 LOD bias, u8 edge LOD, u8 min
// LOD, u8 max LOD, u8 unpacked.
inline constexpr std::uint32_t TPL_IMG_HEIGHT = 0x00;
inline constexpr std::uint32_t TPL_IMG_WIDTH = 0x02;
inline constexpr std::uint32_t TPL_IMG_FORMAT = 0x04;
inline constexpr std::uint32_t TPL_IMG_DATA_OFFSET = 0x08;
inline constexpr std::uint32_t TPL_IMG_WRAP_S = 0x0C;
inline constexpr std::uint32_t TPL_IMG_WRAP_T = 0x10;
inline constexpr std::uint32_t TPL_IMG_MIN_FILTER = 0x14;
inline constexpr std::uint32_t TPL_IMG_MAG_FILTER = 0x18;
inline constexpr std::uint32_t TPL_IMG_LOD_BIAS = 0x1C;
inline constexpr std::uint32_t TPL_IMG_MAX_LOD = 0x22;

// The filter value TPL writers put in both filter fields (linear).
inline constexpr std::uint32_t TPL_FILTER_LINEAR = 1;

// The largest width or height a texture may have (the hardware's limit).
inline constexpr std::uint32_t TPL_MAX_DIMENSION = 1024;

// Texel format codes.
enum class TexFormat : std::uint32_t {
    I4 = 0,
    I8 = 1,
    IA4 = 2,
    IA8 = 3,
    RGB565 = 4,
    RGB5A3 = 5,
    RGBA32 = 6,
    C4 = 8,
    C8 = 9,
    C14X2 = 10,
    CMPR = 14,
};

// Palette entry formats of a palette header.
enum class PaletteFormat : std::uint32_t {
    IA8 = 0,
    RGB565 = 1,
    RGB5A3 = 2,
};

// Block geometry of a texel format: pixels are stored in blockWidth x blockHeight tiles of blockBytes.
struct FormatInfo
{
    std::uint32_t blockWidth;
    std::uint32_t blockHeight;
    std::uint32_t bitsPerPixel;
    std::uint32_t blockBytes;
};

// The geometry of a format code, or nothing for an unknown code.
constexpr std::optional<FormatInfo> formatInfo(std::uint32_t code)
{
    switch (static_cast<TexFormat>(code)) {
    case TexFormat::I4:
    case TexFormat::C4:
    case TexFormat::CMPR:
        return FormatInfo{8, 8, 4, 32};
    case TexFormat::I8:
    case TexFormat::IA4:
    case TexFormat::C8:
        return FormatInfo{8, 4, 8, 32};
    case TexFormat::IA8:
    case TexFormat::RGB565:
    case TexFormat::RGB5A3:
    case TexFormat::C14X2:
        return FormatInfo{4, 4, 16, 32};
    case TexFormat::RGBA32:
        return FormatInfo{4, 4, 32, 64};
    }
    return std::nullopt;
}

constexpr bool hasPalette(TexFormat f)
{
    return f == TexFormat::C4 || f == TexFormat::C8 || f == TexFormat::C14X2;
}

constexpr std::uint64_t alignUp(std::uint64_t value, std::uint64_t alignment)
{
    return (value + alignment - 1) / alignment * alignment;
}

// Bytes of pixel data for a width x height image: whole blocks, computed in 64 bits so a header's
// sizes can be checked against the file before anything is allocated.
constexpr std::uint64_t textureDataSize(const FormatInfo& info, std::uint64_t width, std::uint64_t height)
{
    const std::uint64_t blocksX = (width + info.blockWidth - 1) / info.blockWidth;
    const std::uint64_t blocksY = (height + info.blockHeight - 1) / info.blockHeight;
    return blocksX * blocksY * info.blockBytes;
}

// Offset of image i's header in a TPL of `count` images whose headers follow the table.
constexpr std::uint32_t imageHeaderOffset(std::uint32_t count, std::uint32_t i)
{
    return TPL_FILE_HEADER_SIZE + count * TPL_TABLE_ENTRY_SIZE + i * TPL_IMAGE_HEADER_SIZE;
}

// Offset of the first image's pixel data when `count` images (without palettes) are written.
constexpr std::uint32_t firstDataOffset(std::uint32_t count)
{
    return static_cast<std::uint32_t>(alignUp(imageHeaderOffset(count, count), TPL_DATA_ALIGNMENT));
}

// A one-image TPL: its header part (file header, table, image header) is this long and the texture
// data runs from there to the end; its image's height and width sit at these offsets.
inline constexpr std::size_t SINGLE_TPL_HEADER_SIZE = firstDataOffset(1);
inline constexpr std::size_t SINGLE_TPL_HEIGHT = imageHeaderOffset(1, 0) + TPL_IMG_HEIGHT;
inline constexpr std::size_t SINGLE_TPL_WIDTH = imageHeaderOffset(1, 0) + TPL_IMG_WIDTH;

static_assert(SINGLE_TPL_HEADER_SIZE == 64 && SINGLE_TPL_HEIGHT == 0x14 && SINGLE_TPL_WIDTH == 0x16);
static_assert(imageHeaderOffset(5, 0) == 52 && firstDataOffset(5) == 256);
static_assert(imageHeaderOffset(9, 0) == 84 && firstDataOffset(9) == 416);

// ---- WTE --------------------------------------------------------------------------------------------

// "WTE", 0, width (u8), 0, height (u8), 25 zero bytes, then a one-image TPL's texture data to the end.
inline constexpr std::array<std::uint8_t, 4> WTE_MAGIC_BYTES{'W', 'T', 'E', 0x00};
inline constexpr std::size_t WTE_WIDTH = 4;
inline constexpr std::size_t WTE_HEIGHT = 6;
inline constexpr std::size_t WTE_HEADER_SIZE = 32;
inline constexpr int WTE_MAX_DIMENSION = 255; // width and height are single bytes

// ---- Save banner (banner.bin) -----------------------------------------------------------------------

// A save banner opens with "WIBN". The NeoGeo save banner is a 32-byte banner header, a 128-byte
// title area, then the texture data of the nine-image save TPL (its bytes from NEOGEO_TPL_HEADER_SIZE
// on: banner 192x64 and eight 48x48 icons, all RGB5A3).
inline constexpr std::array<std::uint8_t, 4> SAVE_BANNER_MAGIC{'W', 'I', 'B', 'N'};
inline constexpr std::size_t NEOGEO_BANNER_HEADER_SIZE = 32;
inline constexpr std::size_t NEOGEO_TEXTURE_OFFSET = 160;
inline constexpr std::size_t NEOGEO_TITLE_OFFSET = NEOGEO_BANNER_HEADER_SIZE;
inline constexpr std::size_t NEOGEO_TITLE_AREA = NEOGEO_TEXTURE_OFFSET - NEOGEO_TITLE_OFFSET;
inline constexpr std::uint32_t NEOGEO_TPL_IMAGES = 9;
inline constexpr std::size_t NEOGEO_TPL_HEADER_SIZE = firstDataOffset(NEOGEO_TPL_IMAGES);
static_assert(NEOGEO_TITLE_AREA == 128 && NEOGEO_TPL_HEADER_SIZE == 416);

// Save banner texture sizes: the banner, then up to eight animation icons, each RGB5A3.
inline constexpr std::uint32_t SAVE_BANNER_WIDTH = 192;
inline constexpr std::uint32_t SAVE_BANNER_HEIGHT = 64;
inline constexpr std::uint32_t SAVE_ICON_SIZE = 48;
inline constexpr std::uint32_t SAVE_ICON_MAX_COUNT = 8;

// ---- NES title executable (00000001.app) ------------------------------------------------------------

// The embedded save TPL is found by its first 16 header bytes (five images, table at 12, first image
// header at 52) and taken as NES_TPL_SIZE bytes from there.
inline constexpr std::uint32_t NES_TPL_IMAGES = 5;
constexpr std::array<std::uint8_t, 16> nesTplSignature()
{
    const std::array<std::uint32_t, 4> fields{TPL_MAGIC, NES_TPL_IMAGES, TPL_TABLE_OFFSET,
                                              imageHeaderOffset(NES_TPL_IMAGES, 0)};
    std::array<std::uint8_t, 16> bytes{};
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(fields[i / 4] >> (8 * (3 - i % 4)));
    return bytes;
}
inline constexpr std::array<std::uint8_t, 16> NES_TPL_SIGNATURE = nesTplSignature();
static_assert(NES_TPL_SIGNATURE[7] == 5 && NES_TPL_SIGNATURE[11] == 0x0C && NES_TPL_SIGNATURE[15] == 0x34);
inline constexpr std::size_t NES_TPL_SIZE = 43264; // 0xA900: 192x64 + 4 x 48x48 16-bit images
static_assert(NES_TPL_SIZE == firstDataOffset(NES_TPL_IMAGES) + (192 * 64 + 4 * 48 * 48) * 2);

} // namespace textures
