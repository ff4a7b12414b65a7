#include "TextCodec.h"

#include <algorithm>

#include "CaseFoldTable.h"

namespace platform {

std::u16string utf16FromUtf8(std::string_view s)
{
    std::u16string out;
    out.reserve(s.size());
    std::size_t i = 0;
    while (i < s.size()) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        char32_t cp = 0xFFFD;
        std::size_t len = 1;
        if (c < 0x80) {
            cp = c;
        } else {
            std::size_t need = 0;
            char32_t minimum = 0;
            if ((c & 0xE0) == 0xC0) {
                need = 1, cp = c & 0x1F, minimum = 0x80;
            } else if ((c & 0xF0) == 0xE0) {
                need = 2, cp = c & 0x0F, minimum = 0x800;
            } else if ((c & 0xF8) == 0xF0) {
                need = 3, cp = c & 0x07, minimum = 0x10000;
            }
            bool good = need > 0;
            for (std::size_t k = 1; good && k <= need; ++k) {
                if (i + k >= s.size() || (static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80)
                    good = false;
                else
                    cp = (cp << 6) | (static_cast<unsigned char>(s[i + k]) & 0x3F);
            }
            if (good && cp >= minimum && cp <= 0x10FFFF && !(cp >= 0xD800 && cp <= 0xDFFF))
                len = need + 1;
            else
                cp = 0xFFFD;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return out;
}

std::string utf8FromUtf16(std::u16string_view s)
{
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 && s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;
        }
        if (cp < 0x80) {
            out.push_back(static_cast<char>(cp));
        } else if (cp < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else if (cp < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
        }
    }
    return out;
}

std::u16string textFromLatin1(ByteView bytes)
{
    return std::u16string(bytes.begin(), bytes.end());
}

Bytes latin1FromText(std::u16string_view text)
{
    Bytes out;
    out.reserve(text.size());
    for (char16_t c : text)
        out.push_back(c <= 0xFF ? static_cast<std::uint8_t>(c) : static_cast<std::uint8_t>('?'));
    return out;
}

char16_t asciiUpper(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c;
}

std::u16string asciiUpper(std::u16string_view text)
{
    std::u16string out(text);
    std::transform(out.begin(), out.end(), out.begin(), [](char16_t c) { return asciiUpper(c); });
    return out;
}

std::string asciiLower(std::string_view text)
{
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; });
    return out;
}

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && asciiLower(a) == asciiLower(b);
}

char32_t foldCase(char32_t c)
{
    const auto& runs = casefold::RUNS;
    auto it = std::upper_bound(runs.begin(), runs.end(), c,
                               [](char32_t value, const casefold::Run& run) { return value < run.first; });
    if (it == runs.begin())
        return c;
    const casefold::Run& run = *(it - 1);
    const char32_t offset = c - run.first;
    if (offset % run.stride != 0 || offset / run.stride >= run.count)
        return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run.delta);
}

namespace {

// The case-folded characters of a UTF-8 text.
std::u32string foldedCharacters(std::string_view utf8)
{
    const std::u16string units = utf16FromUtf8(utf8);
    std::u32string out;
    out.reserve(units.size());
    for (std::size_t i = 0; i < units.size(); ++i) {
        char32_t c = units[i];
        if (c >= 0xD800 && c < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (units[++i] - 0xDC00);
        out.push_back(foldCase(c));
    }
    return out;
}

} // namespace

bool namesEqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (equalsIgnoringCase(a, b))
        return true;
    return foldedCharacters(a) == foldedCharacters(b);
}

std::u16string trimSpaces(std::u16string_view text)
{
    const auto first = text.find_first_not_of(u' ');
    if (first == std::u16string_view::npos)
        return {};
    const auto last = text.find_last_not_of(u' ');
    return std::u16string(text.substr(first, last - first + 1));
}

} // namespace platform
