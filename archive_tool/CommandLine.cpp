#include "archive_tool/CommandLine.h"

#include <algorithm>

#include "platform/TextCodec.h"

namespace archive_tool {
namespace {

bool startsWithKeyword(std::u16string_view piece, std::u16string_view upperKeyword)
{
    return platform::asciiUpper(piece.substr(0, upperKeyword.size())) == upperKeyword;
}

// The path of a "file" or "folder" piece: the text after the keyword and one separator character.
platform::Result<std::u16string> valueOf(std::u16string_view piece, std::u16string_view keyword)
{
    std::u16string value = platform::trimSpaces(piece.substr(std::min(piece.size(), keyword.size() + 1)));
    value.erase(std::remove(value.begin(), value.end(), u'"'), value.end());
    if (value.empty())
        return platform::makeError(platform::ErrorKind::BadArgument,
                                   "The option -" + platform::utf8FromUtf16(keyword) + " needs a path after it.");
    return value;
}

} // namespace

platform::Result<CommandLineOptions> parseCommandLine(const std::vector<std::u16string>& pieces)
{
    CommandLineOptions options;
    if (!pieces.empty())
        options.leadingText = platform::trimSpaces(pieces[0]);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const std::u16string_view piece = pieces[i];
        bool known = false;
        if (startsWithKeyword(piece, u"P")) {
            options.mode = Mode::Pack;
            known = true;
        }
        if (startsWithKeyword(piece, u"E")) {
            options.mode = Mode::Extract;
            known = true;
        }
        if (startsWithKeyword(piece, u"FILE")) {
            auto value = valueOf(piece, u"file");
            if (!value)
                return value.error();
            options.file = std::move(value.value());
            known = true;
        }
        if (startsWithKeyword(piece, u"FOLDER")) {
            auto value = valueOf(piece, u"folder");
            if (!value)
                return value.error();
            options.folder = std::move(value.value());
            known = true;
        }
        if (!known)
            options.ignored.emplace_back(piece);
    }
    return options;
}

} // namespace archive_tool
