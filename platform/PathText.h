#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace platform {

// A path text is what a user types into a path field or what a browse button writes there.
// "\" and "/" both separate folders; a leading "\" means the program folder; a text whose second
// character is ":" (a drive letter) or that begins with "/" is absolute; anything else is relative
// to the current folder.

bool isPathSeparator(char16_t c);
bool isAbsolutePathText(std::u16string_view text);
bool isProgramRelativePathText(std::u16string_view text);

// Index of the last "\" or "/" in text, or npos.
std::size_t lastSeparator(std::u16string_view text);

// The text after the last separator (the whole text when there is none).
std::u16string fileNameOfPathText(std::u16string_view text);

// The native path a path text names. Existing files and folders are found without regard to
// letter case (see findExisting); a drive letter has no meaning on POSIX and is dropped, so
// "C:\games\x" names "/games/x" there.
std::filesystem::path resolvePathText(std::u16string_view text, const std::filesystem::path& programFolder);

// The text a browse button shows for a chosen path: "\" + the path below the program folder with "\"
// separators when it lies inside it, the native path otherwise.
std::u16string displayPathText(const std::filesystem::path& path, const std::filesystem::path& programFolder);

// A path as messages show it: the native path in single quotes ('/data/vc/banner.brlyt').
std::string quoted(const std::filesystem::path& path);

// The native path as a field text and back (UTF-8 on POSIX).
std::u16string pathToText(const std::filesystem::path& path);
std::filesystem::path textToPath(std::u16string_view text);

} // namespace platform
