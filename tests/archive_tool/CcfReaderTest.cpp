#include "archive_tool/CcfReader.h"

#include "support/CcfBuilder.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace archive_tool;
using test_support::buildCcf;
using test_support::CcfMember;

platform::Bytes bytesOf(const std::string& text)
{
    return platform::Bytes(text.begin(), text.end());
}

TEST(CcfReader, ReadsEntriesAsThePackerWritesThem)
{
    const auto archive = buildCcf({{"1.txt", bytesOf("one")}, {"rom", bytesOf("zlib-ish"), 1000}});
    auto table = readCcfTable(archive);
    ASSERT_TRUE(table.ok()) << table.error().message;
    EXPECT_EQ(table->tableOffset, 32u);
    EXPECT_EQ(table->declaredCount, 2u);
    ASSERT_EQ(table->entries.size(), 2u);
    EXPECT_EQ(table->entries[0].FileName, u"1.txt");
    EXPECT_EQ(table->entries[0].Offset, 96u);
    EXPECT_EQ(table->entries[0].Size, 3u);
    EXPECT_FALSE(table->entries[0].compressed());
    EXPECT_EQ(table->entries[1].FileName, u"rom");
    EXPECT_EQ(table->entries[1].Offset, 128u);
    EXPECT_EQ(table->entries[1].OrigSize, 1000u);
    EXPECT_TRUE(table->entries[1].compressed());
    EXPECT_EQ(table->missingEntries(), 0u);
}

TEST(CcfReader, TakesTableOffsetAndCountBigEndianFromBytes13And17)
{
    // The table moved to 0x100 and the count spread over two bytes: only a big-endian reading of
    // bytes 13-16 and 17-20 finds them.
    auto archive = buildCcf({});
    archive[15] = 0x01;
    archive[16] = 0x00;
    archive[19] = 0x01;
    archive[20] = 0x02;
    archive.resize(0x100, 0);
    for (int i = 0; i < 0x102; ++i) {
        platform::Bytes entry(32, 0);
        entry[0] = 'm';
        entry[1] = static_cast<std::uint8_t>('0' + i % 10);
        archive.insert(archive.end(), entry.begin(), entry.end());
    }
    auto table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->tableOffset, 0x100u);
    EXPECT_EQ(table->declaredCount, 0x102u);
    ASSERT_EQ(table->entries.size(), 0x102u);
    EXPECT_EQ(table->entries[13].FileName, u"m3");
}

TEST(CcfReader, NamesKeepTwentyCharactersAndLoseZeroBytes)
{
    auto archive = buildCcf({{"abcdefghijklmnopqrst", {}}, {std::string("ab\0cd\0\0e", 8), {}}, {"caf\xE9", {}}});
    auto table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->entries[0].FileName, u"abcdefghijklmnopqrst");
    EXPECT_EQ(table->entries[1].FileName, u"abcde");
    EXPECT_EQ(table->entries[2].FileName, u"caf\u00E9"); // 8-bit text
}

TEST(CcfReader, RefusesWhatIsNotACcfArchive)
{
    const std::vector<std::pair<const char*, std::string>> cases = {
        {"empty", ""},
        {"magic cut short", "CC"},
        {"other magic", std::string("XCF") + std::string(29, '\0')},
        {"magic not at the start", std::string("  CCF") + std::string(27, '\0')},
        {"header without the count", "CCF" + std::string(14, '\0')},
    };
    for (const auto& [what, bytes] : cases) {
        auto table = readCcfTable(bytesOf(bytes));
        EXPECT_FALSE(table.ok()) << what;
        if (!table.ok()) {
            EXPECT_EQ(table.error().kind, platform::ErrorKind::BadFormat) << what;
        }
    }
}

TEST(CcfReader, ReadsATableThatRunsPastTheEndAsFarAsItGoes)
{
    auto archive = buildCcf({{"a", bytesOf("1")}, {"b", bytesOf("2")}});
    archive[20] = 5;
    auto table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    // Two entries, and the data area read as entries: 32 + 32 * 2 + 64 bytes give four 32-byte slots.
    EXPECT_EQ(table->entries.size(), 4u);
    EXPECT_EQ(table->missingEntries(), 1u);

    // A count of four thousand million reserves nothing for entries that are not there.
    archive[17] = archive[18] = archive[19] = archive[20] = 0xFF;
    table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->entries.size(), 4u);
    EXPECT_EQ(table->missingEntries(), 0xFFFFFFFFull - 4);

    // A table offset past the end leaves no entry at all.
    archive[13] = 0x7F;
    table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    EXPECT_TRUE(table->entries.empty());
}

TEST(CcfReader, MemberDataMustLieInsideTheArchive)
{
    const auto archive = buildCcf({{"a", platform::Bytes(40, 7)}});
    auto table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    CcfEntry entry = table->entries[0];
    auto data = memberData(archive, entry);
    ASSERT_TRUE(data.ok());
    EXPECT_EQ(data->size(), 40u);
    EXPECT_EQ(data->front(), 7);

    struct Case
    {
        const char* what;
        std::uint64_t offset;
        std::uint32_t size;
        bool inside;
    };
    const std::vector<Case> cases = {
        {"up to the last byte", archive.size() - 8, 8, true},
        {"empty at the end", archive.size(), 0, true},
        {"one byte too long", archive.size() - 8, 9, false},
        {"offset past the end", archive.size() + 32, 0, false},
        {"huge size", 64, 0xFFFFFFFF, false},
        {"offset field times 32 beyond 32 bits", 0xFFFFFFFFull * 32, 1, false},
    };
    for (const auto& c : cases) {
        entry.Offset = c.offset;
        entry.Size = c.size;
        EXPECT_EQ(memberData(archive, entry).ok(), c.inside) << c.what;
    }
}

TEST(CcfReader, SurvivesEveryTruncationAndRandomDamage)
{
    const auto archive = buildCcf({{"first.bin", platform::Bytes(70, 1)}, {"second", platform::Bytes(33, 2), 99}});
    for (std::size_t length = 0; length < archive.size(); ++length) {
        const platform::Bytes cut(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(length));
        auto table = readCcfTable(cut);
        if (!table.ok())
            continue;
        for (const auto& entry : table->entries)
            (void)memberData(cut, entry);
        EXPECT_LE(table->entries.size(), 2u);
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 2000; ++round) {
        auto damaged = archive;
        for (int i = 0; i < 8; ++i)
            damaged[random() % damaged.size()] = static_cast<std::uint8_t>(random());
        auto table = readCcfTable(damaged);
        if (!table.ok())
            continue;
        for (const auto& entry : table->entries) {
            auto data = memberData(damaged, entry);
            if (data.ok()) {
                EXPECT_GE(data->data(), damaged.data());
                EXPECT_LE(data->data() + data->size(), damaged.data() + damaged.size());
            }
        }
    }
}

} // namespace
