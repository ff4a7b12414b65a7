#pragma once

#include <string>
#include <vector>

#include "platform/Messages.h"

namespace test_support {

// Collects the messages a test provokes instead of showing them; installed for its lifetime.
class RecordingSink : public platform::MessageSink
{
public:
    struct Message
    {
        std::string prompt;
        std::string title;
        platform::MessageIcon icon;
    };

    RecordingSink() : m_previous(platform::setMessageSink(this)) {}
    ~RecordingSink() override { platform::setMessageSink(m_previous); }

    void show(const std::string& prompt, const std::string& title, platform::MessageIcon icon) override
    {
        messages.push_back({prompt, title, icon});
    }

    std::vector<Message> messages;

private:
    platform::MessageSink* m_previous;
};

} // namespace test_support
