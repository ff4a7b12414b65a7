#pragma once

// The CCF archive layout: a 32-byte header, a table of 32-byte member entries, then the members'
// data, each member starting at a multiple of 32 and padded with zero bytes to the next one.
//
// Header: "CCF", zero bytes, the table offset and the member count. The packer writes the table
// offset as the single byte at 16 and the count as the single byte at 20; a reader takes the four
// bytes ending at each of those as a big-endian number, which gives the same values for every
// archive whose other header bytes are zero.
//
// Entry: a 20-byte name padded with zero bytes (a 20-character name has no terminator), then three
// little-endian 32-bit values: the data offset divided by 32, the stored size and the uncompressed
// size. A member is a zlib stream exactly when its two sizes differ.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace archive_tool {

inline constexpr std::string_view CCF_MAGIC = "CCF";
inline constexpr std::size_t HEADER_SIZE = 32;
inline constexpr std::size_t ENTRY_SIZE = 32;
inline constexpr std::size_t NAME_SIZE = 20;
inline constexpr std::uint32_t ALIGNMENT = 32;

// Where a reader finds the big-endian table offset and member count.
inline constexpr std::size_t TABLE_OFFSET_AT = 13;
inline constexpr std::size_t MEMBER_COUNT_AT = 17;
// Where the packer writes them, one byte each.
inline constexpr std::size_t PACKED_TABLE_OFFSET_AT = 16;
inline constexpr std::size_t PACKED_MEMBER_COUNT_AT = 20;

// Entry fields after the name.
inline constexpr std::size_t ENTRY_OFFSET_AT = 20;
inline constexpr std::size_t ENTRY_SIZE_AT = 24;
inline constexpr std::size_t ENTRY_ORIG_SIZE_AT = 28;

// The packer writes the member count as one byte.
inline constexpr std::size_t MAX_MEMBERS = 255;

// On disk a compressed member X is the file X + ".zlib" holding the decompressed bytes.
inline constexpr std::u16string_view ZLIB_SUFFIX = u".zlib";

// Title of the messages about zlib results.
inline constexpr std::string_view COMPRESSION_ERROR_TITLE = "Compression Error";

// One member as the table describes it. Offset is in bytes (the entry's field times 32), held in
// 64 bits so that a damaged field cannot wrap around to a plausible offset.
struct CcfEntry
{
    std::u16string FileName; // the name bytes as 8-bit text, zero bytes removed
    std::uint64_t Offset = 0;
    std::uint32_t Size = 0;
    std::uint32_t OrigSize = 0;

    bool compressed() const { return Size != OrigSize; }
};

} // namespace archive_tool
