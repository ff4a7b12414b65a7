#include "archive_tool/CcfExtractor.h"

#include <gtest/gtest.h>

#include "support/CcfBuilder.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace archive_tool;
using platform::bytesOf;
using test_support::buildCcf;
using test_support::compressedMember;
using test_support::readAll;
using test_support::zlibStream;

class CcfExtractor : public ::testing::Test
{
protected:
    platform::Result<ExtractReport> extract(const platform::Bytes& archive)
    {
        folder.write("game.ccf", archive);
        return extractArchive(folder / "game.ccf", out, "game.ccf");
    }

    test_support::TempFolder folder;
    fs::path out = folder / "game_ccf_OUT";
};

TEST_F(CcfExtractor, WritesPlainMembersAndDecompressesCompressedOnesOverEarlierFiles)
{
    ASSERT_TRUE(extract(buildCcf({})).ok()); // no members: the folder only
    EXPECT_TRUE(test_support::namesIn(out).empty());

    folder.write("game_ccf_OUT/plain.txt", std::string(500, 'o'));
    folder.write("game_ccf_OUT/data.bin", "stale compressed copy");
    const auto content = bytesOf(std::string(3000, 'x') + "end");
    auto report = extract(buildCcf({{"plain.txt", bytesOf("as is")}, compressedMember("data.bin", content)}));
    ASSERT_TRUE(report.ok()) << report.error().message;
    EXPECT_TRUE(report->complete());
    EXPECT_EQ(report->extracted, 2u);
    EXPECT_EQ(test_support::namesIn(out), (std::vector<std::string>{"data.bin.zlib", "plain.txt"}));
    EXPECT_EQ(readAll(out / "plain.txt"), bytesOf("as is"));
    EXPECT_EQ(readAll(out / "data.bin.zlib"), content);
}

TEST_F(CcfExtractor, RefusesNamesThatCouldLeaveTheFolderAndExtractsTheRest)
{
    for (const std::string& name :
         {std::string(20, '\0'), std::string("."), std::string(".."), std::string("../escaped"),
          std::string("..\\escaped"), std::string("/tmp/escaped"), std::string("sub/escaped"), std::string("C:escaped"),
          std::string("a\x01z"), std::string("a*b"), std::string("name."), std::string("NUL.txt"),
          std::string(".a.vctmp-42-x1Y2z3")}) {
        SCOPED_TRACE(name);
        fs::remove_all(out);
        auto report = extract(buildCcf({{"before", bytesOf("1")}, {name, bytesOf("evil")}, {"after", bytesOf("2")}}));
        ASSERT_TRUE(report.ok());
        EXPECT_EQ(report->extracted, 2u);
        ASSERT_EQ(report->problems.size(), 1u);
        EXPECT_EQ(report->problems[0].message.rfind("Member 2 (", 0), 0u) << report->problems[0].message;
        EXPECT_EQ(test_support::namesIn(out), (std::vector<std::string>{"after", "before"}));
        EXPECT_EQ(test_support::namesIn(folder.path()), (std::vector<std::string>{"game.ccf", "game_ccf_OUT"}));
        EXPECT_FALSE(fs::exists("/tmp/escaped"));
    }
}

TEST_F(CcfExtractor, SkipsMembersOutsideTheArchiveAndReportsAShortTable)
{
    auto archive = buildCcf({{"first", bytesOf("1")},
                             {"pastEnd", bytesOf("2"), std::nullopt, 0x00FFFFFF},
                             {"tooLong", bytesOf("3"), std::nullopt, std::nullopt, 0x7FFFFFFF},
                             {"last", bytesOf("4")}});
    archive[20] = 9; // the file holds eight 32-byte slots after the header
    auto report = extract(archive);
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report->problems.size(), 3u);
    EXPECT_NE(report->problems[0].message.find("\"pastEnd\""), std::string::npos);
    EXPECT_NE(report->problems[1].message.find("\"tooLong\""), std::string::npos);
    EXPECT_NE(report->problems[2].message.find("does not fit"), std::string::npos);
    EXPECT_EQ(readAll(out / "first"), bytesOf("1"));
    EXPECT_EQ(readAll(out / "last"), bytesOf("4"));
    EXPECT_FALSE(fs::exists(out / "pastEnd"));
}

TEST_F(CcfExtractor, AFailedDecompressionKeepsTheStoredBytesAndGoesOn)
{
    const auto stream = zlibStream(bytesOf("content"));
    auto report = extract(buildCcf({{"short", stream, 8},         // inflates to 7, declares 8
                                    {"long", stream, 6},          // inflates to 7, declares 6
                                    {"huge", stream, 0xFFFFFFFF}, // declares 4 GiB
                                    {"garbage", bytesOf("not zlib"), 100},
                                    {"fine", stream, 7}}));
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report->problems.size(), 4u);
    for (const auto& problem : report->problems) {
        EXPECT_EQ(problem.message, "Input file corrupted");
        EXPECT_EQ(problem.title, "Compression Error");
    }
    EXPECT_EQ(readAll(out / "short"), stream);
    EXPECT_FALSE(fs::exists(out / "short.zlib"));
    EXPECT_EQ(readAll(out / "fine.zlib"), bytesOf("content"));
    EXPECT_EQ(report->extracted, 1u);
}

TEST_F(CcfExtractor, FailsWithoutWritingWhenTheArchiveCannotBeUsed)
{
    auto notCcf = extract(bytesOf("PK\x03\x04 this is something else"));
    ASSERT_FALSE(notCcf.ok());
    EXPECT_EQ(notCcf.error().message, "game.ccf is not a CCF archive: it does not begin with \"CCF\".");
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(extractArchive(folder / "absent.ccf", out, "absent.ccf").error().kind, platform::ErrorKind::NotFound);
    // A file that cannot be read is reported as such, not as something that is no archive.
    fs::create_directory(folder / "folder.ccf");
    auto unreadable = extractArchive(folder / "folder.ccf", out, "folder.ccf");
    ASSERT_FALSE(unreadable.ok());
    EXPECT_EQ(unreadable.error().kind, platform::ErrorKind::ReadFailed);
    EXPECT_EQ(unreadable.error().message.find("not a CCF archive"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));

    // The destination is made one level deep only, and never over a file.
    folder.write("game.ccf", buildCcf({{"a", bytesOf("1")}}));
    EXPECT_FALSE(extractArchive(folder / "game.ccf", folder / "no" / "such", "game.ccf").ok());
    EXPECT_FALSE(fs::exists(folder / "no"));
    folder.write("occupied", "a file");
    EXPECT_FALSE(extractArchive(folder / "game.ccf", folder / "occupied", "game.ccf").ok());
    EXPECT_EQ(readAll(folder / "occupied"), bytesOf("a file"));
}

TEST(DecompressFile, ReplacesTheFileByItsZlibTwinOrLeavesItAlone)
{
    test_support::TempFolder folder;
    const auto content = bytesOf(std::string(2000, 'q'));
    const auto path = folder.write("data.bin", zlibStream(content));
    folder.write("data.bin.zlib", "older");
    ASSERT_TRUE(DecompressFile(path, 2000).ok());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(readAll(folder / "data.bin.zlib"), content);

    const auto bad = folder.write("bad.bin", zlibStream(content));
    auto result = DecompressFile(bad, 1999);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().message, "Input file corrupted");
    EXPECT_EQ(readAll(bad), zlibStream(content));
    EXPECT_FALSE(fs::exists(folder / "bad.bin.zlib"));
}

} // namespace
