#include "archive_tool/CcfPacker.h"

#include <algorithm>
#include <limits>
#include <span>

#include <zlib.h>

#include "archive_tool/MemberName.h"
#include "archive_tool/ZlibCodec.h"
#include "platform/ByteReader.h"
#include "platform/CaseFoldTable.h"
#include "platform/Files.h"
#include "platform/InputFile.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace archive_tool {
namespace fs = std::filesystem;
using platform::ErrorKind;

namespace {

struct PackItem
{
    std::string file;      // name in the folder (UTF-8)
    std::u16string member; // name in the archive
    bool compress = false;
    std::uint64_t size = 0;
};

using platform::quoted;

// The folder's files cannot be laid out as an archive (too many, a name it cannot hold, ...).
platform::Error refuse(const std::string& why)
{
    return platform::makeError(ErrorKind::BadFormat, why + " No archive was written.");
}

// Whether upper-casing changes the character: a lower-case letter with an upper-case form. Member
// names are 8-bit text, so Latin-1 is spelled out: a-z, the micro sign, and the accented small
// letters (not the sharp s, which has no single upper-case letter). Beyond it (names the archive
// cannot hold, which only the listing of a refused pack shows) a character counts when another one
// folds to it.
bool upperCasingChanges(char32_t c)
{
    if (c <= 0xFF)
        return (c >= U'a' && c <= U'z') || c == 0xB5 || (c >= 0xE0 && c <= 0xFF && c != 0xF7);
    for (const auto& run : platform::casefold::RUNS) {
        const std::int64_t source = static_cast<std::int64_t>(c) - run.delta;
        if (source < static_cast<std::int64_t>(run.first) || source == static_cast<std::int64_t>(c))
            continue;
        const std::int64_t offset = source - run.first;
        if (offset % run.stride == 0 && offset / run.stride < run.count)
            return true;
    }
    return false;
}

// The first character of a UTF-8 name (a surrogate pair joined).
char32_t firstCharacter(const std::string& name)
{
    const std::u16string text = platform::utf16FromUtf8(name.substr(0, 4));
    if (text.empty())
        return 0;
    if (text[0] >= 0xD800 && text[0] < 0xDC00 && text.size() > 1 && text[1] >= 0xDC00 && text[1] < 0xE000)
        return 0x10000 + ((char32_t{text[0]} - 0xD800) << 10) + (char32_t{text[1]} - 0xDC00);
    return text[0];
}

// The symbolic links in folder that point to nothing. The listing passes over them like anything
// else that is not a file, so the report names them rather than leave them out without a word.
std::vector<std::string> brokenLinks(const fs::path& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code statusError;
        if (it->is_symlink(statusError) && !fs::exists(fs::status(it->path(), statusError)))
            names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// Checks every file before any is read, so a folder that cannot be packed costs no compression.
platform::Result<std::vector<PackItem>> planMembers(const fs::path& folder, const std::vector<std::string>& order)
{
    if (order.size() > MAX_MEMBERS)
        return refuse("The folder " + quoted(folder) + " holds " + std::to_string(order.size()) +
                      " files; an archive holds at most " + std::to_string(MAX_MEMBERS) + ".");
    std::vector<PackItem> items;
    for (const auto& file : order) {
        PackItem item{file, memberNameOf(platform::utf16FromUtf8(file)), false, 0};
        item.compress = isZlibFileName(platform::utf16FromUtf8(file));
        if (auto valid = checkMemberName(item.member); !valid)
            return refuse("The file \"" + file + "\" cannot be stored: " + valid.error().message + ".");
        if (item.member.size() > NAME_SIZE)
            return refuse("The file \"" + file + "\" cannot be stored: its member name " + quotedName(item.member) +
                          " has " + std::to_string(item.member.size()) + " characters; member names hold at most " +
                          std::to_string(NAME_SIZE) + ".");
        for (const auto& other : items) {
            if (platform::asciiUpper(other.member) == platform::asciiUpper(item.member))
                return refuse("The files \"" + other.file + "\" and \"" + file +
                              "\" would both be stored as the member " + quotedName(item.member) +
                              ", and extracting would keep only one of them.");
        }
        std::error_code ec;
        item.size = fs::file_size(folder / file, ec);
        if (ec)
            return platform::makeError(ErrorKind::ReadFailed,
                                       "Cannot read " + quoted(folder / file) + ": " + ec.message());
        if (item.size > std::numeric_limits<std::uint32_t>::max())
            return refuse("The file \"" + file + "\" is " + std::to_string(item.size) +
                          " bytes long; an archive member holds less than 4 GiB.");
        items.push_back(std::move(item));
    }
    return items;
}

std::uint64_t padded(std::uint64_t length)
{
    const auto r = PadCount(ALIGNMENT, length);
    return r == 0 ? length : length + (ALIGNMENT - r);
}

// Room for the whole archive, reserved once so that appending members never moves the bytes.
std::uint64_t archiveCapacity(const std::vector<PackItem>& items)
{
    std::uint64_t total = HEADER_SIZE + ENTRY_SIZE * items.size();
    for (const auto& item : items)
        total += padded(item.compress ? compressBound(static_cast<uLong>(item.size)) : item.size);
    return total;
}

void writeHeader(platform::Bytes& archive, std::size_t count)
{
    platform::ByteWriter header;
    header.text(CCF_MAGIC).zeros(HEADER_SIZE - CCF_MAGIC.size());
    archive.assign(header.data().begin(), header.data().end());
    archive[PACKED_TABLE_OFFSET_AT] = static_cast<std::uint8_t>(HEADER_SIZE);
    archive[PACKED_MEMBER_COUNT_AT] = static_cast<std::uint8_t>(count);
    archive.resize(HEADER_SIZE + ENTRY_SIZE * count, 0);
}

void writeEntry(platform::Bytes& archive, std::size_t index, const CcfEntry& entry)
{
    platform::ByteWriter out;
    const auto name = platform::latin1FromText(entry.FileName);
    out.bytes(name).zeros(NAME_SIZE - name.size());
    out.le32(static_cast<std::uint32_t>(entry.Offset / ALIGNMENT)).le32(entry.Size).le32(entry.OrigSize);
    std::copy(out.data().begin(), out.data().end(), archive.begin() + HEADER_SIZE + ENTRY_SIZE * index);
}

} // namespace

std::uint32_t PadCount(std::uint32_t block, std::uint64_t length)
{
    return block == 0 ? 0 : static_cast<std::uint32_t>(length % block);
}

std::vector<std::string> memberOrder(const std::vector<std::string>& listing)
{
    std::vector<std::string> upper, lower;
    for (const auto& name : listing) {
        (upperCasingChanges(firstCharacter(name)) ? lower : upper).push_back(name);
    }
    upper.insert(upper.end(), lower.begin(), lower.end());
    return upper;
}

bool isZlibFileName(std::u16string_view fileName)
{
    return fileName.ends_with(ZLIB_SUFFIX);
}

std::u16string memberNameOf(std::u16string_view fileName)
{
    if (isZlibFileName(fileName))
        fileName.remove_suffix(ZLIB_SUFFIX.size());
    return std::u16string(fileName);
}

platform::Result<PackReport> packFolder(const fs::path& folder, const fs::path& archivePath)
{
    if (!platform::folderExists(folder))
        return platform::makeError(ErrorKind::NotFound, "The folder " + quoted(folder) + " does not exist.");
    const fs::path source = platform::findExisting(folder);
    PackReport report;
    report.order = memberOrder(platform::listFolder(source, "*.*"));
    report.skippedFolders = platform::listSubfolders(source);
    report.brokenLinks = brokenLinks(source);
    auto items = planMembers(source, report.order);
    if (!items)
        return items.error();

    platform::Bytes archive;
    try {
        archive.reserve(static_cast<std::size_t>(archiveCapacity(items.value())));
    } catch (const std::bad_alloc&) {
        return compressionError(Z_MEM_ERROR);
    }
    writeHeader(archive, items->size());
    platform::Bytes original; // a file marked for compression, reused from file to file
    for (std::size_t i = 0; i < items->size(); ++i) {
        const PackItem& item = items.value()[i];
        auto input = platform::InputFile::open(source / item.file);
        if (!input)
            return input.error();
        if (input->size() > std::numeric_limits<std::uint32_t>::max())
            return refuse("The file \"" + item.file + "\" grew past 4 GiB while it was packed.");
        const auto length = static_cast<std::size_t>(input->size());
        CcfEntry entry{item.member, archive.size(), 0, static_cast<std::uint32_t>(length)};
        bool compressed = false;
        if (item.compress) {
            original.resize(length);
            if (auto read = input->readAt(0, std::span<std::uint8_t>(original)); !read)
                return read.error();
            if (auto appended = appendCompressed(original, archive); !appended)
                return appended.error();
            entry.Size = static_cast<std::uint32_t>(archive.size() - entry.Offset);
            compressed = entry.Size != entry.OrigSize;
            if (!compressed) {
                archive.resize(static_cast<std::size_t>(entry.Offset));
                archive.insert(archive.end(), original.begin(), original.end());
                report.storedPlain.push_back(item.file);
            }
        } else {
            // Read straight into its place in the archive: no copy in between.
            archive.resize(archive.size() + length);
            if (auto read = input->readAt(0, std::span<std::uint8_t>(archive).subspan(entry.Offset, length)); !read)
                return read.error();
        }
        if (!compressed)
            entry.Size = entry.OrigSize;
        if (const auto r = PadCount(ALIGNMENT, archive.size()); r != 0)
            archive.resize(archive.size() + (ALIGNMENT - r), 0);
        if (entry.Offset / ALIGNMENT > std::numeric_limits<std::uint32_t>::max())
            return refuse("The archive would grow past the 128 GiB its member offsets can reach.");
        writeEntry(archive, i, entry);
        report.entries.push_back(std::move(entry));
    }
    if (auto written = platform::writeFileAtomic(archivePath, archive); !written)
        return written.error();
    report.archive = platform::findExisting(archivePath);
    return report;
}

platform::Result<void> CompressFile(const fs::path& source, const fs::path& destination)
{
    auto content = platform::readFile(source);
    if (!content)
        return content.error();
    platform::Bytes compressed;
    compressed.reserve(compressBound(static_cast<uLong>(content->size())));
    if (auto made = appendCompressed(content.value(), compressed); !made)
        return made.error();
    return platform::writeFileAtomic(destination, compressed);
}

} // namespace archive_tool
