#pragma once

// What every window of the suite does the same way beyond its own controls: taking dropped files,
// the F1 help, the questions before something is lost or replaced, and the busy indicator.

#include <filesystem>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

#include <QPointer>
#include <QString>
#include <QWidget>

class QAbstractButton;
class QLabel;
class QProgressBar;

namespace platform {

// Makes target take a dropped file or folder: the first local path of the drop goes to dropped. A
// drag that carries no local path is refused. On a line edit this replaces its own text drop, so the
// field changes only through dropped, as through its browse button.
void acceptPathDrops(QWidget* target, std::function<void(const std::filesystem::path&)> dropped);

// F1 on window shows a short help text under the program's name and the suite's version.
void addHelpShortcut(QWidget* window, const std::string& programName, const QString& helpText);

// A button's tool tip with its shortcut: "Save the layout (Ctrl+S)".
QString withShortcut(const QString& tip, const QString& shortcut);

// key ("Ctrl+S") presses button from anywhere in window; nothing happens while the button is disabled
// (as while an outside program runs). The button keeps its own "&" mnemonic; its tool tip says what it
// does and names the key.
void addButtonShortcut(QWidget* window, QAbstractButton* button, const QString& key, const QString& tip);

// Esc closes window, as it closes a dialog.
void closeOnEscape(QWidget* window);

enum class SaveChoice { Save, Discard, Cancel };

// "Save changes to <fileName>?" with the buttons Save, Discard and Cancel (Escape cancels).
SaveChoice askToSaveChanges(QWidget* parent, const QString& title, const QString& fileName);

// A question with Yes and No (No is the default); true for Yes.
bool askYesNo(QWidget* parent, const QString& title, const QString& question);

// A window's status area: empty while idle; while busy, a text and an indeterminate progress bar, and
// the busy cursor over the whole application.
class BusyIndicator : public QWidget
{
    // Q_OBJECT, so that qobject_cast and findChild<BusyIndicator*> tell it from other widgets.
    Q_OBJECT

public:
    explicit BusyIndicator(QWidget* parent = nullptr);
    ~BusyIndicator() override;

    // The controls that wait while the window is busy: disabled meanwhile; the one that had the focus
    // gets it back after.
    void setWaitingControls(std::initializer_list<QWidget*> controls);

    void setBusy(bool busy, const QString& what = {});
    bool isBusy() const { return m_busy; }

    // While an outside program runs (platform::ShellAndWait), show busy with this text. One window at
    // a time follows the outside programs; the last one asked wins.
    void followOutsidePrograms(const QString& what);

private:
    QLabel* m_text;
    QProgressBar* m_bar;
    bool m_busy = false;
    std::vector<QPointer<QWidget>> m_waiting;
    QPointer<QWidget> m_focusBeforeBusy;
};

} // namespace platform
