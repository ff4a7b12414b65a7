#include "platform/Files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/TextCodec.h"
#include "support/ReadOnly.h"
#include "support/TempFolder.h"

using namespace platform;
using test_support::readAll;
using test_support::ReadOnlyGuard;
using test_support::TempFolder;

namespace {

std::size_t entryCount(const std::filesystem::path& folder)
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(folder))
        ++n;
    return n;
}

} // namespace

TEST(Files, ReadsAndWritesWholeFiles)
{
    TempFolder dir;
    const Bytes data{0, 1, 2, 0xFF};
    ASSERT_TRUE(writeFileAtomic(dir / "a.bin", data).ok());
    auto back = readFile(dir / "a.bin");
    ASSERT_TRUE(back.ok());
    EXPECT_EQ(back.value(), data);
    ASSERT_TRUE(writeFileAtomic(dir / "a.bin", Bytes{}).ok());
    EXPECT_TRUE(readFile(dir / "a.bin").value().empty());
    EXPECT_EQ(entryCount(dir.path()), 1u);

    auto missing = readFile(dir / "none.bin");
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, ErrorKind::NotFound);
    EXPECT_NE(missing.error().message.find("none.bin"), std::string::npos);
    EXPECT_FALSE(readFile(dir.path()).ok());
}

TEST(Files, WriteReusesACaseInsensitiveMatch)
{
    TempFolder dir;
    dir.write("Sub/IconVCpic.tga", std::string("old"));
    ASSERT_TRUE(writeFileAtomic(dir / "sub/iconvcpic.tga", bytesOf("new")).ok());
    EXPECT_EQ(readAll(dir / "Sub/IconVCpic.tga"), bytesOf("new"));
    EXPECT_EQ(entryCount(dir / "Sub"), 1u);
    ASSERT_TRUE(removeIfPresent(dir / "SUB/ICONVCPIC.TGA").ok());
    EXPECT_EQ(entryCount(dir / "Sub"), 0u);
    EXPECT_TRUE(removeIfPresent(dir / "Sub/gone.tga").ok());
}

TEST(Files, KeepsOldFileWhenWriteFails)
{
    TempFolder dir;
    dir.write("layout.brlyt", std::string("old contents"));
    setWriteFailureAfterForTesting(5);
    auto r = writeFileAtomic(dir / "layout.brlyt", bytesOf("new contents that fail"));
    setWriteFailureAfterForTesting(std::nullopt);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, ErrorKind::WriteFailed);
    EXPECT_NE(r.error().message.find("layout.brlyt"), std::string::npos);
    EXPECT_EQ(readAll(dir / "layout.brlyt"), bytesOf("old contents"));
    EXPECT_EQ(entryCount(dir.path()), 1u) << "no temporary file may be left";
}

TEST(Files, WriteIntoReadOnlyFolderFailsAndKeepsOldFile)
{
    TempFolder dir;
    dir.write("ro/layout.brlyt", std::string("old"));
    {
        ReadOnlyGuard guard(dir / "ro");
        if (!guard.ok())
            GTEST_SKIP() << "cannot make a folder read-only here";
        auto r = writeFileAtomic(dir / "ro/layout.brlyt", bytesOf("new"));
        ASSERT_FALSE(r.ok());
        EXPECT_NE(r.error().message.find("layout.brlyt"), std::string::npos);
    }
    EXPECT_EQ(readAll(dir / "ro/layout.brlyt"), bytesOf("old"));
    EXPECT_EQ(entryCount(dir / "ro"), 1u);
}

TEST(Files, ReadOnlyFileIsNotReplaced)
{
    TempFolder dir;
    const auto p = dir.write("banner.bin", std::string("old"));
    std::filesystem::permissions(p, std::filesystem::perms::owner_read);
    auto r = writeFileAtomic(p, bytesOf("new"));
    ASSERT_FALSE(r.ok());
    EXPECT_NE(r.error().message.find("read-only"), std::string::npos);
    EXPECT_EQ(readAll(p), bytesOf("old"));
    EXPECT_EQ(entryCount(dir.path()), 1u);
}

TEST(Files, WriteIntoMissingFolderFails)
{
    TempFolder dir;
    auto r = writeFileAtomic(dir / "nowhere/x.bin", bytesOf("x"));
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, ErrorKind::WriteFailed);
    EXPECT_NE(r.error().message.find("x.bin"), std::string::npos);
}

TEST(Files, ReplacingKeepsPermissions)
{
    TempFolder dir;
    const auto p = dir.write("tool.sh", std::string("#!/bin/sh\n"));
    std::filesystem::permissions(p, std::filesystem::perms::owner_all);
    ASSERT_TRUE(writeFileAtomic(p, bytesOf("#!/bin/sh\nexit 0\n")).ok());
    EXPECT_EQ(std::filesystem::status(p).permissions() & std::filesystem::perms::owner_exec,
              std::filesystem::perms::owner_exec);
}

TEST(Files, CreatesFoldersReusingExistingCase)
{
    TempFolder dir;
    std::filesystem::create_directory(dir / "Temp");
    ASSERT_TRUE(createFolders(dir / "temp/a/b").ok());
    EXPECT_TRUE(std::filesystem::is_directory(dir / "Temp/a/b"));
    EXPECT_FALSE(std::filesystem::exists(dir / "temp"));
    ASSERT_TRUE(copyFile(dir.write("x.bin", std::string("xyz")), dir / "TEMP/A/y.bin").ok());
    EXPECT_EQ(readAll(dir / "Temp/a/y.bin"), bytesOf("xyz"));
    EXPECT_FALSE(copyFile(dir / "missing", dir / "z").ok());

    // A copied program stays executable; a new file is readable by others as usual.
    const auto tool = dir.write("tool", std::string("#!/bin/sh\n"));
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    ASSERT_TRUE(copyFile(tool, dir / "Temp/tool").ok());
    EXPECT_EQ(std::filesystem::status(dir / "Temp/tool").permissions(), std::filesystem::perms::owner_all);
    ASSERT_TRUE(writeFileAtomic(dir / "new.bin", bytesOf("x")).ok());
    EXPECT_NE(std::filesystem::status(dir / "new.bin").permissions() & std::filesystem::perms::owner_read,
              std::filesystem::perms::none);
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(static_cast<unsigned>(std::filesystem::status(dir / "new.bin").permissions()), 0666u & ~mask)
        << "not the temporary file's private mode";
}

TEST(Files, ListsByPatternSortedWithoutRegardToCase)
{
    TempFolder dir;
    for (const char* name : {"b.TPL", "a.tpl", "C.tpl", "readme", "x.tpl.bak", "noext"})
        dir.write(name, std::string("x"));
    std::filesystem::create_directory(dir / "folder.tpl");
    EXPECT_EQ(listFolder(dir.path(), "*.tpl"), (std::vector<std::string>{"a.tpl", "b.TPL", "C.tpl"}));
    EXPECT_EQ(listFolder(dir.path(), "*.*").size(), 6u) << "*.* lists names without a dot too";
    EXPECT_EQ(listFolder(dir.path(), "?.tpl").size(), 3u);
    EXPECT_TRUE(listFolder(dir / "missing", "*.*").empty());
    EXPECT_EQ(listSubfolders(dir.path()), (std::vector<std::string>{"folder.tpl"}));
}

TEST(Files, MatchesWildcards)
{
    EXPECT_TRUE(matchesPattern("my_Back_a.tpl", "my_back*"));
    EXPECT_TRUE(matchesPattern("abc", "a*c"));
    EXPECT_TRUE(matchesPattern("ac", "a*c"));
    EXPECT_TRUE(matchesPattern("aXbXc", "a*b*c"));
    EXPECT_FALSE(matchesPattern("abd", "a*c"));
    EXPECT_FALSE(matchesPattern("scheme.vccs.old", "*.vccs"));
    EXPECT_TRUE(matchesPattern("", "*"));
}

TEST(Files, BatchWritesAllOrNothing)
{
    TempFolder dir;
    dir.write("meta/save_banner.tpl", std::string("old tpl"));
    dir.write("meta/comment_en.bin", std::string("old en"));
    const auto frozen = dir.write("meta/comment_fr.bin", std::string("old fr"));
    const std::vector<FileWrite> batch{{dir / "meta/save_banner.tpl", bytesOf("new tpl")},
                                       {dir / "meta/comment_en.bin", bytesOf("new en")},
                                       {dir / "meta/comment_new.bin", bytesOf("new file")},
                                       {frozen, bytesOf("new fr")}};
    const auto unchanged = [&] {
        EXPECT_EQ(readAll(dir / "meta/save_banner.tpl"), bytesOf("old tpl"));
        EXPECT_EQ(readAll(dir / "meta/comment_en.bin"), bytesOf("old en"));
        EXPECT_EQ(readAll(frozen), bytesOf("old fr"));
        EXPECT_EQ(entryCount(dir / "meta"), 3u) << "no new file and no temporary may be left";
    };

    // Refused while the files are prepared: a read-only target.
    std::filesystem::permissions(frozen, std::filesystem::perms::owner_read);
    auto refused = writeFilesAtomic(batch);
    ASSERT_FALSE(refused.ok());
    EXPECT_NE(refused.error().message.find("comment_fr.bin"), std::string::npos);
    unchanged();

    // Refused while writing a temporary (the third file is the first one long enough to fail).
    std::filesystem::permissions(frozen, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    setWriteFailureAfterForTesting(7);
    EXPECT_FALSE(writeFilesAtomic(batch).ok());
    setWriteFailureAfterForTesting(std::nullopt);
    unchanged();

    // Refused at the last rename, after three targets were replaced: they get their old content back.
    {
        ReadOnlyGuard guard(frozen);
        if (guard.ok() && ::geteuid() == 0) {
            EXPECT_FALSE(writeFilesAtomic(batch).ok());
            unchanged();
        }
    }

    ASSERT_TRUE(writeFilesAtomic(batch).ok());
    EXPECT_EQ(readAll(dir / "meta/comment_new.bin"), bytesOf("new file"));
    EXPECT_EQ(readAll(frozen), bytesOf("new fr"));
    EXPECT_EQ(entryCount(dir / "meta"), 4u);
}

TEST(Files, TemporariesOfKilledWritesAreHiddenAndRemovedByTheNextWrite)
{
    TempFolder dir;
    dir.write("banner.brlyt", std::string("layout"));
    // Left by processes that no longer run (no process id reaches 9999999), and one of a running process.
    dir.write(".banner.brlyt.vctmp-9999999-a1B2c3", std::string("partial"));
    dir.write(".banner.brlyt.vctmp-9999999-a1B2c3.old", std::string("backup"));
    const std::string running = ".banner.brlyt.vctmp-" + std::to_string(::getpid()) + "-zzzzzz";
    dir.write(running, std::string("in progress"));
    dir.write(".other.bin.vctmp-9999999-q1w2e3", std::string("another target's"));

    EXPECT_EQ(listFolder(dir.path(), "*.*"), std::vector<std::string>{"banner.brlyt"});
    ASSERT_TRUE(writeFileAtomic(dir / "banner.brlyt", bytesOf("saved")).ok());
    EXPECT_FALSE(std::filesystem::exists(dir / ".banner.brlyt.vctmp-9999999-a1B2c3"));
    EXPECT_FALSE(std::filesystem::exists(dir / ".banner.brlyt.vctmp-9999999-a1B2c3.old"));
    EXPECT_TRUE(std::filesystem::exists(dir / running));
    EXPECT_TRUE(std::filesystem::exists(dir / ".other.bin.vctmp-9999999-q1w2e3"));
}

TEST(Files, WritingThroughASymbolicLinkReplacesTheFileItNames)
{
    TempFolder dir;
    const auto real = dir.write("real/banner.brlyt", std::string("old"));
    std::filesystem::create_directories(dir / "arc");
    std::filesystem::create_symlink(real, dir / "arc/banner.brlyt");
    ASSERT_TRUE(writeFileAtomic(dir / "arc/banner.brlyt", bytesOf("new")).ok());
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "arc/banner.brlyt"));
    EXPECT_EQ(readAll(real), bytesOf("new"));
    EXPECT_EQ(entryCount(dir / "arc"), 1u);

    std::filesystem::permissions(real, std::filesystem::perms::owner_read);
    EXPECT_FALSE(writeFileAtomic(dir / "arc/banner.brlyt", bytesOf("newer")).ok());
    EXPECT_EQ(readAll(real), bytesOf("new"));
}

TEST(Files, NamesMatchWithUnicodeCaseFolding)
{
    TempFolder dir;
    dir.write("Ü 0.TGA", std::string("picture"));
    dir.write("ΣΟΦΊΑ/Straße.txt", std::string("text"));
    EXPECT_EQ(findExisting(dir / "ü 0.tga"), dir / "Ü 0.TGA");
    EXPECT_EQ(readAll(findExisting(dir / "σοφία/STRAßE.TXT")), bytesOf("text"));
    EXPECT_FALSE(fileExists(dir / "u 0.tga"));
    EXPECT_EQ(foldCase(U'Ā'), U'ā');
    EXPECT_EQ(foldCase(U'ß'), U'ß') << "simple folding keeps one character";
}
