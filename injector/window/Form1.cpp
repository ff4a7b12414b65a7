#include "injector/window/Form1.h"

#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "injector/InjectorMessages.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "textures/FolderPicker.h"

namespace injector {

namespace {

using platform::toQString;
using platform::toU16;

// The title boxes show the text as the Wii will; a CJK-capable face stands in where the Wii's own
// fonts are not installed.
QFont wiiFont(const QString& wiiFamily)
{
    QFont font;
    font.setFamilies({wiiFamily, QStringLiteral("Noto Sans CJK JP"), QStringLiteral("IPAPGothic"),
                      QStringLiteral("Droid Sans Fallback"), QStringLiteral("WenQuanYi Micro Hei"),
                      QStringLiteral("Sans Serif")});
    font.setPointSize(10);
    return font;
}

// What the window remembers between runs, in the program folder's cfgs/, and its dialogs' names there.
constexpr std::string_view PLACES_FILE = "Stavik.cfg";
constexpr std::string_view SOURCE_DIALOG = "source";
constexpr std::string_view DESTINATION_DIALOG = "destination";

// "title.txt" as "[tT][iI][tT][lL][eE].[tT][xX][tT]"; "*.*" as "*".
QString caseInsensitivePattern(const QString& pattern)
{
    if (pattern == QLatin1String("*.*"))
        return QStringLiteral("*");
    QString out;
    for (QChar c : pattern) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            out += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            out += c;
    }
    return out;
}

} // namespace

Form1::Form1(InjectorModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_places(model.programFolder(), PLACES_FILE)
{
    setWindowTitle(QStringLiteral("Stavik"));
    buildControls();
    addHabits();
    restoreRemembered();
    SetVisual();
    refresh();
}

QString Form1::dialogFilter(std::u16string_view filter)
{
    const QStringList parts = toQString(filter).split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        entries << parts[i] + QStringLiteral(" (") + caseInsensitivePattern(parts[i + 1]) + QLatin1Char(')');
    return entries.join(QStringLiteral(";;"));
}

void Form1::buildControls()
{
    auto* fraCon = new QGroupBox(QStringLiteral("Select a Console:"), this);
    m_cmbCon = new QComboBox(fraCon);
    for (int i = 0; i < CONSOLE_COUNT; ++i)
        m_cmbCon->addItem(toQString(consoleInfo(i).item));
    m_cmbCon->setCurrentIndex(-1);
    (new QVBoxLayout(fraCon))->addWidget(m_cmbCon);

    m_fraFields = new QGroupBox(this);
    auto* fields = new QGridLayout(m_fraFields);
    m_lbldesc[0] = new QLabel(QStringLiteral("Source Tpl(s):"), m_fraFields);
    m_lbldesc[1] = new QLabel(QStringLiteral("File to Inject:"), m_fraFields);
    m_lbldesc[2] = new QLabel(QStringLiteral("Folder to Inject:"), m_fraFields);
    m_txtSource = new QLineEdit(m_fraFields);
    m_txtDest = new QLineEdit(m_fraFields);
    auto* cmdFileBrowse = m_cmdFileBrowse = new QPushButton(QStringLiteral("...."), m_fraFields);
    auto* cmdFolderBrowse = m_cmdFolderBrowse = new QPushButton(QStringLiteral("...."), m_fraFields);
    for (auto* button : {cmdFileBrowse, cmdFolderBrowse})
        button->setFixedWidth(36);
    fields->addWidget(m_lbldesc[0], 0, 0, 1, 2);
    fields->addWidget(m_txtSource, 1, 0);
    fields->addWidget(cmdFileBrowse, 1, 1);
    fields->addWidget(m_lbldesc[1], 2, 0, 1, 2); // "File to Inject:" and "Folder to Inject:" share a place
    fields->addWidget(m_lbldesc[2], 2, 0, 1, 2);
    fields->addWidget(m_txtDest, 3, 0);
    fields->addWidget(cmdFolderBrowse, 3, 1);

    auto* fratitle = new QGroupBox(QStringLiteral("Save Title(s):"), this);
    auto* titles = new QGridLayout(fratitle);
    for (int i = 0; i < TITLE_SLOTS; ++i) {
        const auto slot = static_cast<std::size_t>(i);
        m_lbltitle[slot] = new QLabel(toQString(TITLE_LABELS[slot]), fratitle);
        m_txtTitle[slot] = new QLineEdit(fratitle);
        m_txtTitle[slot]->setFont(wiiFont(QStringLiteral("Wii NTLG PGothic Regular")));
        titles->addWidget(m_lbltitle[slot], i, 0);
        titles->addWidget(m_txtTitle[slot], i, 1);
        connect(m_txtTitle[slot], &QLineEdit::textEdited, this, [this, i](const QString& text) {
            m_model.setTitle(i, toU16(text));
            refresh();
        });
    }

    titles->setRowStretch(TITLE_SLOTS, 1); // hidden slots leave the English one at the top

    auto* fraText = new QGroupBox(QStringLiteral("Save Title(s)"), this);
    auto* text = new QHBoxLayout(fraText);
    m_cmbReg = new QComboBox(fraText);
    for (auto item : LANGUAGE_ITEMS)
        m_cmbReg->addItem(toQString(item));
    m_cmbReg->setCurrentIndex(-1);
    m_txttmpTitle = new QLineEdit(fraText);
    m_txttmpTitle->setFont(wiiFont(QStringLiteral("Wii NTLG PGothic Regular")));
    m_cmdSet = new QPushButton(QStringLiteral("Set"), fraText);
    m_cmdSETall = new QPushButton(QStringLiteral("Set ALL"), fraText);
    text->addWidget(m_cmbReg);
    text->addWidget(m_txttmpTitle, 1);
    text->addWidget(m_cmdSet);
    text->addWidget(m_cmdSETall);

    auto* frame1 = new QGroupBox(QStringLiteral("Save Text Preview"), this);
    auto* preview = new QGridLayout(frame1);
    const QFont previewFont = wiiFont(QStringLiteral("Wii NTLG Gothic Regular"));
    m_lblHover = new QLabel(frame1);
    m_lblSumm1 = new QLabel(frame1);
    m_lblSumm2 = new QLabel(frame1);
    for (auto* label : {m_lblHover, m_lblSumm1, m_lblSumm2}) {
        label->setFont(previewFont);
        label->setMinimumHeight(22);
        label->setStyleSheet(QStringLiteral("QLabel { background: white; color: #303030; padding: 1px 4px; }"));
    }
    preview->addWidget(new QLabel(QStringLiteral("Hover Text:  "), frame1), 0, 0);
    preview->addWidget(m_lblHover, 0, 1);
    preview->addWidget(new QLabel(QStringLiteral("Summary Screen Text:"), frame1), 1, 0);
    preview->addWidget(m_lblSumm1, 1, 1);
    preview->addWidget(m_lblSumm2, 2, 1);
    preview->setColumnStretch(1, 1);

    m_cmdInject2 = new QPushButton(QStringLiteral("&Inject"), this);
    m_cmdInject2->setMinimumHeight(36);

    auto* left = new QVBoxLayout;
    left->addWidget(fraCon);
    left->addWidget(m_fraFields);
    left->addStretch(1);
    // The path boxes get the wider column: the Sega title file's default path is 68 characters long,
    // while a save title line holds at most 32.
    auto* top = new QHBoxLayout;
    top->addLayout(left, 3);
    top->addWidget(fratitle, 2);
    auto* root = new QVBoxLayout(this);
    root->addLayout(top);
    root->addWidget(fraText);
    root->addWidget(frame1);
    root->addWidget(m_cmdInject2);
    resize(900, 470);

    connect(m_cmbCon, &QComboBox::activated, this, &Form1::cmbCon_Click);
    connect(m_cmbReg, &QComboBox::activated, this, &Form1::cmbReg_Click);
    connect(m_cmdSet, &QPushButton::clicked, this, &Form1::cmdSet_Click);
    connect(m_cmdSETall, &QPushButton::clicked, this, &Form1::cmdSETall_Click);
    connect(cmdFileBrowse, &QPushButton::clicked, this, &Form1::cmdFileBrowse_Click);
    connect(cmdFolderBrowse, &QPushButton::clicked, this, &Form1::cmdFolderBrowse_Click);
    connect(m_cmdInject2, &QPushButton::clicked, this, &Form1::cmdInject2_Click);
    connect(m_txtSource, &QLineEdit::textEdited, this, [this](const QString& t) { m_model.setSource(toU16(t)); });
    connect(m_txtDest, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_model.setDestination(toU16(t));
        refresh();
    });
    connect(m_txttmpTitle, &QLineEdit::textEdited, this, [this](const QString& t) {
        m_model.setEditText(toU16(t));
        refresh();
    });
}

void Form1::refresh()
{
    if (m_refreshing)
        return;
    m_refreshing = true;
    const auto setText = [](QLineEdit* box, const std::u16string& value) {
        const QString text = toQString(value);
        if (box->text() != text) {
            const QSignalBlocker block(box);
            box->setText(text);
        }
    };
    {
        const QSignalBlocker blockCon(m_cmbCon), blockReg(m_cmbReg);
        m_cmbCon->setCurrentIndex(m_model.conIndex());
        m_cmbReg->setCurrentIndex(m_model.language());
    }
    setText(m_txtSource, m_model.source());
    setText(m_txtDest, m_model.destination());
    for (int i = 0; i < TITLE_SLOTS; ++i)
        setText(txtTitle(i), m_model.title(i));
    setText(m_txttmpTitle, m_model.editText());
    m_lblHover->setText(toQString(m_model.preview().hover));
    m_lblSumm1->setText(toQString(m_model.preview().line1));
    m_lblSumm2->setText(toQString(m_model.preview().line2));
    m_refreshing = false;
}

void Form1::SetVisual()
{
    const FieldLayout layout = m_model.layout();
    m_lbldesc[1]->setVisible(!layout.folderDestination);
    m_lbldesc[2]->setVisible(layout.folderDestination);
    for (int i = 0; i < TITLE_SLOTS; ++i) {
        const bool shown = layout.allTitleSlots || i == ENGLISH_SLOT;
        txtTitle(i)->setVisible(shown);
        lbltitle(i)->setVisible(shown);
    }
}

void Form1::cmbCon_Click(int index)
{
    m_model.chooseConsole(index);
    SetVisual();
    refresh();
}

void Form1::cmbReg_Click(int index)
{
    m_model.chooseLanguage(index);
    refresh();
}

void Form1::cmdSet_Click()
{
    m_model.setChosenTitle();
    refresh();
}

void Form1::cmdSETall_Click()
{
    m_model.setAllTitles();
    refresh();
}

std::u16string Form1::folderText(const std::filesystem::path& folder) const
{
    std::u16string shown = platform::displayPathText(folder, m_model.programFolder());
    if (!shown.empty() && !platform::isPathSeparator(shown.back()))
        shown += platform::isProgramRelativePathText(shown) ? u'\\' : u'/';
    return shown;
}

std::u16string Form1::pickFolder(const std::u16string& current, const std::u16string& title, std::string_view dialog)
{
    // The picker understands native paths only. An empty box starts where the picker was last left,
    // else in the current folder.
    std::u16string initial;
    if (platform::isProgramRelativePathText(current))
        initial = platform::pathToText(m_model.programFolder());
    else if (!current.empty())
        initial = platform::pathToText(platform::resolvePathText(current, m_model.programFolder()));
    else if (const auto last = m_places.dialogFolder(dialog); !last.empty())
        initial = platform::pathToText(last) + u"/";
    else
        initial = toU16(QDir::currentPath()) + u"/";
    const std::u16string chosen = textures::BrowseFolder(this, initial, title);
    if (chosen.empty())
        return {};
    m_places.rememberDialogPath(dialog, platform::textToPath(chosen), true);
    return folderText(platform::textToPath(chosen));
}

QString Form1::dialogFolder(const std::u16string& current, std::string_view dialog) const
{
    if (!current.empty()) {
        const auto folder = platform::resolvePathText(current, m_model.programFolder()).parent_path();
        if (platform::folderExists(folder))
            return platform::pathToQString(folder);
    }
    return platform::pathToQString(m_places.dialogFolder(dialog));
}

QString Form1::openFile(const std::u16string& current, std::u16string_view filter, std::string_view dialog)
{
    // The list of file types shows each filter's own description ("TG TITLE.txt (TITLE.txt)"), not
    // the case-insensitive pattern behind it.
    const QString chosen =
        QFileDialog::getOpenFileName(this, QString(), dialogFolder(current, dialog), dialogFilter(filter), nullptr,
                                     QFileDialog::HideNameFilterDetails);
    if (!chosen.isEmpty())
        m_places.rememberDialogPath(dialog, platform::qStringToPath(chosen));
    return chosen;
}

void Form1::cmdFileBrowse_Click()
{
    if (m_model.wteMode()) {
        // A cancelled picker keeps the source as it was.
        const std::u16string chosen =
            pickFolder(m_model.source(), u"Select Folder Where Wte Files are Stored", SOURCE_DIALOG);
        if (!chosen.empty() && chosen != m_model.source())
            m_model.setSource(chosen);
    } else {
        const QString file = openFile(m_model.source(), ALL_FILES_FILTER, SOURCE_DIALOG);
        if (!file.isEmpty())
            m_model.setSource(platform::displayPathText(platform::qStringToPath(file), m_model.programFolder()));
    }
    refresh();
}

void Form1::cmdFolderBrowse_Click()
{
    if (m_model.layout().folderDestination) {
        const std::u16string chosen =
            pickFolder(m_model.destination(), u"Select a Folder to Inject", DESTINATION_DIALOG);
        if (!chosen.empty() && chosen != m_model.destination())
            m_model.setDestination(chosen);
    } else {
        const QString file = openFile(m_model.destination(), destinationFilter(m_model.conIndex()), DESTINATION_DIALOG);
        if (!file.isEmpty())
            m_model.setDestination(platform::displayPathText(platform::qStringToPath(file), m_model.programFolder()));
    }
    refresh();
}

void Form1::cmdInject2_Click()
{
    // The paths as the user gave them, before the injection makes them absolute.
    rememberFields();
    if (const auto done = m_model.inject(); !done)
        m_model.sink().error(done.error(), iconFor(done.error()));
    refresh();
}

} // namespace injector
