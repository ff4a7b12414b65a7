#include "archive_tool/ArchivePaths.h"

#include <algorithm>

#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace archive_tool {
namespace {

constexpr std::u16string_view OUT_SUFFIX = u"_OUT";

// A path text cut around its last name: head (up to and with the separator before the name), the
// name, and a trailing separator if there is one.
struct LastName
{
    std::u16string_view head;
    std::u16string_view name;
    std::u16string_view tail;
};

LastName splitLastName(std::u16string_view text)
{
    std::size_t end = text.size();
    if (end > 0 && platform::isPathSeparator(text[end - 1]))
        --end;
    const auto body = text.substr(0, end);
    const auto at = platform::lastSeparator(body);
    const std::size_t nameStart = at == std::u16string_view::npos ? 0 : at + 1;
    return {body.substr(0, nameStart), body.substr(nameStart), text.substr(end)};
}

// The separator the text uses last, "\" when it has none.
char16_t separatorOf(std::u16string_view text)
{
    const auto at = platform::lastSeparator(text);
    return at == std::u16string_view::npos ? u'\\' : text[at];
}

std::u16string replaced(std::u16string_view text, char16_t from, char16_t to)
{
    std::u16string out(text);
    std::replace(out.begin(), out.end(), from, to);
    return out;
}

std::u16string withTrailingSeparator(std::u16string_view text)
{
    std::u16string out(text);
    if (out.empty() || !platform::isPathSeparator(out.back()))
        out += separatorOf(text);
    return out;
}

} // namespace

std::u16string anchoredPathText(std::u16string_view text)
{
    if (platform::isAbsolutePathText(text) || platform::isProgramRelativePathText(text))
        return std::u16string(text);
    std::u16string out(1, u'\\');
    out += text;
    return out;
}

std::u16string FixPath(std::u16string_view text, const std::filesystem::path& programFolder)
{
    std::u16string out = withTrailingSeparator(text);
    if (platform::isProgramRelativePathText(out))
        out = platform::pathToText(programFolder) + out;
    return out;
}

std::u16string folderTextForArchive(std::u16string_view archiveText)
{
    const auto parts = splitLastName(archiveText);
    return std::u16string(parts.head) + replaced(parts.name, u'.', u'_') + std::u16string(OUT_SUFFIX) +
           separatorOf(archiveText);
}

std::u16string archiveTextForFolder(std::u16string_view folderText)
{
    const auto parts = splitLastName(folderText);
    const auto name = parts.name;
    const bool extracted = name.size() > OUT_SUFFIX.size() &&
                           platform::asciiUpper(name.substr(name.size() - OUT_SUFFIX.size())) == OUT_SUFFIX;
    if (extracted)
        return std::u16string(parts.head) + replaced(name.substr(0, name.size() - OUT_SUFFIX.size()), u'_', u'.');
    return std::u16string(parts.head) + std::u16string(name) + u".ccf";
}

PathTexts extractionTexts(std::u16string_view fileText, std::u16string_view folderText)
{
    PathTexts texts;
    texts.file = anchoredPathText(fileText);
    std::u16string folder(folderText);
    if (folder.empty()) {
        const std::u16string derived = texts.file + std::u16string(OUT_SUFFIX) + separatorOf(texts.file);
        const auto parts = splitLastName(derived);
        folder = std::u16string(parts.head) + replaced(parts.name, u'.', u'_') + std::u16string(parts.tail);
    }
    texts.folder = withTrailingSeparator(anchoredPathText(folder));
    return texts;
}

PathTexts packingTexts(std::u16string_view fileText, std::u16string_view folderText,
                       const std::filesystem::path& programFolder)
{
    PathTexts texts;
    texts.folder = anchoredPathText(folderText);
    texts.file =
        fileText.empty() ? archiveTextForFolder(FixPath(texts.folder, programFolder)) : std::u16string(fileText);
    return texts;
}

} // namespace archive_tool
