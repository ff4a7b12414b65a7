#pragma once

// What a chosen path or a file's bytes are to the editor. The open and save dialogs decide by the last
// four characters of the path, compared without regard to case; before a file is written over, its
// bytes must be of the kind being written.

#include <filesystem>

#include "platform/Bytes.h"

namespace texture_editor {

// ".tpl", ".bin" (a save banner), ".wte", ".app" (an NES title executable) name the texture kinds an
// open understands; anything else is a picture.
enum class SourceKind { Tpl, SaveBanner, Wte, NesApp, Picture };
SourceKind sourceKindOf(const std::filesystem::path& path);

// ".tpl" saves every box as a TPL; anything else the first box as a Windows bitmap.
enum class SaveKind { Tpl, Bitmap };
SaveKind saveKindOf(const std::filesystem::path& path);

// True when the bytes begin an LZ77 stream (type 0x10), with or without the "LZ77" magic in front.
bool isLz77Compressed(platform::ByteView bytes);

// True for a TPL file: the TPL magic, or an LZ77 stream that decodes to it.
bool isTplFile(platform::ByteView bytes);

// True for a Windows bitmap file ("BM").
bool isBitmapFile(platform::ByteView bytes);

} // namespace texture_editor
