// NES: the save-icon TPL embedded in 00000001.app is overwritten by the source TPL, and the title
// region after it by the English title; the file keeps its length.
#include <algorithm>

#include "injector/ConsoleInjections.h"
#include "injector/ExtractedTitle.h"
#include "injector/InjectorFormats.h"
#include "injector/TitleEncoding.h"
#include "platform/TextCodec.h"

namespace injector {

platform::Result<void> injectNes(InjectionContext& context)
{
    const auto dest = context.resolve(context.destination());
    if (context.destination().empty() || !platform::fileExists(dest))
        return errorOf(msg::APP_NOT_FOUND, platform::ErrorKind::NotFound, lookedFor(dest, context.destination()));
    auto tpl = context.requiredSource(SourceKind::NesTpl, msg::BANNER_TPL_NOT_FOUND);
    if (!tpl)
        return tpl.error();
    auto app = platform::readFile(dest);
    if (!app)
        return app.error();

    const auto s = platform::findBytes(*app, NES_TPL_SIGNATURE);
    if (s == platform::NOT_FOUND)
        return errorOf(msg::NOT_A_NES_APP, platform::ErrorKind::BadFormat);
    if (tpl->size() > app->size() - s)
        return platform::makeError(platform::ErrorKind::BadArgument,
                                   platform::utf8FromUtf16(context.source()) + " (" + std::to_string(tpl->size()) +
                                       " bytes) does not fit into 00000001.app after its tpl at " +
                                       platform::hexText(s) + " (" + std::to_string(app->size() - s) +
                                       " bytes left). Nothing was written.",
                                   "Source Too Large!");
    std::copy(tpl->begin(), tpl->end(), app->begin() + static_cast<std::ptrdiff_t>(s));

    // The title follows the texture: an earlier lead-in would lie in the new texture's pixels.
    const std::size_t textureEnd = s + tpl->size();
    const std::size_t start = findNesTitleStart(*app, textureEnd).value_or(textureEnd);
    const auto end = findNesTitleEnd(*app, start);
    if (!end)
        return platform::makeError(platform::ErrorKind::BadFormat,
                                   "No title end (\"VirtualIF.c\") follows the title at " + platform::hexText(start) +
                                       " in 00000001.app. Nothing was written.",
                                   "Invalid 00000001.app!");

    // The region keeps its length: a longer title is cut after its last whole character, a shorter
    // one zero-filled. Only this region changes.
    const std::size_t regionSize = *end - start;
    platform::Bytes newTitle = Asc2Uni(context.title(ENGLISH_SLOT));
    if (newTitle.size() > regionSize)
        newTitle.resize(regionSize - regionSize % 2);
    newTitle.resize(regionSize, 0);
    std::copy(newTitle.begin(), newTitle.end(), app->begin() + static_cast<std::ptrdiff_t>(start));
    context.stage(dest, std::move(app).value());
    context.reportTitle(u"Tpl File:  " + context.source() + u" successfully injected into " + context.destination() +
                        u"." + u"\r\n" + context.title(ENGLISH_SLOT) + u" successflly injected into " +
                        context.destination());
    return {};
}

} // namespace injector
