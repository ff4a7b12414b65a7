#pragma once

// Saving a frame box as a BMP picture in the program folder, so that an exported frame, moved into a
// template folder under a console's template name, serves as a new design.

#include <filesystem>
#include <optional>

#include <QImage>

#include "icon_generator/FrameComposer.h"
#include "platform/Result.h"

namespace icon_generator {

// The file a box is exported to: banner "1.bmp", frame A "2.bmp", blends "3.bmp" and "4.bmp", frame B
// "5.bmp" (the template numbers); the source picture (no box) "test.bmp".
const char* exportFileName(std::optional<FrameBox> box);

// Writes the picture as a BMP, replacing the file whole. An empty picture is an error.
[[nodiscard]] platform::Result<std::filesystem::path> saveFrameBitmap(const QImage& picture,
                                                                      const std::filesystem::path& path);

} // namespace icon_generator
