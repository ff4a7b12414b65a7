#include "SaveOptions.h"

#include <algorithm>
#include <array>

#include "banner_editor/LayoutBuffer.h"
#include "banner_editor/LayoutFormat.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace banner_editor {
namespace fs = std::filesystem;
using platform::Bytes;
using platform::ErrorKind;
using platform::makeError;

namespace fmt = layout;

void CutPadding(Bytes& buffer)
{
    // The last group end closes the layout: groups nest, and cutting after an inner group's end would
    // throw away the rest of the layout.
    std::size_t end = platform::findLastBytes(buffer, nameBytes(fmt::GROUP_END));
    if (end != platform::NOT_FOUND) {
        end += fmt::GROUP_END.size();
    } else if (end = platform::findBytes(buffer, nameBytes(fmt::ROOT_GROUP_END)); end != platform::NOT_FOUND) {
        end += fmt::ROOT_GROUP_END.size();
    } else {
        // Layouts that end in a plain group section carry neither marker. The size field, which the save
        // writes before it pads, still tells where the layout ends; only zero bytes after it are cut.
        if (buffer.size() < fmt::HEADER_END)
            return;
        end = platform::readBe32(buffer, fmt::HEADER_FILE_SIZE);
        if (end < fmt::HEADER_END || end >= buffer.size() ||
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
    if (region.empty() || region == fmt::NO_LANGUAGE)
        return;
    const auto titleOf = [&](std::string_view code) {
        return Get_Txt1_Text(buffer,
                             std::string(fmt::TITLE_PANE) + std::string(fmt::LANGUAGE_SEPARATOR) + std::string(code));
    };
    if (!titleOf(region).empty())
        return;
    const auto source = std::find_if(fmt::LANGUAGE_CODES.begin(), fmt::LANGUAGE_CODES.end(),
                                     [&](std::string_view code) { return !titleOf(code).empty(); });
    if (source == fmt::LANGUAGE_CODES.end())
        return;
    for (const auto prefix : fmt::REGION_NAME_PREFIXES) {
        const std::string from = std::string(prefix) + std::string(*source);
        const std::string to = std::string(prefix) + std::string(region);
        // Equal lengths keep every section size and offset valid.
        if (from.size() != to.size())
            return;
        buffer = platform::replaceAllBytes(buffer, nameBytes(from), nameBytes(to));
    }
}

platform::Result<fs::path> textureFolderOf(const fs::path& layoutPath)
{
    const fs::path layoutFolder = layoutPath.parent_path();
    const fs::path base = layoutFolder.parent_path();
    // The base folder must be a real folder above the layout's own one, not the root.
    if (layoutFolder.empty() || !layoutFolder.has_relative_path() || base.empty() || !base.has_relative_path() ||
        layoutFolder == base)
        return makeError(ErrorKind::NotFound, "No logo replaced: the layout " + platform::quoted(layoutPath) +
                                                  " needs two folders above it, the texture folder '" +
                                                  std::string(fmt::TEXTURE_FOLDER) + "' lies beside its own folder");
    const fs::path folder = platform::findExisting(base / fmt::TEXTURE_FOLDER);
    if (!platform::folderExists(folder))
        return makeError(ErrorKind::NotFound,
                         "No logo replaced: the texture folder " + platform::quoted(folder) + " was not found");
    return folder;
}

platform::Result<fs::path> logoTextureIn(const fs::path& textureFolder)
{
    for (const auto& name : platform::listFolder(textureFolder, fmt::TEXTURE_PATTERN)) {
        if (name.starts_with(fmt::LOGO_TEXTURE_PREFIX))
            return platform::findExisting(textureFolder) / name;
    }
    return makeError(ErrorKind::NotFound, "No logo replaced: no " + std::string(fmt::LOGO_TEXTURE_PREFIX) + "*" +
                                              std::string(fmt::TEXTURE_PATTERN.substr(1)) + " texture in " +
                                              platform::quoted(textureFolder));
}

fs::path logoPathOf(std::u16string_view lgPath, const fs::path& programFolder)
{
    if (platform::isAbsolutePathText(lgPath) || platform::isProgramRelativePathText(lgPath))
        return platform::resolvePathText(lgPath, programFolder);
    const std::u16string inLogoFolder = u"\\" + platform::utf16FromUtf8(LOGO_FOLDER) + u"\\" + std::u16string(lgPath);
    return platform::resolvePathText(inLogoFolder, programFolder);
}

} // namespace banner_editor
