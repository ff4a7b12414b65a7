#pragma once

#include <cstdint>
#include <vector>

namespace tools {

// A picture as the codecs exchange it: 8-bit R, G, B, A per pixel, rows from the top, no padding.
struct RgbaImage
{
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::vector<std::uint8_t> pixels; // width * height * 4 bytes

    RgbaImage() = default;
    RgbaImage(std::uint32_t w, std::uint32_t h) : width(w), height(h), pixels(std::size_t{w} * h * 4, 0) {}

    std::uint8_t* at(std::uint32_t x, std::uint32_t y) { return &pixels[(std::size_t{y} * width + x) * 4]; }
    const std::uint8_t* at(std::uint32_t x, std::uint32_t y) const { return &pixels[(std::size_t{y} * width + x) * 4]; }
    bool operator==(const RgbaImage&) const = default;
};

} // namespace tools
