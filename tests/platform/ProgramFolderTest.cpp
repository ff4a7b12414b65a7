#include "platform/ProgramFolder.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <gtest/gtest.h>

#include "support/TempFolder.h"

using namespace platform;

TEST(ProgramFolder, IsTheFolderOfTheRunningExecutable)
{
    const auto folder = programFolder();
    EXPECT_TRUE(std::filesystem::exists(folder / "platform_tests")) << folder;
}

TEST(ProgramFolder, SecondRunWaitsForTheFirst)
{
    test_support::TempFolder folder;
    std::atomic<bool> secondHolds{false};
    std::thread second;
    {
        ProgramFolderLock first(folder.path());
        ASSERT_TRUE(first.locked());
        second = std::thread([&] {
            ProgramFolderLock lock(folder.path());
            secondHolds = lock.locked();
        });
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        EXPECT_FALSE(secondHolds) << "the second run must wait while the first holds the lock";
    }
    second.join();
    EXPECT_TRUE(secondHolds);
}
