#include "archive_tool/CcfReader.h"

#include <random>

#include <gtest/gtest.h>

#include "support/CcfBuilder.h"

namespace {

using namespace archive_tool;
using platform::bytesOf;
using test_support::buildCcf;

TEST(CcfReader, ReadsTheTableAsThePackerWritesIt)
{
    const auto archive = buildCcf({{"1.txt", bytesOf("one")},
                                   {"rom", bytesOf("zlib-ish"), 1000},
                                   {"abcdefghijklmnopqrst", {}},
                                   {std::string("ab\0cd\0\0e", 8), {}},
                                   {"caf\xE9", {}}});
    auto table = readCcfTable(archive);
    ASSERT_TRUE(table.ok()) << table.error().message;
    EXPECT_EQ(table->tableOffset, 32u);
    ASSERT_EQ(table->entries.size(), 5u);
    EXPECT_EQ(table->missingEntries(), 0u);
    const CcfEntry& plain = table->entries[0];
    EXPECT_EQ(plain.FileName, u"1.txt");
    EXPECT_EQ(plain.Offset, 32u + 5 * 32);
    EXPECT_EQ(plain.Size, 3u);
    EXPECT_FALSE(plain.compressed());
    EXPECT_EQ(table->entries[1].OrigSize, 1000u);
    EXPECT_TRUE(table->entries[1].compressed());
    // A 20-character name has no terminator; zero bytes inside a name are dropped; bytes are 8-bit text.
    EXPECT_EQ(table->entries[2].FileName, u"abcdefghijklmnopqrst");
    EXPECT_EQ(table->entries[3].FileName, u"abcde");
    EXPECT_EQ(table->entries[4].FileName, u"caf\u00E9");
}

TEST(CcfReader, TakesTableOffsetAndCountBigEndianFromBytes13And17)
{
    // The table at 0x100 and a count of 0x102: only big-endian readings of bytes 13-16 and 17-20 find them.
    auto archive = buildCcf({});
    archive[15] = 0x01, archive[16] = 0x00, archive[19] = 0x01, archive[20] = 0x02;
    archive.resize(0x100 + 0x102 * 32, 0);
    archive[0x100 + 13 * 32] = 'm';
    auto table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->tableOffset, 0x100u);
    ASSERT_EQ(table->entries.size(), 0x102u);
    EXPECT_EQ(table->entries[13].FileName, u"m");
}

TEST(CcfReader, RefusesWhatIsNotACcfArchive)
{
    for (const std::string& bytes : {std::string(), std::string("CC"), "XCF" + std::string(29, '\0'),
                                     "  CCF" + std::string(27, '\0'), "CCF" + std::string(14, '\0')}) {
        auto table = readCcfTable(bytesOf(bytes));
        ASSERT_FALSE(table.ok()) << bytes.size();
        EXPECT_EQ(table.error().kind, platform::ErrorKind::BadFormat);
    }
}

TEST(CcfReader, ReadsATableThatRunsPastTheEndAsFarAsItGoes)
{
    // 32 + 2 entries + 2 data slots: four 32-byte slots after the header.
    auto archive = buildCcf({{"a", bytesOf("1")}, {"b", bytesOf("2")}});
    archive[20] = 5;
    auto table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->entries.size(), 4u);
    EXPECT_EQ(table->missingEntries(), 1u);

    // A count of four thousand million reserves nothing for entries that are not there.
    archive[17] = archive[18] = archive[19] = archive[20] = 0xFF;
    table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table->missingEntries(), 0xFFFFFFFFull - 4);

    archive[13] = 0x7F; // table offset far past the end
    table = readCcfTable(archive);
    ASSERT_TRUE(table.ok());
    EXPECT_TRUE(table->entries.empty());
}

TEST(CcfReader, MemberDataMustLieInsideTheArchive)
{
    const auto archive = buildCcf({{"a", platform::Bytes(40, 7)}});
    const std::uint64_t end = archive.size();
    struct Case
    {
        std::uint64_t offset;
        std::uint32_t size;
        bool inside;
    };
    for (const auto& c : std::vector<Case>{{64, 40, true},
                                           {end - 8, 8, true},
                                           {end, 0, true},
                                           {end - 8, 9, false},
                                           {end + 32, 0, false},
                                           {64, 0xFFFFFFFF, false},
                                           {0xFFFFFFFFull * 32, 1, false}}) {
        const CcfEntry entry{u"a", c.offset, c.size, c.size};
        EXPECT_EQ(memberData(archive, entry).ok(), c.inside) << c.offset << "+" << c.size;
    }
}

TEST(CcfReader, SurvivesTruncationAndRandomDamageAndReadsTheSameTableFromItsLeadingBytes)
{
    const auto archive = buildCcf({{"first.bin", platform::Bytes(70, 1)}, {"second", platform::Bytes(33, 2), 99}});
    std::vector<platform::Bytes> inputs;
    for (std::size_t length = 0; length < archive.size(); ++length)
        inputs.emplace_back(archive.begin(), archive.begin() + static_cast<std::ptrdiff_t>(length));
    // Tables that start inside the header, overlap the data, run past the end or lie beyond it.
    for (std::uint32_t offset : {0u, 1u, 32u, 64u, 200u, 0x7F000000u}) {
        for (std::uint32_t count : {0u, 1u, 2u, 5u, 0xFFFFFFFFu}) {
            auto variant = archive;
            for (int i = 0; i < 4; ++i) {
                variant[13 + i] = static_cast<std::uint8_t>(offset >> (24 - 8 * i));
                variant[17 + i] = static_cast<std::uint8_t>(count >> (24 - 8 * i));
            }
            inputs.push_back(variant);
        }
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 2000; ++round) {
        inputs.push_back(archive);
        for (int i = 0; i < 8; ++i)
            inputs.back()[random() % archive.size()] = static_cast<std::uint8_t>(random());
    }
    for (const auto& input : inputs) {
        auto table = readCcfTable(input);
        if (!table.ok())
            continue;
        // The leading bytes tableBytes names, read from the header alone, give the same table.
        const auto header = readCcfTable(platform::ByteView(input).first(std::min<std::size_t>(input.size(), 32)));
        ASSERT_TRUE(header.ok());
        const auto leading = readCcfTable(
            platform::ByteView(input).first(static_cast<std::size_t>(tableBytes(header.value(), input.size()))));
        ASSERT_TRUE(leading.ok());
        EXPECT_EQ(leading->entries.size(), table->entries.size());
        EXPECT_EQ(leading->missingEntries(), table->missingEntries());
        for (std::size_t i = 0; i < std::min(leading->entries.size(), table->entries.size()); ++i) {
            EXPECT_EQ(leading->entries[i].FileName, table->entries[i].FileName);
            EXPECT_EQ(leading->entries[i].Offset, table->entries[i].Offset);
            EXPECT_EQ(leading->entries[i].Size, table->entries[i].Size);
            EXPECT_EQ(leading->entries[i].OrigSize, table->entries[i].OrigSize);
        }
        for (const auto& entry : table->entries) {
            auto data = memberData(input, entry);
            if (data.ok()) {
                EXPECT_LE(data->data() + data->size(), input.data() + input.size());
            }
        }
    }
}

} // namespace
