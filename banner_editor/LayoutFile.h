#pragma once

// Layout files on disk: whether bytes are a banner layout, and reading and writing a layout whole. Only
// banner layouts are read as layouts or written over.

#include <filesystem>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace banner_editor {

// Whether the bytes start as a banner layout does ("RLYT").
bool isBannerLayout(platform::ByteView bytes);

// Whole-file read of a layout. A file that is not a banner layout is refused (BadFormat, the message
// names the file).
[[nodiscard]] platform::Result<platform::Bytes> readLayoutFile(const std::filesystem::path& path);

// Whether a layout may be written to path: a missing file may be made, an existing one must be a banner
// layout (any other file is refused by name, BadFormat). A symbolic link is judged by the file it points
// to. Whether the file may be replaced (read-only, folder missing) is the atomic writer's check.
[[nodiscard]] platform::Result<void> checkLayoutTarget(const std::filesystem::path& path);

// Atomic whole-file write of a layout, after checkLayoutTarget; a symbolic link stays and the file it
// points to is replaced.
[[nodiscard]] platform::Result<void> writeLayoutFile(const std::filesystem::path& path, platform::ByteView buffer);

} // namespace banner_editor
