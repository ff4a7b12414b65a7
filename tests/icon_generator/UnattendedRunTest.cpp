#include "icon_generator/UnattendedRun.h"

#include <gtest/gtest.h>

#include "MintrelFixture.h"
#include "icon_generator/GeneratorModel.h"
#include "support/RecordingSink.h"

using namespace icon_generator;

// Everything an unattended run reports goes to the sink its model was handed, never anywhere else
// (the process-wide stream would be standard error): a run that cannot read its source, an unusable
// command line, and a make that succeeds and stays silent.
TEST(UnattendedRun, ReportsOnlyThroughTheModelsSink)
{
    mintrel_test::ProgramFolder folder(true);
    folder.folder.write("in/picture.png", std::string("not a picture"));
    mintrel_test::solid({64, 48}, 0xFF3366CC).save(QString::fromStdString((folder / "in/good.png").string()), "PNG");
    test_support::RecordingSink sink("Mintrel");
    GeneratorModel model(sink, folder.path(), true);
    const auto run = [&](const std::vector<std::string>& args, std::string* err) {
        sink.messages.clear();
        testing::internal::CaptureStderr();
        const int status = runUnattended(model, args);
        *err = testing::internal::GetCapturedStderr();
        return status;
    };
    const std::string out = (folder / "out").string() + "/";
    std::filesystem::create_directories(folder / "out");
    std::string err;

    EXPECT_EQ(run({"-sys", "snes", "-s", (folder / "in/picture.png").string(), "-d", out, "-m", "s"}, &err), 1);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].prompt.find("picture.png"), std::string::npos);
    EXPECT_EQ(err, "");

    EXPECT_EQ(run({"-sys", "snes", "-s"}, &err), 2);
    EXPECT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(err, "");

    EXPECT_EQ(run({"-sys", "snes", "-s", (folder / "in/good.png").string(), "-d", out, "-m", "s"}, &err), 0);
    EXPECT_TRUE(sink.messages.empty()) << sink.messages.front().prompt;
    EXPECT_EQ(err, "");
    EXPECT_TRUE(std::filesystem::exists(folder / "out/banner.tpl"));
}
