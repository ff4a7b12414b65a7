#pragma once

#include <filesystem>
#include <optional>

#include <QWidget>

#include "archive_tool/ArchiveToolModel.h"
#include "platform/Messages.h"

class QFileDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace archive_tool {

// The archive tool's window: the archive path and the folder path, each with a browse button,
// Extract and Pack, the files of the folder and the member order of the last pack. It shows the
// model's state and sends what stops an action to the sink (the model's own reports go there too).
class Form1 : public QWidget
{
    Q_OBJECT

public:
    Form1(ArchiveToolModel& model, platform::MessageSink& sink, QWidget* parent = nullptr);

public slots:
    void cmdFileBrowse_Click();
    void cmdFolderBrowse_Click();
    void cmdExtract_Click();
    void cmdPack_Click();

protected:
    // The open dialog and the folder picker; tests replace them. The folder picker returns "" when
    // cancelled.
    virtual std::optional<std::filesystem::path> chooseArchive();
    virtual std::u16string chooseFolder();

private:
    void controlsToModel();
    void modelToControls();
    void folderEdited();
    void showFailure(const platform::Error& error);

    ArchiveToolModel& m_model;
    platform::MessageSink& m_sink;
    QLabel* Label1;
    QLineEdit* txtFileName;
    QPushButton* cmdFileBrowse;
    QLabel* Label2;
    QLineEdit* txtFolder;
    QPushButton* cmdFolderBrowse;
    QPushButton* cmdExtract;
    QPushButton* cmdPack;
    QListWidget* List1;
    QListWidget* fleccf;
    QFileDialog* CommonDialog1;
};

} // namespace archive_tool
