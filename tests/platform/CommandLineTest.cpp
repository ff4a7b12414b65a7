#include "platform/CommandLine.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(CommandLine, CutsArgumentsIntoPieces)
{
    using V = std::vector<std::u16string>;
    EXPECT_EQ(commandPieces({}), V{u""});
    EXPECT_EQ(commandPieces({"banner.brlyt"}), V{u"banner.brlyt"});
    EXPECT_EQ(commandPieces({"my", "banner.brlyt", "-TITLE", "Super", "Game", "-YEAR", "1990"}),
              (V{u"my banner.brlyt", u"TITLE Super Game", u"YEAR 1990"}));
    // Leading dashes are dropped, values may hold "-" when they are separate arguments.
    EXPECT_EQ(commandPieces({"--pack", "--folder", "a-b", "-file", "x.ccf"}),
              (V{u"", u"pack", u"folder a-b", u"file x.ccf"}));
    EXPECT_EQ(commandPieces({"-TITLE", "Ｆ-Zero"}), (V{u"", u"TITLE Ｆ-Zero"}));
    EXPECT_EQ(commandPieces({"-"}), (V{u"", u""}));
    EXPECT_EQ(commandPieces({"-TITLE=X"}), (V{u"", u"TITLE=X"}));
}

TEST(CommandLine, HelpAndVersionOnlyAlone)
{
    testing::internal::CaptureStdout();
    EXPECT_EQ(handleHelpOrVersion({"--help"}, "Cramble", "usage: Cramble -e -file <archive>"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "usage: Cramble -e -file <archive>\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(handleHelpOrVersion({"--version"}, "Cramble", "u"), 0);
    EXPECT_EQ(testing::internal::GetCapturedStdout().rfind("Cramble ", 0), 0u);
    EXPECT_FALSE(handleHelpOrVersion({"--help", "x"}, "Cramble", "u").has_value());
    EXPECT_FALSE(handleHelpOrVersion({}, "Cramble", "u").has_value());
    for (const char* help : {"-h", "-help", "-?"}) {
        testing::internal::CaptureStdout();
        EXPECT_EQ(handleHelpOrVersion({help}, "Cramble", "u"), 0) << help;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "u\n") << help;
    }
    EXPECT_FALSE(handleHelpOrVersion({"-H"}, "Cramble", "u").has_value());
}
