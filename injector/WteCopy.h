#pragma once

// Which files of the generator's WTE set (01.wte to 06.wte and one banner WTE) replace which WTE
// files of a Genesis-family title.

#include <filesystem>
#include <utility>
#include <vector>

#include "platform/Result.h"

namespace injector {

// The copies to make, source and target, in order: 01.wte .. 06.wte, then the banner. The source
// banner is the first *.wte (name order) whose name contains "banner"; it is written under the name
// of the destination's own banner file when it has one, else under its own name. Fails, naming what
// is missing, when the source folder lacks any of the seven files.
[[nodiscard]] platform::Result<std::vector<std::pair<std::filesystem::path, std::filesystem::path>>>
planWteBannerCopy(const std::filesystem::path& srcFolder, const std::filesystem::path& destFolder);

} // namespace injector
