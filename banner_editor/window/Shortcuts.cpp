#include "banner_editor/window/Shortcuts.h"

#include <QAbstractButton>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

#include "platform/WindowHabits.h"

namespace banner_editor {

void addButtonShortcut(QWidget* window, QAbstractButton* button, const QString& key, const QString& tip)
{
    // A shortcut of its own: the button's own one is its "&" mnemonic, which stays.
    auto* shortcut = new QShortcut(QKeySequence(key), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, &QAbstractButton::click);
    button->setToolTip(platform::withShortcut(tip, key));
}

void closeOnEscape(QWidget* window)
{
    auto* shortcut = new QShortcut(QKeySequence(Qt::Key_Escape), window);
    shortcut->setContext(Qt::WindowShortcut);
    QObject::connect(shortcut, &QShortcut::activated, window, &QWidget::close);
}

} // namespace banner_editor
