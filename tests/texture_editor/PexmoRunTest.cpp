// The built program started as a user or a script would: --help and --version print, any other
// argument ends it at once without a window and without touching the program folder.

#include <gtest/gtest.h>

#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace fs = std::filesystem;
using test_support::runProgram;

TEST(PexmoRun, HelpAndVersionPrintAndOtherArgumentsEndWithoutAWindow)
{
    test_support::TempFolder folder;
    const fs::path pexmo = test_support::installProgram("Pexmo", folder.path());

    for (const char* ask : {"--help", "-h", "-?"}) {
        const auto run = runProgram(pexmo, {QString::fromLatin1(ask)});
        EXPECT_EQ(run.exitCode, 0) << ask;
        EXPECT_NE(run.out.find("usage: Pexmo"), std::string::npos) << ask;
    }
    EXPECT_EQ(runProgram(pexmo, {"--version"}).out.substr(0, 6), "Pexmo ");

    // No display is given, so a window would fail to start: these end before one is made.
    for (const QStringList& args : {QStringList{"banner.tpl"}, QStringList{"-open", "x.tpl"}, QStringList{""}}) {
        const auto run = runProgram(pexmo, args);
        EXPECT_EQ(run.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_NE(run.err.find("Pexmo: Pexmo takes no arguments"), std::string::npos) << run.err;
        EXPECT_TRUE(run.out.empty());
    }
    EXPECT_FALSE(fs::exists(folder / "temp"));
    EXPECT_FALSE(fs::exists(folder / ".run.lock"));
}
