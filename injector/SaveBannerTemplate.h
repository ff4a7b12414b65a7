#pragma once

// The template a NeoGeo save banner's head comes from: "templates/tpl_neogeo_header.bin" in the
// program folder, a file that ships with the program.

#include <filesystem>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace injector {

// The first 32 bytes of the template: the head of every NeoGeo banner.bin the injection writes. Fails
// when the template is missing, shorter than 32 bytes, or does not start with "WIBN" (a banner written
// from it would not be a save banner, and the next injection would refuse it).
[[nodiscard]] platform::Result<platform::Bytes> neoGeoBannerHead(const std::filesystem::path& programFolder);

} // namespace injector
