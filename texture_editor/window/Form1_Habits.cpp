// The habits of Pexmo's window beyond the controls of the texture editor: dropped files, shortcuts
// and help, the question before unsaved pictures are lost, and the busy state while a file is opened
// or saved.

#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QTimer>

#include "platform/PathText.h"
#include "platform/QtText.h"
#include "texture_editor/CommandLine.h"
#include "texture_editor/window/Form1.h"

namespace texture_editor {
namespace {

namespace fs = std::filesystem;

const char* const HELP_TEXT =
    "Shows the images of a texture (TPL, WTE, a save banner banner.bin, the save icon of an NES "
    "00000001.app) and writes them back as a TPL in RGB565 or RGB5A3, or the first one as a bitmap.\n\n"
    "Click a box to select it, then open a picture to put it in that box's place. Drop a file onto the "
    "window to open it, or onto the destination field to save there.\n\n"
    "Ctrl+O\topen a texture or a picture\n"
    "Ctrl+S\tsave\n"
    "F1\tthis help\n\n"
    "The folders of both dialogs are remembered in cfgs/Pexmo.cfg.";

} // namespace

void Form1::addHabits()
{
    platform::addButtonShortcut(this, cmdFileBrowse, QStringLiteral("Ctrl+O"),
                                QStringLiteral("Open a texture, or a picture for the selected box"));
    platform::addButtonShortcut(this, cmdFolderBrowse, QStringLiteral("Ctrl+S"),
                                QStringLiteral("Save every box as a TPL, or box 0 as a bitmap"));
    platform::addHelpShortcut(this, PROGRAM_NAME, QString::fromLatin1(HELP_TEXT));
    platform::acceptPathDrops(this, [this](const fs::path& path) { sourceDropped(path); });
    platform::acceptPathDrops(Text1, [this](const fs::path& path) { sourceDropped(path); });
    platform::acceptPathDrops(Text2, [this](const fs::path& path) { destinationDropped(path); });
}

// Opened once the drop has finished, so the application the file came from is not kept waiting.
void Form1::sourceDropped(const fs::path& path)
{
    QTimer::singleShot(0, this, [this, path] {
        if (!isBusy())
            openFile(path);
    });
}

// The save dialog opens in the dropped folder, or suggests the dropped file, which is replaced only
// when the dialog is accepted.
void Form1::destinationDropped(const fs::path& path)
{
    QTimer::singleShot(0, this, [this, path] {
        if (!isBusy())
            saveTo(chooseDestination(path));
    });
}

// Asks what becomes of pictures no save has written; true when the caller may go on (they were saved
// or are to be discarded), false when the user cancelled or the save did not happen.
bool Form1::settleUnsavedPictures()
{
    if (!m_model.modified())
        return true;
    QString name = platform::toQString(platform::fileNameOfPathText(m_model.destinationText()));
    if (name.isEmpty())
        name = m_textureName.isEmpty() ? QStringLiteral("Untitled") : m_textureName;
    switch (askToSave(name)) {
    case platform::SaveChoice::Discard:
        return true;
    case platform::SaveChoice::Cancel:
        return false;
    case platform::SaveChoice::Save:
        break;
    }
    const std::u16string& last = m_model.destinationText();
    return saveTo(chooseDestination(
        last.empty() ? fs::path() : platform::resolvePathText(last, m_model.workFolder().programFolder())));
}

bool Form1::isBusy() const
{
    return m_status->isBusy();
}

// While busy the actions, the options and the boxes wait (the status line disables them); a close
// asked for meanwhile happens after.
void Form1::setBusy(bool busy, const QString& what)
{
    m_status->setBusy(busy, what);
    if (!busy && m_closeWhenIdle)
        QTimer::singleShot(0, this, &QWidget::close);
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The open or save under way still needs the temporary folder; the window closes after it.
    if (isBusy()) {
        m_closeWhenIdle = true;
        event->ignore();
        return;
    }
    m_closeWhenIdle = false;
    if (!settleUnsavedPictures()) {
        event->ignore();
        return;
    }
    Form_Unload();
    event->accept();
}

} // namespace texture_editor
