#include "texture_editor/WorkFolder.h"

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

using namespace texture_editor;

// Two editors on one program folder: each step finds the folder emptied and holding only its own
// files until it ends, also the leftovers of an interrupted write are gone.
TEST(WorkFolder, StepsOfTwoEditorsNeverOverlap)
{
    test_support::TempFolder program;
    program.write("temp/.0.tga.vctmp-99-abcdef", "left by a killed save");
    program.write("temp/kept/inner.txt", "subfolders stay");
    std::atomic<int> inside{0};
    std::atomic<bool> mixed{false};
    auto editor = [&](const std::string& name) {
        const WorkFolder work(program.path());
        for (int i = 0; i < 20; ++i) {
            WorkStep step(work);
            mixed = mixed || !step.ready().ok() || inside.fetch_add(1) != 0;
            program.write("temp/" + name, name);
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            mixed = mixed || work.files() != std::vector<std::string>{name};
            inside.fetch_sub(1);
        }
    };
    std::thread a(editor, "a.tga"), b(editor, "b.tga");
    a.join();
    b.join();
    EXPECT_FALSE(mixed);
    EXPECT_FALSE(std::filesystem::exists(program / "temp/.0.tga.vctmp-99-abcdef"));
    EXPECT_TRUE(std::filesystem::exists(program / "temp/kept/inner.txt"));
}
