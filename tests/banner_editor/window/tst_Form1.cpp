// The main window offscreen: its captions and defaults, and a user's pass through load, Set All and save.

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "banner_editor/window/Form1.h"
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

QTEST_MAIN(tst_Form1)
#include "tst_Form1.moc"
