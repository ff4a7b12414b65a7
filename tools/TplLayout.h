#pragma once

// How our converter places the images of a TPL it writes (the byte layout itself, with its codes and
// offsets, is textures/ContainerFormat.h). Image header fields as written: height, width, format, data
// offset, wrap S 0, wrap T 0, min filter 1, mag filter 1, LOD bias 0.0, edge LOD 0, min LOD 0, max LOD
// 0, unpacked 0; no palettes; consecutive images' data follow each other without padding, since every
// block is 32 or 64 bytes.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "textures/ContainerFormat.h"

namespace tools {

// The TPL format's codes, sizes and offsets live in the shared container header.
using textures::alignUp;
using textures::firstDataOffset;
using textures::FormatInfo;
using textures::formatInfo;
using textures::hasPalette;
using textures::imageHeaderOffset;
using textures::PaletteFormat;
using textures::TexFormat;
using textures::textureDataSize;
using textures::TPL_DATA_ALIGNMENT;
using textures::TPL_FILTER_LINEAR;
using textures::TPL_IMAGE_HEADER_SIZE;
using textures::TPL_MAGIC;
using textures::TPL_MAX_DIMENSION;
using textures::TPL_TABLE_ENTRY_SIZE;
using textures::TPL_TABLE_OFFSET;

// The name scripts and messages use for a format ("RGB565", "RGB5A3", ...); "" for an unknown code.
std::string_view formatName(TexFormat f);
// The format a script keyword names, without regard to case ("RGBA8" is accepted for RGBA32).
std::optional<TexFormat> formatFromName(std::string_view name);

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

} // namespace tools
