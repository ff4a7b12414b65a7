#pragma once

// The TPL texture library: format constants and the placement rules our converter writes by.
//
// Every field is big-endian. A TPL written by tpl_converter is laid out as
//
//     file header        12 bytes   magic 00 20 AF 30, image count, image table offset (always 0x0C)
//     image table        8 bytes per image: image header offset, palette header offset (0 = none)
//     image headers      36 bytes each, one after the other, in image order
//     palette headers    12 bytes each, for the palette formats only (our converter writes none)
//     pixel data         each image's data starts at a multiple of 32; every block is 32 or 64 bytes,
//                        so consecutive images follow each other without padding
//
// Image header fields as written: height, width, format, data offset, wrap S 0, wrap T 0,
// min filter 1, mag filter 1, LOD bias 0.0, edge LOD 0, min LOD 0, max LOD 0, unpacked 0.
//
// Consequences the other programs rely on:
//   one image:                         header at 0x14, data at 64 (0x40); a 48x48 RGB565 file is 4672 bytes
//   192x64 + 4 x 48x48 (16-bit):       headers at 52, 88, 124, 160, 196; data at 256; 43264 bytes in all
//   192x64 + 8 x 48x48 (16-bit):       headers at 84 ... 372; data at 416; 61856 bytes in all

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace tools {

inline constexpr std::uint32_t TPL_MAGIC = 0x0020AF30;
inline constexpr std::uint32_t TPL_FILE_HEADER_SIZE = 12;
inline constexpr std::uint32_t TPL_TABLE_OFFSET = 0x0C;
inline constexpr std::uint32_t TPL_TABLE_ENTRY_SIZE = 8;
inline constexpr std::uint32_t TPL_IMAGE_HEADER_SIZE = 36;
inline constexpr std::uint32_t TPL_PALETTE_HEADER_SIZE = 12;
inline constexpr std::uint32_t TPL_DATA_ALIGNMENT = 32;

// Image header field offsets, relative to the image header.
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

// Filter values our converter writes (linear), as the usual TPL writers do.
inline constexpr std::uint32_t TPL_FILTER_LINEAR = 1;

// The largest width or height the converter accepts (the hardware's texture size limit).
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

// The name scripts and messages use for a format ("RGB565", "RGB5A3", ...); "" for an unknown code.
std::string_view formatName(TexFormat f);
// The format a script keyword names, without regard to case ("RGBA8" is accepted for RGBA32).
std::optional<TexFormat> formatFromName(std::string_view name);

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

// Offset of image i's header in a TPL of `count` images.
constexpr std::uint32_t imageHeaderOffset(std::uint32_t count, std::uint32_t i)
{
    return TPL_FILE_HEADER_SIZE + count * TPL_TABLE_ENTRY_SIZE + i * TPL_IMAGE_HEADER_SIZE;
}

// Offset of the first image's pixel data when `count` images (without palettes) are written.
constexpr std::uint32_t firstDataOffset(std::uint32_t count)
{
    return static_cast<std::uint32_t>(alignUp(imageHeaderOffset(count, count), TPL_DATA_ALIGNMENT));
}

// What the writer needs to know of one image to place it.
struct ImageShape
{
    std::uint32_t width;
    std::uint32_t height;
    TexFormat format;
};

// Where everything of a TPL goes: header offsets, data offsets, and the total file size.
struct TplPlacement
{
    std::vector<std::uint32_t> headerOffsets;
    std::vector<std::uint32_t> dataOffsets;
    std::uint64_t totalSize = 0;
};

// Places images by the rules above. Formats must be known ones without a palette.
TplPlacement placeImages(std::span<const ImageShape> images);

static_assert(firstDataOffset(1) == 64);
static_assert(imageHeaderOffset(5, 0) == 52 && firstDataOffset(5) == 256);
static_assert(imageHeaderOffset(9, 0) == 84 && firstDataOffset(9) == 416);

} // namespace tools
