// The layout buffer on whole files: the real layouts in the shared sample folder, the bundled sample
// layouts and the builder that writes them.

#include <algorithm>
#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

#include "banner_editor/LayoutBuffer.h"
#include "platform/ByteReader.h"
#include "support/LayoutBuilder.h"
#include "support/TempFolder.h"

using namespace banner_editor;
using platform::Bytes;
using test_support::LayoutBuilder;

namespace {

Bytes slice(const Bytes& b, std::size_t from, std::size_t n)
{
    return Bytes(b.begin() + static_cast<std::ptrdiff_t>(from), b.begin() + static_cast<std::ptrdiff_t>(from + n));
}

std::filesystem::path sourceRoot()
{
    return std::filesystem::path(SUITE_SOURCE_DIR);
}

// Walks the section chain the way a full parser would: returns the number of sections, or -1 when the
// chain does not end exactly at the size the header states.
int walkSections(const Bytes& layout)
{
    platform::ByteReader r(layout);
    r.seek(8);
    const std::uint32_t total = r.be32();
    const std::uint16_t headerSize = r.be16();
    r.seek(headerSize);
    int count = 0;
    while (!r.failed() && r.position() < total) {
        r.skip(4);
        const std::uint32_t size = r.be32();
        if (size < 8 || size % 4 != 0)
            return -1;
        r.skip(size - 8);
        ++count;
    }
    return !r.failed() && r.position() == total ? count : -1;
}

} // namespace

TEST(LayoutBufferFiles, BuilderWritesAConsistentSectionChain)
{
    for (const Bytes& layout :
         {LayoutBuilder::vcBanner().build(), LayoutBuilder::vcBannerSingle().build(), LayoutBuilder().build()}) {
        ASSERT_GE(layout.size(), 16u);
        EXPECT_EQ(slice(layout, 0, 8), (Bytes{'R', 'L', 'Y', 'T', 0xFE, 0xFF, 0x00, 0x08}));
        EXPECT_EQ(platform::readBe32(layout, 8), layout.size());
        EXPECT_EQ(walkSections(layout), platform::readBe16(layout, 14));
    }
    const Bytes banner = LayoutBuilder::vcBanner().build();
    EXPECT_EQ(slice(banner, banner.size() - 8, 8), (Bytes{'g', 'r', 'e', '1', 0, 0, 0, 8}));

    LayoutBuilder padded = LayoutBuilder::vcBannerSingle();
    padded.trailingZeros = 100;
    const Bytes withPadding = padded.build();
    EXPECT_EQ(platform::readBe32(withPadding, 8) + 100, withPadding.size());
}

TEST(LayoutBufferFiles, BundledSamplesMatchTheBuilder)
{
    // SUITE_WRITE_SAMPLES=1 rewrites the bundled samples from the builder.
    const auto folder = sourceRoot() / "samples" / "layouts";
    const std::pair<const char*, Bytes> samples[] = {
        {"vc_banner.brlyt", LayoutBuilder::vcBanner().build()},
        {"vc_banner_single.brlyt", LayoutBuilder::vcBannerSingle().build()},
    };
    for (const auto& [name, bytes] : samples) {
        if (std::getenv("SUITE_WRITE_SAMPLES")) {
            ASSERT_TRUE(writeLayoutFile(folder / name, bytes).ok());
        }
        const auto stored = readLayoutFile(folder / name);
        ASSERT_TRUE(stored.ok()) << stored.error().message;
        EXPECT_EQ(*stored, bytes) << name;
    }

    const Bytes banner = LayoutBuilder::vcBanner().build();
    EXPECT_EQ(textPaneNames(banner).size(), 7u * 4 + 1);
    EXPECT_EQ(Get_Txt1_Text(banner, "T_VCTitle_GER"), u"Sternenfahrt^Abenteuer");
    EXPECT_EQ(Get_Txt1_Text(banner, "T_Year_JPN"), u"1986\u5E74\u767A\u58F2");
    EXPECT_EQ(Get_Txt1_Text(banner, "T_PF"), u"NES");
    for (const auto& material : test_support::schemeMaterialNames(test_support::layoutLanguages()))
        EXPECT_TRUE(readMaterialColors(banner, material)) << material;
    const Bytes single = LayoutBuilder::vcBannerSingle().build();
    EXPECT_EQ(Get_Txt1_Text(single, "T_Year"), u"Released: 1986");
    EXPECT_EQ(Get_Txt1_Text(single, "T_Year_ENG"), u"");
}

TEST(LayoutBufferFiles, EditingOnePaneOfARealLayoutKeepsEveryOtherByte)
{
    const auto folder = test_support::realDataFolder("brlyt");
    if (folder.empty())
        GTEST_SKIP() << "no real layouts here";
    int edited = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".brlyt")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const auto read = readLayoutFile(entry.path());
        ASSERT_TRUE(read.ok());
        const Bytes& original = *read;

        const auto names = textPaneNames(original);
        std::map<std::string, std::u16string> texts;
        for (const auto& n : names)
            texts[n] = Get_Txt1_Text(original, n);
        for (const auto& name : names) {
            if (std::count(names.begin(), names.end(), name) != 1)
                continue;
            SCOPED_TRACE(name);
            const std::size_t at = test_support::findTextSection(original, name);
            const std::uint32_t oldSize = test_support::sectionSizeAt(original, at);
            const std::uint32_t start = platform::readBe32(original, at + 0x58);

            Bytes layout = original;
            // "_NONE" makes the write address exactly this name ("text" would also match "text_shadow").
            // A text length larger than its section (layouts of other tools) is rewritten as well.
            ASSERT_EQ(Set_Txt1_Text(layout, name + "_NONE", u"Edited^line"), PaneWrite::Written);
            const std::uint32_t newSize = test_support::sectionSizeAt(layout, at);
            EXPECT_EQ(Get_Txt1_Text(layout, name), u"Edited^line");
            EXPECT_EQ(slice(layout, 0, at + 4), slice(original, 0, at + 4));
            EXPECT_EQ(slice(layout, at + 8, 0x44), slice(original, at + 8, 0x44));
            EXPECT_EQ(slice(layout, at + 0x50, start - 0x50), slice(original, at + 0x50, start - 0x50));
            EXPECT_EQ(slice(layout, at + newSize, layout.size() - at - newSize),
                      slice(original, at + oldSize, original.size() - at - oldSize));
            for (const auto& [other, text] : texts) {
                if (other != name) {
                    EXPECT_EQ(Get_Txt1_Text(layout, other), text) << other;
                }
            }

            Set_File_Len(layout);
            EXPECT_EQ(platform::readBe32(layout, 8), layout.size());
            EXPECT_EQ(walkSections(layout), walkSections(original));
            ++edited;
        }
    }
    EXPECT_GT(edited, 10);
}

TEST(LayoutBufferFiles, ReadsTextsOfRealLayouts)
{
    const auto folder = test_support::realDataFolder("brlyt");
    if (folder.empty())
        GTEST_SKIP() << "no real layouts here";
    const auto read = [&](const char* file) { return readLayoutFile(folder / file).value(); };
    // Text buffer space beyond the text: the text is read from its stored offset.
    EXPECT_EQ(Get_Txt1_Text(read("usbcfgfwd_banner.brlyt"), "TitleText"), u"USB Channel");
    EXPECT_EQ(Get_Txt1_Text(read("cosmos_w076_license_icon_center.brlyt"), "class_50"), u"50\uFF43\uFF43");
    EXPECT_EQ(Get_Txt1_Text(read("cosmos_common_w024_rule_icon.brlyt"), "text"), u"\u3058\u3085\u3093\u3070\u3093");
    EXPECT_EQ(Get_Txt1_Text(read("oscfwd_icon.brlyt"), "T_Rcmd_00"), u"");
    // A text length that runs past the section: the text up to its terminator.
    EXPECT_EQ(Get_Txt1_Text(read("cosmos_author_message.brlyt"), "TextBox_00"), u"Author Credit^");
}

TEST(LayoutBufferFiles, EveryMaterialOfARealLayoutIsFoundAndRecoloured)
{
    const auto folder = test_support::realDataFolder("brlyt");
    if (folder.empty())
        GTEST_SKIP() << "no real layouts here";
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() != ".brlyt")
            continue;
        SCOPED_TRACE(entry.path().filename().string());
        const Bytes original = readLayoutFile(entry.path()).value();
        // The materials as a full parser sees them: mat1's count and offset table.
        const auto mat1 = platform::findBytes(original, platform::bytesOf("mat1"));
        ASSERT_NE(mat1, platform::NOT_FOUND);
        const std::uint16_t count = platform::readBe16(original, mat1 + 8);
        std::map<std::string, std::size_t> firstEntry;
        for (std::uint16_t i = 0; i < count; ++i) {
            const std::size_t at = mat1 + platform::readBe32(original, mat1 + 12 + 4u * i);
            const auto nameEnd = std::find(original.begin() + static_cast<std::ptrdiff_t>(at),
                                           original.begin() + static_cast<std::ptrdiff_t>(at + 20), 0);
            firstEntry.emplace(std::string(original.begin() + static_cast<std::ptrdiff_t>(at), nameEnd), at);
        }
        for (const auto& [name, at] : firstEntry) {
            SCOPED_TRACE(name);
            const auto colors = readMaterialColors(original, name);
            ASSERT_TRUE(colors);
            EXPECT_EQ(colors->r1, original[at + 0x15]);
            EXPECT_EQ(colors->b2, original[at + 0x21]);

            Bytes layout = original;
            Set_Mat_Colors(layout, name, {1, 2, 3, 4, 5, 6});
            EXPECT_EQ(slice(layout, at + 0x14, 14),
                      (Bytes{original[at + 0x14], 1, 0, 2, 0, 3, 0, 0, 0, 4, 0, 5, 0, 6}));
            EXPECT_EQ(slice(layout, 0, at + 0x14), slice(original, 0, at + 0x14));
            EXPECT_EQ(slice(layout, at + 0x22, layout.size() - at - 0x22),
                      slice(original, at + 0x22, original.size() - at - 0x22));
            ++checked;
        }
    }
    EXPECT_GT(checked, 100);
}
