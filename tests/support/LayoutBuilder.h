#pragma once

// Builds banner layouts (.brlyt) for tests: a real file header with the section count and total size,
// lyt1, txl1, fnl1, mat1 with named materials and their colours, a root pane wrapping picture and text
// panes (pas1/pae1), and a root group with one sub-group per language (grs1/gre1), ending in gre1.
//
// Everything is a public field, so a test changes what it needs and calls build():
//
//     auto layout = LayoutBuilder::vcBanner();          // the seven languages, T_PF, scheme materials
//     layout.textPane("T_Year_ENG")->text = u"1986";
//     layout.withDefect(LayoutDefect::OddTextLength, "T_Play_GER");
//     platform::Bytes bytes = layout.build();
//
// Texts are the UTF-16 code units as the file stores them (a line break is U+000A, not "^").

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/Bytes.h"

namespace test_support {

// One colour register of a material: red, green, blue, alpha as the file's signed 16-bit values.
struct LayoutColor
{
    std::int16_t r = 0, g = 0, b = 0, a = 255;
    bool operator==(const LayoutColor&) const = default;
};

struct LayoutMaterial
{
    std::string name; // up to 20 ASCII characters
    LayoutColor color1{0, 0, 0, 255};
    LayoutColor color2{255, 255, 255, 255};
};

// A txt1 pane. The optional fields override what the builder would write, to make inconsistent or
// damaged sections; left empty the section is canonical (both lengths = text bytes with terminator,
// text at 0x74, zero padding to a multiple of 4).
struct LayoutTextPane
{
    std::string name;     // up to 16 ASCII characters
    std::u16string text;  // code units without terminator
    std::string material; // material the pane uses; empty = the material of the same name, else index 0
    // Unused text-buffer space after the terminator, as real files keep it: counted in the buffer length
    // (0x4C), stored as zero bytes inside the section before the padding.
    std::uint16_t extraBufferBytes = 0;

    std::optional<std::uint16_t> bufferLengthField; // 0x4C
    std::optional<std::uint16_t> textLengthField;   // 0x4E
    std::optional<std::uint32_t> textOffsetField;   // 0x58
    std::optional<std::uint32_t> sizeField;         // 0x04
    std::optional<std::size_t> paddingBytes;        // zero bytes after text and buffer space
};

// A pic1 pane (one set of texture coordinates) drawn with a material.
struct LayoutPicturePane
{
    std::string name;
    std::string material; // empty = the material of the same name, else index 0
};

// A grp1 group: a name and the names of its panes.
struct LayoutGroup
{
    std::string name;
    std::vector<std::string> panes;
};

// Damage applied to one named pane or material when the layout is built.
enum class LayoutDefect {
    SectionSizePastEnd,    // the txt1 section's size field claims 0x100 bytes more than the file holds
    OddTextLength,         // the txt1 text length (0x4E) is odd
    TextLengthPastSection, // the txt1 text length is larger than its whole section
    // As layouts made by other layout tools store them: the buffer length (0x4C) is 0x202 and the text
    // length (0x4E) runs 0x26 bytes past the end of the section; the text is terminated inside it.
    LengthsPastSection,
    // The same lengths, and the text runs to the end of its section without a 00 00 terminator.
    UnterminatedText,
    TextOffsetPastSection, // the txt1 text offset (0x58) points past the end of its section
    MaterialCutOff,        // the file ends inside the material's colour 1 (0x1A bytes after its name)
};

struct LayoutDefectSite
{
    LayoutDefect defect;
    std::string name;
};

// The language codes of the banner panes, in the order the editor lists them.
const std::vector<std::string>& layoutLanguages();

// The nineteen colour-scheme materials of a banner layout with the given title languages: PFLine, T_PF,
// Shade, Back0-4, YearLine, PlayLine, T_VCTitle_/T_Play_/T_Year_/T_ESRB_ + each language (or the
// base names when languages is empty), VCPic, VCPicBase, VCPicSha, BackMask1, BackMask2.
std::vector<std::string> schemeMaterialNames(const std::vector<std::string>& languages);

struct LayoutBuilder
{
    std::uint16_t version = 8;
    float width = 608.0f, height = 456.0f;
    std::vector<std::string> textures{"my_Back_a.tpl", "VCPic.tpl"};
    std::vector<std::string> fonts{"wbf1.brfna"};
    std::vector<LayoutMaterial> materials;
    std::string rootPane = "RootPane";
    std::vector<LayoutPicturePane> picturePanes; // written first inside the root pane
    std::vector<LayoutTextPane> textPanes;       // then these, in this order
    std::string rootGroup = "RootGroup";
    std::vector<LayoutGroup> groups; // sub-groups of the root group
    std::size_t trailingZeros = 0;   // padding after the layout's end (not counted in the header size)
    std::vector<LayoutDefectSite> defects;

    // A Virtual Console banner: for each language the panes T_VCTitle_, T_Year_, T_Play_, T_ESRB_ + code
    // with sample texts (line breaks in the titles), the pane T_PF, the scheme materials with distinct
    // colours, a picture pane per non-text material and a group "L" + code per language.
    static LayoutBuilder vcBanner(const std::vector<std::string>& languages = layoutLanguages());
    // The same with one language and pane names without suffix: T_VCTitle, T_Year, T_Play, T_ESRB, T_PF.
    static LayoutBuilder vcBannerSingle();

    // Appends (or, for an existing name, replaces) and returns *this for chaining.
    LayoutBuilder& material(std::string name, LayoutColor color1, LayoutColor color2);
    LayoutBuilder& text(std::string name, std::u16string text, std::uint16_t extraBufferBytes = 0);
    LayoutBuilder& picture(std::string name, std::string material = {});
    LayoutBuilder& group(std::string name, std::vector<std::string> panes);
    LayoutBuilder& withDefect(LayoutDefect defect, std::string name);

    // The pane or material of that exact name, or nullptr.
    LayoutTextPane* textPane(std::string_view name);
    LayoutMaterial* findMaterial(std::string_view name);

    platform::Bytes build() const;
};

// One canonical (or overridden) txt1 section on its own; materialIndex goes to 0x50.
platform::Bytes buildTextSection(const LayoutTextPane& pane, std::uint16_t materialIndex = 0);

// Independent of the code under test: the offset of the first txt1 section whose name field is exactly
// name (name followed by a 00 byte), or platform::NOT_FOUND; and that section's size field.
std::size_t findTextSection(platform::ByteView layout, std::string_view name);
std::uint32_t sectionSizeAt(platform::ByteView layout, std::size_t offset);

// Offset of the entry of the material with exactly that name inside mat1, or platform::NOT_FOUND.
std::size_t findMaterialEntry(platform::ByteView layout, std::string_view name);

} // namespace test_support
