#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "banner_editor/LayoutBuffer.h"
#include "banner_editor/window/frmHC.h"
#include "platform/PathText.h"
#include "support/LayoutBuilder.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

using namespace banner_editor;
using test_support::LayoutBuilder;
using test_support::TempFolder;

class tst_frmHC : public QObject
{
    Q_OBJECT

private slots:
    void listsEveryTextPaneInFileOrder();
    void readsByExactNameAndSetsByPrefix();
    void closingRefreshesTheMainWindowsFields();
    void showsTheSampleLayoutsPanes();
};

void tst_frmHC::listsEveryTextPaneInFileOrder()
{
    TempFolder program;
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    model.buffer() = LayoutBuilder::vcBanner({"ENG", "GER"}).build();
    frmHC w(model);
    w.Form_Load();
    QStringList names;
    for (int i = 0; i < w.cmbHC->count(); ++i)
        names << w.cmbHC->itemText(i);
    QCOMPARE(names, (QStringList{"T_VCTitle_ENG", "T_Year_ENG", "T_Play_ENG", "T_ESRB_ENG", "T_VCTitle_GER",
                                 "T_Year_GER", "T_Play_GER", "T_ESRB_GER", "T_PF"}));
    QCOMPARE(w.cmbHC->currentIndex(), 0);
    QCOMPARE(w.txtHC->text(), QString::fromStdU16String(Get_Txt1_Text(model.buffer(), "T_VCTitle_ENG")));

    // A layout without text panes gives an empty list, and Set does nothing.
    model.buffer() = LayoutBuilder{}.build();
    const platform::Bytes before = model.buffer();
    w.Form_Load();
    QCOMPARE(w.cmbHC->count(), 0);
    QVERIFY(w.txtHC->text().isEmpty());
    w.txtHC->setText(QStringLiteral("x"));
    w.cmdSet_Click();
    QVERIFY(model.buffer() == before);
}

void tst_frmHC::readsByExactNameAndSetsByPrefix()
{
    TempFolder program;
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    LayoutBuilder layout = LayoutBuilder::vcBanner({"ENG"});
    layout.textPanes.insert(layout.textPanes.begin(), [] {
        test_support::LayoutTextPane pane;
        pane.name = "T_Year";
        pane.text = u"Released: 1977";
        return pane;
    }());
    model.buffer() = layout.build();
    frmHC w(model);
    w.Form_Load();
    QCOMPARE(w.cmbHC->itemText(0), QStringLiteral("T_Year"));
    QCOMPARE(w.txtHC->text(), QStringLiteral("Released: 1977")); // exact name: not T_Year_ENG's text

    w.cmbHC->setCurrentIndex(2); // T_Year_ENG
    QCOMPARE(w.txtHC->text(), QStringLiteral("Released: 1986"));

    // "Set" on T_Year writes the last pane whose name begins with T_Year.
    w.cmbHC->setCurrentIndex(0);
    w.txtHC->setText(QStringLiteral("Year^2000"));
    QTest::mouseClick(w.cmdSet, Qt::LeftButton);
    QVERIFY(Get_Txt1_Text(model.buffer(), "T_Year_ENG") == u"Year^2000");
    QVERIFY(Get_Txt1_Text(model.buffer(), "T_Year") == u"Released: 1977");

    // An empty value changes nothing.
    const platform::Bytes before = model.buffer();
    w.cmbHC->setCurrentIndex(1);
    w.txtHC->clear();
    w.cmdSet_Click();
    QVERIFY(model.buffer() == before);
}

void tst_frmHC::closingRefreshesTheMainWindowsFields()
{
    TempFolder program;
    program.write("banner/game.brlyt", LayoutBuilder::vcBanner({"ENG"}).build());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    QVERIFY(model.setPath(u"\\banner\\game.brlyt").ok());
    QCOMPARE(model.regionItem(TitleList), std::string("ENG"));

    frmHC w(model);
    QSignalSpy closed(&w, &frmHC::closed);
    w.Form_Load();
    w.cmbHC->setCurrentIndex(w.cmbHC->findText(QStringLiteral("T_VCTitle_ENG")));
    w.txtHC->setText(QStringLiteral("New^Title"));
    w.cmdSet_Click();
    w.cmbHC->setCurrentIndex(w.cmbHC->findText(QStringLiteral("T_PF")));
    w.txtHC->setText(QStringLiteral("SNES"));
    w.cmdSet_Click();
    QVERIFY(model.txtName != u"New^Title"); // the main window's fields change only on close

    w.close();
    QCOMPARE(closed.count(), 1);
    QVERIFY(model.txtName == u"New^Title");
    QVERIFY(model.txtSystem == u"SNES");
}

void tst_frmHC::showsTheSampleLayoutsPanes()
{
    const auto sample = std::filesystem::path(SUITE_SOURCE_DIR) / "samples" / "layouts" / "vc_banner.brlyt";
    if (!std::filesystem::exists(sample))
        QSKIP("the sample layout is not in the source tree");
    TempFolder program;
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    QVERIFY(model.setPath(platform::pathToText(sample)).ok());
    frmHC w(model);
    w.Form_Load();
    QVERIFY(w.cmbHC->findText(QStringLiteral("T_PF")) >= 0);
    w.cmbHC->setCurrentIndex(w.cmbHC->findText(QStringLiteral("T_VCTitle_ENG")));
    QVERIFY(w.txtHC->text() == QString::fromStdU16String(model.txtName));
    if (const QString shots = qEnvironmentVariable("LORVANE_SCREENSHOTS"); !shots.isEmpty())
        w.grab().save(shots + QStringLiteral("/frmHC.png"));
}

QTEST_MAIN(tst_frmHC)
#include "tst_frmHC.moc"
