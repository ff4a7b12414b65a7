#include "archive_tool/ArchivePaths.h"

#include <gtest/gtest.h>

namespace {

using namespace archive_tool;

std::string u8(const std::u16string& text)
{
    return std::string(text.begin(), text.end()); // the cases are ASCII
}

struct Case
{
    std::u16string file, folder, wantFile, wantFolder;
};

TEST(ArchivePaths, ExtractionRewritesBothTexts)
{
    for (const auto& c : std::vector<Case>{
             {u"game.ccf", u"", u"\\game.ccf", u"\\game_ccf_OUT\\"},
             {u"\\meta\\data.ccf", u"", u"\\meta\\data.ccf", u"\\meta\\data_ccf_OUT\\"},
             // A folder that is given is used as it stands: only a derived one has its dots replaced.
             {u"C:\\work\\game.ccf", u"C:\\work\\game.ccf_OUT\\", u"C:\\work\\game.ccf", u"C:\\work\\game.ccf_OUT\\"},
             {u"/d/game.ccf", u"/d/v1.2", u"/d/game.ccf", u"/d/v1.2/"},
             {u"C:\\work\\game.ccf", u"C:\\ver.2\\out", u"C:\\work\\game.ccf", u"C:\\ver.2\\out\\"},
             {u"C:\\ver.2\\game.ccf", u"", u"C:\\ver.2\\game.ccf", u"C:\\ver.2\\game_ccf_OUT\\"},
             {u"/srv/v1.0/misc.ccf.zlib", u"", u"/srv/v1.0/misc.ccf.zlib", u"/srv/v1.0/misc_ccf_zlib_OUT/"},
             {u"game.ccf", u"out.dir", u"\\game.ccf", u"\\out.dir\\"},
         }) {
        const auto texts = extractionTexts(c.file, c.folder);
        EXPECT_EQ(u8(texts.file), u8(c.wantFile)) << u8(c.file);
        EXPECT_EQ(u8(texts.folder), u8(c.wantFolder)) << u8(c.file) << " | " << u8(c.folder);
    }
}

TEST(ArchivePaths, PackingDerivesTheArchiveFromTheFolder)
{
    // The archive is named from the folder as FixPath gives it: a folder in the program folder
    // names its archive by the full path.
    for (const auto& c : std::vector<Case>{
             {u"", u"C:\\work\\game_ccf_OUT\\", u"C:\\work\\game.ccf", u"C:\\work\\game_ccf_OUT\\"},
             {u"", u"game_ccf_OUT", u"/suite\\game.ccf", u"\\game_ccf_OUT"},
             {u"", u"\\meta\\data_ccf_out\\", u"/suite\\meta\\data.ccf", u"\\meta\\data_ccf_out\\"},
             {u"", u"C:\\v.2\\misc_ccf_zlib_OUT", u"C:\\v.2\\misc.ccf.zlib", u"C:\\v.2\\misc_ccf_zlib_OUT"},
             // A folder that extraction did not make packs beside itself, never onto itself.
             {u"", u"/home/me/my_files/", u"/home/me/my_files.ccf", u"/home/me/my_files/"},
             {u"out.ccf", u"\\src", u"out.ccf", u"\\src"},
         }) {
        const auto texts = packingTexts(c.file, c.folder, "/suite");
        EXPECT_EQ(u8(texts.file), u8(c.wantFile)) << u8(c.folder);
        EXPECT_EQ(u8(texts.folder), u8(c.wantFolder)) << u8(c.folder);
    }
}

TEST(ArchivePaths, BrowseDerivationsAndFixPath)
{
    EXPECT_EQ(u8(folderTextForArchive(u"C:\\data\\game.ccf")), "C:\\data\\game_ccf_OUT\\");
    EXPECT_EQ(u8(folderTextForArchive(u"/srv/v.1/game.ccf")), "/srv/v.1/game_ccf_OUT/");
    // Only the archive's own name changes, even where a folder has the same name.
    EXPECT_EQ(u8(folderTextForArchive(u"C:\\game.ccf\\game.ccf")), "C:\\game.ccf\\game_ccf_OUT\\");
    EXPECT_EQ(u8(archiveTextForFolder(u"C:\\data\\game_ccf_OUT")), "C:\\data\\game.ccf");
    EXPECT_EQ(u8(archiveTextForFolder(u"\\_OUT\\")), "\\_OUT.ccf");

    EXPECT_EQ(u8(FixPath(u"C:\\data", "/suite")), "C:\\data\\");
    EXPECT_EQ(u8(FixPath(u"\\data", "/suite")), "/suite\\data\\");
    EXPECT_EQ(u8(FixPath(u"/abs/dir/", "/suite")), "/abs/dir/");
}

} // namespace
