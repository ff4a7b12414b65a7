#include "archive_tool/ZlibCodec.h"

#include <random>

#include <gtest/gtest.h>

#include "support/CcfBuilder.h"

namespace {

using namespace archive_tool;
using test_support::zlibStream;

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
    platform::Bytes out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>("The quick brown fox jumps over the lazy dog\n"[i % 44]);
    return out;
}

void expectCorrupted(const platform::Result<platform::Bytes>& result, const char* what)
{
    ASSERT_FALSE(result.ok()) << what;
    EXPECT_EQ(result.error().message, "Input file corrupted") << what;
    EXPECT_EQ(result.error().title, "Compression Error") << what;
}

TEST(ZlibCodec, CompressesAsZlibCompressDoesAndInflatesBack)
{
    for (const auto& input : {platform::Bytes{}, platform::Bytes{42}, text(100000), randomBytes(700000, 7)}) {
        platform::Bytes out = {1, 2, 3}; // bytes already there stay in front
        ASSERT_TRUE(appendCompressed(input, out).ok());
        platform::Bytes expected = {1, 2, 3};
        const auto stream = zlibStream(input);
        expected.insert(expected.end(), stream.begin(), stream.end());
        EXPECT_EQ(out, expected) << input.size();

        auto inflated = inflateExactly(stream, static_cast<std::uint32_t>(input.size()));
        ASSERT_TRUE(inflated.ok()) << input.size();
        EXPECT_EQ(inflated.value(), input);
    }
    // Bytes after the end of the stream are ignored, as uncompress() ignores them.
    auto padded = zlibStream(text(500));
    padded.insert(padded.end(), 31, 0);
    EXPECT_TRUE(inflateExactly(padded, 500).ok());
}

TEST(ZlibCodec, AStreamOfAnotherSizeThanDeclaredIsCorrupted)
{
    const auto stream = zlibStream(text(1000));
    expectCorrupted(inflateExactly(stream, 999), "one byte more than declared");
    expectCorrupted(inflateExactly(stream, 1001), "one byte fewer than declared");
    expectCorrupted(inflateExactly(stream, 0), "declared empty");
    expectCorrupted(inflateExactly(zlibStream({}), 1), "empty stream declared as one byte");
}

TEST(ZlibCodec, AHugeDeclaredSizeIsNotAllocated)
{
    // Ten bytes declared as 4 GiB: allocating (and zero-filling) the declared size would take
    // seconds and gigabytes; the stream cannot produce more than about a thousand times its length.
    expectCorrupted(inflateExactly(zlibStream(text(10)), 0xFFFFFFFFu), "4 GiB declared");
    // A stream that really is large still inflates when its size is declared right.
    const platform::Bytes zeros(20 * 1024 * 1024, 0);
    auto inflated = inflateExactly(zlibStream(zeros), static_cast<std::uint32_t>(zeros.size()));
    ASSERT_TRUE(inflated.ok());
    EXPECT_EQ(inflated->size(), zeros.size());
}

TEST(ZlibCodec, CutOrDamagedStreamsAreCorrupted)
{
    const auto stream = zlibStream(text(5000));
    for (std::size_t length = 0; length < stream.size(); ++length)
        expectCorrupted(inflateExactly(platform::ByteView(stream).first(length), 5000), "cut short");
    auto badChecksum = stream;
    badChecksum.back() ^= 1;
    expectCorrupted(inflateExactly(badChecksum, 5000), "checksum");
    expectCorrupted(inflateExactly(randomBytes(300, 11), 5000), "random bytes");
}

} // namespace
