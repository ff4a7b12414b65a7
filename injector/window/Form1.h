#pragma once

// Stavik's one window: console, source and destination, the seven save titles, the editing box and
// the title preview. Every handler copies its control into the model, runs one model operation and
// refreshes the controls from the model.
//
// Its desktop habits (Form1_Habits.cpp): a file or folder dropped onto a path box fills it as its
// browse button would, one dropped onto the window goes to the destination; Ctrl+O browses the
// destination, Ctrl+S injects, F1 shows help. The console, source and destination of the last run
// and the last folder of each dialog are remembered in cfgs/Stavik.cfg under the program folder and
// the window starts with them.

#include <array>
#include <filesystem>
#include <string_view>

#include <QWidget>

#include "injector/InjectorModel.h"
#include "platform/RememberedPlaces.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace injector {

class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(InjectorModel& model, QWidget* parent = nullptr);

    // Controls by their names, for tests.
    QComboBox* cmbCon() const { return m_cmbCon; }
    QComboBox* cmbReg() const { return m_cmbReg; }
    QLineEdit* txtSource() const { return m_txtSource; }
    QLineEdit* txtDest() const { return m_txtDest; }
    QLineEdit* txtTitle(int slot) const { return m_txtTitle.at(static_cast<std::size_t>(slot)); }
    QLabel* lbltitle(int slot) const { return m_lbltitle.at(static_cast<std::size_t>(slot)); }
    QLabel* lbldesc(int index) const { return m_lbldesc.at(static_cast<std::size_t>(index)); }
    QLineEdit* txttmpTitle() const { return m_txttmpTitle; }
    QLabel* lblHover() const { return m_lblHover; }
    QLabel* lblSumm1() const { return m_lblSumm1; }
    QLabel* lblSumm2() const { return m_lblSumm2; }
    QPushButton* cmdInject2() const { return m_cmdInject2; }
    QPushButton* cmdSet() const { return m_cmdSet; }
    QPushButton* cmdSETall() const { return m_cmdSETall; }
    QPushButton* cmdFileBrowse() const { return m_cmdFileBrowse; }
    QPushButton* cmdFolderBrowse() const { return m_cmdFolderBrowse; }

    // The open-dialog filter of the console list's "desc|pattern|..." form in the toolkit's form;
    // names match without regard to letter case and "*.*" matches every name.
    static QString dialogFilter(std::u16string_view filter);

private slots:
    void cmbCon_Click(int index);
    void cmbReg_Click(int index);
    void cmdSet_Click();
    void cmdSETall_Click();
    void cmdFileBrowse_Click();
    void cmdFolderBrowse_Click();
    void cmdInject2_Click();

protected:
    // Remembers the console and the paths for the next run.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void addHabits();
    // The console and paths of the last run, when one was remembered; and remembering them.
    void restoreRemembered();
    void rememberFields();
    void sourceDropped(const std::filesystem::path& path);
    void destinationDropped(const std::filesystem::path& path);
    // A folder as a path box shows it: relative to the program folder when inside it, with a
    // separator after it.
    std::u16string folderText(const std::filesystem::path& folder) const;
    // Shows the model's fields; nothing here feeds back into the model.
    void refresh();
    void SetVisual();
    // A folder chosen for a path box: its relative form with a separator after it, or "" when cancelled.
    // dialog names the box's dialogs in the remembered places.
    std::u16string pickFolder(const std::u16string& current, const std::u16string& title, std::string_view dialog);
    // The open-file dialog with a filter of the console list's form, starting in the folder of the
    // path in the box; "" when cancelled.
    QString openFile(const std::u16string& current, std::u16string_view filter, std::string_view dialog);
    // The folder an open dialog starts in: that of the path in the box when it exists, else the one
    // the box's dialogs were last left in.
    QString dialogFolder(const std::u16string& current, std::string_view dialog) const;

    InjectorModel& m_model;
    platform::RememberedPlaces m_places;
    QComboBox* m_cmbCon = nullptr;
    QGroupBox* m_fraFields = nullptr;
    QLineEdit* m_txtSource = nullptr;
    QLineEdit* m_txtDest = nullptr;
    std::array<QLabel*, 3> m_lbldesc{};
    std::array<QLineEdit*, TITLE_SLOTS> m_txtTitle{};
    std::array<QLabel*, TITLE_SLOTS> m_lbltitle{};
    QComboBox* m_cmbReg = nullptr;
    QLineEdit* m_txttmpTitle = nullptr;
    QPushButton* m_cmdSet = nullptr;
    QPushButton* m_cmdSETall = nullptr;
    QLabel* m_lblHover = nullptr;
    QLabel* m_lblSumm1 = nullptr;
    QLabel* m_lblSumm2 = nullptr;
    QPushButton* m_cmdInject2 = nullptr;
    QPushButton* m_cmdFileBrowse = nullptr;
    QPushButton* m_cmdFolderBrowse = nullptr;
    bool m_refreshing = false;
};

} // namespace injector
