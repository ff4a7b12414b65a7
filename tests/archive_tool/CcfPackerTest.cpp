#include "archive_tool/CcfPacker.h"

#include <random>

#include <gtest/gtest.h>

#include "archive_tool/CcfExtractor.h"
#include "support/CcfBuilder.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace archive_tool;
using platform::bytesOf;
using test_support::buildCcf;
using test_support::readAll;
using test_support::readLe32;
using test_support::zlibStream;

std::string nameAt(const platform::Bytes& archive, std::size_t entry)
{
    const char* at = reinterpret_cast<const char*>(archive.data()) + 32 + 32 * entry;
    return std::string(at, strnlen(at, 20));
}

class CcfPacker : public ::testing::Test
{
protected:
    platform::Result<PackReport> pack() { return packFolder(source, archive); }
    void file(const std::string& name, const platform::Bytes& content)
    {
        folder.write("game_ccf_OUT/" + name, content);
    }

    test_support::TempFolder folder;
    fs::path source = folder / "game_ccf_OUT";
    fs::path archive = folder / "game.ccf";
};

TEST_F(CcfPacker, AnEmptyFolderGivesTheBareHeader)
{
    fs::create_directory(source);
    ASSERT_TRUE(pack().ok());
    platform::Bytes expected(32, 0);
    expected[0] = 'C', expected[1] = 'C', expected[2] = 'F', expected[16] = 0x20;
    EXPECT_EQ(readAll(archive), expected);
}

TEST_F(CcfPacker, StoresUpperCaseAndDigitsFirstThenLowerCaseAndPadsTo32)
{
    file("B.bin", platform::Bytes(64, 0xBB));
    file("a.bin", platform::Bytes(1, 0xAA));
    file("1.txt", platform::Bytes(33, 0x11));
    ASSERT_TRUE(pack().ok());
    const auto bytes = readAll(archive);
    EXPECT_EQ(bytes[20], 3);
    EXPECT_EQ(nameAt(bytes, 0) + " " + nameAt(bytes, 1) + " " + nameAt(bytes, 2), "1.txt B.bin a.bin");
    // The first of three members starts right after the table (byte 128, offset field 4); 33 bytes
    // take 31 zero bytes of padding, 64 bytes none.
    EXPECT_EQ(readLe32(bytes, 32 + 20), 4u);
    EXPECT_EQ(std::count(bytes.begin() + 128 + 33, bytes.begin() + 192, 0), 31);
    EXPECT_EQ(readLe32(bytes, 64 + 20), 6u);
    EXPECT_EQ(readLe32(bytes, 96 + 20), 8u);
    EXPECT_EQ(bytes.size(), 288u);

    // Groups keep the listing's order; only a lower-case first letter moves a name back.
    EXPECT_EQ(memberOrder({"_x", "apple", "Banana", "\xC3\xA9t\xC3\xA9", "Zed", "\xC3\x89T\xC3\x89"}),
              (std::vector<std::string>{"_x", "Banana", "Zed", "\xC3\x89T\xC3\x89", "apple", "\xC3\xA9t\xC3\xA9"}));
    for (auto [length, remainder] :
         std::vector<std::pair<std::uint64_t, std::uint32_t>>{{0, 0}, {31, 31}, {32, 0}, {33, 1}, {0x100000001ull, 1}})
        EXPECT_EQ(PadCount(32, length), remainder) << length;
}

TEST_F(CcfPacker, CompressesZlibFilesUnderTheShortName)
{
    platform::Bytes rom(1000);
    for (std::size_t i = 0; i < rom.size(); ++i)
        rom[i] = static_cast<std::uint8_t>(i % 7);
    file("rom.zlib", rom);
    ASSERT_TRUE(pack().ok());
    const auto bytes = readAll(archive);
    const auto stream = zlibStream(rom);
    EXPECT_EQ(nameAt(bytes, 0), "rom");
    EXPECT_EQ(readLe32(bytes, 32 + 24), stream.size());
    EXPECT_EQ(readLe32(bytes, 32 + 28), 1000u);
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), bytes.begin() + 64));
    EXPECT_FALSE(fs::exists(source / "rom.zlib2"));
    // Only a final ".zlib" in lower case marks a file for compression.
    EXPECT_EQ(memberNameOf(u"rom.ZLIB"), u"rom.ZLIB");
    EXPECT_EQ(memberNameOf(u"a.zlib.zlib"), u"a.zlib");
}

TEST_F(CcfPacker, ExtractPackExtractGivesTheSameMembers)
{
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "line " + std::to_string(i) + " of the save banner text\n";
    std::mt19937 random(5);
    platform::Bytes noise(777);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    // Built in the packer's member order, so packing the extracted folder gives the same bytes.
    const auto original = buildCcf({{"Banner.bin", noise},
                                    {"abcdefghijklmnopqrst", bytesOf("twenty")},
                                    test_support::compressedMember("misc.ccf", bytesOf(text)),
                                    {"z", {}}});
    folder.write("game.ccf", original);
    ASSERT_TRUE(extractArchive(archive, source, "game.ccf").ok());
    EXPECT_EQ(readAll(source / "misc.ccf.zlib"), bytesOf(text));
    ASSERT_TRUE(packFolder(source, folder / "again.ccf").ok());
    EXPECT_EQ(readAll(folder / "again.ccf"), original);
    ASSERT_TRUE(extractArchive(folder / "again.ccf", folder / "again_ccf_OUT", "again.ccf").ok());
    for (const char* name : {"Banner.bin", "abcdefghijklmnopqrst", "misc.ccf.zlib", "z"})
        EXPECT_EQ(readAll(folder / "again_ccf_OUT" / name), readAll(source / name)) << name;
}

TEST_F(CcfPacker, RefusesFoldersItCannotStoreAndWritesNothing)
{
    std::vector<std::string> many;
    for (int i = 0; i < 256; ++i)
        many.push_back(std::string("f").append(std::to_string(i)));
    const std::vector<std::pair<std::vector<std::string>, const char*>> cases = {
        {many, "at most 255"},
        {{"abcdefghijklmnopqrstu"}, "at most 20"},
        {{"abcdefghijklmnopqrstu.zlib"}, "at most 20"},
        {{".zlib"}, "cannot be stored"},
        {{"...zlib"}, "cannot be stored"},
        {{"\xE2\x82\xAC.txt"}, "cannot be stored"},
        {{"rom", "rom.zlib"}, "both be stored"},
        {{"Data.bin", "data.bin"}, "both be stored"},
    };
    for (const auto& [files, says] : cases) {
        SCOPED_TRACE(files.back());
        fs::remove_all(source);
        fs::create_directory(source);
        for (const auto& name : files)
            file(name, bytesOf("x"));
        folder.write("game.ccf", "the old archive");
        auto report = pack();
        ASSERT_FALSE(report.ok());
        EXPECT_NE(report.error().message.find(says), std::string::npos) << report.error().message;
        EXPECT_EQ(readAll(archive), bytesOf("the old archive"));
    }
    EXPECT_EQ(packFolder(folder / "absent", archive).error().kind, platform::ErrorKind::NotFound);

    // Twenty characters fit; a subfolder is skipped, not refused.
    fs::remove_all(source);
    file("abcdefghijklmnopqrst.zlib", bytesOf("twenty characters"));
    file("nested/inner.txt", bytesOf("i"));
    auto report = pack();
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report->skippedFolders, std::vector<std::string>{"nested"});
    EXPECT_EQ(report->entries.size(), 1u);
}

TEST_F(CcfPacker, StoresAsIsWhatCompressionWouldLeaveAtTheSameLength)
{
    // Random bytes behind a run of zeros: some run length makes the stream exactly as long as the
    // file, and equal sizes mean "not compressed" to every reader.
    std::mt19937 random(77);
    platform::Bytes tail(600);
    for (auto& b : tail)
        b = static_cast<std::uint8_t>(random());
    platform::Bytes content;
    for (std::size_t zeros = 0; zeros < 200 && content.empty(); ++zeros) {
        platform::Bytes candidate(zeros, 0);
        candidate.insert(candidate.end(), tail.begin(), tail.end());
        if (zlibStream(candidate).size() == candidate.size())
            content = candidate;
    }
    ASSERT_FALSE(content.empty()) << "no input found whose stream is as long as itself";
    file("even.zlib", content);
    auto report = pack();
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report->storedPlain, std::vector<std::string>{"even.zlib"});
    ASSERT_TRUE(extractArchive(archive, folder / "out", "game.ccf").ok());
    EXPECT_EQ(readAll(folder / "out" / "even"), content);
}

TEST(CompressFile, WritesTheZlibStreamOfTheWholeFile)
{
    test_support::TempFolder folder;
    const auto content = bytesOf(std::string(5000, 'c') + "tail");
    ASSERT_TRUE(CompressFile(folder.write("rom.zlib", content), folder / "rom.zlib2").ok());
    EXPECT_EQ(readAll(folder / "rom.zlib2"), zlibStream(content));
    EXPECT_FALSE(CompressFile(folder / "absent", folder / "out").ok());
    EXPECT_FALSE(fs::exists(folder / "out"));
}

} // namespace
