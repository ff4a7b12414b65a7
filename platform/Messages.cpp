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

namespace {

StderrMessageSink g_stderrSink;
MessageSink* g_sink = &g_stderrSink;

} // namespace

void setProgramName(std::string name)
{
    g_stderrSink.setProgramName(std::move(name));
}

const std::string& programName()
{
    return g_stderrSink.programName();
}

MessageSink* setMessageSink(MessageSink* sink)
{
    MessageSink* old = g_sink;
    g_sink = sink ? sink : &g_stderrSink;
    return old;
}

void showMessage(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    g_sink->show(prompt, title.empty() ? programName() : title, icon);
}

void showError(const Error& error, MessageIcon icon)
{
    showMessage(error.message, error.title, icon);
}

} // namespace platform
