#include "ToolsTestData.h"

#include <map>
#include <stdexcept>

#include "platform/ByteReader.h"

namespace tools_test {

using tools::RgbaImage;

RgbaImage randomImage(std::uint32_t width, std::uint32_t height, std::uint32_t seed, bool opaque)
{
    RgbaImage image(width, height);
    std::mt19937 rng(seed);
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
        image.pixels[i] = (opaque && i % 4 == 3) ? 255 : static_cast<std::uint8_t>(rng());
    return image;
}

RgbaImage gradientImage(std::uint32_t width, std::uint32_t height)
{
    RgbaImage image(width, height);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            auto* p = image.at(x, y);
            p[0] = static_cast<std::uint8_t>(x);
            p[1] = static_cast<std::uint8_t>(y);
            p[2] = static_cast<std::uint8_t>(x ^ y);
            p[3] = static_cast<std::uint8_t>(255 - x);
        }
    }
    return image;
}

namespace {

std::uint32_t key(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (p[1] << 16) | (p[2] << 8) | p[3];
}

// One stored pixel (without RLE) in the layout of kind.
void appendPixel(platform::Bytes& out, const std::uint8_t* p, TgaKind kind, const std::map<std::uint32_t, int>& index)
{
    switch (kind) {
    case TgaKind::Grey8:
        out.push_back(p[0]);
        break;
    case TgaKind::Mapped8:
        out.push_back(static_cast<std::uint8_t>(index.at(key(p))));
        break;
    case TgaKind::Rgb16: {
        const unsigned v = ((p[3] >= 128) << 15) | ((p[0] >> 3) << 10) | ((p[1] >> 3) << 5) | (p[2] >> 3);
        out.push_back(static_cast<std::uint8_t>(v));
        out.push_back(static_cast<std::uint8_t>(v >> 8));
        break;
    }
    case TgaKind::Rgb24:
        out.insert(out.end(), {p[2], p[1], p[0]});
        break;
    case TgaKind::Rgba32:
        out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        break;
    }
}

} // namespace

platform::Bytes tgaOf(const RgbaImage& image, const TgaOptions& options)
{
    std::map<std::uint32_t, int> index;
    platform::Bytes map;
    if (options.kind == TgaKind::Mapped8) {
        for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
            const std::uint32_t k = key(&image.pixels[i]);
            if (!index.contains(k)) {
                const int n = static_cast<int>(index.size());
                index[k] = n;
                map.insert(map.end(), {image.pixels[i + 2], image.pixels[i + 1], image.pixels[i], image.pixels[i + 3]});
            }
        }
        if (index.size() > 256)
            throw std::invalid_argument("more than 256 colours for a mapped TGA");
    }
    std::uint8_t type = 2;
    std::uint8_t bits = 32;
    std::uint8_t alphaBits = 8;
    switch (options.kind) {
    case TgaKind::Grey8:
        type = 3;
        bits = 8;
        alphaBits = 0;
        break;
    case TgaKind::Mapped8:
        type = 1;
        bits = 8;
        alphaBits = 8;
        break;
    case TgaKind::Rgb16:
        bits = 16;
        alphaBits = 1;
        break;
    case TgaKind::Rgb24:
        bits = 24;
        alphaBits = 0;
        break;
    case TgaKind::Rgba32:
        break;
    }
    if (options.rle)
        type |= 8;

    platform::ByteWriter out;
    out.u8(options.idLength).u8(options.kind == TgaKind::Mapped8 ? 1 : 0).u8(type);
    out.le16(0).le16(static_cast<std::uint16_t>(index.size())).u8(options.kind == TgaKind::Mapped8 ? 32 : 0);
    out.le16(0).le16(0).le16(static_cast<std::uint16_t>(image.width)).le16(static_cast<std::uint16_t>(image.height));
    out.u8(bits).u8(
        static_cast<std::uint8_t>(alphaBits | (options.topFirst ? 0x20 : 0) | (options.rightToLeft ? 0x10 : 0)));
    for (std::uint8_t i = 0; i < options.idLength; ++i)
        out.u8('I');
    out.bytes(map);

    // Pixels in stored order.
    std::vector<const std::uint8_t*> order;
    for (std::uint32_t row = 0; row < image.height; ++row) {
        const std::uint32_t y = options.topFirst ? row : image.height - 1 - row;
        for (std::uint32_t col = 0; col < image.width; ++col) {
            const std::uint32_t x = options.rightToLeft ? image.width - 1 - col : col;
            order.push_back(image.at(x, y));
        }
    }
    platform::Bytes& bytes = out.data();
    if (!options.rle) {
        for (const auto* p : order)
            appendPixel(bytes, p, options.kind, index);
    } else {
        // Runs of equal pixels as run packets, everything else as raw packets; packets cross rows.
        std::size_t i = 0;
        while (i < order.size()) {
            std::size_t run = 1;
            while (i + run < order.size() && run < 128 && key(order[i + run]) == key(order[i]))
                ++run;
            if (run >= 2) {
                bytes.push_back(static_cast<std::uint8_t>(0x80 | (run - 1)));
                appendPixel(bytes, order[i], options.kind, index);
                i += run;
                continue;
            }
            std::size_t raw = 1;
            while (i + raw < order.size() && raw < 128 &&
                   !(i + raw + 1 < order.size() && key(order[i + raw]) == key(order[i + raw + 1])))
                ++raw;
            bytes.push_back(static_cast<std::uint8_t>(raw - 1));
            for (std::size_t k = 0; k < raw; ++k)
                appendPixel(bytes, order[i + k], options.kind, index);
            i += raw;
        }
    }
    if (options.footer) {
        out.le32(0).le32(0).text("TRUEVISION-XFILE.").u8(0);
    }
    return out.take();
}

RgbaImage expectedAfterTga(const RgbaImage& image, TgaKind kind)
{
    RgbaImage expected = image;
    for (std::size_t i = 0; i < expected.pixels.size(); i += 4) {
        std::uint8_t* p = &expected.pixels[i];
        switch (kind) {
        case TgaKind::Grey8:
            p[1] = p[2] = p[0];
            p[3] = 255;
            break;
        case TgaKind::Mapped8:
        case TgaKind::Rgba32:
            break;
        case TgaKind::Rgb16:
            for (int c = 0; c < 3; ++c) {
                const unsigned v = p[c] >> 3;
                p[c] = static_cast<std::uint8_t>((v << 3) | (v >> 2));
            }
            p[3] = p[3] >= 128 ? 255 : 0;
            break;
        case TgaKind::Rgb24:
            p[3] = 255;
            break;
        }
    }
    return expected;
}

} // namespace tools_test
