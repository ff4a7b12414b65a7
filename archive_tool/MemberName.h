#pragma once

#include <string>
#include <string_view>

#include "platform/Result.h"

namespace archive_tool {

// A member name becomes a file name inside the destination folder, so it must name exactly one file
// there on every platform the suite runs on. Refused: an empty name, "." and "..", any "/", "\" or
// ":" (a folder or drive), control characters, the characters <>"|?* that Windows file names cannot
// hold, a name ending in "." or " " (Windows drops them, so two members could land in one file),
// the Windows device names (CON, NUL, COM1, ...), characters a member name cannot store (above
// U+00FF: names are 8-bit text in the archive), and the names of the temporary files an unfinished
// write leaves (".NAME.vctmp-..."), which listings hide and later writes remove. The error says which
// rule the name breaks.
[[nodiscard]] platform::Result<void> checkMemberName(std::u16string_view name);

// The name for a message: UTF-8, in double quotes, control characters written as \xNN.
std::string quotedName(std::u16string_view name);

} // namespace archive_tool
