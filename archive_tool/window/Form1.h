#pragma once

#include <filesystem>
#include <optional>

#include <QPointer>
#include <QWidget>

#include "archive_tool/ArchiveToolModel.h"
#include "platform/Messages.h"
#include "platform/RememberedPlaces.h"

class QFileDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace platform {
class BusyIndicator;
}

namespace archive_tool {

// The archive tool's window: the archive path and the folder path, each with a browse button,
// Extract and Pack, the files of the folder and the member order of the last pack. It shows the
// model's state and sends what stops an action to the sink (the model's own reports go there too).
//
// Beyond its controls it keeps the habits of a desktop tool (Form1_Habits.cpp): a dropped archive or
// folder fills its field as the browse buttons do, Ctrl+O, Ctrl+E, Ctrl+S and F1, a question before a
// pack replaces an existing archive, a busy indicator while extracting or packing, and both fields and
// the folders of both dialogs remembered in cfgs/Cramble.cfg between runs.
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
    // The open dialog, the folder picker and the question before an archive is replaced; tests
    // replace them. The folder picker returns "" when cancelled.
    virtual std::optional<std::filesystem::path> chooseArchive();
    virtual std::u16string chooseFolder();
    virtual bool confirmReplace(const std::filesystem::path& archive);

    void closeEvent(QCloseEvent* event) override;

private:
    void controlsToModel();
    void modelToControls();
    void folderEdited();
    void showFailure(const platform::Error& error);

    // Form1_Habits.cpp
    void addHabits();
    void restoreFields();
    void rememberFields();
    void pathDropped(const std::filesystem::path& path);
    void archiveChosen(const std::filesystem::path& path);
    void folderChosen(const std::u16string& folder);
    void setBusy(bool busy, const QString& what = {});

    ArchiveToolModel& m_model;
    platform::MessageSink& m_sink;
    platform::RememberedPlaces m_places;
    bool m_closeWhenIdle = false;
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
    platform::BusyIndicator* m_status;
};

} // namespace archive_tool
