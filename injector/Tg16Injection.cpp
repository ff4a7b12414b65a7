// TG16: the source TPL replaces savedata.tpl beside TITLE.TXT, and TITLE.TXT is rewritten with the
// English title as its first line and every later line kept.
#include <algorithm>
#include <limits>

#include "injector/ConsoleInjections.h"
#include "injector/ExtractedTitle.h"
#include "injector/InjectorFormats.h"
#include "injector/TitleEncoding.h"
#include "injector/TitleFileLines.h"

namespace injector {

namespace {

constexpr std::u16string_view CRLF = u"\r\n";

// The kept lines (line 2 on) after the new first line; the file ends with a line end.
std::u16string rewrittenText(std::u16string_view title, const std::vector<std::u16string>& lines)
{
    std::u16string rest;
    if (lines.size() == 2) {
        rest = lines[1] + std::u16string(CRLF);
    } else {
        for (std::size_t i = 1; i < lines.size(); ++i)
            rest += (i > 1 ? std::u16string(CRLF) : std::u16string()) + lines[i];
    }
    return std::u16string(title) + std::u16string(CRLF) + rest + std::u16string(CRLF);
}

} // namespace

platform::Result<void> injectTg16(InjectionContext& context)
{
    // TITLE.TXT keeps one byte per character; a character above U+00FF would turn into "?".
    const std::u16string& english = context.title(ENGLISH_SLOT);
    if (const auto wide = std::find_if(english.begin(), english.end(), [](char16_t c) { return c > 0xFF; });
        wide != english.end())
        return platform::makeError(platform::ErrorKind::BadArgument,
                                   "A TG16 title holds 8-bit characters only; character " +
                                       std::to_string(wide - english.begin() + 1) +
                                       " of the title has none. Nothing was written.",
                                   "Invalid Title!");
    const std::u16string folder = folderOfPathText(context.destination());
    if (auto texture =
            context.replaceTexture(SourceKind::Tpl, folder + std::u16string(TG16_TEXTURE_FILE), msg::NO_SAVEDATA_TARGET,
                                   context.source() + u" successfully copied to " + folder +
                                       std::u16string(TG16_TEXTURE_FILE) + u"!" + u"\r\n");
        !texture)
        return texture.error();

    const auto dest = context.resolve(context.destination());
    if (!platform::fileExists(dest))
        return context.destinationMissing(dest);
    auto data = platform::readFile(dest);
    if (!data)
        return data.error();
    const auto lines = eightBitLines(*data);
    if (lines.size() < 2 || lines[1].size() < 3 || lines[1][2] != u':')
        return errorOf(msg::NOT_A_TG16_FILE, platform::ErrorKind::BadFormat);
    if (const auto wide = firstWideLine(*data, 2, std::numeric_limits<std::size_t>::max()))
        return wideLineError(context.destination(), *wide);

    // Line 1 (the old title, behind the byte-order mark) gives way to the English title.
    context.stage(dest, titleFile(Asc2UniShift(rewrittenText(english, lines))));
    context.reportTitle(u"Titles Successfully Injected into " + context.destination() + u"!");
    return {};
}

} // namespace injector
