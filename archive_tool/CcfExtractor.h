#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace archive_tool {

// What an extraction did. Each problem is one member that was refused, skipped or not decompressed,
// in table order; the members before and after it were still extracted.
struct ExtractReport
{
    std::filesystem::path folder; // where the members went
    std::uint64_t members = 0;    // the member count the header declares
    std::uint64_t extracted = 0;  // members written whole (and decompressed when compressed)
    std::vector<platform::Error> problems;

    bool complete() const { return problems.empty(); }
};

// Extracts every member of the archive at archivePath into destination, which is created when it is
// missing (one level: its parent folder must exist). A member X is written as the file X, replacing
// any file of that name; a compressed member ends as X + ".zlib" holding the decompressed bytes, and a
// file of exactly the name X is removed (a file whose name differs from X only in letter case is left
// alone). Not extracted, and listed in the report: a member whose name could leave the destination
// (MemberName.h), whose data lies past the end of the archive, whose file would be another member's
// or the archive itself (MemberFiles.h), or whose stream does not inflate to its declared size (it
// stays as the file X holding its stored bytes). Fails, writing nothing, when the archive cannot be
// read, is not a CCF archive, or the destination cannot be made. archiveName names the archive in
// messages.
[[nodiscard]] platform::Result<ExtractReport> extractArchive(const std::filesystem::path& archivePath,
                                                             const std::filesystem::path& destination,
                                                             const std::string& archiveName);

// Replaces the compressed file at path by path + ".zlib" holding its origSize decompressed bytes;
// the compressed file is then removed. On failure the compressed file stays unchanged and the error
// carries the zlib result's text and the title "Compression Error".
[[nodiscard]] platform::Result<void> DecompressFile(const std::filesystem::path& path, std::uint32_t origSize);

} // namespace archive_tool
