#pragma once

#include <filesystem>
#include <optional>

#include <QWidget>

#include "icon_generator/FrameComposer.h"
#include "icon_generator/GeneratorModel.h"
#include "platform/RememberedPlaces.h"

class QCheckBox;
class QCloseEvent;
class QComboBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

namespace platform {
class BusyIndicator;
}

namespace icon_generator {

class PictureBox;

// The generator's window: the console and its templates, the source and destination, the five
// frame boxes, the animation preview, the three outputs and the two actions. Beyond its controls it
// keeps the suite's habits (Form1_Habits.cpp): dropped pictures and folders, Ctrl+O and Ctrl+S, F1
// help, the busy state while a run goes on, and the last paths remembered in cfgs/Mintrel.cfg.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    explicit Form1(GeneratorModel& model, QWidget* parent = nullptr);

    GeneratorModel& model() { return m_model; }

public slots:
    void cmbCon_Click();
    void chkAlt_Click();
    void Text1_Change();
    void cmdFileBrowse_Click();
    void cmdFolderBrowse_Click();
    void Command1_Click();
    void Command2_Click();
    void tiPrev_Timer();
    void Picture5_Click();
    void Picture1_DblClick();
    void Picture3_DblClick();
    void Picture4_DblClick();
    void Picture2_DblClick();
    void PicSrc_Click();

protected:
    // The open dialog (opening in startFolder when it is not empty) and the folder picker; tests
    // replace them. The picker returns "" when cancelled.
    virtual std::optional<std::filesystem::path> choosePicture(const std::filesystem::path& startFolder);
    virtual std::u16string chooseFolder(const std::u16string& start);

    // A window that is making textures stays open until the run ends.
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void layOut();
    void connectControls();
    void controlsToModel();
    void modelToControls();
    void showFrames();
    void exportFrame(std::optional<FrameBox> box);
    void setBusy(bool busy);

    // The habits (Form1_Habits.cpp).
    void addHabits();
    void pathDropped(const std::filesystem::path& path, bool ontoDestination);
    void restorePaths();
    void rememberPaths();

    GeneratorModel& m_model;
    platform::RememberedPlaces m_places;
    bool m_busy = false;

    QGroupBox* FraCon;
    QComboBox* cmbCon;
    QCheckBox* chkAlt;
    QGroupBox* FraPaths;
    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* cmdFileBrowse;
    QLabel* Label2;
    QLineEdit* Text2;
    QPushButton* cmdFolderBrowse;
    QLabel* Label3;
    PictureBox* PicSrc;
    QGroupBox* fraIcon;
    PictureBox* Picture5;
    PictureBox* Picture1;
    PictureBox* Picture3;
    PictureBox* Picture4;
    PictureBox* Picture2;
    QGroupBox* Frame2;
    PictureBox* picPrev;
    QGroupBox* Frame1;
    QCheckBox* chkSave;
    QCheckBox* chkBan;
    QCheckBox* chkChan;
    QPushButton* Command1;
    QPushButton* Command2;
    QTimer* tiPrev;
    platform::BusyIndicator* busyIndicator;
    QFileDialog* CommonDialog1;
};

} // namespace icon_generator
