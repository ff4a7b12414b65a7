#include "platform/Process.h"

#include <filesystem>

#include <QCoreApplication>
#include <QTimer>

#include <gtest/gtest.h>

#include "support/RecordingSink.h"
#include "support/TempFolder.h"

using namespace platform;
using test_support::TempFolder;

TEST(Process, RunsInWorkingFolderAndReturnsExitCode)
{
    TempFolder dir;
    test_support::RecordingSink sink;
    auto r = ShellAndWait(sink, "sh -c \"echo made > out.txt; exit 3\"", dir.path());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.value(), 3);
    EXPECT_EQ(test_support::readAll(dir / "out.txt"), bytesOf("made\n"));
}

TEST(Process, FindsProgramInWorkingFolderAndDropsExeSuffix)
{
    TempFolder dir;
    const auto tool = dir.write("tool", std::string("#!/bin/sh\necho \"$1\" > arg.txt\n"));
    std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
    test_support::RecordingSink sink;
    auto r = ShellAndWait(sink, "tool.exe \"two words\"", dir.path());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(test_support::readAll(dir / "arg.txt"), bytesOf("two words\n"));
}

TEST(Process, StartFailureShowsTheCommandAndTheReason)
{
    test_support::RecordingSink sink;
    auto r = ShellAndWait(sink, "no_such_program_here \"a b\"");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, ErrorKind::ProcessFailed);
    ASSERT_EQ(sink.messages.size(), 1u);
    const std::string& text = sink.messages[0].prompt;
    EXPECT_EQ(text.rfind("Error running 'no_such_program_here \"a b\"'\r\n", 0), 0u) << text;
    EXPECT_GT(text.size(), std::string("Error running 'no_such_program_here \"a b\"'\r\n").size());
    EXPECT_EQ(r.error().message, text);
}

TEST(Process, KeepsEventLoopRunningWhileWaiting)
{
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] { ++ticks; });
    timer.start(10);
    std::vector<bool> busy;
    test_support::RecordingSink sink;
    setBusyHandler([&](bool b) { busy.push_back(b); });
    auto r = ShellAndWait(sink, "sleep 0.3");
    setBusyHandler({});
    ASSERT_TRUE(r.ok());
    EXPECT_GE(ticks, 3) << "timer events must be handled while the program runs";
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
}
