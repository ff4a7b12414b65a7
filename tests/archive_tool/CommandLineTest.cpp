#include "archive_tool/CommandLine.h"

#include <gtest/gtest.h>

#include "platform/CommandLine.h"

namespace {

using namespace archive_tool;

platform::Result<CommandLineOptions> parse(const std::vector<std::string>& args)
{
    return parseCommandLine(platform::commandPieces(args));
}

TEST(ParseCommandLine, ChoosesTheModeByFirstLetterAndTheLaterOneWins)
{
    const std::vector<std::pair<std::vector<std::string>, Mode>> cases = {
        {{"-file", "x.ccf"}, Mode::Extract},
        {{"-p"}, Mode::Pack},
        {{"-PACK"}, Mode::Pack},
        {{"-path"}, Mode::Pack},
        {{"-pack", "-extract"}, Mode::Extract},
        {{"-e", "-Pack"}, Mode::Pack},
        {{"pack"}, Mode::Extract}, // before the first "-": ignored
    };
    for (const auto& [args, mode] : cases) {
        auto options = parse(args);
        ASSERT_TRUE(options.ok());
        EXPECT_EQ(options->mode, mode) << args.back();
    }
}

TEST(ParseCommandLine, TakesThePathsAfterFileAndFolder)
{
    auto options = parse({"-pack", "-folder", "C:\\data\\game_ccf_OUT\\", "-file", "C:\\data\\game.ccf"});
    ASSERT_TRUE(options.ok());
    EXPECT_EQ(options->folder, u"C:\\data\\game_ccf_OUT\\");
    EXPECT_EQ(options->file, u"C:\\data\\game.ccf");

    // Quotes removed, spaces trimmed, a value in several arguments joined by single spaces; the
    // keyword and one character after it are dropped; a later piece wins; "-" inside a value stays.
    options = parse({"-FILE", " \"C:\\my", "games\\a.ccf\" ", "-Folder:out-dir", "-file", "b-c.ccf"});
    ASSERT_TRUE(options.ok());
    EXPECT_EQ(options->folder, u"out-dir");
    EXPECT_EQ(options->file, u"b-c.ccf");
    options = parse({"-FILE", " \"C:\\my", "games\\a.ccf\" "});
    EXPECT_EQ(options->file, u"C:\\my games\\a.ccf");
}

TEST(ParseCommandLine, AFileOrFolderPieceWithoutAPathIsRefused)
{
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"-file"}, {"-e", "-file", "\"\""}, {"-folder", " "}}) {
        auto options = parse(args);
        ASSERT_FALSE(options.ok()) << args.back();
        EXPECT_EQ(options.error().kind, platform::ErrorKind::BadArgument);
    }
}

TEST(ParseCommandLine, ListsWhatItPassesOver)
{
    auto options = parse({"game.ccf", "-bogus", "x", "-e", "-f", "-", "-file", "a.ccf", "-Folder", "out"});
    ASSERT_TRUE(options.ok());
    EXPECT_EQ(options->leadingText, u"game.ccf");
    EXPECT_EQ(options->ignored, (std::vector<std::u16string>{u"bogus x", u"f", u""}));
    EXPECT_EQ(options->file, u"a.ccf");
    EXPECT_EQ(options->folder, u"out");
    options = parse({"-pack", "-folder", "in"});
    EXPECT_TRUE(options->leadingText.empty() && options->ignored.empty());
}

} // namespace
