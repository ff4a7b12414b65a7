#include "MessageBoxSink.h"

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
    box.exec();
}

} // namespace platform
