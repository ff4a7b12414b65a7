#include "injector/TitleLoader.h"

#include <vector>

#include "injector/ExtractedTitle.h"
#include "injector/InjectorFormats.h"
#include "injector/N64SaveComments.h"
#include "injector/TitleEncoding.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"

namespace injector {

namespace {

using platform::Bytes;
using platform::ByteView;

// Lines of a UTF-16BE text file cut at every 00 0D 00 0A.
std::vector<ByteView> utf16Lines(ByteView data)
{
    std::vector<ByteView> lines;
    std::size_t start = 0;
    for (;;) {
        const auto at = platform::findBytes(data, UTF16_LINE_END, start);
        if (at == platform::NOT_FOUND) {
            lines.push_back(data.subspan(start));
            return lines;
        }
        lines.push_back(data.subspan(start, at - start));
        start = at + UTF16_LINE_END.size();
    }
}

std::u16string joinLines(const std::u16string& line1, const std::u16string& line2)
{
    return line2.empty() ? line1 : line1 + u"^" + line2;
}

std::u16string withoutNul(std::u16string text)
{
    std::erase(text, u'\0');
    return text;
}

// One character per byte, zero bytes dropped.
std::u16string eightBitField(ByteView field)
{
    Bytes kept;
    for (auto b : field)
        if (b != 0)
            kept.push_back(b);
    return platform::textFromLatin1(kept);
}

bool loadNeoGeo(ByteView data, LoadedTitles& out)
{
    if (data.size() < NEOGEO_TEXTURE_OFFSET)
        return false;
    std::u16string title = Uni2Asc(data.subspan(NEOGEO_TITLE_OFFSET, NEOGEO_TITLE_AREA));
    if (!title.empty() && title.back() == u'\r')
        title.pop_back();
    out.titles[ENGLISH_SLOT] = title;
    out.language = ENGLISH_SLOT;
    return true;
}

bool loadNes(ByteView data, LoadedTitles& out)
{
    const auto s = platform::findBytes(data, NES_TPL_SIGNATURE);
    if (s == platform::NOT_FOUND)
        return false;
    const auto start = findNesTitleStart(data, s + NES_TPL_SIZE);
    if (!start)
        return false;
    const auto end = findNesTitleEnd(data, *start);
    if (!end)
        return false;
    out.titles[ENGLISH_SLOT] = Uni2Asc(data.subspan(*start, *end - *start));
    out.language = ENGLISH_SLOT;
    return true;
}

bool loadSnes(std::u16string_view dest, const std::filesystem::path& destPath,
              const std::filesystem::path& programFolder, LoadedTitles& out)
{
    const auto app5Path = ticketAppBeside(dest, programFolder);
    if (!platform::fileExists(app5Path))
        return false;
    const auto app5 = platform::readFile(app5Path);
    if (!app5)
        return false;
    const auto ticket = ticketName(*app5);
    if (!ticket)
        return false;
    const auto data = platform::readFile(destPath);
    if (!data)
        return false;
    const auto t = platform::findBytes(*data, *ticket);
    if (t == platform::NOT_FOUND || t + SNES_TITLE_FROM_TICKET + 2 * SNES_LINE_SIZE > data->size())
        return false;
    const ByteView block = ByteView(*data).subspan(t + SNES_TITLE_FROM_TICKET, 2 * SNES_LINE_SIZE);
    const ByteView field1 = block.first(SNES_LINE_SIZE), field2 = block.last(SNES_LINE_SIZE);
    std::u16string line1, line2;
    if ((*ticket)[0] == 'J') {
        // Japanese titles are Shift-JIS; the zero filling is not part of the text.
        line1 = withoutNul(JIS2ASC(field1));
        line2 = withoutNul(JIS2ASC(field2));
    } else {
        line1 = eightBitField(field1);
        line2 = eightBitField(field2);
    }
    out.titles[ENGLISH_SLOT] = joinLines(line1, line2);
    out.language = ENGLISH_SLOT;
    return true;
}

bool loadSega(ByteView data, LoadedTitles& out)
{
    const auto lines = utf16Lines(data);
    if (platform::findBytes(lines[0], Asc2Uni(SEGA_HEADER_MARK)) == platform::NOT_FOUND)
        return false;
    for (int i = 0; i < TITLE_SLOTS; ++i) {
        const std::size_t line = SEGA_HEADER_LINES + static_cast<std::size_t>(i);
        if (line >= lines.size())
            break;
        const std::u16string text = Uni2Asc(lines[line]);
        out.titles[static_cast<std::size_t>(i)] = text.size() > 3 ? text.substr(3) : std::u16string();
    }
    out.language = 0;
    return true;
}

bool loadTg16(ByteView data, LoadedTitles& out)
{
    const auto lines = utf16Lines(data);
    if (lines.size() < 2 || lines[1].size() < 6 || lines[1][5] != ':')
        return false;
    out.titles[ENGLISH_SLOT] = Uni2Asc(lines[0].size() >= 2 ? lines[0].subspan(2) : ByteView());
    return true;
}

bool loadC64(ByteView data, LoadedTitles& out)
{
    const auto a = findC64Anchor(data);
    if (!a || *a + C64_TITLE_FROM_ANCHOR + C64_TITLE_BLOCK > data.size())
        return false;
    const ByteView block = data.subspan(*a + C64_TITLE_FROM_ANCHOR, C64_TITLE_BLOCK);
    out.titles[ENGLISH_SLOT] = joinLines(Uni2Asc(block.first(C64_LINE_SIZE)), Uni2Asc(block.last(C64_LINE_SIZE)));
    return true;
}

} // namespace

LoadedTitles loadTitles(int conIndex, std::u16string_view destinationText, const std::filesystem::path& programFolder)
{
    LoadedTitles out;
    if (conIndex < 0 || conIndex >= CONSOLE_COUNT || destinationText.empty())
        return out;
    const auto destPath = platform::resolvePathText(destinationText, programFolder);

    bool loaded = true;
    if (conIndex == CON_N64) {
        if (!platform::folderExists(destPath))
            return out;
        for (int i = 0; i < TITLE_SLOTS; ++i)
            out.titles[static_cast<std::size_t>(i)] = ReadN64(saveCommentFile(destPath, i));
        out.language = 0;
        return out;
    }
    if (!platform::fileExists(destPath))
        return out;
    if (conIndex == CON_SNES) {
        loaded = loadSnes(destinationText, destPath, programFolder, out);
    } else {
        const auto data = platform::readFile(destPath);
        if (!data) {
            loaded = false;
        } else if (conIndex == CON_NEOGEO) {
            loaded = loadNeoGeo(*data, out);
        } else if (conIndex == CON_NES) {
            loaded = loadNes(*data, out);
        } else if (isSegaFamily(conIndex)) {
            loaded = loadSega(*data, out);
        } else if (conIndex == CON_TG16) {
            loaded = loadTg16(*data, out);
        } else if (conIndex == CON_C64) {
            loaded = loadC64(*data, out);
        }
    }
    if (!loaded)
        out = LoadedTitles{{}, std::nullopt, true};
    return out;
}

} // namespace injector
