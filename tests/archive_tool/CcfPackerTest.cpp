#include "archive_tool/CcfPacker.h"

#include "archive_tool/CcfExtractor.h"
#include "support/CcfBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <random>
#include <zlib.h>

namespace {

namespace fs = std::filesystem;
using namespace archive_tool;
using test_support::buildCcf;
using test_support::readAll;
using test_support::readLe32;
using test_support::TempFolder;

platform::Bytes bytesOf(const std::string& text)
{
    return platform::Bytes(text.begin(), text.end());
}

platform::Bytes zlibCompress(const platform::Bytes& source)
{
    uLongf length = compressBound(static_cast<uLong>(source.size()));
    platform::Bytes out(length);
    compress(out.data(), &length, source.data(), static_cast<uLong>(source.size()));
    out.resize(length);
    return out;
}

std::string nameAt(const platform::Bytes& archive, std::size_t entry)
{
    const auto at = 32 + 32 * entry;
    std::string name(archive.begin() + static_cast<std::ptrdiff_t>(at), archive.begin() + static_cast<std::ptrdiff_t>(at + 20));
    return name.substr(0, name.find('\0'));
}

class CcfPacker : public ::testing::Test
{
protected:
    platform::Result<PackReport> pack() { return packFolder(source, archive); }

    TempFolder folder;
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

TEST_F(CcfPacker, StoresUpperCaseAndDigitsFirstThenLowerCase)
{
    folder.write("game_ccf_OUT/B.bin", "B");
    folder.write("game_ccf_OUT/a.bin", "a");
    folder.write("game_ccf_OUT/1.txt", "1");
    auto report = pack();
    ASSERT_TRUE(report.ok()) << report.error().message;
    EXPECT_EQ(report->order, (std::vector<std::string>{"1.txt", "B.bin", "a.bin"}));
    const auto bytes = readAll(archive);
    EXPECT_EQ(bytes[20], 3);
    EXPECT_EQ(nameAt(bytes, 0), "1.txt");
    EXPECT_EQ(nameAt(bytes, 1), "B.bin");
    EXPECT_EQ(nameAt(bytes, 2), "a.bin");
    // The first of three members starts right after the table: byte 128, offset field 4.
    EXPECT_EQ(readLe32(bytes, 32 + 20), 4u);
    EXPECT_EQ(readLe32(bytes, 64 + 20), 5u);

    // Groups keep the listing's order; only a lower-case first letter moves a name back.
    EXPECT_EQ(memberOrder({"_x", "apple", "Banana", "cherry", "Zed", "\xC3\xA9t\xC3\xA9", "\xC3\x89T\xC3\x89"}),
              (std::vector<std::string>{"_x", "Banana", "Zed", "\xC3\x89T\xC3\x89", "apple", "cherry",
                                        "\xC3\xA9t\xC3\xA9"}));
}

TEST_F(CcfPacker, PadsEveryMemberToAMultipleOf32)
{
    folder.write("game_ccf_OUT/A33", platform::Bytes(33, 0xAA));
    folder.write("game_ccf_OUT/B64", platform::Bytes(64, 0xBB));
    folder.write("game_ccf_OUT/C1", platform::Bytes(1, 0xCC));
    ASSERT_TRUE(pack().ok());
    const auto bytes = readAll(archive);
    const std::size_t data = 32 + 3 * 32;
    EXPECT_EQ(bytes.size(), data + 64 + 64 + 32);
    EXPECT_EQ(bytes[data + 32], 0xAA);
    EXPECT_EQ(std::count(bytes.begin() + data + 33, bytes.begin() + data + 64, 0), 31);
    EXPECT_EQ(readLe32(bytes, 64 + 20) * 32, data + 64);
    EXPECT_EQ(readLe32(bytes, 96 + 20) * 32, data + 128);
    EXPECT_EQ(bytes[data + 128], 0xCC);

    for (auto [length, remainder] : std::vector<std::pair<std::uint64_t, std::uint32_t>>{
             {0, 0}, {1, 1}, {31, 31}, {32, 0}, {33, 1}, {64, 0}, {0x100000001ull, 1}})
        EXPECT_EQ(PadCount(32, length), remainder) << length;
}

TEST_F(CcfPacker, CompressesZlibFilesUnderTheShortName)
{
    platform::Bytes rom(1000);
    for (std::size_t i = 0; i < rom.size(); ++i)
        rom[i] = static_cast<std::uint8_t>(i % 7);
    folder.write("game_ccf_OUT/rom.zlib", rom);
    auto report = pack();
    ASSERT_TRUE(report.ok());
    const auto bytes = readAll(archive);
    const auto stream = zlibCompress(rom);
    EXPECT_EQ(nameAt(bytes, 0), "rom");
    EXPECT_EQ(readLe32(bytes, 32 + 24), stream.size());
    EXPECT_EQ(readLe32(bytes, 32 + 28), 1000u);
    EXPECT_TRUE(std::equal(stream.begin(), stream.end(), bytes.begin() + 64));
    EXPECT_FALSE(fs::exists(source / "rom.zlib2"));
    EXPECT_EQ(readAll(source / "rom.zlib"), rom);

    // Only a final ".zlib" spelled in lower case marks a file for compression.
    EXPECT_EQ(memberNameOf(u"rom.ZLIB"), u"rom.ZLIB");
    EXPECT_EQ(memberNameOf(u"a.zlib.zlib"), u"a.zlib");
    EXPECT_EQ(memberNameOf(u"zlib"), u"zlib");
}

TEST_F(CcfPacker, ExtractPackExtractGivesTheSameMembers)
{
    platform::Bytes text;
    for (int i = 0; i < 400; ++i) {
        const auto line = "line " + std::to_string(i) + " of the save banner text\n";
        text.insert(text.end(), line.begin(), line.end());
    }
    std::mt19937 random(5);
    platform::Bytes noise(777);
    for (auto& b : noise)
        b = static_cast<std::uint8_t>(random());
    // Built in the packer's member order, so packing the extracted folder gives the same bytes.
    const auto original = buildCcf({{"Banner.bin", noise},
                                    {"abcdefghijklmnopqrst", bytesOf("twenty")},
                                    {"misc.ccf", zlibCompress(text), static_cast<std::uint32_t>(text.size())},
                                    {"z", {}}});
    folder.write("game.ccf", original);
    ASSERT_TRUE(extractArchive(archive, source, "game.ccf").ok());
    EXPECT_TRUE(fs::exists(source / "misc.ccf.zlib"));

    const auto repacked = folder / "again.ccf";
    ASSERT_TRUE(packFolder(source, repacked).ok());
    EXPECT_EQ(readAll(repacked), original);

    const auto second = folder / "again_ccf_OUT";
    ASSERT_TRUE(extractArchive(repacked, second, "again.ccf").ok());
    for (const char* name : {"Banner.bin", "abcdefghijklmnopqrst", "misc.ccf.zlib", "z"})
        EXPECT_EQ(readAll(second / name), readAll(source / name)) << name;
}

TEST_F(CcfPacker, RefusesFoldersItCannotStoreAndWritesNothing)
{
    struct Case
    {
        const char* what;
        std::vector<std::string> files;
        const char* says;
    };
    std::vector<std::string> many;
    for (int i = 0; i < 256; ++i)
        many.push_back("f" + std::to_string(i));
    const std::vector<Case> cases = {
        {"256 files", many, "at most 255"},
        {"a 21-character name", {"abcdefghijklmnopqrstu"}, "at most 20"},
        {"21 characters after removing .zlib", {"abcdefghijklmnopqrstu.zlib"}, "at most 20"},
        {"a name left empty", {".zlib"}, "cannot be stored"},
        {"a name left as a folder", {"...zlib"}, "cannot be stored"},
        {"one name twice", {"rom", "rom.zlib"}, "both be stored"},
        {"names that differ in case only", {"Data.bin", "data.bin"}, "both be stored"},
        {"a character a member name cannot hold", {"\xE2\x82\xAC.txt"}, "cannot be stored"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(source);
        fs::create_directory(source);
        for (const auto& file : c.files)
            folder.write("game_ccf_OUT/" + file, "x");
        folder.write("game.ccf", "the old archive");
        auto report = pack();
        ASSERT_FALSE(report.ok());
        EXPECT_NE(report.error().message.find(c.says), std::string::npos) << report.error().message;
        EXPECT_EQ(readAll(archive), bytesOf("the old archive"));
    }

    auto missing = packFolder(folder / "absent", archive);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, platform::ErrorKind::NotFound);

    fs::remove_all(source);
    folder.write("game_ccf_OUT/abcdefghijklmnopqrst.zlib", "twenty characters is fine");
    EXPECT_TRUE(pack().ok());
}

TEST_F(CcfPacker, SkipsSubfoldersWithANote)
{
    folder.write("game_ccf_OUT/file.txt", "f");
    folder.write("game_ccf_OUT/nested/inner.txt", "i");
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
        if (zlibCompress(candidate).size() == candidate.size())
            content = candidate;
    }
    ASSERT_FALSE(content.empty()) << "no input found whose stream is as long as itself";
    folder.write("game_ccf_OUT/even.zlib", content);
    auto report = pack();
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report->storedPlain, std::vector<std::string>{"even.zlib"});
    EXPECT_FALSE(report->entries[0].compressed());

    ASSERT_TRUE(extractArchive(archive, folder / "out", "game.ccf").ok());
    EXPECT_EQ(readAll(folder / "out" / "even"), content);
}

TEST(CompressFile, WritesTheZlibStreamOfTheWholeFile)
{
    TempFolder folder;
    const auto content = bytesOf(std::string(5000, 'c') + "tail");
    const auto source = folder.write("rom.zlib", content);
    ASSERT_TRUE(CompressFile(source, folder / "rom.zlib2").ok());
    EXPECT_EQ(readAll(folder / "rom.zlib2"), zlibCompress(content));
    EXPECT_FALSE(CompressFile(folder / "absent", folder / "out").ok());
    EXPECT_FALSE(fs::exists(folder / "out"));
}

} // namespace
