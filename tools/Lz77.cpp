#include "Lz77.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <string>

#include "platform/ByteReader.h"

namespace tools {

using platform::Bytes;
using platform::ByteView;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

constexpr std::size_t MAX_HASH_BITS = 16;
constexpr std::size_t MIN_HASH_BITS = 8;
constexpr std::uint32_t NO_POSITION = std::numeric_limits<std::uint32_t>::max();
// Chains only need to reach one window back; a ring twice the window keeps every link that is followed.
constexpr std::size_t RING = 2 * LZ77_WINDOW;

struct Match
{
    std::uint16_t length = 0; // 0 when no match of at least LZ77_MIN_MATCH bytes
    std::uint16_t distance = 0;
};

// Hash chains over prefixes of one length: every earlier position whose first `length` bytes hash
// alike, nearest first.
class PrefixChains
{
public:
    // The table grows with the input up to 2^16 heads: a short input does not pay for clearing (and
    // the system for mapping) a table sized for megabytes. Its size only changes how many unrelated
    // candidates share a chain, never which matches are found.
    PrefixChains(std::size_t length, std::size_t inputSize)
        : m_length(length), m_hashBits(hashBitsFor(inputSize)), m_head(std::size_t{1} << m_hashBits, NO_POSITION),
          m_previous(std::min(RING, std::bit_ceil(inputSize)), NO_POSITION), m_ringMask(m_previous.size() - 1)
    {
    }

    std::size_t length() const { return m_length; }

    std::uint32_t hash(const std::uint8_t* p) const
    {
        std::uint32_t h = 0x811C9DC5u;
        for (std::size_t i = 0; i < m_length; ++i)
            h = (h ^ p[i]) * 0x01000193u;
        return (h * 2654435761u) >> (32 - m_hashBits);
    }
    std::uint32_t first(std::uint32_t h) const { return m_head[h]; }
    std::uint32_t next(std::uint32_t position) const { return m_previous[position & m_ringMask]; }
    void insert(std::uint32_t h, std::uint32_t position)
    {
        m_previous[position & m_ringMask] = m_head[h];
        m_head[h] = position;
    }

private:
    static std::size_t hashBitsFor(std::size_t inputSize)
    {
        std::size_t bits = MIN_HASH_BITS;
        while (bits < MAX_HASH_BITS && (std::size_t{1} << bits) < inputSize)
            ++bits;
        return bits;
    }

    std::size_t m_length;
    std::size_t m_hashBits;
    std::vector<std::uint32_t> m_head;
    std::vector<std::uint32_t> m_previous;
    std::size_t m_ringMask; // the ring's size is a power of two
};

// Run-length shortcut. A position p where in[p - 1] through in[p + 17] are one byte repeated has the
// longest match the format allows at the nearest distance there is, 1: that is its answer without a
// search. Such positions come in one stretch
// per run of a byte: from pos to the returned position (the run's end less 18). Returns pos itself
// when the stretch starting at pos is not longer than one position (then pos is searched as usual).
//
// The chains need only the stretch's last position: any earlier one starts with the same 18 bytes,
// so it hashes alike on every chain and matches exactly as far, and the last one is nearer to every
// later position; a search that preferred the earlier one could never have picked it, since among
// equally long matches the nearest wins. So 1 MiB of zeros costs a scan instead of a search per byte.
std::size_t lastOfRun(ByteView in, std::size_t pos)
{
    const std::size_t n = in.size();
    if (pos == 0 || pos + LZ77_MAX_MATCH > n || in[pos] != in[pos - 1])
        return pos;
    const std::uint8_t value = in[pos];
    std::size_t end = pos + 1;
    while (end < n && in[end] == value)
        ++end;
    return end - pos > LZ77_MAX_MATCH ? end - LZ77_MAX_MATCH : pos;
}

// The longest match at every position over the whole window; among equally long ones the nearest.
//
// Chains are kept for prefixes of 18, 12, 6 and 3 bytes and searched from the longest. Any match at
// least as long as a chain's prefix is on that chain, so when the longer chain gives such a match its
// best is the longest overall; otherwise every match is shorter than that prefix and the next chain is
// searched with that bound. Only reaching the bound ends a search early, so the result is exact, while
// data with few distinct bytes (two-colour pictures) no longer walks thousands of short candidates.
std::vector<Match> longestMatches(ByteView in)
{
    const std::size_t n = in.size();
    std::vector<Match> matches(n);
    if (n < LZ77_MIN_MATCH)
        return matches;
    const std::uint8_t* data = in.data();
    std::vector<PrefixChains> levels;
    for (const std::size_t length : {LZ77_MAX_MATCH, std::size_t{12}, std::size_t{6}, LZ77_MIN_MATCH})
        levels.emplace_back(length, n);
    std::vector<std::uint32_t> hashes(levels.size());

    for (std::size_t pos = 0; pos + LZ77_MIN_MATCH <= n; ++pos) {
        if (const std::size_t last = lastOfRun(in, pos); last != pos) {
            // Inside a long run every position's longest match is the longest length at distance 1;
            // only the run's last such position goes on the chains (see lastOfRun).
            std::fill(matches.begin() + static_cast<std::ptrdiff_t>(pos),
                      matches.begin() + static_cast<std::ptrdiff_t>(last) + 1,
                      Match{static_cast<std::uint16_t>(LZ77_MAX_MATCH), 1});
            for (auto& chains : levels)
                chains.insert(chains.hash(data + last), static_cast<std::uint32_t>(last));
            pos = last;
            continue;
        }
        const std::uint8_t* b = data + pos;
        std::size_t bound = std::min(LZ77_MAX_MATCH, n - pos); // no match can be longer
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        bool found = false; // the longest match is known
        for (std::size_t level = 0; level < levels.size(); ++level) {
            const PrefixChains& chains = levels[level];
            if (pos + chains.length() > n)
                continue;
            hashes[level] = chains.hash(b);
            // A match found on a longer chain through a hash collision proves nothing about this chain,
            // so only a search that covered every candidate (or reached the bound) ends the search.
            if (found || bestLength == bound)
                continue;
            for (std::uint32_t cand = chains.first(hashes[level]); cand != NO_POSITION && pos - cand <= LZ77_WINDOW;
                 cand = chains.next(cand)) {
                const std::uint8_t* a = data + cand;
                // A candidate that cannot beat the best differs at the best length.
                if (bestLength > 0 && a[bestLength] != b[bestLength])
                    continue;
                std::size_t length = 0;
                while (length < bound && a[length] == b[length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = pos - cand;
                    if (length == bound)
                        break;
                }
            }
            if (bestLength >= chains.length())
                found = true;
            else
                bound = std::min(bound, chains.length() - 1);
        }
        if (bestLength >= LZ77_MIN_MATCH)
            matches[pos] = {static_cast<std::uint16_t>(bestLength), static_cast<std::uint16_t>(bestDistance)};
        for (std::size_t level = 0; level < levels.size(); ++level) {
            if (pos + levels[level].length() <= n)
                levels[level].insert(hashes[level], static_cast<std::uint32_t>(pos));
        }
    }
    return matches;
}

// An item of a parse: a literal (length 0) or a reference.
struct Item
{
    std::uint16_t length;
    std::uint16_t distance;
};

Bytes encodeItems(ByteView in, const std::vector<Item>& items)
{
    platform::ByteWriter out;
    out.u8(LZ77_TYPE);
    out.u8(static_cast<std::uint8_t>(in.size())).u8(static_cast<std::uint8_t>(in.size() >> 8));
    out.u8(static_cast<std::uint8_t>(in.size() >> 16));
    Bytes& bytes = out.data();
    std::size_t pos = 0;
    std::size_t flagAt = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i % 8 == 0) {
            flagAt = bytes.size();
            bytes.push_back(0);
        }
        const Item& item = items[i];
        if (item.length == 0) {
            bytes.push_back(in[pos]);
            ++pos;
        } else {
            bytes[flagAt] |= static_cast<std::uint8_t>(0x80 >> (i % 8));
            const unsigned d = item.distance - 1u;
            bytes.push_back(static_cast<std::uint8_t>(((item.length - LZ77_MIN_MATCH) << 4) | (d >> 8)));
            bytes.push_back(static_cast<std::uint8_t>(d));
            pos += item.length;
        }
    }
    out.alignTo(4);
    return out.take();
}

Result<void> checkSize(ByteView input)
{
    if (input.size() > LZ77_MAX_SIZE)
        return makeError(ErrorKind::BadArgument, "too large for LZ77 type 0x10 (" + std::to_string(input.size()) +
                                                     " bytes; the format holds at most 16777215)");
    return {};
}

// Messages complete "<file> is ..." (see Lz77.h).
platform::Error notLz77(const std::string& why)
{
    return makeError(ErrorKind::BadFormat, "not an LZ77 type 0x10 stream (" + why + ")");
}

platform::Error bad(const std::string& what)
{
    return makeError(ErrorKind::BadFormat, "a damaged LZ77 stream: " + what);
}

} // namespace

Result<Bytes> compressLz77(ByteView input)
{
    if (auto ok = checkSize(input); !ok)
        return ok.error();
    const std::size_t n = input.size();
    const std::vector<Match> matches = longestMatches(input);

    // cost[i]: fewest bits that encode input[i..]; a literal costs 9 bits, a reference 17. Every length
    // from 3 up to the longest match at i is available (a prefix of a match is a match).
    //
    // Inside a long run the costs repeat with the longest length: when positions i and i + 18 both
    // offer every length up to 18 and cost[k] = cost[k + 18] + 17 for the 18 positions after i, every
    // choice at i costs 17 bits more than the same choice at i + 18, so i takes that choice too. The
    // shortcut gives the very costs and choices of the full comparison, at a few steps per byte.
    constexpr std::size_t PERIOD = LZ77_MAX_MATCH;
    constexpr std::uint32_t REFERENCE_BITS = 17;
    std::vector<std::uint32_t> cost(n + 1, 0);
    std::vector<std::uint16_t> choice(n, 0);
    std::size_t periodic = 0; // how many positions from i + 1 on have cost[k] == cost[k + 18] + 17
    for (std::size_t i = n; i-- > 0;) {
        const bool repeats = i + 2 * PERIOD <= n && periodic >= PERIOD && matches[i].length == PERIOD &&
                             matches[i + PERIOD].length == PERIOD;
        if (repeats) {
            cost[i] = cost[i + PERIOD] + REFERENCE_BITS;
            choice[i] = choice[i + PERIOD];
            ++periodic;
            continue;
        }
        std::uint32_t best = cost[i + 1] + 9;
        std::uint16_t bestLength = 0;
        for (std::size_t length = LZ77_MIN_MATCH; length <= matches[i].length; ++length) {
            const std::uint32_t c = cost[i + length] + REFERENCE_BITS;
            if (c < best) {
                best = c;
                bestLength = static_cast<std::uint16_t>(length);
            }
        }
        cost[i] = best;
        choice[i] = bestLength;
        periodic = i + PERIOD <= n && best == cost[i + PERIOD] + REFERENCE_BITS ? periodic + 1 : 0;
    }

    std::vector<Item> items;
    for (std::size_t i = 0; i < n;) {
        if (choice[i] == 0) {
            items.push_back({0, 0});
            ++i;
        } else {
            items.push_back({choice[i], matches[i].distance});
            i += choice[i];
        }
    }
    return encodeItems(input, items);
}

Result<Bytes> compressLz77Greedy(ByteView input)
{
    if (auto ok = checkSize(input); !ok)
        return ok.error();
    const std::vector<Match> matches = longestMatches(input);
    std::vector<Item> items;
    for (std::size_t i = 0; i < input.size();) {
        if (matches[i].length == 0) {
            items.push_back({0, 0});
            ++i;
        } else {
            items.push_back({matches[i].length, matches[i].distance});
            i += matches[i].length;
        }
    }
    return encodeItems(input, items);
}

Result<Bytes> decompressLz77(ByteView input)
{
    if (input.size() >= 4 && std::equal(LZ77_MAGIC.begin(), LZ77_MAGIC.end(), input.begin()))
        input = input.subspan(4);
    platform::ByteReader in(input);
    const std::uint8_t type = in.u8();
    std::uint64_t size = in.u8();
    size |= std::uint64_t{in.u8()} << 8;
    size |= std::uint64_t{in.u8()} << 16;
    if (in.failed())
        return notLz77("it is " + std::to_string(input.size()) + " bytes long, shorter than the 4-byte header");
    if (type == LZ77_TYPE_LZ11)
        return notLz77("it is type 0x11, which is not supported");
    if (type != LZ77_TYPE)
        return notLz77("its type byte is " + platform::hexText(type) + ", not 0x10");
    if (size == 0 && in.remaining() >= 4) {
        size = in.le32();
        // A zero-size header followed only by padding is an empty stream.
        if (size == 0)
            return Bytes{};
    }
    // Each flag group of at most 17 bytes yields at most 8 * 18 = 144 bytes; refuse a declared size
    // the stream cannot reach before allocating for it.
    if (size > std::uint64_t{in.remaining()} * 144 / 17 + 144)
        return bad("declared size " + std::to_string(size) + " is more than " + std::to_string(in.remaining()) +
                   " compressed bytes can hold");

    Bytes out;
    out.reserve(size);
    while (out.size() < size) {
        const std::uint8_t flags = in.u8();
        for (int bit = 7; bit >= 0 && out.size() < size; --bit) {
            if ((flags & (1u << bit)) == 0) {
                const std::uint8_t literal = in.u8();
                if (in.failed())
                    break;
                out.push_back(literal);
                continue;
            }
            const std::uint8_t b0 = in.u8();
            const std::uint8_t b1 = in.u8();
            if (in.failed())
                break;
            const std::size_t length = (b0 >> 4) + LZ77_MIN_MATCH;
            const std::size_t distance = (((b0 & 0x0Fu) << 8) | b1) + 1u;
            if (distance > out.size())
                return bad("reference at output byte " + std::to_string(out.size()) + " reaches " +
                           std::to_string(distance) + " bytes back, before the start");
            // Byte by byte: the source may overlap the bytes being written.
            for (std::size_t k = 0; k < length && out.size() < size; ++k)
                out.push_back(out[out.size() - distance]);
        }
        if (in.failed())
            return bad("stream ends after " + std::to_string(out.size()) + " of " + std::to_string(size) + " bytes");
    }
    return out;
}

} // namespace tools
