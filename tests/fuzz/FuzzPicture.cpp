// Any bytes as a ".tga" picture through the picture adapter: the header check in front of FreeImage
// must refuse what FreeImage would read past or allocate wildly for, so loading fails cleanly or gives
// a picture of the header's size.
#include <cstdlib>

#include "textures/ImageAdapter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto picture = textures::pictureFromFileBytes(platform::ByteView(data, size), "fuzz.tga");
    if (picture.ok() && size >= 16) {
        const int width = data[12] | (data[13] << 8);
        const int height = data[14] | (data[15] << 8);
        if (picture->width() != width || picture->height() != height)
            std::abort();
    }
    return 0;
}
