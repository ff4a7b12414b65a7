#include "MessageBoxSink.h"

#include <algorithm>

#include <QFontMetrics>
#include <QGridLayout>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSpacerItem>

namespace platform {

namespace {

// What a title bar takes besides the title: the window icon, three buttons and the frame's margins.
constexpr int TITLE_BAR_ALLOWANCE = 160;
constexpr int MAX_BOX_WIDTH = 900;

} // namespace

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
    // The box sizes itself to its text, and the window manager shortens a title that does not fit
    // between its icon and buttons ("Inva... ion!"). A spacer as wide as the title needs keeps it whole.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        QFont titleFont = box.font();
        titleFont.setBold(true);
        const int wanted = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + TITLE_BAR_ALLOWANCE;
        grid->addItem(new QSpacerItem(std::min(wanted, MAX_BOX_WIDTH), 0), grid->rowCount(), 0, 1, grid->columnCount());
    }
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
