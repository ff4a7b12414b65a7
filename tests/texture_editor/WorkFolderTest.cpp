#include "texture_editor/WorkFolder.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

using namespace texture_editor;
namespace fs = std::filesystem;

TEST(WorkFolder, EmptyingDeletesEveryFileAndKeepsTheFolder)
{
    test_support::TempFolder program;
    const WorkFolder work(program.path());
    EXPECT_EQ(work.path(), program / "temp");
    ASSERT_TRUE(work.empty().ok()); // made when missing
    EXPECT_TRUE(fs::is_directory(work.path()));

    program.write("temp/temp.tpl", "x");
    program.write("temp/tpl_viewer", "x");
    program.write("temp/.0.tga.vctmp-99-abcdef", "left by a killed save");
    program.write("temp/kept/inner.txt", "x");
    EXPECT_EQ(work.files(), (std::vector<std::string>{"temp.tpl", "tpl_viewer"}));
    ASSERT_TRUE(work.empty().ok());
    EXPECT_TRUE(work.files().empty());
    EXPECT_FALSE(fs::exists(program / "temp/.0.tga.vctmp-99-abcdef"));
    EXPECT_TRUE(fs::exists(program / "temp/kept/inner.txt"));
}

TEST(WorkFolder, StepsOfTwoEditorsNeverOverlap)
{
    test_support::TempFolder program;
    std::atomic<int> inside{0};
    std::atomic<bool> overlapped{false};
    auto editor = [&](const std::string& name) {
        const WorkFolder work(program.path());
        for (int i = 0; i < 20; ++i) {
            WorkStep step(work);
            ASSERT_TRUE(step.ready().ok());
            if (inside.fetch_add(1) != 0)
                overlapped = true;
            // The step finds the folder as it left it emptied, holding only its own file.
            program.write("temp/" + name, name);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            if (work.files() != std::vector<std::string>{name})
                overlapped = true;
            inside.fetch_sub(1);
        }
    };
    std::thread a(editor, "a.tga");
    std::thread b(editor, "b.tga");
    a.join();
    b.join();
    EXPECT_FALSE(overlapped);
}
