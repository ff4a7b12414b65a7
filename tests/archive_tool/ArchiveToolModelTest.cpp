#include "archive_tool/ArchiveToolModel.h"

#include "archive_tool/UnattendedRun.h"
#include "platform/Messages.h"
#include "platform/PathText.h"
#include "support/CcfBuilder.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <zlib.h>

namespace {

namespace fs = std::filesystem;
using namespace archive_tool;
using platform::MessageIcon;
using test_support::buildCcf;
using test_support::readAll;
using test_support::RecordingSink;
using test_support::TempFolder;

platform::Bytes bytesOf(const std::string& text)
{
    return platform::Bytes(text.begin(), text.end());
}

platform::Bytes zlibCompress(const platform::Bytes& source)
{
    uLongf length = compressBound(static_cast<uLong>(source.size()));
    platform::Bytes out(length);
    compress(out.data(), &length, source.data(), static_cast<uLong>(source.size()));
    out.resize(length);
    return out;
}

class ArchiveToolModelTest : public ::testing::Test
{
protected:
    TempFolder programFolder;
    RecordingSink sink;
};

TEST_F(ArchiveToolModelTest, ExtractsABareNameFromTheProgramFolderAndSaysSo)
{
    programFolder.write("game.ccf", buildCcf({{"a.txt", bytesOf("A")}}));
    ArchiveToolModel model(programFolder.path(), false);
    model.setFileText(u"game.ccf");
    ASSERT_TRUE(model.extract());
    EXPECT_EQ(model.fileText(), u"\\game.ccf");
    EXPECT_EQ(model.folderText(), u"\\game_ccf_OUT\\");
    EXPECT_EQ(readAll(programFolder / "game_ccf_OUT" / "a.txt"), bytesOf("A"));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt, "\\game.ccf successfully extracted!");
    EXPECT_EQ(sink.messages[0].title, platform::programName()); // no title of its own
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::None);
}

TEST_F(ArchiveToolModelTest, ReportsEachFailedMemberAndDoesNotClaimSuccess)
{
    programFolder.write("game.ccf", buildCcf({{"ok", bytesOf("1")},
                                              {"bad", zlibCompress(bytesOf("abc")), 4},
                                              {"../up", bytesOf("2")}}));
    ArchiveToolModel model(programFolder.path(), false);
    model.setFileText(u"\\game.ccf");
    EXPECT_FALSE(model.extract());
    ASSERT_EQ(sink.messages.size(), 3u);
    EXPECT_EQ(sink.messages[0].prompt, "Input file corrupted");
    EXPECT_EQ(sink.messages[0].title, "Compression Error");
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(sink.messages[1].prompt.find("\"../up\""), std::string::npos);
    EXPECT_EQ(sink.messages[2].prompt, "\\game.ccf was extracted with errors: 1 of 3 members were extracted.");
    EXPECT_FALSE(fs::exists(programFolder.path() / "up"));
}

TEST_F(ArchiveToolModelTest, PacksWithSuccessMessageOnlyInTheWindow)
{
    programFolder.write("game_ccf_OUT/b.txt", "b");
    programFolder.write("game_ccf_OUT/A.txt", "a");
    ArchiveToolModel window(programFolder.path(), false);
    window.setFolderText(u"game_ccf_OUT");
    ASSERT_TRUE(window.pack());
    EXPECT_EQ(window.fileText(), u"\\game.ccf");
    EXPECT_EQ(window.folderText(), u"\\game_ccf_OUT");
    EXPECT_EQ(window.memberOrderList(), (std::vector<std::string>{"A.txt", "b.txt"}));
    EXPECT_EQ(window.folderFiles(), (std::vector<std::string>{"A.txt", "b.txt"}));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt, "\\game.ccf successfully created!");
    EXPECT_TRUE(fs::exists(programFolder / "game.ccf"));

    sink.messages.clear();
    ArchiveToolModel unattended(programFolder.path(), true);
    unattended.setFolderText(u"\\game_ccf_OUT\\");
    unattended.setFileText(u"\\other.ccf");
    ASSERT_TRUE(unattended.pack());
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(readAll(programFolder / "other.ccf"), readAll(programFolder / "game.ccf"));
}

TEST_F(ArchiveToolModelTest, EmptyFieldsAskForAPathInsteadOfUsingTheProgramFolder)
{
    ArchiveToolModel model(programFolder.path(), false);
    EXPECT_FALSE(model.extract());
    EXPECT_FALSE(model.pack());
    ASSERT_EQ(sink.messages.size(), 2u);
    EXPECT_EQ(model.fileText(), u"");
    EXPECT_TRUE(fs::is_empty(programFolder.path()));
}

TEST_F(ArchiveToolModelTest, BrowseChoicesDeriveTheOtherField)
{
    ArchiveToolModel model(programFolder.path(), false);
    fs::create_directories(programFolder / "meta");
    model.archiveChosen(programFolder / "meta" / "data.ccf");
    EXPECT_EQ(model.fileText(), u"\\meta\\data.ccf");
    EXPECT_EQ(model.folderText(), u"\\meta\\data_ccf_OUT\\");

    model.archiveChosen("/elsewhere/v1.2/game.ccf");
    EXPECT_EQ(model.fileText(), u"/elsewhere/v1.2/game.ccf");
    EXPECT_EQ(model.folderText(), u"/elsewhere/v1.2/game_ccf_OUT/");

    programFolder.write("meta/data_ccf_OUT/x.bin", "x");
    model.folderChosen(platform::pathToText(programFolder / "meta" / "data_ccf_OUT"));
    EXPECT_EQ(model.folderText(), u"\\meta\\data_ccf_OUT\\");
    EXPECT_EQ(model.fileText(), u"\\meta\\data.ccf");
    EXPECT_EQ(model.folderFiles(), std::vector<std::string>{"x.bin"});

    // Cancelling the picker keeps what the fields hold.
    model.setFileText(u"\\typed.ccf");
    model.folderChosen(u"");
    EXPECT_EQ(model.folderText(), u"\\meta\\data_ccf_OUT\\");
    EXPECT_EQ(model.fileText(), u"\\typed.ccf");
}

TEST_F(ArchiveToolModelTest, UnattendedRunExitStatus)
{
    programFolder.write("game.ccf", buildCcf({{"a.txt", bytesOf("A")}}));
    EXPECT_EQ(runUnattended({"-e", "-file", "\\game.ccf"}, programFolder.path()), 0);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(readAll(programFolder / "game_ccf_OUT" / "a.txt"), bytesOf("A"));

    EXPECT_EQ(runUnattended({"-p", "-folder", "\\game_ccf_OUT", "-file", "\\copy.ccf"}, programFolder.path()), 0);
    EXPECT_EQ(readAll(programFolder / "copy.ccf"), readAll(programFolder / "game.ccf"));

    EXPECT_EQ(runUnattended({"-e", "-file", "\\absent.ccf"}, programFolder.path()), 1);
    EXPECT_EQ(runUnattended({"-e"}, programFolder.path()), 2);
    EXPECT_EQ(runUnattended({"-pack", "-file", "\\x.ccf"}, programFolder.path()), 2);
    EXPECT_EQ(runUnattended({"-file"}, programFolder.path()), 2);
    EXPECT_EQ(sink.messages.size(), 4u);
}

} // namespace
