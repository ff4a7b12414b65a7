#include "PathText.h"

#include "Files.h"
#include "TextCodec.h"

namespace platform {

bool isPathSeparator(char16_t c)
{
    return c == u'\\' || c == u'/';
}

bool isAbsolutePathText(std::u16string_view text)
{
    return (text.size() >= 2 && text[1] == u':') || (!text.empty() && text[0] == u'/');
}

bool isProgramRelativePathText(std::u16string_view text)
{
    return !text.empty() && text[0] == u'\\';
}

std::size_t lastSeparator(std::u16string_view text)
{
    return text.find_last_of(u"\\/");
}

std::u16string fileNameOfPathText(std::u16string_view text)
{
    const auto at = lastSeparator(text);
    return std::u16string(at == std::u16string_view::npos ? text : text.substr(at + 1));
}

std::filesystem::path textToPath(std::u16string_view text)
{
    return std::filesystem::path(utf8FromUtf16(text));
}

std::u16string pathToText(const std::filesystem::path& path)
{
    return utf16FromUtf8(path.string());
}

namespace {

// Appends the components of a separator-delimited text to base ("." and empty components skipped,
// ".." kept so that the file system resolves it).
std::filesystem::path appendComponents(std::filesystem::path base, std::u16string_view rest)
{
    std::size_t start = 0;
    while (start <= rest.size()) {
        std::size_t end = start;
        while (end < rest.size() && !isPathSeparator(rest[end]))
            ++end;
        const auto part = rest.substr(start, end - start);
        if (!part.empty() && part != u".")
            base /= textToPath(part);
        start = end + 1;
    }
    return base;
}

} // namespace

std::filesystem::path resolvePathText(std::u16string_view text, const std::filesystem::path& programFolder)
{
    std::filesystem::path native;
    if (isProgramRelativePathText(text)) {
        native = appendComponents(programFolder, text.substr(1));
    } else if (text.size() >= 2 && text[1] == u':') {
        native = appendComponents(std::filesystem::path("/"), text.substr(2));
    } else if (!text.empty() && text[0] == u'/') {
        native = appendComponents(std::filesystem::path("/"), text.substr(1));
    } else {
        std::error_code ec;
        native = appendComponents(std::filesystem::current_path(ec), text);
    }
    // A trailing separator names a folder; keep it so callers that test for one still can.
    if (!text.empty() && isPathSeparator(text.back()) && !native.empty() && native.has_filename())
        native /= "";
    return findExisting(native);
}

std::u16string displayPathText(const std::filesystem::path& path, const std::filesystem::path& programFolder)
{
    std::error_code ec;
    const auto full = std::filesystem::weakly_canonical(path, ec);
    const auto base = std::filesystem::weakly_canonical(programFolder, ec);
    const auto rel = full.lexically_relative(base);
    if (rel.empty() || *rel.begin() == "..")
        return pathToText(path);
    std::u16string out;
    for (const auto& part : rel) {
        if (part == ".")
            continue;
        out += u'\\';
        out += pathToText(part);
    }
    return out.empty() ? u"\\" : out;
}

std::string quoted(const std::filesystem::path& path)
{
    return "'" + utf8FromUtf16(pathToText(path)) + "'";
}

} // namespace platform
