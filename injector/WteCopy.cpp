#include "injector/WteCopy.h"

#include <array>
#include <string>

#include "platform/Files.h"
#include "platform/PathText.h"

namespace injector {

namespace {

constexpr std::array<const char*, 6> FRAME_FILES = {"01.wte", "02.wte", "03.wte", "04.wte", "05.wte", "06.wte"};

// First *.wte in name order whose name contains "banner" (exact case), or "".
std::string bannerFileIn(const std::filesystem::path& folder)
{
    for (const auto& name : platform::listFolder(folder, "*.wte"))
        if (name.find("banner") != std::string::npos)
            return name;
    return {};
}

} // namespace

platform::Result<std::vector<std::pair<std::filesystem::path, std::filesystem::path>>>
planWteBannerCopy(const std::filesystem::path& srcFolder, const std::filesystem::path& destFolder)
{
    std::vector<std::pair<std::filesystem::path, std::filesystem::path>> copies;
    std::string missing;
    for (const char* name : FRAME_FILES) {
        const auto from = platform::findExisting(srcFolder / name);
        if (!platform::fileExists(from)) {
            missing += missing.empty() ? name : std::string(", ") + name;
            continue;
        }
        copies.emplace_back(from, platform::pathForCreate(destFolder / name));
    }
    const std::string sourceBanner = bannerFileIn(srcFolder);
    if (sourceBanner.empty())
        missing += missing.empty() ? "a banner WTE (banner*.wte)" : ", a banner WTE (banner*.wte)";
    if (!missing.empty())
        return platform::makeError(platform::ErrorKind::NotFound,
                                   "The folder " + platform::quoted(srcFolder) + " lacks " + missing +
                                       ". Nothing was injected.",
                                   "Invalid Source Folder!");
    std::string destBanner = bannerFileIn(destFolder);
    if (destBanner.empty())
        destBanner = sourceBanner;
    copies.emplace_back(srcFolder / sourceBanner, destFolder / destBanner);
    return copies;
}

} // namespace injector
