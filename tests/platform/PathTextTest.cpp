#include "platform/PathText.h"

#include <gtest/gtest.h>

#include "platform/Files.h"
#include "support/TempFolder.h"

using namespace platform;
using test_support::TempFolder;

TEST(PathText, ClassifiesTexts)
{
    EXPECT_TRUE(isAbsolutePathText(u"C:\\games\\x.brlyt"));
    EXPECT_TRUE(isAbsolutePathText(u"/home/me/x.brlyt"));
    EXPECT_FALSE(isAbsolutePathText(u"\\cfgs\\vcinfopath.cfg"));
    EXPECT_FALSE(isAbsolutePathText(u"banner.brlyt"));
    EXPECT_FALSE(isAbsolutePathText(u""));
    EXPECT_TRUE(isProgramRelativePathText(u"\\cfgs"));
    EXPECT_FALSE(isProgramRelativePathText(u"/cfgs"));
    EXPECT_EQ(lastSeparator(u"a\\b/c"), 3u);
    EXPECT_EQ(fileNameOfPathText(u"\\meta/banner.bin"), u"banner.bin");
    EXPECT_EQ(fileNameOfPathText(u"plain"), u"plain");
}

TEST(PathText, ResolvesAgainstProgramFolderAndRoot)
{
    TempFolder program;
    const auto base = program.path();
    EXPECT_EQ(resolvePathText(u"\\cfgs\\vcinfopath.cfg", base), base / "cfgs" / "vcinfopath.cfg");
    EXPECT_EQ(resolvePathText(u"\\cfgs/sub\\x", base), base / "cfgs" / "sub" / "x");
    EXPECT_EQ(resolvePathText(u"/etc/hostname", base), std::filesystem::path("/etc/hostname"));
    // A drive letter has no meaning here: the rest is taken from the root.
    EXPECT_EQ(resolvePathText(u"C:\\etc\\hostname", base), std::filesystem::path("/etc/hostname"));
    // A bare name is relative to the current folder.
    EXPECT_EQ(resolvePathText(u"x.bin", base), std::filesystem::current_path() / "x.bin");
}

TEST(PathText, FindsExistingComponentsWithoutRegardToCase)
{
    TempFolder program;
    program.write("00000005_app_OUT/meta/data_ccf_OUT/banner.cfg.txt", std::string("x"));
    const auto found = resolvePathText(u"\\00000005_app_out\\meta\\data_ccf_out\\BANNER.CFG.TXT", program.path());
    EXPECT_EQ(found, program.path() / "00000005_app_OUT" / "meta" / "data_ccf_OUT" / "banner.cfg.txt");
    EXPECT_TRUE(fileExists(program.path() / "00000005_APP_out" / "META" / "data_ccf_out" / "Banner.cfg.txt"));
    // A missing tail keeps the matched head and the rest as written.
    EXPECT_EQ(findExisting(program.path() / "00000005_APP_OUT" / "New" / "f.txt"),
              program.path() / "00000005_app_OUT" / "New" / "f.txt");
}

TEST(PathText, DisplaysPathsInsideTheProgramFolderInShortForm)
{
    TempFolder program;
    program.write("logos/a.tpl", std::string("x"));
    EXPECT_EQ(displayPathText(program.path() / "logos" / "a.tpl", program.path()), u"\\logos\\a.tpl");
    EXPECT_EQ(displayPathText(program.path(), program.path()), u"\\");
    EXPECT_EQ(displayPathText("/etc/hostname", program.path()), u"/etc/hostname");
    // Round trip: the short form resolves to the same file.
    EXPECT_EQ(resolvePathText(displayPathText(program / "logos/a.tpl", program.path()), program.path()),
              program.path() / "logos" / "a.tpl");
}
