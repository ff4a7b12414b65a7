#include "TexelCodec.h"

#include <algorithm>
#include <string>

namespace tools {

using platform::Bytes;
using platform::ByteView;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

// 8 -> n bits, rounded to nearest.
constexpr std::uint32_t toBits(std::uint32_t v, std::uint32_t maxValue)
{
    return (v * maxValue + 127) / 255;
}

constexpr std::uint8_t from3(std::uint32_t v)
{
    return static_cast<std::uint8_t>((v << 5) | (v << 2) | (v >> 1));
}
constexpr std::uint8_t from4(std::uint32_t v)
{
    return static_cast<std::uint8_t>(v * 17);
}
constexpr std::uint8_t from5(std::uint32_t v)
{
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}
constexpr std::uint8_t from6(std::uint32_t v)
{
    return static_cast<std::uint8_t>((v << 2) | (v >> 4));
}

// Calls visit(texel, x, y) for every pixel position of the block grid, in storage order: texel is the
// running number of the texel inside the data (block * pixels per block + index in block), x and y may
// lie outside the picture for padding pixels.
template <typename Visit>
void forEachTexel(std::uint32_t width, std::uint32_t height, const FormatInfo& info, Visit visit)
{
    const std::uint32_t bw = info.blockWidth;
    const std::uint32_t bh = info.blockHeight;
    std::size_t texel = 0;
    for (std::uint32_t by = 0; by < height; by += bh) {
        for (std::uint32_t bx = 0; bx < width; bx += bw) {
            for (std::uint32_t y = by; y < by + bh; ++y) {
                for (std::uint32_t x = bx; x < bx + bw; ++x)
                    visit(texel++, x, y);
            }
        }
    }
}

void putBe16(std::uint8_t* out, std::uint16_t v)
{
    out[0] = static_cast<std::uint8_t>(v >> 8);
    out[1] = static_cast<std::uint8_t>(v);
}

std::uint16_t getBe16(const std::uint8_t* in)
{
    return static_cast<std::uint16_t>((in[0] << 8) | in[1]);
}

template <typename Encode16>
void encode16(const RgbaImage& image, const FormatInfo& info, std::uint8_t* out, Encode16 encode)
{
    forEachTexel(image.width, image.height, info, [&](std::size_t texel, std::uint32_t x, std::uint32_t y) {
        if (x < image.width && y < image.height) {
            const auto* p = image.at(x, y);
            putBe16(out + texel * 2, encode(p));
        }
    });
}

template <typename Encode8>
void encode8(const RgbaImage& image, const FormatInfo& info, std::uint8_t* out, Encode8 encode)
{
    forEachTexel(image.width, image.height, info, [&](std::size_t texel, std::uint32_t x, std::uint32_t y) {
        if (x < image.width && y < image.height)
            out[texel] = encode(image.at(x, y));
    });
}

void encodeI4(const RgbaImage& image, const FormatInfo& info, std::uint8_t* out)
{
    forEachTexel(image.width, image.height, info, [&](std::size_t texel, std::uint32_t x, std::uint32_t y) {
        if (x >= image.width || y >= image.height)
            return;
        const auto* p = image.at(x, y);
        const auto nibble = static_cast<std::uint8_t>(toBits(intensityOf(p[0], p[1], p[2]), 15));
        // The left pixel of each byte is in the high nibble.
        out[texel / 2] |= (texel % 2 == 0) ? static_cast<std::uint8_t>(nibble << 4) : nibble;
    });
}

void encodeRgba32(const RgbaImage& image, const FormatInfo& info, std::uint8_t* out)
{
    // Each 4x4 block is 64 bytes: 16 (A, R) pairs, then 16 (G, B) pairs.
    forEachTexel(image.width, image.height, info, [&](std::size_t texel, std::uint32_t x, std::uint32_t y) {
        if (x >= image.width || y >= image.height)
            return;
        const auto* p = image.at(x, y);
        std::uint8_t* block = out + (texel / 16) * 64;
        const std::size_t i = texel % 16;
        block[2 * i] = p[3];
        block[2 * i + 1] = p[0];
        block[32 + 2 * i] = p[1];
        block[33 + 2 * i] = p[2];
    });
}

void store(RgbaImage& image, std::uint32_t x, std::uint32_t y, const Rgba& c)
{
    auto* p = image.at(x, y);
    p[0] = c[0];
    p[1] = c[1];
    p[2] = c[2];
    p[3] = c[3];
}

Rgba grey(std::uint8_t v)
{
    return {v, v, v, 255};
}

// Decodes one texel at a time through fetch(texel) -> Rgba.
template <typename Fetch> void decodeTexels(RgbaImage& image, const FormatInfo& info, Fetch fetch)
{
    forEachTexel(image.width, image.height, info, [&](std::size_t texel, std::uint32_t x, std::uint32_t y) {
        if (x < image.width && y < image.height)
            store(image, x, y, fetch(texel));
    });
}

// CMPR: 8x8 tiles of four 4x4 sub-blocks (top-left, top-right, bottom-left, bottom-right), each holding
// two big-endian RGB565 colours and one index byte per row, leftmost pixel in the top bits.
void decodeCmpr(RgbaImage& image, const std::uint8_t* data)
{
    std::size_t offset = 0;
    for (std::uint32_t ty = 0; ty < image.height; ty += 8) {
        for (std::uint32_t tx = 0; tx < image.width; tx += 8) {
            for (std::uint32_t sub = 0; sub < 4; ++sub, offset += 8) {
                const std::uint8_t* b = data + offset;
                const std::uint16_t c0 = getBe16(b);
                const std::uint16_t c1 = getBe16(b + 2);
                std::array<Rgba, 4> colours{decodeRgb565(c0), decodeRgb565(c1), Rgba{}, Rgba{}};
                for (int ch = 0; ch < 3; ++ch) {
                    const int p0 = colours[0][ch];
                    const int p1 = colours[1][ch];
                    if (c0 > c1) {
                        colours[2][ch] = static_cast<std::uint8_t>((2 * p0 + p1) / 3);
                        colours[3][ch] = static_cast<std::uint8_t>((p0 + 2 * p1) / 3);
                    } else {
                        colours[2][ch] = static_cast<std::uint8_t>((p0 + p1) / 2);
                        colours[3][ch] = 0;
                    }
                }
                colours[2][3] = 255;
                colours[3][3] = c0 > c1 ? 255 : 0;
                const std::uint32_t sx = tx + (sub % 2) * 4;
                const std::uint32_t sy = ty + (sub / 2) * 4;
                for (std::uint32_t row = 0; row < 4; ++row) {
                    const std::uint8_t bits = b[4 + row];
                    for (std::uint32_t col = 0; col < 4; ++col) {
                        const std::uint32_t x = sx + col;
                        const std::uint32_t y = sy + row;
                        if (x < image.width && y < image.height)
                            store(image, x, y, colours[(bits >> (6 - 2 * col)) & 3]);
                    }
                }
            }
        }
    }
}

} // namespace

std::uint16_t encodeRgb565(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<std::uint16_t>((toBits(r, 31) << 11) | (toBits(g, 63) << 5) | toBits(b, 31));
}

std::uint16_t encodeRgb5A3(std::uint8_t r, std::uint8_t g, std::uint8_t b, std::uint8_t a)
{
    // Alpha that rounds to the top 3-bit value shows fully opaque either way; the opaque form then keeps
    // five bits of each colour instead of four.
    if (toBits(a, 7) == 7)
        return static_cast<std::uint16_t>(0x8000 | (toBits(r, 31) << 10) | (toBits(g, 31) << 5) | toBits(b, 31));
    return static_cast<std::uint16_t>((toBits(a, 7) << 12) | (toBits(r, 15) << 8) | (toBits(g, 15) << 4) |
                                      toBits(b, 15));
}

std::uint16_t encodeIa8(std::uint8_t intensity, std::uint8_t alpha)
{
    return static_cast<std::uint16_t>((alpha << 8) | intensity);
}

Rgba decodeRgb565(std::uint16_t v)
{
    return {from5(v >> 11), from6((v >> 5) & 0x3F), from5(v & 0x1F), 255};
}

Rgba decodeRgb5A3(std::uint16_t v)
{
    if (v & 0x8000)
        return {from5((v >> 10) & 0x1F), from5((v >> 5) & 0x1F), from5(v & 0x1F), 255};
    return {from4((v >> 8) & 0xF), from4((v >> 4) & 0xF), from4(v & 0xF), from3((v >> 12) & 7)};
}

Rgba decodeIa8(std::uint16_t v)
{
    // First byte alpha, second intensity.
    const auto i = static_cast<std::uint8_t>(v);
    return {i, i, i, static_cast<std::uint8_t>(v >> 8)};
}

std::uint8_t intensityOf(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    return static_cast<std::uint8_t>((r * 299u + g * 587u + b * 114u + 500u) / 1000u);
}

bool canEncode(TexFormat format)
{
    return formatInfo(static_cast<std::uint32_t>(format)) && !hasPalette(format) && format != TexFormat::CMPR;
}

Result<Bytes> encodeTexture(const RgbaImage& image, TexFormat format)
{
    if (!canEncode(format)) {
        const auto name = formatName(format);
        return makeError(
            ErrorKind::BadArgument,
            "the converter cannot write " +
                (name.empty() ? "format " + std::to_string(static_cast<std::uint32_t>(format)) : std::string(name)) +
                " textures");
    }
    const FormatInfo info = *formatInfo(static_cast<std::uint32_t>(format));
    Bytes out(textureDataSize(info, image.width, image.height), 0);
    std::uint8_t* o = out.data();
    switch (format) {
    case TexFormat::I4:
        encodeI4(image, info, o);
        break;
    case TexFormat::I8:
        encode8(image, info, o, [](const std::uint8_t* p) { return intensityOf(p[0], p[1], p[2]); });
        break;
    case TexFormat::IA4:
        encode8(image, info, o, [](const std::uint8_t* p) {
            return static_cast<std::uint8_t>((toBits(p[3], 15) << 4) | toBits(intensityOf(p[0], p[1], p[2]), 15));
        });
        break;
    case TexFormat::IA8:
        encode16(image, info, o, [](const std::uint8_t* p) { return encodeIa8(intensityOf(p[0], p[1], p[2]), p[3]); });
        break;
    case TexFormat::RGB565:
        encode16(image, info, o, [](const std::uint8_t* p) { return encodeRgb565(p[0], p[1], p[2]); });
        break;
    case TexFormat::RGB5A3:
        encode16(image, info, o, [](const std::uint8_t* p) { return encodeRgb5A3(p[0], p[1], p[2], p[3]); });
        break;
    case TexFormat::RGBA32:
        encodeRgba32(image, info, o);
        break;
    default:
        break;
    }
    return out;
}

Result<std::vector<Rgba>> decodePalette(ByteView entries, std::uint32_t count, std::uint32_t paletteFormat)
{
    if (std::uint64_t{count} * 2 > entries.size())
        return makeError(ErrorKind::BadFormat, "palette of " + std::to_string(count) + " entries needs " +
                                                   std::to_string(std::uint64_t{count} * 2) + " bytes, " +
                                                   std::to_string(entries.size()) + " present");
    std::vector<Rgba> palette;
    palette.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint16_t v = platform::readBe16(entries, std::size_t{i} * 2);
        switch (static_cast<PaletteFormat>(paletteFormat)) {
        case PaletteFormat::IA8:
            palette.push_back(decodeIa8(v));
            break;
        case PaletteFormat::RGB565:
            palette.push_back(decodeRgb565(v));
            break;
        case PaletteFormat::RGB5A3:
            palette.push_back(decodeRgb5A3(v));
            break;
        default:
            return makeError(ErrorKind::BadFormat, "unknown palette format " + std::to_string(paletteFormat));
        }
    }
    return palette;
}

Result<RgbaImage> decodeTexture(ByteView data, std::uint32_t width, std::uint32_t height, TexFormat format,
                                std::span<const Rgba> palette)
{
    const auto info = formatInfo(static_cast<std::uint32_t>(format));
    if (!info)
        return makeError(ErrorKind::BadFormat,
                         "unknown texture format " + std::to_string(static_cast<std::uint32_t>(format)));
    const std::uint64_t needed = textureDataSize(*info, width, height);
    if (needed > data.size())
        return makeError(ErrorKind::BadFormat, std::to_string(width) + "x" + std::to_string(height) + " " +
                                                   std::string(formatName(format)) + " texture needs " +
                                                   std::to_string(needed) + " bytes, " + std::to_string(data.size()) +
                                                   " present");
    RgbaImage image(width, height);
    const std::uint8_t* d = data.data();

    // Palette formats: check every index before any lookup.
    if (hasPalette(format)) {
        std::uint32_t highest = 0;
        forEachTexel(width, height, *info, [&](std::size_t texel, std::uint32_t x, std::uint32_t y) {
            if (x >= width || y >= height)
                return;
            std::uint32_t index = 0;
            if (format == TexFormat::C4)
                index = (texel % 2 == 0) ? d[texel / 2] >> 4 : d[texel / 2] & 0xF;
            else if (format == TexFormat::C8)
                index = d[texel];
            else
                index = getBe16(d + texel * 2) & 0x3FFF;
            highest = std::max(highest, index);
        });
        if (highest >= palette.size())
            return makeError(ErrorKind::BadFormat, "palette index " + std::to_string(highest) + " past " +
                                                       std::to_string(palette.size()) + " entries");
    }

    switch (format) {
    case TexFormat::I4:
        decodeTexels(image, *info, [&](std::size_t t) {
            const std::uint8_t b = d[t / 2];
            return grey(from4(t % 2 == 0 ? b >> 4 : b & 0xF));
        });
        break;
    case TexFormat::I8:
        decodeTexels(image, *info, [&](std::size_t t) { return grey(d[t]); });
        break;
    case TexFormat::IA4:
        decodeTexels(image, *info, [&](std::size_t t) {
            const std::uint8_t i = from4(d[t] & 0xF);
            return Rgba{i, i, i, from4(d[t] >> 4)};
        });
        break;
    case TexFormat::IA8:
        decodeTexels(image, *info, [&](std::size_t t) { return decodeIa8(getBe16(d + t * 2)); });
        break;
    case TexFormat::RGB565:
        decodeTexels(image, *info, [&](std::size_t t) { return decodeRgb565(getBe16(d + t * 2)); });
        break;
    case TexFormat::RGB5A3:
        decodeTexels(image, *info, [&](std::size_t t) { return decodeRgb5A3(getBe16(d + t * 2)); });
        break;
    case TexFormat::RGBA32:
        decodeTexels(image, *info, [&](std::size_t t) {
            const std::uint8_t* block = d + (t / 16) * 64;
            const std::size_t i = t % 16;
            return Rgba{block[2 * i + 1], block[32 + 2 * i], block[33 + 2 * i], block[2 * i]};
        });
        break;
    case TexFormat::C4:
        decodeTexels(image, *info, [&](std::size_t t) { return palette[t % 2 == 0 ? d[t / 2] >> 4 : d[t / 2] & 0xF]; });
        break;
    case TexFormat::C8:
        decodeTexels(image, *info, [&](std::size_t t) { return palette[d[t]]; });
        break;
    case TexFormat::C14X2:
        decodeTexels(image, *info, [&](std::size_t t) { return palette[getBe16(d + t * 2) & 0x3FFF]; });
        break;
    case TexFormat::CMPR:
        decodeCmpr(image, d);
        break;
    }
    return image;
}

} // namespace tools
