#pragma once

// The colour window ("Quenlit"): the nineteen scheme entries with their two colour boxes, the editing
// swatch, the scheme list, reading a scheme out of a layout file, saving a scheme, and the preview.
// Its state and operations are a ColorEditor (core); the window shows them and each handler copies its
// controls into the editor, runs one operation, shows an error on the model's sink and refreshes.
//
// Hand-over with the main window:
//   - Form_Load() fills the window from the model (scheme list, layout path, the main window's scheme
//     selection, which loads its colours) and shows it. The main window hides itself meanwhile.
//   - After a scheme is saved, the model's scheme list is rebuilt with nothing selected and
//     schemeListChanged() is emitted, so the main window refills its list from the model.
//   - Closing writes this window's scheme list and selection into the model (schemeItems,
//     schemeSelection) and emits closed(selection); the main window then shows itself again and mirrors
//     the model's selection, so its next save applies the scheme last chosen here.
// The window never writes the layout buffer. Saving over a scheme that exists asks first.

#include <array>
#include <functional>
#include <optional>

#include <QColor>
#include <QImage>
#include <QWidget>

#include "banner_editor/BannerModel.h"
#include "banner_editor/ColorEditor.h"
#include "banner_editor/PreviewScene.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace banner_editor {

class frmColor : public QWidget
{
    Q_OBJECT

public:
    explicit frmColor(BannerModel& model, QWidget* parent = nullptr);

    void Form_Load();

    // The actions of the window's controls.
    void Load_Scheme(const std::string& name);
    void cmdGetScheme_Click();
    void cmdSaveScheme_Click();
    void cmbFileList_Click();
    void colorBox_Click(std::size_t entry, int index);
    void UpDatePicClr();
    void picClr_Click();
    void cmdColor_Click();
    void RefreshColorList(bool dont_Set);
    void MakePreview();

    ColorEditor& editor() { return m_editor; }
    // The colours of the nineteen entries as the boxes show them, and setting them (then the preview).
    const ColorScheme& colors() const { return m_editor.colors(); }
    void setColors(const ColorScheme& colors);
    QColor boxColor(std::size_t entry, int index) const;
    QColor swatchColor() const;

    const PreviewScene& previewScene() const { return m_scene; }
    QImage previewImage() const { return m_preview; }

    // The dialogs the window asks, replaceable for tests: the colour picker (nothing when cancelled)
    // and the scheme-name input box (an empty text when cancelled).
    std::function<std::optional<QColor>(const QColor& initial)> chooseColor;
    std::function<QString(const QString& prompt, const QString& title)> askText;

    // Controls, named as the window's design names them.
    QLabel* Label3 = nullptr;
    QLabel* lblEdit = nullptr;
    QPushButton* picClr = nullptr;
    QLineEdit* txtR = nullptr;
    QLineEdit* txtG = nullptr;
    QLineEdit* txtB = nullptr;
    QPushButton* cmdColor = nullptr;
    QLabel* Label1 = nullptr;
    QComboBox* cmbFileList = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtBannerPath = nullptr;
    QPushButton* cmdGetScheme = nullptr;
    QPushButton* cmdSaveScheme = nullptr;
    QLabel* picPreview = nullptr;
    std::array<QGroupBox*, SCHEME_ENTRY_COUNT> entryFrames{};
    std::array<std::array<QPushButton*, 2>, SCHEME_ENTRY_COUNT> colorBoxes{};

signals:
    void schemeListChanged();
    void closed(int schemeSelection);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    // Drops onto the path field, Ctrl+S for SaveScheme, Esc to close, F1 for help.
    void addHabits();
    QWidget* buildEntryGrid();
    QWidget* buildEditor();
    void showBoxColors();
    void showSwatch();
    void showSchemeList();
    // Shows an operation's error, if any; true when it succeeded.
    bool report(const platform::Result<void>& result);
    // After the colours changed: the boxes and the preview.
    void colorsChanged();

    ColorEditor m_editor;
    PreviewScene m_scene;
    QImage m_preview;
};

} // namespace banner_editor
