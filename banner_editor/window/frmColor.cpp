#include "banner_editor/window/frmColor.h"

#include <cmath>

#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Files.h"
#include "platform/Messages.h"
#include "platform/PathText.h"

namespace banner_editor {

namespace {

constexpr int ENTRY_COLUMNS = 7;

QColor toQColor(ColorValue v)
{
    return QColor(int(v & 0xFF), int((v >> 8) & 0xFF), int((v >> 16) & 0xFF));
}

QColor colorOf(const MaterialColors& c, int index)
{
    return index == 0 ? QColor(c.r1, c.g1, c.b1) : QColor(c.r2, c.g2, c.b2);
}

void setColorOf(MaterialColors& c, int index, const QColor& color)
{
    const auto r = static_cast<std::uint8_t>(color.red());
    const auto g = static_cast<std::uint8_t>(color.green());
    const auto b = static_cast<std::uint8_t>(color.blue());
    if (index == 0) {
        c.r1 = r, c.g1 = g, c.b1 = b;
    } else {
        c.r2 = r, c.g2 = g, c.b2 = b;
    }
}

QString swatchStyle(const QColor& color)
{
    return QStringLiteral("background-color: %1; border: 1px solid #404040;").arg(color.name());
}

// A colour component typed into txtR/txtG/txtB: a whole number 0-255, or nothing.
std::optional<int> componentOf(const QLineEdit* field)
{
    bool ok = false;
    const int value = field->text().trimmed().toInt(&ok, 10);
    if (!ok || value < 0 || value > 255)
        return std::nullopt;
    return value;
}

int px(int units)
{
    return static_cast<int>(std::lround(double(units) / PREVIEW_UNITS_PER_PIXEL));
}

QRect pixelRect(const PreviewRect& r)
{
    return QRect(QPoint(px(r.x), px(r.y)), QPoint(px(r.right()) - 1, px(r.bottom()) - 1));
}

void paintShape(QPainter& p, const PreviewShape& s)
{
    const QRect outer = pixelRect(s.rect);
    if (s.outlineWidth > 0) {
        p.fillRect(outer, toQColor(s.outline));
        const int w = std::max(1, px(s.outlineWidth));
        p.fillRect(outer.adjusted(w, w, -w, -w), toQColor(s.fill));
    } else {
        p.fillRect(outer, toQColor(s.fill));
    }
}

// Each band covers the pixels whose left (top) edge lies inside it; a later band wins a shared pixel.
void paintGradient(QPainter& p, const PreviewGradientArea& area)
{
    for (const auto& b : area.bands) {
        const int x0 = px(int(std::lround(b.x))), x1 = px(int(std::lround(b.x + b.width)));
        const int y0 = px(int(std::lround(b.y))), y1 = px(int(std::lround(b.y + b.height)));
        if (x1 > x0 && y1 > y0)
            p.fillRect(QRect(x0, y0, x1 - x0, y1 - y0), toQColor(b.color));
    }
}

QFont fontOf(const PreviewText& t)
{
    QString family = QString::fromStdString(t.font);
    if (family.startsWith(QLatin1Char('@')))
        family.remove(0, 1);
    QFont font(family);
    font.setPixelSize(t.pixelSize);
    font.setBold(t.bold);
    return font;
}

void paintText(QPainter& p, const PreviewText& t)
{
    p.save();
    p.setFont(fontOf(t));
    p.setPen(toQColor(t.color));
    const QRectF r(t.rect.x / double(PREVIEW_UNITS_PER_PIXEL), t.rect.y / double(PREVIEW_UNITS_PER_PIXEL),
                   t.rect.width / double(PREVIEW_UNITS_PER_PIXEL), t.rect.height / double(PREVIEW_UNITS_PER_PIXEL));
    const int flags = Qt::AlignLeft | Qt::AlignTop | (t.wrap ? Qt::TextWordWrap : 0);
    if (!t.font.empty() && t.font.front() == '@') {
        // Vertical writing: the line runs down the rectangle, turned a quarter turn clockwise.
        p.setClipRect(r);
        p.translate(r.right(), r.top());
        p.rotate(90);
        p.drawText(QRectF(0, 0, r.height(), r.width()), Qt::AlignLeft | Qt::AlignVCenter,
                   QString::fromStdU16String(t.text));
    } else {
        p.drawText(r, flags, QString::fromStdU16String(t.text));
    }
    p.restore();
}

} // namespace

QImage renderPreview(const PreviewScene& s)
{
    QImage image(PREVIEW_WIDTH / PREVIEW_UNITS_PER_PIXEL, PREVIEW_HEIGHT / PREVIEW_UNITS_PER_PIXEL,
                 QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintShape(p, s.band);
    paintGradient(p, s.lowerMask);
    paintShape(p, s.secondMask);
    for (const auto& letters : s.logoLettering)
        paintText(p, letters);
    for (const auto& line : s.platformLines)
        paintShape(p, line);
    paintShape(p, s.pictureFrame);
    paintGradient(p, s.yearLine);
    paintGradient(p, s.playersLine);
    for (const PreviewText* t : {&s.system, &s.title, &s.year, &s.players, &s.rating})
        paintText(p, *t);
    return image;
}

int measureSystemText(std::u16string_view text)
{
    QFont font(QString::fromUtf8(BANNER_TEXT_FONT.data(), qsizetype(BANNER_TEXT_FONT.size())));
    font.setPixelSize(SYSTEM_TEXT_PIXEL_SIZE);
    font.setBold(true);
    const QFontMetrics metrics(font);
    return metrics.horizontalAdvance(QString::fromStdU16String(std::u16string(text))) * PREVIEW_UNITS_PER_PIXEL;
}

frmColor::frmColor(BannerModel& model, QWidget* parent) : QWidget(parent, Qt::Window), m_model(model)
{
    setWindowTitle(QStringLiteral("Quenlit"));
    setObjectName(QStringLiteral("frmColor"));
    for (auto& c : m_colors)
        c = MaterialColors{192, 192, 192, 255, 255, 255};

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
}

QWidget* frmColor::buildEntryGrid()
{
    auto* grid = new QWidget(this);
    auto* gridLayout = new QGridLayout(grid);
    gridLayout->setContentsMargins(0, 0, 0, 0);
    for (std::size_t i = 0; i < SCHEME_ENTRY_COUNT; ++i) {
        const QString name =
            QString::fromLatin1(SCHEME_ENTRIES[i].name.data(), qsizetype(SCHEME_ENTRIES[i].name.size()));
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
    setSwatch(m_swatch);

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
    RefreshColorList(true);
    txtBannerPath->setText(QString::fromStdU16String(m_model.pathText()));
    // Select the main window's scheme item (by its text: the folder may have changed since its list was
    // filled), which loads its colours.
    int selection = -1;
    const int mainSelection = m_model.schemeSelection;
    if (mainSelection >= 0 && std::size_t(mainSelection) < m_model.schemeItems.size())
        selection = cmbFileList->findText(QString::fromStdU16String(m_model.schemeItems[std::size_t(mainSelection)]),
                                          Qt::MatchFixedString | Qt::MatchCaseSensitive);
    cmbFileList->setCurrentIndex(selection);
    if (selection >= 0)
        cmbFileList_Click();
    else
        MakePreview();
    show();
}

void frmColor::setColors(const ColorScheme& colors)
{
    m_colors = colors;
    showBoxColors();
    MakePreview();
}

QColor frmColor::boxColor(std::size_t entry, int index) const
{
    return colorOf(m_colors.at(entry), index);
}

void frmColor::showBoxColors()
{
    for (std::size_t i = 0; i < SCHEME_ENTRY_COUNT; ++i)
        for (int index = 0; index < 2; ++index)
            colorBoxes[i][std::size_t(index)]->setStyleSheet(swatchStyle(colorOf(m_colors[i], index)));
}

void frmColor::setSwatch(const QColor& color)
{
    m_swatch = color;
    picClr->setStyleSheet(swatchStyle(color));
}

void frmColor::Load_Scheme(const std::string& name)
{
    auto scheme = loadScheme(m_model.programFolder(), name);
    if (!scheme) {
        platform::showError(scheme.error(), platform::MessageIcon::Exclamation);
        return;
    }
    setColors(*scheme);
}

void frmColor::cmdGetScheme_Click()
{
    const std::u16string text = txtBannerPath->text().toStdU16String();
    const auto path = platform::resolvePathText(text, m_model.programFolder());
    if (text.empty() || !platform::fileExists(path)) {
        platform::showMessage("File Not Found!");
        return;
    }
    // A local copy: the shared layout buffer is not touched.
    auto layout = platform::readFile(path);
    if (!layout) {
        platform::showError(layout.error(), platform::MessageIcon::Exclamation);
        return;
    }
    LanguageItems languages;
    for (int list = 0; list < 4; ++list)
        languages[std::size_t(list)] = m_model.regionItem(list);
    ColorScheme colors = m_colors;
    readSchemeFromLayout(*layout, languages, colors);
    setColors(colors);
}

void frmColor::cmdSaveScheme_Click()
{
    const QString name = askText(QStringLiteral("Type a Name for the New Scheme"), QStringLiteral("Save Scheme"));
    if (name.isEmpty())
        return;
    if (auto saved = saveScheme(m_model.programFolder(), name.toStdString(), m_colors); !saved) {
        platform::showError(saved.error(), platform::MessageIcon::Exclamation);
        return;
    }
    platform::showMessage("Color Scheme saved as " + name.toStdString());
    RefreshColorList(false);
}

void frmColor::cmbFileList_Click()
{
    const int index = cmbFileList->currentIndex();
    if (index < 0)
        return;
    if (index == 0)
        cmdGetScheme_Click();
    else
        Load_Scheme(cmbFileList->itemText(index).toStdString());
}

void frmColor::colorBox_Click(std::size_t entry, int index)
{
    const QColor color = boxColor(entry, index);
    const QStringList rgb =
        QString::fromStdString(
            VbColor2RGB(colorValue(std::uint8_t(color.red()), std::uint8_t(color.green()), std::uint8_t(color.blue()))))
            .split(QLatin1Char('|'));
    txtR->setText(rgb[0]);
    txtG->setText(rgb[1]);
    txtB->setText(rgb[2]);
    const auto& name = SCHEME_ENTRIES[entry].name;
    lblEdit->setText(QString::fromLatin1(name.data(), qsizetype(name.size())) + QLatin1Char(' ') +
                     QString::number(index));
    setSwatch(boxColor(entry, index));
}

void frmColor::UpDatePicClr()
{
    const auto r = componentOf(txtR), g = componentOf(txtG), b = componentOf(txtB);
    if (r && g && b)
        setSwatch(QColor(*r, *g, *b));
}

void frmColor::picClr_Click()
{
    const auto chosen = chooseColor(m_swatch);
    if (!chosen)
        return;
    const QColor color = *chosen;
    txtR->setText(QString::number(color.red()));
    txtG->setText(QString::number(color.green()));
    txtB->setText(QString::number(color.blue()));
    setSwatch(color);
}

void frmColor::cmdColor_Click()
{
    const QStringList parts = lblEdit->text().split(QLatin1Char(' '));
    if (parts.size() != 2)
        return;
    const std::size_t entry = schemeEntryIndex(parts[0].toStdString());
    bool ok = false;
    const int index = parts[1].toInt(&ok);
    if (entry == SCHEME_ENTRY_COUNT || !ok || index < 0 || index > 1)
        return;
    setColorOf(m_colors[entry], index, m_swatch);
    showBoxColors();
    MakePreview();
}

QStringList frmColor::schemeListItems() const
{
    QStringList items{QString::fromStdU16String(std::u16string(CURRENT_SCHEME_ITEM))};
    for (const auto& name : schemeNames(m_model.programFolder()))
        items << QString::fromStdString(name);
    return items;
}

void frmColor::RefreshColorList(bool dont_Set)
{
    const QStringList items = schemeListItems();
    cmbFileList->clear();
    cmbFileList->addItems(items);
    cmbFileList->setCurrentIndex(-1);
    if (dont_Set)
        return;
    m_model.schemeItems.clear();
    for (const auto& item : items)
        m_model.schemeItems.push_back(item.toStdU16String());
    m_model.schemeSelection = cmbFileList->currentIndex();
    emit schemeListChanged();
}

void frmColor::MakePreview()
{
    PreviewFields fields;
    fields.title = m_model.txtName;
    fields.year = m_model.txtYear;
    fields.players = m_model.txtPlayers;
    fields.rating = m_model.txtESRB;
    fields.system = m_model.txtSystem;
    for (int list = 0; list < 4; ++list)
        fields.languages[std::size_t(list)] = m_model.regionItem(list);
    m_scene = banner_editor::MakePreview(m_colors, fields, m_model.buffer(), measureSystemText);
    m_preview = renderPreview(m_scene);
    picPreview->setPixmap(QPixmap::fromImage(m_preview));
}

void frmColor::closeEvent(QCloseEvent* event)
{
    m_model.schemeItems.clear();
    for (int i = 0; i < cmbFileList->count(); ++i)
        m_model.schemeItems.push_back(cmbFileList->itemText(i).toStdU16String());
    m_model.schemeSelection = cmbFileList->currentIndex();
    event->accept();
    emit closed(m_model.schemeSelection);
}

} // namespace banner_editor
