#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

// The built program: --help prints, any other argument ends it at once, with no display to open a
// window on, and without touching its program folder.
TEST(PexmoRun, AnyArgumentButHelpEndsWithoutAWindow)
{
    test_support::TempFolder folder;
    const auto pexmo = test_support::installProgram("Pexmo", folder.path());
    const auto help = test_support::runProgram(pexmo, {"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("usage: Pexmo"), std::string::npos);
    for (const QStringList& args : {QStringList{"banner.tpl"}, QStringList{"-open", "x.tpl"}, QStringList{""}}) {
        const auto run = test_support::runProgram(pexmo, args);
        EXPECT_EQ(run.exitCode, 2);
        EXPECT_NE(run.err.find("Pexmo: Pexmo takes no arguments"), std::string::npos) << run.err;
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "temp"));
}
