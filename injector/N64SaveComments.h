#pragma once

// N64 save-comment files: one small file per language in the title's "meta" folder, holding that
// language's save title in UTF-16LE after a 64-byte header.

#include <filesystem>
#include <string>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace injector {

// The save-comment file of title slot 0..6 in folder. Real titles name the files with the codes jp,
// en, de, fr, es, it, nl; the window's captions suggest ge, sp and du. The file that exists is used,
// the real name tried first, so reading and writing always meet the same file; when neither exists
// the caption-derived name is returned (and nothing is created under it).
std::filesystem::path saveCommentFile(const std::filesystem::path& folder, int slot);

// The file's new content with title in place of its old one: header bytes 45 and 47 take the title
// length n, byte 46 and bytes 56..58 zero, bytes 55 and 59 the new file length minus 4; everything
// else is kept. Fails without a result when the file is shorter than its header and old title, when
// the title takes more than 255 bytes, or when the new file would exceed 259 bytes (the length
// fields are single bytes).
[[nodiscard]] platform::Result<platform::Bytes> rewriteN64Comment(platform::ByteView file, std::u16string_view title,
                                                                  const std::string& fileName);

// The title of the save-comment file, or "" when it is missing, empty or too short to hold it.
std::u16string ReadN64(const std::filesystem::path& srcFile);

} // namespace injector
