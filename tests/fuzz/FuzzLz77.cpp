// Any bytes as an LZ77 stream must decode or fail cleanly; any bytes compressed must decode back.
//
// The work per input is capped so the target runs thousands of inputs a second: a stream is decoded
// from at most its first DECODED_PREFIX bytes (every header form, flag pattern and reference fits in
// far less, and a longer stream only repeats them while its output grows towards 16 MiB), and the
// optimal compressor, the slow path, sees at most COMPRESSED_PREFIX bytes. Long inputs, the window's
// far end and runs longer than a window are the unit tests' (tests/tools/Lz77Test.cpp).
#include <algorithm>
#include <cstdlib>

#include "tools/Lz77.h"

namespace {

constexpr std::size_t DECODED_PREFIX = 16 * 1024;
constexpr std::size_t COMPRESSED_PREFIX = 256;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const platform::ByteView input(data, size);
    (void)tools::decompressLz77(input.first(std::min(size, DECODED_PREFIX))).ok();
    const platform::ByteView plain = input.first(std::min(size, COMPRESSED_PREFIX));
    const auto packed = tools::compressLz77(plain);
    if (!packed.ok())
        std::abort();
    const auto back = tools::decompressLz77(*packed);
    if (!back.ok() || *back != platform::Bytes(plain.begin(), plain.end()))
        std::abort();
    return 0;
}
