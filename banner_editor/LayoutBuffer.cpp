#include "LayoutBuffer.h"

#include <algorithm>
#include <array>

#include "LayoutFormat.h"
#include "platform/ByteReader.h"
#include "platform/Files.h"

namespace banner_editor {

using platform::ByteReader;
using platform::NOT_FOUND;
namespace fmt = layout;

namespace {

constexpr auto& TXT1 = fmt::TEXT_PANE_MAGIC;
constexpr auto& MAT1 = fmt::MATERIALS_MAGIC;
constexpr char16_t LINE_BREAK_MARK = u'^';
constexpr char16_t LINE_FEED = 0x000A;

// Where the text of one txt1 section lies: [start, start + length) counted from the section's magic.
// Everything in front of start is the section head, which a rewrite keeps.
struct TextPlace
{
    PaneWrite state = PaneWrite::Written; // Written: usable; Damaged or Unterminated: not to be touched
    std::size_t size = 0;
    std::size_t start = 0;
    std::size_t length = 0;
    bool countedBack = false; // the stored text offset was unusable
};

// One past the first 00 00 code unit at or after start (counted in code units from start), or NOT_FOUND.
std::size_t terminatorEnd(platform::ByteView section, std::size_t start)
{
    ByteReader r(section);
    r.seek(start);
    while (r.remaining() >= 2) {
        if (r.be16() == 0)
            return r.position();
    }
    return NOT_FOUND;
}

// The text of the section at offset, or why it cannot be trusted: its size runs past the end of the
// buffer, over the next text pane or is too small for the text box fields, its text length is odd, or
// the text would not fit inside the section behind the text box fields (0x74 on).
//
// The text starts at the offset stored at 0x58 whenever that lies between 0x74 and the section's end,
// and is then n bytes long (n = the text length at 0x4E, terminator included). Real layouts keep unused
// text-buffer space after the terminator, so the section's trailing zero bytes are not always padding.
// Layouts made by other tools may store an n that runs past the end of the section; the text then ends
// at its first 00 00 terminator inside the section, and a section without one is left alone. Only when
// the stored offset is unusable is the text counted back from the end of the section: the last n + 2
// bytes when the section ends in four 00 bytes (text, terminator, padding), else the last n.
TextPlace textPlace(platform::ByteView buffer, std::size_t section)
{
    const TextPlace damaged{PaneWrite::Damaged};
    ByteReader r(buffer);
    r.seek(section + fmt::SECTION_SIZE);
    const std::uint32_t size = r.be32();
    if (r.failed() || size < fmt::TEXT_HEAD_MIN || size > buffer.size() - section)
        return damaged;
    const auto bytes = buffer.subspan(section, size);
    // Sections follow one another and never nest: a size that reaches over another pane's magic is
    // damage, and rewriting such a section would change that pane's head (its name, its lengths).
    if (platform::findBytes(bytes, TXT1, TXT1.size()) != NOT_FOUND)
        return damaged;

    ByteReader s(bytes);
    s.seek(fmt::TEXT_LENGTH);
    const std::size_t n = s.be16();
    if (s.failed() || n % 2 != 0)
        return damaged;
    s.seek(fmt::TEXT_OFFSET);
    const std::uint32_t offset = s.be32();
    if (!s.failed() && offset >= fmt::TEXT_START && offset <= size) {
        if (n <= size - offset)
            return {PaneWrite::Written, size, offset, n, false};
        const std::size_t end = terminatorEnd(bytes, offset);
        if (end == NOT_FOUND)
            return TextPlace{PaneWrite::Unterminated};
        return {PaneWrite::Written, size, offset, end - offset, false};
    }

    const auto tail = bytes.last(4);
    const bool endsInZeros = std::all_of(tail.begin(), tail.end(), [](std::uint8_t b) { return b == 0; });
    const std::size_t length = endsInZeros ? n + 2 : n;
    // A text counted back into the text box fields (0x50-0x73) is longer than the text area: taking it
    // would read those fields as text, and rewriting it would overwrite them.
    if (size < fmt::TEXT_START || length > size - fmt::TEXT_START)
        return damaged;
    return {PaneWrite::Written, size, size - length, length, true};
}

// Whether the bytes after a "txt1" magic carry the name at the pane-name field: followed by two 00
// bytes when exact, as a prefix otherwise.
bool nameMatches(platform::ByteView afterMagic, platform::ByteView name, bool exact)
{
    constexpr std::size_t NAME_IN_PIECE = fmt::PANE_NAME - TXT1.size();
    const std::size_t needed = NAME_IN_PIECE + name.size() + (exact ? 2 : 0);
    if (afterMagic.size() < needed)
        return false;
    const auto field = afterMagic.subspan(NAME_IN_PIECE);
    if (!std::equal(name.begin(), name.end(), field.begin()))
        return false;
    return !exact || (field[name.size()] == 0 && field[name.size() + 1] == 0);
}

std::vector<std::size_t> panesByMagic(platform::ByteView buffer, platform::ByteView name, bool exact);

// Offsets of every txt1 section whose name matches, in file order. The buffer is cut at every "txt1";
// each piece after a magic is tested, and the matching section is the one at that magic.
//
// The same answer is found faster by searching for the name itself, which is longer and rarer than the
// magic: a hit counts when a "txt1" stands at the name field's distance in front of it and no other
// "txt1" cuts the piece between that magic and the end of the name test.
std::vector<std::size_t> matchingPanes(platform::ByteView buffer, platform::ByteView name, bool exact)
{
    if (name.empty())
        return panesByMagic(buffer, name, exact);
    constexpr std::size_t NAME_IN_PIECE = fmt::PANE_NAME - TXT1.size();
    const std::size_t tested = NAME_IN_PIECE + name.size() + (exact ? 2 : 0);
    std::vector<std::size_t> found;
    for (std::size_t hit = platform::findBytes(buffer, name, fmt::PANE_NAME); hit != NOT_FOUND;
         hit = platform::findBytes(buffer, name, hit + 1)) {
        const std::size_t section = hit - fmt::PANE_NAME;
        const auto magic = buffer.subspan(section, TXT1.size());
        if (!std::equal(magic.begin(), magic.end(), TXT1.begin()))
            continue;
        const std::size_t pieceStart = section + TXT1.size();
        if (buffer.size() - pieceStart < tested)
            continue;
        // A magic that starts inside the tested bytes (also one running past them) ends the piece early.
        const auto cut = buffer.subspan(pieceStart, std::min(tested + TXT1.size() - 1, buffer.size() - pieceStart));
        if (platform::findBytes(cut, TXT1) == NOT_FOUND && nameMatches(cut, name, exact))
            found.push_back(section);
    }
    return found;
}

// The plain form of the search above, for the empty name (which every piece begins with).
std::vector<std::size_t> panesByMagic(platform::ByteView buffer, platform::ByteView name, bool exact)
{
    std::vector<std::size_t> found;
    std::size_t at = platform::findBytes(buffer, TXT1);
    while (at != NOT_FOUND) {
        const std::size_t next = platform::findBytes(buffer, TXT1, at + TXT1.size());
        const std::size_t end = next == NOT_FOUND ? buffer.size() : next;
        if (nameMatches(buffer.subspan(at + TXT1.size(), end - at - TXT1.size()), name, exact))
            found.push_back(at);
        at = next;
    }
    return found;
}

// Offset of the last matching txt1 section (the one a read or write addresses), or NOT_FOUND.
std::size_t locatePane(platform::ByteView buffer, platform::ByteView name, bool exact)
{
    const auto found = matchingPanes(buffer, name, exact);
    return found.empty() ? NOT_FOUND : found.back();
}

// Offset of the material entry with this name, or NOT_FOUND. The name is searched as 20 bytes (00
// padded); a longer name cannot be a material's. Inside a layout the search stays within the materials
// section and accepts only 4-aligned entry starts, so a pane or group that shares the name (a picture
// pane "Shade" beside the material "Shade") is never taken for the material. A buffer without a
// materials section is searched whole. The colours must lie inside the searched bytes.
std::size_t locateMaterial(platform::ByteView buffer, std::string_view name)
{
    if (name.size() > fmt::MATERIAL_NAME_LENGTH)
        return NOT_FOUND;
    platform::Bytes needle = platform::bytesOf(name);
    needle.resize(fmt::MATERIAL_NAME_LENGTH, 0);

    std::size_t from = 0;
    std::size_t end = buffer.size();
    std::size_t alignBase = NOT_FOUND;
    for (std::size_t at = platform::findBytes(buffer, MAT1); at != NOT_FOUND;
         at = platform::findBytes(buffer, MAT1, at + 1)) {
        ByteReader r(buffer);
        r.seek(at + fmt::SECTION_SIZE);
        const std::uint32_t size = r.be32();
        if (at % fmt::SECTION_ALIGNMENT == 0 && !r.failed() && size >= fmt::MATERIALS_FIRST_ENTRY_MIN) {
            from = at;
            end = at + std::min<std::size_t>(size, buffer.size() - at);
            alignBase = at;
            break;
        }
    }
    const auto region = buffer.first(end);
    for (std::size_t at = platform::findBytes(region, needle, from); at != NOT_FOUND;
         at = platform::findBytes(region, needle, at + 1)) {
        if (alignBase != NOT_FOUND && (at - alignBase) % fmt::SECTION_ALIGNMENT != 0)
            continue;
        // An entry cut off before the end of colour 2 is as good as missing.
        return end - at >= fmt::MATERIAL_COLORS_END ? at : NOT_FOUND;
    }
    return NOT_FOUND;
}

} // namespace

std::u16string Get_Txt1_Text(ByteView buffer, std::string_view paneName)
{
    const std::size_t section = locatePane(buffer, platform::bytesOf(paneName), true);
    if (section == NOT_FOUND)
        return {};
    const auto place = textPlace(buffer, section);
    if (place.state != PaneWrite::Written)
        return {};
    return Uni_To_Text(buffer.subspan(section + place.start, place.length));
}

PaneWrite Set_Txt1_Text(Bytes& buffer, std::string_view paneName, std::u16string_view text)
{
    platform::Bytes name = platform::bytesOf(paneName);
    if (paneName.ends_with(fmt::NO_LANGUAGE_SUFFIX)) {
        // "T_Year_NONE" becomes the prefix "T_Year" + 00, which only the pane "T_Year" carries.
        name.resize(name.size() - fmt::NO_LANGUAGE_SUFFIX.size());
        name.push_back(0);
    }
    if (text.empty())
        return PaneWrite::EmptyText;
    const auto matches = matchingPanes(buffer, name, false);
    if (matches.empty())
        return PaneWrite::NotFound;
    const std::size_t section = matches.back();
    const auto place = textPlace(buffer, section);
    if (place.state != PaneWrite::Written)
        return place.state;

    platform::Bytes newText = Text_To_Uni(text);
    newText.push_back(0);
    newText.push_back(0);
    const std::size_t textLength = newText.size();
    if (textLength > fmt::TEXT_LENGTH_MAX)
        return PaneWrite::TooLong;
    if (textLength % fmt::SECTION_ALIGNMENT != 0)
        newText.insert(newText.end(), 2, 0);

    // The new section: the old head, the new text and its padding, with size and lengths set.
    platform::Bytes newSection(buffer.begin() + static_cast<std::ptrdiff_t>(section),
                               buffer.begin() + static_cast<std::ptrdiff_t>(section + place.start));
    newSection.insert(newSection.end(), newText.begin(), newText.end());
    platform::writeBe32(newSection, fmt::SECTION_SIZE, static_cast<std::uint32_t>(newSection.size()));
    platform::writeBe16(newSection, fmt::TEXT_BUFFER_LENGTH, static_cast<std::uint16_t>(textLength));
    platform::writeBe16(newSection, fmt::TEXT_LENGTH, static_cast<std::uint16_t>(textLength));
    // A text found by counting back because its stored offset pointed past the end of the section gets
    // its real offset stored: the old one could land inside the grown section and move the text on the
    // next read. An offset below 0x74 stays unusable whatever the size, and is carried over.
    if (place.countedBack && platform::readBe32(newSection, fmt::TEXT_OFFSET) >= fmt::TEXT_START)
        platform::writeBe32(newSection, fmt::TEXT_OFFSET, static_cast<std::uint32_t>(place.start));

    // Every copy of the old section changes with it: a layout that repeats a pane byte for byte keeps
    // its copies alike. A copy carries the same name, so it is among the matching sections; usually
    // there is none, and the one section is replaced where it stands.
    const platform::ByteView oldSection(buffer.data() + section, place.size);
    std::vector<std::size_t> copies;
    for (const std::size_t at : matches) {
        const bool clear = copies.empty() || at >= copies.back() + oldSection.size();
        if (clear && buffer.size() - at >= oldSection.size() &&
            std::equal(oldSection.begin(), oldSection.end(), buffer.begin() + static_cast<std::ptrdiff_t>(at)))
            copies.push_back(at);
    }
    if (copies.size() > 1 && copies.back() == section) {
        platform::Bytes rebuilt;
        rebuilt.reserve(buffer.size() + copies.size() * newSection.size());
        std::size_t from = 0;
        for (const std::size_t at : copies) {
            rebuilt.insert(rebuilt.end(), buffer.begin() + static_cast<std::ptrdiff_t>(from),
                           buffer.begin() + static_cast<std::ptrdiff_t>(at));
            rebuilt.insert(rebuilt.end(), newSection.begin(), newSection.end());
            from = at + oldSection.size();
        }
        rebuilt.insert(rebuilt.end(), buffer.begin() + static_cast<std::ptrdiff_t>(from), buffer.end());
        buffer = std::move(rebuilt);
        return PaneWrite::Written;
    }
    const std::size_t oldSize = oldSection.size();
    const auto first = buffer.begin() + static_cast<std::ptrdiff_t>(section);
    const std::size_t common = std::min(newSection.size(), oldSize);
    std::copy_n(newSection.begin(), common, first);
    if (newSection.size() > common)
        buffer.insert(first + static_cast<std::ptrdiff_t>(common),
                      newSection.begin() + static_cast<std::ptrdiff_t>(common), newSection.end());
    else
        buffer.erase(first + static_cast<std::ptrdiff_t>(common), first + static_cast<std::ptrdiff_t>(oldSize));
    return PaneWrite::Written;
}

std::vector<std::string> textPaneNames(ByteView buffer)
{
    // The 20 bytes from the name field on (16 name bytes and 4 of the pane's user data); the name ends
    // at the first 00 byte, so user data behind a shorter name never joins it.
    constexpr std::size_t NAME_FIELD = fmt::PANE_NAME_LIST_WIDTH;
    std::vector<std::string> names;
    for (std::size_t at = platform::findBytes(buffer, TXT1); at != NOT_FOUND;
         at = platform::findBytes(buffer, TXT1, at + TXT1.size())) {
        if (buffer.size() - at < fmt::PANE_NAME + 1)
            break;
        const auto field =
            buffer.subspan(at + fmt::PANE_NAME, std::min(NAME_FIELD, buffer.size() - at - fmt::PANE_NAME));
        const auto end = std::find(field.begin(), field.end(), 0);
        if (end != field.begin())
            names.emplace_back(field.begin(), end);
    }
    return names;
}

Bytes Text_To_Uni(std::u16string_view text)
{
    Bytes out;
    out.reserve(text.size() * 2);
    for (char16_t c : text) {
        if (c == LINE_BREAK_MARK)
            c = LINE_FEED;
        out.push_back(static_cast<std::uint8_t>(c >> 8));
        out.push_back(static_cast<std::uint8_t>(c & 0xFF));
    }
    return out;
}

std::u16string Uni_To_Text(ByteView bytes)
{
    // A lone last byte (an odd count, never in a well-formed pane) is not half a character: it is dropped.
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
        const auto c = static_cast<char16_t>(platform::readBe16(bytes, i));
        if (c == 0)
            continue;
        text.push_back(c == LINE_FEED ? LINE_BREAK_MARK : c);
    }
    return text;
}

void Set_File_Len(Bytes& buffer)
{
    // A buffer too short to hold the size field has no header to update.
    if (buffer.size() < fmt::HEADER_END)
        return;
    platform::writeBe32(buffer, fmt::HEADER_FILE_SIZE, static_cast<std::uint32_t>(buffer.size()));
}

std::optional<MaterialColors> readMaterialColors(ByteView buffer, std::string_view materialName)
{
    const std::size_t m = locateMaterial(buffer, materialName);
    if (m == NOT_FOUND)
        return std::nullopt;
    ByteReader r(buffer);
    const auto low = [&](std::size_t offset) {
        r.seek(m + offset + 1);
        return r.u8();
    };
    MaterialColors c;
    c.r1 = low(fmt::MATERIAL_COLOR1);
    c.g1 = low(fmt::MATERIAL_COLOR1 + 2);
    c.b1 = low(fmt::MATERIAL_COLOR1 + 4);
    c.r2 = low(fmt::MATERIAL_COLOR2);
    c.g2 = low(fmt::MATERIAL_COLOR2 + 2);
    c.b2 = low(fmt::MATERIAL_COLOR2 + 4);
    return c;
}

void Set_Mat_Colors(Bytes& buffer, std::string_view materialName, const MaterialColors& colors)
{
    const std::size_t m = locateMaterial(buffer, materialName);
    if (m == NOT_FOUND)
        return;
    const std::array<std::uint8_t, fmt::MATERIAL_COLORS_END - fmt::MATERIAL_COLORS_FIRST> bytes{
        colors.r1, 0, colors.g1, 0, colors.b1, 0, 0, 0, colors.r2, 0, colors.g2, 0, colors.b2};
    std::copy(bytes.begin(), bytes.end(), buffer.begin() + static_cast<std::ptrdiff_t>(m + fmt::MATERIAL_COLORS_FIRST));
}

} // namespace banner_editor
