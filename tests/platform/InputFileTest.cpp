#include "platform/InputFile.h"

#include <filesystem>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

using namespace platform;
using test_support::TempFolder;

namespace {

Bytes counting(std::size_t n)
{
    Bytes out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(i * 7);
    return out;
}

} // namespace

TEST(InputFile, ReadsPiecesAtAnyOffsetInAnyOrder)
{
    TempFolder dir;
    const Bytes content = counting(200000);
    dir.write("Archive.CCF", content);
    auto file = InputFile::open(dir / "archive.ccf"); // found without regard to case
    ASSERT_TRUE(file.ok()) << file.error().message;
    EXPECT_EQ(file->size(), content.size());
    for (auto [offset, length] : std::vector<std::pair<std::size_t, std::size_t>>{
             {150000, 50000}, {0, 32}, {199999, 1}, {70000, 100000}, {200000, 0}, {5, 0}}) {
        auto piece = file->readAt(offset, length);
        ASSERT_TRUE(piece.ok()) << offset << "+" << length << ": " << piece.error().message;
        EXPECT_EQ(piece.value(), Bytes(content.begin() + offset, content.begin() + offset + length)) << offset;
    }
}

TEST(InputFile, RefusesRangesPastTheEndAndFilesThatShrank)
{
    TempFolder dir;
    dir.write("a.bin", counting(100));
    auto file = InputFile::open(dir / "a.bin");
    ASSERT_TRUE(file.ok());
    for (auto [offset, length] : std::vector<std::pair<std::uint64_t, std::size_t>>{
             {0, 101}, {100, 1}, {101, 0}, {99, 2}, {0xFFFFFFFFFFFFFFF0ull, 32}}) {
        auto piece = file->readAt(offset, length);
        ASSERT_FALSE(piece.ok()) << offset << "+" << length;
        EXPECT_EQ(piece.error().kind, ErrorKind::ReadFailed);
    }
    // The file is cut after it was opened: the bytes that are gone fail, the rest still read.
    std::filesystem::resize_file(dir / "a.bin", 40);
    EXPECT_FALSE(file->readAt(30, 20).ok());
    auto head = file->readAt(0, 40);
    ASSERT_TRUE(head.ok());
    EXPECT_EQ(head.value(), counting(40));

    EXPECT_EQ(InputFile::open(dir / "none.bin").error().kind, ErrorKind::NotFound);
    EXPECT_EQ(InputFile::open(dir.path()).error().kind, ErrorKind::ReadFailed);
}
