#include "texture_editor/window/Form1.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "texture_editor/CommandLine.h"
#include "texture_editor/window/PreviewBox.h"

namespace texture_editor {
namespace fs = std::filesystem;

namespace {

// The names the two dialogs' folders are remembered under.
constexpr std::string_view OPEN_DIALOG = "open";
constexpr std::string_view SAVE_DIALOG = "save";

template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

// A dialog filter that shows its caption and matches its patterns without regard to case, as file
// names are matched everywhere in the suite: "TPL Files (*.tpl) (*.[tT][pP][lL])", the part in the
// last parentheses hidden.
QString anyCaseFilter(const char* caption, QStringList patterns)
{
    for (QString& pattern : patterns) {
        QString glob;
        for (const QChar c : pattern)
            glob += c.isLetter() ? QStringLiteral("[%1%2]").arg(c.toLower(), c.toUpper()) : QString(c);
        pattern = glob;
    }
    return QString::fromLatin1(caption) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

QStringList openFilters()
{
    return {
        anyCaseFilter("ImageFiles (*.jpg,*.bmp,*.tga, *.png, *.gif)", {"*.jpg", "*.bmp", "*.tga", "*.png", "*.gif"}),
        anyCaseFilter("NeoGeo Banner (banner.bin)", {"banner.bin"}),
        anyCaseFilter("Nes Save Icon (00000001.app)", {"00000001.app"}),
        anyCaseFilter("WTE File (*.wte)", {"*.wte"}),
        anyCaseFilter("TPL Files (*.tpl)", {"*.tpl"}),
        QStringLiteral("All Files (*.*) (*)")};
}

QStringList saveFilters()
{
    return {anyCaseFilter("Tpl File (*.tpl)", {"*.tpl"}), anyCaseFilter("Bitmap (*.bmp)", {"*.bmp"}),
            QStringLiteral("All Files (*.*) (*)")};
}

// The suffix a name typed without one gets, by the save filter chosen: ".tpl", ".bmp", none.
QString suffixOfSaveFilter(const QString& filter)
{
    const QStringList filters = saveFilters();
    if (filter == filters.at(0))
        return QStringLiteral("tpl");
    if (filter == filters.at(1))
        return QStringLiteral("bmp");
    return {};
}

std::optional<fs::path> runDialog(QFileDialog* dialog)
{
    if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty())
        return std::nullopt;
    return platform::qStringToPath(dialog->selectedFiles().constFirst());
}

} // namespace

Form1::Form1(EditorModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_places(model.workFolder().programFolder(), "Pexmo.cfg")
{
    setWindowTitle(QString::fromLatin1(PROGRAM_NAME));

    Label1 = named(new QLabel(QStringLiteral("Source Tpl/Image:"), this), "Label1");
    Text1 = named(new QLineEdit(this), "Text1");
    cmdFileBrowse = named(new QPushButton(QStringLiteral("...."), this), "cmdFileBrowse");
    Label2 = named(new QLabel(QStringLiteral("Dest Tpl/Image:"), this), "Label2");
    Text2 = named(new QLineEdit(this), "Text2");
    cmdFolderBrowse = named(new QPushButton(QStringLiteral("...."), this), "cmdFolderBrowse");
    Frame1 = named(new QGroupBox(QStringLiteral("Image Options"), this), "Frame1");
    opt565 = named(new QRadioButton(QStringLiteral("RGB565"), Frame1), "opt565");
    opt5a3 = named(new QRadioButton(QStringLiteral("RGB5A3"), Frame1), "opt5a3");
    chkTrans = named(new QCheckBox(QStringLiteral("Use Transparency"), Frame1), "chkTrans");
    Frame2 = named(new QGroupBox(QStringLiteral("Image Info"), this), "Frame2");
    lblinfo = named(new QLabel(Frame2), "lblinfo");
    File1 = named(new QListWidget(this), "File1");
    m_status = named(new platform::BusyIndicator(this), "status");
    CommonDialog1 = named(new QFileDialog(this), "CommonDialog1");
    CommonDialog1->setOption(QFileDialog::HideNameFilterDetails);
    CommonDialog1->setDirectory(QDir::currentPath());
    connect(CommonDialog1, &QFileDialog::filterSelected, this, [this](const QString& filter) {
        if (CommonDialog1->acceptMode() == QFileDialog::AcceptSave)
            CommonDialog1->setDefaultSuffix(suffixOfSaveFilter(filter));
    });

    // The paths show what was opened and saved; the browse buttons choose them.
    for (auto* text : {Text1, Text2})
        text->setReadOnly(true);
    for (auto* browse : {cmdFileBrowse, cmdFolderBrowse})
        browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    opt565->setChecked(true);
    File1->setToolTip(QStringLiteral("Files of the temporary folder"));
    File1->setSelectionMode(QAbstractItemView::NoSelection);

    previewArea = named(new QScrollArea(this), "previewArea");
    previewColumn = new QWidget;
    previewArea->setWidget(previewColumn);
    previewArea->setWidgetResizable(false);
    previewArea->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    previewArea->setFrameShape(QFrame::NoFrame);
    m_status->setWaitingControls({cmdFileBrowse, cmdFolderBrowse, opt565, opt5a3, chkTrans, previewColumn});

    auto* paths = new QGridLayout;
    paths->addWidget(Label1, 0, 0);
    paths->addWidget(Text1, 0, 1);
    paths->addWidget(cmdFileBrowse, 0, 2);
    paths->addWidget(Label2, 1, 0);
    paths->addWidget(Text2, 1, 1);
    paths->addWidget(cmdFolderBrowse, 1, 2);

    auto* options = new QVBoxLayout(Frame1);
    options->addWidget(opt565);
    options->addWidget(opt5a3);
    options->addWidget(chkTrans);
    auto* info = new QVBoxLayout(Frame2);
    info->addWidget(lblinfo);

    auto* side = new QVBoxLayout;
    side->addWidget(Frame1);
    side->addWidget(Frame2);
    side->addWidget(File1, 1);

    auto* body = new QHBoxLayout;
    body->addWidget(previewArea, 1);
    body->addLayout(side);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(paths);
    layout->addLayout(body, 1);
    layout->addWidget(m_status);
    resize(520, 360);

    connect(cmdFileBrowse, &QPushButton::clicked, this, &Form1::cmdFileBrowse_Click);
    connect(cmdFolderBrowse, &QPushButton::clicked, this, &Form1::cmdFolderBrowse_Click);
    addHabits();

    rebuildPreviews();
    modelToControls();
}

QFileDialog* Form1::openDialog()
{
    if (const fs::path folder = m_places.dialogFolder(OPEN_DIALOG); !folder.empty())
        CommonDialog1->setDirectory(platform::pathToQString(folder));
    CommonDialog1->setAcceptMode(QFileDialog::AcceptOpen);
    CommonDialog1->setFileMode(QFileDialog::ExistingFile);
    CommonDialog1->setDefaultSuffix({});
    CommonDialog1->setNameFilters(openFilters());
    return CommonDialog1;
}

QFileDialog* Form1::saveDialog()
{
    if (const fs::path folder = m_places.dialogFolder(SAVE_DIALOG); !folder.empty())
        CommonDialog1->setDirectory(platform::pathToQString(folder));
    CommonDialog1->setAcceptMode(QFileDialog::AcceptSave);
    CommonDialog1->setFileMode(QFileDialog::AnyFile);
    const QStringList filters = saveFilters();
    CommonDialog1->setNameFilters(filters);
    CommonDialog1->selectNameFilter(filters.constFirst());
    CommonDialog1->setDefaultSuffix(suffixOfSaveFilter(filters.constFirst()));
    return CommonDialog1;
}

std::optional<fs::path> Form1::chooseSource()
{
    return runDialog(openDialog());
}

std::optional<fs::path> Form1::chooseDestination(const fs::path& start)
{
    QFileDialog* dialog = saveDialog();
    if (platform::folderExists(start))
        dialog->setDirectory(platform::pathToQString(start));
    else if (!start.empty())
        dialog->selectFile(platform::pathToQString(start));
    return runDialog(dialog);
}

platform::SaveChoice Form1::askToSave(const QString& name)
{
    return platform::askToSaveChanges(this, windowTitle(), name);
}

void Form1::cmdFileBrowse_Click()
{
    if (const auto chosen = chooseSource())
        openFile(*chosen);
}

void Form1::cmdFolderBrowse_Click()
{
    saveTo(chooseDestination());
}

// Saves to a chosen path (nothing when the dialog was cancelled); true when the file was written.
bool Form1::saveTo(const std::optional<fs::path>& path)
{
    if (!path)
        return false;
    m_places.rememberDialogPath(SAVE_DIALOG, path->lexically_normal());
    controlsToModel();
    setBusy(true, QStringLiteral("Saving %1...").arg(platform::pathToQString(path->filename())));
    auto saved = m_model.save(*path);
    setBusy(false);
    if (!saved)
        m_model.sink().error(saved.error());
    modelToControls();
    return saved.ok();
}

void Form1::picPrev_Click(int index)
{
    m_model.select(index);
    showSelection();
}

// A texture replaces the whole column, so pictures not yet saved are settled first; a picture only
// replaces the selected box.
void Form1::openFile(const fs::path& path)
{
    const bool texture = sourceKindOf(path) != SourceKind::Picture;
    if (texture && !settleUnsavedPictures())
        return;
    m_places.rememberDialogPath(OPEN_DIALOG, path.lexically_normal());
    controlsToModel();
    setBusy(true, QStringLiteral("Opening %1...").arg(platform::pathToQString(path.filename())));
    auto opened = m_model.open(path);
    setBusy(false);
    if (!opened) {
        m_model.sink().error(opened.error());
    } else {
        if (texture)
            m_textureName = platform::pathToQString(path.filename());
        rebuildPreviews();
        fitHeightToColumn();
        previewArea->ensureWidgetVisible(picPrev.at(static_cast<std::size_t>(m_model.selectedIndex())), 0, 0);
    }
    modelToControls();
}

void Form1::controlsToModel()
{
    m_model.setFormat(opt565->isChecked() ? textures::TextureFormat::RGB565 : textures::TextureFormat::RGB5A3);
    m_model.setTransparency(chkTrans->isChecked());
}

void Form1::modelToControls()
{
    Text1->setText(platform::toQString(m_model.sourceText()));
    Text2->setText(platform::toQString(m_model.destinationText()));
    File1->clear();
    for (const auto& name : m_model.workFiles())
        File1->addItem(QString::fromStdString(name));
}

// The boxes follow the model's pictures, each directly below the one before.
void Form1::rebuildPreviews()
{
    const auto& pictures = m_model.pictures();
    while (picPrev.size() > pictures.size()) {
        delete picPrev.back();
        picPrev.pop_back();
    }
    while (picPrev.size() < pictures.size()) {
        auto* box = new PreviewBox(static_cast<int>(picPrev.size()), previewColumn);
        connect(box, &PreviewBox::clicked, this, &Form1::picPrev_Click);
        box->show();
        picPrev.push_back(box);
    }
    int top = 0;
    int widest = 0;
    for (std::size_t i = 0; i < picPrev.size(); ++i) {
        picPrev[i]->setPicture(pictures[i]);
        picPrev[i]->move(0, top);
        top += picPrev[i]->height();
        widest = std::max(widest, picPrev[i]->width());
    }
    previewColumn->resize(widest, top);
    showSelection();
}

// With more than one box the window takes the height of the column plus a margin below it, as far as
// the screen allows (the column scrolls beyond that), and grows wide enough for the widest box.
void Form1::fitHeightToColumn()
{
    if (picPrev.size() < 2)
        return;
    layout()->activate();
    const QWidget* last = picPrev.back();
    // Box tops count from the top of the column, wherever it is scrolled to.
    const int columnTop = previewArea->viewport()->mapTo(this, QPoint(0, 0)).y();
    int height = columnTop + last->y() + last->height() + HEIGHT_BELOW_COLUMN;
    int width = this->width();
    const int missing = previewColumn->width() - previewArea->viewport()->width();
    if (missing > 0)
        width += missing + previewArea->verticalScrollBar()->sizeHint().width();
    if (const QScreen* shown = screen()) {
        const QRect available = shown->availableGeometry();
        const QSize frame = frameGeometry().size() - geometry().size();
        height = std::min(height, available.height() - frame.height());
        width = std::min(width, available.width() - frame.width());
    }
    resize(width, height);
}

void Form1::showSelection()
{
    const int selected = m_model.selectedIndex();
    for (auto* box : picPrev)
        box->setSelected(box->index() == selected);
    const QSize size = picPrev.at(static_cast<std::size_t>(selected))->innerSize();
    lblinfo->setText(QStringLiteral("Width: %1 Height: %2").arg(size.width()).arg(size.height()));
}

void Form1::Form_Unload()
{
    m_model.finish();
}

} // namespace texture_editor
