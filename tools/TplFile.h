#pragma once

// Writing and reading whole TPL files. The writer places everything by the rules of TplLayout.h; the
// reader follows the offsets the file gives (other writers interleave headers and data) and checks
// every offset and size against the file before touching the bytes.

#include <span>
#include <vector>

#include "RgbaImage.h"
#include "TexelCodec.h"
#include "TplLayout.h"
#include "platform/Bytes.h"
#include "platform/Result.h"

namespace tools {

// One image ready to be written: its shape and its encoded texture data.
struct EncodedImage
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TexFormat format = TexFormat::RGB565;
    platform::Bytes data; // textureDataSize() bytes
};

// Encodes pictures and lays them out as a TPL. Sizes up to TPL_MAX_DIMENSION; formats that
// canEncode().
[[nodiscard]] platform::Result<EncodedImage> encodeImage(const RgbaImage& image, TexFormat format);
platform::Bytes writeTpl(std::span<const EncodedImage> images);

// What the file says of one image, every offset checked to lie inside the file.
struct TplEntry
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    TexFormat format = TexFormat::RGB565;
    std::uint32_t dataOffset = 0;
    std::uint64_t dataSize = 0;
    std::vector<Rgba> palette; // decoded, for the palette formats
};

// A file that is no TPL fails with "not a TPL file (...)", a damaged one with "a damaged TPL file: ...":
// messages that complete "<file> is ", for the caller that knows the file's name.
[[nodiscard]] platform::Result<std::vector<TplEntry>> readTplEntries(platform::ByteView file);

// Every image of a TPL decoded to RGBA (the base level; mip levels are skipped).
[[nodiscard]] platform::Result<std::vector<RgbaImage>> decodeTpl(platform::ByteView file);

} // namespace tools
