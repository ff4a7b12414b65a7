#pragma once

// The kinds of file the injection takes as texture sources, told apart by their first bytes, and the
// kind of file it writes over for NeoGeo (a save banner). A file of another kind is refused by name
// before anything is written.

#include <filesystem>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace injector {

enum class SourceKind {
    Tpl,       // a TPL file (magic 00 20 AF 30)
    NesTpl,    // the five-image save-icon TPL an NES executable embeds (its 16-byte signature)
    NeoGeoTpl, // a TPL holding at least the 416-byte header part a NeoGeo banner drops
    Lz77Tpl,   // LZ77 type 0x10 (with or without the "LZ77" prefix) that decompresses to a TPL
    Wte,       // a WTE file ("WTE" 00)
};

// Checks the bytes of the file at path; the error (BadFormat, "Invalid Source File!") names the file
// and what it is not.
[[nodiscard]] platform::Result<void> checkSourceKind(platform::ByteView bytes, SourceKind kind,
                                                     const std::filesystem::path& path);

// True when the bytes start with "WIBN", the mark of a save banner.
bool isSaveBanner(platform::ByteView bytes);

} // namespace injector
