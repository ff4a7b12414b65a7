#pragma once

#include <filesystem>

namespace test_support {

// Makes a file or folder refuse writes for as long as the guard lives, also for root (where
// permission bits do not stop writes, the file system's immutable flag is used). ok() is false when
// neither works here; tests then skip.
class ReadOnlyGuard
{
public:
    explicit ReadOnlyGuard(const std::filesystem::path& path);
    ~ReadOnlyGuard();
    ReadOnlyGuard(const ReadOnlyGuard&) = delete;
    ReadOnlyGuard& operator=(const ReadOnlyGuard&) = delete;

    bool ok() const { return m_ok; }

private:
    std::filesystem::path m_path;
    bool m_ok = false;
    bool m_immutable = false;
    std::filesystem::perms m_oldPerms{};
};

} // namespace test_support
