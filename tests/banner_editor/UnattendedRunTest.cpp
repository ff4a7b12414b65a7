#include "banner_editor/UnattendedRun.h"

#include <gtest/gtest.h>

#include "BannerModelFixture.h"

using namespace banner_editor;

namespace {

class UnattendedRun : public banner_test::BannerModelFixture
{
protected:
    // Runs the arguments on the fixture's model; what reached standard error goes to err.
    int run(const std::vector<std::string>& args)
    {
        sink.messages.clear();
        testing::internal::CaptureStderr();
        const int status = runUnattended(model, args);
        err = testing::internal::GetCapturedStderr();
        return status;
    }

    std::string err;
};

} // namespace

// Everything an unattended run reports goes to the sink it was handed, never to the process-wide one
// (which writes to standard error).
TEST_F(UnattendedRun, ReportsOnlyThroughTheModelsSink)
{
    const auto layout = folder.write("games/title/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    const auto before = test_support::readAll(layout);

    EXPECT_EQ(run({layout.string(), "-H_NoSuchPane", "text"}), 1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].prompt.find("NoSuchPane"), std::string::npos);
    EXPECT_EQ(sink.messages[0].title, "Lorvane");
    EXPECT_EQ(err, "");
    EXPECT_EQ(test_support::readAll(layout), before);

    EXPECT_EQ(run({layout.string(), "-TITLE"}), 2);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(err, "");

    EXPECT_EQ(run({layout.string(), "-TITLE", "Moon", "-bogus"}), 0);
    ASSERT_EQ(sink.messages.size(), 1u); // the ignored option; the success message stays suppressed
    EXPECT_EQ(sink.messages[0].prompt, "Unknown option -bogus ignored");
    EXPECT_EQ(err, "");
    EXPECT_EQ(banner_test::paneText(test_support::readAll(layout), "T_VCTitle_GER"), u"Moon");
}
