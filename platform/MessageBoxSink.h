#pragma once

#include "Messages.h"

class QWidget;

namespace platform {

// The sink of window runs: a modal message box with the prompt, title and icon, and an OK button.
class MessageBoxSink : public MessageSink
{
public:
    explicit MessageBoxSink(QWidget* parent = nullptr, std::string programName = "Program")
        : MessageSink(std::move(programName)), m_parent(parent)
    {
    }
    void setParent(QWidget* parent) { m_parent = parent; }
    void show(const std::string& prompt, const std::string& title, MessageIcon icon) override;

private:
    QWidget* m_parent;
};

} // namespace platform
