#include "injector/TitleEncoding.h"

#include "platform/TextCodec.h"

namespace injector {

namespace {

constexpr char16_t LINE_MARK = u'^';
constexpr char16_t LINE_FEED = u'\n';

std::u16string withLineFeeds(std::u16string_view text)
{
    std::u16string out(text);
    for (auto& c : out)
        if (c == LINE_MARK)
            c = LINE_FEED;
    return out;
}

// Number of bytes a CP932 character starting with this lead byte takes.
std::size_t shiftJisLength(std::uint8_t lead)
{
    return ((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) ? 2 : 1;
}

} // namespace

platform::Bytes Asc2Uni(std::u16string_view text)
{
    platform::Bytes out;
    out.reserve(text.size() * 2);
    for (char16_t c : withLineFeeds(text)) {
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c));
    }
    return out;
}

std::u16string Uni2Asc(platform::ByteView bytes)
{
    std::u16string out;
    out.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto c = static_cast<char16_t>((bytes[i] << 8) | bytes[i + 1]);
        if (c == 0)
            continue;
        out.push_back(c == LINE_FEED ? LINE_MARK : c);
    }
    return out;
}

platform::Bytes reverseUni(platform::ByteView bytes)
{
    platform::Bytes out(bytes.begin(), bytes.end());
    if (out.size() % 2 != 0)
        out.push_back(0);
    for (std::size_t i = 0; i < out.size(); i += 2)
        std::swap(out[i], out[i + 1]);
    return out;
}

platform::Result<platform::Bytes> JIS2Uni(std::u16string_view text)
{
    const std::u16string units = withLineFeeds(text);
    if (units.empty())
        return platform::Bytes{};
    auto encoded = platform::encodeShiftJis(units);
    if (!encoded)
        return encoded.error();
    // Whole pairs: an odd byte count is completed with a zero byte. (Completing the character count
    // instead and dropping a last odd byte would cut a text that mixes one- and two-byte characters,
    // losing its last character or half of a two-byte one.)
    platform::Bytes bytes = std::move(encoded).value();
    if (bytes.size() % 2 != 0)
        bytes.push_back(0);
    return bytes;
}

std::u16string JIS2ASC(platform::ByteView bytes)
{
    platform::Bytes input(bytes.begin(), bytes.end());
    input.push_back(0);
    if (auto whole = platform::decodeShiftJis(input))
        return std::move(whole).value();
    // Some byte is not valid CP932: decode character by character so one bad byte costs one character.
    std::u16string out;
    for (std::size_t i = 0; i < input.size();) {
        const std::size_t n = std::min(shiftJisLength(input[i]), input.size() - i);
        auto one = platform::decodeShiftJis(platform::ByteView(input).subspan(i, n));
        if (one) {
            out += one.value();
            i += n;
        } else {
            out.push_back(u'\uFFFD');
            i += 1;
        }
    }
    return out;
}

platform::Bytes Asc2UniShift(std::u16string_view text)
{
    const std::u16string trimmed = platform::trimSpaces(text);
    const std::size_t removed = text.size() - trimmed.size();
    const platform::Bytes eight = platform::latin1FromText(trimmed);
    platform::Bytes out;
    out.reserve(eight.size() * 2 + removed * 2);
    for (std::size_t i = 0; i < eight.size(); ++i) {
        if (i > 0)
            out.push_back(0);
        out.push_back(eight[i] == '^' ? 0x0A : eight[i]);
    }
    out.insert(out.end(), removed * 2, 0);
    return out;
}

} // namespace injector
