// Any text as a converter script: parsing must fail cleanly or give references that all resolve.
#include <cstdlib>

#include "tools/TcsScript.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto script = tools::parseScript(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.tcs");
    if (!script.ok())
        return 0;
    for (const auto& [n, texture] : script->textures) {
        const auto image = script->images.find(texture.image);
        if (image == script->images.end() || !script->files.contains(image->second.colourFile))
            std::abort();
    }
    return 0;
}
