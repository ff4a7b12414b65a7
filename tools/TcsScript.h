#pragma once

// The converter's script language (".tcs"). One statement per line, CR LF or LF:
//
//     path = <folder>                        folder of the pictures; empty = the current folder
//     file <n> = <picture.tga>               picture number n
//     image <n> = <colour>, <alpha>, <fmt>   image n: colour from file <colour>, alpha from file <alpha>
//                                            (empty = fully opaque), texel format <fmt> (RGB565, RGB5A3, ...)
//     texture <n> = <image>, <palette>       TPL image n is image <image>; palette "x" = none
//
// Keywords are matched without regard to case ("image" and "Image" alike); spaces may surround the
// "=" and every comma-separated field, so padded columns are read the same. Blank lines and lines
// starting with ";" or "#" are skipped. The TPL holds the textures in the order of their numbers.

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "TplLayout.h"
#include "platform/Result.h"

namespace tools {

struct ScriptImage
{
    std::uint32_t colourFile = 0;
    std::optional<std::uint32_t> alphaFile;
    TexFormat format = TexFormat::RGB565;
    std::size_t line = 0; // where it was declared, for messages
};

struct ScriptFile
{
    std::string name;
    std::size_t line = 0;
};

struct ScriptTexture
{
    std::uint32_t image = 0;
    std::size_t line = 0;
};

struct Script
{
    std::string path; // as written, "" for the current folder
    std::map<std::uint32_t, ScriptFile> files;
    std::map<std::uint32_t, ScriptImage> images;
    std::map<std::uint32_t, ScriptTexture> textures;
};

// Parses a script and checks its references (every image's files and every texture's image declared,
// at least one texture, no number declared twice). Errors name the line: "<name> line 3: ...".
[[nodiscard]] platform::Result<Script> parseScript(std::string_view text, std::string_view name);

} // namespace tools
