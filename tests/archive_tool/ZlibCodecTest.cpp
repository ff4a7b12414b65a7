#include "archive_tool/ZlibCodec.h"

#include <gtest/gtest.h>

#include <random>
#include <zlib.h>

namespace {

using namespace archive_tool;

platform::Bytes zlibCompress(const platform::Bytes& source)
{
    uLongf length = compressBound(static_cast<uLong>(source.size()));
    platform::Bytes out(length);
    EXPECT_EQ(compress(out.data(), &length, source.data(), static_cast<uLong>(source.size())), Z_OK);
    out.resize(length);
    return out;
}

platform::Bytes randomBytes(std::size_t n, unsigned seed)
{
    std::mt19937 random(seed);
    platform::Bytes out(n);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(random());
    return out;
}

platform::Bytes text(std::size_t n)
{
    const std::string line = "The quick brown fox jumps over the lazy dog 0123456789\n";
    platform::Bytes out;
    while (out.size() < n)
        out.insert(out.end(), line.begin(), line.end());
    out.resize(n);
    return out;
}

void expectCorrupted(const platform::Result<platform::Bytes>& result, const char* what)
{
    ASSERT_FALSE(result.ok()) << what;
    EXPECT_EQ(result.error().message, "Input file corrupted") << what;
    EXPECT_EQ(result.error().title, "Compression Error") << what;
}

TEST(ZlibCodec, CompressesExactlyAsZlibCompressDoes)
{
    const std::vector<std::pair<const char*, platform::Bytes>> inputs = {
        {"empty", {}},
        {"one byte", {42}},
        {"text", text(100000)},
        {"random, several output chunks", randomBytes(700000, 7)},
    };
    for (const auto& [what, input] : inputs) {
        platform::Bytes out = {1, 2, 3}; // bytes already there stay in front
        ASSERT_TRUE(appendCompressed(input, out).ok()) << what;
        platform::Bytes expected = {1, 2, 3};
        const auto stream = zlibCompress(input);
        expected.insert(expected.end(), stream.begin(), stream.end());
        EXPECT_EQ(out, expected) << what;
    }
}

TEST(ZlibCodec, InflatesStreamsOfTheDeclaredSize)
{
    for (const auto& input : {platform::Bytes{}, platform::Bytes{9}, text(300000), randomBytes(70000, 3)}) {
        auto inflated = inflateExactly(zlibCompress(input), static_cast<std::uint32_t>(input.size()));
        ASSERT_TRUE(inflated.ok()) << input.size();
        EXPECT_EQ(inflated.value(), input);
    }
    // Bytes after the end of the stream are ignored, as uncompress() ignores them.
    auto stream = zlibCompress(text(500));
    stream.insert(stream.end(), 31, 0);
    auto inflated = inflateExactly(stream, 500);
    ASSERT_TRUE(inflated.ok());
    EXPECT_EQ(inflated.value(), text(500));
}

TEST(ZlibCodec, AStreamOfAnotherSizeThanDeclaredIsCorrupted)
{
    const auto input = text(1000);
    const auto stream = zlibCompress(input);
    expectCorrupted(inflateExactly(stream, 999), "one byte more than declared");
    expectCorrupted(inflateExactly(stream, 1001), "one byte fewer than declared");
    expectCorrupted(inflateExactly(stream, 0), "declared empty");
    expectCorrupted(inflateExactly(zlibCompress({}), 1), "empty stream declared as one byte");
}

TEST(ZlibCodec, AHugeDeclaredSizeIsNotAllocated)
{
    // Ten bytes declared as 4 GiB: allocating (and zero-filling) the declared size would take
    // seconds and gigabytes; the stream cannot produce more than about a thousand times its length.
    const auto stream = zlibCompress(text(10));
    expectCorrupted(inflateExactly(stream, 0xFFFFFFFFu), "4 GiB declared");
    // A stream that really is large still inflates when its size is declared right.
    const platform::Bytes zeros(20 * 1024 * 1024, 0);
    auto inflated = inflateExactly(zlibCompress(zeros), static_cast<std::uint32_t>(zeros.size()));
    ASSERT_TRUE(inflated.ok());
    EXPECT_EQ(inflated->size(), zeros.size());
}

TEST(ZlibCodec, CutOrDamagedStreamsAreCorrupted)
{
    const auto input = text(5000);
    const auto stream = zlibCompress(input);
    for (std::size_t length = 0; length < stream.size(); ++length) {
        const platform::Bytes cut(stream.begin(), stream.begin() + static_cast<std::ptrdiff_t>(length));
        expectCorrupted(inflateExactly(cut, 5000), "cut short");
    }
    auto badChecksum = stream;
    badChecksum.back() ^= 1;
    expectCorrupted(inflateExactly(badChecksum, 5000), "checksum");
    expectCorrupted(inflateExactly(randomBytes(300, 11), 5000), "random bytes");
    std::mt19937 random(99);
    for (int round = 0; round < 500; ++round) {
        auto damaged = stream;
        damaged[random() % damaged.size()] ^= static_cast<std::uint8_t>(1 + random() % 255);
        auto result = inflateExactly(damaged, 5000);
        if (result.ok()) {
            EXPECT_EQ(result->size(), 5000u);
        }
    }
}

TEST(ZlibCodec, ResultTextsAndTitle)
{
    EXPECT_EQ(compressionError(Z_DATA_ERROR).message, "Input file corrupted");
    EXPECT_EQ(compressionError(Z_MEM_ERROR).message, "Insufficient memory");
    EXPECT_EQ(compressionError(Z_BUF_ERROR).message, "Buffer too small");
    EXPECT_EQ(compressionError(Z_BUF_ERROR).title, "Compression Error");
}

} // namespace
