#pragma once

// What the editor changes besides the texts when it saves a layout: the trailing padding after the
// layout's end, region forcing, and the logo texture in the texture folder beside the layout.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace banner_editor {

// The program folder's folder of logo textures.
inline constexpr std::string_view LOGO_FOLDER = "logos";

// Padding beyond this many bytes in all is refused: layouts are tens of kilobytes.
inline constexpr std::size_t MAX_PADDED_SIZE = 64u * 1024 * 1024;

// Removes any bytes after the layout's end: the last group-end section, else the root group's name,
// else (a layout ending in a plain group section) the size the header states, when only zero bytes
// follow it. Otherwise the buffer stays as it is.
void CutPadding(platform::Bytes& buffer);

// A padding text: append `count` zero bytes (relative, "+n"), or up to `count` bytes in all.
struct PaddingRequest
{
    bool relative = false;
    std::size_t count = 0;
};

// Parses a padding text (spaces around it ignored): "", "0" and "+0" ask for nothing, "+n" for n bytes,
// "t" for a total of t bytes. Anything else, or a size beyond MAX_PADDED_SIZE, is a BadArgument error.
[[nodiscard]] platform::Result<PaddingRequest> parsePadding(std::u16string_view paddingText);

// Appends zero bytes as the padding text asks; on an error the buffer is unchanged.
[[nodiscard]] platform::Result<void> AddPadding(platform::Bytes& buffer, std::u16string_view paddingText);

// Forces the banner to region: unless the layout already has a title for region (or region is "NONE"
// or empty), the first language code that has a title is the source, and every "T_YEAR_", "T_PLAY_",
// "T_ESRB_" and "L" followed by the source code becomes the same name followed by region (exact
// bytes, exact case). The title panes keep their names and the length never changes.
void Region_Force(platform::Bytes& buffer, std::string_view region);

// The texture folder beside a layout: the folder above the layout's own folder, then "timg" (found
// without regard to case). A layout path with fewer than two folders above the file has none, and
// neither has one whose "timg" folder does not exist: a NotFound error that names the folder looked for.
[[nodiscard]] platform::Result<std::filesystem::path> textureFolderOf(const std::filesystem::path& layoutPath);

// The logo texture in a texture folder: the first "*.tpl" file, in name order, whose name begins with
// "my_Back" (exact case). None there (or no such folder): a NotFound error naming the folder.
[[nodiscard]] platform::Result<std::filesystem::path> logoTextureIn(const std::filesystem::path& textureFolder);

// Where a logo text points: a bare name is a file in the logos folder, a text beginning with "\" lies
// in the program folder, anything else is absolute.
std::filesystem::path logoPathOf(std::u16string_view lgPath, const std::filesystem::path& programFolder);

} // namespace banner_editor
