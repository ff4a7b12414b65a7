// SNES: the source TPL replaces 00000005_app_out\banner.tpl beside 00000001.app; the English title
// goes into 00000001.app as two 40-byte Shift-JIS lines, 64 bytes after the ticket name.
#include <algorithm>
#include <utility>

#include "injector/ConsoleInjections.h"
#include "injector/ExtractedTitle.h"
#include "injector/InjectorFormats.h"
#include "injector/TitleEncoding.h"
#include "platform/PathText.h"

namespace injector {

namespace {

using platform::Bytes;

// The title as its two Shift-JIS lines: over 32 units it is cut after 32; a "^" in line 1 then splits
// it again (line 2 = the text between the first and second "^").
platform::Result<std::pair<Bytes, Bytes>> snesLines(std::u16string_view title)
{
    std::u16string line1(title), line2;
    if (title.size() > SNES_SPLIT_UNITS) {
        line1 = title.substr(0, SNES_SPLIT_UNITS);
        line2 = title.substr(SNES_SPLIT_UNITS);
    }
    if (const auto mark = line1.find(u'^'); mark != std::u16string::npos) {
        const std::u16string rest = line1.substr(mark + 1);
        line2 = rest.substr(0, rest.find(u'^'));
        line1 = line1.substr(0, mark);
    }
    std::pair<Bytes, Bytes> out;
    int number = 1;
    for (auto [text, bytes] : {std::pair{&line1, &out.first}, std::pair{&line2, &out.second}}) {
        auto encoded = JIS2Uni(*text);
        if (!encoded)
            return platform::makeError(platform::ErrorKind::BadArgument,
                                       "Line " + std::to_string(number) +
                                           " of the title cannot be written in Shift-JIS (" + encoded.error().message +
                                           "). Nothing was written.",
                                       "Invalid Title!");
        if (encoded->size() > SNES_LINE_SIZE)
            return titleTooLong(
                "Line " + std::to_string(number) + " of the title takes " + std::to_string(encoded->size()) +
                " bytes in Shift-JIS; an SNES title line holds at most " + std::to_string(SNES_LINE_SIZE) + ".");
        *bytes = std::move(encoded).value();
        ++number;
    }
    return out;
}

// The ticket name from the 00000005.app beside the destination.
platform::Result<Bytes> ticketOf(InjectionContext& context)
{
    const auto app5Path = ticketAppBeside(context.destination(), context.programFolder());
    if (!platform::fileExists(app5Path))
        return errorOf(msg::NO_TICKET_APP, platform::ErrorKind::NotFound, lookedFor(app5Path, context.destination()));
    auto app5 = platform::readFile(app5Path);
    if (!app5)
        return app5.error();
    auto ticket = ticketName(*app5);
    if (!ticket)
        return platform::makeError(platform::ErrorKind::BadFormat,
                                   "The 00000005.app beside the 00000001.app (" + platform::quoted(app5Path) +
                                       ") holds no ticket name (no \".rom\").",
                                   "Error 5.app Not valid!");
    return std::move(*ticket);
}

} // namespace

platform::Result<void> injectSnes(InjectionContext& context)
{
    const std::u16string& english = context.title(ENGLISH_SLOT);
    auto lines = snesLines(english);
    if (!lines)
        return lines.error();

    const std::u16string target = contentFolderOf(context.destination()) + std::u16string(SNES_TEXTURE_FILE);
    if (auto texture = context.replaceTexture(SourceKind::Tpl, target, msg::NO_BANNER_TPL_TARGET,
                                              u"Tpl File:  " + context.source() + u" successfully copied to " + target +
                                                  u"." + u"\r\n");
        !texture)
        return texture.error();

    const auto dest = context.resolve(context.destination());
    if (!platform::fileExists(dest))
        return context.destinationMissing(dest);
    auto ticket = ticketOf(context);
    if (!ticket)
        return ticket.error();
    auto app = platform::readFile(dest);
    if (!app)
        return app.error();
    const auto t = platform::findBytes(*app, *ticket);
    if (t == platform::NOT_FOUND || t + SNES_TITLE_FROM_TICKET + 2 * SNES_LINE_SIZE > app->size())
        return errorOf(msg::NOT_A_SNES_APP, platform::ErrorKind::BadFormat);

    // A non-empty title replaces both lines, so no part of a longer old title survives; an empty one
    // leaves the old title as it is.
    if (!english.empty()) {
        Bytes block = std::move(lines->first);
        block.resize(SNES_LINE_SIZE, 0);
        block.insert(block.end(), lines->second.begin(), lines->second.end());
        block.resize(2 * SNES_LINE_SIZE, 0);
        std::copy(block.begin(), block.end(), app->begin() + static_cast<std::ptrdiff_t>(t + SNES_TITLE_FROM_TICKET));
    }
    context.stage(dest, std::move(app).value());
    context.reportTitle(english + u" successflly injected into " + context.destination());
    return {};
}

} // namespace injector
