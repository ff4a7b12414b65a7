#include "ByteReader.h"

namespace platform {

bool ByteReader::take(std::size_t n)
{
    if (m_failed || n > m_data.size() - m_pos) {
        m_failed = true;
        return false;
    }
    return true;
}

std::uint8_t ByteReader::u8()
{
    if (!take(1))
        return 0;
    return m_data[m_pos++];
}

std::uint16_t ByteReader::be16()
{
    if (!take(2))
        return 0;
    const auto v = readBe16(m_data, m_pos);
    m_pos += 2;
    return v;
}

std::uint32_t ByteReader::be32()
{
    if (!take(4))
        return 0;
    const auto v = readBe32(m_data, m_pos);
    m_pos += 4;
    return v;
}

std::uint16_t ByteReader::le16()
{
    if (!take(2))
        return 0;
    const auto v = static_cast<std::uint16_t>(m_data[m_pos] | (m_data[m_pos + 1] << 8));
    m_pos += 2;
    return v;
}

std::uint32_t ByteReader::le32()
{
    if (!take(4))
        return 0;
    const auto v = std::uint32_t{m_data[m_pos]} | (std::uint32_t{m_data[m_pos + 1]} << 8) |
                   (std::uint32_t{m_data[m_pos + 2]} << 16) | (std::uint32_t{m_data[m_pos + 3]} << 24);
    m_pos += 4;
    return v;
}

ByteView ByteReader::bytes(std::size_t n)
{
    if (!take(n))
        return {};
    const auto v = m_data.subspan(m_pos, n);
    m_pos += n;
    return v;
}

void ByteReader::skip(std::size_t n)
{
    if (take(n))
        m_pos += n;
}

void ByteReader::seek(std::size_t offset)
{
    if (m_failed || offset > m_data.size()) {
        m_failed = true;
        return;
    }
    m_pos = offset;
}

ByteWriter& ByteWriter::u8(std::uint8_t v)
{
    m_out.push_back(v);
    return *this;
}

ByteWriter& ByteWriter::be16(std::uint16_t v)
{
    m_out.push_back(static_cast<std::uint8_t>(v >> 8));
    m_out.push_back(static_cast<std::uint8_t>(v));
    return *this;
}

ByteWriter& ByteWriter::be32(std::uint32_t v)
{
    be16(static_cast<std::uint16_t>(v >> 16));
    return be16(static_cast<std::uint16_t>(v));
}

ByteWriter& ByteWriter::le16(std::uint16_t v)
{
    m_out.push_back(static_cast<std::uint8_t>(v));
    m_out.push_back(static_cast<std::uint8_t>(v >> 8));
    return *this;
}

ByteWriter& ByteWriter::le32(std::uint32_t v)
{
    le16(static_cast<std::uint16_t>(v));
    return le16(static_cast<std::uint16_t>(v >> 16));
}

ByteWriter& ByteWriter::bytes(ByteView v)
{
    m_out.insert(m_out.end(), v.begin(), v.end());
    return *this;
}

ByteWriter& ByteWriter::text(std::string_view ascii)
{
    m_out.insert(m_out.end(), ascii.begin(), ascii.end());
    return *this;
}

ByteWriter& ByteWriter::zeros(std::size_t n)
{
    m_out.insert(m_out.end(), n, 0);
    return *this;
}

ByteWriter& ByteWriter::alignTo(std::size_t alignment)
{
    if (alignment > 1 && m_out.size() % alignment != 0)
        zeros(alignment - m_out.size() % alignment);
    return *this;
}

} // namespace platform
