#include "InjectorTitleBuilders.h"

#include <algorithm>
#include <fstream>

namespace test_support {

namespace {

void append(platform::Bytes& out, const platform::Bytes& more)
{
    out.insert(out.end(), more.begin(), more.end());
}

void appendText(platform::Bytes& out, std::string_view text)
{
    out.insert(out.end(), text.begin(), text.end());
}

// Filler that contains none of the marks the injector looks for.
platform::Bytes code(std::size_t n, std::uint8_t seed)
{
    platform::Bytes out(n);
    for (std::size_t i = 0; i < n; ++i)
        out[i] = static_cast<std::uint8_t>(0x40 + (i * 7 + seed) % 0x30);
    return out;
}

} // namespace

platform::Bytes utf16be(std::u16string_view text)
{
    platform::Bytes out;
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    }
    return out;
}

platform::Bytes utf16le(std::u16string_view text)
{
    platform::Bytes out;
    for (char16_t c : text) {
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
        out.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    return out;
}

platform::Bytes fiveImageTpl(std::size_t size, std::uint8_t fill)
{
    platform::Bytes out = {0x00, 0x20, 0xAF, 0x30, 0x00, 0x00, 0x00, 0x05,
                           0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x34};
    out.resize(std::max<std::size_t>(size, 16), 0);
    for (std::size_t i = 256; i < out.size(); ++i)
        out[i] = fill;
    out.resize(size);
    return out;
}

platform::Bytes neoGeoBannerTpl(std::size_t textureBytes, std::uint8_t fill)
{
    platform::Bytes out = {0x00, 0x20, 0xAF, 0x30, 0x00, 0x00, 0x00, 0x09,
                           0x00, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x00, 0x54};
    out.resize(416, 0x11);
    out.insert(out.end(), textureBytes, fill);
    return out;
}

NesApp nesApp(const platform::Bytes& tpl, std::u16string_view title, std::size_t regionBytes)
{
    NesApp app;
    app.bytes = code(0x200, 1);
    app.tplOffset = app.bytes.size();
    append(app.bytes, tpl);
    append(app.bytes, code(0x40, 2));
    for (int i = 0; i < 7; ++i) {
        app.bytes.push_back(0xA2);
        app.bytes.push_back(0xDB);
    }
    app.regionOffset = app.bytes.size();
    app.regionBytes = regionBytes;
    platform::Bytes region = utf16be(title);
    region.resize(regionBytes, 0);
    append(app.bytes, region);
    appendText(app.bytes, "VirtualIF.c");
    append(app.bytes, code(0x30, 3));
    return app;
}

platform::Bytes ticketApp(std::string_view ticket)
{
    platform::Bytes out = code(0x60, 4);
    appendText(out, ticket);
    appendText(out, ".rom");
    append(out, code(0x20, 5));
    return out;
}

platform::Bytes snesApp(std::string_view ticket, std::size_t ticketOffset, const platform::Bytes& line1,
                        const platform::Bytes& line2)
{
    platform::Bytes out = code(ticketOffset, 6);
    appendText(out, ticket);
    append(out, code(60, 7));
    for (const auto* line : {&line1, &line2}) {
        platform::Bytes field = *line;
        field.resize(40, 0);
        append(out, field);
    }
    append(out, code(0x40, 8));
    return out;
}

platform::Bytes c64App(std::size_t anchorOffset, std::u16string_view line1, std::u16string_view line2)
{
    platform::Bytes out = code(anchorOffset, 9);
    appendText(out, "/banner.bin");
    out.push_back(0);
    for (auto line : {line1, line2}) {
        platform::Bytes field = utf16be(line);
        field.resize(68, 0);
        append(out, field);
    }
    // The byte at anchor + 12 is the anchor's second zero: the first line's first (high) byte.
    append(out, code(0x50, 10));
    return out;
}

platform::Bytes n64Comment(std::u16string_view title, const platform::Bytes& tail)
{
    platform::Bytes out(64);
    for (std::size_t i = 0; i < 45; ++i)
        out[i] = static_cast<std::uint8_t>(0x80 + i);
    const platform::Bytes t = utf16le(title);
    const auto length = 64 + t.size() + tail.size();
    out[45] = static_cast<std::uint8_t>(t.size());
    out[47] = static_cast<std::uint8_t>(t.size());
    for (std::size_t i = 48; i < 55; ++i)
        out[i] = static_cast<std::uint8_t>(0xC0 + i);
    out[55] = static_cast<std::uint8_t>(length - 4);
    out[59] = static_cast<std::uint8_t>(length - 4);
    for (std::size_t i = 60; i < 64; ++i)
        out[i] = static_cast<std::uint8_t>(0xE0 + i);
    append(out, t);
    append(out, tail);
    return out;
}

platform::Bytes utf16TextFile(const std::vector<std::u16string>& lines)
{
    platform::Bytes out = {0xFE, 0xFF};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        append(out, utf16be(lines[i]));
        if (i + 1 < lines.size())
            append(out, {0x00, 0x0D, 0x00, 0x0A});
    }
    return out;
}

std::vector<std::u16string> segaHeaderLines()
{
    return {u"IconFile: save_icon.wte", u"BannerFile: banner_us.wte", u"IconAnim: 6 frames", u"Version: 1"};
}

platform::Bytes wte(std::uint8_t width, std::uint8_t height, std::size_t dataBytes, std::uint8_t fill)
{
    platform::Bytes out = {'W', 'T', 'E', 0, width, 0, height};
    out.resize(32, 0);
    out.insert(out.end(), dataBytes, fill);
    return out;
}

platform::Bytes oneImageTpl(std::uint16_t width, std::uint16_t height, std::uint16_t texel)
{
    platform::Bytes out = {0x00, 0x20, 0xAF, 0x30, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00,
                           0x00, 0x0C, 0x00, 0x00, 0x00, 0x14, 0x00, 0x00, 0x00, 0x00};
    const auto be16 = [&out](std::uint16_t v) {
        out.push_back(static_cast<std::uint8_t>(v >> 8));
        out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    };
    be16(height);
    be16(width);
    append(out, {0x00, 0x00, 0x00, 0x05, 0x00, 0x00, 0x00, 0x40}); // RGB5A3, data at 0x40
    append(out, {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00, 0x00, 0x01});
    out.resize(64, 0);
    const std::size_t texels =
        static_cast<std::size_t>((width + 3) / 4 * 4) * static_cast<std::size_t>((height + 3) / 4 * 4);
    for (std::size_t i = 0; i < texels; ++i)
        be16(texel);
    return out;
}

platform::Bytes saveBanner(std::size_t size, std::uint8_t fill)
{
    platform::Bytes out = {'W', 'I', 'B', 'N'};
    out.resize(std::max<std::size_t>(size, 4), fill);
    return out;
}

platform::Bytes lz77Literals(const platform::Bytes& data, bool prefixed)
{
    platform::Bytes out;
    if (prefixed)
        appendText(out, "LZ77");
    out.push_back(0x10);
    for (int shift = 0; shift < 24; shift += 8)
        out.push_back(static_cast<std::uint8_t>(data.size() >> shift));
    for (std::size_t i = 0; i < data.size(); ++i) {
        if (i % 8 == 0)
            out.push_back(0x00); // eight literals follow
        out.push_back(data[i]);
    }
    while (out.size() % 4 != 0)
        out.push_back(0);
    return out;
}

void writeStavikSample(const std::filesystem::path& folder)
{
    const auto write = [&folder](const std::string& relative, const platform::Bytes& bytes) {
        const auto p = folder / relative;
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary | std::ios::trunc)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    };
    const std::vector<std::pair<std::string, std::u16string>> comments = {{"jp", u"\u30B5\u30F3\u30D7\u30EB"},
                                                                          {"en", u"Sample Racer"},
                                                                          {"de", u"Beispiel-Renner"},
                                                                          {"fr", u"Course exemple"},
                                                                          {"es", u"Carrera de muestra"},
                                                                          {"it", u"Corsa di prova"},
                                                                          {"nl", u"Voorbeeldrace"}};
    const platform::Bytes commentTail = {0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x00};
    for (const auto& [code, title] : comments)
        write("n64/00000005_app_out/meta/saveComments_saveComments_" + code + ".bin", n64Comment(title, commentTail));
    write("n64/00000005_app_out/meta/save_banner.tpl", oneImageTpl(8, 8, 0x8000));

    const std::string misc = "genesis/00000005_app_out/meta/data_ccf_out/misc_ccf_zlib_out/";
    auto lines = segaHeaderLines();
    for (const auto* line : {u"JP:Sample", u"EN:Sample Blast", u"GE:Beispiel", u"FR:Exemple", u"SP:Muestra",
                             u"IT:Esempio", u"DU:Voorbeeld"})
        lines.push_back(line);
    write(misc + "banner.cfg.txt", utf16TextFile(lines));
    for (int i = 1; i <= 6; ++i)
        write(misc + "0" + std::to_string(i) + ".wte", wte(8, 8, 128, 0x80));
    write(misc + "banner_us.wte", wte(16, 8, 256, 0x80));

    write("new/save_banner.tpl", oneImageTpl(8, 8, 0xFC00));
    for (int i = 1; i <= 6; ++i)
        write("new/wte/0" + std::to_string(i) + ".wte", wte(8, 8, 128, static_cast<std::uint8_t>(0x90 + i)));
    write("new/wte/banner.wte", wte(16, 8, 256, 0xFC));
}

} // namespace test_support
