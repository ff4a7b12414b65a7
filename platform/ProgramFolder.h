#pragma once

#include <filesystem>

namespace platform {

// The folder of the running executable: the portable program folder that holds the data folders.
// Core code never calls this; it takes the program folder as an argument, so tests can use a
// temporary one. main() asks once and hands it down.
std::filesystem::path programFolder();

// Holds an exclusive lock on a file in the program folder for as long as it lives. Unattended runs
// take it because scratch files there have fixed names: a second run waits for the first instead of
// mixing files.
class ProgramFolderLock
{
public:
    explicit ProgramFolderLock(const std::filesystem::path& programFolder);
    ~ProgramFolderLock();
    ProgramFolderLock(const ProgramFolderLock&) = delete;
    ProgramFolderLock& operator=(const ProgramFolderLock&) = delete;

    bool locked() const { return m_fd >= 0; }

private:
    int m_fd = -1;
};

} // namespace platform
