#include "icon_generator/CommandLine.h"

#include <gtest/gtest.h>

#include "platform/CommandLine.h"

using namespace icon_generator;

namespace {

platform::Result<CommandLineOptions> parse(const std::vector<std::string>& args)
{
    return parseCommandLine(platform::commandPieces(args));
}

} // namespace

TEST(CommandLine, ReadsTheSwitchesValuesKeepTheirCase)
{
    const auto options = parse({"-sys", "snes", "-s", "C:\\Pics\\Moon-Racer.png", "-d", "C:\\Out\\", "-m", "s"});
    ASSERT_TRUE(options.ok()) << options.error().message;
    EXPECT_EQ(options->system, u"snes");
    EXPECT_EQ(options->source, u"C:\\Pics\\Moon-Racer.png");
    EXPECT_EQ(options->destination, u"C:\\Out\\");
    EXPECT_TRUE(options->saveData);
    EXPECT_FALSE(options->channelPicture || options->channelIcon || options->alternate);
    EXPECT_TRUE(options->ignored.empty());

    // One Windows-style string: quoted values are the text between the quotes; switches in any case.
    const auto quoted = parse({"-SYS NES", "-S \"  \\pics\\a b.bmp \"", "-alt", "-D", "\"/out/x\""});
    ASSERT_TRUE(quoted.ok());
    EXPECT_EQ(quoted->system, u"nes");
    EXPECT_EQ(quoted->source, u"\\pics\\a b.bmp");
    EXPECT_EQ(quoted->destination, u"/out/x");
    EXPECT_TRUE(quoted->alternate);

    // An unquoted value is the rest of the piece; a later switch replaces an earlier one.
    const auto later = parse({"-s", "first.png", "-s", "My", "Pictures/b.png", "-sys", "gen", "-sys", "MDJ"});
    ASSERT_TRUE(later.ok());
    EXPECT_EQ(later->source, u"My Pictures/b.png");
    EXPECT_EQ(later->system, u"mdj");
}

TEST(CommandLine, OutputLettersChooseWhatIsMade)
{
    struct Case
    {
        std::vector<std::string> args;
        bool save, picture, icon;
    };
    for (const auto& c : {Case{{"-m", "cb"}, false, true, true}, Case{{"-m", "all"}, true, true, true},
                          Case{{"-m", " ALL "}, true, true, true}, Case{{}, true, true, true},
                          Case{{"-m", "sxq"}, true, false, false}, Case{{"-m", "C"}, false, false, true}}) {
        const auto options = parse(c.args);
        ASSERT_TRUE(options.ok());
        EXPECT_EQ(options->saveData, c.save);
        EXPECT_EQ(options->channelPicture, c.picture);
        EXPECT_EQ(options->channelIcon, c.icon);
    }
}

TEST(CommandLine, UnusableValuesAreRefusedAndUnknownSwitchesNoted)
{
    for (const auto& args : std::vector<std::vector<std::string>>{
             {"-sys"}, {"-s"}, {"-d", "  "}, {"-m"}, {"-m", "x"}, {"-sys", "snez"}, {"-sys", "-s", "a.png"}}) {
        const auto options = parse(args);
        ASSERT_FALSE(options.ok()) << args.front();
        EXPECT_EQ(options.error().kind, platform::ErrorKind::BadArgument);
        EXPECT_EQ(options.error().message.find('\n'), std::string::npos);
    }
    EXPECT_NE(parse({"-sys", "snez"}).error().message.find("\"snez\""), std::string::npos);

    const auto options = parse({"stray", "-x", "1", "-alt", "-", "--verbose"});
    ASSERT_TRUE(options.ok());
    EXPECT_EQ(options->ignored, (std::vector<std::string>{"stray", "-x 1", "-verbose"}));
    EXPECT_TRUE(options->alternate);
}
