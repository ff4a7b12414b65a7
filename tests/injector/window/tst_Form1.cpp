// Stavik's window: field layout per console, the title boxes and the preview, the dialog filters, and
// its desktop habits: drops, keys, what it remembers between runs.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "injector/UnattendedRun.h"
#include "injector/window/Form1.h"
#include "platform/MessageBoxSink.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "support/InjectorTitleBuilders.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

using namespace injector;

class tst_Form1 : public QObject
{
    Q_OBJECT

private slots:
    void startsWithNothingChosen();
    void consoleChoiceLaysOutTheFields();
    void typingUpdatesSlotAndPreview();
    void setAllCopiesTheEditingBox();
    void dialogFiltersMatchWithoutCase();
    void browsedFolderIsShownRelativeAndLoaded();
    void failedInjectionShowsItsWholeTitle();
    void dropsFillThePathBoxesAsBrowsing_data();
    void dropsFillThePathBoxesAsBrowsing();
    void ctrlSInjects();
    void remembersTheLastRunButNotUnattendedOnes();
    void screenshot();

private:
    test_support::TempFolder m_folder;
    test_support::RecordingSink m_sink{"Stavik"};
};

void tst_Form1::startsWithNothingChosen()
{
    InjectorModel model(m_sink, m_folder.path(), false);
    Form1 form(model);
    QCOMPARE(form.windowTitle(), QStringLiteral("Stavik"));
    QCOMPARE(form.cmbCon()->currentIndex(), -1);
    QCOMPARE(form.cmbCon()->count(), 9);
    QCOMPARE(form.cmbCon()->itemText(4), QStringLiteral("Genesis/ Mega Drive"));
    QCOMPARE(form.cmbReg()->itemText(6), QStringLiteral("NL"));
    QVERIFY(form.txtDest()->text().isEmpty());
    QCOMPARE(form.cmdInject2()->text(), QStringLiteral("&Inject"));
}

void tst_Form1::consoleChoiceLaysOutTheFields()
{
    InjectorModel model(m_sink, m_folder.path(), false);
    Form1 form(model);
    emit form.cmbCon()->activated(CON_NEOGEO);
    QCOMPARE(form.txtDest()->text(), QStringLiteral("\\banner.bin"));
    QCOMPARE(form.txtTitle(ENGLISH_SLOT)->text(), QStringLiteral("NeoGeo Save"));
    QCOMPARE(form.cmbReg()->currentIndex(), ENGLISH_SLOT);
    for (int i = 0; i < TITLE_SLOTS; ++i) {
        QCOMPARE(form.txtTitle(i)->isHidden(), i != ENGLISH_SLOT);
        QCOMPARE(form.lbltitle(i)->isHidden(), i != ENGLISH_SLOT);
    }
    QVERIFY(!form.lbldesc(1)->isHidden());
    QVERIFY(form.lbldesc(2)->isHidden());
    QCOMPARE(form.lblSumm2()->text(), QStringLiteral("NeoGeo"));

    emit form.cmbCon()->activated(CON_N64);
    for (int i = 0; i < TITLE_SLOTS; ++i)
        QVERIFY(!form.txtTitle(i)->isHidden());
    QVERIFY(form.lbldesc(1)->isHidden());
    QVERIFY(!form.lbldesc(2)->isHidden());
    QCOMPARE(form.txtDest()->text(), QStringLiteral("\\00000005_app_out\\meta\\"));
}

void tst_Form1::typingUpdatesSlotAndPreview()
{
    InjectorModel model(m_sink, m_folder.path(), false);
    Form1 form(model);
    emit form.cmbCon()->activated(CON_C64);
    form.txtTitle(ENGLISH_SLOT)->clear();
    QTest::keyClicks(form.txtTitle(ENGLISH_SLOT), QStringLiteral("The Last Ninja of the Twenty^Second"));
    QCOMPARE(model.title(ENGLISH_SLOT), u"The Last Ninja of the Twenty^Second");
    QCOMPARE(form.lblHover()->text(), QStringLiteral("The Last Ninja of th..."));
    QCOMPARE(form.lblSumm1()->text(), QStringLiteral("The Last Ninja of the Twenty"));
    QCOMPARE(form.lblSumm2()->text(), QStringLiteral("Second"));
}

void tst_Form1::setAllCopiesTheEditingBox()
{
    InjectorModel model(m_sink, m_folder.path(), false);
    Form1 form(model);
    emit form.cmbCon()->activated(CON_GENESIS);
    emit form.cmbReg()->activated(2);
    QCOMPARE(form.txttmpTitle()->text(), QString());
    QTest::keyClicks(form.txttmpTitle(), QStringLiteral("Streets of Rage"));
    QTest::mouseClick(form.cmdSet(), Qt::LeftButton);
    QCOMPARE(form.txtTitle(2)->text(), QStringLiteral("Streets of Rage"));
    QCOMPARE(form.txtTitle(ENGLISH_SLOT)->text(), QStringLiteral("Genesis Save"));
    QTest::mouseClick(form.cmdSETall(), Qt::LeftButton);
    for (int i = 0; i < TITLE_SLOTS; ++i)
        QCOMPARE(form.txtTitle(i)->text(), QStringLiteral("Streets of Rage"));
}

void tst_Form1::dialogFiltersMatchWithoutCase()
{
    QCOMPARE(Form1::dialogFilter(u"All Files (*.*)|*.*"), QStringLiteral("All Files (*.*) (*)"));
    QCOMPARE(Form1::dialogFilter(destinationFilter(CON_TG16)),
             QStringLiteral("TG TITLE.txt (TITLE.txt) ([tT][iI][tT][lL][eE].[tT][xX][tT]);;All Files (*.*) (*)"));

    // The dialog lists the descriptions as written, without the patterns behind them; a lower-case
    // title.txt is offered.
    m_folder.write("tg/title.txt", test_support::utf16TextFile({u"Old", u"JP:x"}));
    InjectorModel model(m_sink, m_folder.path(), false);
    Form1 form(model);
    emit form.cmbCon()->activated(CON_TG16);
    model.setDestination(platform::pathToText(m_folder / "tg/title.txt"));
    QStringList types;
    QStringList offered;
    QTimer::singleShot(0, [&types, &offered] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        if (auto* list = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
            for (int i = 0; i < list->count(); ++i)
                types << list->itemText(i);
        QTest::qWait(200); // the folder is listed in the background
        if (auto* view = dialog->findChild<QAbstractItemView*>(QStringLiteral("listView"))) {
            const QModelIndex root = view->rootIndex();
            for (int i = 0; i < view->model()->rowCount(root); ++i)
                offered << view->model()->index(i, 0, root).data().toString();
        }
        dialog->reject();
    });
    QTest::mouseClick(form.cmdFolderBrowse(), Qt::LeftButton);
    QCOMPARE(types, (QStringList{QStringLiteral("TG TITLE.txt (TITLE.txt)"), QStringLiteral("All Files (*.*)")}));
    QVERIFY2(offered.contains(QStringLiteral("title.txt")), qPrintable(offered.join(u',')));
}

void tst_Form1::browsedFolderIsShownRelativeAndLoaded()
{
    const auto meta = m_folder / "games/wave/meta";
    m_folder.write("games/wave/meta/saveComments_saveComments_en.bin", test_support::n64Comment(u"Wave Race", {}));
    InjectorModel model(m_sink, m_folder.path(), false);
    Form1 form(model);
    emit form.cmbCon()->activated(CON_N64);
    // Answer the folder picker as a user would: choose the folder, press Choose.
    QTimer::singleShot(0, [&meta] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialog->setDirectory(QString::fromStdString(meta.parent_path().string()));
        dialog->selectFile(QString::fromStdString(meta.string()));
        static_cast<QDialog*>(dialog)->accept();
    });
    QTest::mouseClick(form.cmdFolderBrowse(), Qt::LeftButton);
    QCOMPARE(form.txtDest()->text(), QStringLiteral("\\games\\wave\\meta\\"));
    QCOMPARE(form.txtTitle(ENGLISH_SLOT)->text(), QStringLiteral("Wave Race"));

    // A cancelled picker keeps what the box held.
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });
    QTest::mouseClick(form.cmdFolderBrowse(), Qt::LeftButton);
    QCOMPARE(form.txtDest()->text(), QStringLiteral("\\games\\wave\\meta\\"));
}

// Inject with nothing at the NeoGeo defaults: the fixed message in a plain box that says where it
// looked, wide enough that a window manager need not shorten its title.
void tst_Form1::failedInjectionShowsItsWholeTitle()
{
    platform::MessageBoxSink boxes(nullptr, "Stavik");
    InjectorModel model(boxes, m_folder.path(), false);
    Form1 form(model);
    boxes.setParent(&form);
    emit form.cmbCon()->activated(CON_NEOGEO);
    QString title, text;
    int icon = -1, width = 0, titleWidth = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        QFont bold = box->font();
        bold.setBold(true);
        titleWidth = QFontMetrics(bold).horizontalAdvance(title);
        width = box->width();
        box->accept();
    });
    QTest::mouseClick(form.cmdInject2(), Qt::LeftButton);
    QCOMPARE(title, QStringLiteral("Invalid Destination!"));
    QCOMPARE(text, QStringLiteral("banner.bin not found!\nLooked for '") +
                       platform::pathToQString(m_folder / "banner.bin") + QStringLiteral("'."));
    QCOMPARE(icon, int(QMessageBox::NoIcon));
    QVERIFY2(width >= titleWidth + 120, qPrintable(QString::number(width)));
}

// A file or folder dropped onto a path box fills it as its browse button would, in the program
// folder's "\\" form, and a destination loads its titles; one dropped onto the window is the
// destination. A WTE source and an N64 destination are folders: a file stands for its folder.
void tst_Form1::dropsFillThePathBoxesAsBrowsing_data()
{
    QTest::addColumn<int>("console");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("dropped");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("englishTitle"); // loaded from a dropped destination
    const auto row = [](const char* name, int console, const char* target, const char* dropped, const char* shown,
                        const char* title) { QTest::newRow(name) << console << target << dropped << shown << title; };
    row("N64 folder onto the destination", CON_N64, "destination", "games/wave/meta", "\\games\\wave\\meta\\",
        "Wave Race");
    row("N64 save comment onto the window", CON_N64, "window", "games/wave/meta/saveComments_saveComments_en.bin",
        "\\games\\wave\\meta\\", "Wave Race");
    row("TG16 title file onto the window", CON_TG16, "window", "games/pce/TITLE.TXT", "\\games\\pce\\TITLE.TXT",
        "Bonk");
    row("WTE file onto the Genesis source", CON_GENESIS, "source", "wte/01.wte", "\\wte\\", "Genesis Save");
}

void tst_Form1::dropsFillThePathBoxesAsBrowsing()
{
    QFETCH(int, console);
    QFETCH(QString, target);
    QFETCH(QString, dropped);
    QFETCH(QString, shown);
    QFETCH(QString, englishTitle);
    test_support::TempFolder folder;
    folder.write("games/wave/meta/saveComments_saveComments_en.bin", test_support::n64Comment(u"Wave Race", {}));
    folder.write("games/pce/TITLE.TXT", test_support::utf16TextFile({u"Bonk", u"JP:x"}));
    folder.write("wte/01.wte", test_support::wte(8, 8, 64, 1));
    InjectorModel model(m_sink, folder.path(), false);
    Form1 form(model);
    emit form.cmbCon()->activated(console);

    QWidget* onto = target == QLatin1String("source")        ? static_cast<QWidget*>(form.txtSource())
                    : target == QLatin1String("destination") ? static_cast<QWidget*>(form.txtDest())
                                                             : &form;
    QVERIFY(test_support::dropPath(onto, folder / dropped.toStdString()));
    QCOMPARE((target == QLatin1String("source") ? form.txtSource() : form.txtDest())->text(), shown);
    QCOMPARE(platform::toQString(target == QLatin1String("source") ? model.source() : model.destination()), shown);
    QCOMPARE(form.txtTitle(ENGLISH_SLOT)->text(), englishTitle);
}

// Ctrl+S runs Inject: here the NeoGeo defaults, with nothing there.
void tst_Form1::ctrlSInjects()
{
    test_support::TempFolder folder;
    test_support::RecordingSink sink("Stavik");
    InjectorModel model(sink, folder.path(), false);
    Form1 form(model);
    emit form.cmbCon()->activated(CON_NEOGEO);
    test_support::pressInWindow(form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(sink.messages.size(), std::size_t(1));
    QCOMPARE(sink.messages[0].title, std::string("Invalid Destination!"));
}

// Closing the window remembers the console and the paths in the program folder; the next window starts
// with them and loads the titles the destination holds now. An unattended run changes none of it.
void tst_Form1::remembersTheLastRunButNotUnattendedOnes()
{
    test_support::TempFolder folder;
    const auto titleFile = folder.write("games/pce/TITLE.TXT", test_support::utf16TextFile({u"Bonk", u"JP:x"}));
    {
        InjectorModel model(m_sink, folder.path(), false);
        Form1 form(model);
        QCOMPARE(form.cmbCon()->currentIndex(), -1); // nothing remembered yet
        emit form.cmbCon()->activated(CON_TG16);
        QVERIFY(test_support::dropPath(&form, titleFile));
        form.txtSource()->setText(QStringLiteral("\\art\\savedata.tpl"));
        emit form.txtSource()->textEdited(form.txtSource()->text());
        form.show();
        QVERIFY(form.close());
    }
    const platform::Bytes remembered = test_support::readAll(folder / "cfgs/Stavik.cfg");
    QVERIFY(!remembered.empty());

    InjectorModel unattended(m_sink, folder.path(), true);
    QCOMPARE(runUnattended(unattended, {"-C", "tg16", "-DST", platform::pathToQString(titleFile).toStdString(), "-EN",
                                        "Bonk's Revenge"}),
             0);
    QVERIFY(test_support::readAll(folder / "cfgs/Stavik.cfg") == remembered);

    InjectorModel model(m_sink, folder.path(), false);
    Form1 form(model);
    QCOMPARE(form.cmbCon()->currentIndex(), int(CON_TG16));
    QCOMPARE(form.txtDest()->text(), QStringLiteral("\\games\\pce\\TITLE.TXT"));
    QCOMPARE(form.txtSource()->text(), QStringLiteral("\\art\\savedata.tpl"));
    QCOMPARE(form.txtTitle(ENGLISH_SLOT)->text(), QStringLiteral("Bonk's Revenge"));
    QVERIFY(!form.txtTitle(0)->isHidden()); // the console's field layout
}

// With SUITE_SCREENSHOT set, saves a filled-in window there for a look.
void tst_Form1::screenshot()
{
    const QString target = qEnvironmentVariable("SUITE_SCREENSHOT");
    if (target.isEmpty())
        QSKIP("SUITE_SCREENSHOT not set");
    InjectorModel model(m_sink, m_folder.path(), false);
    Form1 form(model);
    emit form.cmbCon()->activated(qEnvironmentVariableIntValue("SUITE_SCREENSHOT_CONSOLE"));
    form.show();
    const QString japanese = QStringLiteral("ゼルダの伝説");
    form.txtTitle(0)->setText(japanese);
    emit form.txtTitle(0)->textEdited(japanese);
    QTest::keyClicks(form.txttmpTitle(), QStringLiteral("^Adventure of Link"));
    QVERIFY(form.grab().save(target));
}

QTEST_MAIN(tst_Form1)
#include "tst_Form1.moc"
