#pragma once

#include <string>

#include "Result.h"

namespace platform {

enum class MessageIcon { None, Information, Exclamation, Critical };

// Where a program's messages go. Each program makes one sink in main.cpp and hands it to its model:
// a window run a sink that shows a modal box, an unattended run StderrMessageSink, tests a recording
// sink. No code below main.cpp looks for a sink anywhere else.
class MessageSink
{
public:
    explicit MessageSink(std::string programName = "Program") : m_programName(std::move(programName)) {}
    virtual ~MessageSink() = default;

    // The title used when a message has none: the program's name.
    const std::string& programName() const { return m_programName; }
    void setProgramName(std::string name) { m_programName = std::move(name); }

    // Shows a message; an empty title becomes the program's name.
    void message(const std::string& prompt, const std::string& title = {}, MessageIcon icon = MessageIcon::None);
    // Shows an error's text with its title (or the program's name) and the given icon.
    void error(const Error& error, MessageIcon icon = MessageIcon::Critical);

    // Shows one message whose title is already decided.
    virtual void show(const std::string& prompt, const std::string& title, MessageIcon icon) = 0;

private:
    std::string m_programName;
};

// The sink of unattended runs: "title: prompt" on one line of standard error; it never waits.
class StderrMessageSink : public MessageSink
{
public:
    using MessageSink::MessageSink;
    void show(const std::string& prompt, const std::string& title, MessageIcon icon) override;
};

} // namespace platform
