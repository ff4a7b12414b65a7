#pragma once

// The open flow: how each kind of texture (FileKinds.h) becomes the pictures of its images. A TPL (also one compressed
// with LZ77, as the C-64 save banner is stored) is decoded by tpl_viewer; a WTE, a save banner (banner.bin) and an NES
// title executable (00000001.app) are first turned into the work folder's temp.tpl by the container readers. Any other
// file is one picture.

#include <filesystem>
#include <vector>

#include <QImage>

#include "platform/Result.h"
#include "texture_editor/FileKinds.h"
#include "texture_editor/WorkFolder.h"

namespace texture_editor {

// The images of the texture at path (any kind but Picture), decoded in the work folder, which the
// caller's WorkStep has emptied and keeps locked for the whole call: the texture's TPL is handed to
// tpl_viewer there and the pictures it writes are read back in image order. A file that cannot be
// read, converted or decoded is an error that names it and says what failed.
[[nodiscard]] platform::Result<std::vector<QImage>> openTexture(const WorkFolder& work,
                                                                const std::filesystem::path& path, SourceKind kind);

// The TGA pictures of the folder, in name order (the viewer's names sort in image order).
[[nodiscard]] platform::Result<std::vector<QImage>> loadPictures(const std::filesystem::path& folder);

} // namespace texture_editor
