#include "textures/TextureContainers.h"

#include <algorithm>
#include <string>

#include "platform/ByteReader.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "textures/ContainerFormat.h"

namespace textures {
namespace fs = std::filesystem;
using platform::Bytes;
using platform::ByteView;
using platform::ErrorKind;
using platform::makeError;
using platform::Result;

namespace {

// Data files under the program folder.
constexpr const char* HEADERS_FOLDER = "headers";
constexpr const char* SINGLE_HEADER_FILE = "single.hdr";
constexpr const char* NEOGEO_HEADER_FILE = "neogeo.hdr";
// The texture editor's working folder and the TPL the readers leave there.
constexpr const char* TEMP_FOLDER = "temp";
constexpr const char* TEMP_TPL_FILE = "temp.tpl";

Result<Bytes> readTemplate(const fs::path& programFolder, const char* folder, const char* name)
{
    const fs::path path = programFolder / folder / name;
    auto bytes = platform::readFile(path);
    if (!bytes && bytes.error().kind == ErrorKind::NotFound)
        return makeError(ErrorKind::NotFound,
                         "The template " + platform::quoted(path) + " is missing; it ships in the program folder.");
    return bytes;
}

Result<fs::path> writeTempTpl(const fs::path& programFolder, ByteView tpl)
{
    const fs::path path = tempTplPath(programFolder);
    if (auto made = platform::createFolders(path.parent_path()); !made)
        return made.error();
    if (auto written = platform::writeFileAtomic(path, tpl); !written)
        return written.error();
    return path;
}

} // namespace

Result<Bytes> wteFromTpl(ByteView tpl, int width, int height)
{
    if (width < 0 || width > WTE_MAX_DIMENSION || height < 0 || height > WTE_MAX_DIMENSION)
        return makeError(ErrorKind::BadArgument, "A WTE holds textures of at most 255 x 255 pixels; " +
                                                     std::to_string(width) + " x " + std::to_string(height) +
                                                     " does not fit.");
    if (tpl.size() < SINGLE_TPL_HEADER_SIZE)
        return makeError(ErrorKind::BadFormat,
                         "The TPL is " + std::to_string(tpl.size()) + " bytes long, shorter than its 64-byte header.");
    Bytes wte(WTE_HEADER_SIZE, 0);
    std::copy(WTE_MAGIC_BYTES.begin(), WTE_MAGIC_BYTES.end(), wte.begin());
    wte[WTE_WIDTH] = static_cast<std::uint8_t>(width);
    wte[WTE_HEIGHT] = static_cast<std::uint8_t>(height);
    wte.insert(wte.end(), tpl.begin() + SINGLE_TPL_HEADER_SIZE, tpl.end());
    return wte;
}

Result<Bytes> tplFromWte(ByteView wte, ByteView singleHeader)
{
    if (wte.size() < WTE_HEADER_SIZE)
        return makeError(ErrorKind::BadFormat, "The WTE file is " + std::to_string(wte.size()) +
                                                   " bytes long, shorter than its 32-byte header.");
    if (singleHeader.size() != SINGLE_TPL_HEADER_SIZE)
        return makeError(ErrorKind::BadFormat, "The header template single.hdr is " +
                                                   std::to_string(singleHeader.size()) +
                                                   " bytes long; a one-image TPL header has 64.");
    Bytes tpl(singleHeader.begin(), singleHeader.end());
    // Byte 20, the height's high byte, stays as the template has it: a WTE stores only one byte.
    tpl[SINGLE_TPL_HEIGHT + 1] = wte[WTE_HEIGHT];
    tpl[SINGLE_TPL_WIDTH] = 0x00;
    tpl[SINGLE_TPL_WIDTH + 1] = wte[WTE_WIDTH];
    tpl.insert(tpl.end(), wte.begin() + WTE_HEADER_SIZE, wte.end());
    return tpl;
}

Result<Bytes> tplFromNeoGeoBanner(ByteView banner, ByteView neoGeoHeader)
{
    if (banner.size() < NEOGEO_TEXTURE_OFFSET)
        return makeError(ErrorKind::BadFormat, "The banner.bin is " + std::to_string(banner.size()) +
                                                   " bytes long; its texture data starts at byte 160.");
    if (neoGeoHeader.size() != NEOGEO_TPL_HEADER_SIZE)
        return makeError(ErrorKind::BadFormat, "The header template neogeo.hdr is " +
                                                   std::to_string(neoGeoHeader.size()) +
                                                   " bytes long; the NeoGeo banner TPL header has 416.");
    Bytes tpl(neoGeoHeader.begin(), neoGeoHeader.end());
    tpl.insert(tpl.end(), banner.begin() + NEOGEO_TEXTURE_OFFSET, banner.end());
    return tpl;
}

namespace {

constexpr FormatInfo SAVE_TEXTURE_BLOCKS = *formatInfo(static_cast<std::uint32_t>(TexFormat::RGB5A3));
constexpr std::uint64_t SAVE_BANNER_BYTES = textureDataSize(SAVE_TEXTURE_BLOCKS, SAVE_BANNER_WIDTH, SAVE_BANNER_HEIGHT);
constexpr std::uint64_t SAVE_ICON_BYTES = textureDataSize(SAVE_TEXTURE_BLOCKS, SAVE_ICON_SIZE, SAVE_ICON_SIZE);
static_assert(SAVE_BANNER_BYTES == 0x6000 && SAVE_ICON_BYTES == 0x1200);

} // namespace

std::optional<std::uint32_t> saveBannerIconCount(std::size_t bannerSize)
{
    if (bannerSize < NEOGEO_TEXTURE_OFFSET + SAVE_BANNER_BYTES + SAVE_ICON_BYTES)
        return std::nullopt;
    const std::uint64_t icons = (bannerSize - NEOGEO_TEXTURE_OFFSET - SAVE_BANNER_BYTES) / SAVE_ICON_BYTES;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(icons, SAVE_ICON_MAX_COUNT));
}

Bytes saveBannerTplHeader(std::uint32_t iconCount)
{
    const std::uint32_t count = 1 + std::clamp<std::uint32_t>(iconCount, 1, SAVE_ICON_MAX_COUNT);
    platform::ByteWriter out;
    out.be32(TPL_MAGIC).be32(count).be32(TPL_TABLE_OFFSET);
    for (std::uint32_t i = 0; i < count; ++i)
        out.be32(imageHeaderOffset(count, i)).be32(0); // no palettes
    std::uint64_t data = firstDataOffset(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::uint32_t width = i == 0 ? SAVE_BANNER_WIDTH : SAVE_ICON_SIZE;
        const std::uint32_t height = i == 0 ? SAVE_BANNER_HEIGHT : SAVE_ICON_SIZE;
        out.be16(static_cast<std::uint16_t>(height)).be16(static_cast<std::uint16_t>(width));
        out.be32(static_cast<std::uint32_t>(TexFormat::RGB5A3)).be32(static_cast<std::uint32_t>(data));
        out.be32(0).be32(0);                                 // wrap S, wrap T: clamp
        out.be32(TPL_FILTER_LINEAR).be32(TPL_FILTER_LINEAR); // min, mag filter
        out.be32(0).zeros(4);                                // LOD bias 0.0; edge, min, max LOD, unpacked
        data += i == 0 ? SAVE_BANNER_BYTES : SAVE_ICON_BYTES;
    }
    out.alignTo(TPL_DATA_ALIGNMENT);
    return out.take();
}

std::optional<Bytes> tplFromShortSaveBanner(ByteView banner)
{
    const auto icons = saveBannerIconCount(banner.size());
    if (!icons || *icons == SAVE_ICON_MAX_COUNT)
        return std::nullopt;
    Bytes tpl = saveBannerTplHeader(*icons);
    tpl.insert(tpl.end(), banner.begin() + NEOGEO_TEXTURE_OFFSET, banner.end());
    return tpl;
}

Result<Bytes> tplFromNesApp(ByteView app)
{
    const std::size_t at = platform::findBytes(app, NES_TPL_SIGNATURE);
    if (at == platform::NOT_FOUND)
        return makeError(ErrorKind::BadFormat, "The app file you pointed to is NOT a valid Nes app!",
                         "Error #1:  No tpl in 00000001.app");
    const std::size_t length = std::min(NES_TPL_SIZE, app.size() - at);
    return Bytes(app.begin() + at, app.begin() + at + length);
}

Result<void> MakeWTE(const fs::path& wtePath, const fs::path& tplPath, int imgWidth, int igHeight)
{
    auto tpl = platform::readFile(tplPath);
    if (!tpl)
        return tpl.error();
    auto wte = wteFromTpl(tpl.value(), imgWidth, igHeight);
    if (!wte)
        return makeError(wte.error().kind, "Cannot make the WTE file " + platform::quoted(wtePath) + " from " +
                                               platform::quoted(tplPath) + ": " + wte.error().message);
    if (auto written = platform::writeFileAtomic(wtePath, wte.value()); !written)
        return written.error();
    // Writing a WTE over its own TPL must not end with the WTE deleted.
    std::error_code ec;
    if (fs::equivalent(platform::findExisting(wtePath), platform::findExisting(tplPath), ec))
        return {};
    return platform::removeIfPresent(tplPath);
}

fs::path tempTplPath(const fs::path& programFolder)
{
    return programFolder / TEMP_FOLDER / TEMP_TPL_FILE;
}

Result<fs::path> LoadWTE(const fs::path& wtePath, const fs::path& programFolder)
{
    auto wte = platform::readFile(wtePath);
    if (!wte)
        return wte.error();
    auto header = readTemplate(programFolder, HEADERS_FOLDER, SINGLE_HEADER_FILE);
    if (!header)
        return header.error();
    auto tpl = tplFromWte(wte.value(), header.value());
    if (!tpl)
        return makeError(tpl.error().kind, "Cannot read " + platform::quoted(wtePath) + ": " + tpl.error().message);
    return writeTempTpl(programFolder, tpl.value());
}

Result<fs::path> LoadNeoGeo(const fs::path& ngPath, const fs::path& programFolder)
{
    auto banner = platform::readFile(ngPath);
    if (!banner)
        return banner.error();
    // A banner with fewer icons than the template names would leave images without data.
    if (auto built = tplFromShortSaveBanner(banner.value()))
        return writeTempTpl(programFolder, *built);
    auto header = readTemplate(programFolder, HEADERS_FOLDER, NEOGEO_HEADER_FILE);
    if (!header)
        return header.error();
    auto tpl = tplFromNeoGeoBanner(banner.value(), header.value());
    if (!tpl)
        return makeError(tpl.error().kind, "Cannot read " + platform::quoted(ngPath) + ": " + tpl.error().message);
    return writeTempTpl(programFolder, tpl.value());
}

Result<fs::path> LoadNes(const fs::path& nsPath, const fs::path& programFolder)
{
    auto app = platform::readFile(nsPath);
    if (!app)
        return app.error();
    auto tpl = tplFromNesApp(app.value());
    if (!tpl)
        return tpl.error();
    return writeTempTpl(programFolder, tpl.value());
}

} // namespace textures
