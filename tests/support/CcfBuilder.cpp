#include "support/CcfBuilder.h"

#include <algorithm>

#include <zlib.h>

#include "platform/ByteReader.h"

namespace test_support {

platform::Bytes buildCcf(const std::vector<CcfMember>& members)
{
    platform::ByteWriter header;
    header.text("CCF").zeros(13).u8(0x20).zeros(3).u8(static_cast<std::uint8_t>(members.size())).zeros(11);

    platform::ByteWriter table;
    platform::ByteWriter data;
    std::size_t position = 32 + 32 * members.size();
    for (const auto& member : members) {
        const std::string name = member.name.substr(0, 20);
        table.text(name).zeros(20 - name.size());
        table.le32(member.offsetField.value_or(static_cast<std::uint32_t>(position / 32)));
        table.le32(member.sizeField.value_or(static_cast<std::uint32_t>(member.stored.size())));
        table.le32(member.origSize.value_or(static_cast<std::uint32_t>(member.stored.size())));
        data.bytes(member.stored).alignTo(32);
        position = 32 + 32 * members.size() + data.size();
    }
    platform::Bytes out = header.take();
    out.insert(out.end(), table.data().begin(), table.data().end());
    out.insert(out.end(), data.data().begin(), data.data().end());
    return out;
}

std::uint32_t readLe32(const platform::Bytes& bytes, std::size_t offset)
{
    return std::uint32_t{bytes[offset]} | (std::uint32_t{bytes[offset + 1]} << 8) |
           (std::uint32_t{bytes[offset + 2]} << 16) | (std::uint32_t{bytes[offset + 3]} << 24);
}

platform::Bytes zlibStream(platform::ByteView bytes)
{
    uLongf length = compressBound(static_cast<uLong>(bytes.size()));
    platform::Bytes out(length);
    if (compress(out.data(), &length, bytes.data(), static_cast<uLong>(bytes.size())) != Z_OK)
        return {};
    out.resize(length);
    return out;
}

CcfMember compressedMember(const std::string& name, const platform::Bytes& content)
{
    return {name, zlibStream(content), static_cast<std::uint32_t>(content.size())};
}

} // namespace test_support
