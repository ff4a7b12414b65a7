#include "banner_editor/CommandLine.h"

#include <gtest/gtest.h>

#include "BannerModelFixture.h"
#include "banner_editor/BannerModel.h"
#include "banner_editor/ColorScheme.h"
#include "platform/CommandLine.h"

using namespace banner_editor;
using banner_test::paneText;
using test_support::LayoutBuilder;

namespace {

class CommandLine : public banner_test::BannerModelFixture
{
protected:
    CommandLine()
    {
        model.commandLineMode = true;
        folder.write("games/title/banner.brlyt", LayoutBuilder::vcBanner().build());
    }

    // Parses the arguments and applies them, as the unattended run does before it saves.
    platform::Result<void> run(std::vector<std::string> args) { return runOn(model, args); }

    static platform::Result<void> runOn(BannerModel& target, const std::vector<std::string>& args)
    {
        auto options = parseCommandLine(platform::commandPieces(args));
        if (!options)
            return options.error();
        return target.applyOptions(*options);
    }
};

} // namespace

TEST_F(CommandLine, PathIsAbsoluteOrInTheProgramFolder)
{
    ASSERT_TRUE(run({"games/title/banner.brlyt"}).ok());
    EXPECT_EQ(model.pathText(), platform::pathToText(layoutPath()));
    EXPECT_TRUE(model.hasLayout());

    BannerModel other(sink, folder.path());
    ASSERT_TRUE(runOn(other, {layoutPath().string()}).ok());
    EXPECT_TRUE(other.hasLayout());

    // Separate arguments may hold "-": only an argument that begins with one opens an option.
    const auto dashed = folder.write("my-games/x-1/banner.brlyt", LayoutBuilder::vcBanner().build());
    ASSERT_TRUE(run({dashed.string(), "-TITLE", "Spider-Man", "-", "2"}).ok());
    EXPECT_EQ(model.pathText(), platform::pathToText(dashed));
    EXPECT_EQ(paneText(model.buffer(), "T_VCTitle_ITA"), u"Spider-Man");

    auto missing = run({"games/none.brlyt", "-TITLE", "x"});
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, platform::ErrorKind::NotFound);
    EXPECT_FALSE(model.hasLayout());
}

TEST_F(CommandLine, OptionsApplyInOrderAndALaterOneWins)
{
    ASSERT_TRUE(run({"games/title/banner.brlyt",
                     "-TITLE",
                     "First",
                     "-T_ger",
                     "\"Eins\"",
                     "-YEAR",
                     "1999",
                     "-Y_GER",
                     "2000",
                     "-PLAY",
                     "3",
                     "-SYSTEM",
                     "Famicom",
                     "-ESRB",
                     "E",
                     "-E_fra",
                     "T",
                     "-TITLE",
                     "Second",
                     "Game"})
                    .ok());
    const auto& b = model.buffer();
    for (const auto& language : test_support::layoutLanguages())
        EXPECT_EQ(paneText(b, "T_VCTitle_" + language), u"Second Game") << language;
    EXPECT_EQ(paneText(b, "T_Year_ENG"), u"Released: 1999");
    EXPECT_EQ(paneText(b, "T_Year_GER"), u"Erschienen: 2000");
    EXPECT_EQ(paneText(b, "T_ESRB_FRA"), u"Classement ESRB: T");
    EXPECT_EQ(paneText(b, "T_ESRB_GER"), u"ESRB Rating: E");
    EXPECT_EQ(paneText(b, "T_Play_NED"), u"1-3 speler(s)");
    EXPECT_EQ(paneText(b, "T_PF"), u"Famicom");

    // A later per-language title wins over the earlier Set All; quotes go except in a year.
    ASSERT_TRUE(run({"", "-T_GER", "\"Zwei\"", "-YEAR", "\"85\""}).ok());
    EXPECT_EQ(paneText(model.buffer(), "T_VCTitle_GER"), u"Zwei");
    EXPECT_EQ(paneText(model.buffer(), "T_VCTitle_ENG"), u"Second Game");
    EXPECT_EQ(paneText(model.buffer(), "T_Year_ITA"), u"Pubblicato: \"85\"");
}

TEST_F(CommandLine, FieldOnlyOptionsAndAnyPane)
{
    ASSERT_TRUE(run({"games/title/banner.brlyt", "-4", "-FORCE", "ger", "-PAD", "+16", "-H_T_Play_JPN", "free", "text",
                     "-bogus", "ignored"})
                    .ok());
    EXPECT_EQ(model.txtPlayers, u"4");
    EXPECT_EQ(paneText(model.buffer(), "T_Play_ENG"), u"1-2 Players"); // "-4" writes nothing
    EXPECT_EQ(model.forceItem, 1);
    EXPECT_EQ(model.txtPad, u"+16");
    EXPECT_EQ(paneText(model.buffer(), "T_Play_JPN"), u"free text");
    // The unknown option is named on the sink, and passed over.
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt, "Unknown option -bogus ignored");
    EXPECT_EQ(sink.messages[0].title, "Lorvane");

    auto bad = run({"", "-FORCE", "mars"});
    ASSERT_FALSE(bad.ok());
    EXPECT_EQ(bad.error().kind, platform::ErrorKind::BadArgument);
    EXPECT_EQ(model.forceItem, 1);
}

// A command line that cannot be used is refused as a whole before anything is applied: an option that
// needs a value and has none, a region that is no language, a padding that is no size.
TEST(ParseCommandLine, UnusableCommandLinesAreRefusedWhole)
{
    struct Case
    {
        std::vector<std::string> args;
        std::string named;
    };
    const std::vector<Case> cases{
        {{"x.brlyt", "-TITLE"}, "-TITLE needs a value"},
        {{"x.brlyt", "-YEAR", "1990", "-PLAY"}, "-PLAY needs a value"},
        {{"x.brlyt", "-T_ger", "\"\""}, "-T_ger needs a value"},
        {{"x.brlyt", "-H_T_PF", " "}, "-H_T_PF needs a value"},
        {{"x.brlyt", "-LOGO", "-COLOR", "Dark"}, "-LOGO needs a value"},
        {{"x.brlyt", "-PAD"}, "-PAD needs a value"},
        {{"x.brlyt", "-FORCE", "mars"}, "\"mars\""},
        {{"x.brlyt", "-PAD", "lots"}, "\"lots\""},
        {{"x.brlyt", "-TITLE", "Moon", "-h"}, "-h is answered on its own"},
        {{"x.brlyt", "--help"}, "-help is answered on its own"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        auto options = parseCommandLine(platform::commandPieces(c.args));
        ASSERT_FALSE(options.ok());
        EXPECT_EQ(options.error().kind, platform::ErrorKind::BadArgument);
        EXPECT_NE(options.error().message.find(c.named), std::string::npos) << options.error().message;
    }

    // An empty padding given as such means none; the players shortcuts need no value.
    auto usable = parseCommandLine(platform::commandPieces({"x.brlyt", "-PAD", "", "-3", "-whatever"}));
    ASSERT_TRUE(usable.ok()) << usable.error().message;
    EXPECT_EQ(usable->path, u"\\x.brlyt");
    using Kind = CommandOption::Kind;
    EXPECT_EQ(usable->options,
              (std::vector<CommandOption>{
                  {Kind::Padding, u"", {}}, {Kind::PlayersField, u"3", {}}, {Kind::Unknown, u"-whatever", {}}}));
}

TEST_F(CommandLine, SchemeIsAppliedOrRefusedWithTheBufferUnchanged)
{
    ASSERT_TRUE(run({"games/title/banner.brlyt"}).ok());
    ColorScheme scheme{};
    for (std::size_t i = 0; i < scheme.size(); ++i)
        scheme[i] = {static_cast<std::uint8_t>(i), 1, 2, 3, 4, static_cast<std::uint8_t>(200 + i)};
    ASSERT_TRUE(saveScheme(folder.path(), "Ocean", scheme).ok());
    ASSERT_TRUE(run({"", "-COLOR", "Ocean"}).ok());
    EXPECT_EQ(readMaterialColors(model.buffer(), "Back0"), scheme[3]);
    EXPECT_EQ(readMaterialColors(model.buffer(), "T_Year_SPA"), scheme[12]);

    const auto before = model.buffer();
    folder.write("schemes/Broken.vccs", std::string(" 1  2  x \r\n"));
    for (const auto* name : {"Missing", "Broken"}) {
        auto refused = run({"", "-COLOR", name});
        ASSERT_FALSE(refused.ok()) << name;
        EXPECT_NE(refused.error().message.find(name), std::string::npos);
        EXPECT_EQ(model.buffer(), before);
    }
    // "Not found" names the file looked for.
    EXPECT_NE(run({"", "-COLOR", "Missing"}).error().message.find((folder / "schemes" / "Missing.vccs").string()),
              std::string::npos);
}
