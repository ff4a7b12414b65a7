#include "archive_tool/ArchiveToolModel.h"

#include <gtest/gtest.h>

#include "archive_tool/ZlibCodec.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"
#include "support/CcfBuilder.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;
using namespace archive_tool;
using platform::bytesOf;
using platform::MessageIcon;
using test_support::buildCcf;
using test_support::readAll;

class ArchiveToolModelTest : public ::testing::Test
{
protected:
    ArchiveToolModel window() { return ArchiveToolModel(sink, programFolder.path(), false); }
    ArchiveToolModel unattended() { return ArchiveToolModel(sink, programFolder.path(), true); }

    test_support::TempFolder programFolder;
    test_support::RecordingSink sink{"Cramble"};
};

TEST_F(ArchiveToolModelTest, ExtractsABareNameFromTheProgramFolderAndSaysWhere)
{
    programFolder.write("game.ccf", buildCcf({{"a.txt", bytesOf("A")}}));
    auto model = window();
    model.setFileText(u"game.ccf");
    auto report = model.extract();
    ASSERT_TRUE(report.ok()) << report.error().message;
    EXPECT_EQ(model.fileText(), u"\\game.ccf");
    EXPECT_EQ(model.folderText(), u"\\game_ccf_OUT\\");
    EXPECT_EQ(report->folder, programFolder / "game_ccf_OUT");
    EXPECT_EQ(report->extracted, 1u);
    EXPECT_EQ(readAll(programFolder / "game_ccf_OUT" / "a.txt"), bytesOf("A"));
    // The file list shows the folder extracted into.
    EXPECT_EQ(model.folderFiles(), std::vector<std::string>{"a.txt"});
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt, "\\game.ccf successfully extracted!\r\nThe files are in " +
                                           platform::quoted(programFolder / "game_ccf_OUT") + ".");
    EXPECT_EQ(sink.messages[0].title, "Cramble"); // no title of its own
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::None);
}

TEST_F(ArchiveToolModelTest, ReportsEachFailedMemberAndDoesNotClaimSuccess)
{
    programFolder.write("game.ccf", buildCcf({{"ok", bytesOf("1")},
                                              {"bad", test_support::zlibStream(bytesOf("abc")), 4},
                                              {"../up", bytesOf("2")}}));
    auto model = window();
    model.setFileText(u"\\game.ccf");
    auto report = model.extract();
    ASSERT_TRUE(report.ok());
    EXPECT_FALSE(report->complete());
    EXPECT_EQ(report->problems.size(), 2u);
    ASSERT_EQ(sink.messages.size(), 3u);
    EXPECT_EQ(sink.messages[0].prompt, "Input file corrupted");
    EXPECT_EQ(sink.messages[0].title, "Compression Error");
    EXPECT_EQ(sink.messages[0].icon, MessageIcon::Exclamation);
    EXPECT_NE(sink.messages[1].prompt.find("\"../up\""), std::string::npos);
    EXPECT_EQ(sink.messages[2].prompt, "\\game.ccf was extracted with errors: 1 of 3 members were extracted into " +
                                           platform::quoted(programFolder / "game_ccf_OUT") + ".");
}

TEST_F(ArchiveToolModelTest, PacksWithASuccessMessageOnlyInTheWindow)
{
    programFolder.write("game_ccf_OUT/b.txt", "b");
    programFolder.write("game_ccf_OUT/A.txt", "a");
    auto window = this->window();
    window.setFolderText(u"game_ccf_OUT");
    ASSERT_TRUE(window.pack().ok());
    // The archive is named from the folder with the program folder in front of it.
    const std::u16string derived = platform::pathToText(programFolder.path()) + u"\\game.ccf";
    EXPECT_EQ(window.fileText(), derived);
    EXPECT_EQ(window.folderText(), u"\\game_ccf_OUT");
    EXPECT_EQ(window.memberOrderList(), (std::vector<std::string>{"A.txt", "b.txt"}));
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].prompt, platform::utf8FromUtf16(derived) + " successfully created!");
    EXPECT_EQ(sink.messages[0].title, "Cramble");
    EXPECT_TRUE(fs::exists(programFolder / "game.ccf"));

    auto unattended = this->unattended();
    unattended.setFolderText(u"\\game_ccf_OUT\\");
    unattended.setFileText(u"\\other.ccf");
    ASSERT_TRUE(unattended.pack().ok());
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(readAll(programFolder / "other.ccf"), readAll(programFolder / "game.ccf"));

    // Empty fields ask for a path instead of working on the program folder itself.
    auto empty = this->window();
    for (const bool extracting : {true, false}) {
        const platform::Error refused = extracting ? empty.extract().error() : empty.pack().error();
        EXPECT_EQ(refused.kind, platform::ErrorKind::BadArgument);
        EXPECT_EQ(refused.message.rfind("Type the path of a", 0), 0u) << refused.message;
    }
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_FALSE(fs::exists(programFolder / ".ccf"));
}

TEST_F(ArchiveToolModelTest, BrowseChoicesDeriveTheOtherField)
{
    auto model = window();
    fs::create_directories(programFolder / "meta");
    model.archiveChosen(programFolder / "meta" / "data.ccf");
    EXPECT_EQ(model.fileText(), u"\\meta\\data.ccf");
    EXPECT_EQ(model.folderText(), u"\\meta\\data_ccf_OUT\\");
    model.archiveChosen("/elsewhere/v1.2/game.ccf");
    EXPECT_EQ(model.folderText(), u"/elsewhere/v1.2/game_ccf_OUT/");

    programFolder.write("meta/data_ccf_OUT/x.bin", "x");
    model.folderChosen(platform::pathToText(programFolder / "meta" / "data_ccf_OUT"));
    EXPECT_EQ(model.folderText(), u"\\meta\\data_ccf_OUT\\");
    EXPECT_EQ(model.fileText(), u"\\meta\\data.ccf");
    EXPECT_EQ(model.folderFiles(), std::vector<std::string>{"x.bin"});

    // The folder the field already holds derives nothing; cancelling the picker empties the folder
    // field and leaves the archive field.
    model.setFileText(u"\\typed.ccf");
    model.setFolderText(u"/elsewhere/data_ccf_OUT");
    model.folderChosen(u"/elsewhere/data_ccf_OUT");
    EXPECT_EQ(model.fileText(), u"\\typed.ccf");
    model.folderChosen(u"");
    EXPECT_EQ(model.folderText(), u"");
    EXPECT_EQ(model.fileText(), u"\\typed.ccf");
    EXPECT_TRUE(model.folderFiles().empty());
}

TEST(ArchiveToolFailures, ZlibResultsShowTheExclamationIconOtherFailuresTheCriticalOne)
{
    for (int zlibResult : {-3, -4, -5})
        EXPECT_EQ(failureIcon(compressionError(zlibResult)), MessageIcon::Exclamation) << zlibResult;
    EXPECT_EQ(failureIcon(platform::makeError(platform::ErrorKind::BadArgument, "No archive was written.")),
              MessageIcon::Critical);
}

} // namespace
