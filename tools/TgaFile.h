#pragma once

// Truevision TGA pictures: the converter reads them, the viewer writes them.
//
// Read: image types 1 (colour-mapped), 2 (true colour), 3 (grey) and their RLE forms 9, 10, 11; 8, 15/16,
// 24 and 32 bits per pixel; colour maps of 15/16, 24 or 32-bit entries; either origin (descriptor bit 5)
// and right-to-left rows (bit 4). The fourth byte of a 32-bit pixel is alpha, as most readers take it,
// also when the descriptor counts no alpha bits. Anything after the pixels (a footer) is ignored.
// Write: 32-bit uncompressed, first row on top (descriptor 0x28), B G R A per pixel.

#include "RgbaImage.h"
#include "platform/Bytes.h"
#include "platform/Result.h"

namespace tools {

inline constexpr std::size_t TGA_HEADER_SIZE = 18;
inline constexpr std::uint8_t TGA_TYPE_MAPPED = 1;
inline constexpr std::uint8_t TGA_TYPE_TRUE_COLOUR = 2;
inline constexpr std::uint8_t TGA_TYPE_GREY = 3;
inline constexpr std::uint8_t TGA_TYPE_RLE_FLAG = 8;
inline constexpr std::uint8_t TGA_DESC_RIGHT_TO_LEFT = 0x10;
inline constexpr std::uint8_t TGA_DESC_TOP_FIRST = 0x20;
inline constexpr std::uint8_t TGA_DESC_INTERLEAVE = 0xC0;

struct TgaPicture
{
    RgbaImage image;
    // Whether the file carries alpha (32-bit pixels, 16-bit pixels or map entries with an attribute
    // bit); grey and 24-bit pictures do not, and read as opaque.
    bool hasAlpha = false;
};

// A file that is no TGA picture fails with "not a TGA picture (...)", one this reader cannot take with
// "a TGA picture of a kind not supported: ...", a damaged one with "a damaged TGA picture: ...":
// messages that complete "<file> is ", for the caller that knows the file's name.
[[nodiscard]] platform::Result<TgaPicture> readTga(platform::ByteView file);
platform::Bytes writeTga(const RgbaImage& image);

} // namespace tools
