#include "injector/TitleFileLines.h"

#include <algorithm>

#include "injector/InjectorFormats.h"
#include "platform/ByteReader.h"
#include "platform/TextCodec.h"

namespace injector {

namespace {

constexpr std::u16string_view CRLF = u"\r\n";

} // namespace

std::vector<std::u16string> eightBitLines(platform::ByteView data)
{
    platform::Bytes kept;
    for (auto b : data)
        if (b != 0)
            kept.push_back(b);
    const std::u16string text = platform::textFromLatin1(kept);
    std::vector<std::u16string> lines;
    std::size_t start = 0;
    for (;;) {
        const auto at = text.find(CRLF, start);
        if (at == std::u16string::npos) {
            if (start < text.size() || lines.empty())
                lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, at - start));
        start = at + CRLF.size();
    }
}

std::optional<std::size_t> firstWideLine(platform::ByteView data, std::size_t first, std::size_t last)
{
    platform::ByteReader reader(data);
    if (reader.be16() != 0xFEFF)
        return std::nullopt;
    std::u16string text;
    while (reader.remaining() >= 2)
        text.push_back(static_cast<char16_t>(reader.be16()));
    std::size_t start = 0;
    for (std::size_t line = 1; line <= last; ++line) {
        const auto end = text.find(CRLF, start);
        const std::u16string_view content = std::u16string_view(text).substr(start, end - start);
        if (line >= first && std::any_of(content.begin(), content.end(), [](char16_t c) { return c > 0xFF; }))
            return line;
        if (end == std::u16string::npos)
            break;
        start = end + CRLF.size();
    }
    return std::nullopt;
}

platform::Error wideLineError(std::u16string_view destination, std::size_t line)
{
    return platform::makeError(platform::ErrorKind::BadFormat,
                               "Line " + std::to_string(line) + " of " + platform::utf8FromUtf16(destination) +
                                   " holds characters beyond 8 bits, which this title file keeps only as single "
                                   "bytes. Nothing was written.",
                               "Invalid Destination File!");
}

platform::Bytes titleFile(platform::ByteView body)
{
    platform::Bytes out(TITLE_FILE_START.size() + body.size());
    const auto bodyStart = std::copy(TITLE_FILE_START.begin(), TITLE_FILE_START.end(), out.begin());
    std::copy(body.begin(), body.end(), bodyStart);
    return out;
}

} // namespace injector
