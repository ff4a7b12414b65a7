#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "Bytes.h"
#include "Result.h"

namespace platform {

// File names are matched without regard to letter case, as on the file systems the tools were made
// for. findExisting returns p when it exists as written; otherwise it looks up each component
// case-insensitively in its folder and returns the first match; when some component has no match, the
// matched head joined to the rest as written.
std::filesystem::path findExisting(const std::filesystem::path& p);

// The path to create a file or folder under: the folder part found as by findExisting, the name
// reused from an existing case-insensitive match in that folder, else as written.
std::filesystem::path pathForCreate(const std::filesystem::path& p);

bool fileExists(const std::filesystem::path& p);
bool folderExists(const std::filesystem::path& p);

// Whole-file read.
[[nodiscard]] Result<Bytes> readFile(const std::filesystem::path& p);

// Whole-file write that replaces the target atomically: the bytes go to a temporary file in the same
// folder, which is flushed and renamed over the target. On failure the old file is intact and the
// temporary file is gone. A file marked read-only is not replaced. A symbolic link is followed: the
// file it points to is replaced (and must not be read-only), the link stays. The message names the
// path and the system's reason.
//
// Temporary files are named "." + target name + ".vctmp-" + process id + "-" + six characters. A
// temporary that a killed process left behind is removed by the next write of the same target, and
// listFolder never lists one.
[[nodiscard]] Result<void> writeFileAtomic(const std::filesystem::path& p, ByteView bytes);

// One file of a writeFilesAtomic batch; perms, when given, are the written file's permissions (else a
// replaced file keeps its own and a new one gets the usual ones).
struct FileWrite
{
    std::filesystem::path path;
    Bytes bytes;
    std::optional<std::filesystem::perms> perms = {};
};

// Writes several whole files as one: either every target is replaced or none is. Every file is first
// written to a temporary beside its target (every check of writeFileAtomic applies to each); only when
// all are written are they renamed into place. Should a rename fail, the targets already replaced get
// their old content back. On failure the error names the file that failed and nothing is left behind.
[[nodiscard]] Result<void> writeFilesAtomic(std::span<const FileWrite> files);

// True for a name of the temporaries writeFileAtomic makes.
bool isTemporaryFileName(std::string_view name);

// Deletes a file; a file that is not there is not an error.
[[nodiscard]] Result<void> removeIfPresent(const std::filesystem::path& p);

// Creates a folder and its missing parents (reusing case-insensitive matches).
[[nodiscard]] Result<void> createFolders(const std::filesystem::path& p);

// Copies a file whole with its permissions, replacing the target atomically.
[[nodiscard]] Result<void> copyFile(const std::filesystem::path& from, const std::filesystem::path& to);

// The names of the files in folder (temporaries of interrupted writes left out) that match pattern ("*" and "?"
// wildcards, without regard to case;
// "*.*" matches every name), sorted by name without regard to case, as a file-list control shows them.
// A folder that does not exist lists nothing.
std::vector<std::string> listFolder(const std::filesystem::path& folder, std::string_view pattern);

// Names of the subfolders of folder, sorted without regard to case.
std::vector<std::string> listSubfolders(const std::filesystem::path& folder);

// Wildcard match of a name against a pattern, without regard to case.
bool matchesPattern(std::string_view name, std::string_view pattern);

// Test hook: while set, every atomic write fails after writing this many bytes of the temporary file.
void setWriteFailureAfterForTesting(std::optional<std::size_t> bytes);

} // namespace platform
