// Runs the built Cramble from a copy in a temporary program folder, without any display.

#include <gtest/gtest.h>

#include "support/CcfBuilder.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::bytesOf;
using test_support::buildCcf;
using test_support::readAll;

using test_support::RunResult;

class CrambleCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The program folder is the executable's own folder: run a copy that lives in the temporary one.
        test_support::installProgram("Cramble", folder.path());
    }

    RunResult run(const QStringList& args) const
    {
        return test_support::runProgram(folder / "Cramble", args, folder.path());
    }

    test_support::TempFolder folder;
};

TEST_F(CrambleCli, ExtractsAndPacksSilently)
{
    const auto text = bytesOf(std::string(4000, 't'));
    const auto archive = buildCcf({{"Icon.bin", bytesOf("icon")}, test_support::compressedMember("misc.ccf", text)});
    folder.write("game.ccf", archive);

    auto result = run({"-e", "-file", "\\game.ccf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(readAll(folder / "game_ccf_OUT" / "Icon.bin"), bytesOf("icon"));
    EXPECT_EQ(readAll(folder / "game_ccf_OUT" / "misc.ccf.zlib"), text);

    // Packing the extracted folder back (archive name derived, later mode wins, quotes removed).
    result = run({"-extract", "-pack", "-folder", "\"\\game_ccf_OUT\\\"", "-file", "\\again.ccf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(readAll(folder / "again.ccf"), archive);

    result = run({"-P", "-folder", (folder / "game_ccf_OUT").string().c_str()});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readAll(folder / "game.ccf"), archive);
}

TEST_F(CrambleCli, FailuresGoToStandardErrorWithExitStatusOne)
{
    folder.write("notccf.ccf", "hello");
    auto result = run({"-e", "-file", "\\notccf.ccf"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err, "Cramble: \\notccf.ccf is not a CCF archive: it does not begin with \"CCF\".\n");
    EXPECT_EQ(result.out, "");

    folder.write("bad.ccf", buildCcf({{"ok", bytesOf("1")}, {"rom", bytesOf("not a stream"), 50}, {"../x", {}}}));
    result = run({"-e", "-file", "\\bad.ccf"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Compression Error: Input file corrupted\n"), std::string::npos) << result.err;
    EXPECT_NE(result.err.find("Member 3 (\"../x\") was not extracted"), std::string::npos) << result.err;
    EXPECT_EQ(readAll(folder / "bad_ccf_OUT" / "ok"), bytesOf("1"));
    EXPECT_FALSE(fs::exists(folder / "x"));

    for (int i = 0; i < 256; ++i)
        folder.write("many/f" + std::to_string(i), "x");
    result = run({"-pack", "-folder", "\\many"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("at most 255"), std::string::npos) << result.err;
    EXPECT_FALSE(fs::exists(folder / "many.ccf"));
}

TEST_F(CrambleCli, UnusableCommandLinesExitWithTwo)
{
    for (const QStringList& args :
         {QStringList{"-e"}, QStringList{"-pack"}, QStringList{"-file"}, QStringList{"game.ccf"}}) {
        const auto result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(result.err.empty());
    }
    const auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("-pack -folder"), std::string::npos);
    const auto version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("Cramble ", 0), 0u);
}

} // namespace
