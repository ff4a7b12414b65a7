#include "archive_tool/UnattendedRun.h"

#include <gtest/gtest.h>

#include "archive_tool/ArchiveToolModel.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

namespace {

using namespace archive_tool;

// Everything an unattended run says goes to the sink handed to it and its model: nothing reaches the
// process-wide sink, whose default writes to standard error.
TEST(UnattendedRun, ReportsOnlyThroughTheSinkItIsGiven)
{
    test_support::TempFolder programFolder;
    programFolder.write("notccf.ccf", "hello");
    programFolder.write("src/a.txt", "a");
    std::filesystem::create_directories(programFolder / "src" / "nested");
    struct Case
    {
        std::vector<std::string> args;
        int status;
        std::vector<std::string> prompts;
    };
    const Case cases[] = {
        {{"-e", "-file", "\\notccf.ccf"}, 1, {"\\notccf.ccf is not a CCF archive: it does not begin with \"CCF\"."}},
        {{"-pack", "-folder", "\\src", "-quick"},
         0,
         {"The option -quick is not known and was ignored.",
          "Subfolders are not packed (an archive holds files only), so these were skipped: \"nested\"."}},
        {{"-e"}, 2, {"Nothing to extract: give the archive with -file <archive>."}},
    };
    for (const auto& c : cases) {
        test_support::RecordingSink sink("Cramble");
        ArchiveToolModel model(sink, programFolder.path(), true);
        testing::internal::CaptureStderr();
        const int status = runUnattended(model, c.args);
        EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
        EXPECT_EQ(status, c.status) << c.args.front();
        std::vector<std::string> prompts;
        for (const auto& message : sink.messages)
            prompts.push_back(message.prompt);
        EXPECT_EQ(prompts, c.prompts);
    }
    EXPECT_TRUE(std::filesystem::exists(programFolder / "src.ccf"));
}

} // namespace
