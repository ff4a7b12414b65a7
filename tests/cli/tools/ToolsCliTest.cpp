// Runs the built outside programs the way the suite starts them: arguments, current folder, exit status.

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "platform/PathText.h"
#include "support/ProgramRun.h"
#include "support/ReadOnly.h"
#include "support/TempFolder.h"
#include "tools/Lz77.h"
#include "tools/TgaFile.h"
#include "tools/ToolsTestData.h"
#include "tools/TplFile.h"

namespace {

namespace fs = std::filesystem;
using platform::Bytes;

test_support::RunResult run(const std::string& program, const QStringList& args, const fs::path& workingFolder)
{
    return test_support::runProgram(test_support::builtProgram(program), args, workingFolder);
}

QString q(const fs::path& p)
{
    return test_support::arg(p);
}

const char* const ICON_SCRIPT = "path = \r\nfile 0 = 0.tga\r\nimage    0 =  0, , RGB565\r\ntexture 0  =  0, x\r\n";

} // namespace

TEST(ToolsCli, ConverterRunsAScriptFromTheCurrentFolder)
{
    test_support::TempFolder folder;
    folder.write("0.tga", tools_test::tgaOf(tools_test::randomImage(48, 48, 1)));
    folder.write("icon.tcs", ICON_SCRIPT);
    fs::create_directories(folder / "out dir");
    const auto r = run("tpl_converter", {"icon.tcs", q(folder / "out dir" / "icon.tpl")}, folder.path());
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_TRUE(r.err.empty()) << r.err;
    const Bytes tpl = test_support::readAll(folder / "out dir" / "icon.tpl");
    EXPECT_EQ(tpl.size(), 4672u);
    EXPECT_EQ(platform::readBe32(tpl, 0x1C), 64u);
}

TEST(ToolsCli, ConverterFailureNamesTheLineExitsOneAndWritesNothing)
{
    test_support::TempFolder folder;
    folder.write("icon.tcs", ICON_SCRIPT);
    const auto r = run("tpl_converter", {"icon.tcs", "icon.tpl"}, folder.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("tpl_converter: icon.tcs line 2: picture"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(folder / "icon.tpl"));
}

TEST(ToolsCli, ViewerWritesPicturesIntoTheCurrentFolder)
{
    test_support::TempFolder folder;
    std::vector<tools::EncodedImage> images;
    for (std::uint32_t n = 0; n < 3; ++n)
        images.push_back(*tools::encodeImage(tools_test::randomImage(8, 4, n, true), tools::TexFormat::RGB565));
    folder.write("src/banner.tpl", tools::writeTpl(images));
    fs::create_directories(folder / "temp");
    const auto r = run("tpl_viewer", {q(folder / "src" / "banner.tpl")}, folder / "temp");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    const auto listed = platform::listFolder(folder / "temp", "*.tga");
    ASSERT_EQ(listed, (std::vector<std::string>{"banner_00.tga", "banner_01.tga", "banner_02.tga"}));
    const auto picture = tools::readTga(test_support::readAll(folder / "temp" / listed[2]));
    ASSERT_TRUE(picture.ok());
    EXPECT_EQ(picture->image.width, 8u);

    folder.write("src/bad.tpl", Bytes{0x00, 0x20, 0xAF, 0x30, 0, 0, 0, 1});
    const auto bad = run("tpl_viewer", {q(folder / "src" / "bad.tpl")}, folder / "temp");
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_NE(bad.err.find("tpl_viewer: "), std::string::npos);
    EXPECT_NE(bad.err.find("bad.tpl"), std::string::npos) << bad.err;
    EXPECT_EQ(platform::listFolder(folder / "temp", "bad*").size(), 0u);
}

TEST(ToolsCli, GbalzssCompressesAndDecompresses)
{
    test_support::TempFolder folder;
    Bytes data;
    for (int i = 0; i < 5000; ++i)
        data.push_back(static_cast<std::uint8_t>((i * i) % 251));
    folder.write("in file.bin", data);
    auto r = run("gbalzss", {"e", q(folder / "in file.bin"), q(folder / "packed.lz")}, folder.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const Bytes packed = test_support::readAll(folder / "packed.lz");
    EXPECT_EQ(packed[0], 0x10);
    EXPECT_EQ(*tools::decompressLz77(packed), data);
    r = run("gbalzss", {"d", "packed.lz", "back.bin"}, folder.path());
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(test_support::readAll(folder / "back.bin"), data);

    folder.write("bad.lz", Bytes{0x11, 5, 0, 0, 0, 1, 2, 3, 4, 5});
    r = run("gbalzss", {"d", "bad.lz", "out.bin"}, folder.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("0x11"), std::string::npos) << r.err;
    EXPECT_FALSE(fs::exists(folder / "out.bin"));
    r = run("gbalzss", {"e", "missing.bin", "out.bin"}, folder.path());
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_NE(r.err.find("missing.bin"), std::string::npos) << r.err;
}

TEST(ToolsCli, UnusableCommandLinesExitTwoAndHelpExitsZeroWritingNothing)
{
    test_support::TempFolder folder;
    folder.write("in.bin", "some bytes to compress");
    // Wrong counts, a wrong mode and options none of them knows.
    const std::pair<const char*, QStringList> bad[] = {
        {"tpl_converter", {}},
        {"tpl_converter", {"only.tcs"}},
        {"tpl_converter", {"icon.tcs", "out.tpl", "--force"}},
        {"tpl_viewer", {}},
        {"tpl_viewer", {"a", "b"}},
        {"tpl_viewer", {"-v", "in.bin"}},
        {"gbalzss", {"x", "a", "b"}},
        {"gbalzss", {"e", "a"}},
        {"gbalzss", {"e", "-fast", "in.bin", "out.lz"}},
    };
    for (const auto& [program, args] : bad) {
        const auto r = run(program, args, folder.path());
        EXPECT_EQ(r.exitCode, 2) << program;
        EXPECT_NE(r.err.find("usage"), std::string::npos) << program;
        if (args.size() > 0 && args.back().startsWith('-')) {
            EXPECT_NE(r.err.find("Unknown option " + args.back().toStdString()), std::string::npos) << r.err;
        }
    }
    for (const char* program : {"tpl_converter", "tpl_viewer", "gbalzss"}) {
        for (const char* help : {"-h", "-help", "-?", "--help"}) {
            const auto r = run(program, {help}, folder.path());
            EXPECT_EQ(r.exitCode, 0) << program << " " << help;
            EXPECT_EQ(r.out.rfind("usage: ", 0), 0u) << program << " " << help;
            EXPECT_EQ(r.err, "");
        }
        const auto version = run(program, {"--version"}, folder.path());
        EXPECT_EQ(version.exitCode, 0);
        EXPECT_EQ(version.out.rfind(program, 0), 0u) << version.out;
    }
    EXPECT_EQ(test_support::namesIn(folder.path()), std::vector<std::string>{"in.bin"});
}

TEST(ToolsCli, ViewerWritesEveryPictureOrNone)
{
    std::vector<tools::EncodedImage> images;
    for (std::uint32_t n = 0; n < 4; ++n)
        images.push_back(*tools::encodeImage(tools_test::randomImage(8, 4, n, true), tools::TexFormat::RGB565));
    const Bytes tpl = tools::writeTpl(images);
    // The fourth picture cannot be written: a folder of its name, or a read-only file.
    for (const bool readOnly : {false, true}) {
        SCOPED_TRACE(readOnly ? "read-only file" : "folder in the way");
        test_support::TempFolder folder;
        folder.write("banner.tpl", tpl);
        folder.write("banner_00.tga", "older picture");
        std::optional<test_support::ReadOnlyGuard> guard;
        if (readOnly) {
            folder.write("banner_03.tga", "kept");
            guard.emplace(folder / "banner_03.tga");
            if (!guard->ok())
                GTEST_SKIP() << "cannot make a file read-only here";
        } else {
            fs::create_directory(folder / "banner_03.tga");
        }
        const auto before = test_support::namesIn(folder.path());
        const auto r = run("tpl_viewer", {"banner.tpl"}, folder.path());
        EXPECT_EQ(r.exitCode, 1);
        EXPECT_NE(r.err.find("banner_03.tga"), std::string::npos) << r.err;
        EXPECT_EQ(test_support::namesIn(folder.path()), before);
        EXPECT_EQ(test_support::readAll(folder / "banner_00.tga"), platform::bytesOf("older picture"));
    }
}

TEST(ToolsCli, MessagesNameTheFileAndWhatItIsNot)
{
    test_support::TempFolder folder;
    folder.write("notes.tpl", "plain text, no texture");
    Bytes typeless = tools_test::tgaOf(tools_test::randomImage(4, 4, 1));
    typeless[2] = 78;
    folder.write("0.tga", typeless);
    folder.write("icon.tcs", ICON_SCRIPT);
    const std::pair<const char*, QStringList> runs[] = {
        {"tpl_viewer", {"notes.tpl"}},
        {"tpl_converter", {"icon.tcs", "icon.tpl"}},
        {"gbalzss", {"d", "notes.tpl", "out.bin"}},
    };
    const std::string expected[] = {
        "tpl_viewer: " + platform::quoted(folder / "notes.tpl") +
            " is not a TPL file (it does not begin with the TPL magic 00 20 AF 30).\n",
        "tpl_converter: icon.tcs line 2: picture " + platform::quoted(folder / "0.tga") +
            " is not a TGA picture (type 78 is not supported)\n",
        "gbalzss: " + platform::quoted(folder / "notes.tpl") +
            " is not an LZ77 type 0x10 stream (its type byte is 0x70, not 0x10).\n",
    };
    for (std::size_t i = 0; i < std::size(runs); ++i) {
        const auto r = run(runs[i].first, runs[i].second, folder.path());
        EXPECT_EQ(r.exitCode, 1) << runs[i].first;
        EXPECT_EQ(r.err, expected[i]);
    }
    EXPECT_EQ(test_support::namesIn(folder.path()), (std::vector<std::string>{"0.tga", "icon.tcs", "notes.tpl"}));
}
