#pragma once

// Texel encoders and decoders for the TPL formats. Pixels are stored in blocks (TplLayout.h); the
// encoders fill padding pixels of partial blocks with zeros, the decoders skip them.
//
// Expanding n-bit channels to 8 bits replicates the top bits into the bottom ones (31 -> 255, 16 -> 132),
// as the hardware does; encoding rounds to the nearest n-bit value, so every value an n-bit field holds
// survives a decode and re-encode unchanged.

#include <array>
#include <cstdint>
#include <span>

#include "RgbaImage.h"
#include "TplLayout.h"
#include "platform/Bytes.h"
#include "platform/Result.h"

namespace tools {

using Rgba = std::array<std::uint8_t, 4>;

// Single values. RGB5A3 takes the opaque 1-5-5-5 form for alpha that shows as opaque (237 and up: it rounds
// to the top 3-bit value, which decodes as 255) and the 0-3-4-4-4 form otherwise.
std::uint16_t encodeRgb565(std::uint8_t r, std::uint8_t g, std::uint8_t b);
std::uint16_t encodeRgb5A3(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a);
std::uint16_t encodeIa8(std::uint8_t intensity, std::uint8_t alpha);
Rgba decodeRgb565(std::uint16_t v);
Rgba decodeRgb5A3(std::uint16_t v);
Rgba decodeIa8(std::uint16_t v);

// The grey level a colour format keeps when an intensity format is written (rounded Rec. 601 weights).
std::uint8_t intensityOf(std::uint8_t r, std::uint8_t g, std::uint8_t b);

// Whether the converter can write a format (every format without a palette, except CMPR).
bool canEncode(TexFormat format);

// The texture data of a picture in a format: textureDataSize() bytes.
[[nodiscard]] platform::Result<platform::Bytes> encodeTexture(const RgbaImage& image, TexFormat format);

// Palette entries (big-endian u16) decoded to colours.
[[nodiscard]] platform::Result<std::vector<Rgba>> decodePalette(platform::ByteView entries, std::uint32_t count,
                                                                std::uint32_t paletteFormat);

// Decodes width x height pixels from data, which must hold at least textureDataSize() bytes. The palette
// formats look their indexes up in palette; an index past its end is an error. Intensity formats
// decode to opaque grey.
[[nodiscard]] platform::Result<RgbaImage> decodeTexture(platform::ByteView data, std::uint32_t width,
                                                        std::uint32_t height, TexFormat format,
                                                        std::span<const Rgba> palette = {});

} // namespace tools
