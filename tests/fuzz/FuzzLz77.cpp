// Any bytes as an LZ77 stream must decode or fail cleanly; any bytes compressed must decode back.
// The optimal compressor is the slow path (every position's matches over the whole window), so only
// the input's first COMPRESSED_PREFIX bytes are compressed: enough for every match length and distance
// the format has, and fast enough for a thousand inputs a second.
#include <algorithm>
#include <cstdlib>

#include "tools/Lz77.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const platform::ByteView input(data, size);
    (void)tools::decompressLz77(input).ok();
    constexpr std::size_t COMPRESSED_PREFIX = 3 * tools::LZ77_WINDOW;
    const platform::ByteView plain = input.first(std::min(size, COMPRESSED_PREFIX));
    const auto packed = tools::compressLz77(plain);
    if (!packed.ok())
        std::abort();
    const auto back = tools::decompressLz77(*packed);
    if (!back.ok() || *back != platform::Bytes(plain.begin(), plain.end()))
        std::abort();
    return 0;
}
