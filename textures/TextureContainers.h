#pragma once

// Conversions between the texture containers: TPL -> WTE (MakeWTE), WTE -> TPL (LoadWTE), NeoGeo
// banner.bin -> TPL (LoadNeoGeo) and NES 00000001.app -> TPL (LoadNes). Texture bytes are copied
// unchanged; only headers are built or patched around them.
//
// The byte functions work on whole files in memory and are what the file operations are made of.
// Every operation checks its input before it writes: a failure writes nothing and deletes nothing.

#include <cstdint>
#include <filesystem>
#include <optional>

#include "platform/Bytes.h"
#include "platform/Result.h"

namespace textures {

// ---- Byte level ----

// The 32-byte WTE header followed by the TPL's bytes from offset 64 on. Fails when the TPL is shorter
// than its 64-byte header or a dimension does not fit a byte (0..255).
[[nodiscard]] platform::Result<platform::Bytes> wteFromTpl(platform::ByteView tpl, int width, int height);

// The one-image TPL of a WTE: the template with byte 21 = height, byte 22 = 0, byte 23 = width, then
// the WTE's bytes from 32 on. Fails when the WTE is shorter than its header or the template is not a
// 64-byte one-image header.
[[nodiscard]] platform::Result<platform::Bytes> tplFromWte(platform::ByteView wte, platform::ByteView singleHeader);

// The NeoGeo header template followed by the banner's bytes from 160 on. Fails when the banner is
// shorter than 160 bytes or the template is not 416 bytes long.
[[nodiscard]] platform::Result<platform::Bytes> tplFromNeoGeoBanner(platform::ByteView banner,
                                                                    platform::ByteView neoGeoHeader);

// The number of 48x48 icons a save banner of this many bytes holds: after the 160-byte head come the
// 192x64 banner and the icons, all RGB5A3. A partial icon at the end is not counted. Nothing when the
// file holds less than the banner and one icon.
std::optional<std::uint32_t> saveBannerIconCount(std::size_t bannerSize);

// The header of the TPL whose texture data a save banner with iconCount icons carries: the 192x64
// banner, then iconCount 48x48 icons, all RGB5A3, linear filters, the data right after the headers.
// For eight icons it is the shipped neogeo.hdr byte for byte. iconCount must be 1 to 8.
platform::Bytes saveBannerTplHeader(std::uint32_t iconCount);

// The TPL of a save banner that holds 1 to 7 icons: the header built for that count, followed by the
// banner's bytes from 160 on. Nothing for a banner of eight icons or of a length that fits no count:
// those go through the neogeo.hdr template (tplFromNeoGeoBanner), as before.
std::optional<platform::Bytes> tplFromShortSaveBanner(platform::ByteView banner);

// The 43264 bytes (fewer when the file ends earlier) from the first NES TPL signature. Without the
// signature the error carries the fixed text "The app file you pointed to is NOT a valid Nes app!" and
// title "Error #1:  No tpl in 00000001.app"; the caller shows it with the critical-error icon.
[[nodiscard]] platform::Result<platform::Bytes> tplFromNesApp(platform::ByteView app);

// ---- Files ----

// Builds the WTE at wtePath from the one-image TPL at tplPath (replacing a previous WTE whole), then
// deletes the TPL (unless both paths name the same file).
[[nodiscard]] platform::Result<void> MakeWTE(const std::filesystem::path& wtePath, const std::filesystem::path& tplPath,
                                             int imgWidth, int igHeight);

// programFolder/temp/temp.tpl, where the three readers leave their TPL.
std::filesystem::path tempTplPath(const std::filesystem::path& programFolder);

// Each reader turns its input into programFolder/temp/temp.tpl (creating the temp folder when it is
// missing) and returns that path. The templates are read from programFolder/headers. LoadNeoGeo takes
// any save banner: one with fewer than eight icons gets the header built for its icon count, every
// other one the neogeo.hdr template.
[[nodiscard]] platform::Result<std::filesystem::path> LoadWTE(const std::filesystem::path& wtePath,
                                                              const std::filesystem::path& programFolder);
[[nodiscard]] platform::Result<std::filesystem::path> LoadNeoGeo(const std::filesystem::path& ngPath,
                                                                 const std::filesystem::path& programFolder);
[[nodiscard]] platform::Result<std::filesystem::path> LoadNes(const std::filesystem::path& nsPath,
                                                              const std::filesystem::path& programFolder);

// The first 32 bytes of programFolder/templates/tpl_neogeo_header.bin: the head of every NeoGeo
// banner.bin the injector writes. Fails when the template is missing or shorter than 32 bytes.
[[nodiscard]] platform::Result<platform::Bytes> neoGeoBannerHead(const std::filesystem::path& programFolder);

} // namespace textures
