#pragma once

#include <string>
#include <vector>

#include "platform/Messages.h"

namespace test_support {

// Collects the messages a test provokes instead of showing them. Hand it to the code under test.
class RecordingSink : public platform::MessageSink
{
public:
    struct Message
    {
        std::string prompt;
        std::string title;
        platform::MessageIcon icon;
    };

    explicit RecordingSink(std::string programName = "Program") : MessageSink(std::move(programName)) {}

    void show(const std::string& prompt, const std::string& title, platform::MessageIcon icon) override
    {
        messages.push_back({prompt, title, icon});
    }

    std::vector<Message> messages;
};

} // namespace test_support
