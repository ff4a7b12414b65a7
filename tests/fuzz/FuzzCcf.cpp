// Any bytes as a CCF archive: the table reads or is refused (and reads the same from the leading
// bytes its header names), every member the reader hands out lies
// inside the input, names are checked without crashing, and a member's stored bytes either inflate
// to exactly the declared size or fail cleanly. Any bytes also round-trip through the compressor.
#include <algorithm>
#include <cstdlib>

#include "archive_tool/CcfReader.h"
#include "archive_tool/MemberName.h"
#include "archive_tool/ZlibCodec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const platform::ByteView input(data, size);
    if (auto table = archive_tool::readCcfTable(input); table.ok()) {
        if (table->entries.size() + table->missingEntries() != table->declaredCount)
            std::abort();
        // The header alone says how many leading bytes hold the same table.
        auto header = archive_tool::readCcfTable(input.first(std::min<std::size_t>(size, 32)));
        if (!header.ok())
            std::abort();
        auto leading = archive_tool::readCcfTable(
            input.first(static_cast<std::size_t>(archive_tool::tableBytes(header.value(), size))));
        if (!leading.ok() || leading->entries.size() != table->entries.size())
            std::abort();
        for (const auto& entry : table->entries) {
            (void)archive_tool::checkMemberName(entry.FileName).ok();
            (void)archive_tool::quotedName(entry.FileName);
            auto stored = archive_tool::memberData(input, entry);
            if (!stored.ok())
                continue;
            if (stored->data() < data || stored->data() + stored->size() > data + size)
                std::abort();
            if (entry.compressed()) {
                auto inflated = archive_tool::inflateExactly(*stored, entry.OrigSize);
                if (inflated.ok() && inflated->size() != entry.OrigSize)
                    std::abort();
            }
        }
    }
    // The whole input as a zlib stream, declared with a size taken from its first bytes.
    const std::uint32_t declared = size >= 4 ? (std::uint32_t{data[0]} << 8 | data[1]) * 64 + data[2] : 0;
    if (auto inflated = archive_tool::inflateExactly(input, declared); inflated.ok() && inflated->size() != declared)
        std::abort();
    platform::Bytes packed;
    if (!archive_tool::appendCompressed(input, packed).ok())
        std::abort();
    auto back = archive_tool::inflateExactly(packed, static_cast<std::uint32_t>(size));
    if (!back.ok() || *back != platform::Bytes(input.begin(), input.end()))
        std::abort();
    return 0;
}
