#pragma once

// Builders for the codec tests: pictures, TGA files in every layout the reader takes, and TPLs.

#include <cstdint>
#include <random>

#include "platform/Bytes.h"
#include "tools/RgbaImage.h"

namespace tools_test {

// A picture of random colours; alpha is random too unless opaque is set.
tools::RgbaImage randomImage(std::uint32_t width, std::uint32_t height, std::uint32_t seed, bool opaque = false);

// A picture whose every pixel differs: R = x, G = y, B = x ^ y, A = 255 - x.
tools::RgbaImage gradientImage(std::uint32_t width, std::uint32_t height);

enum class TgaKind { Grey8, Mapped8, Rgb16, Rgb24, Rgba32 };

struct TgaOptions
{
    TgaKind kind = TgaKind::Rgba32;
    bool rle = false;
    bool topFirst = false;    // descriptor bit 5
    bool rightToLeft = false; // descriptor bit 4
    std::uint8_t idLength = 0;
    bool footer = false; // a version-2 footer after the pixels
};

// A TGA of the picture in the given layout. Grey8 stores the red channel; Mapped8 builds a colour map
// of the picture's distinct colours (at most 256); Rgb16 keeps 5 bits per channel and 1 alpha bit.
platform::Bytes tgaOf(const tools::RgbaImage& image, const TgaOptions& options = {});

// What the reader must give back for a picture written by tgaOf in that layout.
tools::RgbaImage expectedAfterTga(const tools::RgbaImage& image, TgaKind kind);

} // namespace tools_test
