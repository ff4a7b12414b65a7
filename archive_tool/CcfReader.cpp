#include "archive_tool/CcfReader.h"

#include <algorithm>

#include "platform/ByteReader.h"

namespace archive_tool {
namespace {

using platform::ErrorKind;

CcfEntry readEntry(platform::ByteReader& in)
{
    CcfEntry entry;
    for (std::uint8_t byte : in.bytes(NAME_SIZE)) {
        if (byte != 0)
            entry.FileName += static_cast<char16_t>(byte);
    }
    entry.Offset = std::uint64_t{in.le32()} * ALIGNMENT;
    entry.Size = in.le32();
    entry.OrigSize = in.le32();
    return entry;
}

} // namespace

platform::Result<CcfTable> readCcfTable(platform::ByteView archive)
{
    platform::ByteReader in(archive);
    const auto magic = in.bytes(CCF_MAGIC.size());
    if (in.failed() || !std::equal(magic.begin(), magic.end(), CCF_MAGIC.begin()))
        return platform::makeError(ErrorKind::BadFormat, "it does not begin with \"CCF\"");
    CcfTable table;
    in.seek(TABLE_OFFSET_AT);
    table.tableOffset = in.be32();
    in.seek(MEMBER_COUNT_AT);
    table.declaredCount = in.be32();
    if (in.failed())
        return platform::makeError(ErrorKind::BadFormat, "its header is cut short (" + std::to_string(archive.size()) +
                                                             " bytes, the member count ends at byte 21)");

    // Compute in 64 bits how many entries are really there before reserving anything.
    const std::uint64_t available =
        table.tableOffset <= archive.size() ? (archive.size() - table.tableOffset) / ENTRY_SIZE : 0;
    const auto present = static_cast<std::size_t>(std::min<std::uint64_t>(available, table.declaredCount));
    table.entries.reserve(present);
    in.seek(table.tableOffset);
    for (std::size_t i = 0; i < present; ++i)
        table.entries.push_back(readEntry(in));
    return table;
}

std::uint64_t tableBytes(const CcfTable& header, std::uint64_t archiveSize)
{
    // At most 2^32 entries of 32 bytes after an offset below 2^32: no overflow in 64 bits.
    const std::uint64_t end = std::uint64_t{header.tableOffset} + std::uint64_t{header.declaredCount} * ENTRY_SIZE;
    return std::min(std::max<std::uint64_t>(end, HEADER_SIZE), archiveSize);
}

platform::Result<void> checkMemberBounds(const CcfEntry& entry, std::uint64_t archiveSize)
{
    if (entry.Offset > archiveSize || entry.Size > archiveSize - entry.Offset)
        return platform::makeError(ErrorKind::BadFormat, "its data (" + std::to_string(entry.Size) + " bytes at " +
                                                             platform::hexText(entry.Offset) +
                                                             ") runs past the end of the archive (" +
                                                             std::to_string(archiveSize) + " bytes)");
    return {};
}

platform::Result<platform::ByteView> memberData(platform::ByteView archive, const CcfEntry& entry)
{
    if (auto inside = checkMemberBounds(entry, archive.size()); !inside)
        return inside.error();
    return archive.subspan(static_cast<std::size_t>(entry.Offset), entry.Size);
}

} // namespace archive_tool
