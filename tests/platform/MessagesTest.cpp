#include "platform/Messages.h"

#include <gtest/gtest.h>

#include "support/RecordingSink.h"

using namespace platform;

TEST(Messages, EmptyTitleBecomesProgramName)
{
    setProgramName("Stavik");
    test_support::RecordingSink sink;
    showMessage("Done", "", MessageIcon::None);
    showMessage("Bad", "Error", MessageIcon::Critical);
    showError(makeError(ErrorKind::BadFormat, "Input file corrupted"));
    ASSERT_EQ(sink.messages.size(), 3u);
    EXPECT_EQ(sink.messages[0].title, "Stavik");
    EXPECT_EQ(sink.messages[1].title, "Error");
    EXPECT_EQ(sink.messages[1].icon, MessageIcon::Critical);
    EXPECT_EQ(sink.messages[2].prompt, "Input file corrupted");
    EXPECT_EQ(sink.messages[2].title, "Stavik");
}

TEST(Messages, UnattendedSinkWritesOneLineToStandardError)
{
    setProgramName("Lorvane");
    testing::internal::CaptureStderr();
    showMessage("Error running 'x'\r\nNo such file", "", MessageIcon::Critical);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Lorvane: Error running 'x' No such file\n");
}
