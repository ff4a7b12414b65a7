// The habits of Cramble's window beyond the controls of the archive tool: dropped paths, shortcuts
// and help, the fields remembered between runs, and the busy state while extracting or packing.

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "archive_tool/window/Form1.h"
#include "platform/Files.h"
#include "platform/QtText.h"
#include "platform/WindowHabits.h"

namespace archive_tool {
namespace {

namespace fs = std::filesystem;

// The names the two fields are remembered under.
constexpr std::string_view ARCHIVE_FIELD = "archive";
constexpr std::string_view FOLDER_FIELD = "folder";

const char* const HELP_TEXT = "Extracts CCF archives into folders and packs folders into CCF archives.\n\n"
                              "Choose or drop an archive and the folder it extracts into is filled in; choose "
                              "or drop a folder and the archive it packs into is filled in. Pack asks before "
                              "it replaces an archive.\n\n"
                              "Ctrl+O\tchoose an archive\n"
                              "Ctrl+E\textract\n"
                              "Ctrl+S\tpack\n"
                              "F1\tthis help\n\n"
                              "Both paths and the folders of the dialogs are kept in cfgs/Cramble.cfg.";

} // namespace

void Form1::addHabits()
{
    platform::addButtonShortcut(this, cmdFileBrowse, QStringLiteral("Ctrl+O"), QStringLiteral("Choose an archive"));
    cmdFolderBrowse->setToolTip(QStringLiteral("Choose a folder to pack"));
    platform::addButtonShortcut(this, cmdExtract, QStringLiteral("Ctrl+E"),
                                QStringLiteral("Extract the archive into the folder"));
    platform::addButtonShortcut(this, cmdPack, QStringLiteral("Ctrl+S"),
                                QStringLiteral("Pack the folder into the archive"));
    platform::addHelpShortcut(this, "Cramble", QString::fromLatin1(HELP_TEXT));
    // An archive goes to the archive field and a folder to the folder field, wherever it is dropped.
    for (QWidget* target :
         {static_cast<QWidget*>(this), static_cast<QWidget*>(txtFileName), static_cast<QWidget*>(txtFolder)})
        platform::acceptPathDrops(target, [this](const fs::path& path) { pathDropped(path); });
}

void Form1::pathDropped(const fs::path& path)
{
    if (m_status->isBusy())
        return;
    if (platform::folderExists(path))
        folderChosen(platform::pathToText(path));
    else
        archiveChosen(path);
}

void Form1::restoreFields()
{
    const std::u16string archive = m_places.value(ARCHIVE_FIELD);
    const std::u16string folder = m_places.value(FOLDER_FIELD);
    if (archive.empty() && folder.empty())
        return;
    m_model.setFileText(archive);
    m_model.setFolderText(folder);
    m_model.refreshFolderFiles();
    modelToControls();
}

void Form1::rememberFields()
{
    m_places.remember(ARCHIVE_FIELD, m_model.fileText());
    m_places.remember(FOLDER_FIELD, m_model.folderText());
}

// While busy the actions and the fields wait (the status line disables them); a close asked for
// meanwhile happens after.
void Form1::setBusy(bool busy, const QString& what)
{
    m_status->setBusy(busy, what);
    if (!busy && m_closeWhenIdle)
        QTimer::singleShot(0, this, &QWidget::close);
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (m_status->isBusy()) {
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    m_closeWhenIdle = false;
    controlsToModel();
    rememberFields();
    event->accept();
}

} // namespace archive_tool
