#include "banner_editor/window/frmColor.h"

#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "banner_editor/window/PreviewPainter.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "platform/TextCodec.h"
#include "platform/WindowHabits.h"

namespace banner_editor {

namespace {

constexpr int ENTRY_COLUMNS = 7;

const char* const HELP_TEXT =
    "Edits a colour scheme: the two colours of each of the banner's nineteen colour entries, with "
    "a preview.\n\n"
    "Click a colour box, change the colour in the fields or with the swatch, and press Set. Pick "
    "a scheme in the list to load it, or \"Current Brlyt\" to read the colours of the layout named "
    "under \"Load From brlyt:\" (a layout can be dropped there). SaveScheme (Ctrl+S) saves the "
    "colours in the schemes folder; a scheme chosen here is applied by the main window's next "
    "save.\n\n"
    "Esc closes the window.";

QColor toQColor(Rgb c)
{
    return QColor(c.r, c.g, c.b);
}

Rgb toRgb(const QColor& c)
{
    return Rgb{std::uint8_t(c.red()), std::uint8_t(c.green()), std::uint8_t(c.blue())};
}

QString latin1(std::string_view text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

QString swatchStyle(const QColor& color)
{
    return QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(color.name());
}

} // namespace

frmColor::frmColor(BannerModel& model, QWidget* parent) : QWidget(parent, Qt::Window), m_editor(model)
{
    setWindowTitle(QStringLiteral("Quenlit"));
    setObjectName(QStringLiteral("frmColor"));

    chooseColor = [this](const QColor& initial) -> std::optional<QColor> {
        const QColor chosen = QColorDialog::getColor(initial, this);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    };
    askText = [this](const QString& prompt, const QString& title) {
        return QInputDialog::getText(this, title, prompt);
    };

    picPreview = new QLabel(this);
    picPreview->setObjectName(QStringLiteral("picPreview"));
    picPreview->setFixedSize(PREVIEW_WIDTH / PREVIEW_UNITS_PER_PIXEL, PREVIEW_HEIGHT / PREVIEW_UNITS_PER_PIXEL);

    auto* top = new QHBoxLayout;
    top->addWidget(picPreview, 0, Qt::AlignTop);
    top->addWidget(buildEditor(), 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buildEntryGrid());
    showBoxColors();
    MakePreview();
    addHabits();
}

void frmColor::addHabits()
{
    // A layout dropped onto the window or its path field goes into "Load From brlyt:", shown relative
    // to the program folder when inside it.
    const auto dropped = [this](const std::filesystem::path& path) {
        txtBannerPath->setText(platform::toQString(platform::displayPathText(path, m_editor.model().programFolder())));
    };
    platform::acceptPathDrops(txtBannerPath, dropped);
    platform::acceptPathDrops(this, dropped);
    platform::addButtonShortcut(this, cmdSaveScheme, QStringLiteral("Ctrl+S"),
                                QStringLiteral("Save the colours as a scheme in the schemes folder"));
    platform::closeOnEscape(this);
    platform::addHelpShortcut(this, m_editor.model().sink().programName(), QString::fromUtf8(HELP_TEXT));
}

QWidget* frmColor::buildEntryGrid()
{
    auto* grid = new QWidget(this);
    auto* gridLayout = new QGridLayout(grid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < SCHEME_ENTRY_COUNT; ++i) {
        const QString name = latin1(SCHEME_ENTRIES[i].name);
        auto* frame = new QGroupBox(name, grid);
        frame->setObjectName(QStringLiteral("fra") + name);
        auto* row = new QHBoxLayout(frame);
        row->setContentsMargins(6, 2, 6, 4);
        for (int index = 0; index < 2; ++index) {
            auto* box = new QPushButton(frame);
            box->setObjectName(QStringLiteral("pic%1_%2").arg(name).arg(index));
            box->setFixedSize(38, 22);
            box->setToolTip(QStringLiteral("%1 %2").arg(name).arg(index));
            connect(box, &QPushButton::clicked, this, [this, i, index] { colorBox_Click(i, index); });
            row->addWidget(box);
            colorBoxes[i][std::size_t(index)] = box;
        }
        entryFrames[i] = frame;
        gridLayout->addWidget(frame, int(i) / ENTRY_COLUMNS, int(i) % ENTRY_COLUMNS);
    }
    return grid;
}

QWidget* frmColor::buildEditor()
{
    auto* editor = new QWidget(this);
    auto* column = new QVBoxLayout(editor);
    column->setContentsMargins(0, 0, 0, 0);

    Label3 = new QLabel(
        QStringLiteral(
            "Select a Color by Clicking on it and edit it to the right.  Click the \"Set\" button to update."),
        editor);
    Label3->setWordWrap(true);
    column->addWidget(Label3);

    lblEdit = new QLabel(editor);
    lblEdit->setObjectName(QStringLiteral("lblEdit"));
    column->addWidget(lblEdit);

    auto* editRow = new QHBoxLayout;
    picClr = new QPushButton(editor);
    picClr->setObjectName(QStringLiteral("picClr"));
    picClr->setFixedSize(48, 48);
    picClr->setToolTip(QStringLiteral("Pick a colour"));
    connect(picClr, &QPushButton::clicked, this, &frmColor::picClr_Click);
    editRow->addWidget(picClr);
    auto* fields = new QGridLayout;
    int row = 0;
    for (auto [field, name] : {std::pair{&txtR, "txtR"}, std::pair{&txtG, "txtG"}, std::pair{&txtB, "txtB"}}) {
        *field = new QLineEdit(editor);
        (*field)->setObjectName(QString::fromLatin1(name));
        (*field)->setMaximumWidth(60);
        connect(*field, &QLineEdit::textChanged, this, &frmColor::UpDatePicClr);
        fields->addWidget(new QLabel(QString::fromLatin1(name + 3, 1), editor), row, 0);
        fields->addWidget(*field, row++, 1);
    }
    editRow->addLayout(fields);
    cmdColor = new QPushButton(QStringLiteral("Set"), editor);
    cmdColor->setObjectName(QStringLiteral("cmdColor"));
    connect(cmdColor, &QPushButton::clicked, this, &frmColor::cmdColor_Click);
    editRow->addWidget(cmdColor, 0, Qt::AlignBottom);
    editRow->addStretch();
    column->addLayout(editRow);
    showSwatch();

    Label1 = new QLabel(QStringLiteral("Select Scheme:"), editor);
    column->addWidget(Label1);
    cmbFileList = new QComboBox(editor);
    cmbFileList->setObjectName(QStringLiteral("cmbFileList"));
    connect(cmbFileList, &QComboBox::activated, this, &frmColor::cmbFileList_Click);
    column->addWidget(cmbFileList);

    Label2 = new QLabel(QStringLiteral("Load From brlyt:"), editor);
    column->addWidget(Label2);
    txtBannerPath = new QLineEdit(QStringLiteral("gen.brlyt"), editor);
    txtBannerPath->setObjectName(QStringLiteral("txtBannerPath"));
    column->addWidget(txtBannerPath);
    cmdGetScheme = new QPushButton(QStringLiteral("Get Color Scheme"), editor);
    cmdGetScheme->setObjectName(QStringLiteral("cmdGetScheme"));
    connect(cmdGetScheme, &QPushButton::clicked, this, &frmColor::cmdGetScheme_Click);
    column->addWidget(cmdGetScheme);

    cmdSaveScheme = new QPushButton(QStringLiteral("SaveScheme"), editor);
    cmdSaveScheme->setObjectName(QStringLiteral("cmdSaveScheme"));
    connect(cmdSaveScheme, &QPushButton::clicked, this, &frmColor::cmdSaveScheme_Click);
    column->addWidget(cmdSaveScheme);
    column->addStretch();
    return editor;
}

void frmColor::Form_Load()
{
    report(m_editor.start());
    txtBannerPath->setText(platform::toQString(m_editor.bannerPathText));
    showSchemeList();
    colorsChanged();
    show();
}

bool frmColor::report(const platform::Result<void>& result)
{
    if (!result)
        m_editor.model().sink().error(result.error(), platform::MessageIcon::Exclamation);
    return result.ok();
}

void frmColor::setColors(const ColorScheme& colors)
{
    m_editor.setColors(colors);
    colorsChanged();
}

void frmColor::colorsChanged()
{
    showBoxColors();
    MakePreview();
}

QColor frmColor::boxColor(std::size_t entry, int index) const
{
    return toQColor(m_editor.color(entry, index));
}

QColor frmColor::swatchColor() const
{
    return toQColor(m_editor.swatch());
}

void frmColor::showBoxColors()
{
    for (std::size_t i = 0; i < SCHEME_ENTRY_COUNT; ++i)
        for (int index = 0; index < 2; ++index)
            colorBoxes[i][std::size_t(index)]->setStyleSheet(swatchStyle(boxColor(i, index)));
}

void frmColor::showSwatch()
{
    picClr->setStyleSheet(swatchStyle(swatchColor()));
}

void frmColor::showSchemeList()
{
    cmbFileList->clear();
    for (const auto& item : m_editor.schemeItems())
        cmbFileList->addItem(platform::toQString(item));
    cmbFileList->setCurrentIndex(m_editor.schemeSelection());
}

void frmColor::Load_Scheme(const std::string& name)
{
    if (report(m_editor.loadScheme(name)))
        colorsChanged();
}

void frmColor::cmdGetScheme_Click()
{
    m_editor.bannerPathText = platform::toU16(txtBannerPath->text());
    if (report(m_editor.readFromLayout()))
        colorsChanged();
}

void frmColor::cmdSaveScheme_Click()
{
    const QString title = QStringLiteral("Save Scheme");
    const QString name = askText(QStringLiteral("Type a Name for the New Scheme"), title);
    if (name.isEmpty())
        return;
    const std::string scheme = platform::utf8FromUtf16(platform::toU16(name));
    if (schemeExists(m_editor.model().programFolder(), scheme) &&
        !platform::askYesNo(this, title, QStringLiteral("A scheme named \"%1\" exists already. Replace it?").arg(name)))
        return;
    if (!report(m_editor.saveScheme(scheme)))
        return;
    showSchemeList();
    emit schemeListChanged();
}

void frmColor::cmbFileList_Click()
{
    m_editor.bannerPathText = platform::toU16(txtBannerPath->text());
    if (report(m_editor.selectScheme(cmbFileList->currentIndex())))
        colorsChanged();
}

void frmColor::colorBox_Click(std::size_t entry, int index)
{
    m_editor.selectBox(entry, index);
    const Rgb color = m_editor.swatch();
    txtR->setText(QString::number(color.r));
    txtG->setText(QString::number(color.g));
    txtB->setText(QString::number(color.b));
    lblEdit->setText(latin1(m_editor.editedLabel()));
    showSwatch();
}

void frmColor::UpDatePicClr()
{
    m_editor.setSwatchFromFields(platform::toU16(txtR->text()), platform::toU16(txtG->text()),
                                 platform::toU16(txtB->text()));
    showSwatch();
}

void frmColor::picClr_Click()
{
    const auto chosen = chooseColor(swatchColor());
    if (!chosen)
        return;
    txtR->setText(QString::number(chosen->red()));
    txtG->setText(QString::number(chosen->green()));
    txtB->setText(QString::number(chosen->blue()));
    m_editor.setSwatch(toRgb(*chosen));
    showSwatch();
}

void frmColor::cmdColor_Click()
{
    if (m_editor.applySwatch())
        colorsChanged();
}

void frmColor::RefreshColorList(bool dont_Set)
{
    m_editor.refreshSchemeList(dont_Set);
    showSchemeList();
    if (!dont_Set)
        emit schemeListChanged();
}

void frmColor::MakePreview()
{
    m_scene = m_editor.preview(measureSystemText);
    m_preview = renderPreview(m_scene);
    picPreview->setPixmap(QPixmap::fromImage(m_preview));
}

void frmColor::closeEvent(QCloseEvent* event)
{
    m_editor.setSchemeSelection(cmbFileList->currentIndex());
    m_editor.finish();
    event->accept();
    emit closed(m_editor.schemeSelection());
}

} // namespace banner_editor
