#include "Messages.h"

#include <cstdio>

namespace platform {

void MessageSink::message(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    show(prompt, title.empty() ? m_programName : title, icon);
}

void MessageSink::error(const Error& error, MessageIcon icon)
{
    message(error.message, error.title, icon);
}

void StderrMessageSink::show(const std::string& prompt, const std::string& title, MessageIcon)
{
    // Multi-line prompts (CR LF in the programs' texts) stay on one line of the log.
    std::string line = title + ": ";
    for (char c : prompt) {
        if (c == '\r')
            continue;
        line += (c == '\n') ? ' ' : c;
    }
    line += '\n';
    std::fwrite(line.data(), 1, line.size(), stderr);
    std::fflush(stderr);
}

} // namespace platform
