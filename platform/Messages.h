#pragma once

#include <string>

#include "Result.h"

namespace platform {

enum class MessageIcon { None, Information, Exclamation, Critical };

// Where the programs' messages go. A window run installs a sink that shows a modal box; an unattended
// run keeps the default, which writes "title: prompt" to standard error and never waits.
class MessageSink
{
public:
    virtual ~MessageSink() = default;
    virtual void show(const std::string& prompt, const std::string& title, MessageIcon icon) = 0;
};

// The title used when a message has none: the program's name.
void setProgramName(std::string name);
const std::string& programName();

// Installs a sink (nullptr restores the standard-error sink) and returns the previous one.
MessageSink* setMessageSink(MessageSink* sink);

// Shows a message through the installed sink; an empty title becomes the program's name.
void showMessage(const std::string& prompt, const std::string& title = {}, MessageIcon icon = MessageIcon::None);

// Shows an error's text with its title (or the program's name) and the given icon.
void showError(const Error& error, MessageIcon icon = MessageIcon::Critical);

// The sink of unattended runs.
class StderrMessageSink : public MessageSink
{
public:
    void show(const std::string& prompt, const std::string& title, MessageIcon icon) override;
};

} // namespace platform
