#include "icon_generator/Templates.h"

#include <gtest/gtest.h>

#include "MintrelFixture.h"
#include "icon_generator/Consoles.h"
#include "icon_generator/FrameComposer.h"

using namespace icon_generator;
using mintrel_test::ProgramFolder;
using mintrel_test::solid;

TEST(Consoles, SetSysTakesExactCodesAndFallsBackToNeoGeo)
{
    EXPECT_EQ(setSysIndex(u"mdj"), 12);
    EXPECT_EQ(setSysIndex(u"snes"), 2);
    EXPECT_EQ(setSysIndex(u"pce"), 13);
    EXPECT_EQ(setSysIndex(u"Pce"), NEOGEO);
    EXPECT_EQ(setSysIndex(u""), NEOGEO);
    EXPECT_EQ(consoleIndexOf(u"SNES"), NO_CONSOLE);
    // Every code finds its own row, and the frame B template follows the family.
    for (int i = 0; i < int(consoles().size()); ++i) {
        const Console& c = consoleAt(i);
        EXPECT_EQ(consoleIndexOf(std::u16string(c.code.begin(), c.code.end())), i);
        EXPECT_EQ(c.frameBTemplate, c.family == Family::NeoGeo ? 9 : c.family == Family::Wte ? 7 : 5) << c.code;
    }
    EXPECT_EQ(consoleAt(NO_CONSOLE).family, Family::Tpl);
}

TEST(Templates, OnlyTheAlternateBannerDecidesTheFolder)
{
    ProgramFolder folder;
    EXPECT_EQ(templateFolder(folder.path(), "snes", false), folder / "save icons");
    EXPECT_EQ(templateFolder(folder.path(), "snes", true), folder / "save icons");
    folder.writeTemplate("alt save icons", "snes1.bmp", solid({192, 64}, 0xFF00FF00));
    EXPECT_EQ(templateFolder(folder.path(), "snes", true), folder / "alt save icons");
    EXPECT_EQ(templateFolder(folder.path(), "snes", false), folder / "save icons");
    EXPECT_EQ(templateFolder(folder.path(), "nes", true), folder / "save icons");
}

TEST(Templates, EachFamilyLoadsItsThreeTemplates)
{
    ProgramFolder folder;
    // Every numbered template of these consoles exists, each in a colour of its own number.
    for (const std::string code : {"gen", "neogeo", "tg16"})
        for (int n = 1; n <= 9; ++n)
            folder.writeTemplate("save icons", templateFileName(code, n), solid({48, 48}, qRgb(n * 20, 0, 0)));
    struct Case
    {
        int console;
        int frameB;
    };
    for (const Case c : {Case{5, 7}, {NEOGEO, 9}, {6, 5}}) {
        const auto loaded = loadTemplates(folder.path(), c.console, false);
        ASSERT_TRUE(loaded.banner && loaded.frameA && loaded.frameB) << c.console;
        EXPECT_EQ(qRed(loaded.banner->pixel(0, 0)), 20);
        EXPECT_EQ(qRed(loaded.frameA->pixel(0, 0)), 40);
        EXPECT_EQ(qRed(loaded.frameB->pixel(0, 0)), c.frameB * 20);
    }
    const auto none = loadTemplates(folder.path(), NO_CONSOLE, false);
    EXPECT_FALSE(none.banner || none.frameA || none.frameB);
    const auto missing = loadTemplates(folder.path(), 1, false);
    EXPECT_FALSE(missing.banner || missing.frameA || missing.frameB);
}

TEST(Templates, ShippedTemplatesExistForEveryConsoleAtTheBoxSizes)
{
    const std::filesystem::path data = std::filesystem::path(SUITE_SOURCE_DIR) / "data";
    int alternates = 0;
    for (int i = 0; i < int(consoles().size()); ++i) {
        const auto normal = loadTemplates(data, i, false);
        ASSERT_TRUE(normal.banner && normal.frameA && normal.frameB) << consoleAt(i).code;
        EXPECT_EQ(normal.banner->size(), boxSize(FrameBox::Banner));
        EXPECT_EQ(normal.frameA->size(), boxSize(FrameBox::FrameA));
        EXPECT_EQ(normal.frameB->size(), boxSize(FrameBox::FrameB));
        // Frame B differs visibly from frame A, so the animation shows.
        EXPECT_NE(*normal.frameA, *normal.frameB);
        if (templateFolder(data, consoleAt(i).code, true) != data / TEMPLATE_FOLDER) {
            ++alternates;
            const auto alternate = loadTemplates(data, i, true);
            ASSERT_TRUE(alternate.banner && alternate.frameA && alternate.frameB) << consoleAt(i).code;
            EXPECT_NE(*alternate.banner, *normal.banner);
        }
    }
    EXPECT_GE(alternates, 4);
}
