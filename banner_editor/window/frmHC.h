#pragma once

// The manual text editor: every text pane of the loaded layout by name, its text, and "Set". It edits
// the shared layout buffer of the model; nothing reaches the disk until the main window saves.
//
// Hand-over with the main window: Form_Load() fills the pane list and shows the window (the main
// window hides itself meanwhile). Closing makes the model read its four language fields and the system
// field again (BannerModel::rereadFields) and emits closed(); the main window then shows itself and
// refreshes its controls from the model.

#include <QWidget>

#include "banner_editor/BannerModel.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace banner_editor {

class frmHC : public QWidget
{
    Q_OBJECT

public:
    explicit frmHC(BannerModel& model, QWidget* parent = nullptr);

    void Form_Load();
    void cmbHC_Click();
    void cmdSet_Click();

    QLabel* Label1 = nullptr;
    QComboBox* cmbHC = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* txtHC = nullptr;
    QPushButton* cmdSet = nullptr;

signals:
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    BannerModel& m_model;
};

} // namespace banner_editor
