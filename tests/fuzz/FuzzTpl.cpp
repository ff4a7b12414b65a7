// Any bytes as a TPL: reading must fail cleanly or give images of the declared size.
#include <cstdlib>

#include "tools/TplFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto images = tools::decodeTpl(platform::ByteView(data, size));
    if (images.ok()) {
        for (const auto& image : *images) {
            if (image.pixels.size() != std::size_t{image.width} * image.height * 4)
                std::abort();
        }
    }
    return 0;
}
