#pragma once

// The converter script the texture editor writes ("temp.tcs"): one "path = " line, then for each
// picture n (read from "n.tga" in the script's folder) a file line, an image line and a texture line,
// every line ending in CR LF. Picture n becomes image n of the TPL.

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Result.h"

namespace textures {

enum class TextureFormat { RGB565, RGB5A3 };

// The script keyword of a format: "RGB565" or "RGB5A3".
std::string_view formatKeyword(TextureFormat format);

inline constexpr const char* EDITOR_SCRIPT_FILE = "temp.tcs";

// The first line: "path = " (an empty path: the converter's current folder), with its CR LF.
std::string scriptPathLine();

// The three lines of picture n, each ending in CR LF:
//   "file " n " = " n ".tga"
//   plain:        "image    " n " =  " n ", , " F
//   transparency: "Image    " n " =  " n "," n ", " F      (the picture is its own alpha source)
//   "texture " n "  =  " n ", x"
std::string scriptPictureLines(int n, TextureFormat format, bool transparency);

// The whole script for pictures 0 .. count-1.
std::string converterScript(int count, TextureFormat format, bool transparency);

// Writes converterScript(...) to path, replacing a previous file whole.
[[nodiscard]] platform::Result<void> writeConverterScript(const std::filesystem::path& path, int count,
                                                          TextureFormat format, bool transparency);

} // namespace textures
