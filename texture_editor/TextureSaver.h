#pragma once

// The save flow. A path ending in ".tpl" (without regard to case) gets every box as one TPL image:
// each picture is saved as "n.tga" in the work folder, the script "temp.tcs" names them in box order,
// and tpl_converter encodes them in RGB565 or RGB5A3 (with or without transparency). Any other path
// gets the first box as a Windows bitmap, whatever its extension.
//
// A save either writes the whole file or leaves the old one as it was: the converter writes into the
// work folder, and only a TPL that holds every box is copied over the target (atomically). A file that
// is already there is written over only when it is of the kind being written.

#include <filesystem>
#include <span>

#include <QImage>

#include "platform/Result.h"
#include "texture_editor/FileKinds.h"
#include "texture_editor/WorkFolder.h"
#include "textures/ConverterScript.h"

namespace texture_editor {

// Fails when path names an existing file that is not of the kind a save of this kind writes (a TPL,
// also an LZ77-compressed one; a bitmap starting "BM"), or that cannot be read.
[[nodiscard]] platform::Result<void> checkTarget(const std::filesystem::path& path, SaveKind kind);

// Every picture as one image of the TPL at path. The caller holds a WorkStep for the whole call.
// Fails, writing nothing, when a box holds no picture, a picture cannot be saved, the converter
// cannot be started or leaves no TPL of all the pictures.
[[nodiscard]] platform::Result<void> saveTpl(const WorkFolder& work, std::span<const QImage> pictures,
                                             const std::filesystem::path& path, textures::TextureFormat format,
                                             bool transparency);

// The picture as a Windows bitmap at path.
[[nodiscard]] platform::Result<void> saveBitmap(const QImage& picture, const std::filesystem::path& path);

} // namespace texture_editor
