// NeoGeo: banner.bin rebuilt whole from the template head, the English title and the texture data of
// the source TPL (its bytes after the 416-byte header part).
#include "injector/ConsoleInjections.h"
#include "injector/InjectorFormats.h"
#include "injector/SaveBannerTemplate.h"
#include "injector/TitleEncoding.h"
#include "platform/PathText.h"

namespace injector {

namespace {

platform::Result<platform::Bytes> titleArea(std::u16string_view title)
{
    if (title.size() > NEOGEO_TITLE_MAX_UNITS)
        return titleTooLong("The title has " + std::to_string(title.size()) +
                            " characters; a NeoGeo save banner holds at most " +
                            std::to_string(NEOGEO_TITLE_MAX_UNITS) + ".");
    platform::Bytes area = Asc2Uni(title);
    area.push_back(0x00);
    area.push_back(0x0D);
    area.resize(NEOGEO_TITLE_AREA, 0);
    return area;
}

} // namespace

platform::Result<void> injectNeoGeo(InjectionContext& context)
{
    const auto dest = context.resolve(context.destination());
    if (context.destination().empty() || !platform::fileExists(dest))
        return errorOf(msg::BANNER_BIN_NOT_FOUND, platform::ErrorKind::NotFound,
                       lookedFor(dest, context.destination()));
    auto tpl = context.requiredSource(SourceKind::NeoGeoTpl, msg::BANNER_TPL_NOT_FOUND);
    if (!tpl)
        return tpl.error();
    // Only a save banner is rebuilt. With no console chosen this injection runs on whatever the
    // destination names, and an executable named by mistake must stay as it is.
    auto old = platform::readFile(dest);
    if (!old)
        return old.error();
    if (!isSaveBanner(*old))
        return platform::makeError(platform::ErrorKind::BadFormat,
                                   platform::quoted(dest) +
                                       " is not a save banner (it does not start with \"WIBN\"). Nothing was written.",
                                   "Invalid Destination!");
    auto area = titleArea(context.title(ENGLISH_SLOT));
    if (!area)
        return area.error();
    auto head = neoGeoBannerHead(context.programFolder());
    if (!head)
        return head.error();

    platform::Bytes banner = std::move(head).value();
    banner.insert(banner.end(), area->begin(), area->end());
    banner.insert(banner.end(), tpl->begin() + NEOGEO_TPL_HEADER_SIZE, tpl->end());
    context.stage(dest, std::move(banner));
    context.reportTitle(u"Tpl Files successfully merged into " + context.destination() + u".");
    return {};
}

} // namespace injector
