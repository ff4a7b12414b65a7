#pragma once

// LZ77 type 0x10, as the GBA BIOS and Wii titles read it.
//
// Header: 0x10, then the uncompressed size as 24-bit little-endian. Then groups of one flag byte
// (bits read from the top, 1 = reference) and up to eight items: a literal byte, or a two-byte reference
// b0 b1 with length (b0 >> 4) + 3 (3..18) and distance ((b0 & 0x0F) << 8 | b1) + 1 (1..4096), copied
// byte by byte so that a distance shorter than the length repeats a pattern. The compressed data is
// padded with zeros to a multiple of 4.

#include <array>
#include <cstdint>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace tools {

// Wii files often put the ASCII magic "LZ77" before the header; embedded data often lacks it.
inline constexpr std::array<std::uint8_t, 4> LZ77_MAGIC{'L', 'Z', '7', '7'};
inline constexpr std::uint8_t LZ77_TYPE = 0x10;
inline constexpr std::uint8_t LZ77_TYPE_LZ11 = 0x11;
inline constexpr std::size_t LZ77_HEADER_SIZE = 4;
inline constexpr std::size_t LZ77_MIN_MATCH = 3;
inline constexpr std::size_t LZ77_MAX_MATCH = 18;
inline constexpr std::size_t LZ77_WINDOW = 4096;
inline constexpr std::size_t LZ77_MAX_SIZE = 0xFFFFFF; // the header's 24-bit size field

// The smallest stream the format allows for the input: every position's longest match is found in the
// whole window, and the parse minimises the bit count (9 per literal, 17 per reference, which fixes the
// byte count too). Inputs over 0xFFFFFF bytes do not fit the header and are an error.
[[nodiscard]] platform::Result<platform::Bytes> compressLz77(platform::ByteView input);

// The plain greedy parse (always the longest match here), for comparison.
[[nodiscard]] platform::Result<platform::Bytes> compressLz77Greedy(platform::ByteView input);

// Errors read as what follows "<file> is ": "too large for ...", "not an LZ77 type 0x10 stream (...)",
// "a damaged LZ77 stream: ...".

// Decompresses a stream, with or without the "LZ77" magic in front; a 24-bit size of 0 followed by a
// 32-bit size is accepted too. A reference reaching before the start of the output, a stream that ends
// before the declared size is produced, or another compression type is an error. A reference running
// past the declared size is cut there; bytes after the end are ignored.
[[nodiscard]] platform::Result<platform::Bytes> decompressLz77(platform::ByteView input);

} // namespace tools
