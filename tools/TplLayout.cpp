#include "TplLayout.h"

#include <array>
#include <cassert>
#include <utility>

namespace tools {

namespace {

constexpr std::array<std::pair<TexFormat, std::string_view>, 11> FORMAT_NAMES{{
    {TexFormat::I4, "I4"},
    {TexFormat::I8, "I8"},
    {TexFormat::IA4, "IA4"},
    {TexFormat::IA8, "IA8"},
    {TexFormat::RGB565, "RGB565"},
    {TexFormat::RGB5A3, "RGB5A3"},
    {TexFormat::RGBA32, "RGBA32"},
    {TexFormat::C4, "C4"},
    {TexFormat::C8, "C8"},
    {TexFormat::C14X2, "C14X2"},
    {TexFormat::CMPR, "CMPR"},
}};

bool sameIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

} // namespace

std::string_view formatName(TexFormat f)
{
    for (const auto& [format, name] : FORMAT_NAMES) {
        if (format == f)
            return name;
    }
    return {};
}

std::optional<TexFormat> formatFromName(std::string_view name)
{
    if (sameIgnoringCase(name, "RGBA8"))
        return TexFormat::RGBA32;
    for (const auto& [format, known] : FORMAT_NAMES) {
        if (sameIgnoringCase(name, known))
            return format;
    }
    return std::nullopt;
}

TplPlacement placeImages(std::span<const ImageShape> images)
{
    TplPlacement placement;
    const auto count = static_cast<std::uint32_t>(images.size());
    std::uint64_t offset = firstDataOffset(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const auto info = formatInfo(static_cast<std::uint32_t>(images[i].format));
        assert(info && !hasPalette(images[i].format));
        offset = alignUp(offset, TPL_DATA_ALIGNMENT);
        placement.headerOffsets.push_back(imageHeaderOffset(count, i));
        placement.dataOffsets.push_back(static_cast<std::uint32_t>(offset));
        offset += textureDataSize(*info, images[i].width, images[i].height);
    }
    placement.totalSize = count == 0 ? firstDataOffset(0) : offset;
    return placement;
}

} // namespace tools
