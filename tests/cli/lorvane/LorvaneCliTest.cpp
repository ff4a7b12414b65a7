// Runs the built Lorvane from a copy in a temporary program folder, without any display.

#include <algorithm>

#include <gtest/gtest.h>

#include "banner_editor/LayoutBuffer.h"
#include "platform/PathText.h"
#include "support/LayoutBuilder.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using test_support::LayoutBuilder;
using test_support::LayoutDefect;
using test_support::readAll;

using test_support::RunResult;

class LorvaneCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The program folder is the executable's own folder: run a copy that lives in the temporary one.
        test_support::installProgram("Lorvane", folder.path());
        layout = folder.write("games/title/banner.brlyt", LayoutBuilder::vcBanner().build());
    }

    fs::path program() const { return folder / "Lorvane"; }

    RunResult run(const QStringList& args) const { return test_support::runProgram(program(), args); }

    test_support::TempFolder folder;
    fs::path layout;
};

QString q(const fs::path& p)
{
    return QString::fromStdString(p.string());
}

std::size_t lines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// The bytes of a layout outside one text section: everything before it and everything after it.
platform::Bytes outside(const platform::Bytes& layout, std::string_view pane)
{
    const std::size_t at = test_support::findTextSection(layout, pane);
    const std::size_t end = at + test_support::sectionSizeAt(layout, at);
    platform::Bytes rest(layout.begin() + 12, layout.begin() + static_cast<std::ptrdiff_t>(at));
    rest.insert(rest.end(), layout.begin() + static_cast<std::ptrdiff_t>(end), layout.end());
    return rest;
}

} // namespace

TEST_F(LorvaneCli, EditsAndSavesWithoutAWindow)
{
    const auto result = run({q(layout), "-TITLE", "Moon Quest", "-YEAR", "1991", "-PLAY", "4", "-FORCE", "ger", "-PAD",
                             "+16", "-T_JPN", "Tsuki"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.err.empty()) << result.err;
    EXPECT_TRUE(result.out.empty()) << result.out;

    const auto saved = test_support::readAll(layout);
    const std::uint32_t size = platform::readBe32(saved, 8);
    EXPECT_EQ(saved.size(), size + 16u);
    using banner_editor::Get_Txt1_Text;
    EXPECT_EQ(Get_Txt1_Text(saved, "T_VCTitle_ENG"), u"Moon Quest");
    EXPECT_EQ(Get_Txt1_Text(saved, "T_VCTitle_JPN"), u"Tsuki");
    EXPECT_EQ(Get_Txt1_Text(saved, "T_Year_GER"), u"Erschienen: 1991");
    EXPECT_EQ(Get_Txt1_Text(saved, "T_Play_FRA"), u"Joueurs: 1-4");
    // Every language has a title, so forcing GER changes nothing.
    EXPECT_NE(platform::findBytes(saved, platform::bytesOf("LENG")), platform::NOT_FOUND);
    // The path is remembered in the program folder.
    EXPECT_EQ(test_support::readAll(folder / "cfgs/vcinfopath.cfg"), platform::bytesOf(layout.string() + "\r\n"));
}

TEST_F(LorvaneCli, FailuresEndWithAReasonAndTheirStatus)
{
    const auto before = test_support::readAll(layout);

    const auto missing = run({q(folder / "games/none.brlyt"), "-TITLE", "x"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(std::count(missing.err.begin(), missing.err.end(), '\n'), 1) << missing.err;
    EXPECT_NE(missing.err.find("none.brlyt"), std::string::npos);

    const auto scheme = run({q(layout), "-COLOR", "Nowhere"});
    EXPECT_EQ(scheme.exitCode, 1);
    EXPECT_NE(scheme.err.find("Nowhere"), std::string::npos);

    const auto region = run({q(layout), "-FORCE", "XYZ"});
    EXPECT_EQ(region.exitCode, 2);
    const auto pad = run({q(layout), "-PAD", "lots"});
    EXPECT_EQ(pad.exitCode, 2);
    EXPECT_EQ(test_support::readAll(layout), before);

    const auto help = run({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("-TITLE"), std::string::npos);
}

TEST_F(LorvaneCli, WithoutAPathTheLastLayoutIsEdited)
{
    const auto none = run({"-TITLE", "x"});
    EXPECT_EQ(none.exitCode, 2) << none.err;

    ASSERT_EQ(run({q(layout)}).exitCode, 0);
    const auto again = run({"-ESRB", "T"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(banner_editor::Get_Txt1_Text(test_support::readAll(layout), "T_ESRB_ITA"), u"ESRB Rating: T");
}

// A file of another kind named as the layout is refused by name, and left byte-identical.
TEST_F(LorvaneCli, FilesOfAnotherKindAreLeftAlone)
{
    const std::vector<std::pair<std::string, platform::Bytes>> others{
        {"games/timg/my_Back_a.tpl", {0x00, 0x20, 0xAF, 0x30, 0, 0, 0, 1, 0, 0, 0, 0x0C}},
        {"games/title/notes.txt", platform::bytesOf("Release notes\n")},
        {"games/title/empty.brlyt", {}}};
    for (const auto& [name, bytes] : others) {
        SCOPED_TRACE(name);
        const auto other = folder.write(name, bytes);
        const auto result = run({q(other), "-TITLE", "Moon Quest"});
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(lines(result.err), 1u) << result.err;
        EXPECT_NE(result.err.find("'" + other.string() + "' is not a banner layout"), std::string::npos) << result.err;
        EXPECT_EQ(readAll(other), bytes);
    }
}

// A command line that was not understood writes nothing: help, an option without its value. An
// unknown option is named and passed over.
TEST_F(LorvaneCli, CommandLinesNotUnderstoodWriteNothing)
{
    ASSERT_EQ(run({q(layout), "-PAD", "0"}).exitCode, 0); // now the last layout, unpadded
    const auto before = readAll(layout);
    const auto config = readAll(folder / "cfgs/vcinfopath.cfg");
    for (const char* help : {"-h", "-help", "-?", "--help"}) {
        const auto result = run({help});
        EXPECT_EQ(result.exitCode, 0) << help;
        EXPECT_NE(result.out.find("Usage: Lorvane"), std::string::npos) << help;
        EXPECT_EQ(result.err, "") << help;
    }
    for (const QStringList& args : {QStringList{q(layout), "-TITLE"}, QStringList{q(layout), "-PLAY", "2", "-YEAR"},
                                    QStringList{"-H_T_PF"}, QStringList{q(layout), "-LOGO", "-PAD", "0"}}) {
        SCOPED_TRACE(args.join(' ').toStdString());
        const auto result = run(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(lines(result.err), 1u) << result.err;
        EXPECT_NE(result.err.find("needs a value"), std::string::npos) << result.err;
    }
    EXPECT_EQ(readAll(layout), before);
    EXPECT_EQ(readAll(folder / "cfgs/vcinfopath.cfg"), config);

    const auto unknown = run({q(layout), "-PAD", "0", "-COLOUR", "Dark"});
    EXPECT_EQ(unknown.exitCode, 0);
    EXPECT_EQ(unknown.err, "Lorvane: Unknown option -COLOUR ignored\n");
}

// No silent success: an edit that could not be made ends with status 1, names what was looked for
// and writes nothing, neither the layout nor the logo.
TEST_F(LorvaneCli, EditsThatCannotBeMadeFailByName)
{
    const auto before = readAll(layout);
    folder.write("logos/Star.tpl", platform::Bytes{0x00, 0x20, 0xAF, 0x30, 1, 2, 3, 4});
    struct Case
    {
        QStringList args;
        std::string named;
    };
    const std::vector<Case> cases{
        {{"-H_NoSuchPane", "Hello"}, "\"NoSuchPane\""},
        {{"-TITLE", "x", "-LOGO", "Star.tpl"}, (folder / "games/timg").string()},
        {{"-LOGO", "Nothing.tpl"}, (folder / "logos/Nothing.tpl").string()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        const auto result = run(QStringList{q(layout)} + c.args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_NE(result.err.find(c.named), std::string::npos) << result.err;
        EXPECT_EQ(readAll(layout), before);
    }

    // A texture folder without a my_Back texture; then with one, which is replaced with the layout.
    folder.write("games/timg/VCPic.tpl", std::string("picture"));
    const auto none = run({q(layout), "-LOGO", "Star.tpl"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_NE(none.err.find("my_Back"), std::string::npos) << none.err;
    EXPECT_EQ(readAll(layout), before);
    folder.write("games/timg/my_Back_a.tpl", std::string("old"));
    EXPECT_EQ(run({q(layout), "-LOGO", "Star.tpl"}).exitCode, 0);
    EXPECT_EQ(readAll(folder / "games/timg/my_Back_a.tpl"), readAll(folder / "logos/Star.tpl"));
}

// Text panes whose stored text length runs past their section, as layouts of other tools store them:
// the text up to its terminator is replaced, every other section stays byte-identical. A pane without
// a terminator inside its section is left alone and the edit is reported.
TEST_F(LorvaneCli, PanesWithTextLengthsPastTheirSectionAreEdited)
{
    // Canonical language panes, so the save's re-encoding of them changes no byte.
    auto builder = LayoutBuilder::vcBanner({"ENG"});
    for (auto& pane : builder.textPanes)
        pane.extraBufferBytes = 0;
    builder.text("TextBox_00", u"Author Credit\n").withDefect(LayoutDefect::LengthsPastSection, "TextBox_00");
    builder.text("Sealed", u"Sealed").withDefect(LayoutDefect::UnterminatedText, "Sealed");
    const auto built = folder.write("games/title/built.brlyt", builder.build());
    std::vector<fs::path> layouts{built};
    if (const auto real = test_support::realDataFolder("brlyt"); !real.empty())
        layouts.push_back(folder.write("games/title/cosmos.brlyt", readAll(real / "cosmos_author_message.brlyt")));

    for (const auto& path : layouts) {
        SCOPED_TRACE(path.filename().string());
        const auto original = readAll(path);
        ASSERT_EQ(banner_editor::Get_Txt1_Text(original, "TextBox_00"), u"Author Credit^");
        const auto result = run({q(path), "-H_TextBox_00", "Hello^World", "-PAD", "0"});
        EXPECT_EQ(result.exitCode, 0) << result.err;
        const auto edited = readAll(path);
        EXPECT_EQ(banner_editor::Get_Txt1_Text(edited, "TextBox_00"), u"Hello^World");
        EXPECT_EQ(outside(edited, "TextBox_00"), outside(original, "TextBox_00"));
        EXPECT_EQ(platform::readBe32(edited, 8), edited.size());
    }

    const auto before = readAll(built);
    const auto sealed = run({q(built), "-H_Sealed", "Open"});
    EXPECT_EQ(sealed.exitCode, 1);
    EXPECT_NE(sealed.err.find("\"Sealed\""), std::string::npos) << sealed.err;
    EXPECT_NE(sealed.err.find("without a terminator"), std::string::npos) << sealed.err;
    EXPECT_EQ(readAll(built), before);
}

// A layout edited through a symbolic link: the file it points to changes, the link stays a link.
TEST_F(LorvaneCli, EditsThroughASymbolicLinkReachTheLinkedFile)
{
    const auto link = folder / "games/title/link.brlyt";
    std::error_code ec;
    fs::create_symlink(layout, link, ec);
    if (ec)
        GTEST_SKIP() << "no symbolic links here: " << ec.message();
    const auto result = run({q(link), "-TITLE", "Through the link", "-PAD", "0"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(fs::read_symlink(link), layout);
    EXPECT_EQ(banner_editor::Get_Txt1_Text(readAll(layout), "T_VCTitle_ENG"), u"Through the link");

    // The link names a file of another kind: refused, the file unchanged.
    const auto notes = folder.write("games/notes.txt", std::string("notes"));
    fs::remove(link);
    fs::create_symlink(notes, link);
    EXPECT_EQ(run({q(link), "-TITLE", "x"}).exitCode, 1);
    EXPECT_EQ(readAll(notes), platform::bytesOf("notes"));
    EXPECT_TRUE(fs::is_symlink(link));
}
