#pragma once

// The keys Lorvane's windows add to their buttons' own mnemonics.

class QAbstractButton;
class QString;
class QWidget;

namespace banner_editor {

// key ("Ctrl+S") clicks button from anywhere in window, and does nothing while the button is disabled;
// the button's tool tip says what it does and names the key.
void addButtonShortcut(QWidget* window, QAbstractButton* button, const QString& key, const QString& tip);

// Esc closes window, as it closes a dialog.
void closeOnEscape(QWidget* window);

} // namespace banner_editor
