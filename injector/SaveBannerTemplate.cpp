#include "injector/SaveBannerTemplate.h"

#include <string>

#include "injector/InjectorFormats.h"
#include "injector/SourceKinds.h"
#include "platform/Files.h"
#include "platform/PathText.h"

namespace injector {

platform::Result<platform::Bytes> neoGeoBannerHead(const std::filesystem::path& programFolder)
{
    const auto path = platform::findExisting(programFolder / TEMPLATES_FOLDER / NEOGEO_BANNER_TEMPLATE_FILE);
    if (!platform::fileExists(path))
        return platform::makeError(platform::ErrorKind::NotFound,
                                   "The NeoGeo header template " + platform::quoted(path) +
                                       " is missing; it ships in the program folder. Nothing was written.",
                                   "Template Not Found!");
    auto bytes = platform::readFile(path);
    if (!bytes)
        return bytes.error();
    if (bytes->size() < NEOGEO_BANNER_HEADER_SIZE)
        return platform::makeError(platform::ErrorKind::BadFormat,
                                   "The NeoGeo header template " + platform::quoted(path) + " is " +
                                       std::to_string(bytes->size()) + " bytes long; it needs " +
                                       std::to_string(NEOGEO_BANNER_HEADER_SIZE) + ". Nothing was written.",
                                   "Invalid Template!");
    if (!isSaveBanner(*bytes))
        return platform::makeError(platform::ErrorKind::BadFormat,
                                   "The NeoGeo header template " + platform::quoted(path) +
                                       " does not start with \"WIBN\", the mark of a save banner. Nothing was written.",
                                   "Invalid Template!");
    bytes->resize(NEOGEO_BANNER_HEADER_SIZE);
    return bytes;
}

} // namespace injector
