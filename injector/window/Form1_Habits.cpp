// Form1: the desktop habits of Stavik's window: dropped paths, its keys and help, and what it
// remembers between runs.

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include "injector/window/Form1.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/TextCodec.h"
#include "platform/WindowHabits.h"

namespace injector {
namespace {

// The remembered values of the last run.
constexpr std::string_view CONSOLE_KEY = "console";
constexpr std::string_view SOURCE_KEY = "source";
constexpr std::string_view DESTINATION_KEY = "destination";

const char* const HELP_TEXT =
    "Injects a save texture and the save titles into an extracted Virtual Console title.\n\n"
    "Choose the console: its default source and destination are filled in and the titles the "
    "destination holds are loaded. Browse (\"....\", Ctrl+O for the destination), type, or drop a "
    "file or folder onto a path box; a file dropped onto the window becomes the destination. Type "
    "the titles (^ stands for a line break) and press Inject (Ctrl+S).\n\n"
    "The console and paths of the last run come back at the next start.";

} // namespace

void Form1::addHabits()
{
    platform::acceptPathDrops(m_txtSource, [this](const std::filesystem::path& p) { sourceDropped(p); });
    platform::acceptPathDrops(m_txtDest, [this](const std::filesystem::path& p) { destinationDropped(p); });
    platform::acceptPathDrops(this, [this](const std::filesystem::path& p) { destinationDropped(p); });
    m_cmdFileBrowse->setToolTip(QStringLiteral("Choose the source texture, or the folder of WTE files"));
    platform::addButtonShortcut(this, m_cmdFolderBrowse, QStringLiteral("Ctrl+O"),
                                QStringLiteral("Choose the file or folder to inject into"));
    platform::addButtonShortcut(this, m_cmdInject2, QStringLiteral("Ctrl+S"),
                                QStringLiteral("Inject the source and the titles into the destination"));
    platform::addHelpShortcut(this, m_model.sink().programName(), QString::fromUtf8(HELP_TEXT));
}

void Form1::sourceDropped(const std::filesystem::path& path)
{
    // A WTE source is a folder: a dropped WTE file stands for the folder it is in.
    if (m_model.wteMode())
        m_model.setSource(folderText(platform::folderExists(path) ? path : path.parent_path()));
    else
        m_model.setSource(platform::displayPathText(path, m_model.programFolder()));
    refresh();
}

void Form1::destinationDropped(const std::filesystem::path& path)
{
    // An N64 destination is the title's folder: a dropped save-comment file stands for its folder.
    if (m_model.layout().folderDestination)
        m_model.setDestination(folderText(platform::folderExists(path) ? path : path.parent_path()));
    else
        m_model.setDestination(platform::displayPathText(path, m_model.programFolder()));
    refresh();
}

void Form1::restoreRemembered()
{
    const int console = consoleOfCode(platform::utf8FromUtf16(m_places.value(CONSOLE_KEY)));
    if (console == NO_CONSOLE)
        return;
    m_model.chooseConsole(console);
    m_model.setSource(m_places.value(SOURCE_KEY));
    m_model.setDestination(m_places.value(DESTINATION_KEY));
}

void Form1::rememberFields()
{
    const int console = m_model.conIndex();
    if (console < 0 || console >= CONSOLE_COUNT)
        return;
    m_places.remember(CONSOLE_KEY, platform::utf16FromUtf8(std::string(consoleInfo(console).code)));
    m_places.remember(SOURCE_KEY, m_model.source());
    m_places.remember(DESTINATION_KEY, m_model.destination());
}

void Form1::closeEvent(QCloseEvent* event)
{
    rememberFields();
    event->accept();
}

} // namespace injector
