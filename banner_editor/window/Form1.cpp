#include "Form1.h"

#include <QComboBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "banner_editor/window/frmColor.h"
#include "banner_editor/window/frmHC.h"
#include "platform/Files.h"
#include "platform/PathText.h"
#include "platform/QtText.h"

namespace banner_editor {
namespace {

using platform::toQString;
using platform::toU16;

// What the window remembers between runs, in the program folder's cfgs/, and its one dialog.
constexpr std::string_view PLACES_FILE = "Lorvane.cfg";
constexpr std::string_view OPEN_DIALOG = "layout";

// The fields of the Set buttons (cmdSet(0)..(2)) and of the Set All buttons (cmdSetAll(0)..(4)).
constexpr std::array<GameField, 3> SET_FIELDS{GameField::Title, GameField::Year, GameField::Rating};
constexpr std::array<GameField, 5> SET_ALL_FIELDS{GameField::Title, GameField::Year, GameField::Players,
                                                  GameField::System, GameField::Rating};

// Sets a line edit's text only when it differs, so the cursor of a field being typed in stays put.
void showText(QLineEdit* edit, std::u16string_view text)
{
    const QString q = toQString(text);
    if (edit->text() != q)
        edit->setText(q);
}

QComboBox* languageList(QWidget* parent, const QString& name)
{
    auto* list = new QComboBox(parent);
    list->setObjectName(name);
    for (const auto item : LANGUAGE_ITEMS)
        list->addItem(QString::fromLatin1(item.data(), static_cast<qsizetype>(item.size())));
    return list;
}

void fillList(QComboBox* list, const std::vector<std::u16string>& items, int selection)
{
    list->clear();
    for (const auto& item : items)
        list->addItem(toQString(item));
    list->setCurrentIndex(selection);
}

} // namespace

Form1::Form1(BannerModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_places(model.programFolder(), PLACES_FILE)
{
    setWindowTitle(QStringLiteral("Lorvane"));
    buildControls();
    connectControls();
    addHabits();
    m_model.start();
    m_model.refreshSchemeList();
    m_model.refreshLogoList();
    refreshFromModel();
}

QFont Form1::bannerFont()
{
    QFont font;
    font.setFamilies({QStringLiteral("Wii NTLG PGothic Regular"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Droid Sans Fallback"),
                      QStringLiteral("Sans Serif")});
    font.setPointSize(10);
    return font;
}

QStringList Form1::openFilters()
{
    // File names are matched without regard to case across the suite, and "*.*" stands for every file
    // as it does where the tools come from (on POSIX it would skip names without a dot).
    return {QStringLiteral("Brlyt Files (*.brlyt) (*.[bB][rR][lL][yY][tT])"), QStringLiteral("All Files (*.*) (*)")};
}

void Form1::buildControls()
{
    auto* top = new QVBoxLayout(this);

    auto* pathRow = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("File:"), this);
    txtSrc = new QLineEdit(this);
    txtSrc->setObjectName(QStringLiteral("txtSrc"));
    txtSrc->setMinimumWidth(360);
    cmdFileBrowse = new QPushButton(QStringLiteral("...."), this);
    cmdFileBrowse->setObjectName(QStringLiteral("cmdFileBrowse"));
    cmdFileBrowse->setFixedWidth(40);
    pathRow->addWidget(Label1);
    pathRow->addWidget(txtSrc, 1);
    pathRow->addWidget(cmdFileBrowse);
    top->addLayout(pathRow);

    fraFields = new QGroupBox(QStringLiteral("Game Info"), this);
    fraFields->setObjectName(QStringLiteral("fraFields"));
    auto* grid = new QGridLayout(fraFields);
    const QFont font = bannerFont();
    const auto field = [&](const QString& name) {
        auto* edit = new QLineEdit(fraFields);
        edit->setObjectName(name);
        edit->setFont(font);
        edit->setMinimumWidth(240);
        return edit;
    };
    const auto button = [&](const QString& caption, const QString& name) {
        auto* b = new QPushButton(caption, fraFields);
        b->setObjectName(name);
        return b;
    };
    txtName = field(QStringLiteral("txtName"));
    txtYear = field(QStringLiteral("txtYear"));
    txtPlayers = field(QStringLiteral("txtPlayers"));
    txtESRB = field(QStringLiteral("txtESRB"));
    txtSystem = field(QStringLiteral("txtSystem"));
    const QString hint = QStringLiteral("No Dashes!!  (E.g.  Type \"2\" for \"1-2\")");
    txtPlayers->setToolTip(hint);
    for (int i = 0; i < 4; ++i)
        cmbRegion[static_cast<std::size_t>(i)] = languageList(fraFields, QStringLiteral("cmbRegion%1").arg(i));
    for (int i = 0; i < 3; ++i)
        cmdSet[static_cast<std::size_t>(i)] = button(QStringLiteral("Set"), QStringLiteral("cmdSet%1").arg(i));
    const std::array<QString, 5> setAllCaptions{QStringLiteral("Set All"), QStringLiteral("Set All"),
                                                QStringLiteral("Set"), QStringLiteral("Set"),
                                                QStringLiteral("Set All")};
    for (int i = 0; i < 5; ++i)
        cmdSetAll[static_cast<std::size_t>(i)] =
            button(setAllCaptions[static_cast<std::size_t>(i)], QStringLiteral("cmdSetAll%1").arg(i));

    // One row per field: caption, text, language list, Set for one language, Set for all.
    const auto row = [&](int r, const QString& caption, QLineEdit* edit, QComboBox* list, QPushButton* one,
                         QPushButton* all) {
        grid->addWidget(new QLabel(caption, fraFields), r, 0);
        grid->addWidget(edit, r, 1);
        if (list)
            grid->addWidget(list, r, 2);
        if (one)
            grid->addWidget(one, r, 3);
        grid->addWidget(all, r, 4);
    };
    row(0, QStringLiteral("Name:"), txtName, cmbRegion[0], cmdSet[0], cmdSetAll[0]);
    row(1, QStringLiteral("Year:"), txtYear, cmbRegion[1], cmdSet[1], cmdSetAll[1]);
    row(2, QStringLiteral("Players:"), txtPlayers, cmbRegion[2], nullptr, cmdSetAll[2]);
    auto* hintLabel = new QLabel(hint, fraFields);
    hintLabel->setObjectName(QStringLiteral("lblPlayersHint"));
    grid->addWidget(hintLabel, 3, 1, 1, 4);
    row(4, QStringLiteral("ESRB Rating:"), txtESRB, cmbRegion[3], cmdSet[2], cmdSetAll[4]);
    row(5, QStringLiteral("System:"), txtSystem, nullptr, nullptr, cmdSetAll[3]);
    grid->setColumnStretch(1, 1);
    top->addWidget(fraFields);

    auto* options = new QGridLayout;
    Label2 = new QLabel(QStringLiteral("Region Force:"), this);
    cmbForce = languageList(this, QStringLiteral("cmbForce"));
    Label3 = new QLabel(QStringLiteral("Padding (fixes corrupted images)"), this);
    txtPad = new QLineEdit(this);
    txtPad->setObjectName(QStringLiteral("txtPad"));
    cmbLogo = new QComboBox(this);
    cmbLogo->setObjectName(QStringLiteral("cmbLogo"));
    cmbFileList = new QComboBox(this);
    cmbFileList->setObjectName(QStringLiteral("cmbFileList"));
    options->addWidget(Label2, 0, 0);
    options->addWidget(cmbForce, 0, 1);
    options->addWidget(Label3, 0, 2);
    options->addWidget(txtPad, 0, 3);
    options->addWidget(new QLabel(QStringLiteral("Logo:"), this), 1, 0);
    options->addWidget(cmbLogo, 1, 1);
    options->addWidget(new QLabel(QStringLiteral("Colors:"), this), 1, 2);
    options->addWidget(cmbFileList, 1, 3);
    options->setColumnStretch(1, 1);
    options->setColumnStretch(3, 1);
    top->addLayout(options);

    auto* actions = new QHBoxLayout;
    cmdEditColor = new QPushButton(QStringLiteral("Color Editor And Preview"), this);
    cmdEditColor->setObjectName(QStringLiteral("cmdEditColor"));
    cmdHC = new QPushButton(QStringLiteral("Hardcore Manual Text Editor"), this);
    cmdHC->setObjectName(QStringLiteral("cmdHC"));
    cmdSave = new QPushButton(QStringLiteral("&Save Changes"), this);
    cmdSave->setObjectName(QStringLiteral("cmdSave"));
    cmdSave->setDefault(true);
    actions->addWidget(cmdEditColor);
    actions->addWidget(cmdHC);
    actions->addStretch(1);
    actions->addWidget(cmdSave);
    top->addLayout(actions);
}

void Form1::connectControls()
{
    connect(cmdFileBrowse, &QPushButton::clicked, this, &Form1::cmdFileBrowse_Click);
    connect(txtSrc, &QLineEdit::textEdited, this, &Form1::txtSrc_Change);

    // Typing into a field changes the model's copy at once; the Set buttons write it to the buffer.
    const auto bind = [this](QLineEdit* edit, std::u16string BannerModel::*member) {
        connect(edit, &QLineEdit::textEdited, this,
                [this, member](const QString& text) { m_model.*member = toU16(text); });
    };
    bind(txtName, &BannerModel::txtName);
    bind(txtYear, &BannerModel::txtYear);
    bind(txtPlayers, &BannerModel::txtPlayers);
    bind(txtESRB, &BannerModel::txtESRB);
    bind(txtSystem, &BannerModel::txtSystem);
    bind(txtPad, &BannerModel::txtPad);

    for (int i = 0; i < 4; ++i)
        connect(cmbRegion[static_cast<std::size_t>(i)], &QComboBox::activated, this,
                [this, i](int item) { cmbRegion_click(i, item); });
    for (int i = 0; i < 3; ++i)
        connect(cmdSet[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdSet_Click(i); });
    for (int i = 0; i < 5; ++i)
        connect(cmdSetAll[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { cmdSetAll_Click(i); });

    connect(cmbForce, &QComboBox::activated, this, [this](int item) { m_model.forceItem = item; });
    connect(cmbLogo, &QComboBox::activated, this, [this](int item) { m_model.logoSelection = item; });
    connect(cmbFileList, &QComboBox::activated, this, [this](int item) { m_model.schemeSelection = item; });
    connect(cmdSave, &QPushButton::clicked, this, &Form1::cmdSave_Click);
    connect(cmdEditColor, &QPushButton::clicked, this, &Form1::cmdEditColor_Click);
    connect(cmdHC, &QPushButton::clicked, this, &Form1::cmdHC_Click);
}

void Form1::refreshFields()
{
    showText(txtName, m_model.txtName);
    showText(txtYear, m_model.txtYear);
    showText(txtPlayers, m_model.txtPlayers);
    showText(txtESRB, m_model.txtESRB);
    showText(txtSystem, m_model.txtSystem);
    for (int i = 0; i < 4; ++i)
        cmbRegion[static_cast<std::size_t>(i)]->setCurrentIndex(m_model.region(i));
}

void Form1::refreshLists()
{
    cmbForce->setCurrentIndex(m_model.forceItem);
    showText(txtPad, m_model.txtPad);
    fillList(cmbLogo, m_model.logoItems, m_model.logoSelection);
    fillList(cmbFileList, m_model.schemeItems, m_model.schemeSelection);
}

void Form1::refreshFromModel()
{
    showText(txtSrc, m_model.pathText());
    refreshFields();
    refreshLists();
}

void Form1::rereadFields()
{
    m_model.rereadFields();
    refreshFields();
}

void Form1::cmdFileBrowse_Click()
{
    // The loaded layout's folder, else the folder the dialog was last left in.
    std::filesystem::path start = m_model.SrcPath().parent_path();
    if (start.empty() || !platform::folderExists(start))
        start = m_places.dialogFolder(OPEN_DIALOG);
    const QString chosen = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), platform::pathToQString(start),
                                                        openFilters().join(QStringLiteral(";;")), nullptr,
                                                        QFileDialog::HideNameFilterDetails);
    if (chosen.isEmpty())
        return;
    m_places.rememberDialogPath(OPEN_DIALOG, platform::qStringToPath(chosen));
    showChosenLayout(platform::qStringToPath(chosen));
}

void Form1::showChosenLayout(const std::filesystem::path& chosen)
{
    // A layout inside the program folder is shown relative to it, beginning with "\".
    txtSrc->setText(toQString(platform::displayPathText(chosen, m_model.programFolder())));
    txtSrc_Change(txtSrc->text());
}

void Form1::txtSrc_Change(const QString& text)
{
    // Loading empties the buffer: what is not saved is asked about first, and Cancel keeps the layout
    // and the path it came from.
    if (!mayLeaveLayout()) {
        showText(txtSrc, m_model.pathText());
        return;
    }
    // A path that names no file (yet: the user may be typing) passes quietly; a file that is not a
    // banner layout, or cannot be read, is named. Either way the fields stay as they are.
    if (auto loaded = m_model.setPath(toU16(text)); !loaded && loaded.error().kind != platform::ErrorKind::NotFound)
        m_model.sink().error(loaded.error(), platform::MessageIcon::Exclamation);
    showText(txtSrc, m_model.pathText());
    refreshFields();
}

void Form1::cmbRegion_click(int index, int item)
{
    m_model.selectLanguage(index, item);
    refreshFields();
}

void Form1::cmdSet_Click(int index)
{
    if (index >= 0 && index < int(SET_FIELDS.size()))
        m_model.setLanguageField(SET_FIELDS[std::size_t(index)]);
}

void Form1::cmdSetAll_Click(int index)
{
    if (index >= 0 && index < int(SET_ALL_FIELDS.size()))
        m_model.setAllLanguages(SET_ALL_FIELDS[std::size_t(index)]);
}

void Form1::cmdSave_Click()
{
    saveLayout();
}

bool Form1::saveLayout()
{
    auto saved = m_model.save();
    if (!saved)
        m_model.sink().error(saved.error(), platform::MessageIcon::Critical);
    refreshFromModel();
    return saved.ok();
}

void Form1::cmdEditColor_Click()
{
    // The colour window works on the model while this window is hidden; on closing it hands back its
    // scheme list and selection, which the next save applies.
    auto* window = new frmColor(m_model);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &frmColor::schemeListChanged, this, &Form1::refreshLists);
    connect(window, &frmColor::closed, this, [this](int) {
        refreshLists();
        show();
    });
    hide();
    window->Form_Load();
}

void Form1::cmdHC_Click()
{
    // The manual editor changes the buffer; on closing the fields are read from it again.
    auto* window = new frmHC(m_model);
    window->setAttribute(Qt::WA_DeleteOnClose);
    connect(window, &frmHC::closed, this, [this] {
        refreshFromModel();
        show();
    });
    hide();
    window->Form_Load();
}

} // namespace banner_editor
