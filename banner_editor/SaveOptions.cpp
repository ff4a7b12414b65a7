#include "SaveOptions.h"

#include <algorithm>
#include <array>

#include "banner_editor/LayoutBuffer.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {
namespace fs = std::filesystem;
using platform::Bytes;
using platform::ErrorKind;
using platform::makeError;

namespace {

// The header's total-size field: bytes 8-11, big-endian.
constexpr std::size_t HEADER_SIZE_FIELD = 8;
constexpr std::size_t HEADER_SIZE_END = 12;

constexpr std::array<std::string_view, 7> LANGUAGE_CODES{"ENG", "GER", "FRA", "ITA", "SPA", "NED", "JPN"};

// The name families that region forcing moves, in the order they are replaced.
constexpr std::array<std::string_view, 4> FORCED_NAME_PREFIXES{"T_YEAR_", "T_PLAY_", "T_ESRB_", "L"};

platform::ByteView viewOf(std::string_view text)
{
    return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

} // namespace

void CutPadding(Bytes& buffer)
{
    // The last group end closes the layout: groups nest, and cutting after an inner group's end would
    // throw away the rest of the layout.
    std::size_t end = platform::findLastBytes(buffer, viewOf(GROUP_END_MARKER));
    if (end != platform::NOT_FOUND) {
        end += GROUP_END_MARKER.size();
    } else if (end = platform::findBytes(buffer, viewOf(ROOT_GROUP_MARKER)); end != platform::NOT_FOUND) {
        end += ROOT_GROUP_MARKER.size();
    } else {
        // Layouts that end in a plain group section carry neither marker. The size field, which the save
        // writes before it pads, still tells where the layout ends; only zero bytes after it are cut.
        if (buffer.size() < HEADER_SIZE_END)
            return;
        end = platform::readBe32(buffer, HEADER_SIZE_FIELD);
        if (end < HEADER_SIZE_END || end >= buffer.size() ||
            !std::all_of(buffer.begin() + static_cast<std::ptrdiff_t>(end), buffer.end(),
                         [](std::uint8_t b) { return b == 0; }))
            return;
    }
    if (buffer.size() > end)
        buffer.resize(end);
}

platform::Result<PaddingRequest> parsePadding(std::u16string_view paddingText)
{
    const std::u16string text = platform::trimSpaces(paddingText);
    PaddingRequest request;
    std::u16string_view digits = text;
    if (!digits.empty() && digits.front() == u'+') {
        request.relative = true;
        digits.remove_prefix(1);
    }
    if (text.empty())
        return request;
    const auto bad = [&] {
        return makeError(ErrorKind::BadArgument,
                         "Padding \"" + platform::utf8FromUtf16(text) +
                             "\" is not a byte count: type a size such as 12000, or + and a number of bytes "
                             "such as +16, or leave it empty");
    };
    if (digits.empty())
        return bad();
    std::size_t value = 0;
    for (const char16_t c : digits) {
        if (c < u'0' || c > u'9')
            return bad();
        value = value * 10 + static_cast<std::size_t>(c - u'0');
        if (value > MAX_PADDED_SIZE)
            return makeError(ErrorKind::BadArgument, "Padding \"" + platform::utf8FromUtf16(text) +
                                                         "\" is too large: at most " + std::to_string(MAX_PADDED_SIZE) +
                                                         " bytes");
    }
    request.count = value;
    return request;
}

platform::Result<void> AddPadding(Bytes& buffer, std::u16string_view paddingText)
{
    auto request = parsePadding(paddingText);
    if (!request)
        return request.error();
    std::size_t add = 0;
    if (request->relative)
        add = request->count;
    else if (request->count > buffer.size())
        add = request->count - buffer.size();
    if (buffer.size() + add > MAX_PADDED_SIZE)
        return makeError(ErrorKind::BadArgument,
                         "Padding would make the layout larger than " + std::to_string(MAX_PADDED_SIZE) + " bytes");
    buffer.insert(buffer.end(), add, 0);
    return {};
}

void Region_Force(Bytes& buffer, std::string_view region)
{
    if (region.empty() || region == "NONE")
        return;
    const std::string regionCode(region);
    if (!Get_Txt1_Text(buffer, "T_VCTitle_" + regionCode).empty())
        return;
    std::string_view source;
    for (const auto code : LANGUAGE_CODES) {
        if (!Get_Txt1_Text(buffer, "T_VCTitle_" + std::string(code)).empty()) {
            source = code;
            break;
        }
    }
    if (source.empty())
        return;
    for (const auto prefix : FORCED_NAME_PREFIXES) {
        const std::string from = std::string(prefix) + std::string(source);
        const std::string to = std::string(prefix) + regionCode;
        // Equal lengths keep every section size and offset valid.
        if (from.size() != to.size())
            return;
        buffer = platform::replaceAllBytes(buffer, viewOf(from), viewOf(to));
    }
}

platform::Result<fs::path> textureFolderOf(const fs::path& layoutPath)
{
    const fs::path layoutFolder = layoutPath.parent_path();
    const fs::path base = layoutFolder.parent_path();
    // The base folder must be a real folder above the layout's own one, not the root.
    if (layoutFolder.empty() || !layoutFolder.has_relative_path() || base.empty() || !base.has_relative_path() ||
        layoutFolder == base)
        return makeError(ErrorKind::NotFound,
                         "No logo replaced: the layout '" + layoutPath.string() +
                             "' needs two folders above it, the texture folder 'timg' lies beside its own folder");
    return platform::findExisting(base / "timg");
}

fs::path logoTextureIn(const fs::path& textureFolder)
{
    if (!platform::folderExists(textureFolder))
        return {};
    for (const auto& name : platform::listFolder(textureFolder, "*.tpl")) {
        if (name.starts_with("my_Back"))
            return platform::findExisting(textureFolder) / name;
    }
    return {};
}

fs::path logoPathOf(std::u16string_view lgPath, const fs::path& programFolder)
{
    if (platform::isAbsolutePathText(lgPath) || platform::isProgramRelativePathText(lgPath))
        return platform::resolvePathText(lgPath, programFolder);
    return platform::resolvePathText(u"\\logos\\" + std::u16string(lgPath), programFolder);
}

} // namespace banner_editor
