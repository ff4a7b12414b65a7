// Runs the built Stavik from a copy in a temporary program folder, without any display, on synthetic
// extracted titles.

#include <map>

#include <gtest/gtest.h>

#include "platform/PathText.h"
#include "support/InjectorTitleBuilders.h"
#include "support/ProgramRun.h"
#include "support/ReadOnly.h"
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
        folder.write("templates/tpl_neogeo_header.bin", test_support::saveBanner(32, 0));
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

    // Every file under the folder with its bytes, to show that a refused run changed nothing.
    std::map<fs::path, Bytes> snapshot() const
    {
        std::map<fs::path, Bytes> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder.path()))
            if (entry.is_regular_file())
                files[entry.path()] = readAll(entry.path());
        return files;
    }

    test_support::TempFolder folder;
};

std::size_t countLines(const std::string& text)
{
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

// An extracted N64 title: seven save comments and a save banner in its meta folder.
void makeN64Title(const test_support::TempFolder& folder)
{
    for (const char* code : {"jp", "en", "de", "fr", "es", "it", "nl"})
        folder.write(std::string("n64/meta/saveComments_saveComments_") + code + ".bin",
                     test_support::n64Comment(u"old", Bytes(6, 0)));
    folder.write("n64/meta/save_banner.tpl", test_support::oneImageTpl(4, 4, 0x0101));
    folder.write("new/save_banner.tpl", test_support::oneImageTpl(4, 4, 0x0202));
}

// An extracted Genesis title (banner.cfg.txt and its WTE set) and a new WTE set.
void makeGenesisTitle(const test_support::TempFolder& folder)
{
    auto lines = test_support::segaHeaderLines();
    for (const auto* line : {u"JP:a", u"EN:b", u"GE:c", u"FR:d", u"SP:e", u"IT:f", u"DU:g"})
        lines.push_back(line);
    folder.write("gen/banner.cfg.txt", test_support::utf16TextFile(lines));
    for (const char* name : {"01.wte", "02.wte", "03.wte", "04.wte", "05.wte", "06.wte"}) {
        folder.write(std::string("gen/") + name, test_support::wte(8, 8, 16, 0x01));
        folder.write(std::string("wte/") + name, test_support::wte(8, 8, 16, 0x02));
    }
    folder.write("gen/banner_us.wte", test_support::wte(16, 8, 32, 0x01));
    folder.write("wte/banner.wte", test_support::wte(16, 8, 32, 0x02));
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
    EXPECT_EQ(r.err, "Invalid Destination!: 00000001.app not found! Looked for " +
                         platform::quoted(folder / "00000001.app") + ".\n");

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

    const Bytes banner = test_support::saveBanner(10, 7);
    folder.write("ng/banner.bin", banner);
    folder.write("ng/banner.tpl", test_support::neoGeoBannerTpl(32, 1));
    r = run({"-C", "neogeo", "-DST", path("ng/banner.bin"), "-SRC", path("ng/banner.tpl"), "-EN",
             QString(64, QLatin1Char('x'))});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(countLines(r.err), 1u) << r.err;
    EXPECT_EQ(r.err.rfind("Title Too Long!: ", 0), 0u) << r.err;
    EXPECT_EQ(readAll(folder / "ng/banner.bin"), banner);
}

TEST_F(StavikCli, TextureWithNowhereToGoWritesNothing)
{
    folder.write("snes/00000005.app", test_support::ticketApp("EAAE"));
    const Bytes app = test_support::snesApp("EAAE", 0x80, platform::bytesOf("Old"), {});
    folder.write("snes/00000001.app", app);
    const Bytes tpl = test_support::fiveImageTpl(50, 0x66);
    folder.write("new.tpl", tpl);
    auto r = run({"-C", "snes", "-DST", path("snes/00000001.app"), "-SRC", path("new.tpl"), "-EN", "F-Zero"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "banner.tpl Not Found!: Cannot File Save banner to inject! Looked for " +
                         platform::quoted(folder / "snes/00000005_app_out/banner.tpl") + ". Nothing was injected.\n");
    EXPECT_EQ(readAll(folder / "snes/00000001.app"), app); // the title did not go in either

    folder.write("snes/00000005_app_out/banner.tpl", Bytes(4, 0));
    r = run({"-C", "snes", "-DST", path("snes/00000001.app"), "-SRC", path("new.tpl"), "-EN", "F-Zero"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    // The texture part of the report is shown in unattended runs too; the title part is not.
    EXPECT_NE(r.err.find("successfully copied to"), std::string::npos) << r.err;
    EXPECT_EQ(r.err.find("successflly injected"), std::string::npos) << r.err;
    EXPECT_EQ(readAll(folder / "snes/00000005_app_out/banner.tpl"), tpl);
    EXPECT_EQ(readAll(folder / "snes/00000001.app")[0x80 + 4 + 60], 'F');
}

TEST_F(StavikCli, UnusableCommandLineAndHelp)
{
    auto r = run({"-C", "snesx", "-DST", path("x")});
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_NE(r.err.find("snesx"), std::string::npos);

    r = run({"--help"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_NE(r.out.find("Usage: Stavik"), std::string::npos);
    r = run({"--version"});
    EXPECT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.out.rfind("Stavik ", 0), 0u);
}

TEST_F(StavikCli, SourcesOfTheWrongKindAreRefusedAndNothingIsWritten)
{
    makeN64Title(folder);
    makeGenesisTitle(folder);
    makeNesTitle();
    folder.write("snes/00000001.app", test_support::snesApp("EAAE", 0x80, platform::bytesOf("Old"), {}));
    folder.write("snes/00000005.app", test_support::ticketApp("EAAE"));
    folder.write("snes/00000005_app_out/banner.tpl", test_support::oneImageTpl(4, 4, 1));
    folder.write("c64/00000001.app", test_support::c64App(0x40, u"Old", u""));
    folder.write("c64/00000005_app_out/LZ77_banner.tpl",
                 test_support::lz77Literals(test_support::oneImageTpl(4, 4, 1), true));
    folder.write("ng/banner.bin", test_support::saveBanner(200, 1));
    folder.write("tg/TITLE.TXT", test_support::utf16TextFile({u"Old", u"JP:x"}));
    folder.write("tg/savedata.tpl", test_support::oneImageTpl(4, 4, 1));
    folder.write("wrong/01.wte", test_support::wte(8, 8, 16, 3));
    folder.write("wrong/one.tpl", test_support::oneImageTpl(4, 4, 3));
    folder.write("wrong/lz-text.bin", test_support::lz77Literals(platform::bytesOf("not a texture"), false));
    folder.write("wrong/short-ng.tpl", test_support::oneImageTpl(4, 4, 3)); // a TPL under 416 bytes
    for (const char* name : {"01.wte", "02.wte", "03.wte", "04.wte", "05.wte", "06.wte", "banner.wte"})
        folder.write(std::string("badwte/") + name, test_support::wte(8, 8, 16, 4));
    folder.write("badwte/04.wte", test_support::oneImageTpl(4, 4, 4)); // a TPL under a WTE's name

    struct Case
    {
        QStringList args;
        std::string source; // named in the one line on standard error
    };
    const std::vector<Case> cases = {
        {{"-C", "n64", "-DST", path("n64/meta/"), "-SRC", path("wrong/01.wte")}, "wrong/01.wte"},
        {{"-C", "nes", "-DST", path("nes/00000001.app"), "-SRC", path("wrong/one.tpl")}, "wrong/one.tpl"},
        {{"-C", "snes", "-DST", path("snes/00000001.app"), "-SRC", path("wrong/01.wte")}, "wrong/01.wte"},
        {{"-C", "tg16", "-DST", path("tg/TITLE.TXT"), "-SRC", path("wrong/01.wte")}, "wrong/01.wte"},
        {{"-DST", path("ng/banner.bin"), "-SRC", path("wrong/01.wte")}, "wrong/01.wte"},
        {{"-C", "c64", "-DST", path("c64/00000001.app"), "-SRC", path("wrong/one.tpl")}, "wrong/one.tpl"},
        {{"-C", "c64", "-DST", path("c64/00000001.app"), "-SRC", path("wrong/lz-text.bin")}, "wrong/lz-text.bin"},
        {{"-C", "neogeo", "-DST", path("ng/banner.bin"), "-SRC", path("wrong/short-ng.tpl")}, "wrong/short-ng.tpl"},
        {{"-C", "gen", "-DST", path("gen/banner.cfg.txt"), "-SRC", path("badwte/")}, "badwte/04.wte"},
    };
    const auto before = snapshot();
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.source;
        EXPECT_EQ(countLines(r.err), 1u) << r.err;
        EXPECT_EQ(r.err.rfind("Invalid Source File!: " + platform::quoted(folder / c.source), 0), 0u) << r.err;
        EXPECT_TRUE(snapshot() == before) << c.source;
    }
}

TEST_F(StavikCli, WithoutConsoleTheNeoGeoInjectionRunsOntoSaveBannersOnly)
{
    folder.write("banner.tpl", test_support::neoGeoBannerTpl(64, 0x33));
    folder.write("rel/banner.bin", test_support::saveBanner(300, 0x44));
    auto r = run({"rel/banner.bin", "-SRC", "\\banner.tpl", "-EN", "Relative"});
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const Bytes out = readAll(folder / "rel/banner.bin");
    ASSERT_EQ(out.size(), 160u + 64u);
    EXPECT_EQ(Bytes(out.begin() + 32, out.begin() + 48), test_support::utf16be(u"Relative"));

    // An executable named by mistake is refused, with or without -C neogeo.
    const Bytes app = makeNesTitle();
    for (const QStringList& args :
         {QStringList{"-DST", path("nes/00000001.app"), "-SRC", path("banner.tpl")},
          QStringList{"-C", "neogeo", "-DST", path("nes/00000001.app"), "-SRC", path("banner.tpl")}}) {
        r = run(args);
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_EQ(r.err, "Invalid Destination!: " + platform::quoted(folder / "nes/00000001.app") +
                             " is not a save banner (it does not start with \"WIBN\"). Nothing was written.\n");
        EXPECT_EQ(readAll(folder / "nes/00000001.app"), app);
    }
}

TEST_F(StavikCli, CommandLineNotUnderstoodWritesNothing)
{
    const Bytes app = makeNesTitle();
    struct Case
    {
        QStringList args;
        int status;
        std::string err; // the start of standard error; "" for none
    };
    const std::vector<Case> cases = {
        {{"-C", "nes", "-DST", path("nes/00000001.app"), "-SRC", path("nes/banner.tpl"), "-EN"},
         2,
         "Invalid Command Line!: The option -EN needs a value and has none."},
        {{"-C", "nes", "-SRC", path("nes/banner.tpl"), "-EN", "Kid", "-DST"},
         2,
         "Invalid Command Line!: The option -DST needs a value and has none."},
        {{"-h"}, 0, ""},
        {{"-?"}, 0, ""},
        {{"-help"}, 0, ""},
    };
    const auto before = snapshot();
    for (const auto& c : cases) {
        const auto r = run(c.args);
        EXPECT_EQ(r.exitCode, c.status) << c.args.join(' ').toStdString();
        EXPECT_EQ(r.err.substr(0, c.err.size()), c.err);
        EXPECT_EQ(countLines(r.err), c.err.empty() ? 0u : 1u) << r.err;
        EXPECT_TRUE(snapshot() == before) << c.args.join(' ').toStdString();
    }
}

TEST_F(StavikCli, NotFoundNamesWhereItLooked)
{
    makeN64Title(folder);
    const fs::path work = folder / "work";
    fs::create_directories(work);
    const auto r = test_support::runProgram(folder / "Stavik",
                                            {"-C", "n64", "-DST", path("n64/meta/"), "-SRC", "save_banner.tpl"}, work);
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(r.err, "Source Not Found!: The source file was not found. Looked for " +
                         platform::quoted(work / "save_banner.tpl") +
                         " (a relative path is taken from the current folder). Nothing was injected.\n");
}

TEST_F(StavikCli, ReadOnlyFileInTheMiddleLeavesEveryFileAsItWas)
{
    makeN64Title(folder);
    makeGenesisTitle(folder);
    struct Case
    {
        QStringList args;
        std::string readOnly;
        std::string firstLines; // what standard error holds before the one line of the failure
    };
    const std::vector<Case> cases = {
        {{"-C", "n64", "-DST", path("n64/meta/"), "-SRC", path("new/save_banner.tpl"), "-EN", "Wave Race"},
         "n64/meta/saveComments_saveComments_fr.bin",
         ""},
        {{"-C", "gen", "-DST", path("gen/banner.cfg.txt"), "-SRC", path("wte/"), "-EN", "Moon Blast"},
         "gen/banner.cfg.txt",
         "Stavik: " + path("gen/").toStdString() + "\n"}, // the folder the WTE set goes to, shown first
    };
    for (const auto& c : cases) {
        const auto before = snapshot();
        test_support::ReadOnlyGuard guard(folder / c.readOnly);
        if (!guard.ok())
            GTEST_SKIP() << "cannot make a file read-only here";
        const auto r = run(c.args);
        EXPECT_EQ(r.exitCode, 1) << c.readOnly;
        ASSERT_EQ(r.err.substr(0, c.firstLines.size()), c.firstLines);
        const std::string failure = r.err.substr(c.firstLines.size());
        EXPECT_EQ(countLines(failure), 1u) << r.err;
        EXPECT_NE(failure.find(platform::quoted(folder / c.readOnly)), std::string::npos) << r.err;
        EXPECT_TRUE(snapshot() == before) << c.readOnly;
    }
}
