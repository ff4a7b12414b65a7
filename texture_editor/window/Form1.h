#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include <QWidget>

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
// the selected box and the files of the temporary folder. A file dropped onto the window opens as if
// chosen in the open dialog. While an outside tool runs, opening, saving and closing wait.
class Form1 : public QWidget
{
    Q_OBJECT

public:
    // Space below the last preview box when the window fits its height to the column (1500 twips).
    static constexpr int HEIGHT_BELOW_COLUMN = 100;

    explicit Form1(EditorModel& model, QWidget* parent = nullptr);
    ~Form1() override;

    EditorModel& model() { return m_model; }

    // The preview boxes, top to bottom.
    int picPrevCount() const { return static_cast<int>(picPrev.size()); }
    PreviewBox* picPrevBox(int index) const { return picPrev.at(static_cast<std::size_t>(index)); }

public slots:
    void cmdFileBrowse_Click();
    void cmdFolderBrowse_Click();
    void picPrev_Click(int index);

protected:
    // The open and save dialogs; tests replace them. Nothing when cancelled.
    virtual std::optional<std::filesystem::path> chooseSource();
    virtual std::optional<std::filesystem::path> chooseDestination();
    // CommonDialog1 set up for opening or for saving, with its filters.
    QFileDialog* openDialog();
    QFileDialog* saveDialog();

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void openFile(const std::filesystem::path& path);
    void Form_Unload();
    void setBusy(bool busy);
    void controlsToModel();
    void modelToControls();
    void rebuildPreviews();
    void fitHeightToColumn();
    void showSelection();

    EditorModel& m_model;
    bool m_busy = false;
    bool m_closeWhenIdle = false;

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
};

} // namespace texture_editor
