#pragma once

#include <cstdint>
#include <vector>

#include "archive_tool/CcfFormat.h"
#include "platform/Bytes.h"
#include "platform/Result.h"

namespace archive_tool {

// The member table of an archive held in memory.
struct CcfTable
{
    std::uint32_t tableOffset = 0;
    std::uint32_t declaredCount = 0; // the member count the header gives
    std::vector<CcfEntry> entries;   // the entries whose 32 bytes lie inside the archive, in table order

    // Entries the header declares that lie (partly) past the end of the archive.
    std::uint64_t missingEntries() const { return declaredCount - entries.size(); }
};

// Reads the header and every entry that lies inside the archive. Fails (BadFormat) only when the
// archive does not begin with "CCF" or is too short to hold the table offset and member count; a
// table that runs past the end is read as far as it goes (see missingEntries). Entry names are
// taken as 8-bit text with their zero bytes removed; they are not checked here (see MemberName.h).
[[nodiscard]] platform::Result<CcfTable> readCcfTable(platform::ByteView archive);

// How many bytes from the start of an archive of archiveSize bytes hold its header and member table,
// as far as they lie inside it, given the table as read from the header's first bytes. Handing
// readCcfTable that many leading bytes gives the same table as handing it the whole archive, so a
// reader can leave the members' data on disk until it needs each one.
std::uint64_t tableBytes(const CcfTable& header, std::uint64_t archiveSize);

// Whether the member's stored bytes lie inside an archive of archiveSize bytes (BadFormat when not).
[[nodiscard]] platform::Result<void> checkMemberBounds(const CcfEntry& entry, std::uint64_t archiveSize);

// The stored bytes of a member, or BadFormat when they do not lie inside the archive.
[[nodiscard]] platform::Result<platform::ByteView> memberData(platform::ByteView archive, const CcfEntry& entry);

} // namespace archive_tool
