// Any bytes as a colour scheme file: parsing fails cleanly or gives a scheme that the writer turns into
// text that parses back to the same colours.
#include <cstdlib>

#include "banner_editor/ColorScheme.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto scheme = banner_editor::parseScheme(platform::ByteView(data, size));
    if (!scheme.ok())
        return 0;
    const auto again = banner_editor::parseScheme(banner_editor::formatScheme(*scheme));
    if (!again.ok() || *again != *scheme)
        std::abort();
    return 0;
}
