#include "textures/TextureTools.h"

#include <fstream>

#include <gtest/gtest.h>

#include "support/RecordingSink.h"
#include "support/TempFolder.h"

using test_support::TempFolder;
using namespace textures;
namespace fs = std::filesystem;

namespace {

// A stand-in tool that records its arguments, one per line, and the folder it ran in.
fs::path writeRecordingTool(const TempFolder& dir, const std::string& name)
{
    const auto p = dir.write(name, std::string("#!/bin/sh\nprintf '%s\\n' \"$@\" > args.txt\npwd >> args.txt\n"));
    fs::permissions(p, fs::perms::owner_all);
    return p;
}

std::string readText(const fs::path& p)
{
    std::ifstream in(p);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

TEST(TextureTools, CommandLinesQuoteTheTplPath)
{
    EXPECT_EQ(converterCommandLine("save_icon.tcs", "/out dir/banner.tpl"),
              "tpl_converter.exe save_icon.tcs \"/out dir/banner.tpl\"");
    EXPECT_EQ(viewerCommandLine("/p/temp/temp.tpl"), "tpl_viewer.exe \"/p/temp/temp.tpl\"");
    EXPECT_EQ(decompressCommandLine("/in dir/LZ77_banner.tpl", "/p/temp/temp.tpl"),
              "gbalzss.exe d \"/in dir/LZ77_banner.tpl\" \"/p/temp/temp.tpl\"");
}

TEST(TextureTools, RunsToolInWorkingFolderWithPathAsOneArgument)
{
    TempFolder work;
    writeRecordingTool(work, "tpl_converter");
    test_support::RecordingSink sink;
    auto code = MakeTpl(sink, work / "my out" / "banner.tpl", "save_icon.tcs", work.path());
    ASSERT_TRUE(code.ok()) << code.error().message;
    const std::string folder = fs::canonical(work.path()).string();
    EXPECT_EQ(readText(work / "args.txt"),
              "save_icon.tcs\n" + (work / "my out" / "banner.tpl").string() + "\n" + folder + "\n");

    writeRecordingTool(work, "tpl_viewer");
    ASSERT_TRUE(RunViewer(sink, work / "temp.tpl", work.path()).ok());
    EXPECT_EQ(readText(work / "args.txt"), (work / "temp.tpl").string() + "\n" + folder + "\n");

    writeRecordingTool(work, "gbalzss");
    ASSERT_TRUE(RunDecompressor(sink, work / "in dir" / "a.tpl", work / "temp.tpl", work.path()).ok());
    EXPECT_EQ(readText(work / "args.txt"), "d\n" + (work / "in dir" / "a.tpl").string() + "\n" +
                                               (work / "temp.tpl").string() + "\n" + folder + "\n");
    EXPECT_EQ(RunDecompressor(sink, work / "a\"b.tpl", work / "temp.tpl", work.path()).error().kind,
              platform::ErrorKind::BadArgument);
}

TEST(TextureTools, RefusesPathsACommandLineCannotQuote)
{
    TempFolder work;
    writeRecordingTool(work, "tpl_converter");
    test_support::RecordingSink sink;
    EXPECT_EQ(MakeTpl(sink, work / "a\"b.tpl", "x.tcs", work.path()).error().kind, platform::ErrorKind::BadArgument);
    EXPECT_FALSE(fs::exists(work / "args.txt"));
}

TEST(TextureTools, CopyToolKeepsItRunnable)
{
    TempFolder program;
    writeRecordingTool(program, "tpl_viewer");
    program.write("tpl_converter.exe", std::string("MZ"));
    // The working folder is the caller's to make.
    EXPECT_FALSE(copyToolInto(program.path(), VIEWER_PROGRAM, program / "temp").ok());
    fs::create_directory(program / "temp");
    ASSERT_TRUE(copyToolInto(program.path(), VIEWER_PROGRAM, program / "temp").ok());
    EXPECT_TRUE((fs::status(program / "temp" / "tpl_viewer").permissions() & fs::perms::owner_exec) != fs::perms::none);
    test_support::RecordingSink sink;
    ASSERT_TRUE(RunViewer(sink, program / "x.tpl", program / "temp").ok());
    EXPECT_TRUE(fs::exists(program / "temp" / "args.txt"));

    // A tool stored with its suffix keeps it.
    ASSERT_TRUE(copyToolInto(program.path(), CONVERTER_PROGRAM, program / "temp").ok());
    EXPECT_TRUE(fs::exists(program / "temp" / "tpl_converter.exe"));

    TempFolder empty;
    EXPECT_EQ(copyToolInto(empty.path(), CONVERTER_PROGRAM, empty.path()).error().kind, platform::ErrorKind::NotFound);
}
