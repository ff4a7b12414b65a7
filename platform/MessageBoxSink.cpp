#include "MessageBoxSink.h"

#include <QGuiApplication>
#include <QMessageBox>

namespace platform {

void MessageBoxSink::show(const std::string& prompt, const std::string& title, MessageIcon icon)
{
    QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
    switch (icon) {
    case MessageIcon::None:
        break;
    case MessageIcon::Information:
        boxIcon = QMessageBox::Information;
        break;
    case MessageIcon::Exclamation:
        boxIcon = QMessageBox::Warning;
        break;
    case MessageIcon::Critical:
        boxIcon = QMessageBox::Critical;
        break;
    }
    QString text = QString::fromStdString(prompt);
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    QMessageBox box(boxIcon, QString::fromStdString(title), text, QMessageBox::Ok, m_parent);
    // A message shown while the window is busy (a success text at the end of a long action) waits for
    // the user: the pointer over it is the normal one, and the busy cursor comes back after it.
    const bool busy = QGuiApplication::overrideCursor() != nullptr;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QGuiApplication::restoreOverrideCursor();
}

} // namespace platform
