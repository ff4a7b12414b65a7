#pragma once

#include <cstdint>

#include "Bytes.h"

namespace platform {

// Checked big-endian reader over a byte view. A read past the end sets a sticky failure flag and
// yields zero (or an empty view); callers check failed() at natural points such as the end of a header.
class ByteReader
{
public:
    explicit ByteReader(ByteView data) : m_data(data) {}

    std::uint8_t u8();
    std::uint16_t be16();
    std::uint32_t be32();
    std::uint16_t le16();
    std::uint32_t le32();
    ByteView bytes(std::size_t n);
    void skip(std::size_t n);
    void seek(std::size_t offset);

    std::size_t position() const { return m_pos; }
    std::size_t remaining() const { return m_failed ? 0 : m_data.size() - m_pos; }
    std::size_t size() const { return m_data.size(); }
    bool failed() const { return m_failed; }

private:
    bool take(std::size_t n);

    ByteView m_data;
    std::size_t m_pos = 0;
    bool m_failed = false;
};

// Appends big- or little-endian values to a byte string.
class ByteWriter
{
public:
    ByteWriter() = default;
    explicit ByteWriter(Bytes initial) : m_out(std::move(initial)) {}

    ByteWriter& u8(std::uint8_t v);
    ByteWriter& be16(std::uint16_t v);
    ByteWriter& be32(std::uint32_t v);
    ByteWriter& le16(std::uint16_t v);
    ByteWriter& le32(std::uint32_t v);
    ByteWriter& bytes(ByteView v);
    ByteWriter& text(std::string_view ascii);
    ByteWriter& zeros(std::size_t n);
    // Zero bytes up to the next multiple of alignment.
    ByteWriter& alignTo(std::size_t alignment);

    std::size_t size() const { return m_out.size(); }
    const Bytes& data() const { return m_out; }
    Bytes& data() { return m_out; }
    Bytes take() { return std::move(m_out); }

private:
    Bytes m_out;
};

} // namespace platform
