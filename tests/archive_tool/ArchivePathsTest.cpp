#include "archive_tool/ArchivePaths.h"

#include <gtest/gtest.h>

namespace {

using namespace archive_tool;

std::string u8(const std::u16string& text)
{
    return std::string(text.begin(), text.end()); // the cases are ASCII
}

TEST(ArchivePaths, ExtractionRewritesBothTexts)
{
    struct Case
    {
        std::u16string file, folder, wantFile, wantFolder;
    };
    const std::vector<Case> cases = {
        {u"game.ccf", u"", u"\\game.ccf", u"\\game_ccf_OUT\\"},
        {u"\\meta\\data.ccf", u"", u"\\meta\\data.ccf", u"\\meta\\data_ccf_OUT\\"},
        {u"C:\\work\\game.ccf", u"C:\\work\\game.ccf_OUT\\", u"C:\\work\\game.ccf", u"C:\\work\\game_ccf_OUT\\"},
        {u"C:\\work\\game.ccf", u"C:\\ver.2\\out", u"C:\\work\\game.ccf", u"C:\\ver.2\\out\\"},
        {u"C:\\ver.2\\game.ccf", u"", u"C:\\ver.2\\game.ccf", u"C:\\ver.2\\game_ccf_OUT\\"},
        {u"/home/me/v1.0/misc.ccf.zlib", u"", u"/home/me/v1.0/misc.ccf.zlib", u"/home/me/v1.0/misc_ccf_zlib_OUT/"},
        {u"game.ccf", u"out.dir", u"\\game.ccf", u"\\out_dir\\"},
        {u"game.ccf", u"/tmp/x.y/", u"\\game.ccf", u"/tmp/x_y/"},
    };
    for (const auto& c : cases) {
        const auto texts = extractionTexts(c.file, c.folder);
        EXPECT_EQ(u8(texts.file), u8(c.wantFile)) << u8(c.file);
        EXPECT_EQ(u8(texts.folder), u8(c.wantFolder)) << u8(c.file) << " | " << u8(c.folder);
    }
}

TEST(ArchivePaths, PackingDerivesTheArchiveFromTheFolder)
{
    struct Case
    {
        std::u16string file, folder, wantFile, wantFolder;
    };
    const std::vector<Case> cases = {
        {u"", u"C:\\work\\game_ccf_OUT\\", u"C:\\work\\game.ccf", u"C:\\work\\game_ccf_OUT\\"},
        {u"", u"C:\\work\\game_ccf_OUT", u"C:\\work\\game.ccf", u"C:\\work\\game_ccf_OUT"},
        {u"", u"game_ccf_OUT", u"\\game.ccf", u"\\game_ccf_OUT"},
        {u"", u"\\meta\\data_ccf_out\\", u"\\meta\\data.ccf", u"\\meta\\data_ccf_out\\"},
        {u"", u"C:\\v.2\\misc_ccf_zlib_OUT\\", u"C:\\v.2\\misc.ccf.zlib", u"C:\\v.2\\misc_ccf_zlib_OUT\\"},
        {u"", u"/home/me/stuff/", u"/home/me/stuff.ccf", u"/home/me/stuff/"},
        {u"out.ccf", u"\\src", u"out.ccf", u"\\src"},
    };
    for (const auto& c : cases) {
        const auto texts = packingTexts(c.file, c.folder);
        EXPECT_EQ(u8(texts.file), u8(c.wantFile)) << u8(c.folder);
        EXPECT_EQ(u8(texts.folder), u8(c.wantFolder)) << u8(c.folder);
    }
}

TEST(ArchivePaths, BrowseDerivationsGoBothWays)
{
    EXPECT_EQ(u8(folderTextForArchive(u"C:\\data\\game.ccf")), "C:\\data\\game_ccf_OUT\\");
    EXPECT_EQ(u8(folderTextForArchive(u"\\game.ccf")), "\\game_ccf_OUT\\");
    EXPECT_EQ(u8(folderTextForArchive(u"/srv/v.1/game.ccf")), "/srv/v.1/game_ccf_OUT/");
    // Only the archive's own name changes, even where a folder has the same name.
    EXPECT_EQ(u8(folderTextForArchive(u"C:\\game.ccf\\game.ccf")), "C:\\game.ccf\\game_ccf_OUT\\");

    EXPECT_EQ(u8(archiveTextForFolder(u"C:\\data\\game_ccf_OUT\\")), "C:\\data\\game.ccf");
    EXPECT_EQ(u8(archiveTextForFolder(u"C:\\data\\game_ccf_OUT")), "C:\\data\\game.ccf");
    EXPECT_EQ(u8(archiveTextForFolder(u"\\x_OUT\\")), "\\x");
    // A folder that extraction did not make packs beside itself, never onto itself.
    EXPECT_EQ(u8(archiveTextForFolder(u"C:\\data\\my_files\\")), "C:\\data\\my_files.ccf");
    EXPECT_EQ(u8(archiveTextForFolder(u"\\_OUT\\")), "\\_OUT.ccf");
}

TEST(ArchivePaths, FixPathAddsTheSeparatorAndTheProgramFolder)
{
    EXPECT_EQ(u8(FixPath(u"C:\\data", "/suite")), "C:\\data\\");
    EXPECT_EQ(u8(FixPath(u"C:\\data\\", "/suite")), "C:\\data\\");
    EXPECT_EQ(u8(FixPath(u"\\data", "/suite")), "/suite\\data\\");
    EXPECT_EQ(u8(FixPath(u"/abs/dir/", "/suite")), "/abs/dir/");
    EXPECT_EQ(u8(anchoredPathText(u"name")), "\\name");
    EXPECT_EQ(u8(anchoredPathText(u"C:\\x")), "C:\\x");
    EXPECT_EQ(u8(anchoredPathText(u"/x")), "/x");
    EXPECT_EQ(u8(anchoredPathText(u"\\x")), "\\x");
}

} // namespace
