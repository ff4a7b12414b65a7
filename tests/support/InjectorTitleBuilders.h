#pragma once

// Builders of the files inside an extracted Virtual Console title that the injector patches: the
// executables with their texture and title places, N64 save comments, the Sega and TG16 title files,
// TPL and WTE textures. Layouts are written out byte by byte here, independent of the injector's code.

#include <filesystem>
#include <string>
#include <vector>

#include "platform/Bytes.h"

namespace test_support {

// UTF-16BE and UTF-16LE of a text, one unit per character (no "^" handling).
platform::Bytes utf16be(std::u16string_view text);
platform::Bytes utf16le(std::u16string_view text);

// A TPL whose header says five images (the NES save-icon signature), size bytes long, its pixel bytes
// filled with fill. size 43264 is the real save-icon TPL.
platform::Bytes fiveImageTpl(std::size_t size, std::uint8_t fill);

// A TPL of the NeoGeo banner kind: a 416-byte header part, then textureBytes bytes of fill.
platform::Bytes neoGeoBannerTpl(std::size_t textureBytes, std::uint8_t fill);

// An NES 00000001.app: 0x200 bytes of code, the TPL, 0x40 bytes, the title lead-in, the title region
// (its first byte the lead-in's 00; regionBytes long, holding title as UTF-16BE, zero-filled), then
// "VirtualIF.c" and a tail.
struct NesApp
{
    platform::Bytes bytes;
    std::size_t tplOffset = 0;
    std::size_t regionOffset = 0;
    std::size_t regionBytes = 0;
};
NesApp nesApp(const platform::Bytes& tpl, std::u16string_view title, std::size_t regionBytes);

// A title's 00000005.app whose ticket name (four bytes before ".rom") is ticket.
platform::Bytes ticketApp(std::string_view ticket);

// An SNES 00000001.app: the ticket name at ticketOffset, 64 bytes later two 40-byte title lines.
platform::Bytes snesApp(std::string_view ticket, std::size_t ticketOffset, const platform::Bytes& line1,
                        const platform::Bytes& line2);

// A C64 00000001.app: code, "/banner.bin" 00 00 at anchorOffset, the two 68-byte UTF-16BE lines from
// anchorOffset + 12, a tail.
platform::Bytes c64App(std::size_t anchorOffset, std::u16string_view line1, std::u16string_view line2);

// An N64 save-comment file: a 64-byte header (title length at 45 and 47, file length - 4 at 55 and
// 59), the title in UTF-16LE, then tail.
platform::Bytes n64Comment(std::u16string_view title, const platform::Bytes& tail);

// A UTF-16BE text file with byte-order mark, lines joined with CR LF (no line end after the last).
platform::Bytes utf16TextFile(const std::vector<std::u16string>& lines);

// The usual four header lines of a Sega banner.cfg.txt.
std::vector<std::u16string> segaHeaderLines();

// A WTE: "WTE", width and height bytes, 32-byte header, then dataBytes bytes of fill.
platform::Bytes wte(std::uint8_t width, std::uint8_t height, std::size_t dataBytes, std::uint8_t fill);

// A one-image TPL as the converter writes it: 64-byte header (image header at 0x14, data at 0x40),
// then width x height 16-bit texels (RGB5A3, format 5) of the value texel.
platform::Bytes oneImageTpl(std::uint16_t width, std::uint16_t height, std::uint16_t texel);

// A save banner as titles carry it: "WIBN", then size - 4 bytes of fill.
platform::Bytes saveBanner(std::size_t size, std::uint8_t fill);

// data as an LZ77 type 0x10 stream of literals only (flag bytes of zero), padded to a multiple of 4;
// with the "LZ77" prefix in front when prefixed.
platform::Bytes lz77Literals(const platform::Bytes& data, bool prefixed);

// The demo's sample: an extracted N64 title (seven save comments named as real titles name them, a
// save banner), an extracted Genesis title (banner.cfg.txt with its WTE set), and the new textures to
// inject, all small. Written into folder; the bundled samples/stavik is this output.
void writeStavikSample(const std::filesystem::path& folder);

} // namespace test_support
