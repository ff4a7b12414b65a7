#include "archive_tool/CcfExtractor.h"

#include "support/CcfBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

namespace fs = std::filesystem;
using namespace archive_tool;
using test_support::buildCcf;
using test_support::CcfMember;
using test_support::readAll;
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

// A compressed member as an archive holds it.
CcfMember compressedMember(const std::string& name, const platform::Bytes& content)
{
    return {name, zlibCompress(content), static_cast<std::uint32_t>(content.size())};
}

std::vector<std::string> namesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

class CcfExtractor : public ::testing::Test
{
protected:
    platform::Result<ExtractReport> extract(const platform::Bytes& archive)
    {
        folder.write("game.ccf", archive);
        return extractArchive(folder / "game.ccf", out, "game.ccf");
    }

    TempFolder folder;
    fs::path out = folder / "game_ccf_OUT";
};

TEST_F(CcfExtractor, WritesPlainMembersAndDecompressesCompressedOnes)
{
    const auto content = bytesOf(std::string(3000, 'x') + "end");
    auto report = extract(buildCcf({{"plain.txt", bytesOf("as is")}, compressedMember("data.bin", content)}));
    ASSERT_TRUE(report.ok()) << report.error().message;
    EXPECT_TRUE(report->complete());
    EXPECT_EQ(report->members, 2u);
    EXPECT_EQ(report->extracted, 2u);
    EXPECT_EQ(namesIn(out), (std::vector<std::string>{"data.bin.zlib", "plain.txt"}));
    EXPECT_EQ(readAll(out / "plain.txt"), bytesOf("as is"));
    EXPECT_EQ(readAll(out / "data.bin.zlib"), content);
}

TEST_F(CcfExtractor, AnArchiveWithoutMembersMakesTheFolderOnly)
{
    auto report = extract(buildCcf({}));
    ASSERT_TRUE(report.ok());
    EXPECT_TRUE(fs::is_directory(out));
    EXPECT_TRUE(namesIn(out).empty());
}

TEST_F(CcfExtractor, ExtractingAgainReplacesEachFileWhole)
{
    folder.write("game_ccf_OUT/plain.txt", std::string(500, 'o'));
    folder.write("game_ccf_OUT/data.bin", "stale compressed copy");
    folder.write("game_ccf_OUT/keep.me", "not a member");
    const auto archive = buildCcf({{"plain.txt", bytesOf("new")}, compressedMember("data.bin", bytesOf("fresh"))});
    ASSERT_TRUE(extract(archive).ok());
    ASSERT_TRUE(extract(archive).ok());
    EXPECT_EQ(readAll(out / "plain.txt"), bytesOf("new"));
    EXPECT_EQ(readAll(out / "data.bin.zlib"), bytesOf("fresh"));
    EXPECT_EQ(namesIn(out), (std::vector<std::string>{"data.bin.zlib", "keep.me", "plain.txt"}));
}

TEST_F(CcfExtractor, RefusesNamesThatCouldLeaveTheFolderAndExtractsTheRest)
{
    const std::vector<std::pair<const char*, std::string>> badNames = {
        {"empty", std::string(20, '\0')},
        {"dot", "."},
        {"dot dot", ".."},
        {"parent path", "../escaped"},
        {"parent path, other separator", "..\\escaped"},
        {"absolute", "/tmp/escaped"},
        {"subfolder", "sub/escaped"},
        {"drive", "C:escaped"},
        {"control character", "a\x01" "b"},
        {"wildcard", "a*b"},
        {"trailing dot", "name."},
        {"device", "NUL.txt"},
    };
    for (const auto& [what, name] : badNames) {
        SCOPED_TRACE(what);
        fs::remove_all(out);
        auto report = extract(buildCcf({{"before", bytesOf("1")}, {name, bytesOf("evil")}, {"after", bytesOf("2")}}));
        ASSERT_TRUE(report.ok());
        EXPECT_EQ(report->extracted, 2u);
        ASSERT_EQ(report->problems.size(), 1u);
        EXPECT_NE(report->problems[0].message.find("Member 2"), std::string::npos) << report->problems[0].message;
        EXPECT_EQ(namesIn(out), (std::vector<std::string>{"after", "before"}));
        EXPECT_EQ(namesIn(folder.path()), (std::vector<std::string>{"game.ccf", "game_ccf_OUT"}));
        EXPECT_FALSE(fs::exists("/tmp/escaped"));
    }
}

TEST_F(CcfExtractor, SkipsMembersOutsideTheArchiveAndReportsAShortTable)
{
    auto archive = buildCcf({{"first", bytesOf("1")},
                             {"pastEnd", bytesOf("2"), std::nullopt, 0x00FFFFFF},
                             {"tooLong", bytesOf("3"), std::nullopt, std::nullopt, 0x7FFFFFFF},
                             {"last", bytesOf("4")}});
    archive[20] = 9; // five entries more than the file holds after the data area's four slots
    auto report = extract(archive);
    ASSERT_TRUE(report.ok());
    EXPECT_EQ(report->members, 9u);
    ASSERT_GE(report->problems.size(), 3u);
    EXPECT_NE(report->problems[0].message.find("\"pastEnd\""), std::string::npos);
    EXPECT_NE(report->problems[1].message.find("\"tooLong\""), std::string::npos);
    EXPECT_NE(report->problems.back().message.find("does not fit"), std::string::npos);
    EXPECT_EQ(readAll(out / "first"), bytesOf("1"));
    EXPECT_EQ(readAll(out / "last"), bytesOf("4"));
    EXPECT_FALSE(fs::exists(out / "pastEnd"));
    EXPECT_FALSE(fs::exists(out / "tooLong"));
}

TEST_F(CcfExtractor, AFailedDecompressionKeepsTheStoredBytesAndGoesOn)
{
    auto stream = zlibCompress(bytesOf("content"));
    const std::vector<CcfMember> members = {
        {"short", stream, 8},                   // inflates to 7, declares 8
        {"long", stream, 6},                    // inflates to 7, declares 6
        {"huge", stream, 0xFFFFFFFF},           // declares 4 GiB
        {"garbage", bytesOf("not zlib"), 100},  // no stream at all
        {"fine", stream, 7},
    };
    auto report = extract(buildCcf(members));
    ASSERT_TRUE(report.ok());
    ASSERT_EQ(report->problems.size(), 4u);
    for (const auto& problem : report->problems) {
        EXPECT_EQ(problem.message, "Input file corrupted");
        EXPECT_EQ(problem.title, "Compression Error");
    }
    EXPECT_EQ(readAll(out / "short"), stream);
    EXPECT_FALSE(fs::exists(out / "short.zlib"));
    EXPECT_EQ(readAll(out / "garbage"), bytesOf("not zlib"));
    EXPECT_EQ(readAll(out / "fine.zlib"), bytesOf("content"));
    EXPECT_EQ(report->extracted, 1u);
}

TEST_F(CcfExtractor, FailsWithoutWritingWhenTheArchiveCannotBeUsed)
{
    auto notCcf = extract(bytesOf("PK\x03\x04 this is something else"));
    ASSERT_FALSE(notCcf.ok());
    EXPECT_EQ(notCcf.error().message, "game.ccf is not a CCF archive: it does not begin with \"CCF\".");
    EXPECT_FALSE(fs::exists(out));

    auto missing = extractArchive(folder / "absent.ccf", out, "absent.ccf");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, platform::ErrorKind::NotFound);

    // The destination is made one level deep only, and never over a file.
    folder.write("game.ccf", buildCcf({{"a", bytesOf("1")}}));
    EXPECT_FALSE(extractArchive(folder / "game.ccf", folder / "no" / "such" / "folder", "game.ccf").ok());
    EXPECT_FALSE(fs::exists(folder / "no"));
    folder.write("occupied", "a file");
    EXPECT_FALSE(extractArchive(folder / "game.ccf", folder / "occupied", "game.ccf").ok());
    EXPECT_EQ(readAll(folder / "occupied"), bytesOf("a file"));
}

TEST(DecompressFile, ReplacesTheFileByItsZlibTwin)
{
    TempFolder folder;
    const auto content = bytesOf(std::string(2000, 'q'));
    const auto path = folder.write("data.bin", zlibCompress(content));
    folder.write("data.bin.zlib", "older");
    ASSERT_TRUE(DecompressFile(path, 2000).ok());
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(readAll(folder / "data.bin.zlib"), content);

    const auto bad = folder.write("bad.bin", zlibCompress(content));
    auto result = DecompressFile(bad, 1999);
    ASSERT_FALSE(result.ok());
    EXPECT_EQ(result.error().message, "Input file corrupted");
    EXPECT_EQ(readAll(bad), zlibCompress(content));
    EXPECT_FALSE(fs::exists(folder / "bad.bin.zlib"));
}

} // namespace
