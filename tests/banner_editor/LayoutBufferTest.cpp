#include "banner_editor/LayoutBuffer.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "support/LayoutBuilder.h"
#include "support/TempFolder.h"

using namespace banner_editor;
using platform::Bytes;
using test_support::findTextSection;
using test_support::LayoutBuilder;
using test_support::LayoutDefect;
using test_support::LayoutTextPane;
using test_support::sectionSizeAt;

namespace {

Bytes slice(const Bytes& b, std::size_t from, std::size_t n)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

std::uint16_t be16At(const Bytes& b, std::size_t at)
{
    return platform::readBe16(b, at);
}

LayoutTextPane namedPane(std::string name, std::u16string text)
{
    LayoutTextPane pane;
    pane.name = std::move(name);
    pane.text = std::move(text);
    return pane;
}

LayoutBuilder yearPanes()
{
    LayoutBuilder b;
    b.material("T_Year", {}, {});
    b.text("T_Year", u"1985").text("T_Year_ENG", u"1986").text("T_Play_ENG", u"1-4");
    return b;
}

} // namespace

TEST(LayoutBuffer, RewritesPaneInCanonicalFormWithAndWithoutPadding)
{
    struct Case
    {
        std::u16string text;
        Bytes textBytes; // text, terminator, padding
        std::uint16_t length;
    };
    const Case cases[] = {
        {u"ABC", {0x00, 0x41, 0x00, 0x42, 0x00, 0x43, 0x00, 0x00}, 8},
        {u"AB", {0x00, 0x41, 0x00, 0x42, 0x00, 0x00, 0x00, 0x00}, 6},
        {u"\u30B9", {0x30, 0xB9, 0x00, 0x00}, 4},
        {u"ABCDE", {0x00, 0x41, 0x00, 0x42, 0x00, 0x43, 0x00, 0x44, 0x00, 0x45, 0x00, 0x00}, 12},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
        const Bytes before = yearPanes().build();
        const std::size_t at = findTextSection(before, "T_Year_ENG");
        const std::uint32_t oldSize = sectionSizeAt(before, at);

        Bytes after = before;
        Set_Txt1_Text(after, "T_Year_ENG", c.text);

        const std::uint32_t newSize = sectionSizeAt(after, at);
        EXPECT_EQ(newSize, 0x74 + c.textBytes.size());
        EXPECT_EQ(newSize % 4, 0u);
        EXPECT_EQ(after.size(), before.size() - oldSize + newSize);
        EXPECT_EQ(be16At(after, at + 0x4C), c.length);
        EXPECT_EQ(be16At(after, at + 0x4E), c.length);
        EXPECT_EQ(slice(after, at + 0x74, c.textBytes.size()), c.textBytes);
        // The section head apart from size and lengths, and everything around the section, is untouched.
        EXPECT_EQ(slice(after, 0, at + 4), slice(before, 0, at + 4));
        EXPECT_EQ(slice(after, at + 8, 0x44), slice(before, at + 8, 0x44));
        EXPECT_EQ(slice(after, at + 0x50, 0x24), slice(before, at + 0x50, 0x24));
        EXPECT_EQ(slice(after, at + newSize, after.size() - at - newSize),
                  slice(before, at + oldSize, before.size() - at - oldSize));
        EXPECT_EQ(Get_Txt1_Text(after, "T_Year_ENG"), c.text);
    }
}

TEST(LayoutBuffer, LineBreakMarkerAndLineFeed)
{
    EXPECT_EQ(Text_To_Uni(u"A^B"), (Bytes{0x00, 0x41, 0x00, 0x0A, 0x00, 0x42}));
    EXPECT_EQ(Text_To_Uni(u"\u00E9\u5E74"), (Bytes{0x00, 0xE9, 0x5E, 0x74}));
    EXPECT_TRUE(Text_To_Uni(u"").empty());

    EXPECT_EQ(Uni_To_Text(Bytes{0x00, 0x41, 0x00, 0x0A, 0x00, 0x42, 0x00, 0x00, 0x00, 0x00}), u"A^B");
    EXPECT_EQ(Uni_To_Text(Bytes{0x00, 0x00, 0x00, 0x41}), u"A"); // every U+0000 is dropped
    EXPECT_EQ(Uni_To_Text(Bytes{0x00, 0x41, 0x00}), u"A");       // a lone last byte is no character
    EXPECT_EQ(Uni_To_Text(Bytes{}), u"");

    Bytes layout = yearPanes().build();
    Set_Txt1_Text(layout, "T_Play_ENG", u"1^2");
    const std::size_t at = findTextSection(layout, "T_Play_ENG");
    EXPECT_EQ(slice(layout, at + 0x74, 8), (Bytes{0x00, 0x31, 0x00, 0x0A, 0x00, 0x32, 0x00, 0x00}));
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Play_ENG"), u"1^2");
}

TEST(LayoutBuffer, ReadsExactNameWritesLastPrefixMatch)
{
    const Bytes original = yearPanes().build();
    EXPECT_EQ(Get_Txt1_Text(original, "T_Year"), u"1985");
    EXPECT_EQ(Get_Txt1_Text(original, "T_Year_ENG"), u"1986");
    EXPECT_EQ(Get_Txt1_Text(original, "T_Year_"), u"");
    EXPECT_EQ(Get_Txt1_Text(original, "T_PF"), u"");

    LayoutBuilder onlyEnglish;
    onlyEnglish.text("T_Year_ENG", u"1986");
    EXPECT_EQ(Get_Txt1_Text(onlyEnglish.build(), "T_Year"), u"");

    // A plain name is a prefix: the last pane beginning with it ("T_Year_ENG") is written.
    Bytes layout = original;
    Set_Txt1_Text(layout, "T_Year", u"2001");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year"), u"1985");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year_ENG"), u"2001");

    // "_NONE" addresses exactly the pane without language.
    layout = original;
    Set_Txt1_Text(layout, "T_Year_NONE", u"2002");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year"), u"2002");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year_ENG"), u"1986");

    // A missing pane leaves the buffer as it was.
    layout = original;
    Set_Txt1_Text(layout, "T_ESRB_NONE", u"E");
    Set_Txt1_Text(layout, "T_VCTitle", u"Game");
    EXPECT_EQ(layout, original);
}

TEST(LayoutBuffer, PanesOfEqualSizeSharingANamePrefixAreKeptApart)
{
    // Same text length, so both sections are equal in size and flags: only the names tell them apart.
    LayoutBuilder b;
    b.text("T_Year", u"1985").text("T_Year_ENG", u"1986");
    const Bytes original = b.build();

    Bytes layout = original;
    Set_Txt1_Text(layout, "T_Year_ENG", u"1999");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year"), u"1985");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year_ENG"), u"1999");

    layout = original;
    Set_Txt1_Text(layout, "T_Year_NONE", u"1999");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year"), u"1999");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year_ENG"), u"1986");
}

TEST(LayoutBuffer, RewriteChangesEveryByteForByteCopyOfThePane)
{
    // The same pane twice, byte for byte (here a copy appended behind the layout): both change.
    LayoutBuilder b;
    b.text("T_PF", u"NES").text("T_Year", u"1985");
    Bytes layout = b.build();
    const std::size_t first = findTextSection(layout, "T_PF");
    ASSERT_NE(first, platform::NOT_FOUND);
    const Bytes copy = slice(layout, first, sectionSizeAt(layout, first));
    layout.insert(layout.end(), copy.begin(), copy.end());

    Set_Txt1_Text(layout, "T_PF", u"Famicom");
    const Bytes rewritten = buildTextSection(namedPane("T_PF", u"Famicom"));
    const std::size_t second = layout.size() - rewritten.size();
    EXPECT_EQ(slice(layout, first, rewritten.size()), rewritten);
    EXPECT_EQ(slice(layout, second, rewritten.size()), rewritten);
    EXPECT_EQ(Get_Txt1_Text(layout, "T_Year"), u"1985");

    // Without copies only the located section changes and the rest of the buffer keeps its bytes.
    const Bytes single = yearPanes().build();
    Bytes edited = single;
    Set_Txt1_Text(edited, "T_Year_NONE", u"1999");
    const std::size_t at = findTextSection(single, "T_Year");
    const std::size_t oldEnd = at + sectionSizeAt(single, at);
    const std::size_t newEnd = at + sectionSizeAt(edited, at);
    EXPECT_EQ(slice(edited, 0, at), slice(single, 0, at));
    EXPECT_EQ(slice(edited, newEnd, edited.size() - newEnd), slice(single, oldEnd, single.size() - oldEnd));
}

TEST(LayoutBuffer, EmptyTextLeavesBufferIdentical)
{
    const Bytes original = LayoutBuilder::vcBanner().build();
    for (const char* name : {"T_VCTitle_ENG", "T_Year_NONE", "T_PF", "T_Nothing"}) {
        Bytes layout = original;
        Set_Txt1_Text(layout, name, u"");
        EXPECT_EQ(layout, original) << name;
    }
}

TEST(LayoutBuffer, RewritingTheSameTextCanonicalisesTheSection)
{
    struct Case
    {
        const char* what;
        void (*damage)(LayoutTextPane&);
    };
    const Case cases[] = {
        {"buffer length larger than the text", [](LayoutTextPane& p) { p.bufferLengthField = 0x40; }},
        {"buffer length smaller than the text", [](LayoutTextPane& p) { p.bufferLengthField = 2; }},
        {"unused buffer space after the terminator", [](LayoutTextPane& p) { p.extraBufferBytes = 0x1E; }},
        {"padding of eight bytes", [](LayoutTextPane& p) { p.paddingBytes = 8; }},
        {"no padding", [](LayoutTextPane& p) { p.paddingBytes = 0; }},
        {"text length without terminator", [](LayoutTextPane& p) { p.textLengthField = 8; }},
        {"text offset unusable, counted from the end", [](LayoutTextPane& p) { p.textOffsetField = 0; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LayoutBuilder canonical;
        canonical.text("T_VCTitle", u"Link").text("T_PF", u"NES");
        LayoutBuilder damaged = canonical;
        c.damage(*damaged.textPane("T_VCTitle"));

        Bytes layout = damaged.build();
        const std::u16string text = Get_Txt1_Text(layout, "T_VCTitle");
        EXPECT_EQ(text, u"Link");
        Set_Txt1_Text(layout, "T_VCTitle", text);
        Set_File_Len(layout);
        // The head in front of the text is carried over as it stands, stored text offset included.
        canonical.textPane("T_VCTitle")->textOffsetField = damaged.textPane("T_VCTitle")->textOffsetField;
        EXPECT_EQ(layout, canonical.build());
    }

    // A stored offset just past the end of the section, with no text counted back: the text is appended
    // behind the section, and the offset is set to it, so that the grown section does not take the old
    // offset for the text's start. A second write of the same text then changes nothing.
    LayoutTextPane pane = namedPane("T_PF", u"");
    pane.paddingBytes = 0;
    pane.textLengthField = 0;
    Bytes section = test_support::buildTextSection(pane);
    section.resize(0x78);
    section[0x77] = 0x04; // the section no longer ends in zero bytes
    platform::writeBe32(section, 4, 0x78);
    platform::writeBe32(section, 0x58, 0x79);
    Set_Txt1_Text(section, "T_PF", u"SNES");
    EXPECT_EQ(platform::readBe32(section, 0x58), 0x78u);
    EXPECT_EQ(Get_Txt1_Text(section, "T_PF"), u"SNES");
    const Bytes once = section;
    Set_Txt1_Text(section, "T_PF", u"SNES");
    EXPECT_EQ(section, once);
}

TEST(LayoutBuffer, TextStartsAtStoredOffsetBeforeUnusedBufferSpace)
{
    // As in real layouts: the pane reserves more text space than its text uses, so the section ends in
    // zero bytes that are not padding. Counting back from the end would take the wrong bytes.
    LayoutBuilder b;
    b.text("T_VCTitle_ENG", u"Kid Icarus", 0x22).text("T_PF", u"NES", 0x06);
    Bytes layout = b.build();
    EXPECT_EQ(Get_Txt1_Text(layout, "T_VCTitle_ENG"), u"Kid Icarus");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_PF"), u"NES");

    Set_Txt1_Text(layout, "T_VCTitle_ENG", u"Metroid");
    Set_Txt1_Text(layout, "T_PF", u"Famicom");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_VCTitle_ENG"), u"Metroid");
    EXPECT_EQ(Get_Txt1_Text(layout, "T_PF"), u"Famicom");
    const std::size_t at = findTextSection(layout, "T_VCTitle_ENG");
    EXPECT_EQ(platform::readBe32(layout, at + 0x58), 0x74u);
    EXPECT_EQ(sectionSizeAt(layout, at), 0x74u + 16);
}

TEST(LayoutBuffer, SetFileLenWritesBufferLength)
{
    Bytes buffer(4660, 0xAB);
    Set_File_Len(buffer);
    EXPECT_EQ(slice(buffer, 8, 4), (Bytes{0x00, 0x00, 0x12, 0x34}));
    EXPECT_EQ(slice(buffer, 0, 8), Bytes(8, 0xAB));
    EXPECT_EQ(slice(buffer, 12, buffer.size() - 12), Bytes(buffer.size() - 12, 0xAB));
    EXPECT_EQ(buffer.size(), 4660u);

    Bytes tooShort(11, 0xAB);
    Set_File_Len(tooShort);
    EXPECT_EQ(tooShort, Bytes(11, 0xAB));
}

TEST(LayoutBuffer, MaterialColoursReadAndWritten)
{
    LayoutBuilder b;
    b.material("Back0", {10, 20, 30, 40}, {50, 60, 70, 80});
    b.material("T_Year_ENG", {1, 1, 1, 255}, {2, 2, 2, 255});
    b.material("ABCDEFGHIJKLMNOPQRST", {7, 8, 9, 255}, {4, 5, 6, 255}); // 20 characters, unterminated
    const Bytes original = b.build();
    const std::size_t m = test_support::findMaterialEntry(original, "Back0");
    ASSERT_NE(m, platform::NOT_FOUND);

    EXPECT_EQ(readMaterialColors(original, "Back0"), (MaterialColors{10, 20, 30, 50, 60, 70}));
    EXPECT_EQ(readMaterialColors(original, "ABCDEFGHIJKLMNOPQRST"), (MaterialColors{7, 8, 9, 4, 5, 6}));
    EXPECT_FALSE(readMaterialColors(original, "T_Year")); // a prefix of a name is another name
    EXPECT_FALSE(readMaterialColors(original, "Back"));
    EXPECT_FALSE(readMaterialColors(original, "ABCDEFGHIJKLMNOPQRSTU"));

    Bytes layout = original;
    Set_Mat_Colors(layout, "Back0", {255, 128, 0, 1, 2, 3});
    ASSERT_EQ(layout.size(), original.size());
    EXPECT_EQ(slice(layout, m + 0x15, 13),
              (Bytes{0xFF, 0x00, 0x80, 0x00, 0x00, 0x00, 0x00, 0x00, 0x01, 0x00, 0x02, 0x00, 0x03}));
    EXPECT_EQ(slice(layout, 0, m + 0x15), slice(original, 0, m + 0x15));
    EXPECT_EQ(slice(layout, m + 0x22, layout.size() - m - 0x22), slice(original, m + 0x22, original.size() - m - 0x22));
    EXPECT_EQ(readMaterialColors(layout, "Back0"), (MaterialColors{255, 128, 0, 1, 2, 3}));

    layout = original;
    Set_Mat_Colors(layout, "Shade", {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(layout, original);
}

TEST(LayoutBuffer, PaneNamedLikeAMissingMaterialIsNotTouched)
{
    // The picture pane "Shade" carries the name followed by zeros, like a material entry would.
    LayoutBuilder b;
    b.material("Back0", {}, {});
    b.picture("Shade", "Back0").text("T_PF", u"NES");
    const Bytes original = b.build();
    Bytes layout = original;
    EXPECT_FALSE(readMaterialColors(layout, "Shade"));
    EXPECT_FALSE(readMaterialColors(layout, "T_PF"));
    Set_Mat_Colors(layout, "Shade", {1, 2, 3, 4, 5, 6});
    Set_Mat_Colors(layout, "T_PF", {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(layout, original);

    // Without any materials section the whole buffer is searched.
    Bytes bare = platform::bytesOf("xxxxBack0");
    bare.resize(bare.size() + 15 + 0x20, 0);
    Set_Mat_Colors(bare, "Back0", {9, 8, 7, 6, 5, 4});
    EXPECT_EQ(readMaterialColors(bare, "Back0"), (MaterialColors{9, 8, 7, 6, 5, 4}));
}

TEST(LayoutBuffer, MalformedPanesReadEmptyAndStayUnchanged)
{
    const std::pair<LayoutDefect, PaneWrite> defects[] = {{LayoutDefect::SectionSizePastEnd, PaneWrite::Damaged},
                                                          {LayoutDefect::OddTextLength, PaneWrite::Damaged},
                                                          {LayoutDefect::UnterminatedText, PaneWrite::Unterminated}};
    for (const auto& [defect, refusal] : defects) {
        SCOPED_TRACE(static_cast<int>(defect));
        // The damaged pane is the last one, so its size can run past the end of the whole file.
        LayoutBuilder b;
        b.text("T_Year_ENG", u"1986").text("T_VCTitle_ENG", u"Title").withDefect(defect, "T_VCTitle_ENG");
        const Bytes original = b.build();
        EXPECT_EQ(Get_Txt1_Text(original, "T_VCTitle_ENG"), u"");
        Bytes layout = original;
        EXPECT_EQ(Set_Txt1_Text(layout, "T_VCTitle_ENG", u"New title"), refusal);
        EXPECT_EQ(layout, original);
        // Its neighbour still works.
        Set_Txt1_Text(layout, "T_Year_ENG", u"2000");
        EXPECT_EQ(Get_Txt1_Text(layout, "T_Year_ENG"), u"2000");
    }

    // A size that reaches over the next pane: rewriting it would change that pane's head, and the next
    // write of the same name would find the changed neighbour (found by fuzzing).
    {
        LayoutBuilder b;
        b.text("T_Year_ENG", u"1986").text("T_VCTitle_ENG", u"Title");
        b.textPane("T_Year_ENG")->sizeField = 0x200;
        const Bytes original = b.build();
        Bytes layout = original;
        EXPECT_EQ(Set_Txt1_Text(layout, "T_Year_ENG", u"2000"), PaneWrite::Damaged);
        EXPECT_EQ(layout, original);
        EXPECT_EQ(Get_Txt1_Text(layout, "T_VCTitle_ENG"), u"Title");
    }

    // A text offset past the section falls back to counting from the end, which a canonical pane allows.
    LayoutBuilder b;
    b.text("T_PF", u"SNES").withDefect(LayoutDefect::TextOffsetPastSection, "T_PF");
    EXPECT_EQ(Get_Txt1_Text(b.build(), "T_PF"), u"SNES");

    // Counting back from the end would start the text inside the text box fields (0x50-0x73): a text
    // length longer than the text area. Writing there would overwrite the pane's colours and font size.
    LayoutTextPane overlapping = namedPane("T_PF", u"SNES");
    overlapping.textOffsetField = 0;
    overlapping.textLengthField = 10 + 0x10;
    const Bytes overlap = test_support::buildTextSection(overlapping);
    EXPECT_EQ(Get_Txt1_Text(overlap, "T_PF"), u"");
    Bytes overlapEdited = overlap;
    Set_Txt1_Text(overlapEdited, "T_PF", u"\u0000\u0074Famicom Disk");
    EXPECT_EQ(overlapEdited, overlap);

    // Sections too short for the text box fields: shorter than their first fields (0x40), or holding
    // the length fields but ending inside the text box (0x60, with an unusable text offset), with a
    // short text length or one longer than the whole section.
    const std::pair<std::uint32_t, std::uint16_t> shortSections[] = {{0x40, 2}, {0x60, 2}, {0x60, 0x100}};
    for (const auto& [size, length] : shortSections) {
        SCOPED_TRACE(size);
        LayoutTextPane tiny;
        tiny.name = "T_PF";
        tiny.textOffsetField = 0;
        tiny.textLengthField = length;
        Bytes section = test_support::buildTextSection(tiny);
        platform::writeBe32(section, 4, size);
        EXPECT_EQ(Get_Txt1_Text(section, "T_PF"), u"");
        Bytes copy = section;
        Set_Txt1_Text(copy, "T_PF", u"NES");
        EXPECT_EQ(copy, section);
    }
}

// Layouts made by other layout tools store a text length (and buffer length) that runs past the end of
// the section: the text is the one up to its terminator, and a rewrite replaces it as usual while every
// other section stays byte-identical.
TEST(LayoutBuffer, TextLengthPastTheSectionEndsAtTheTerminator)
{
    for (const auto defect : {LayoutDefect::LengthsPastSection, LayoutDefect::TextLengthPastSection}) {
        SCOPED_TRACE(static_cast<int>(defect));
        LayoutBuilder b;
        b.text("T_Year_ENG", u"1986").text("TextBox_00", u"Author Credit\n", 0x10).text("T_PF", u"NES");
        b.withDefect(defect, "TextBox_00");
        const Bytes original = b.build();
        const std::size_t at = findTextSection(original, "TextBox_00");
        ASSERT_GT(be16At(original, at + 0x4E), sectionSizeAt(original, at) - 0x74);
        EXPECT_EQ(Get_Txt1_Text(original, "TextBox_00"), u"Author Credit^");

        Bytes layout = original;
        ASSERT_EQ(Set_Txt1_Text(layout, "TextBox_00", u"Hello^World"), PaneWrite::Written);
        EXPECT_EQ(Get_Txt1_Text(layout, "TextBox_00"), u"Hello^World");
        const std::uint32_t newSize = sectionSizeAt(layout, at);
        EXPECT_EQ(newSize, 0x74u + 24); // 11 characters and the terminator: no padding
        EXPECT_EQ(be16At(layout, at + 0x4C), 24);
        EXPECT_EQ(be16At(layout, at + 0x4E), 24);
        EXPECT_EQ(slice(layout, 0, at + 4), slice(original, 0, at + 4));
        EXPECT_EQ(slice(layout, at + 8, 0x44), slice(original, at + 8, 0x44));
        EXPECT_EQ(slice(layout, at + 0x50, 0x24), slice(original, at + 0x50, 0x24));
        const std::size_t oldEnd = at + sectionSizeAt(original, at);
        EXPECT_EQ(slice(layout, at + newSize, layout.size() - at - newSize),
                  slice(original, oldEnd, original.size() - oldEnd));
    }
}

TEST(LayoutBuffer, MaterialCutOffByEndOfFileIsNotFound)
{
    LayoutBuilder b;
    b.material("Back0", {}, {}).material("Back1", {1, 2, 3, 255}, {4, 5, 6, 255});
    b.withDefect(LayoutDefect::MaterialCutOff, "Back1");
    const Bytes original = b.build();
    EXPECT_FALSE(readMaterialColors(original, "Back1"));
    EXPECT_TRUE(readMaterialColors(original, "Back0"));
    Bytes layout = original;
    Set_Mat_Colors(layout, "Back1", {9, 9, 9, 9, 9, 9});
    EXPECT_EQ(layout, original);
}

TEST(LayoutBuffer, EveryTruncatedCopyIsHandledSafely)
{
    const Bytes full = LayoutBuilder::vcBanner({"ENG", "JPN"}).build();
    for (std::size_t n = 0; n < full.size(); ++n) {
        const Bytes cut(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(n));
        for (const char* pane : {"T_VCTitle_ENG", "T_ESRB_JPN", "T_PF"}) {
            const std::u16string text = Get_Txt1_Text(cut, pane);
            Bytes edited = cut;
            Set_Txt1_Text(edited, pane, u"Edited^text");
            // A pane that reads at all lies wholly inside the copy, and so does its rewrite.
            if (text.empty()) {
                ASSERT_EQ(edited, cut) << pane << " at " << n;
            } else {
                ASSERT_EQ(Get_Txt1_Text(edited, pane), u"Edited^text") << pane << " at " << n;
            }
        }
        Bytes edited = cut;
        Set_Mat_Colors(edited, "BackMask2", {1, 2, 3, 4, 5, 6});
        ASSERT_EQ(edited.size(), n);
        (void)readMaterialColors(cut, "T_PF");
        (void)textPaneNames(cut);
        Set_File_Len(edited);
    }
}

TEST(LayoutBuffer, DamagedBytesNeverCrash)
{
    const Bytes full = LayoutBuilder::vcBanner({"ENG"}).build();
    std::uint32_t seed = 12345;
    const auto next = [&seed] { return seed = seed * 1103515245u + 12345u; };
    for (int round = 0; round < 300; ++round) {
        Bytes damaged = full;
        for (int k = 0; k < 8; ++k)
            damaged[(next() >> 8) % damaged.size()] = static_cast<std::uint8_t>(next() >> 16);
        for (const char* pane : {"T_VCTitle_ENG", "T_Year_ENG", "T_PF"}) {
            (void)Get_Txt1_Text(damaged, pane);
            Set_Txt1_Text(damaged, pane, u"Game^Title");
        }
        Set_Mat_Colors(damaged, "Back2", {1, 2, 3, 4, 5, 6});
        Set_File_Len(damaged);
    }
}

TEST(LayoutBuffer, ListsTextPaneNamesInFileOrder)
{
    const auto names = textPaneNames(LayoutBuilder::vcBannerSingle().build());
    EXPECT_EQ(names, (std::vector<std::string>{"T_VCTitle", "T_Year", "T_Play", "T_ESRB", "T_PF"}));
    EXPECT_TRUE(textPaneNames(Bytes{}).empty());
    EXPECT_TRUE(textPaneNames(platform::bytesOf("....txt1....")).empty());

    // The list takes the 20 bytes from the name field on: a full 16-byte name runs into 4 bytes of user
    // data and no further; a shorter name ends at its first 00 byte.
    Bytes section = buildTextSection(namedPane("T_Sixteen_Chars_", u"x"));
    const Bytes userData = platform::bytesOf("ABCDEFGH");
    std::copy(userData.begin(), userData.end(), section.begin() + 0x1C);
    EXPECT_EQ(textPaneNames(section), (std::vector<std::string>{"T_Sixteen_Chars_ABCD"}));
    Bytes shortName = buildTextSection(namedPane("T_PF", u"x"));
    std::copy(userData.begin(), userData.end(), shortName.begin() + 0x1C);
    EXPECT_EQ(textPaneNames(shortName), (std::vector<std::string>{"T_PF"}));
}

TEST(LayoutBuffer, FileRoundTripReplacesOldFile)
{
    test_support::TempFolder folder;
    const Bytes layout = LayoutBuilder::vcBannerSingle().build();
    Bytes older = LayoutBuilder::vcBanner().build();
    older.resize(100000, 0);
    const auto path = folder.write("banner.brlyt", older);
    ASSERT_TRUE(writeLayoutFile(path, layout).ok());
    const auto back = readLayoutFile(path);
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(*back, layout);

    const auto missing = readLayoutFile(folder / "nothing.brlyt");
    ASSERT_FALSE(missing.ok());
    EXPECT_FALSE(writeLayoutFile(folder / "no folder" / "x.brlyt", layout).ok());

    // A file of another kind is neither read as a layout nor written over.
    const Bytes other(100, 0x55);
    const auto notes = folder.write("notes.brlyt", other);
    for (const auto& error :
         {readLayoutFile(notes).error(), platform::Result<void>(writeLayoutFile(notes, layout)).error()}) {
        EXPECT_EQ(error.kind, platform::ErrorKind::BadFormat);
        EXPECT_EQ(error.message, "'" + notes.string() + "' is not a banner layout (a layout starts with \"RLYT\")");
    }
    EXPECT_EQ(test_support::readAll(notes), other);
}
