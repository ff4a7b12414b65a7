// Any bytes as a TGA picture: reading must fail cleanly or give a picture of the declared size.
#include <cstdlib>

#include "tools/TgaFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto picture = tools::readTga(platform::ByteView(data, size));
    if (picture.ok() && picture->image.pixels.size() != std::size_t{picture->image.width} * picture->image.height * 4)
        std::abort();
    return 0;
}
