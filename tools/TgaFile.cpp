#include "TgaFile.h"

#include <array>
#include <string>

#include "platform/ByteReader.h"

namespace tools {

using platform::ByteReader;
using platform::Bytes;
using platform::ByteView;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

using Pixel = std::array<std::uint8_t, 4>; // R, G, B, A

// Messages complete "<file> is ..." (see TgaFile.h).
platform::Error notTga(const std::string& why)
{
    return makeError(ErrorKind::BadFormat, "not a TGA picture (" + why + ")");
}

platform::Error unsupported(const std::string& what)
{
    return makeError(ErrorKind::BadFormat, "a TGA picture of a kind not supported: " + what);
}

platform::Error bad(const std::string& what)
{
    return makeError(ErrorKind::BadFormat, "a damaged TGA picture: " + what);
}

std::uint8_t expand5(unsigned v)
{
    return static_cast<std::uint8_t>((v << 3) | (v >> 2));
}

// A pixel or map entry of `bits` bits, stored little-endian as B, G, R(, A).
Pixel colourOf(const std::uint8_t* p, unsigned bits, bool attributeIsAlpha)
{
    switch (bits) {
    case 15:
    case 16: {
        const unsigned v = p[0] | (p[1] << 8);
        const auto alpha = static_cast<std::uint8_t>(bits == 16 && attributeIsAlpha ? ((v & 0x8000) ? 255 : 0) : 255);
        return {expand5((v >> 10) & 0x1F), expand5((v >> 5) & 0x1F), expand5(v & 0x1F), alpha};
    }
    case 24:
        return {p[2], p[1], p[0], 255};
    default:
        return {p[2], p[1], p[0], p[3]};
    }
}

struct Header
{
    std::uint8_t idLength;
    std::uint8_t mapType;
    std::uint8_t imageType;
    std::uint16_t mapFirst;
    std::uint16_t mapLength;
    std::uint8_t mapEntryBits;
    std::uint16_t width;
    std::uint16_t height;
    std::uint8_t bitsPerPixel;
    std::uint8_t descriptor;
};

Header readHeader(ByteReader& in)
{
    Header h{};
    h.idLength = in.u8();
    h.mapType = in.u8();
    h.imageType = in.u8();
    h.mapFirst = in.le16();
    h.mapLength = in.le16();
    h.mapEntryBits = in.u8();
    in.skip(4); // x and y origin: screen placement, not needed
    h.width = in.le16();
    h.height = in.le16();
    h.bitsPerPixel = in.u8();
    h.descriptor = in.u8();
    return h;
}

bool validEntryBits(unsigned bits)
{
    return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

Result<std::vector<Pixel>> readColourMap(ByteReader& in, const Header& h, bool attributeIsAlpha)
{
    std::vector<Pixel> map;
    if (h.mapType == 0)
        return map;
    if (h.mapType != 1)
        return bad("unknown colour-map type " + std::to_string(h.mapType));
    if (!validEntryBits(h.mapEntryBits))
        return unsupported("colour-map entries of " + std::to_string(h.mapEntryBits) + " bits");
    const unsigned entryBytes = (h.mapEntryBits + 7) / 8;
    const ByteView entries = in.bytes(std::size_t{h.mapLength} * entryBytes);
    if (in.failed())
        return bad("it ends inside the colour map");
    map.reserve(h.mapLength);
    for (std::size_t i = 0; i < h.mapLength; ++i)
        map.push_back(colourOf(entries.data() + i * entryBytes, h.mapEntryBits, attributeIsAlpha));
    return map;
}

} // namespace

Result<TgaPicture> readTga(ByteView file)
{
    ByteReader in(file);
    const Header h = readHeader(in);
    if (in.failed())
        return notTga("it is " + std::to_string(file.size()) + " bytes long, shorter than the 18-byte header");

    const unsigned baseType = h.imageType & ~TGA_TYPE_RLE_FLAG;
    const bool rle = (h.imageType & TGA_TYPE_RLE_FLAG) != 0;
    if (h.imageType == 0 || h.imageType > 11 || baseType < 1 || baseType > 3)
        return notTga("type " + std::to_string(h.imageType) + " is not supported");
    if (h.descriptor & TGA_DESC_INTERLEAVE)
        return unsupported("interleaved rows");
    if (h.width == 0 || h.height == 0)
        return bad("it declares " + std::to_string(h.width) + "x" + std::to_string(h.height) + " pixels");

    const unsigned bits = h.bitsPerPixel;
    const unsigned alphaBits = h.descriptor & 0x0F;
    bool hasAlpha = false;
    if (baseType == TGA_TYPE_MAPPED) {
        if (h.mapType != 1)
            return bad("colour-mapped picture without a colour map");
        if (bits != 8 && bits != 16)
            return unsupported("colour-mapped pixels of " + std::to_string(bits) + " bits");
        hasAlpha = h.mapEntryBits == 32 || (h.mapEntryBits == 16 && alphaBits > 0);
    } else if (baseType == TGA_TYPE_GREY) {
        if (bits != 8)
            return unsupported("grey pixels of " + std::to_string(bits) + " bits");
    } else {
        if (!validEntryBits(bits))
            return unsupported("true-colour pixels of " + std::to_string(bits) + " bits");
        hasAlpha = bits == 32 || (bits == 16 && alphaBits > 0);
    }

    in.skip(h.idLength);
    if (in.failed())
        return bad("it ends inside the image ID field");
    auto map = readColourMap(in, h, alphaBits > 0);
    if (!map)
        return map.error();

    const unsigned pixelBytes = (bits + 7) / 8;
    const std::uint64_t pixelCount = std::uint64_t{h.width} * h.height;
    // Before allocating: raw data must be all there; an RLE packet of at least 1 + pixelBytes bytes
    // gives at most 128 pixels.
    if (!rle && pixelCount * pixelBytes > in.remaining())
        return bad("pixel data needs " + std::to_string(pixelCount * pixelBytes) + " bytes, " +
                   std::to_string(in.remaining()) + " present");
    if (rle && pixelCount > std::uint64_t{in.remaining()} / (1 + pixelBytes) * 128 + 128)
        return bad("it is too short for " + std::to_string(h.width) + "x" + std::to_string(h.height) + " pixels");

    auto toPixel = [&](const std::uint8_t* p, Pixel* out) -> bool {
        if (baseType == TGA_TYPE_GREY) {
            *out = {p[0], p[0], p[0], 255};
            return true;
        }
        if (baseType == TGA_TYPE_MAPPED) {
            const unsigned index = (bits == 8 ? p[0] : (p[0] | (p[1] << 8)));
            if (index < h.mapFirst || index - h.mapFirst >= map->size())
                return false;
            *out = (*map)[index - h.mapFirst];
            return true;
        }
        *out = colourOf(p, bits, alphaBits > 0);
        return true;
    };

    // Pixels in stored order first; rows are placed afterwards.
    std::vector<Pixel> stored(pixelCount);
    std::size_t done = 0;
    while (done < pixelCount) {
        std::size_t run = 1;
        bool repeat = false;
        if (rle) {
            const std::uint8_t packet = in.u8();
            run = (packet & 0x7F) + 1u;
            repeat = (packet & 0x80) != 0;
        } else {
            run = pixelCount;
        }
        run = std::min<std::size_t>(run, pixelCount - done);
        const std::size_t values = repeat ? 1 : run;
        const ByteView raw = in.bytes(values * pixelBytes);
        if (in.failed())
            return bad("pixel data ends after " + std::to_string(done) + " of " + std::to_string(pixelCount) +
                       " pixels");
        for (std::size_t i = 0; i < run; ++i) {
            const std::size_t at = repeat ? 0 : i;
            if (!toPixel(raw.data() + at * pixelBytes, &stored[done + i]))
                return bad("colour index outside the colour map at pixel " + std::to_string(done + i));
        }
        done += run;
    }

    TgaPicture picture;
    picture.hasAlpha = hasAlpha;
    picture.image = RgbaImage(h.width, h.height);
    const bool topFirst = (h.descriptor & TGA_DESC_TOP_FIRST) != 0;
    const bool rightToLeft = (h.descriptor & TGA_DESC_RIGHT_TO_LEFT) != 0;
    for (std::uint32_t row = 0; row < h.height; ++row) {
        const std::uint32_t y = topFirst ? row : h.height - 1 - row;
        for (std::uint32_t col = 0; col < h.width; ++col) {
            const std::uint32_t x = rightToLeft ? h.width - 1 - col : col;
            const Pixel& p = stored[std::size_t{row} * h.width + col];
            std::copy(p.begin(), p.end(), picture.image.at(x, y));
        }
    }
    return picture;
}

Bytes writeTga(const RgbaImage& image)
{
    platform::ByteWriter out;
    out.u8(0).u8(0).u8(TGA_TYPE_TRUE_COLOUR);
    out.zeros(5); // no colour map
    out.zeros(4); // x, y origin
    out.le16(static_cast<std::uint16_t>(image.width)).le16(static_cast<std::uint16_t>(image.height));
    out.u8(32).u8(TGA_DESC_TOP_FIRST | 8);
    Bytes bytes = out.take();
    const std::size_t start = bytes.size();
    bytes.resize(start + image.pixels.size());
    for (std::size_t i = 0; i < image.pixels.size(); i += 4) {
        bytes[start + i] = image.pixels[i + 2];
        bytes[start + i + 1] = image.pixels[i + 1];
        bytes[start + i + 2] = image.pixels[i];
        bytes[start + i + 3] = image.pixels[i + 3];
    }
    return bytes;
}

} // namespace tools
