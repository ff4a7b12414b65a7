#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "archive_tool/CcfFormat.h"
#include "platform/Result.h"

namespace archive_tool {

// The remainder of length divided by block (0 when it divides evenly); the packer pads a member with
// block - PadCount(block, length) zero bytes when this is not 0.
std::uint32_t PadCount(std::uint32_t block, std::uint64_t length);

// The order members are stored in: first every name whose first character upper-casing leaves
// unchanged (upper-case letters, digits, punctuation), then every name that begins with a lower-case
// letter; each group keeps the order of the listing (which is sorted by name without regard to case).
std::vector<std::string> memberOrder(const std::vector<std::string>& listing);

// The member name a file is stored under: without a final ".zlib" (compared with letter case).
std::u16string memberNameOf(std::u16string_view fileName);
bool isZlibFileName(std::u16string_view fileName);

// What a pack did.
struct PackReport
{
    std::filesystem::path archive;  // the archive written
    std::vector<std::string> order; // the files in member order
    std::vector<CcfEntry> entries;  // one per file, in member order
    std::vector<std::string> skippedFolders;
    std::vector<std::string> brokenLinks; // symbolic links to nothing, which are not files to pack
    // ".zlib" files whose compressed form came out exactly as long as the file: the archive marks a
    // compressed member only by two different sizes, so these are stored as they are.
    std::vector<std::string> storedPlain;
};

// Packs every file of folder (no subfolders and no links to nothing: they are skipped and listed; the
// temporary files of unfinished writes are never listed) into one archive at archivePath, replacing
// any file there. A file whose name ends in ".zlib" is compressed and stored
// under the name without the suffix. Writes no archive and fails, saying why, when the folder is
// missing, holds more than 255 files, a member name is longer than 20 characters, is not a valid
// file name, or is the name of another member too (two names that differ only in letter case are
// one file where the archive is extracted), or a file cannot be read or compressed.
[[nodiscard]] platform::Result<PackReport> packFolder(const std::filesystem::path& folder,
                                                      const std::filesystem::path& archivePath);

// Compresses the whole source file with zlib at the default level into the destination file. On
// failure nothing is written and the error carries the zlib result's text and "Compression Error".
[[nodiscard]] platform::Result<void> CompressFile(const std::filesystem::path& source,
                                                  const std::filesystem::path& destination);

} // namespace archive_tool
