#include "banner_editor/window/frmHC.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "platform/QtText.h"
#include "platform/WindowHabits.h"

namespace banner_editor {
namespace {

const char* const HELP_TEXT =
    "Reads and writes the text of any text pane of the loaded layout.\n\n"
    "Pick a pane under \"Entry Name:\", edit its value (^ stands for a line break) and press Set or "
    "Enter. Set changes the layout in memory only: Save Changes in the main window writes the file, "
    "and the main window asks before such changes would be lost.\n\n"
    "Esc closes the window.";

} // namespace

frmHC::frmHC(BannerModel& model, QWidget* parent) : QWidget(parent, Qt::Window), m_model(model)
{
    setObjectName(QStringLiteral("frmHC"));
    setWindowTitle(QStringLiteral("\"Hardcore\" Manual Text Editor"));

    Label1 = new QLabel(QStringLiteral("Entry Name:"), this);
    cmbHC = new QComboBox(this);
    cmbHC->setObjectName(QStringLiteral("cmbHC"));
    cmbHC->setMinimumWidth(220);
    Label2 = new QLabel(QStringLiteral("Value:"), this);
    txtHC = new QLineEdit(this);
    txtHC->setObjectName(QStringLiteral("txtHC"));
    txtHC->setFont(QFont(QStringLiteral("Wii NTLG PGothic Regular")));
    txtHC->setMinimumWidth(320);
    cmdSet = new QPushButton(QStringLiteral("Set"), this);
    cmdSet->setObjectName(QStringLiteral("cmdSet"));

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cmbHC, 0, 1, 1, 2);
    grid->addWidget(Label2, 1, 0);
    grid->addWidget(txtHC, 1, 1);
    grid->addWidget(cmdSet, 1, 2);
    grid->setColumnStretch(1, 1);

    connect(cmbHC, &QComboBox::currentIndexChanged, this, &frmHC::cmbHC_Click);
    connect(cmdSet, &QPushButton::clicked, this, &frmHC::cmdSet_Click);

    // Enter in the value sets it; Esc closes the window; F1 shows help.
    connect(txtHC, &QLineEdit::returnPressed, this, &frmHC::cmdSet_Click);
    platform::closeOnEscape(this);
    platform::addHelpShortcut(this, m_model.sink().programName(), QString::fromUtf8(HELP_TEXT));
}

void frmHC::Form_Load()
{
    cmbHC->blockSignals(true);
    cmbHC->clear();
    for (const auto& name : m_model.paneNames())
        cmbHC->addItem(QString::fromLatin1(name.data(), qsizetype(name.size())));
    cmbHC->setCurrentIndex(cmbHC->count() > 0 ? 0 : -1);
    cmbHC->blockSignals(false);
    cmbHC_Click();
    show();
}

void frmHC::cmbHC_Click()
{
    if (cmbHC->currentIndex() < 0) {
        txtHC->clear();
        return;
    }
    txtHC->setText(platform::toQString(m_model.paneText(cmbHC->currentText().toLatin1().toStdString())));
}

void frmHC::cmdSet_Click()
{
    if (cmbHC->currentIndex() < 0)
        return;
    const std::string name = cmbHC->currentText().toLatin1().toStdString();
    if (auto set = m_model.setPaneText(name, platform::toU16(txtHC->text())); !set)
        m_model.sink().error(set.error(), platform::MessageIcon::Exclamation);
}

void frmHC::closeEvent(QCloseEvent* event)
{
    m_model.rereadFields();
    event->accept();
    emit closed();
}

} // namespace banner_editor
