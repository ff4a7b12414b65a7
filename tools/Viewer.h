#pragma once

// What tpl_viewer does: decode every image of a TPL into a 32-bit TGA.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Result.h"

namespace tools {

// The picture name of image `index` of `count`: "<stem>_<index>.tga", the index zero-padded to the
// digits of the highest index (at least two), so that the names sort in image order.
std::string viewerPictureName(const std::string& stem, std::size_t index, std::size_t count);

// Decodes the TPL at tplPath and writes one TGA per image into outputFolder, all or none: every image
// is decoded and every picture written beside its target before any is put in place, so a damaged TPL
// or a picture that cannot be written leaves the folder as it was. Returns the paths written.
[[nodiscard]] platform::Result<std::vector<std::filesystem::path>> viewTpl(const std::filesystem::path& tplPath,
                                                                           const std::filesystem::path& outputFolder);

} // namespace tools
