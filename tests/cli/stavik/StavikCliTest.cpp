// Runs the built Stavik from a copy in a temporary program folder, without any display, on synthetic
// extracted titles.

#include <gtest/gtest.h>

#include "support/InjectorTitleBuilders.h"
#include "support/ProgramRun.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using platform::Bytes;
using test_support::readAll;

using test_support::RunResult;

class StavikCli : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The program folder is the executable's own folder: run a copy that lives in the temporary one.
        test_support::installProgram("Stavik", folder.path());
        folder.write("templates/tpl_neogeo_header.bin", Bytes(32, 0x5A));
    }

    RunResult run(const QStringList& args) const { return test_support::runProgram(folder / "Stavik", args); }

    QString path(const std::string& relative) const { return QString::fromStdString((folder / relative).string()); }

    // An NES title with its executable, and a new save-icon TPL beside it.
    Bytes makeNesTitle()
    {
        const Bytes app = test_support::nesApp(test_support::fiveImageTpl(43264, 0x11), u"Old", 32).bytes;
        folder.write("nes/00000001.app", app);
        folder.write("nes/banner.tpl", test_support::fiveImageTpl(43264, 0x22));
        return app;
    }

    test_support::TempFolder folder;
};

std::size_t countLines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

} // namespace

TEST_F(StavikCli, InjectsNesTextureAndTitleSilently)
{
    const Bytes old = makeNesTitle();
    const auto r =
        run({"-C", "nes", "-DST", path("nes/00000001.app"), "-SRC", path("nes/banner.tpl"), "-EN", "Kid", "Icarus"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    const Bytes out = readAll(folder / "nes/00000001.app");
    ASSERT_EQ(out.size(), old.size());
    const Bytes title = test_support::utf16be(u"Kid Icarus");
    EXPECT_NE(std::search(out.begin(), out.end(), title.begin(), title.end()), out.end());
    EXPECT_EQ(out[0x200 + 300], 0x22); // the new texture
}

TEST_F(StavikCli, ConsoleOptionResetsWhatCameBefore)
{
    makeNesTitle();
    // -DST and -EN before -C are reset to the console's defaults: the destination becomes
    // "\00000001.app" in the program folder, which is not there.
    auto r = run({"-DST", path("nes/00000001.app"), "-EN", "Lost", "-C", "nes", "-SRC", path("nes/banner.tpl")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Invalid Destination!: 00000001.app not found!\n");

    // The first argument is the destination, taken in the program folder when it is not absolute.
    fs::copy_file(folder / "nes/00000001.app", folder / "00000001.app");
    r = run({"00000001.app", "-C", "nes", "-SRC", "\\nes\\banner.tpl"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const Bytes out = readAll(folder / "00000001.app");
    const Bytes title = test_support::utf16be(u"NES Save");
    EXPECT_NE(std::search(out.begin(), out.end(), title.begin(), title.end()), out.end());
}

TEST_F(StavikCli, N64TitlesGoIntoTheFilesRealTitlesCarry)
{
    for (const char* code : {"jp", "en", "de", "fr", "es", "it", "nl"})
        folder.write(std::string("title/00000005_app_out/meta/saveComments_saveComments_") + code + ".bin",
                     test_support::n64Comment(u"old", Bytes(6, 0)));
    const auto r = run({"-C", "n64", "-GE", "Wellenrennen", "-SP", "Carrera", "-DU", "Golfrace", "-DST",
                        "\\title\\00000005_app_out\\meta\\", "-EN", "Wave Race"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const auto title = [&](const char* code) {
        const Bytes b =
            readAll(folder / (std::string("title/00000005_app_out/meta/saveComments_saveComments_") + code + ".bin"));
        return Bytes(b.begin() + 64, b.begin() + 64 + b[47]);
    };
    // -DST loads the titles the folder holds, so options before it are replaced by them.
    EXPECT_EQ(title("de"), test_support::utf16le(u"old"));
    EXPECT_EQ(title("en"), test_support::utf16le(u"Wave Race"));
    EXPECT_FALSE(fs::exists(folder / "title/00000005_app_out/meta/saveComments_saveComments_ge.bin"));

    const auto again = run({"-C", "n64", "-DST", "\\title\\00000005_app_out\\meta\\", "-GE", "Wellenrennen", "-SP",
                            "Carrera", "-DU", "Golfrace"});
    EXPECT_EQ(again.exitCode, 0) << again.err;
    EXPECT_EQ(title("de"), test_support::utf16le(u"Wellenrennen"));
    EXPECT_EQ(title("es"), test_support::utf16le(u"Carrera"));
    EXPECT_EQ(title("nl"), test_support::utf16le(u"Golfrace"));
    EXPECT_EQ(title("en"), test_support::utf16le(u"Wave Race")); // kept from the file
}

TEST_F(StavikCli, FailuresExitOneWithOneLineReason)
{
    const Bytes notNes(4000, 0x41);
    folder.write("bad/00000001.app", notNes);
    folder.write("bad/banner.tpl", test_support::fiveImageTpl(256, 1));
    auto r = run({"-C", "nes", "-DST", path("bad/00000001.app"), "-SRC", path("bad/banner.tpl")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Error #1:  No tpl in 00000001.app: The app file you pointed to is NOT a valid Nes app!\n");
    EXPECT_EQ(readAll(folder / "bad/00000001.app"), notNes);

    folder.write("ng/banner.bin", Bytes(10, 7));
    folder.write("ng/banner.tpl", test_support::neoGeoBannerTpl(32, 1));
    r = run({"-C", "neogeo", "-DST", path("ng/banner.bin"), "-SRC", path("ng/banner.tpl"), "-EN",
             QString(64, QLatin1Char('x'))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(countLines(r.err), 1u) << r.err;
    EXPECT_EQ(r.err.rfind("Title Too Long!: ", 0), 0u) << r.err;
    EXPECT_EQ(readAll(folder / "ng/banner.bin"), Bytes(10, 7));
}

TEST_F(StavikCli, PassedOverTextureIsReportedAndExitsOne)
{
    folder.write("snes/00000005.app", test_support::ticketApp("EAAE"));
    folder.write("snes/00000001.app", test_support::snesApp("EAAE", 0x80, platform::bytesOf("Old"), {}));
    folder.write("new.tpl", Bytes(50, 0x66));
    auto r = run({"-C", "snes", "-DST", path("snes/00000001.app"), "-SRC", path("new.tpl"), "-EN", "F-Zero"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "banner.tpl Not Found!: Cannot File Save banner to inject!\n");
    EXPECT_EQ(readAll(folder / "snes/00000001.app")[0x80 + 4 + 60], 'F'); // the title still went in

    folder.write("snes/00000005_app_out/banner.tpl", Bytes(4, 0));
    r = run({"-C", "snes", "-DST", path("snes/00000001.app"), "-SRC", path("new.tpl"), "-EN", "F-Zero"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // The texture part of the report is shown in unattended runs too; the title part is not.
    EXPECT_NE(r.err.find("successfully copied to"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("successflly injected"), std::string::npos) << r.err;
    EXPECT_EQ(readAll(folder / "snes/00000005_app_out/banner.tpl"), Bytes(50, 0x66));
}

TEST_F(StavikCli, UnusableCommandLineAndHelp)
{
    auto r = run({"-C", "snesx", "-DST", path("x")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("snesx"), std::string::npos);

    // Without a console the run would rebuild the destination as a NeoGeo banner: an executable named
    // by mistake must stay as it is.
    const Bytes app = makeNesTitle();
    r = run({"-DST", path("nes/00000001.app"), "-SRC", path("nes/banner.tpl"), "-EN", "Oops"});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("-C"), std::string::npos) << r.err;
    EXPECT_EQ(readAll(folder / "nes/00000001.app"), app);

    r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("Usage: Stavik"), std::string::npos);
    r = run({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("Stavik ", 0), 0u);
}
