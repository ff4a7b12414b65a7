#include "TplFile.h"

#include <string>

#include "platform/ByteReader.h"

namespace tools {

using platform::ByteReader;
using platform::Bytes;
using platform::ByteView;
using platform::ErrorKind;
using platform::hexText;
using platform::makeError;
using platform::Result;

namespace {

// Palette counts above this do not occur: C14X2 indexes at most 16384 entries.
constexpr std::uint32_t MAX_PALETTE_ENTRIES = 16384;
// How many times over the images may use the file's bytes as pixel data (shared data counts each time).
constexpr std::uint64_t MAX_SHARED_DATA_FACTOR = 8;

// Messages complete "<file> is ..." (see TplFile.h).
platform::Error notTpl(const std::string& why)
{
    return makeError(ErrorKind::BadFormat, "not a TPL file (" + why + ")");
}

platform::Error bad(const std::string& what)
{
    return makeError(ErrorKind::BadFormat, "a damaged TPL file: " + what);
}

Result<std::vector<Rgba>> readPalette(ByteView file, std::uint32_t offset, std::size_t image)
{
    const std::string where = "image " + std::to_string(image) + ": ";
    if (offset == 0)
        return bad(where + "palette format without a palette header");
    ByteReader in(file);
    in.seek(offset);
    const std::uint16_t count = in.be16();
    in.skip(2); // unpacked flag, padding
    const std::uint32_t format = in.be32();
    const std::uint32_t dataOffset = in.be32();
    if (in.failed())
        return bad(where + "palette header at " + hexText(offset) + " runs past the end of the file");
    if (count > MAX_PALETTE_ENTRIES)
        return bad(where + "palette of " + std::to_string(count) + " entries");
    if (std::uint64_t{dataOffset} + std::uint64_t{count} * 2 > file.size())
        return bad(where + "palette data at " + hexText(dataOffset) + " runs past the end of the file");
    auto palette = decodePalette(file.subspan(dataOffset, std::size_t{count} * 2), count, format);
    if (!palette)
        return bad(where + palette.error().message);
    return palette;
}

} // namespace

Result<EncodedImage> encodeImage(const RgbaImage& image, TexFormat format)
{
    if (image.width == 0 || image.height == 0 || image.width > TPL_MAX_DIMENSION || image.height > TPL_MAX_DIMENSION)
        return makeError(ErrorKind::BadArgument, "picture of " + std::to_string(image.width) + "x" +
                                                     std::to_string(image.height) +
                                                     " pixels; a texture is 1 to 1024 pixels wide and high");
    auto data = encodeTexture(image, format);
    if (!data)
        return data.error();
    return EncodedImage{image.width, image.height, format, std::move(*data)};
}

Bytes writeTpl(std::span<const EncodedImage> images)
{
    std::vector<ImageShape> shapes;
    for (const auto& image : images)
        shapes.push_back({image.width, image.height, image.format});
    const TplPlacement placement = placeImages(shapes);
    const auto count = static_cast<std::uint32_t>(images.size());

    platform::ByteWriter out;
    out.be32(TPL_MAGIC).be32(count).be32(TPL_TABLE_OFFSET);
    for (std::uint32_t i = 0; i < count; ++i)
        out.be32(placement.headerOffsets[i]).be32(0);
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto& image = images[i];
        out.be16(static_cast<std::uint16_t>(image.height)).be16(static_cast<std::uint16_t>(image.width));
        out.be32(static_cast<std::uint32_t>(image.format)).be32(placement.dataOffsets[i]);
        out.be32(0).be32(0); // wrap S, wrap T: clamp
        out.be32(TPL_FILTER_LINEAR).be32(TPL_FILTER_LINEAR);
        out.be32(0);  // LOD bias 0.0
        out.zeros(4); // edge LOD, min LOD, max LOD, unpacked
    }
    for (std::uint32_t i = 0; i < count; ++i) {
        out.alignTo(TPL_DATA_ALIGNMENT);
        out.bytes(images[i].data);
    }
    out.alignTo(TPL_DATA_ALIGNMENT);
    return out.take();
}

Result<std::vector<TplEntry>> readTplEntries(ByteView file)
{
    ByteReader in(file);
    const std::uint32_t magic = in.be32();
    const std::uint32_t count = in.be32();
    const std::uint32_t tableOffset = in.be32();
    if (in.failed())
        return notTpl("it is " + std::to_string(file.size()) + " bytes long, shorter than the 12-byte header");
    if (magic != TPL_MAGIC)
        return notTpl("it does not begin with the TPL magic 00 20 AF 30");
    if (count == 0)
        return bad("the file holds no images");
    if (std::uint64_t{tableOffset} + std::uint64_t{count} * TPL_TABLE_ENTRY_SIZE > file.size())
        return bad("image table of " + std::to_string(count) + " entries at " + hexText(tableOffset) +
                   " runs past the end of the file (" + std::to_string(file.size()) + " bytes)");

    std::vector<TplEntry> entries;
    // Images normally own their pixel data, so together they fit in the file; a few may share one
    // (one index image under several palettes). Without a bound a small file whose table points many
    // entries at one large image would decode to gigabytes.
    std::uint64_t totalData = 0;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::string where = "image " + std::to_string(i) + ": ";
        in.seek(tableOffset + std::size_t{i} * TPL_TABLE_ENTRY_SIZE);
        const std::uint32_t headerOffset = in.be32();
        const std::uint32_t paletteOffset = in.be32();

        ByteReader header(file);
        header.seek(headerOffset);
        TplEntry entry;
        entry.height = header.be16();
        entry.width = header.be16();
        const std::uint32_t formatCode = header.be32();
        entry.dataOffset = header.be32();
        header.skip(TPL_IMAGE_HEADER_SIZE - 12);
        if (header.failed())
            return bad(where + "header at " + hexText(headerOffset) + " runs past the end of the file");
        const auto info = formatInfo(formatCode);
        if (!info)
            return bad(where + "unknown texture format " + std::to_string(formatCode));
        entry.format = static_cast<TexFormat>(formatCode);
        if (entry.width == 0 || entry.height == 0)
            return bad(where + "size " + std::to_string(entry.width) + "x" + std::to_string(entry.height));
        entry.dataSize = textureDataSize(*info, entry.width, entry.height);
        if (entry.dataOffset + entry.dataSize > file.size())
            return bad(where + std::to_string(entry.width) + "x" + std::to_string(entry.height) + " " +
                       std::string(formatName(entry.format)) + " data at " + hexText(entry.dataOffset) + " needs " +
                       std::to_string(entry.dataSize) + " bytes, the file ends after " +
                       std::to_string(file.size() - std::min<std::uint64_t>(entry.dataOffset, file.size())));
        totalData += entry.dataSize;
        if (totalData > MAX_SHARED_DATA_FACTOR * file.size())
            return bad(where + "the images' pixel data together comes to " + std::to_string(totalData) +
                       " bytes, more than " + std::to_string(MAX_SHARED_DATA_FACTOR) + " times the file's " +
                       std::to_string(file.size()));
        if (hasPalette(entry.format)) {
            auto palette = readPalette(file, paletteOffset, i);
            if (!palette)
                return palette.error();
            entry.palette = std::move(*palette);
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

Result<std::vector<RgbaImage>> decodeTpl(ByteView file)
{
    auto entries = readTplEntries(file);
    if (!entries)
        return entries.error();
    std::vector<RgbaImage> images;
    for (std::size_t i = 0; i < entries->size(); ++i) {
        const TplEntry& e = (*entries)[i];
        auto image = decodeTexture(file.subspan(e.dataOffset, e.dataSize), e.width, e.height, e.format, e.palette);
        if (!image)
            return bad("image " + std::to_string(i) + ": " + image.error().message);
        images.push_back(std::move(*image));
    }
    return images;
}

} // namespace tools
