#include "archive_tool/window/Form1.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "platform/WindowHabits.h"
#include "textures/FolderPicker.h"

namespace archive_tool {
namespace {

namespace fs = std::filesystem;

// The names the two dialogs' folders are remembered under.
constexpr std::string_view ARCHIVE_DIALOG = "archive";
constexpr std::string_view FOLDER_DIALOG = "folder";

template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

void fillList(QListWidget* list, const std::vector<std::string>& names)
{
    list->clear();
    for (const auto& name : names)
        list->addItem(platform::pathToQString(name));
}

} // namespace

Form1::Form1(ArchiveToolModel& model, platform::MessageSink& sink, QWidget* parent)
    : QWidget(parent), m_model(model), m_sink(sink), m_places(model.programFolder(), "Cramble.cfg")
{
    setWindowTitle(QStringLiteral("Cramble"));
    Label1 = named(new QLabel(QStringLiteral("Path to File:"), this), "Label1");
    txtFileName = named(new QLineEdit(this), "txtFileName");
    cmdFileBrowse = named(new QPushButton(QStringLiteral("...."), this), "cmdFileBrowse");
    Label2 = named(new QLabel(QStringLiteral("Path to Folder:"), this), "Label2");
    txtFolder = named(new QLineEdit(this), "txtFolder");
    cmdFolderBrowse = named(new QPushButton(QStringLiteral("...."), this), "cmdFolderBrowse");
    cmdExtract = named(new QPushButton(QStringLiteral("Extract"), this), "cmdExtract");
    cmdPack = named(new QPushButton(QStringLiteral("Pack"), this), "cmdPack");
    fleccf = named(new QListWidget(this), "fleccf");
    List1 = named(new QListWidget(this), "List1");
    CommonDialog1 = named(new QFileDialog(this), "CommonDialog1");
    CommonDialog1->setFileMode(QFileDialog::ExistingFile);
    // The filters read "CCF Files (*.ccf)" and "All Files (*.*)"; the patterns behind them (hidden)
    // match without regard to case, as file names are matched everywhere in the suite.
    CommonDialog1->setOption(QFileDialog::HideNameFilterDetails);
    CommonDialog1->setNameFilters({QStringLiteral("CCF Files (*.ccf) (*.[cC][cC][fF] *.[cC][cC][fF].[zZ][lL][iI][bB])"),
                                   QStringLiteral("All Files (*.*) (*)")});
    const fs::path lastArchiveFolder = m_places.dialogFolder(ARCHIVE_DIALOG);
    CommonDialog1->setDirectory(lastArchiveFolder.empty() ? QDir::currentPath()
                                                          : platform::pathToQString(lastArchiveFolder));
    m_status = named(new platform::BusyIndicator(this), "status");
    m_status->setWaitingControls({txtFileName, cmdFileBrowse, txtFolder, cmdFolderBrowse, cmdExtract, cmdPack});

    for (auto* browse : {cmdFileBrowse, cmdFolderBrowse})
        browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    fleccf->setToolTip(QStringLiteral("Files of the folder to pack"));
    List1->setToolTip(QStringLiteral("Member order of the last pack"));
    Label1->setBuddy(txtFileName);
    Label2->setBuddy(txtFolder);

    auto* paths = new QGridLayout;
    paths->addWidget(Label1, 0, 0);
    paths->addWidget(txtFileName, 0, 1);
    paths->addWidget(cmdFileBrowse, 0, 2);
    paths->addWidget(Label2, 1, 0);
    paths->addWidget(txtFolder, 1, 1);
    paths->addWidget(cmdFolderBrowse, 1, 2);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdExtract);
    buttons->addWidget(cmdPack);

    auto* lists = new QGridLayout;
    lists->addWidget(new QLabel(QStringLiteral("Files in the folder:"), this), 0, 0);
    lists->addWidget(new QLabel(QStringLiteral("Member order:"), this), 0, 1);
    lists->addWidget(fleccf, 1, 0);
    lists->addWidget(List1, 1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(paths);
    layout->addLayout(buttons);
    layout->addLayout(lists);
    layout->addWidget(m_status);
    resize(520, 300);

    connect(cmdFileBrowse, &QPushButton::clicked, this, &Form1::cmdFileBrowse_Click);
    connect(cmdFolderBrowse, &QPushButton::clicked, this, &Form1::cmdFolderBrowse_Click);
    connect(cmdExtract, &QPushButton::clicked, this, &Form1::cmdExtract_Click);
    connect(cmdPack, &QPushButton::clicked, this, &Form1::cmdPack_Click);
    connect(txtFolder, &QLineEdit::editingFinished, this, &Form1::folderEdited);
    addHabits();
    restoreFields();
}

void Form1::controlsToModel()
{
    m_model.setFileText(platform::toU16(txtFileName->text()));
    m_model.setFolderText(platform::toU16(txtFolder->text()));
}

void Form1::modelToControls()
{
    txtFileName->setText(platform::toQString(m_model.fileText()));
    txtFolder->setText(platform::toQString(m_model.folderText()));
    fillList(fleccf, m_model.folderFiles());
    fillList(List1, m_model.memberOrderList());
    rememberFields();
}

void Form1::folderEdited()
{
    controlsToModel();
    m_model.refreshFolderFiles();
    fillList(fleccf, m_model.folderFiles());
    rememberFields();
}

std::optional<std::filesystem::path> Form1::chooseArchive()
{
    if (CommonDialog1->exec() != QDialog::Accepted || CommonDialog1->selectedFiles().isEmpty())
        return std::nullopt;
    return platform::qStringToPath(CommonDialog1->selectedFiles().constFirst());
}

std::u16string Form1::chooseFolder()
{
    const fs::path last = m_places.dialogFolder(FOLDER_DIALOG);
    const std::u16string start = last.empty() ? platform::toU16(QDir::currentPath()) : platform::pathToText(last);
    return textures::BrowseFolder(this, start + u"/", u"Select a Folder to Pack");
}

bool Form1::confirmReplace(const fs::path& archive)
{
    return platform::askYesNo(this, windowTitle(),
                              QString::fromStdString(platform::quoted(archive)) +
                                  QStringLiteral(" already exists.\nReplace it?"));
}

void Form1::cmdFileBrowse_Click()
{
    if (const auto chosen = chooseArchive())
        archiveChosen(*chosen);
}

void Form1::cmdFolderBrowse_Click()
{
    folderChosen(chooseFolder());
}

// The archive field takes a chosen or dropped file and names the folder it extracts into; the open
// dialog next opens where the file lies.
void Form1::archiveChosen(const fs::path& path)
{
    const fs::path normal = path.lexically_normal();
    m_places.rememberDialogPath(ARCHIVE_DIALOG, normal);
    CommonDialog1->setDirectory(platform::pathToQString(normal.parent_path()));
    controlsToModel();
    m_model.archiveChosen(path);
    modelToControls();
}

// The folder field takes a chosen or dropped folder ("" when the picker was cancelled) and names the
// archive it packs into. The picker next opens where this folder lies.
void Form1::folderChosen(const std::u16string& folder)
{
    if (!folder.empty()) {
        const fs::path path = platform::textToPath(folder).lexically_normal();
        m_places.rememberDialogPath(FOLDER_DIALOG, path.has_filename() ? path : path.parent_path());
    }
    controlsToModel();
    m_model.folderChosen(folder);
    modelToControls();
}

void Form1::cmdExtract_Click()
{
    controlsToModel();
    setBusy(
        true,
        QStringLiteral("Extracting %1...").arg(platform::toQString(platform::fileNameOfPathText(m_model.fileText()))));
    auto extracted = m_model.extract();
    setBusy(false);
    if (!extracted)
        showFailure(extracted.error());
    modelToControls();
}

void Form1::cmdPack_Click()
{
    controlsToModel();
    const fs::path target = m_model.packTarget();
    if (platform::fileExists(target) && !confirmReplace(target))
        return;
    setBusy(true, QStringLiteral("Packing %1...").arg(platform::pathToQString(target.filename())));
    auto packed = m_model.pack();
    setBusy(false);
    if (!packed)
        showFailure(packed.error());
    modelToControls();
}

void Form1::showFailure(const platform::Error& error)
{
    m_sink.error(error, failureIcon(error));
}

} // namespace archive_tool
