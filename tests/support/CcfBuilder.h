#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace test_support {

// One member of a test CCF archive. The name is raw bytes (any value, cut at 20); the sizes and the
// offset field default to what a packer writes for the stored bytes, and can be set to anything to
// make a damaged entry.
struct CcfMember
{
    std::string name;
    platform::Bytes stored = {};
    std::optional<std::uint32_t> origSize = std::nullopt;    // default: stored.size() (a plain member)
    std::optional<std::uint32_t> offsetField = std::nullopt; // default: where the data lands, divided by 32
    std::optional<std::uint32_t> sizeField = std::nullopt;   // default: stored.size()
};

// Builds a CCF archive laid out as a packer lays it out: the 32-byte header ("CCF", the table offset
// 32 at byte 16, the count at byte 20), the 32-byte entries (little-endian fields), then each
// member's stored bytes at a multiple of 32, padded with zero bytes.
platform::Bytes buildCcf(const std::vector<CcfMember>& members);

// The little-endian 32-bit value at offset (the caller keeps offset + 4 inside bytes).
std::uint32_t readLe32(const platform::Bytes& bytes, std::size_t offset);

// zlib's compress() of the bytes at the default level (the caller links zlib).
platform::Bytes zlibStream(platform::ByteView bytes);

// A member stored compressed: the zlib stream of content, declared with content's size.
CcfMember compressedMember(const std::string& name, const platform::Bytes& content);

} // namespace test_support
