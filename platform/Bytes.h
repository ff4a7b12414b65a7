#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// A file's whole content, or any run of bytes the formats are built from.
using Bytes = std::vector<std::uint8_t>;
using ByteView = std::span<const std::uint8_t>;

inline constexpr std::size_t NOT_FOUND = static_cast<std::size_t>(-1);

// Exact byte search: offset of the first occurrence of needle at or after from, or NOT_FOUND.
// An empty needle is found at from (when from <= haystack size).
std::size_t findBytes(ByteView haystack, ByteView needle, std::size_t from = 0);

// Offset of the last occurrence of needle, or NOT_FOUND.
std::size_t findLastBytes(ByteView haystack, ByteView needle);

// Every non-overlapping occurrence of from replaced by to, scanning left to right.
Bytes replaceAllBytes(ByteView haystack, ByteView from, ByteView to);

// The bytes of an 8-bit text (each character's code as one byte; ASCII in practice).
Bytes bytesOf(std::string_view text);

// An offset or size as messages show it: "0x" and upper-case hexadecimal digits ("0x1A40").
std::string hexText(std::uint64_t value);

// Big-endian field access on a byte string the caller has bounds-checked.
inline std::uint16_t readBe16(ByteView b, std::size_t at)
{
    return static_cast<std::uint16_t>((b[at] << 8) | b[at + 1]);
}
inline std::uint32_t readBe32(ByteView b, std::size_t at)
{
    return (std::uint32_t{b[at]} << 24) | (std::uint32_t{b[at + 1]} << 16) | (std::uint32_t{b[at + 2]} << 8) |
           std::uint32_t{b[at + 3]};
}
inline void writeBe16(Bytes& b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v >> 8);
    b[at + 1] = static_cast<std::uint8_t>(v);
}
inline void writeBe32(Bytes& b, std::size_t at, std::uint32_t v)
{
    b[at] = static_cast<std::uint8_t>(v >> 24);
    b[at + 1] = static_cast<std::uint8_t>(v >> 16);
    b[at + 2] = static_cast<std::uint8_t>(v >> 8);
    b[at + 3] = static_cast<std::uint8_t>(v);
}

} // namespace platform
