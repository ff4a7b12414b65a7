#include "InputFile.h"

#include <cerrno>
#include <cstring>

#include "Files.h"
#include "PathText.h"

namespace platform {
namespace fs = std::filesystem;

Result<InputFile> InputFile::open(const fs::path& path)
{
    const fs::path found = findExisting(path);
    std::error_code ec;
    if (!fs::exists(found, ec))
        return makeError(ErrorKind::NotFound, "File not found: " + quoted(path));
    if (fs::is_directory(found, ec))
        return makeError(ErrorKind::ReadFailed, "Cannot read " + quoted(path) + ": it is a folder");
    const auto size = fs::file_size(found, ec);
    if (ec)
        return makeError(ErrorKind::ReadFailed, "Cannot read " + quoted(path) + ": " + ec.message());
    InputFile file(path, size);
    file.m_in.open(found, std::ios::binary);
    if (!file.m_in)
        return makeError(ErrorKind::ReadFailed, "Cannot read " + quoted(path) + ": " + std::strerror(errno));
    return file;
}

Error InputFile::rangeError(std::uint64_t offset, std::size_t length, const std::string& why) const
{
    return makeError(ErrorKind::ReadFailed, "Cannot read " + std::to_string(length) + " bytes at offset " +
                                                std::to_string(offset) + " of " + quoted(m_path) + ": " + why);
}

bool InputFile::holds(std::uint64_t offset, std::size_t length) const
{
    return offset <= m_size && length <= m_size - offset;
}

Result<void> InputFile::readAt(std::uint64_t offset, std::span<std::uint8_t> out)
{
    const auto failed = [&](const std::string& why) { return rangeError(offset, out.size(), why); };
    if (!holds(offset, out.size()))
        return failed("the file holds " + std::to_string(m_size) + " bytes");
    if (out.empty())
        return {};
    m_in.clear();
    m_in.seekg(static_cast<std::streamoff>(offset));
    m_in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    if (!m_in || static_cast<std::size_t>(m_in.gcount()) != out.size()) {
        m_in.clear();
        return failed("it ended early or could not be read");
    }
    return {};
}

Result<Bytes> InputFile::readAt(std::uint64_t offset, std::size_t length)
{
    if (!holds(offset, length))
        return rangeError(offset, length, "the file holds " + std::to_string(m_size) + " bytes");
    Bytes out(length);
    if (auto read = readAt(offset, std::span<std::uint8_t>(out)); !read)
        return read.error();
    return out;
}

} // namespace platform
