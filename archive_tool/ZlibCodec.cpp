#include "archive_tool/ZlibCodec.h"

#include <algorithm>
#include <limits>
#include <new>

#include <zlib.h>

#include "archive_tool/CcfFormat.h"

namespace archive_tool {
namespace {

using platform::ErrorKind;

// Deflate never expands more than about 1032:1; a stream of n bytes therefore cannot inflate to
// more than this, and a declared size beyond it is not allocated up front.
constexpr std::uint64_t MAX_INFLATE_RATIO = 1032;
constexpr std::uint64_t INFLATE_SLACK = 64 * 1024;
constexpr std::size_t DEFLATE_CHUNK = 256 * 1024;

// Ends a zlib stream on every way out of the function that started it.
struct DeflateGuard
{
    z_stream* stream;
    ~DeflateGuard() { deflateEnd(stream); }
};
struct InflateGuard
{
    z_stream* stream;
    ~InflateGuard() { inflateEnd(stream); }
};

} // namespace

platform::Error compressionError(int zlibResult)
{
    const std::string title(COMPRESSION_ERROR_TITLE);
    switch (zlibResult) {
    case Z_MEM_ERROR:
        return platform::makeError(ErrorKind::WriteFailed, "Insufficient memory", title);
    case Z_BUF_ERROR:
        return platform::makeError(ErrorKind::WriteFailed, "Buffer too small", title);
    default:
        return platform::makeError(ErrorKind::BadFormat, "Input file corrupted", title);
    }
}

platform::Result<void> appendCompressed(platform::ByteView source, platform::Bytes& out)
{
    if (source.size() > std::numeric_limits<uInt>::max())
        return compressionError(Z_MEM_ERROR);
    z_stream zs{};
    if (deflateInit(&zs, Z_DEFAULT_COMPRESSION) != Z_OK)
        return compressionError(Z_MEM_ERROR);
    DeflateGuard guard{&zs};
    // compress() hands over the whole input with Z_FINISH; doing the same gives the same bytes.
    zs.next_in = const_cast<Bytef*>(source.data());
    zs.avail_in = static_cast<uInt>(source.size());
    const std::size_t start = out.size(); // on failure out is cut back to what it held
    std::size_t used = start;
    try {
        for (;;) {
            // Stay inside the room the caller reserved, so the bytes already in out never move.
            const std::size_t room = out.capacity() - used;
            const std::size_t chunk = room > 0 ? std::min(room, DEFLATE_CHUNK) : DEFLATE_CHUNK;
            out.resize(used + chunk);
            zs.next_out = out.data() + used;
            zs.avail_out = static_cast<uInt>(chunk);
            const int ret = deflate(&zs, Z_FINISH);
            used += chunk - zs.avail_out;
            if (ret == Z_STREAM_END)
                break;
            if (ret != Z_OK && ret != Z_BUF_ERROR) {
                out.resize(start);
                return compressionError(ret);
            }
        }
    } catch (const std::bad_alloc&) {
        out.resize(start);
        return compressionError(Z_MEM_ERROR);
    }
    out.resize(used);
    return {};
}

platform::Result<platform::Bytes> inflateExactly(platform::ByteView stream, std::uint32_t declaredSize)
{
    if (stream.size() > std::numeric_limits<uInt>::max())
        return compressionError(Z_DATA_ERROR);
    const std::uint64_t reachable = std::uint64_t{stream.size()} * MAX_INFLATE_RATIO + INFLATE_SLACK;
    platform::Bytes out;
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        return compressionError(Z_MEM_ERROR);
    InflateGuard guard{&zs};
    zs.next_in = const_cast<Bytef*>(stream.data());
    zs.avail_in = static_cast<uInt>(stream.size());

    std::size_t produced = 0;
    std::uint8_t probe = 0;
    bool probing = false; // the declared bytes are all there; any further byte is one too many
    try {
        out.resize(static_cast<std::size_t>(std::min<std::uint64_t>(declaredSize, reachable)));
        for (;;) {
            if (!probing && produced == out.size()) {
                if (out.size() < declaredSize)
                    out.resize(std::min<std::size_t>(declaredSize, std::max<std::size_t>(out.size() * 2, 1 << 16)));
                else
                    probing = true;
            }
            if (probing) {
                zs.next_out = &probe;
                zs.avail_out = 1;
            } else {
                zs.next_out = out.data() + produced;
                zs.avail_out = static_cast<uInt>(out.size() - produced);
            }
            const int ret = inflate(&zs, Z_NO_FLUSH);
            if (probing && zs.avail_out == 0)
                return compressionError(Z_DATA_ERROR);
            if (!probing)
                produced = static_cast<std::size_t>(zs.next_out - out.data());
            if (ret == Z_STREAM_END)
                break;
            if (ret == Z_OK)
                continue;
            if (ret == Z_MEM_ERROR)
                return compressionError(Z_MEM_ERROR);
            // Z_BUF_ERROR with room left means the input ran out before the stream ended.
            if (ret == Z_BUF_ERROR && zs.avail_out == 0)
                continue;
            return compressionError(Z_DATA_ERROR);
        }
    } catch (const std::bad_alloc&) {
        return compressionError(Z_MEM_ERROR);
    }
    if (produced != declaredSize)
        return compressionError(Z_DATA_ERROR);
    out.resize(produced);
    return out;
}

} // namespace archive_tool
