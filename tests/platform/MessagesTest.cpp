#include "platform/Messages.h"

#include <gtest/gtest.h>

#include "support/RecordingSink.h"

using namespace platform;

TEST(Messages, EmptyTitleBecomesProgramName)
{
    test_support::RecordingSink sink("Stavik");
    sink.message("Done", "", MessageIcon::None);
    sink.message("Bad", "Error", MessageIcon::Critical);
    sink.error(makeError(ErrorKind::BadFormat, "Input file corrupted"));
    ASSERT_EQ(sink.messages.size(), 3u);
    EXPECT_EQ(sink.messages[0].title, "Stavik");
    EXPECT_EQ(sink.messages[1].title, "Error");
    EXPECT_EQ(sink.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(sink.messages[2].prompt, "Input file corrupted");
    EXPECT_EQ(sink.messages[2].title, "Stavik");
}

TEST(Messages, UnattendedSinkWritesOneLineToStandardError)
{
    StderrMessageSink sink("Lorvane");
    testing::internal::CaptureStderr();
    sink.message("Error running 'x'\r\nNo such file", "", MessageIcon::Critical);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Lorvane: Error running 'x' No such file\n");
}
