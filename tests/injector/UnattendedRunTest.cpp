// An unattended run reports through the sink its model was made with, and nowhere else: nothing of a
// failing, refused or succeeding run reaches standard error, where the process-wide sink writes.
#include "injector/UnattendedRun.h"

#include "InjectorFixture.h"

using namespace injector;
using namespace injector_test;

TEST_F(InjectorTest, UnattendedRunReportsOnlyThroughTheModelsSink)
{
    folder.write("t/banner.tpl", test_support::neoGeoBannerTpl(32, 1));
    folder.write("t/banner.bin", test_support::saveBanner(8, 0));
    const std::string banner = (folder / "t/banner.bin").string();
    struct Case
    {
        std::vector<std::string> args;
        int status;
        std::string title; // of the last message
    };
    const std::vector<Case> cases = {
        {{"-C", "nes", "-DST", (folder / "t/00000001.app").string()}, 1, "Invalid Destination!"},
        {{"-C", "amiga"}, 2, "Invalid Command Line!"},
        {{"-DST", banner, "-SRC", (folder / "t/banner.tpl").string(), "-XYZ"}, 0, "Stavik"},
    };
    for (const auto& c : cases) {
        sink.messages.clear();
        InjectorModel model(sink, folder.path(), true);
        testing::internal::CaptureStderr();
        const int status = runUnattended(model, c.args);
        const std::string standardError = testing::internal::GetCapturedStderr();
        EXPECT_EQ(status, c.status) << c.args[1];
        EXPECT_EQ(standardError, "") << c.args[1];
        EXPECT_EQ(lastTitle(), c.title) << c.args[1];
    }
    EXPECT_EQ(lastPrompt(), "Ignoring the unknown option -XYZ.");
    EXPECT_EQ(test_support::readAll(folder / "t/banner.bin").size(), 160u + 32u);
}
