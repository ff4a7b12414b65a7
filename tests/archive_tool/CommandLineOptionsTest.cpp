#include "archive_tool/CommandLineOptions.h"

#include "platform/CommandLine.h"

#include <gtest/gtest.h>

namespace {

using namespace archive_tool;

platform::Result<CommandLineOptions> parse(const std::vector<std::string>& args)
{
    return ParseCLO(platform::commandPieces(args));
}

TEST(ParseCLO, ChoosesTheModeByFirstLetterAndTheLaterOneWins)
{
    struct Case
    {
        std::vector<std::string> args;
        Mode mode;
    };
    const std::vector<Case> cases = {
        {{"-file", "x.ccf"}, Mode::Extract},
        {{"-pack"}, Mode::Pack},
        {{"-p"}, Mode::Pack},
        {{"-P"}, Mode::Pack},
        {{"-path"}, Mode::Pack},
        {{"-PACK", "-extract"}, Mode::Extract},
        {{"-extract", "-pack"}, Mode::Pack},
        {{"-e", "-p", "-E"}, Mode::Extract},
        {{"--pack"}, Mode::Pack},
        {{"pack"}, Mode::Extract}, // before the first "-": ignored
        {{"-xyz", "-quiet"}, Mode::Extract},
    };
    for (const auto& c : cases) {
        auto options = parse(c.args);
        ASSERT_TRUE(options.ok());
        EXPECT_EQ(options->mode, c.mode) << c.args.front();
    }
}

TEST(ParseCLO, TakesThePathsAfterFileAndFolder)
{
    auto options = parse({"-pack", "-folder", "C:\\data\\game_ccf_OUT\\", "-file", "C:\\data\\game.ccf"});
    ASSERT_TRUE(options.ok());
    EXPECT_EQ(options->mode, Mode::Pack);
    EXPECT_EQ(options->folder, u"C:\\data\\game_ccf_OUT\\");
    EXPECT_EQ(options->file, u"C:\\data\\game.ccf");

    // Quotes removed, spaces trimmed, a value in several arguments joined by single spaces.
    options = parse({"-FILE", " \"C:\\my", "games\\game.ccf\" ", "-Folder", "\"/out dir/\""});
    ASSERT_TRUE(options.ok());
    EXPECT_EQ(options->file, u"C:\\my games\\game.ccf");
    EXPECT_EQ(options->folder, u"/out dir/");

    // The keyword and one character after it are dropped, whatever that character is.
    options = parse({"-file=x.ccf", "-folder:out"});
    ASSERT_TRUE(options.ok());
    EXPECT_EQ(options->file, u"x.ccf");
    EXPECT_EQ(options->folder, u"out");

    // A later piece replaces an earlier one; a path may hold "-" inside an argument.
    options = parse({"-file", "a.ccf", "-file", "b-c.ccf"});
    ASSERT_TRUE(options.ok());
    EXPECT_EQ(options->file, u"b-c.ccf");
}

TEST(ParseCLO, AFileOrFolderPieceWithoutAPathIsRefused)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"-file"}, {"-folder"}, {"-e", "-file", "\"\""}, {"-p", "-folder", "   "}}) {
        auto options = parse(args);
        ASSERT_FALSE(options.ok()) << args.back();
        EXPECT_EQ(options.error().kind, platform::ErrorKind::BadArgument);
    }
}

} // namespace
