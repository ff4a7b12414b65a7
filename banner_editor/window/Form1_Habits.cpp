// Form1: the desktop habits of the main window: dropped layouts, its keys and help, and the question
// before unsaved changes are lost.

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include "Form1.h"
#include "platform/QtText.h"
#include "platform/WindowHabits.h"

namespace banner_editor {
namespace {

const char* const HELP_TEXT =
    "Edits the texts, colours and logo of a Virtual Console banner layout (.brlyt).\n\n"
    "Choose the layout with \"....\" (Ctrl+O), or drop it onto the window. Each field shows the "
    "language picked beside it: Set writes the field into that language, Set All into every "
    "language. ^ stands for a line break. Nothing reaches the file until Save Changes (Ctrl+S), "
    "which also applies region force, padding, logo and colour scheme.\n\n"
    "Closing the window, or loading another layout, asks first when something is not saved.";

} // namespace

void Form1::addHabits()
{
    const auto dropped = [this](const std::filesystem::path& path) { showChosenLayout(path); };
    platform::acceptPathDrops(txtSrc, dropped);
    platform::acceptPathDrops(this, dropped);
    platform::addButtonShortcut(this, cmdFileBrowse, QStringLiteral("Ctrl+O"),
                                QStringLiteral("Choose the layout file"));
    platform::addButtonShortcut(this, cmdSave, QStringLiteral("Ctrl+S"), QStringLiteral("Write the layout file"));
    platform::addHelpShortcut(this, m_model.sink().programName(), QString::fromUtf8(HELP_TEXT));
}

bool Form1::mayLeaveLayout()
{
    if (!m_model.hasUnsavedChanges())
        return true;
    const QString fileName = platform::pathToQString(m_model.SrcPath().filename());
    switch (platform::askToSaveChanges(this, QString::fromStdString(m_model.sink().programName()), fileName)) {
    case platform::SaveChoice::Discard:
        return true;
    case platform::SaveChoice::Cancel:
        return false;
    case platform::SaveChoice::Save:
        break;
    }
    // What the fields show is saved too: a typed field is written as its row's first button would.
    m_model.setTypedFields();
    return saveLayout();
}

void Form1::closeEvent(QCloseEvent* event)
{
    if (mayLeaveLayout())
        event->accept();
    else
        event->ignore();
}

} // namespace banner_editor
