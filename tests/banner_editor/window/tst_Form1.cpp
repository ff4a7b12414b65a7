// The main window offscreen: its captions and defaults, a user's pass through load, Set All and save,
// and its desktop habits: drops, keys, the question before unsaved changes are lost, remembered places.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "UserActions.h"
#include "banner_editor/UnattendedRun.h"
#include "banner_editor/window/Form1.h"
#include "platform/CommandLine.h"
#include "platform/PathText.h"
#include "support/LayoutBuilder.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

using namespace banner_editor;

class tst_Form1 : public QObject
{
    Q_OBJECT

private slots:
    void captionsAndDefaults();
    void openDialogFiltersMatchAnyCase();
    void loadsTheRememberedLayoutAndSavesEdits();
    void languageListReadsItsField();
    void fileOfAnotherKindIsNamedAndNeverSaved();
    void otherWindowsHideItAndHandBack();
    void dropLoadsAsBrowsingDoes_data();
    void dropLoadsAsBrowsingDoes();
    void closingAsksOnlyWhenSomethingIsUnsaved_data();
    void closingAsksOnlyWhenSomethingIsUnsaved();
    void loadingAnotherLayoutAsksFirst();
    void keysSaveBrowseAndHelp();
    void openDialogStartsWhereItWasLeft();
    void showsTheSampleLayout();

private:
    template <typename T> static T* control(QWidget& window, const char* name)
    {
        auto* c = window.findChild<T*>(QString::fromLatin1(name));
        if (!c)
            qFatal("no control %s", name);
        return c;
    }
};

void tst_Form1::captionsAndDefaults()
{
    test_support::TempFolder folder;
    folder.write("schemes/Ocean.vccs", std::string(" 1 "));
    folder.write("logos/star.tpl", std::string("TPL"));
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);

    QCOMPARE(window.windowTitle(), QStringLiteral("Lorvane"));
    QCOMPARE(control<QPushButton>(window, "cmdFileBrowse")->text(), QStringLiteral("...."));
    QCOMPARE(control<QPushButton>(window, "cmdSave")->text(), QStringLiteral("&Save Changes"));
    QCOMPARE(control<QPushButton>(window, "cmdEditColor")->text(), QStringLiteral("Color Editor And Preview"));
    QCOMPARE(control<QPushButton>(window, "cmdHC")->text(), QStringLiteral("Hardcore Manual Text Editor"));
    const char* setAll[] = {"Set All", "Set All", "Set", "Set", "Set All"};
    for (int i = 0; i < 5; ++i)
        QCOMPARE(control<QPushButton>(window, qPrintable(QStringLiteral("cmdSetAll%1").arg(i)))->text(),
                 QString::fromLatin1(setAll[i]));
    QCOMPARE(control<QLineEdit>(window, "txtPad")->text(), QStringLiteral("12000"));
    QCOMPARE(control<QLineEdit>(window, "txtPlayers")->toolTip(),
             QStringLiteral("No Dashes!!  (E.g.  Type \"2\" for \"1-2\")"));
    QCOMPARE(control<QLabel>(window, "lblPlayersHint")->text(), control<QLineEdit>(window, "txtPlayers")->toolTip());
    QVERIFY(
        control<QLineEdit>(window, "txtName")->font().families().contains(QStringLiteral("Wii NTLG PGothic Regular")));

    auto* force = control<QComboBox>(window, "cmbForce");
    QCOMPARE(force->count(), 8);
    QCOMPARE(force->itemText(0), QStringLiteral("ENG"));
    QCOMPARE(force->currentText(), QStringLiteral("NONE"));
    auto* schemes = control<QComboBox>(window, "cmbFileList");
    QCOMPARE(schemes->count(), 2);
    QCOMPARE(schemes->currentText(), QStringLiteral("Current Brlyt"));
    QCOMPARE(schemes->itemText(1), QStringLiteral("Ocean"));
    auto* logos = control<QComboBox>(window, "cmbLogo");
    QCOMPARE(logos->currentText(), QStringLiteral("Current Logo"));
    QCOMPARE(logos->itemText(1), QStringLiteral("star.tpl"));
    QCOMPARE(window.findChild<QGroupBox*>()->title(), QStringLiteral("Game Info"));
}

void tst_Form1::openDialogFiltersMatchAnyCase()
{
    // Each filter: the caption the dialog shows, then the patterns it applies (hidden).
    const QStringList filters = Form1::openFilters();
    QCOMPARE(filters.size(), 2);
    const auto caption = [](const QString& filter) { return filter.left(filter.lastIndexOf(QLatin1String(" ("))); };
    const auto matches = [](const QString& filter, const QString& name) {
        const QString patterns = filter.mid(filter.lastIndexOf(QLatin1Char('(')) + 1).chopped(1);
        return QDir::match(patterns.split(QLatin1Char(' ')), name);
    };
    QCOMPARE(caption(filters[0]), QStringLiteral("Brlyt Files (*.brlyt)"));
    QCOMPARE(caption(filters[1]), QStringLiteral("All Files (*.*)"));
    QVERIFY(matches(filters[0], QStringLiteral("banner.brlyt")));
    QVERIFY(matches(filters[0], QStringLiteral("BANNER.BRLYT")));
    QVERIFY(!matches(filters[0], QStringLiteral("banner.brlan")));
    QVERIFY(matches(filters[1], QStringLiteral("banner")));
}

void tst_Form1::loadsTheRememberedLayoutAndSavesEdits()
{
    test_support::TempFolder folder;
    const auto layout = folder.write("games/t/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    folder.write("cfgs/vcinfopath.cfg", std::string("\\games\\t\\banner.brlyt\r\n"));
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);
    QCOMPARE(control<QLineEdit>(window, "txtSrc")->text(), QStringLiteral("\\games\\t\\banner.brlyt"));
    QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("Star Voyage^Adventure"));
    QCOMPARE(control<QLineEdit>(window, "txtSystem")->text(), QStringLiteral("NES"));

    auto* name = control<QLineEdit>(window, "txtName");
    name->selectAll();
    QTest::keyClicks(name, QStringLiteral("Moon"));
    QTest::mouseClick(control<QPushButton>(window, "cmdSetAll0"), Qt::LeftButton);
    auto* pad = control<QLineEdit>(window, "txtPad");
    pad->selectAll();
    QTest::keyClicks(pad, QStringLiteral("+8"));

    QTest::mouseClick(control<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    QCOMPARE(sink.messages.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(sink.messages[0].prompt), QStringLiteral("File Successfully Saved!"));
    const auto saved = test_support::readAll(layout);
    QCOMPARE(saved.size(), std::size_t{platform::readBe32(saved, 8)} + 8);
    QVERIFY(Get_Txt1_Text(saved, "T_VCTitle_NED") == u"Moon");
    QCOMPARE(name->text(), QStringLiteral("Moon"));
}

void tst_Form1::languageListReadsItsField()
{
    test_support::TempFolder folder;
    const auto layout = folder.write("games/t/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);
    auto* src = control<QLineEdit>(window, "txtSrc");
    QTest::keyClicks(src, QString::fromStdString(layout.string()));
    QCOMPARE(control<QLineEdit>(window, "txtYear")->text(), QStringLiteral("1986"));

    auto* titles = control<QComboBox>(window, "cmbRegion0");
    QCOMPARE(titles->currentText(), QStringLiteral("ENG"));
    titles->setCurrentIndex(1);
    emit titles->activated(1);
    QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("Sternenfahrt^Abenteuer"));
    // A path that names nothing leaves the fields as they are.
    QTest::keyClicks(src, QStringLiteral("x"));
    QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("Sternenfahrt^Abenteuer"));
    QVERIFY(!model.hasLayout());
}

// Browsing to a file that is not a banner layout: the window names it, the fields keep what they
// showed, and Save writes nothing.
void tst_Form1::fileOfAnotherKindIsNamedAndNeverSaved()
{
    test_support::TempFolder folder;
    const auto layout = folder.write("games/t/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    const auto texture = folder.write("games/timg/logo.tpl", platform::Bytes{0x00, 0x20, 0xAF, 0x30, 0, 0, 0, 0});
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);
    auto* src = control<QLineEdit>(window, "txtSrc");
    src->setText(QString::fromStdString(layout.string()));
    window.txtSrc_Change(src->text());
    QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("Star Voyage^Adventure"));

    src->setText(QString::fromStdString(texture.string()));
    window.txtSrc_Change(src->text());
    QCOMPARE(sink.messages.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(sink.messages[0].prompt),
             QStringLiteral("'%1' is not a banner layout (a layout starts with \"RLYT\")")
                 .arg(QString::fromStdString(texture.string())));
    QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("Star Voyage^Adventure"));

    QTest::mouseClick(control<QPushButton>(window, "cmdSave"), Qt::LeftButton);
    QCOMPARE(sink.messages.size(), std::size_t{2});
    QVERIFY(sink.messages[1].prompt.find("Nothing was saved") != std::string::npos);
    QVERIFY(test_support::readAll(texture) == (platform::Bytes{0x00, 0x20, 0xAF, 0x30, 0, 0, 0, 0}));
    QVERIFY(test_support::readAll(layout) == test_support::LayoutBuilder::vcBanner().build());
}

// The colour window and the manual editor take over while the main window is hidden; closing them
// shows it again with what they changed.
void tst_Form1::otherWindowsHideItAndHandBack()
{
    test_support::TempFolder folder;
    const auto layout = folder.write("games/t/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    folder.write("schemes/Ocean.vccs", std::string(" 1 "));
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);
    window.show();
    QTest::keyClicks(control<QLineEdit>(window, "txtSrc"), QString::fromStdString(layout.string()));

    QTest::mouseClick(control<QPushButton>(window, "cmdHC"), Qt::LeftButton);
    QVERIFY(window.isHidden());
    QWidget* editor = nullptr;
    for (auto* w : QApplication::topLevelWidgets())
        if (w != &window && w->isVisible())
            editor = w;
    QVERIFY(editor);
    Set_Txt1_Text(model.buffer(), "T_VCTitle_ENG", u"Changed");
    editor->close();
    QVERIFY(window.isVisible());
    QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("Changed"));

    QTest::mouseClick(control<QPushButton>(window, "cmdEditColor"), Qt::LeftButton);
    QVERIFY(window.isHidden());
    QWidget* colours = nullptr;
    for (auto* w : QApplication::topLevelWidgets())
        if (w != &window && w->isVisible())
            colours = w;
    QVERIFY(colours);
    colours->findChild<QComboBox*>(QStringLiteral("cmbFileList"))->setCurrentIndex(1);
    colours->close();
    QVERIFY(window.isVisible());
    QCOMPARE(control<QComboBox>(window, "cmbFileList")->currentText(), QStringLiteral("Ocean"));
    QCOMPARE(model.schemeSelection, 1);
}

namespace {

QString fileText(const std::filesystem::path& path)
{
    const platform::Bytes bytes = test_support::readAll(path);
    return QString::fromUtf8(reinterpret_cast<const char*>(bytes.data()), qsizetype(bytes.size()));
}

// How a test changes the loaded layout before closing the window.
enum class Change { Nothing, SetAll, TypedOnly, ManualEditor };

} // namespace

Q_DECLARE_METATYPE(Change)

// A layout dropped onto the path field, onto the window or onto a part of it that takes no drops of
// its own loads as if browsed: the field reads the "\\" form inside the program folder, the fields
// fill, and the path is remembered as the last layout.
void tst_Form1::dropLoadsAsBrowsingDoes_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("insideProgramFolder");
    QTest::newRow("path field") << "txtSrc" << true;
    QTest::newRow("window") << "" << true;
    QTest::newRow("game info frame") << "fraFields" << true;
    QTest::newRow("outside the program folder") << "" << false;
}

void tst_Form1::dropLoadsAsBrowsingDoes()
{
    QFETCH(QString, target);
    QFETCH(bool, insideProgramFolder);
    test_support::TempFolder folder, elsewhere;
    const auto& home = insideProgramFolder ? folder : elsewhere;
    const auto layout = home.write("games/t/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);
    QWidget* onto = target.isEmpty() ? &window : window.findChild<QWidget*>(target);
    QVERIFY(onto);

    QVERIFY(test_support::dropPath(onto, layout));
    const QString shown =
        insideProgramFolder ? QStringLiteral("\\games\\t\\banner.brlyt") : platform::pathToQString(layout);
    QCOMPARE(control<QLineEdit>(window, "txtSrc")->text(), shown);
    QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("Star Voyage^Adventure"));
    QCOMPARE(fileText(folder / "cfgs/vcinfopath.cfg"), shown + QStringLiteral("\r\n"));
    QVERIFY(sink.messages.empty());
}

namespace {

void makeChange(Form1& window, Change change)
{
    auto* name = window.findChild<QLineEdit*>(QStringLiteral("txtName"));
    switch (change) {
    case Change::Nothing:
        break;
    case Change::SetAll:
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Moon"));
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdSetAll0")), Qt::LeftButton);
        break;
    case Change::TypedOnly:
        name->selectAll();
        QTest::keyClicks(name, QStringLiteral("Moon"));
        break;
    case Change::ManualEditor: {
        // The manual editor writes the system pane, and Esc closes it back to the main window.
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("cmdHC")), Qt::LeftButton);
        QWidget* editor = nullptr;
        for (auto* w : QApplication::topLevelWidgets())
            if (w->objectName() == QStringLiteral("frmHC") && w->isVisible())
                editor = w;
        QVERIFY(editor);
        auto* panes = editor->findChild<QComboBox*>(QStringLiteral("cmbHC"));
        panes->setCurrentIndex(panes->findText(QStringLiteral("T_PF")));
        auto* value = editor->findChild<QLineEdit*>(QStringLiteral("txtHC"));
        value->selectAll();
        QTest::keyClicks(value, QStringLiteral("Moon"));
        QTest::keyClick(value, Qt::Key_Return);
        const QPointer<QWidget> open(editor);
        test_support::pressInWindow(*editor, Qt::Key_Escape);
        QVERIFY(!open || !open->isVisible());
        QVERIFY(window.isVisible());
        break;
    }
    }
}

} // namespace

void tst_Form1::closingAsksOnlyWhenSomethingIsUnsaved_data()
{
    QTest::addColumn<Change>("change");
    QTest::addColumn<QMessageBox::StandardButton>("answer");
    QTest::addColumn<bool>("asked");
    QTest::addColumn<bool>("closes");
    QTest::addColumn<QString>("savedPane"); // the pane that holds "Moon" afterwards, or ""
    QTest::newRow("nothing changed") << Change::Nothing << QMessageBox::Cancel << false << true << "";
    QTest::newRow("Set All, Cancel") << Change::SetAll << QMessageBox::Cancel << true << false << "";
    QTest::newRow("Set All, Discard") << Change::SetAll << QMessageBox::Discard << true << true << "";
    QTest::newRow("Set All, Save") << Change::SetAll << QMessageBox::Save << true << true << "T_VCTitle_GER";
    QTest::newRow("typed, Save") << Change::TypedOnly << QMessageBox::Save << true << true << "T_VCTitle_ENG";
    QTest::newRow("typed, Cancel") << Change::TypedOnly << QMessageBox::Cancel << true << false << "";
    QTest::newRow("manual editor, Save") << Change::ManualEditor << QMessageBox::Save << true << true << "T_PF";
}

void tst_Form1::closingAsksOnlyWhenSomethingIsUnsaved()
{
    QFETCH(Change, change);
    QFETCH(QMessageBox::StandardButton, answer);
    QFETCH(bool, asked);
    QFETCH(bool, closes);
    QFETCH(QString, savedPane);
    test_support::TempFolder folder;
    const platform::Bytes original = test_support::LayoutBuilder::vcBanner().build();
    const auto layout = folder.write("games/t/banner.brlyt", original);
    folder.write("cfgs/vcinfopath.cfg", std::string("\\games\\t\\banner.brlyt\r\n"));
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);
    window.show();
    makeChange(window, change);

    bool closed = false;
    const QString question = test_support::answeringBoxes(answer, [&] { closed = window.close(); });
    QCOMPARE(question, asked ? QStringLiteral("Save changes to banner.brlyt?") : QString());
    QCOMPARE(closed, closes);
    QCOMPARE(window.isVisible(), !closes);
    const platform::Bytes saved = test_support::readAll(layout);
    if (savedPane.isEmpty()) {
        QVERIFY(saved == original);
        QVERIFY(sink.messages.empty());
    } else {
        QVERIFY(Get_Txt1_Text(saved, savedPane.toStdString()) == u"Moon");
        QVERIFY(Get_Txt1_Text(saved, "T_VCTitle_ITA") ==
                (change == Change::SetAll ? u"Moon" : u"Viaggio stellare^Avventura"));
        QCOMPARE(sink.messages.back().prompt, std::string("File Successfully Saved!"));
    }
    // A window kept open still holds the change, and asks again.
    if (!closes)
        QVERIFY(!test_support::answeringBoxes(QMessageBox::Discard, [&] { QVERIFY(window.close()); }).isEmpty());
}

// Loading another layout (typed, dropped or browsed) empties the buffer: with unsaved changes it asks
// first; Cancel keeps the layout, its changes and the path field, Discard loads the other one.
void tst_Form1::loadingAnotherLayoutAsksFirst()
{
    test_support::TempFolder folder;
    const platform::Bytes original = test_support::LayoutBuilder::vcBanner().build();
    const auto first = folder.write("games/a/banner.brlyt", original);
    auto otherBuilder = test_support::LayoutBuilder::vcBanner();
    otherBuilder.textPane("T_VCTitle_ENG")->text = u"Other";
    const auto other = folder.write("games/b/banner.brlyt", otherBuilder.build());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);
    QVERIFY(test_support::dropPath(&window, first));
    makeChange(window, Change::SetAll);

    auto* src = control<QLineEdit>(window, "txtSrc");
    QCOMPARE(test_support::answeringBoxes(QMessageBox::Cancel, [&] { QTest::keyClicks(src, QStringLiteral("x")); }),
             QStringLiteral("Save changes to banner.brlyt?"));
    QCOMPARE(src->text(), QStringLiteral("\\games\\a\\banner.brlyt"));
    QVERIFY(Get_Txt1_Text(model.buffer(), "T_VCTitle_GER") == u"Moon");
    QVERIFY(
        !test_support::answeringBoxes(QMessageBox::Cancel, [&] { test_support::dropPath(&window, other); }).isEmpty());
    QCOMPARE(src->text(), QStringLiteral("\\games\\a\\banner.brlyt"));

    QVERIFY(
        !test_support::answeringBoxes(QMessageBox::Discard, [&] { test_support::dropPath(&window, other); }).isEmpty());
    QCOMPARE(src->text(), QStringLiteral("\\games\\b\\banner.brlyt"));
    QCOMPARE(control<QLineEdit>(window, "txtName")->text(), QStringLiteral("Other"));
    QVERIFY(test_support::readAll(first) == original);
    QVERIFY(sink.messages.empty());
}

// Ctrl+S clicks Save Changes, Ctrl+O opens the layout dialog, F1 names the program and its version.
void tst_Form1::keysSaveBrowseAndHelp()
{
    test_support::TempFolder folder;
    folder.write("games/t/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    folder.write("cfgs/vcinfopath.cfg", std::string("\\games\\t\\banner.brlyt\r\n"));
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);

    test_support::pressInWindow(window, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(sink.messages.size(), std::size_t(1));
    QCOMPARE(sink.messages[0].prompt, std::string("File Successfully Saved!"));

    QString dialogFolder;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        dialogFolder = dialog->directory().absolutePath();
        dialog->reject();
    });
    test_support::pressInWindow(window, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(dialogFolder, platform::pathToQString(folder / "games/t"));

    const QString help =
        test_support::answeringBoxes(QMessageBox::Ok, [&] { test_support::pressInWindow(window, Qt::Key_F1); });
    QVERIFY2(help.startsWith(QStringLiteral("Lorvane ") + QString::fromLatin1(platform::suiteVersion())),
             qPrintable(help));
}

// The open dialog's folder is remembered in the program folder between runs; an unattended run
// changes only the last layout, as the window's own loads do.
void tst_Form1::openDialogStartsWhereItWasLeft()
{
    test_support::TempFolder folder;
    const auto layout = folder.write("games/b/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    const auto other = folder.write("games/a/banner.brlyt", test_support::LayoutBuilder::vcBanner().build());
    const auto answerDialog = [](const std::filesystem::path& choose, QString* startedIn) {
        QTimer::singleShot(0, [choose, startedIn] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            *startedIn = dialog->directory().absolutePath();
            if (choose.empty())
                return dialog->reject();
            dialog->setDirectory(platform::pathToQString(choose.parent_path()));
            dialog->selectFile(platform::pathToQString(choose));
            static_cast<QDialog*>(dialog)->accept();
        });
    };
    test_support::RecordingSink sink("Lorvane");
    QString startedIn;
    {
        BannerModel model(sink, folder.path());
        Form1 window(model);
        answerDialog(layout, &startedIn);
        window.cmdFileBrowse_Click();
        QCOMPARE(control<QLineEdit>(window, "txtSrc")->text(), QStringLiteral("\\games\\b\\banner.brlyt"));
    }
    // The last layout is gone: the dialog starts where it was left.
    std::filesystem::remove(layout);
    {
        BannerModel model(sink, folder.path());
        Form1 window(model);
        QVERIFY(!model.hasLayout());
        answerDialog({}, &startedIn);
        window.cmdFileBrowse_Click();
        QCOMPARE(startedIn, platform::pathToQString(folder / "games/b"));
    }
    const platform::Bytes remembered = test_support::readAll(folder / "cfgs/Lorvane.cfg");
    QVERIFY(!remembered.empty());
    BannerModel unattended(sink, folder.path());
    QCOMPARE(runUnattended(unattended, {platform::pathToQString(other).toStdString(), "-TITLE", "Moon"}), 0);
    QVERIFY(test_support::readAll(folder / "cfgs/Lorvane.cfg") == remembered);
    QCOMPARE(fileText(folder / "cfgs/vcinfopath.cfg"), platform::pathToQString(other) + QStringLiteral("\r\n"));
}

// The sample layout of the source tree in the window; with LORVANE_SCREENSHOTS set (by
// scripts/screenshots-lorvane) the window is saved there for a look.
void tst_Form1::showsTheSampleLayout()
{
    const auto sample = std::filesystem::path(SUITE_SOURCE_DIR) / "samples" / "layouts" / "vc_banner.brlyt";
    if (!std::filesystem::exists(sample))
        QSKIP("the sample layout is not in the source tree");
    test_support::TempFolder folder;
    const auto layout = folder.write("games/sample/banner.brlyt", test_support::readAll(sample));
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, folder.path());
    Form1 window(model);
    QVERIFY(test_support::dropPath(&window, layout));
    QVERIFY(!control<QLineEdit>(window, "txtName")->text().isEmpty());
    QVERIFY(!control<QLineEdit>(window, "txtSystem")->text().isEmpty());
    QVERIFY(!model.hasUnsavedChanges());
    if (const QString shots = qEnvironmentVariable("LORVANE_SCREENSHOTS"); !shots.isEmpty()) {
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(window.grab().save(shots + QStringLiteral("/Form1.png")));
    }
}

QTEST_MAIN(tst_Form1)
#include "tst_Form1.moc"
