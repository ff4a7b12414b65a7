// What the generator's window does the way every window of the suite does, beyond its own controls:
// dropped paths, keyboard shortcuts, the F1 help, the last paths kept between runs, and no closing
// in the middle of a run.

#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>

#include "icon_generator/window/Form1.h"
#include "icon_generator/window/PictureBox.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "platform/WindowHabits.h"

namespace icon_generator {
namespace {

// The remembered last paths, as the fields show them.
constexpr std::string_view SOURCE_KEY = "source";
constexpr std::string_view DESTINATION_KEY = "destination";

constexpr const char* HELP_TEXT =
    "Makes the textures of a Virtual Console title from one picture.\n\n"
    "Choose the console and the source picture (Ctrl+O, or drop it onto the window), and the folder for "
    "the textures (drop a folder onto the window or the Dest: field). Make Preview paints the picture "
    "into the save icon frames; Make (Ctrl+S) writes what Create: has ticked: the save icon and banner, "
    "the channel picture (Banner Image) and the channel icon.\n\n"
    "Click the banner or the source picture, or double-click a frame, to save it as a BMP in the "
    "program folder (1.bmp to 5.bmp, test.bmp).\n\n"
    "The last source and destination are kept for the next start, in cfgs\\Mintrel.cfg in the "
    "program folder.";

} // namespace

void Form1::addHabits()
{
    // A picture dropped onto the window (the source box included) or either field becomes the
    // source, a folder the destination: each field takes what its browse button gives, the window
    // takes both.
    for (QWidget* target : std::initializer_list<QWidget*>{this, Text1})
        platform::acceptPathDrops(target, [this](const std::filesystem::path& path) { pathDropped(path, false); });
    platform::acceptPathDrops(Text2, [this](const std::filesystem::path& path) { pathDropped(path, true); });

    platform::addButtonShortcut(this, cmdFileBrowse, QStringLiteral("Ctrl+O"),
                                QStringLiteral("Choose the source picture"));
    platform::addButtonShortcut(this, Command1, QStringLiteral("Ctrl+S"),
                                QStringLiteral("Make what Create: has ticked"));
    cmdFolderBrowse->setToolTip(QStringLiteral("Choose the folder where the textures go"));
    Command2->setToolTip(QStringLiteral("Paint the picture into the frames; nothing is written"));
    platform::addHelpShortcut(this, "Mintrel", QString::fromLatin1(HELP_TEXT));
}

void Form1::pathDropped(const std::filesystem::path& path, bool ontoDestination)
{
    if (m_busy)
        return;
    controlsToModel();
    if (platform::folderExists(path))
        m_model.destinationChosen(platform::pathToText(path));
    else if (ontoDestination) // a file dropped onto the destination: the textures go beside it
        m_model.destinationChosen(platform::pathToText(path.parent_path()));
    else
        m_model.sourceChosen(path);
    modelToControls();
}

void Form1::restorePaths()
{
    m_model.setSourceText(m_places.value(SOURCE_KEY));
    m_model.setDestinationText(m_places.value(DESTINATION_KEY));
}

void Form1::rememberPaths()
{
    m_places.remember(SOURCE_KEY, platform::toU16(Text1->text()));
    m_places.remember(DESTINATION_KEY, platform::toU16(Text2->text()));
}

void Form1::closeEvent(QCloseEvent* event)
{
    // The run goes on in this window's event loop; closing now would hide its report and leave the
    // outputs half made as far as the user can tell.
    if (m_busy) {
        event->ignore();
        return;
    }
    rememberPaths();
    QWidget::closeEvent(event);
}

} // namespace icon_generator
