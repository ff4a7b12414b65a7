// Any bytes as an LZ77 stream must decode or fail cleanly; any bytes compressed must decode back.
#include <cstdlib>

#include "tools/Lz77.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const platform::ByteView input(data, size);
    (void)tools::decompressLz77(input).ok();
    const auto packed = tools::compressLz77(input);
    if (!packed.ok())
        std::abort();
    const auto back = tools::decompressLz77(*packed);
    if (!back.ok() || *back != platform::Bytes(input.begin(), input.end()))
        std::abort();
    return 0;
}
