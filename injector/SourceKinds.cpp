#include "injector/SourceKinds.h"

#include <algorithm>
#include <string>

#include "injector/InjectorFormats.h"
#include "platform/PathText.h"
#include "tools/Lz77.h"

namespace injector {

namespace {

template <std::size_t N> bool startsWith(platform::ByteView bytes, const std::array<std::uint8_t, N>& mark)
{
    return bytes.size() >= N && std::equal(mark.begin(), mark.end(), bytes.begin());
}

platform::Error refused(const std::filesystem::path& path, const std::string& what)
{
    return platform::makeError(platform::ErrorKind::BadFormat,
                               platform::quoted(path) + " " + what + ". Nothing was written.", "Invalid Source File!");
}

const std::string NOT_A_TPL = "is not a TPL file (it does not start with 00 20 AF 30)";

} // namespace

platform::Result<void> checkSourceKind(platform::ByteView bytes, SourceKind kind, const std::filesystem::path& path)
{
    switch (kind) {
    case SourceKind::Tpl:
        if (!startsWith(bytes, TPL_MAGIC_BYTES))
            return refused(path, NOT_A_TPL);
        return {};
    case SourceKind::NesTpl:
        if (!startsWith(bytes, TPL_MAGIC_BYTES))
            return refused(path, NOT_A_TPL);
        // The signature is how the executable's texture is found again, by the next injection and
        // by the texture editor.
        if (!startsWith(bytes, NES_TPL_SIGNATURE))
            return refused(path, "is not a five-image save-icon TPL (its header does not read 00 20 AF 30 00 00 "
                                 "00 05 00 00 00 0C 00 00 00 34, as an NES title's does)");
        return {};
    case SourceKind::NeoGeoTpl:
        if (!startsWith(bytes, TPL_MAGIC_BYTES))
            return refused(path, NOT_A_TPL);
        if (bytes.size() < NEOGEO_TPL_HEADER_SIZE)
            return refused(path, "is " + std::to_string(bytes.size()) + " bytes long; a NeoGeo banner tpl has a " +
                                     std::to_string(NEOGEO_TPL_HEADER_SIZE) + "-byte header before its texture data");
        return {};
    case SourceKind::Lz77Tpl: {
        auto unpacked = tools::decompressLz77(bytes);
        if (!unpacked) {
            std::string why = unpacked.error().message;
            if (why.starts_with("LZ77: "))
                why.erase(0, 6);
            return refused(path, "is not an LZ77-compressed TPL (" + why + ")");
        }
        if (!startsWith(unpacked.value(), TPL_MAGIC_BYTES))
            return refused(path, "is LZ77-compressed but does not hold a TPL file");
        return {};
    }
    case SourceKind::Wte:
        if (!startsWith(bytes, WTE_MAGIC_BYTES))
            return refused(path, "is not a WTE file (it does not start with \"WTE\" 00)");
        return {};
    }
    return {};
}

bool isSaveBanner(platform::ByteView bytes)
{
    return startsWith(bytes, SAVE_BANNER_MAGIC);
}

} // namespace injector
