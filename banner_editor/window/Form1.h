#pragma once

// The layout editor's main window: the path of the layout, the game-info fields with their language
// lists and Set buttons, and the save options (region force, padding, logo, colour scheme). Every
// handler copies the controls into the model, runs one model operation and shows the model again.
//
// Its desktop habits (Form1_Habits.cpp): a layout dropped onto the window or the path field loads as
// a browsed one does; Ctrl+O browses, Ctrl+S saves, F1 shows help; closing the window or loading
// another layout first asks to save what is not saved; the open dialog starts in the folder it was
// last left in (cfgs/Lorvane.cfg; the last layout itself stays in cfgs/vcinfopath.cfg).

#include <array>
#include <filesystem>

#include <QWidget>

#include "banner_editor/BannerModel.h"
#include "platform/RememberedPlaces.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace banner_editor {

class Form1 : public QWidget
{
    Q_OBJECT

public:
    // Runs the start-up: region force "NONE", the last layout from the configuration file, the scheme
    // and logo lists.
    explicit Form1(BannerModel& model, QWidget* parent = nullptr);

    BannerModel& model() { return m_model; }

    // Shows the model's state in every control (after another window changed the model).
    void refreshFromModel();
    // Reads the four language fields and the system field from the buffer again and shows them.
    void rereadFields();

    // The font of the banner texts, with fallbacks that hold Japanese characters.
    static QFont bannerFont();
    // The open dialog's filters: "Brlyt Files (*.brlyt)" and "All Files (*.*)", each followed by the
    // patterns it really uses (hidden in the dialog), which ignore letter case and take every file.
    static QStringList openFilters();

public slots:
    void cmdFileBrowse_Click();
    void txtSrc_Change(const QString& text);
    void cmbRegion_click(int index, int item);
    void cmdSet_Click(int index);
    void cmdSetAll_Click(int index);
    void cmdSave_Click();
    void cmdEditColor_Click();
    void cmdHC_Click();

protected:
    // Asks to save what is not saved; Cancel keeps the window open.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void connectControls();
    void addHabits();
    void refreshFields();
    void refreshLists();
    // The path field takes a chosen (browsed or dropped) layout as the user would see it typed.
    void showChosenLayout(const std::filesystem::path& chosen);
    // Before the buffer is closed or replaced: true when nothing unsaved is lost, or the user chose to
    // discard it, or to save it and the save succeeded.
    bool mayLeaveLayout();
    // Saves; false (the error shown) when nothing was saved.
    bool saveLayout();

    BannerModel& m_model;
    platform::RememberedPlaces m_places;

    QLabel* Label1 = nullptr;
    QLineEdit* txtSrc = nullptr;
    QPushButton* cmdFileBrowse = nullptr;
    QGroupBox* fraFields = nullptr;
    QLineEdit* txtName = nullptr;
    QLineEdit* txtYear = nullptr;
    QLineEdit* txtPlayers = nullptr;
    QLineEdit* txtESRB = nullptr;
    QLineEdit* txtSystem = nullptr;
    std::array<QComboBox*, 4> cmbRegion{};
    std::array<QPushButton*, 3> cmdSet{};
    std::array<QPushButton*, 5> cmdSetAll{};
    QPushButton* cmdSave = nullptr;
    QComboBox* cmbForce = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtPad = nullptr;
    QLabel* Label3 = nullptr;
    QComboBox* cmbLogo = nullptr;
    QComboBox* cmbFileList = nullptr;
    QPushButton* cmdEditColor = nullptr;
    QPushButton* cmdHC = nullptr;
};

} // namespace banner_editor
