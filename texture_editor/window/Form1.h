#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include <QPointer>
#include <QWidget>

#include "platform/RememberedPlaces.h"
#include "platform/WindowHabits.h"
#include "texture_editor/EditorModel.h"

class QCheckBox;
class QFileDialog;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QScrollArea;

namespace texture_editor {

class PreviewBox;

// The texture editor's window: the opened and the saved path with their browse buttons, the column
// of preview boxes (scrolling when it is taller than the screen), the output format, the size of
// the selected box and the files of the temporary folder.
//
// Beyond its controls it keeps the habits of a desktop tool (Form1_Habits.cpp): a file dropped onto
// the window or the source field opens as if chosen in the open dialog, one dropped onto the
// destination field opens the save dialog there; Ctrl+O, Ctrl+S and F1; a question before pictures
// that no save has written are lost (closing, opening another texture); a busy indicator while an
// open or a save works, when the actions wait and a close waits for the end; the folders of both
// dialogs remembered in cfgs/Pexmo.cfg between runs.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // Space below the last preview box when the window fits its height to the column (1500 twips).
    static constexpr int HEIGHT_BELOW_COLUMN = 100;

    explicit Form1(EditorModel& model, QWidget* parent = nullptr);

    EditorModel& model() { return m_model; }

    // The preview boxes, top to bottom.
    int picPrevCount() const { return static_cast<int>(picPrev.size()); }
    PreviewBox* picPrevBox(int index) const { return picPrev.at(static_cast<std::size_t>(index)); }

public slots:
    void cmdFileBrowse_Click();
    void cmdFolderBrowse_Click();
    void picPrev_Click(int index);

protected:
    // The open and save dialogs and the question before unsaved pictures are lost; tests replace
    // them. The dialogs return nothing when cancelled; the save dialog starts at start (a folder, or
    // a file to suggest) when one is given.
    virtual std::optional<std::filesystem::path> chooseSource();
    virtual std::optional<std::filesystem::path> chooseDestination(const std::filesystem::path& start = {});
    virtual platform::SaveChoice askToSave(const QString& name);
    // CommonDialog1 set up for opening or for saving, with its filters, in the folder last used.
    QFileDialog* openDialog();
    QFileDialog* saveDialog();

    void closeEvent(QCloseEvent* event) override;

private:
    void openFile(const std::filesystem::path& path);
    bool saveTo(const std::optional<std::filesystem::path>& path);
    void Form_Unload();
    void controlsToModel();
    void modelToControls();
    void rebuildPreviews();
    void fitHeightToColumn();
    void showSelection();

    // Form1_Habits.cpp
    void addHabits();
    void sourceDropped(const std::filesystem::path& path);
    void destinationDropped(const std::filesystem::path& path);
    bool settleUnsavedPictures();
    void setBusy(bool busy, const QString& what = {});
    bool isBusy() const;

    EditorModel& m_model;
    platform::RememberedPlaces m_places;
    bool m_closeWhenIdle = false;
    QString m_textureName; // the file name of the texture last opened

    QLabel* Label1;
    QLineEdit* Text1;
    QPushButton* cmdFileBrowse;
    QLabel* Label2;
    QLineEdit* Text2;
    QPushButton* cmdFolderBrowse;
    QScrollArea* previewArea;
    QWidget* previewColumn;
    std::vector<PreviewBox*> picPrev;
    QGroupBox* Frame1;
    QRadioButton* opt565;
    QRadioButton* opt5a3;
    QCheckBox* chkTrans;
    QGroupBox* Frame2;
    QLabel* lblinfo;
    QListWidget* File1;
    QFileDialog* CommonDialog1;
    platform::BusyIndicator* m_status;
};

} // namespace texture_editor
