#include "banner_editor/ColorScheme.h"

#include <algorithm>
#include <string>

#include <gtest/gtest.h>

#include "support/LayoutBuilder.h"
#include "support/TempFolder.h"

using namespace banner_editor;
using platform::Bytes;
using platform::ErrorKind;
using test_support::LayoutBuilder;
using test_support::TempFolder;

namespace {

// Every entry distinct: colour 1 = (10 + i, 20 + i, 30 + i), colour 2 = (200 - i, 150 - i, 100 - i).
ColorScheme distinctScheme()
{
    ColorScheme s{};
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto k = static_cast<std::uint8_t>(i);
        s[i] = MaterialColors{std::uint8_t(10 + k),  std::uint8_t(20 + k),  std::uint8_t(30 + k),
                              std::uint8_t(200 - k), std::uint8_t(150 - k), std::uint8_t(100 - k)};
    }
    return s;
}

std::string textOf(const Bytes& b)
{
    return std::string(b.begin(), b.end());
}

// A .vccs text of n numbers, all 7.
std::string numbers(std::size_t n)
{
    std::string t;
    for (std::size_t i = 0; i < n; ++i)
        t += " 7 ";
    return t;
}

// The byte ranges a scheme may change in a material entry: 0x15..0x21 after the name.
bool insideColorBytes(platform::ByteView layout, std::size_t offset)
{
    for (const auto& entry : SCHEME_ENTRIES)
        for (const auto& m : writtenMaterials(entry)) {
            const std::size_t at = test_support::findMaterialEntry(layout, m);
            if (at != platform::NOT_FOUND && offset >= at + 0x15 && offset <= at + 0x21)
                return true;
        }
    return false;
}

} // namespace

TEST(ColorScheme, LanguageEntriesWriteEveryLanguagesMaterial)
{
    EXPECT_EQ(writtenMaterials(SCHEME_ENTRIES[schemeEntryIndex("T_Year")]),
              (std::vector<std::string>{"T_Year_ENG", "T_Year_GER", "T_Year_FRA", "T_Year_ITA", "T_Year_SPA",
                                        "T_Year_NED", "T_Year_JPN"}));
    // Layouts name the Japanese title either way; both are written.
    const auto title = writtenMaterials(SCHEME_ENTRIES[schemeEntryIndex("T_VCTitle")]);
    EXPECT_EQ(title.size(), 8u);
    EXPECT_NE(std::find(title.begin(), title.end(), "T_VCTitle_JAP"), title.end());
    EXPECT_NE(std::find(title.begin(), title.end(), "T_VCTitle_JPN"), title.end());
}

TEST(ColorScheme, SavesNineteenLinesAndLoadsThemBack)
{
    TempFolder program;
    ColorScheme scheme = distinctScheme();
    scheme[0] = MaterialColors{255, 128, 0, 1, 2, 3};
    ASSERT_TRUE(saveScheme(program.path(), "Mine", scheme));

    const std::string text = textOf(test_support::readAll(program / "schemes/Mine.vccs"));
    EXPECT_EQ(text.substr(0, 27), " 255  128  0  1  2  3 \r\n 11");
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 19);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 19);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");

    auto loaded = loadScheme(program.path(), "Mine");
    ASSERT_TRUE(loaded);
    EXPECT_EQ(*loaded, scheme);
    // Found without regard to case, as on the file systems the schemes were made for.
    EXPECT_TRUE(loadScheme(program.path(), "MINE"));
    // Saving again under the same name replaces the file.
    scheme[5].g2 = 77;
    ASSERT_TRUE(saveScheme(program.path(), "Mine", scheme));
    EXPECT_EQ(loadScheme(program.path(), "Mine")->at(5).g2, 77);
}

TEST(ColorScheme, ReaderAcceptsAnySeparatorRun)
{
    std::string text;
    for (std::size_t i = 0; i < SCHEME_NUMBER_COUNT; ++i)
        text += std::to_string(i % 256) + (i % 3 == 0 ? ", " : i % 3 == 1 ? "\n\t" : "   ");
    text += "999 trailing words";
    auto scheme = parseScheme(platform::bytesOf(text));
    ASSERT_TRUE(scheme) << scheme.error().message;
    EXPECT_EQ((*scheme)[0], (MaterialColors{0, 1, 2, 3, 4, 5}));
    EXPECT_EQ((*scheme)[18].b2, 113);
}

TEST(ColorScheme, RefusesBrokenSchemes)
{
    struct Case
    {
        const char* what;
        std::string text;
        const char* messagePart;
    };
    const Case cases[] = {
        {"empty", "", "0 of its 114"},
        {"one short", numbers(113), "entry BackMask2"},
        {"not a number", numbers(7) + " 1x " + numbers(106), "\"1x\" in entry T_PF"},
        {"above 255", " 256 " + numbers(113), "outside 0-255"},
        {"negative", numbers(6) + " -1 " + numbers(107), "-1 of entry T_PF is outside 0-255"},
        {"huge", numbers(7) + " 99999999999999999999 " + numbers(106), "outside 0-255"},
    };
    for (const auto& c : cases) {
        auto scheme = parseScheme(platform::bytesOf(c.text));
        ASSERT_FALSE(scheme) << c.what;
        EXPECT_EQ(scheme.error().kind, ErrorKind::BadFormat) << c.what;
        EXPECT_NE(scheme.error().message.find(c.messagePart), std::string::npos)
            << c.what << ": " << scheme.error().message;
    }
}

TEST(ColorScheme, TruncatedOrDamagedTextFailsCleanly)
{
    const Bytes whole = formatScheme(distinctScheme());
    // Every copy cut before the last number's first digit lacks a number.
    const std::string text(whole.begin(), whole.end());
    const std::size_t lastNumber = text.find_last_not_of("0123456789", text.find_last_of("0123456789")) + 1;
    for (std::size_t n = 0; n <= lastNumber; ++n)
        ASSERT_FALSE(parseScheme(platform::ByteView(whole).first(n))) << n;

    std::uint32_t seed = 12345;
    for (int round = 0; round < 200; ++round) {
        Bytes damaged = whole;
        for (int k = 0; k < 5; ++k) {
            seed = seed * 1664525u + 1013904223u;
            damaged[(seed >> 8) % damaged.size()] = static_cast<std::uint8_t>(seed >> 24);
        }
        auto scheme = parseScheme(damaged); // any outcome but a crash; an error always says why
        if (!scheme) {
            EXPECT_FALSE(scheme.error().message.empty());
        }
    }
}

TEST(ColorScheme, ApplyingAnUnusableSchemeLeavesTheLayoutAlone)
{
    TempFolder program;
    program.write("schemes/short.vccs", numbers(100));
    program.write("schemes/wide.vccs", numbers(50) + " 300 " + numbers(63));
    const Bytes original = LayoutBuilder::vcBanner().build();
    for (const char* name : {"short", "wide", "missing", "../schemes/short"}) {
        Bytes layout = original;
        auto applied = Apply_Scheme_brlyt(layout, program.path(), name);
        ASSERT_FALSE(applied) << name;
        EXPECT_NE(applied.error().message.find(name), std::string::npos) << applied.error().message;
        EXPECT_EQ(layout, original) << name;
    }
    Bytes layout = original;
    EXPECT_EQ(Apply_Scheme_brlyt(layout, program.path(), "missing").error().kind, ErrorKind::NotFound);
}

TEST(ColorScheme, SaveRefusesNamesThatAreNotPlainFileNames)
{
    TempFolder program;
    for (const char* name : {"", ".", "..", "a/b", "..\\up", "C:x", "tab\there"}) {
        auto saved = saveScheme(program.path(), name, distinctScheme());
        ASSERT_FALSE(saved) << name;
        EXPECT_EQ(saved.error().kind, ErrorKind::BadArgument);
    }
    EXPECT_FALSE(std::filesystem::exists(program / "a"));
    EXPECT_TRUE(schemeNames(program.path()).empty());
}

TEST(ColorScheme, ListsSchemeNamesWithoutExtension)
{
    TempFolder program;
    EXPECT_TRUE(schemeNames(program.path()).empty()); // no schemes folder yet
    program.write("schemes/dark.vccs", numbers(114));
    program.write("schemes/Blue.VCCS", numbers(114));
    program.write("schemes/notes.txt", "x");
    EXPECT_EQ(schemeNames(program.path()), (std::vector<std::string>{"Blue", "dark"}));
}

TEST(ColorScheme, ApplyWritesEveryMaterialAndSkipsMissingShade)
{
    TempFolder program;
    const ColorScheme scheme = distinctScheme();
    ASSERT_TRUE(saveScheme(program.path(), "s", scheme));

    LayoutBuilder builder = LayoutBuilder::vcBanner();
    builder.materials.erase(std::remove_if(builder.materials.begin(), builder.materials.end(),
                                           [](const auto& m) { return m.name == "Shade"; }),
                            builder.materials.end());
    const Bytes original = builder.build();
    Bytes layout = original;
    ASSERT_TRUE(Apply_Scheme_brlyt(layout, program.path(), "s"));

    ASSERT_EQ(layout.size(), original.size());
    for (std::size_t i = 0; i < layout.size(); ++i) {
        if (layout[i] != original[i]) {
            ASSERT_TRUE(insideColorBytes(layout, i)) << "changed byte outside a material's colours at " << i;
        }
    }

    int written = 0;
    for (std::size_t e = 0; e < SCHEME_ENTRY_COUNT; ++e)
        for (const auto& m : writtenMaterials(SCHEME_ENTRIES[e])) {
            const std::size_t at = test_support::findMaterialEntry(layout, m);
            if (at == platform::NOT_FOUND)
                continue;
            ++written;
            EXPECT_EQ(readMaterialColors(layout, m), scheme[e]) << m;
            EXPECT_EQ(layout[at + 0x1A], 0) << m; // alpha of colour 1
            EXPECT_EQ(layout[at + 0x1B], 0) << m;
            EXPECT_EQ(layout[at + 0x23], original[at + 0x23]) << m; // alpha of colour 2 kept
        }
    // 18 plain entries without Shade, minus the four language entries, plus 4 x 7 language materials.
    EXPECT_EQ(written, 14 + 28);
    EXPECT_EQ(test_support::findMaterialEntry(layout, "Shade"), platform::NOT_FOUND);
}

TEST(ColorScheme, ReadsEntriesFromALayoutForTheSelectedLanguages)
{
    LayoutBuilder builder = LayoutBuilder::vcBanner({"ENG", "GER"});
    builder.material("T_VCTitle", {1, 2, 3, 255}, {4, 5, 6, 255});
    builder.material("T_VCTitle_GER", {7, 8, 9, 255}, {10, 11, 12, 255});
    builder.material("T_Year", {13, 14, 15, 255}, {16, 17, 18, 255});
    builder.material("T_VCTitle_JAP", {19, 20, 21, 255}, {22, 23, 24, 255});
    builder.materials.erase(std::remove_if(builder.materials.begin(), builder.materials.end(),
                                           [](const auto& m) { return m.name == "VCPicSha"; }),
                            builder.materials.end());
    const Bytes layout = builder.build();
    const std::size_t title = schemeEntryIndex("T_VCTitle"), year = schemeEntryIndex("T_Year");

    ColorScheme s = distinctScheme();
    const ColorScheme before = s;
    readSchemeFromLayout(layout, {"NONE", "NONE", "ENG", ""}, s);
    EXPECT_EQ(s[title], (MaterialColors{1, 2, 3, 4, 5, 6})); // "NONE" reads the base material
    EXPECT_EQ(s[year], (MaterialColors{13, 14, 15, 16, 17, 18}));
    EXPECT_EQ(s[schemeEntryIndex("T_Play")], readMaterialColors(layout, "T_Play_ENG"));
    EXPECT_EQ(s[schemeEntryIndex("PFLINE")], readMaterialColors(layout, "PFLine"));
    EXPECT_EQ(s[schemeEntryIndex("VCPicSha")], before[schemeEntryIndex("VCPicSha")]); // missing: kept

    readSchemeFromLayout(layout, {"GER", "ITA", "ENG", "ENG"}, s);
    EXPECT_EQ(s[title], (MaterialColors{7, 8, 9, 10, 11, 12}));
    EXPECT_EQ(s[year], (MaterialColors{13, 14, 15, 16, 17, 18})); // no T_Year_ITA: base name
    readSchemeFromLayout(layout, {"JPN", "ENG", "ENG", "ENG"}, s);
    EXPECT_EQ(s[title], (MaterialColors{19, 20, 21, 22, 23, 24})); // the Japanese title's other name
}

TEST(ColorScheme, ShippedSchemesAreCanonicalAndDistinct)
{
    // data/ of the source tree, beside tests/.
    const auto data = std::filesystem::path(SUITE_SOURCE_DIR) / "data";
    if (!std::filesystem::exists(data / "schemes"))
        GTEST_SKIP() << "no data folder beside the tests";
    const auto names = schemeNames(data);
    ASSERT_GE(names.size(), 6u);
    std::vector<ColorScheme> seen;
    for (const auto& name : names) {
        auto scheme = loadScheme(data, name);
        ASSERT_TRUE(scheme) << scheme.error().message;
        // Written exactly as the editor writes schemes, so saving one back changes no byte.
        EXPECT_EQ(formatScheme(*scheme), test_support::readAll(schemePath(data, name))) << name;
        EXPECT_EQ(std::find(seen.begin(), seen.end(), *scheme), seen.end()) << name << " repeats another scheme";
        seen.push_back(*scheme);
    }
}

TEST(ColorScheme, BoxColoursAreAnEntrysTwoColours)
{
    MaterialColors c{255, 128, 0, 1, 2, 3};
    EXPECT_EQ(boxColor(c, 0), (Rgb{255, 128, 0}));
    EXPECT_EQ(boxColor(c, 1), (Rgb{1, 2, 3}));
    setBoxColor(c, 1, Rgb{9, 8, 7});
    EXPECT_EQ(c, (MaterialColors{255, 128, 0, 9, 8, 7}));
    setBoxColor(c, 0, Rgb{0, 0, 0});
    EXPECT_EQ(c, (MaterialColors{0, 0, 0, 9, 8, 7}));
}
