#pragma once

// The few file operations the atomic writer needs from the operating system. Internal to platform/.

#include <filesystem>
#include <string>

#include "Bytes.h"

namespace platform {

// Creates a new file from a template ending in "XXXXXX" (replaced in place); returns a descriptor or -1.
int createTempFile(std::string& pathTemplate);

// Writes every byte, flushes it to the device and closes fd. On failure *reason says why.
bool writeAllAndSync(int fd, ByteView bytes, std::string* reason);

// The permissions a newly created file gets (read and write for all, less the umask the process
// started with); temporary files are created private, so a new file takes these before it is renamed
// into place. Safe to call from any thread.
std::filesystem::perms newFilePermissions();

// The calling process's id, and whether a process with this id is running.
long currentProcessId();
bool processIsRunning(long pid);

// Makes a second name (a hard link) for an existing file; false when the file system cannot.
bool linkFile(const std::filesystem::path& existing, const std::filesystem::path& newName);

// Renames from over to, replacing to in one step.
bool renameOver(const std::filesystem::path& from, const std::filesystem::path& to, std::string* reason);

} // namespace platform
