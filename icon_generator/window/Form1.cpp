#include "icon_generator/window/Form1.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "icon_generator/Consoles.h"
#include "icon_generator/FrameExport.h"
#include "icon_generator/window/PictureBox.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "platform/WindowHabits.h"
#include "textures/FolderPicker.h"

namespace icon_generator {
namespace {

constexpr int PREVIEW_INTERVAL_MS = 250;
// The remembered folders of the open dialog and of the folder picker.
constexpr std::string_view SOURCE_DIALOG = "source";
constexpr std::string_view DESTINATION_DIALOG = "destination";
constexpr QSize SOURCE_AREA{120, 88};

template <typename T> T* named(T* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

} // namespace

Form1::Form1(GeneratorModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_places(model.programFolder(), "Mintrel.cfg")
{
    setWindowTitle(QStringLiteral("Mintrel"));
    buildControls();
    layOut();
    connectControls();
    addHabits();
    restorePaths();
    modelToControls();
    tiPrev->start();
}

void Form1::buildControls()
{
    FraCon = named(new QGroupBox(QStringLiteral("Select Console:"), this), "FraCon");
    cmbCon = named(new QComboBox(FraCon), "cmbCon");
    for (const auto& console : consoles())
        cmbCon->addItem(QString::fromLatin1(console.listItem.data(), static_cast<qsizetype>(console.listItem.size())));
    cmbCon->setCurrentIndex(-1);
    chkAlt = named(new QCheckBox(QStringLiteral("Use Alternate Imgs."), FraCon), "chkAlt");

    FraPaths = named(new QGroupBox(this), "FraPaths");
    Label1 = named(new QLabel(QStringLiteral("Source:"), FraPaths), "Label1");
    Text1 = named(new QLineEdit(FraPaths), "Text1");
    cmdFileBrowse = named(new QPushButton(QStringLiteral("...."), FraPaths), "cmdFileBrowse");
    Label2 = named(new QLabel(QStringLiteral("Dest:"), FraPaths), "Label2");
    Text2 = named(new QLineEdit(FraPaths), "Text2");
    cmdFolderBrowse = named(new QPushButton(QStringLiteral("...."), FraPaths), "cmdFolderBrowse");
    Label3 = named(new QLabel(QStringLiteral("Source Image:"), FraPaths), "Label3");
    PicSrc = named(new PictureBox(SOURCE_AREA, true, FraPaths), "PicSrc");

    fraIcon = named(new QGroupBox(QStringLiteral("Save Icons"), this), "fraIcon");
    Picture5 = named(new PictureBox(boxSize(FrameBox::Banner), false, fraIcon), "Picture5");
    Picture1 = named(new PictureBox(boxSize(FrameBox::FrameA), false, fraIcon), "Picture1");
    Picture3 = named(new PictureBox(boxSize(FrameBox::Blend3), false, fraIcon), "Picture3");
    Picture4 = named(new PictureBox(boxSize(FrameBox::Blend4), false, fraIcon), "Picture4");
    Picture2 = named(new PictureBox(boxSize(FrameBox::FrameB), false, fraIcon), "Picture2");

    Frame2 = named(new QGroupBox(QStringLiteral("Animation Preview"), this), "Frame2");
    picPrev = named(new PictureBox(boxSize(FrameBox::FrameA), false, Frame2), "picPrev");

    Frame1 = named(new QGroupBox(QStringLiteral("Create:"), this), "Frame1");
    chkSave = named(new QCheckBox(QStringLiteral("Save Icons"), Frame1), "chkSave");
    chkBan = named(new QCheckBox(QStringLiteral("Banner Image"), Frame1), "chkBan");
    chkChan = named(new QCheckBox(QStringLiteral("Channel Icon"), Frame1), "chkChan");

    Command1 = named(new QPushButton(QStringLiteral("Make"), this), "Command1");
    Command2 = named(new QPushButton(QStringLiteral("Make Preview"), this), "Command2");
    tiPrev = named(new QTimer(this), "tiPrev");
    tiPrev->setInterval(PREVIEW_INTERVAL_MS);

    busyIndicator = named(new platform::BusyIndicator(this), "busyIndicator");
    busyIndicator->setWaitingControls({FraCon, FraPaths, Frame1, Command1, Command2});

    CommonDialog1 = named(new QFileDialog(this), "CommonDialog1");
    CommonDialog1->setFileMode(QFileDialog::ExistingFile);
    // The filters read as the program always named them; the patterns behind them (hidden) match
    // without regard to case, as file names are matched everywhere in the suite.
    CommonDialog1->setOption(QFileDialog::HideNameFilterDetails);
    CommonDialog1->setNameFilters(
        {QStringLiteral("Image Files (*.bmp,*.jpg,*.png,*.gif, *.jpeg) (*.[bB][mM][pP] *.[jJ][pP][gG] *.[pP][nN][gG] "
                        "*.[gG][iI][fF] *.[jJ][pP][eE][gG])"),
         QStringLiteral("All Files (*.*) (*)")});

    for (auto* browse : {cmdFileBrowse, cmdFolderBrowse})
        browse->setFixedWidth(browse->fontMetrics().horizontalAdvance(QStringLiteral("....")) + 24);
    Label1->setBuddy(Text1);
    Label2->setBuddy(Text2);
    PicSrc->setToolTip(QStringLiteral("The source picture (click: save as test.bmp). Drop a picture here."));
    Picture5->setToolTip(QStringLiteral("Banner (click: save as 1.bmp)"));
    Picture1->setToolTip(QStringLiteral("Frame A (double-click: save as 2.bmp)"));
    Picture3->setToolTip(QStringLiteral("Blend, mostly A (double-click: save as 3.bmp)"));
    Picture4->setToolTip(QStringLiteral("Blend, mostly B (double-click: save as 4.bmp)"));
    Picture2->setToolTip(QStringLiteral("Frame B (double-click: save as 5.bmp)"));
}

void Form1::layOut()
{
    auto* console = new QVBoxLayout(FraCon);
    console->addWidget(cmbCon);
    console->addWidget(chkAlt);

    auto* create = new QVBoxLayout(Frame1);
    create->addWidget(chkSave);
    create->addWidget(chkBan);
    create->addWidget(chkChan);

    auto* paths = new QGridLayout(FraPaths);
    paths->addWidget(Label1, 0, 0);
    paths->addWidget(Text1, 0, 1);
    paths->addWidget(cmdFileBrowse, 0, 2);
    paths->addWidget(Label2, 1, 0);
    paths->addWidget(Text2, 1, 1);
    paths->addWidget(cmdFolderBrowse, 1, 2);
    paths->addWidget(Label3, 0, 3, Qt::AlignLeft | Qt::AlignBottom);
    paths->addWidget(PicSrc, 1, 3, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    paths->setColumnStretch(1, 1);
    paths->setRowStretch(2, 1);

    auto* icons = new QHBoxLayout(fraIcon);
    icons->addWidget(Picture5, 0, Qt::AlignTop);
    icons->addSpacing(8);
    for (auto* frame : {Picture1, Picture3, Picture4, Picture2})
        icons->addWidget(frame, 0, Qt::AlignTop);
    icons->addStretch();

    auto* preview = new QHBoxLayout(Frame2);
    preview->addStretch();
    preview->addWidget(picPrev, 0, Qt::AlignTop);
    preview->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(FraCon, 1);
    top->addWidget(Frame1);
    auto* frames = new QHBoxLayout;
    frames->addWidget(fraIcon, 1);
    frames->addWidget(Frame2);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(busyIndicator, 1);
    buttons->addWidget(Command2);
    buttons->addWidget(Command1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(FraPaths);
    layout->addLayout(frames);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetMinimumSize);
    resize(sizeHint().width() + 60, sizeHint().height());
}

void Form1::connectControls()
{
    connect(cmbCon, &QComboBox::activated, this, &Form1::cmbCon_Click);
    connect(chkAlt, &QCheckBox::clicked, this, &Form1::chkAlt_Click);
    connect(Text1, &QLineEdit::textEdited, this, &Form1::Text1_Change);
    connect(Text2, &QLineEdit::textEdited, this, [this] { controlsToModel(); });
    for (auto* box : {chkSave, chkBan, chkChan})
        connect(box, &QCheckBox::clicked, this, [this] { controlsToModel(); });
    connect(cmdFileBrowse, &QPushButton::clicked, this, &Form1::cmdFileBrowse_Click);
    connect(cmdFolderBrowse, &QPushButton::clicked, this, &Form1::cmdFolderBrowse_Click);
    connect(Command1, &QPushButton::clicked, this, &Form1::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &Form1::Command2_Click);
    connect(tiPrev, &QTimer::timeout, this, &Form1::tiPrev_Timer);
    connect(Picture5, &PictureBox::clicked, this, &Form1::Picture5_Click);
    connect(Picture1, &PictureBox::doubleClicked, this, &Form1::Picture1_DblClick);
    connect(Picture3, &PictureBox::doubleClicked, this, &Form1::Picture3_DblClick);
    connect(Picture4, &PictureBox::doubleClicked, this, &Form1::Picture4_DblClick);
    connect(Picture2, &PictureBox::doubleClicked, this, &Form1::Picture2_DblClick);
    connect(PicSrc, &PictureBox::clicked, this, &Form1::PicSrc_Click);

    for (auto* field : {Text1, Text2})
        connect(field, &QLineEdit::editingFinished, this, &Form1::rememberPaths);
}

void Form1::controlsToModel()
{
    m_model.setDestinationText(platform::toU16(Text2->text()));
    m_model.setOutputs(chkSave->isChecked(), chkBan->isChecked(), chkChan->isChecked());
}

void Form1::modelToControls()
{
    cmbCon->setCurrentIndex(m_model.consoleIndex());
    chkAlt->setChecked(m_model.alternate());
    Text1->setText(platform::toQString(m_model.sourceText()));
    Text2->setText(platform::toQString(m_model.destinationText()));
    chkSave->setChecked(m_model.makeSaveData());
    chkBan->setChecked(m_model.makeChannelPicture());
    chkChan->setChecked(m_model.makeChannelIcon());
    PicSrc->setPicture(m_model.sourcePicture());
    showFrames();
    // What the fields show now is where the next window run starts.
    rememberPaths();
}

void Form1::showFrames()
{
    const Frames& frames = m_model.frames();
    Picture5->setPicture(frames.banner);
    Picture1->setPicture(frames.frameA);
    Picture3->setPicture(frames.blend3);
    Picture4->setPicture(frames.blend4);
    Picture2->setPicture(frames.frameB);
}

void Form1::setBusy(bool busy)
{
    m_busy = busy;
    // One busy spell for the whole run, not one per outside program: the pointer does not flicker
    // between the converter runs.
    busyIndicator->setBusy(busy, QStringLiteral("Making the textures…"));
}

void Form1::cmbCon_Click()
{
    m_model.selectConsole(cmbCon->currentIndex());
    showFrames();
}

void Form1::chkAlt_Click()
{
    m_model.setAlternate(chkAlt->isChecked());
    showFrames();
}

void Form1::Text1_Change()
{
    m_model.setSourceText(platform::toU16(Text1->text()));
    PicSrc->setPicture(m_model.sourcePicture());
}

std::optional<std::filesystem::path> Form1::choosePicture(const std::filesystem::path& startFolder)
{
    if (!startFolder.empty())
        CommonDialog1->setDirectory(platform::pathToQString(startFolder));
    if (CommonDialog1->exec() != QDialog::Accepted || CommonDialog1->selectedFiles().isEmpty())
        return std::nullopt;
    return platform::qStringToPath(CommonDialog1->selectedFiles().constFirst());
}

std::u16string Form1::chooseFolder(const std::u16string& start)
{
    return textures::BrowseFolder(this, start, DESTINATION_PICKER_TITLE);
}

void Form1::cmdFileBrowse_Click()
{
    const auto chosen = choosePicture(m_places.dialogFolder(SOURCE_DIALOG));
    if (!chosen)
        return;
    m_places.rememberDialogPath(SOURCE_DIALOG, *chosen);
    controlsToModel();
    m_model.sourceChosen(*chosen);
    modelToControls();
}

void Form1::cmdFolderBrowse_Click()
{
    controlsToModel();
    // With no destination typed, the picker opens where it was last used rather than in the current
    // folder.
    const auto lastFolder = m_places.dialogFolder(DESTINATION_DIALOG);
    const std::u16string chosen =
        chooseFolder(m_model.destinationText().empty() && !lastFolder.empty() ? platform::pathToText(lastFolder) + u"/"
                                                                              : m_model.destinationPickerStart());
    if (!chosen.empty())
        m_places.rememberDialogPath(DESTINATION_DIALOG, platform::textToPath(chosen), true);
    m_model.destinationChosen(chosen);
    modelToControls();
}

void Form1::Command1_Click()
{
    if (m_busy)
        return;
    controlsToModel();
    setBusy(true);
    auto report = m_model.make();
    setBusy(false);
    if (!report)
        m_model.sink().error(report.error());
    modelToControls();
}

void Form1::Command2_Click()
{
    if (m_busy)
        return;
    controlsToModel();
    m_model.makePreview();
    modelToControls();
}

void Form1::tiPrev_Timer()
{
    picPrev->setPicture(m_model.previewTick());
}

void Form1::exportFrame(std::optional<FrameBox> box)
{
    if (auto saved = m_model.exportFrame(box); !saved)
        m_model.sink().error(saved.error());
}

void Form1::Picture5_Click()
{
    exportFrame(FrameBox::Banner);
}

void Form1::Picture1_DblClick()
{
    exportFrame(FrameBox::FrameA);
}

void Form1::Picture3_DblClick()
{
    exportFrame(FrameBox::Blend3);
}

void Form1::Picture4_DblClick()
{
    exportFrame(FrameBox::Blend4);
}

void Form1::Picture2_DblClick()
{
    exportFrame(FrameBox::FrameB);
}

void Form1::PicSrc_Click()
{
    exportFrame(std::nullopt);
}

} // namespace icon_generator
