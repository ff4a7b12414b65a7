#pragma once

// What a program's window remembers between runs: its last paths and the last folder of each
// dialog. The suite is a portable folder, so the values live in the program folder, in
// cfgs/<name>.cfg, as "key=value" lines in UTF-8; nothing goes to the home folder. Only window runs
// make one of these, so an unattended run never changes what the window remembers.

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace platform {

class RememberedPlaces
{
public:
    // Reads programFolder/cfgs/<fileName>; a missing or unreadable file remembers nothing.
    RememberedPlaces(const std::filesystem::path& programFolder, std::string_view fileName);

    // The remembered value, or "" when there is none.
    std::u16string value(std::string_view key) const;

    // Remembers a value and writes the file at once (atomically, making cfgs/ when needed). Remembering
    // is a convenience: a program folder that cannot hold the file does not stop anything. A value
    // with a line break cannot be stored and is not remembered.
    void remember(std::string_view key, std::u16string_view value);

    // The folder a dialog should open in: the remembered folder of that dialog when it still exists,
    // else "".
    std::filesystem::path dialogFolder(std::string_view dialog) const;
    // Remembers the folder of a path a dialog returned (a file's folder, or a chosen folder itself).
    void rememberDialogPath(std::string_view dialog, const std::filesystem::path& chosen, bool isFolder = false);

    const std::filesystem::path& file() const { return m_file; }

private:
    std::filesystem::path m_file;
    std::map<std::string, std::u16string, std::less<>> m_values;
};

} // namespace platform
