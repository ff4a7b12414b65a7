#include "archive_tool/CcfExtractor.h"

#include <algorithm>
#include <new>
#include <span>

#include <zlib.h>

#include "archive_tool/CcfReader.h"
#include "archive_tool/MemberFiles.h"
#include "archive_tool/MemberName.h"
#include "archive_tool/ZlibCodec.h"
#include "platform/Files.h"
#include "platform/InputFile.h"
#include "platform/PathText.h"

namespace archive_tool {
namespace fs = std::filesystem;
using platform::ErrorKind;

namespace {

fs::path withZlibSuffix(fs::path path)
{
    path += platform::textToPath(ZLIB_SUFFIX);
    return path;
}

platform::Error memberProblem(std::size_t index, const CcfEntry& entry, const std::string& why)
{
    return platform::makeError(ErrorKind::BadFormat, "Member " + std::to_string(index + 1) + " (" +
                                                         quotedName(entry.FileName) + ") was not extracted: " + why +
                                                         ".");
}

// The destination folder, made one level deep when it is missing.
platform::Result<fs::path> prepareDestination(fs::path destination)
{
    if (!destination.has_filename())
        destination = destination.parent_path();
    destination = platform::findExisting(destination);
    std::error_code ec;
    if (fs::is_directory(destination, ec))
        return destination;
    if (fs::exists(destination, ec))
        return platform::makeError(ErrorKind::WriteFailed, "Cannot extract into " + platform::quoted(destination) +
                                                               ": it is a file, not a folder.");
    if (!platform::folderExists(destination.parent_path()))
        return platform::makeError(ErrorKind::NotFound,
                                   "Cannot create the folder " + platform::quoted(destination) + ": the folder " +
                                       platform::quoted(destination.parent_path()) + " does not exist.");
    if (auto made = platform::createFolders(destination); !made)
        return made.error();
    return platform::findExisting(destination);
}

// Removes the file of exactly this name from folder, if there is one. Unlike a lookup without regard
// to letter case, this never finds a neighbour ("NOTES" for "notes") that the extraction did not write.
platform::Result<void> removeExactly(const fs::path& folder, const fs::path& name)
{
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        if (it->path().filename() == name && !it->is_directory(ec))
            return platform::removeIfPresent(it->path());
    }
    return {};
}

// Writes one member into folder; the error is what the report lists for it.
platform::Result<void> writeMember(const fs::path& folder, const CcfEntry& entry, platform::ByteView data)
{
    const fs::path name = platform::textToPath(entry.FileName);
    const fs::path target = folder / name;
    if (!entry.compressed())
        return platform::writeFileAtomic(target, data);
    auto inflated = inflateExactly(data, entry.OrigSize);
    if (!inflated) {
        // As on a failed decompression of an extracted file: the stored bytes stay as the file X.
        if (auto kept = platform::writeFileAtomic(target, data); !kept)
            return kept.error();
        return inflated.error();
    }
    if (auto written = platform::writeFileAtomic(withZlibSuffix(target), inflated.value()); !written)
        return written.error();
    // The compressed form X of an earlier extraction goes, as it would had it just been written.
    return removeExactly(folder, name);
}

// The archive's name when it lies in the destination folder itself: no member may be written over it.
std::u16string archiveNameIn(const fs::path& folder, const fs::path& archivePath)
{
    std::error_code ec;
    const fs::path archive = platform::findExisting(archivePath);
    return fs::equivalent(archive.parent_path().empty() ? fs::path(".") : archive.parent_path(), folder, ec) && !ec
               ? platform::pathToText(archive.filename())
               : std::u16string();
}

// The header and member table: the header's bytes tell how far the table reaches, then exactly
// those leading bytes of the file are read (BadFormat when the file is no CCF archive).
platform::Result<CcfTable> readTable(platform::InputFile& file)
{
    auto head = file.readAt(0, static_cast<std::size_t>(std::min<std::uint64_t>(file.size(), HEADER_SIZE)));
    if (!head)
        return head.error();
    auto header = readCcfTable(head.value());
    if (!header)
        return header.error();
    auto leading = file.readAt(0, static_cast<std::size_t>(tableBytes(header.value(), file.size())));
    if (!leading)
        return leading.error();
    return readCcfTable(leading.value());
}

} // namespace

platform::Result<ExtractReport> extractArchive(const fs::path& archivePath, const fs::path& destination,
                                               const std::string& archiveName)
{
    // The header and the member table are read first; each member's stored bytes are read when it
    // is written, so the archive is never held whole (one copy of the bytes fewer, and a peak of
    // the largest member rather than the whole archive).
    auto file = platform::InputFile::open(archivePath);
    if (!file)
        return file.error();
    const std::uint64_t archiveSize = file->size();
    auto table = readTable(file.value());
    if (!table && table.error().kind != ErrorKind::BadFormat)
        return table.error(); // the file could not be read, whatever it holds
    if (!table)
        return platform::makeError(ErrorKind::BadFormat,
                                   archiveName + " is not a CCF archive: " + table.error().message + ".");
    const auto& entries = table->entries;
    // One buffer for every member's stored bytes, as large as the largest that lies inside the file.
    std::uint32_t largest = 0;
    for (const auto& entry : entries) {
        if (checkMemberBounds(entry, archiveSize).ok())
            largest = std::max(largest, entry.Size);
    }
    platform::Bytes stored;
    try {
        stored.resize(largest);
    } catch (const std::bad_alloc&) {
        return compressionError(Z_MEM_ERROR);
    }
    auto folder = prepareDestination(destination);
    if (!folder)
        return folder.error();

    ExtractReport report;
    report.folder = folder.value();
    report.members = table->declaredCount;
    MemberFiles files(archiveNameIn(folder.value(), archivePath));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const CcfEntry& entry = entries[i];
        if (auto name = checkMemberName(entry.FileName); !name) {
            report.problems.push_back(memberProblem(i, entry, name.error().message));
            continue;
        }
        if (auto inside = checkMemberBounds(entry, archiveSize); !inside) {
            report.problems.push_back(memberProblem(i, entry, inside.error().message));
            continue;
        }
        if (auto claimed = files.claim(i, entry); !claimed) {
            report.problems.push_back(memberProblem(i, entry, claimed.error().message));
            continue;
        }
        const auto data = std::span<std::uint8_t>(stored).first(entry.Size);
        if (auto read = file->readAt(entry.Offset, data); !read) {
            report.problems.push_back(memberProblem(i, entry, read.error().message));
            continue;
        }
        if (auto written = writeMember(folder.value(), entry, data); !written) {
            report.problems.push_back(written.error());
            continue;
        }
        ++report.extracted;
    }
    if (table->missingEntries() > 0)
        report.problems.push_back(platform::makeError(
            ErrorKind::BadFormat, "The member table of " + archiveName + " does not fit in the archive: it declares " +
                                      std::to_string(table->declaredCount) + " members at offset " +
                                      std::to_string(table->tableOffset) + ", but only " +
                                      std::to_string(entries.size()) + " entries lie inside the file; the other " +
                                      std::to_string(table->missingEntries()) + " were not extracted."));
    return report;
}

platform::Result<void> DecompressFile(const fs::path& path, std::uint32_t origSize)
{
    auto compressed = platform::readFile(path);
    if (!compressed)
        return compressed.error();
    auto inflated = inflateExactly(compressed.value(), origSize);
    if (!inflated)
        return inflated.error();
    if (auto written = platform::writeFileAtomic(withZlibSuffix(path), inflated.value()); !written)
        return written.error();
    return platform::removeIfPresent(path);
}

} // namespace archive_tool
