// Runs the built Lorvane from a copy in a temporary program folder, without any display.

#include <algorithm>

#include <gtest/gtest.h>

#include "banner_editor/LayoutBuffer.h"
#include "support/LayoutBuilder.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using test_support::LayoutBuilder;

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
