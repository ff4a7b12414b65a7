#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

#include "Bytes.h"
#include "Result.h"

namespace platform {

// A file kept open for reading pieces of it at chosen offsets, for a format whose pieces are used one
// at a time (an archive's members) and need not all be held in memory together. The file is found
// as readFile finds it (without regard to letter case).
class InputFile
{
public:
    [[nodiscard]] static Result<InputFile> open(const std::filesystem::path& path);

    // The file's length when it was opened.
    std::uint64_t size() const { return m_size; }

    // Fills out with the bytes at offset. Fails (ReadFailed) when they do not all lie inside the file
    // or cannot be read (the file shrank, or the system refused); out then holds nothing useful.
    [[nodiscard]] Result<void> readAt(std::uint64_t offset, std::span<std::uint8_t> out);

    // The length bytes at offset, as readAt reads them.
    [[nodiscard]] Result<Bytes> readAt(std::uint64_t offset, std::size_t length);

private:
    InputFile(std::filesystem::path path, std::uint64_t size) : m_path(std::move(path)), m_size(size) {}
    bool holds(std::uint64_t offset, std::size_t length) const;
    Error rangeError(std::uint64_t offset, std::size_t length, const std::string& why) const;

    std::filesystem::path m_path;
    std::uint64_t m_size = 0;
    std::ifstream m_in;
};

} // namespace platform
