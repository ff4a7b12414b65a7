#include "Lz77.h"

#include "platform/ByteReader.h"

#include <limits>
#include <string>

namespace tools {

using platform::Bytes;
using platform::ByteView;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

constexpr std::uint8_t LZ77_MAGIC[4] = {'L', 'Z', '7', '7'};
constexpr std::size_t HASH_BITS = 16;
constexpr std::uint32_t NO_POSITION = std::numeric_limits<std::uint32_t>::max();

struct Match
{
    std::uint16_t length = 0;   // 0 when no match of at least LZ77_MIN_MATCH bytes
    std::uint16_t distance = 0;
};

std::uint32_t hash3(const std::uint8_t* p)
{
    const std::uint32_t v = (std::uint32_t{p[0]} << 16) | (std::uint32_t{p[1]} << 8) | p[2];
    return (v * 2654435761u) >> (32 - HASH_BITS);
}

// The longest match at every position, searched over the whole window through hash chains of 3-byte
// prefixes. Among equally long matches the nearest one is kept. The search stops early only at the
// longest length the format can store, so no shorter result is ever taken for a longer one that exists.
std::vector<Match> longestMatches(ByteView in)
{
    const std::size_t n = in.size();
    std::vector<Match> matches(n);
    if (n < LZ77_MIN_MATCH)
        return matches;
    std::vector<std::uint32_t> head(std::size_t{1} << HASH_BITS, NO_POSITION);
    std::vector<std::uint32_t> previous(n, NO_POSITION);
    const std::uint8_t* data = in.data();

    for (std::size_t pos = 0; pos + LZ77_MIN_MATCH <= n; ++pos) {
        const std::uint32_t h = hash3(data + pos);
        const std::size_t limit = std::min(LZ77_MAX_MATCH, n - pos);
        std::size_t bestLength = 0;
        std::size_t bestDistance = 0;
        for (std::uint32_t cand = head[h]; cand != NO_POSITION && pos - cand <= LZ77_WINDOW; cand = previous[cand]) {
            const std::uint8_t* a = data + cand;
            const std::uint8_t* b = data + pos;
            // Cheap reject: a candidate that cannot beat the best differs at the best length.
            if (bestLength > 0 && (bestLength >= limit || a[bestLength] != b[bestLength]))
                continue;
            std::size_t length = 0;
            while (length < limit && a[length] == b[length])
                ++length;
            if (length > bestLength) {
                bestLength = length;
                bestDistance = pos - cand;
                if (length == limit)
                    break;
            }
        }
        if (bestLength >= LZ77_MIN_MATCH)
            matches[pos] = {static_cast<std::uint16_t>(bestLength), static_cast<std::uint16_t>(bestDistance)};
        previous[pos] = head[h];
        head[h] = static_cast<std::uint32_t>(pos);
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
        return makeError(ErrorKind::BadArgument, "input of " + std::to_string(input.size()) +
                                                     " bytes is larger than LZ77 type 0x10 can hold (16777215)");
    return {};
}

platform::Error bad(const std::string& what)
{
    return makeError(ErrorKind::BadFormat, "LZ77: " + what);
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
    std::vector<std::uint32_t> cost(n + 1, 0);
    std::vector<std::uint16_t> choice(n, 0);
    for (std::size_t i = n; i-- > 0;) {
        std::uint32_t best = cost[i + 1] + 9;
        std::uint16_t bestLength = 0;
        for (std::size_t length = LZ77_MIN_MATCH; length <= matches[i].length; ++length) {
            const std::uint32_t c = cost[i + length] + 17;
            if (c < best) {
                best = c;
                bestLength = static_cast<std::uint16_t>(length);
            }
        }
        cost[i] = best;
        choice[i] = bestLength;
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
    if (input.size() >= 4 && std::equal(LZ77_MAGIC, LZ77_MAGIC + 4, input.begin()))
        input = input.subspan(4);
    platform::ByteReader in(input);
    const std::uint8_t type = in.u8();
    std::uint64_t size = in.u8();
    size |= std::uint64_t{in.u8()} << 8;
    size |= std::uint64_t{in.u8()} << 16;
    if (in.failed())
        return bad("file shorter than the 4-byte header");
    if (type == LZ77_TYPE_LZ11)
        return bad("type 0x11 streams are not supported, only type 0x10");
    if (type != LZ77_TYPE)
        return bad("not an LZ77 type 0x10 stream (first byte 0x" +
                   std::string{"0123456789ABCDEF"[type >> 4], "0123456789ABCDEF"[type & 0xF]} + ")");
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
            return bad("stream ends after " + std::to_string(out.size()) + " of " + std::to_string(size) +
                       " bytes");
    }
    return out;
}

} // namespace tools
