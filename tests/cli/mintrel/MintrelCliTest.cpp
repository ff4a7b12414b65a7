// Runs the built Mintrel from a copy in a temporary program folder, without any display.

#include <QProcess>
#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include "icon_generator/MintrelFixture.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"
#include "tools/Lz77.h"
#include "tools/TplFile.h"

namespace {

namespace fs = std::filesystem;
using test_support::readAll;
using test_support::RunResult;

class MintrelCli : public ::testing::Test
{
protected:
    void SetUp() override { test_support::installProgram("Mintrel", folder.path()); }

    RunResult run(const QStringList& args) const
    {
        return test_support::runProgram(folder / "Mintrel", args, folder.path());
    }

    QString outPrefix(const std::string& sub = {}) const
    {
        fs::create_directories(out / sub);
        return QString::fromStdString((out.path() / sub / "").string());
    }

    mintrel_test::ProgramFolder folder{true};
    test_support::TempFolder out;
    const QString sample =
        QString::fromStdString((fs::path(SUITE_SOURCE_DIR) / "samples" / "mintrel" / "moon_racer.png").string());
};

} // namespace

TEST_F(MintrelCli, SaveDataOnlyIsMadeSilentlyAndFromTheTemplates)
{
    const auto result = run({"-sys", "SNES", "-s", sample, "-d", outPrefix(), "-m", "s"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out + result.err, "");
    EXPECT_EQ(test_support::readAll(out / "banner.tpl").size(), 43264u);
    EXPECT_FALSE(fs::exists(out / "VCPic.tpl"));
    auto images = tools::decodeTpl(readAll(out / "banner.tpl"));
    ASSERT_TRUE(images.ok());
    // Frame B is the console's own template, untouched by the source.
    const QImage frameB(QString::fromStdString((folder / "save icons" / "snes5.bmp").string()));
    EXPECT_LE(mintrel_test::maxDifference(images->at(4), frameB), 8);
    EXPECT_EQ(folder.fileNames(), (std::set<std::string>{"Mintrel", "gbalzss", "iconvcpic.tcs", "ng_save_icon.tcs",
                                                         "save_icon.tcs", "single.tcs", "tpl_converter", "vcpic.tcs"}));
}

TEST_F(MintrelCli, HelpAndUnusableCommandLinesWriteNothing)
{
    auto result = run({"-h"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_NE(result.out.find("-sys code"), std::string::npos);
    for (const QStringList& args : {QStringList{"-sys"}, QStringList{"-s", sample, "-m", "x"},
                                    QStringList{"-sys", "snez", "-s", sample}, QStringList{"-sys", "nes"}}) {
        result = run(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(result.err.rfind("Mintrel: ", 0), 0u) << result.err;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_TRUE(fs::is_empty(out.path()));

    // An unknown switch is named and passed over; the run goes on.
    result = run({"-sys", "n64", "-x", "-s", sample, "-d", outPrefix(), "-m", "s"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.err, "Mintrel: unknown option -x ignored\n");
    EXPECT_TRUE(fs::exists(out / "save_banner.tpl"));
}

TEST_F(MintrelCli, MissingOutsideProgramsFailWithALinePerOutput)
{
    folder.removeTool("gbalzss");
    auto result = run({"-sys", "c64", "-s", sample, "-d", outPrefix("c64"), "-m", "sb"});
    EXPECT_EQ(result.exitCode, 1);
    const std::string prefix = outPrefix("c64").toStdString();
    EXPECT_EQ(result.err, "Mintrel: gbalzss not found! You need to compress LZ77_banner.tpl !\nMintrel: " + prefix +
                              "LZ77_banner.tpl was not written: gbalzss is not in the program folder; the "
                              "uncompressed texture was written to " +
                              prefix + "LZ77_banner.arc.\n");
    EXPECT_TRUE(fs::exists(out / "c64" / "VCPic.tpl"));

    folder.installTool("gbalzss");
    result = run({"-sys", "c64", "-s", sample, "-d", outPrefix("c64"), "-m", "s"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    auto unpacked = tools::decompressLz77(readAll(out / "c64" / "LZ77_banner.tpl"));
    ASSERT_TRUE(unpacked.ok());
    EXPECT_EQ(tools::decodeTpl(*unpacked)->size(), 5u);

    folder.removeTool("tpl_converter");
    result = run({"-sys", "gen", "-s", sample, "-d", outPrefix("gen")});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_NE(result.err.find("Mintrel: Error running 'tpl_converter.exe single.tcs"), std::string::npos);
    EXPECT_NE(result.err.find("01.wte to 06.wte and " + outPrefix("gen").toStdString() +
                              "banner.wte were not written: tpl_converter could not be started."),
              std::string::npos)
        << result.err;
    EXPECT_NE(result.err.find("IconVCPic.tpl was not written"), std::string::npos);
    EXPECT_TRUE(fs::is_empty(out / "gen"));
    EXPECT_EQ(folder.fileNames().count("in.tga"), 0u);
}

TEST_F(MintrelCli, ParallelRunsInOneProgramFolderGiveTheFilesOfSingleRuns)
{
    const std::vector<std::string> systems{"nes", "gen", "neogeo", "pce"};
    for (const auto& system : systems)
        ASSERT_EQ(
            run({"-sys", QString::fromStdString(system), "-s", sample, "-d", outPrefix("single-" + system)}).exitCode,
            0);

    std::vector<std::unique_ptr<QProcess>> runs;
    auto environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    for (const auto& system : systems) {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->start(QString::fromStdString((folder / "Mintrel").string()),
                       {"-sys", QString::fromStdString(system), "-s", sample, "-d", outPrefix("parallel-" + system)});
        runs.push_back(std::move(process));
    }
    for (auto& process : runs) {
        ASSERT_TRUE(process->waitForFinished(60000));
        EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    for (const auto& system : systems)
        for (const auto& entry : fs::directory_iterator(out / ("single-" + system)))
            EXPECT_EQ(readAll(entry.path()), readAll(out / ("parallel-" + system) / entry.path().filename()))
                << system << " " << entry.path().filename();
}
