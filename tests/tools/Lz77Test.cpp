#include "tools/Lz77.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

using namespace tools;
using platform::Bytes;

namespace {

Bytes bytesOf(const std::string& s)
{
    return Bytes(s.begin(), s.end());
}

Bytes randomBytes(std::size_t n, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    Bytes b(n);
    for (auto& v : b)
        v = static_cast<std::uint8_t>(rng());
    return b;
}

// English-like text: words drawn from a small vocabulary.
Bytes textBytes(std::size_t n)
{
    const char* words[] = {"the ",     "banner ", "texture ", "of ",  "a ",    "save ", "icon ", "is ",
                           "written ", "in ",     "blocks ",  "and ", "each ", "line ", "ends ", "here.\n"};
    std::mt19937 rng(3);
    std::string s;
    while (s.size() < n)
        s += words[rng() % 16];
    s.resize(n);
    return bytesOf(s);
}

Bytes compressed(const Bytes& input)
{
    auto r = compressLz77(input);
    EXPECT_TRUE(r.ok());
    return r.ok() ? *r : Bytes{};
}

} // namespace

TEST(Lz77, WritesThePublishedWorkedExamplesByteForByte)
{
    EXPECT_EQ(compressed(bytesOf("ABCABCABCABC")),
              (Bytes{0x10, 0x0C, 0x00, 0x00, 0x10, 0x41, 0x42, 0x43, 0x60, 0x02, 0x00, 0x00}));
    EXPECT_EQ(compressed(bytesOf("XXXXX")), (Bytes{0x10, 0x05, 0x00, 0x00, 0x40, 0x58, 0x10, 0x00}));
    EXPECT_EQ(compressed({}), (Bytes{0x10, 0x00, 0x00, 0x00}));
}

TEST(Lz77, RoundTripsOverlapsTheWholeWindowAndTheLongestMatch)
{
    Bytes farRepeat = randomBytes(4096, 1);
    const Bytes head(farRepeat.begin(), farRepeat.begin() + 40);
    farRepeat.insert(farRepeat.end(), head.begin(), head.end()); // only match: exactly 4096 back
    Bytes tooFar = randomBytes(4097, 2);
    tooFar.insert(tooFar.end(), tooFar.begin(), tooFar.begin() + 40); // 4097 back: out of reach

    const std::pair<const char*, Bytes> cases[] = {
        {"one byte", bytesOf("A")},
        {"two bytes", bytesOf("AB")},
        {"run of one byte", Bytes(10000, 0x55)},
        {"3-byte pattern", bytesOf(std::string(300, 'a') + "xyzxyzxyzxyzxyzxyz")},
        {"random", randomBytes(20000, 7)},
        {"text", textBytes(30000)},
        {"4096 back", farRepeat},
        {"4097 back", tooFar},
    };
    for (const auto& [name, input] : cases) {
        const Bytes packed = compressed(input);
        EXPECT_EQ(packed.size() % 4, 0u) << name;
        const auto back = decompressLz77(packed);
        ASSERT_TRUE(back.ok()) << name << ": " << back.error().message;
        EXPECT_EQ(*back, input) << name;
    }
    // The 4096-back repeat is stored as references (3 refs of 17 bits instead of 40 literals of 9).
    EXPECT_LT(compressed(farRepeat).size(), compressed(tooFar).size() - 30);

    // 36 equal bytes after one literal: two references of the longest length, 18, at distance 1.
    const Bytes packed = compressed(Bytes(37, 'Q'));
    ASSERT_EQ(packed.size(), 12u);
    EXPECT_EQ(packed[4], 0x60); // literal, ref, ref
    EXPECT_EQ(packed[6], 0xF0); // length 18 ...
    EXPECT_EQ(packed[7], 0x00); // ... distance 1

    // A hand-made stream with an 18-byte reference 4096 back.
    Bytes stream = {0x10};
    const std::size_t size = 4096 + 18;
    stream.insert(stream.end(), {static_cast<std::uint8_t>(size), static_cast<std::uint8_t>(size >> 8), 0});
    const Bytes literals = randomBytes(4096, 9);
    for (std::size_t i = 0; i < 4096; i += 8) {
        stream.push_back(0);
        stream.insert(stream.end(), literals.begin() + static_cast<std::ptrdiff_t>(i),
                      literals.begin() + static_cast<std::ptrdiff_t>(i + 8));
    }
    stream.insert(stream.end(), {0x80, 0xFF, 0xFF});
    const auto out = decompressLz77(stream);
    ASSERT_TRUE(out.ok());
    ASSERT_EQ(out->size(), size);
    EXPECT_TRUE(std::equal(out->begin() + 4096, out->end(), literals.begin()));
}

TEST(Lz77, OptimalParseIsNeverLargerThanGreedyAndSometimesSmaller)
{
    const Bytes inputs[] = {randomBytes(5000, 4), textBytes(20000), Bytes(5000, 0),
                            bytesOf("abcdebcdefghijcdefghijklabcdefghijkl" + std::string(50, 'z') + "abcdefghijkl")};
    for (const auto& input : inputs) {
        const auto optimal = compressLz77(input);
        const auto greedy = compressLz77Greedy(input);
        ASSERT_TRUE(optimal.ok() && greedy.ok());
        EXPECT_LE(optimal->size(), greedy->size());
        EXPECT_EQ(*decompressLz77(*greedy), input);
    }
    // On text, taking a shorter match where it lets a longer one follow pays off.
    const auto text = textBytes(50000);
    EXPECT_LT(compressLz77(text)->size(), compressLz77Greedy(text)->size());
}

// The fewest bytes any parse can take, from a brute-force search of every distance at every position.
std::size_t smallestPossibleSize(const Bytes& in)
{
    const std::size_t n = in.size();
    std::vector<std::size_t> bits(n + 1, 0);
    for (std::size_t i = n; i-- > 0;) {
        std::size_t longest = 0;
        for (std::size_t d = 1; d <= std::min<std::size_t>(i, LZ77_WINDOW); ++d) {
            std::size_t len = 0;
            while (len < LZ77_MAX_MATCH && i + len < n && in[i + len] == in[i + len - d])
                ++len;
            longest = std::max(longest, len);
        }
        bits[i] = bits[i + 1] + 9;
        for (std::size_t len = LZ77_MIN_MATCH; len <= longest; ++len)
            bits[i] = std::min(bits[i], bits[i + len] + 17);
    }
    const std::size_t bytes = LZ77_HEADER_SIZE + (bits[0] + 7) / 8;
    return (bytes + 3) / 4 * 4;
}

TEST(Lz77, ReachesTheSmallestSizeOnDataWithFewDistinctBytes)
{
    std::mt19937 rng(8);
    auto drawn = [&](std::initializer_list<std::uint8_t> alphabet, std::size_t n, std::size_t unit) {
        const std::vector<std::uint8_t> symbols(alphabet);
        Bytes out;
        while (out.size() < n) {
            const std::uint8_t s = symbols[rng() % symbols.size()];
            for (std::size_t k = 0; k < unit; ++k)
                out.push_back(static_cast<std::uint8_t>(s + k));
        }
        return out;
    };
    const Bytes inputs[] = {drawn({'a', 'b'}, 9000, 1), drawn({'a', 'b', 'c', 'd'}, 9000, 1),
                            drawn({0x80, 0xFF}, 9000, 2), drawn({1, 2, 3}, 9000, 5), textBytes(9000)};
    for (const auto& input : inputs)
        EXPECT_EQ(compressed(input).size(), smallestPossibleSize(input));
}

// The greedy stream as a brute-force search writes it: at each position the longest match in the
// window (the nearest of equally long ones), else a literal.
Bytes bruteForceGreedy(const Bytes& in)
{
    const std::size_t n = in.size();
    Bytes out = {LZ77_TYPE, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8),
                 static_cast<std::uint8_t>(n >> 16)};
    std::size_t flagAt = 0;
    for (std::size_t i = 0, item = 0; i < n; ++item) {
        if (item % 8 == 0) {
            flagAt = out.size();
            out.push_back(0);
        }
        std::size_t longest = 0, distance = 0;
        for (std::size_t d = 1; d <= std::min<std::size_t>(i, LZ77_WINDOW); ++d) {
            std::size_t len = 0;
            while (len < LZ77_MAX_MATCH && i + len < n && in[i + len] == in[i + len - d])
                ++len;
            if (len > longest)
                longest = len, distance = d;
        }
        if (longest < LZ77_MIN_MATCH) {
            out.push_back(in[i++]);
            continue;
        }
        out[flagAt] |= static_cast<std::uint8_t>(0x80 >> (item % 8));
        out.push_back(static_cast<std::uint8_t>(((longest - LZ77_MIN_MATCH) << 4) | ((distance - 1) >> 8)));
        out.push_back(static_cast<std::uint8_t>(distance - 1));
        i += longest;
    }
    out.resize((out.size() + 3) / 4 * 4, 0);
    return out;
}

TEST(Lz77, LongRunsOfOneByteKeepTheNearestLongestMatchAndTheSmallestSize)
{
    // Runs just below, at and above the longest match, at the start, the end and inside other data,
    // a later run that can reach back into an earlier one, and runs of different bytes side by side.
    const auto withRun = [](std::size_t before, std::size_t run, std::size_t after, std::uint8_t value) {
        Bytes out = randomBytes(before, static_cast<std::uint32_t>(run));
        out.insert(out.end(), run, value);
        const Bytes tail = randomBytes(after, static_cast<std::uint32_t>(run + 1));
        out.insert(out.end(), tail.begin(), tail.end());
        return out;
    };
    std::vector<Bytes> inputs;
    for (const std::size_t run : {17, 18, 19, 20, 36, 37, 55, 3000})
        inputs.push_back(withRun(700, run, 500, 0x00));
    inputs.push_back(withRun(0, 2000, 300, 0xFF));
    inputs.push_back(withRun(400, 2000, 0, 0x41));
    Bytes twice = withRun(300, 1000, 200, 0x00);
    const Bytes again = withRun(0, 25, 100, 0x00);
    twice.insert(twice.end(), again.begin(), again.end());
    inputs.push_back(twice);
    Bytes sideBySide(500, 0x11);
    sideBySide.insert(sideBySide.end(), 500, 0x12);
    sideBySide.insert(sideBySide.end(), 19, 0x11);
    inputs.push_back(sideBySide);

    for (std::size_t k = 0; k < inputs.size(); ++k) {
        const Bytes& input = inputs[k];
        EXPECT_EQ(*compressLz77Greedy(input), bruteForceGreedy(input)) << "input " << k;
        const Bytes packed = compressed(input);
        EXPECT_EQ(packed.size(), smallestPossibleSize(input)) << "input " << k;
        EXPECT_EQ(*decompressLz77(packed), input) << "input " << k;
    }
}

TEST(Lz77, DecompressRejectsMalformedStreams)
{
    struct Case
    {
        const char* name;
        Bytes stream;
        const char* messagePart;
    };
    const Case cases[] = {
        {"empty", {}, "header"},
        {"short header", {0x10, 0x05}, "header"},
        {"type 0x11", {0x11, 0x05, 0x00, 0x00, 0x00, 1, 2, 3, 4, 5}, "0x11"},
        {"Huffman", {0x24, 0x05, 0x00, 0x00, 0x00}, "0x24"},
        {"reference before start", {0x10, 0x05, 0x00, 0x00, 0x40, 0x58, 0x10, 0x01}, "before the start"},
        {"ends early", {0x10, 0x08, 0x00, 0x00, 0x00, 0x41, 0x42}, "ends after 2"},
        {"size beyond data", {0x10, 0xFF, 0xFF, 0xFF, 0x00, 0x41}, "declared size"},
    };
    for (const auto& c : cases) {
        const auto r = decompressLz77(c.stream);
        ASSERT_FALSE(r.ok()) << c.name;
        EXPECT_NE(r.error().message.find(c.messagePart), std::string::npos) << c.name << ": " << r.error().message;
    }
    // Every shorter copy of a valid stream fails cleanly.
    const Bytes packed = compressed(textBytes(600));
    std::size_t end = packed.size();
    while (packed[end - 1] == 0)
        --end; // padding is not needed to decode
    for (std::size_t n = 0; n + 1 < end; ++n)
        EXPECT_FALSE(decompressLz77(Bytes(packed.begin(), packed.begin() + static_cast<std::ptrdiff_t>(n))).ok()) << n;
}

TEST(Lz77, DecompressAcceptsTheVariantsWritersUse)
{
    const Bytes plain = {0x10, 0x05, 0x00, 0x00, 0x40, 0x58, 0x10, 0x00};
    Bytes magic = {'L', 'Z', '7', '7'};
    magic.insert(magic.end(), plain.begin(), plain.end());
    Bytes trailing = plain;
    trailing.insert(trailing.end(), {0xDE, 0xAD, 0xBE, 0xEF});
    // A reference running past the declared size is cut at the size.
    const Bytes overlong = {0x10, 0x03, 0x00, 0x00, 0x40, 0x58, 0xF0, 0x00};
    // A zero 24-bit size followed by a 32-bit one.
    const Bytes extended = {0x10, 0x00, 0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x61, 0x62};
    EXPECT_EQ(*decompressLz77(plain), bytesOf("XXXXX"));
    EXPECT_EQ(*decompressLz77(magic), bytesOf("XXXXX"));
    EXPECT_EQ(*decompressLz77(trailing), bytesOf("XXXXX"));
    EXPECT_EQ(*decompressLz77(overlong), bytesOf("XXX"));
    EXPECT_EQ(*decompressLz77(extended), bytesOf("ab"));
}

TEST(Lz77, DamagedStreamsNeverCrash)
{
    const Bytes packed = compressed(textBytes(3000));
    std::mt19937 rng(17);
    for (int round = 0; round < 3000; ++round) {
        Bytes damaged = packed;
        for (int i = 0; i < 3; ++i)
            damaged[rng() % damaged.size()] = static_cast<std::uint8_t>(rng());
        const auto r = decompressLz77(damaged);
        if (r.ok()) {
            EXPECT_LE(r->size(), 0xFFFFFFu);
        }
    }
}

TEST(Lz77, RefusesInputLargerThanTheHeaderHolds)
{
    const Bytes big(LZ77_MAX_SIZE + 1, 0);
    const auto r = compressLz77(big);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, platform::ErrorKind::BadArgument);
}

TEST(Lz77, ReadsRealBannerArchivesAndRecompressesThemSmaller)
{
    const auto folder = test_support::realDataFolder("lz77");
    if (folder.empty())
        GTEST_SKIP() << "real data folder absent";
    for (const char* stem : {"mkwsp_opening_meta_icon", "mkwsp_opening_meta_banner"}) {
        const Bytes original = test_support::readAll(folder / (std::string(stem) + ".LZ77"));
        const Bytes expected = test_support::readAll(folder / (std::string(stem) + ".decompressed.u8"));
        ASSERT_FALSE(original.empty());
        const auto unpacked = decompressLz77(original);
        ASSERT_TRUE(unpacked.ok()) << unpacked.error().message;
        EXPECT_EQ(*unpacked, expected);
        const Bytes repacked = compressed(expected);
        EXPECT_LE(repacked.size(), original.size()) << stem;
        EXPECT_EQ(*decompressLz77(repacked), expected);
    }
}
