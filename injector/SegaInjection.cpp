// Genesis, Master System and MSX: the WTE set beside banner.cfg.txt is replaced by the source folder's,
// and banner.cfg.txt is rewritten: its four header lines kept, then the seven title lines.
#include "injector/ConsoleInjections.h"
#include "injector/ExtractedTitle.h"
#include "injector/InjectorFormats.h"
#include "injector/TitleEncoding.h"
#include "injector/TitleFileLines.h"
#include "injector/WteCopy.h"
#include "platform/TextCodec.h"

namespace injector {

namespace {

constexpr std::u16string_view CRLF = u"\r\n";

// Stages the WTE set of the source folder, each file checked to be a WTE; shows the destination folder
// first, as the program always has.
platform::Result<void> stageWteSet(InjectionContext& context, const std::filesystem::path& sourceFolder,
                                   const std::filesystem::path& dest)
{
    auto plan = planWteBannerCopy(sourceFolder, dest.parent_path());
    if (!plan)
        return plan.error();
    std::vector<std::pair<std::filesystem::path, platform::Bytes>> files;
    for (const auto& [from, to] : *plan) {
        auto bytes = platform::readFile(from);
        if (!bytes)
            return bytes.error();
        if (auto checked = checkSourceKind(*bytes, SourceKind::Wte, from); !checked)
            return checked.error();
        files.emplace_back(to, std::move(bytes).value());
    }
    context.sink().message(platform::utf8FromUtf16(folderOfPathText(context.destination())));
    for (auto& [to, bytes] : files)
        context.stage(to, std::move(bytes));
    context.report(u"WTE Files Successfully Copied!\r\n");
    return {};
}

// The new banner.cfg.txt: the header lines as the 8-bit reading gave them, then the seven titles.
platform::Bytes segaTitleFile(const InjectionContext& context, const std::vector<std::u16string>& lines)
{
    std::u16string header;
    for (std::size_t i = 0; i < SEGA_HEADER_LINES; ++i) {
        std::u16string line = lines[i];
        if (i == 0 && line.size() >= 2 && line[0] == u'\u00FE' && line[1] == u'\u00FF')
            line.erase(0, 2); // the byte-order mark read as two 8-bit characters
        header += line + std::u16string(CRLF);
    }
    platform::Bytes body = Asc2UniShift(header);
    for (int i = 0; i < TITLE_SLOTS; ++i) {
        std::u16string line =
            std::u16string(TITLE_LABELS[static_cast<std::size_t>(i)]) + platform::trimSpaces(context.title(i));
        if (i + 1 < TITLE_SLOTS)
            line += CRLF;
        const platform::Bytes encoded = Asc2Uni(line);
        body.insert(body.end(), encoded.begin(), encoded.end());
    }
    return titleFile(body);
}

} // namespace

platform::Result<void> injectSega(InjectionContext& context)
{
    const auto dest = context.resolve(context.destination());
    if (context.destination().empty() || !platform::fileExists(dest))
        return context.destinationNotFound(dest);
    // The destination is checked before the WTE files, so a wrong file receives nothing.
    auto data = platform::readFile(dest);
    if (!data)
        return data.error();
    const auto lines = eightBitLines(*data);
    if (lines.size() < SEGA_HEADER_LINES || lines[0].find(SEGA_HEADER_MARK) == std::u16string::npos)
        return errorOf(msg::NOT_A_SEGA_FILE, platform::ErrorKind::BadFormat);
    if (const auto wide = firstWideLine(*data, 1, SEGA_HEADER_LINES))
        return wideLineError(context.destination(), *wide);

    auto source = context.optionalSource(true);
    if (!source)
        return source.error();
    if (*source)
        if (auto staged = stageWteSet(context, **source, dest); !staged)
            return staged.error();
    context.stage(dest, segaTitleFile(context, lines));
    context.reportTitle(u"Titles Successfully Injected into " + context.destination() + u"!");
    return {};
}

} // namespace injector
