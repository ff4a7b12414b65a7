#include "texture_editor/FileKinds.h"

#include <algorithm>
#include <array>
#include <string>

#include "platform/PathText.h"
#include "platform/TextCodec.h"
#include "textures/ContainerFormat.h"
#include "tools/Lz77.h"

namespace texture_editor {
namespace fs = std::filesystem;
using platform::ByteView;

namespace {

constexpr std::array<std::uint8_t, 2> BITMAP_MAGIC{'B', 'M'};

// The last four characters of the path, lower-cased.
std::string lastFourLower(const fs::path& path)
{
    const std::u16string text = platform::pathToText(path);
    const std::u16string tail = text.size() > 4 ? text.substr(text.size() - 4) : text;
    return platform::asciiLower(platform::utf8FromUtf16(tail));
}

bool startsWith(ByteView bytes, ByteView prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

} // namespace

SourceKind sourceKindOf(const fs::path& path)
{
    const std::string tail = lastFourLower(path);
    if (tail == ".tpl")
        return SourceKind::Tpl;
    if (tail == ".bin")
        return SourceKind::SaveBanner;
    if (tail == ".wte")
        return SourceKind::Wte;
    if (tail == ".app")
        return SourceKind::NesApp;
    return SourceKind::Picture;
}

SaveKind saveKindOf(const fs::path& path)
{
    return lastFourLower(path) == ".tpl" ? SaveKind::Tpl : SaveKind::Bitmap;
}

bool isLz77Compressed(ByteView bytes)
{
    if (startsWith(bytes, tools::LZ77_MAGIC))
        bytes = bytes.subspan(tools::LZ77_MAGIC.size());
    return !bytes.empty() && bytes.front() == tools::LZ77_TYPE;
}

bool isTplFile(ByteView bytes)
{
    if (startsWith(bytes, textures::TPL_MAGIC_BYTES))
        return true;
    if (!isLz77Compressed(bytes))
        return false;
    auto plain = tools::decompressLz77(bytes);
    return plain && startsWith(*plain, textures::TPL_MAGIC_BYTES);
}

bool isBitmapFile(ByteView bytes)
{
    return startsWith(bytes, BITMAP_MAGIC);
}

} // namespace texture_editor
