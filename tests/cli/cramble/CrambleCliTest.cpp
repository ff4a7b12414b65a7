// Runs the built Cramble from a copy in a temporary program folder, without any display.

#include <random>

#include <QProcess>
#include <QProcessEnvironment>
#include <QThread>

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/PathText.h"
#include "support/CcfBuilder.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::bytesOf;
using test_support::buildCcf;
using test_support::readAll;

using test_support::RunResult;

std::vector<std::string> temporariesIn(const fs::path& folder)
{
    std::vector<std::string> names;
    for (const auto& name : test_support::namesIn(folder)) {
        if (platform::isTemporaryFileName(name))
            names.push_back(name);
    }
    return names;
}

platform::Bytes randomBytes(std::size_t n, std::uint32_t seed)
{
    std::mt19937 rng(seed);
    platform::Bytes out(n);
    for (auto& b : out)
        b = static_cast<std::uint8_t>(rng());
    return out;
}

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

    // Starts Cramble and kills it (SIGKILL) as soon as a temporary file of an unfinished write shows in
    // watched, or after five seconds. True when the run was killed before it ended by itself.
    bool killWhileWriting(const QStringList& args, const fs::path& watched) const
    {
        QProcess process;
        auto env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        process.setProcessEnvironment(env);
        process.setWorkingDirectory(test_support::arg(folder.path()));
        process.start(test_support::arg(folder / "Cramble"), args);
        EXPECT_TRUE(process.waitForStarted());
        for (int waited = 0; waited < 5000 && process.state() == QProcess::Running; ++waited) {
            std::error_code ec;
            if (fs::is_directory(watched, ec) && !temporariesIn(watched).empty())
                break;
            QThread::msleep(1);
        }
        process.kill();
        process.waitForFinished();
        return process.exitStatus() == QProcess::CrashExit;
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

TEST_F(CrambleCli, UnusableCommandLinesExitWithTwoAndHelpWritesNothing)
{
    for (const QStringList& args :
         {QStringList{"-e"}, QStringList{"-pack"}, QStringList{"-file"}, QStringList{"game.ccf"}}) {
        const auto result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_FALSE(result.err.empty());
    }
    for (const char* help : {"-h", "-help", "-?", "--help"}) {
        const auto result = run({help});
        EXPECT_EQ(result.exitCode, 0) << help;
        EXPECT_NE(result.out.find("-pack -folder"), std::string::npos) << help;
        EXPECT_EQ(result.err, "");
    }
    const auto version = run({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out.rfind("Cramble ", 0), 0u);
    EXPECT_EQ(test_support::namesIn(folder.path()), std::vector<std::string>{"Cramble"});

    // An option it does not know is named and passed over; the run goes on.
    folder.write("game.ccf", buildCcf({{"a", bytesOf("1")}}));
    const auto result = run({"-e", "-file", "\\game.ccf", "-verbose"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Cramble: The option -verbose is not known and was ignored.\n");
    EXPECT_EQ(readAll(folder / "game_ccf_OUT" / "a"), bytesOf("1"));
}

TEST_F(CrambleCli, ExtractionNeverRemovesOrOverwritesAFileOfAnotherMember)
{
    const auto text = bytesOf(std::string(300, 'n'));
    struct Case
    {
        const char* name;
        std::vector<test_support::CcfMember> members;
        std::vector<std::pair<std::string, std::string>> before; // files in the folder beforehand
        int exitCode;
        std::vector<std::string> after; // every name in the folder afterwards
        std::string skipped;            // the member named as not extracted
    };
    const Case cases[] = {
        {"a file of another case beside a compressed member",
         {test_support::compressedMember("notes", text)},
         {{"NOTES", "the user's own notes"}},
         0,
         {"NOTES", "notes.zlib"},
         ""},
        {"two members one file apart from case",
         {{"Readme", bytesOf("plain")}, test_support::compressedMember("readme", text)},
         {},
         1,
         {"Readme"},
         "Member 2 (\"readme\") was not extracted: its file \"readme\" would be the file \"Readme\" of member 1"},
        {"a plain member and a compressed one's .zlib twin",
         {{"a.ZLIB", bytesOf("plain")}, test_support::compressedMember("a", text)},
         {},
         1,
         {"a.ZLIB"},
         "Member 2 (\"a\") was not extracted: its file \"a.zlib\" would be the file \"a.ZLIB\" of member 1"},
        {"a member named as the archive",
         {{"GAME.ccf", bytesOf("member")}, {"b", bytesOf("2")}},
         {},
         1,
         {"Cramble", "b", "game.ccf"},
         "Member 1 (\"GAME.ccf\") was not extracted: its file \"GAME.ccf\" would replace the archive"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const bool intoOwnFolder = c.after.front() == "Cramble";
        const fs::path out = intoOwnFolder ? folder.path() : folder / "out";
        fs::remove_all(folder / "out");
        fs::create_directories(out);
        for (const auto& [name, content] : c.before)
            folder.write("out/" + name, content);
        const auto archive = buildCcf(c.members);
        folder.write("game.ccf", archive);
        const auto result = run({"-e", "-file", "\\game.ccf", "-folder", intoOwnFolder ? "\\" : "\\out"});
        EXPECT_EQ(result.exitCode, c.exitCode) << result.err;
        EXPECT_EQ(test_support::namesIn(out), c.after);
        for (const auto& [name, content] : c.before)
            EXPECT_EQ(readAll(out / name), bytesOf(content));
        EXPECT_EQ(readAll(folder / "game.ccf"), archive);
        if (c.skipped.empty())
            EXPECT_EQ(result.err, "");
        else
            EXPECT_NE(result.err.find(c.skipped), std::string::npos) << result.err;
    }
}

TEST_F(CrambleCli, AGivenFolderIsUsedAsItStandsAndNeverTheArchiveItself)
{
    const auto archive = buildCcf({{"a", bytesOf("1")}});
    folder.write("d/game.ccf", archive);
    auto result = run({"-e", "-file", test_support::arg(folder / "d" / "game.ccf"), "-folder",
                       test_support::arg(folder / "d" / "v1.2")});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(readAll(folder / "d" / "v1.2" / "a"), bytesOf("1"));
    EXPECT_EQ(test_support::namesIn(folder / "d"), (std::vector<std::string>{"game.ccf", "v1.2"}));

    for (const char* given : {"\\d\\game.ccf", "\\d\\GAME.CCF\\"}) {
        result = run({"-e", "-file", "\\d\\game.ccf", "-folder", given});
        EXPECT_EQ(result.exitCode, 2) << given;
        EXPECT_EQ(result.err, "Cramble: Cannot extract into " + platform::quoted(folder / "d" / "game.ccf") +
                                  ": it is the archive itself. Name another folder, or none to extract into "
                                  "\\d\\game_ccf_OUT\\.\n");
        EXPECT_EQ(readAll(folder / "d" / "game.ccf"), archive);
        EXPECT_EQ(test_support::namesIn(folder / "d"), (std::vector<std::string>{"game.ccf", "v1.2"}));
    }
}

TEST_F(CrambleCli, AKilledRunLeavesNothingThatTheNextRunOrAPackTakesIn)
{
    std::vector<test_support::CcfMember> members;
    for (int i = 0; i < 24; ++i)
        members.push_back({"m" + std::to_string(10 + i) + ".bin", randomBytes(1 << 20, static_cast<std::uint32_t>(i))});
    members.push_back(test_support::compressedMember("zz.txt", bytesOf(std::string(100000, 'z'))));
    const auto archive = buildCcf(members);
    folder.write("game.ccf", archive);
    const fs::path out = folder / "game_ccf_OUT";

    // Killed in the middle of an extraction, then run again to the end.
    EXPECT_TRUE(killWhileWriting({"-e", "-file", "\\game.ccf"}, out));
    ASSERT_TRUE(fs::is_directory(out));
    folder.write("game_ccf_OUT/.other.vctmp-999999-Abc123", "a stale temporary of some other write");
    auto result = run({"-e", "-file", "\\game.ccf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(temporariesIn(out), std::vector<std::string>{".other.vctmp-999999-Abc123"});
    EXPECT_EQ(readAll(out / "m33.bin"), members[23].stored);

    // Killed in the middle of a pack, then packed again: the real members only, as they were.
    EXPECT_TRUE(killWhileWriting({"-pack", "-folder", "\\game_ccf_OUT", "-file", "\\again.ccf"}, folder.path()));
    result = run({"-pack", "-folder", "\\game_ccf_OUT", "-file", "\\again.ccf"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(temporariesIn(folder.path()).empty());
    EXPECT_EQ(readAll(folder / "again.ccf"), archive);
}

TEST_F(CrambleCli, PackNamesTheLinksToNothingItSkips)
{
    folder.write("src/a.txt", "a");
    std::error_code ec;
    fs::create_symlink(folder / "src" / "gone.txt", folder / "src" / "broken", ec);
    if (ec)
        GTEST_SKIP() << "no symbolic links here";
    const auto result = run({"-pack", "-folder", "\\src", "-file", "\\src.ccf"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Cramble: Links that point to nothing are not packed, so these were skipped: \"broken\".\n");
    EXPECT_EQ(readAll(folder / "src.ccf"), buildCcf({{"a.txt", bytesOf("a")}}));
}

} // namespace
