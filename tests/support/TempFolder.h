#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace test_support {

// A fresh folder under the system's temporary folder, removed with everything in it at the end.
class TempFolder
{
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::filesystem::path operator/(const std::string& name) const { return m_path / name; }

    // Writes a file (creating its folders) and returns its path.
    std::filesystem::path write(const std::string& relative, const platform::Bytes& bytes) const;
    std::filesystem::path write(const std::string& relative, const std::string& text) const;

private:
    std::filesystem::path m_path;
};

// Every name in the folder (files and folders, temporaries of unfinished writes included), sorted.
std::vector<std::string> namesIn(const std::filesystem::path& folder);

// The file's bytes (empty when it cannot be read).
platform::Bytes readAll(const std::filesystem::path& path);

// The folder of the shared real-data samples, or "" when it is absent (tests then skip).
std::filesystem::path realDataFolder(const std::string& sub);

} // namespace test_support
