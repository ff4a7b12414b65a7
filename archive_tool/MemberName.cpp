#include "archive_tool/MemberName.h"

#include <array>
#include <cstdio>

#include "platform/Files.h"
#include "platform/TextCodec.h"

namespace archive_tool {
namespace {

using platform::ErrorKind;

platform::Error refused(std::u16string_view name, const std::string& why)
{
    return platform::makeError(ErrorKind::BadFormat, "the name " + quotedName(name) + " " + why);
}

// CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, also with an extension ("nul.txt").
bool isDeviceName(std::u16string_view name)
{
    const auto stem = platform::asciiUpper(name.substr(0, name.find(u'.')));
    static constexpr std::array<std::u16string_view, 4> plain{u"CON", u"PRN", u"AUX", u"NUL"};
    for (auto device : plain) {
        if (stem == device)
            return true;
    }
    return stem.size() == 4 && (stem.starts_with(u"COM") || stem.starts_with(u"LPT")) && stem[3] >= u'1' &&
           stem[3] <= u'9';
}

} // namespace

platform::Result<void> checkMemberName(std::u16string_view name)
{
    if (name.empty())
        return platform::makeError(ErrorKind::BadFormat, "the name is empty");
    if (name == u"." || name == u"..")
        return refused(name, "names a folder, not a file");
    for (char16_t c : name) {
        if (c == u'/' || c == u'\\' || c == u':')
            return refused(name, "holds a folder or drive separator");
        if (c < 0x20 || c == 0x7F)
            return refused(name, "holds a control character");
        if (std::u16string_view(u"<>\"|?*").find(c) != std::u16string_view::npos)
            return refused(name, "holds a character file names cannot hold");
        if (c > 0xFF)
            return refused(name, "holds a character an archive name cannot store (8-bit text only)");
    }
    if (name.back() == u'.' || name.back() == u' ')
        return refused(name, "ends in a dot or a space");
    if (isDeviceName(name))
        return refused(name, "is a device name");
    if (platform::isTemporaryFileName(platform::utf8FromUtf16(name)))
        return refused(name, "is the name of an unfinished write's temporary file");
    return {};
}

std::string quotedName(std::u16string_view name)
{
    std::u16string shown;
    for (char16_t c : name) {
        if (c < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(c));
            shown += platform::utf16FromUtf8(hex);
        } else {
            shown += c;
        }
    }
    std::string out(1, '"');
    out += platform::utf8FromUtf16(shown);
    out += '"';
    return out;
}

} // namespace archive_tool
