// Shift-JIS through iconv's "CP932" table (glibc): the code page the titles were written in.
// Other names (SHIFT_JIS, IBM932) map 0x5C, 0x7E and a few symbols differently.
#include <cerrno>
#include <string_view>

#include <iconv.h>

#include "TextCodec.h"

namespace platform {
namespace {

struct IconvHandle
{
    iconv_t cd;
    IconvHandle(const char* to, const char* from) : cd(iconv_open(to, from)) {}
    ~IconvHandle()
    {
        if (cd != reinterpret_cast<iconv_t>(-1))
            iconv_close(cd);
    }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    bool ok() const { return cd != reinterpret_cast<iconv_t>(-1); }
};

// Opening a converter loads its tables, which costs far more than converting a title: each thread
// keeps one converter per direction (the two conversions below) and resets its state before every use.
IconvHandle& converter(const char* to)
{
    if (std::string_view(to) == "CP932") {
        thread_local IconvHandle toShiftJis("CP932", "UTF-16LE");
        return toShiftJis;
    }
    thread_local IconvHandle fromShiftJis("UTF-16LE", "CP932");
    return fromShiftJis;
}

// Runs one whole conversion. On failure, describe(offset) gives the message for the input byte offset
// where the conversion stopped (the input size when it ended inside a character).
template <typename Describe> Result<Bytes> convert(const char* to, const char* from, ByteView in, Describe describe)
{
    IconvHandle& h = converter(to);
    if (!h.ok())
        return makeError(ErrorKind::BadFormat, std::string("The system has no ") + from + " to " + to + " converter");
    iconv(h.cd, nullptr, nullptr, nullptr, nullptr); // back to the initial state
    Bytes out(in.size() * 4 + 16);
    char* inPtr = const_cast<char*>(reinterpret_cast<const char*>(in.data()));
    std::size_t inLeft = in.size();
    char* outPtr = reinterpret_cast<char*>(out.data());
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (iconv(h.cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<std::size_t>(-1)) {
            if (errno == E2BIG) {
                const auto used = out.size() - outLeft;
                out.resize(out.size() * 2);
                outPtr = reinterpret_cast<char*>(out.data()) + used;
                outLeft = out.size() - used;
                continue;
            }
            return makeError(ErrorKind::BadFormat, describe(in.size() - inLeft));
        }
    }
    if (iconv(h.cd, nullptr, nullptr, &outPtr, &outLeft) == static_cast<std::size_t>(-1))
        return makeError(ErrorKind::BadFormat, describe(in.size()));
    out.resize(out.size() - outLeft);
    return out;
}

} // namespace

Result<Bytes> encodeShiftJis(std::u16string_view text)
{
    Bytes utf16le;
    utf16le.reserve(text.size() * 2);
    for (char16_t c : text) {
        utf16le.push_back(static_cast<std::uint8_t>(c));
        utf16le.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    // The input is UTF-16, two bytes a character: report the character's position, counted from 1.
    return convert("CP932", "UTF-16LE", utf16le, [](std::size_t offset) {
        return "Character without a Shift-JIS code at position " + std::to_string(offset / 2 + 1);
    });
}

Result<std::u16string> decodeShiftJis(ByteView bytes)
{
    auto r = convert("UTF-16LE", "CP932", bytes,
                     [](std::size_t offset) { return "Invalid Shift-JIS byte at offset " + std::to_string(offset); });
    if (!r.ok())
        return r.error();
    const Bytes& b = r.value();
    std::u16string out;
    out.reserve(b.size() / 2);
    for (std::size_t i = 0; i + 1 < b.size(); i += 2)
        out.push_back(static_cast<char16_t>(b[i] | (b[i + 1] << 8)));
    return out;
}

} // namespace platform
