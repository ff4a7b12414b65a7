#include "Bytes.h"

#include <algorithm>
#include <cstring>

namespace platform {

std::size_t findBytes(ByteView haystack, ByteView needle, std::size_t from)
{
    if (from > haystack.size())
        return NOT_FOUND;
    if (needle.empty())
        return from;
    if (needle.size() > haystack.size() - from)
        return NOT_FOUND;
    // The needles are short (magics, names, marks): finding the first byte with memchr and comparing
    // the rest beats building a skip table on every call.
    const std::uint8_t* const begin = haystack.data();
    const std::uint8_t* const last = begin + (haystack.size() - needle.size()); // the last possible start
    const std::uint8_t first = needle[0];
    for (const std::uint8_t* p = begin + from; p <= last; ++p) {
        p = static_cast<const std::uint8_t*>(std::memchr(p, first, static_cast<std::size_t>(last - p) + 1));
        if (!p)
            return NOT_FOUND;
        if (std::memcmp(p + 1, needle.data() + 1, needle.size() - 1) == 0)
            return static_cast<std::size_t>(p - begin);
    }
    return NOT_FOUND;
}

std::size_t findLastBytes(ByteView haystack, ByteView needle)
{
    if (needle.size() > haystack.size())
        return NOT_FOUND;
    const auto it = std::find_end(haystack.begin(), haystack.end(), needle.begin(), needle.end());
    return it == haystack.end() && !needle.empty() ? NOT_FOUND : static_cast<std::size_t>(it - haystack.begin());
}

Bytes replaceAllBytes(ByteView haystack, ByteView from, ByteView to)
{
    Bytes out;
    if (from.empty())
        return Bytes(haystack.begin(), haystack.end());
    out.reserve(haystack.size());
    std::size_t pos = 0;
    for (;;) {
        const std::size_t hit = findBytes(haystack, from, pos);
        if (hit == NOT_FOUND)
            break;
        out.insert(out.end(), haystack.begin() + static_cast<std::ptrdiff_t>(pos),
                   haystack.begin() + static_cast<std::ptrdiff_t>(hit));
        out.insert(out.end(), to.begin(), to.end());
        pos = hit + from.size();
    }
    out.insert(out.end(), haystack.begin() + static_cast<std::ptrdiff_t>(pos), haystack.end());
    return out;
}

Bytes bytesOf(std::string_view text)
{
    return Bytes(text.begin(), text.end());
}

std::string hexText(std::uint64_t value)
{
    static constexpr char DIGITS[] = "0123456789ABCDEF";
    std::string digits;
    do {
        digits.insert(digits.begin(), DIGITS[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    return "0x" + digits;
}

} // namespace platform
