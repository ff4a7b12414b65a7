#include "LayoutBuilder.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <string>

#include "platform/ByteReader.h"

namespace test_support {

using platform::Bytes;
using platform::ByteView;
using platform::ByteWriter;

namespace {

constexpr std::uint32_t TEXT_START = 0x74;

void sectionHeader(ByteWriter& w, std::string_view magic, std::uint32_t size)
{
    w.text(magic).be32(size);
}

void f32(ByteWriter& w, float v)
{
    w.be32(std::bit_cast<std::uint32_t>(v));
}

// A fixed-width, 00-padded ASCII field.
void nameField(ByteWriter& w, std::string_view name, std::size_t width)
{
    assert(name.size() <= width);
    w.text(name.substr(0, width)).zeros(width - std::min(name.size(), width));
}

void color(ByteWriter& w, const LayoutColor& c)
{
    w.be16(static_cast<std::uint16_t>(c.r)).be16(static_cast<std::uint16_t>(c.g));
    w.be16(static_cast<std::uint16_t>(c.b)).be16(static_cast<std::uint16_t>(c.a));
}

// The first 0x4C bytes shared by every pane: flags, origin, alpha, name, user data, placement, size.
void paneHeader(ByteWriter& w, std::string_view name, float width, float height)
{
    w.u8(0x01).u8(4).u8(0xFF).u8(0);
    nameField(w, name, 24);
    for (int i = 0; i < 6; ++i)
        f32(w, 0.0f); // translation, rotation
    f32(w, 1.0f);
    f32(w, 1.0f);
    f32(w, width);
    f32(w, height);
}

// A name table (txl1, fnl1): count, entry offsets relative to the table, then the names.
Bytes nameTable(std::string_view magic, const std::vector<std::string>& names)
{
    ByteWriter body;
    std::uint32_t offset = static_cast<std::uint32_t>(names.size() * 8);
    for (const auto& n : names) {
        body.be32(offset).u8(0).zeros(3);
        offset += static_cast<std::uint32_t>(n.size() + 1);
    }
    for (const auto& n : names)
        body.text(n).u8(0);
    ByteWriter w;
    const std::size_t unpadded = 12 + body.size();
    const std::size_t size = (unpadded + 3) / 4 * 4;
    sectionHeader(w, magic, static_cast<std::uint32_t>(size));
    w.be16(static_cast<std::uint16_t>(names.size())).be16(0).bytes(body.data()).alignTo(4);
    return w.take();
}

Bytes materialSection(const std::vector<LayoutMaterial>& materials)
{
    constexpr std::uint32_t ENTRY = 0x40; // no optional items: flags 0
    const std::uint32_t first = 12 + 4 * static_cast<std::uint32_t>(materials.size());
    ByteWriter w;
    sectionHeader(w, "mat1", first + ENTRY * static_cast<std::uint32_t>(materials.size()));
    w.be16(static_cast<std::uint16_t>(materials.size())).be16(0);
    for (std::size_t i = 0; i < materials.size(); ++i)
        w.be32(first + ENTRY * static_cast<std::uint32_t>(i));
    for (const auto& m : materials) {
        nameField(w, m.name, 20);
        color(w, m.color1);
        color(w, m.color2);
        color(w, LayoutColor{0, 0, 0, 0}); // colour register 2
        for (int k = 0; k < 4; ++k)
            w.be32(0xFFFFFFFF); // constant colours
        w.be32(0);              // flags
    }
    return w.take();
}

Bytes pictureSection(const LayoutPicturePane& pane, std::uint16_t materialIndex)
{
    ByteWriter w;
    sectionHeader(w, "pic1", 0x60 + 32);
    paneHeader(w, pane.name, 128.0f, 64.0f);
    for (int i = 0; i < 4; ++i)
        w.be32(0xFFFFFFFF); // vertex colours
    w.be16(materialIndex).u8(1).u8(0);
    const float st[4][2] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    for (const auto& corner : st) {
        f32(w, corner[0]);
        f32(w, corner[1]);
    }
    return w.take();
}

Bytes groupSection(const LayoutGroup& g)
{
    ByteWriter w;
    sectionHeader(w, "grp1", 0x1C + 16 * static_cast<std::uint32_t>(g.panes.size()));
    nameField(w, g.name, 16);
    w.be16(static_cast<std::uint16_t>(g.panes.size())).be16(0);
    for (const auto& p : g.panes)
        nameField(w, p, 16);
    return w.take();
}

Bytes marker(std::string_view magic)
{
    ByteWriter w;
    sectionHeader(w, magic, 8);
    return w.take();
}

bool hasDefect(const std::vector<LayoutDefectSite>& defects, LayoutDefect d, std::string_view name)
{
    return std::any_of(defects.begin(), defects.end(),
                       [&](const LayoutDefectSite& s) { return s.defect == d && s.name == name; });
}

// Lengths as other layout tools store them: a large buffer, a text length past the section's end. When
// unterminated, every byte from the terminator on becomes text ("!"), so no 00 00 follows the text.
void storeLengthsPastSection(Bytes& section, bool unterminated, std::size_t textBytes)
{
    const std::size_t size = section.size();
    if (unterminated) {
        for (std::size_t at = TEXT_START + textBytes - 2; at + 1 < size; at += 2) {
            section[at] = 0x00;
            section[at + 1] = '!';
        }
    }
    platform::writeBe16(section, 0x4C, 0x202);
    platform::writeBe16(section, 0x4E, static_cast<std::uint16_t>(size - TEXT_START + 0x26));
}

} // namespace

const std::vector<std::string>& layoutLanguages()
{
    static const std::vector<std::string> codes{"ENG", "GER", "FRA", "ITA", "SPA", "NED", "JPN"};
    return codes;
}

std::vector<std::string> schemeMaterialNames(const std::vector<std::string>& languages)
{
    std::vector<std::string> names{"PFLine", "T_PF",  "Shade", "Back0",    "Back1",
                                   "Back2",  "Back3", "Back4", "YearLine", "PlayLine"};
    for (const char* base : {"T_VCTitle", "T_Play", "T_Year", "T_ESRB"}) {
        if (languages.empty())
            names.push_back(base);
        for (const auto& l : languages)
            names.push_back(std::string(base) + "_" + l);
    }
    for (const char* n : {"VCPic", "VCPicBase", "VCPicSha", "BackMask1", "BackMask2"})
        names.push_back(n);
    return names;
}

namespace {

struct LanguageTexts
{
    std::u16string title, year, players, rating;
};

LanguageTexts sampleTexts(const std::string& code)
{
    if (code == "GER")
        return {u"Sternenfahrt\nAbenteuer", u"Erschienen: 1986", u"1-2 Spieler", u"USK: 6"};
    if (code == "FRA")
        return {u"Voyage \u00E9toil\u00E9\nAventure", u"Sortie : 1986", u"1-2 joueurs", u"PEGI : 7"};
    if (code == "ITA")
        return {u"Viaggio stellare\nAvventura", u"Uscita: 1986", u"1-2 giocatori", u"PEGI: 7"};
    if (code == "SPA")
        return {u"Viaje estelar\nAventura", u"Lanzamiento: 1986", u"1-2 jugadores", u"PEGI: 7"};
    if (code == "NED")
        return {u"Sterrenreis\nAvontuur", u"Uitgebracht: 1986", u"1-2 spelers", u"PEGI: 7"};
    if (code == "JPN")
        return {u"\u30B9\u30BF\u30FC\u30C8\u30E9\u30D9\u30EB", u"1986\u5E74\u767A\u58F2", u"1\uFF5E2\u4EBA",
                u"CERO: A"};
    return {u"Star Voyage\nAdventure", u"Released: 1986", u"1-2 Players", u"ESRB: E"};
}

// Distinct, recognisable colours: material i gets colour 1 (i*10, 100+i, 200-i) and colour 2
// (255-i, i*5, 50+i).
LayoutMaterial sampleMaterial(const std::string& name, int i)
{
    const auto c = [](int v) { return static_cast<std::int16_t>(v & 0xFF); };
    return {name, {c(i * 10), c(100 + i), c(200 - i), 255}, {c(255 - i), c(i * 5), c(50 + i), 255}};
}

bool isTextMaterial(const std::string& name)
{
    return name.rfind("T_", 0) == 0;
}

} // namespace

LayoutBuilder LayoutBuilder::vcBanner(const std::vector<std::string>& languages)
{
    LayoutBuilder b;
    const auto names = schemeMaterialNames(languages);
    for (std::size_t i = 0; i < names.size(); ++i)
        b.materials.push_back(sampleMaterial(names[i], static_cast<int>(i)));
    for (const auto& n : names)
        if (!isTextMaterial(n))
            b.picture(n, n);
    for (const auto& l : languages) {
        const LanguageTexts t = sampleTexts(l);
        b.text("T_VCTitle_" + l, t.title, 0x40);
        b.text("T_Year_" + l, t.year, 0x10);
        b.text("T_Play_" + l, t.players, 0x10);
        b.text("T_ESRB_" + l, t.rating, 0x10);
        b.group("L" + l, {"T_VCTitle_" + l, "T_Year_" + l, "T_Play_" + l, "T_ESRB_" + l});
    }
    b.text("T_PF", u"NES", 0x20);
    b.group("System", {"T_PF", "PFLine"});
    return b;
}

LayoutBuilder LayoutBuilder::vcBannerSingle()
{
    LayoutBuilder b;
    const auto names = schemeMaterialNames({});
    for (std::size_t i = 0; i < names.size(); ++i)
        b.materials.push_back(sampleMaterial(names[i], static_cast<int>(i)));
    for (const auto& n : names)
        if (!isTextMaterial(n))
            b.picture(n, n);
    const LanguageTexts t = sampleTexts("ENG");
    b.text("T_VCTitle", t.title, 0x40);
    b.text("T_Year", t.year, 0x10);
    b.text("T_Play", t.players, 0x10);
    b.text("T_ESRB", t.rating, 0x10);
    b.text("T_PF", u"NES", 0x20);
    b.group("Texts", {"T_VCTitle", "T_Year", "T_Play", "T_ESRB", "T_PF"});
    return b;
}

LayoutBuilder& LayoutBuilder::material(std::string name, LayoutColor color1, LayoutColor color2)
{
    if (LayoutMaterial* m = findMaterial(name)) {
        m->color1 = color1;
        m->color2 = color2;
    } else {
        materials.push_back({std::move(name), color1, color2});
    }
    return *this;
}

LayoutBuilder& LayoutBuilder::text(std::string name, std::u16string value, std::uint16_t extraBufferBytes)
{
    if (LayoutTextPane* p = textPane(name)) {
        p->text = std::move(value);
        p->extraBufferBytes = extraBufferBytes;
    } else {
        LayoutTextPane pane;
        pane.name = std::move(name);
        pane.text = std::move(value);
        pane.extraBufferBytes = extraBufferBytes;
        textPanes.push_back(std::move(pane));
    }
    return *this;
}

LayoutBuilder& LayoutBuilder::picture(std::string name, std::string materialName)
{
    picturePanes.push_back({std::move(name), std::move(materialName)});
    return *this;
}

LayoutBuilder& LayoutBuilder::group(std::string name, std::vector<std::string> panes)
{
    groups.push_back({std::move(name), std::move(panes)});
    return *this;
}

LayoutBuilder& LayoutBuilder::withDefect(LayoutDefect defect, std::string name)
{
    defects.push_back({defect, std::move(name)});
    return *this;
}

LayoutTextPane* LayoutBuilder::textPane(std::string_view name)
{
    for (auto& p : textPanes)
        if (p.name == name)
            return &p;
    return nullptr;
}

LayoutMaterial* LayoutBuilder::findMaterial(std::string_view name)
{
    for (auto& m : materials)
        if (m.name == name)
            return &m;
    return nullptr;
}

Bytes buildTextSection(const LayoutTextPane& pane, std::uint16_t materialIndex)
{
    const std::uint32_t textBytes = static_cast<std::uint32_t>(pane.text.size() * 2 + 2);
    const std::uint32_t unpadded = TEXT_START + textBytes + pane.extraBufferBytes;
    const std::size_t padding = pane.paddingBytes ? *pane.paddingBytes : (4 - unpadded % 4) % 4;
    const std::uint32_t size = static_cast<std::uint32_t>(unpadded + padding);

    ByteWriter w;
    sectionHeader(w, "txt1", pane.sizeField.value_or(size));
    paneHeader(w, pane.name, 400.0f, 40.0f);
    w.be16(pane.bufferLengthField.value_or(static_cast<std::uint16_t>(textBytes + pane.extraBufferBytes)));
    w.be16(pane.textLengthField.value_or(static_cast<std::uint16_t>(textBytes)));
    w.be16(materialIndex).be16(0); // material, font
    w.u8(4).u8(2).zeros(2);        // text position centre, centred lines
    w.be32(pane.textOffsetField.value_or(TEXT_START));
    w.be32(0xFFFFFFFF).be32(0xFFFFFFFF); // top and bottom text colours
    f32(w, 24.0f);
    f32(w, 24.0f);
    f32(w, 0.0f);
    f32(w, 0.0f);
    for (char16_t c : pane.text)
        w.be16(c);
    w.be16(0).zeros(pane.extraBufferBytes).zeros(padding);
    return w.take();
}

Bytes LayoutBuilder::build() const
{
    const auto materialIndex = [&](const std::string& wanted, const std::string& fallback) -> std::uint16_t {
        const std::string& n = wanted.empty() ? fallback : wanted;
        for (std::size_t i = 0; i < materials.size(); ++i)
            if (materials[i].name == n)
                return static_cast<std::uint16_t>(i);
        return 0;
    };

    std::vector<Bytes> sections;
    {
        ByteWriter lyt;
        sectionHeader(lyt, "lyt1", 0x14);
        lyt.u8(1).zeros(3);
        f32(lyt, width);
        f32(lyt, height);
        sections.push_back(lyt.take());
    }
    sections.push_back(nameTable("txl1", textures));
    sections.push_back(nameTable("fnl1", fonts));
    sections.push_back(materialSection(materials));
    {
        ByteWriter root;
        sectionHeader(root, "pan1", 0x4C);
        paneHeader(root, rootPane, width, height);
        sections.push_back(root.take());
    }
    sections.push_back(marker("pas1"));
    for (const auto& p : picturePanes)
        sections.push_back(pictureSection(p, materialIndex(p.material, p.name)));
    std::vector<std::size_t> textSectionIndex;
    for (const auto& p : textPanes) {
        LayoutTextPane pane = p;
        if (hasDefect(defects, LayoutDefect::OddTextLength, p.name))
            pane.textLengthField = static_cast<std::uint16_t>(p.text.size() * 2 + 1);
        if (hasDefect(defects, LayoutDefect::TextLengthPastSection, p.name))
            pane.textLengthField = 0x7FFE;
        if (hasDefect(defects, LayoutDefect::TextOffsetPastSection, p.name))
            pane.textOffsetField = 0x4000;
        textSectionIndex.push_back(sections.size());
        Bytes section = buildTextSection(pane, materialIndex(p.material, p.name));
        const bool unterminated = hasDefect(defects, LayoutDefect::UnterminatedText, p.name);
        if (unterminated || hasDefect(defects, LayoutDefect::LengthsPastSection, p.name))
            storeLengthsPastSection(section, unterminated, p.text.size() * 2 + 2);
        sections.push_back(std::move(section));
    }
    sections.push_back(marker("pae1"));
    sections.push_back(groupSection({rootGroup, {}}));
    if (!groups.empty()) {
        sections.push_back(marker("grs1"));
        for (const auto& g : groups)
            sections.push_back(groupSection(g));
        sections.push_back(marker("gre1"));
    }

    std::size_t total = 16;
    for (const auto& s : sections)
        total += s.size();

    ByteWriter out;
    out.text("RLYT").be16(0xFEFF).be16(version).be32(static_cast<std::uint32_t>(total)).be16(16);
    out.be16(static_cast<std::uint16_t>(sections.size()));
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::size_t at = out.size();
        out.bytes(sections[i]);
        const auto pane = std::find(textSectionIndex.begin(), textSectionIndex.end(), i);
        if (pane != textSectionIndex.end() &&
            hasDefect(defects, LayoutDefect::SectionSizePastEnd,
                      textPanes[static_cast<std::size_t>(pane - textSectionIndex.begin())].name))
            platform::writeBe32(out.data(), at + 4, static_cast<std::uint32_t>(total - at + 0x100));
    }
    out.zeros(trailingZeros);
    Bytes bytes = out.take();

    for (const auto& d : defects) {
        if (d.defect != LayoutDefect::MaterialCutOff)
            continue;
        const std::size_t entry = findMaterialEntry(bytes, d.name);
        if (entry != platform::NOT_FOUND) {
            bytes.resize(entry + 0x1A);
            platform::writeBe32(bytes, 8, static_cast<std::uint32_t>(bytes.size()));
        }
    }
    return bytes;
}

std::size_t findTextSection(ByteView layout, std::string_view name)
{
    Bytes needle = platform::bytesOf(name);
    needle.push_back(0);
    for (std::size_t at = platform::findBytes(layout, platform::bytesOf("txt1")); at != platform::NOT_FOUND;
         at = platform::findBytes(layout, platform::bytesOf("txt1"), at + 4)) {
        if (at + 0x0C + needle.size() <= layout.size() &&
            std::equal(needle.begin(), needle.end(), layout.begin() + static_cast<std::ptrdiff_t>(at + 0x0C)))
            return at;
    }
    return platform::NOT_FOUND;
}

std::uint32_t sectionSizeAt(ByteView layout, std::size_t offset)
{
    platform::ByteReader r(layout);
    r.seek(offset + 4);
    return r.be32();
}

std::size_t findMaterialEntry(ByteView layout, std::string_view name)
{
    const std::size_t section = platform::findBytes(layout, platform::bytesOf("mat1"));
    if (section == platform::NOT_FOUND)
        return platform::NOT_FOUND;
    platform::ByteReader r(layout);
    r.seek(section + 8);
    const std::uint16_t count = r.be16();
    r.skip(2);
    for (std::uint16_t i = 0; i < count && !r.failed(); ++i) {
        const std::size_t entry = section + r.be32();
        if (r.failed() || entry + name.size() > layout.size())
            break;
        const auto field = layout.subspan(entry, std::min<std::size_t>(20, layout.size() - entry));
        const std::size_t len = static_cast<std::size_t>(std::find(field.begin(), field.end(), 0) - field.begin());
        if (std::string_view(reinterpret_cast<const char*>(field.data()), len) == name)
            return entry;
    }
    return platform::NOT_FOUND;
}

} // namespace test_support
