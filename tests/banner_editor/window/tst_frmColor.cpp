#include <algorithm>

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include "banner_editor/window/frmColor.h"
#include "platform/PathText.h"
#include "support/LayoutBuilder.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

using namespace banner_editor;
using test_support::LayoutBuilder;
using test_support::TempFolder;

namespace {

ColorScheme plainScheme(std::uint8_t base)
{
    ColorScheme s{};
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = MaterialColors{base, std::uint8_t(i), 0, std::uint8_t(255 - base), 0, std::uint8_t(i)};
    return s;
}

QColor entryColor(const ColorScheme& s, std::string_view entry, int index)
{
    const auto& c = s[schemeEntryIndex(entry)];
    return index == 0 ? QColor(c.r1, c.g1, c.b1) : QColor(c.r2, c.g2, c.b2);
}

// The source tree's folders: shipped data and sample layouts.
std::filesystem::path sourceFolder(const char* sub)
{
    return std::filesystem::path(SUITE_SOURCE_DIR) / sub;
}

// Where to save screenshots of the windows (scripts/screenshots-lorvane sets it), or "".
QString screenshotFolder()
{
    return qEnvironmentVariable("LORVANE_SCREENSHOTS");
}

QColor previewPixel(const frmColor& w, const PreviewRect& r)
{
    return w.previewImage().pixelColor((r.x + r.width / 2) / PREVIEW_UNITS_PER_PIXEL,
                                       (r.y + r.height / 2) / PREVIEW_UNITS_PER_PIXEL);
}

} // namespace

class tst_frmColor : public QObject
{
    Q_OBJECT

private slots:
    void editsOneColourThroughTheSwatch();
    void nonNumbersLeaveTheSwatch();
    void colourDialogFillsTheSwatch();
    void loadsSchemesAndRefusesBrokenOnes();
    void readsCurrentBrlytForTheMainWindowsLanguages();
    void savingASchemeRebuildsBothLists();
    void openingAndClosingHandsTheSelectionOver();
    void previewShowsTheSampleBannerInTheSchemesColours();
    void replacingASchemeAsksFirst();
    void droppedLayoutIsReadAndEscCloses();
};

void tst_frmColor::editsOneColourThroughTheSwatch()
{
    TempFolder program;
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    frmColor w(model);
    w.setColors(plainScheme(10));
    const std::size_t back0 = schemeEntryIndex("Back0");

    QTest::mouseClick(w.colorBoxes[back0][1], Qt::LeftButton);
    QCOMPARE(w.lblEdit->text(), QStringLiteral("Back0 1"));
    QCOMPARE(w.txtR->text(), QStringLiteral("245"));
    QCOMPARE(w.txtG->text(), QStringLiteral("0"));
    QCOMPARE(w.txtB->text(), QString::number(back0));
    QCOMPARE(w.swatchColor(), entryColor(plainScheme(10), "Back0", 1));

    w.txtR->setText(QStringLiteral("1"));
    w.txtG->setText(QStringLiteral("2"));
    w.txtB->setText(QStringLiteral("3"));
    QCOMPARE(w.swatchColor(), QColor(1, 2, 3));
    QCOMPARE(w.boxColor(back0, 1), entryColor(plainScheme(10), "Back0", 1)); // nothing set yet
    QTest::mouseClick(w.cmdColor, Qt::LeftButton);
    QCOMPARE(w.boxColor(back0, 1), QColor(1, 2, 3));
    QCOMPARE(w.boxColor(back0, 0), entryColor(plainScheme(10), "Back0", 0));

    // "Set" on Back1's first colour redraws the band of the preview in it.
    QTest::mouseClick(w.colorBoxes[schemeEntryIndex("Back1")][0], Qt::LeftButton);
    w.txtR->setText(QStringLiteral("200"));
    w.txtG->setText(QStringLiteral("40"));
    w.txtB->setText(QStringLiteral("90"));
    w.cmdColor_Click();
    QCOMPARE(w.previewScene().band.fill, (Rgb{200, 40, 90}));
    QCOMPARE(previewPixel(w, PreviewRect{200 * 15, 185 * 15, 15, 15}), QColor(200, 40, 90));
}

void tst_frmColor::nonNumbersLeaveTheSwatch()
{
    TempFolder program;
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    frmColor w(model);
    w.txtR->setText(QStringLiteral("10"));
    w.txtG->setText(QStringLiteral("20"));
    w.txtB->setText(QStringLiteral("30"));
    QCOMPARE(w.swatchColor(), QColor(10, 20, 30));
    for (const char* typed : {"abc", "", "12x", "256", "-1", "1.5"}) {
        w.txtR->setText(QString::fromLatin1(typed));
        QCOMPARE(w.swatchColor(), QColor(10, 20, 30));
    }
    w.txtR->setText(QStringLiteral(" 40 "));
    QCOMPARE(w.swatchColor(), QColor(40, 20, 30));
    // "Set" without a chosen box changes nothing.
    const ColorScheme before = w.colors();
    w.cmdColor_Click();
    QVERIFY(w.colors() == before);
}

void tst_frmColor::colourDialogFillsTheSwatch()
{
    TempFolder program;
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    frmColor w(model);
    QColor offered;
    w.chooseColor = [&](const QColor& initial) -> std::optional<QColor> {
        offered = initial;
        return QColor(9, 8, 7);
    };
    w.txtR->setText(QStringLiteral("1"));
    w.txtG->setText(QStringLiteral("1"));
    w.txtB->setText(QStringLiteral("1"));
    QTest::mouseClick(w.picClr, Qt::LeftButton);
    QCOMPARE(offered, QColor(1, 1, 1));
    QCOMPARE(w.swatchColor(), QColor(9, 8, 7));
    QCOMPARE(w.txtG->text(), QStringLiteral("8"));

    w.chooseColor = [](const QColor&) -> std::optional<QColor> { return std::nullopt; }; // cancelled
    w.picClr_Click();
    QCOMPARE(w.swatchColor(), QColor(9, 8, 7));
}

void tst_frmColor::loadsSchemesAndRefusesBrokenOnes()
{
    TempFolder program;
    QVERIFY(saveScheme(program.path(), "good", plainScheme(50)).ok());
    program.write("schemes/broken.vccs", std::string(" 1  2  3 \r\n"));
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    frmColor w(model);
    w.RefreshColorList(true);
    QCOMPARE(w.cmbFileList->count(), 3);
    QCOMPARE(w.cmbFileList->itemText(0), QStringLiteral("Current Brlyt"));
    QCOMPARE(w.cmbFileList->itemText(1), QStringLiteral("broken"));

    w.cmbFileList->setCurrentIndex(2);
    w.cmbFileList_Click();
    QVERIFY(w.colors() == plainScheme(50));
    QCOMPARE(w.boxColor(schemeEntryIndex("VCPic"), 1), entryColor(plainScheme(50), "VCPic", 1));
    QCOMPARE(w.previewScene().pictureFrame.fill, (Rgb{205, 0, std::uint8_t(schemeEntryIndex("VCPic"))}));
    QVERIFY(sink.messages.empty());

    w.cmbFileList->setCurrentIndex(1);
    w.cmbFileList_Click();
    QVERIFY(w.colors() == plainScheme(50));
    QCOMPARE(sink.messages.size(), std::size_t(1));
    QVERIFY(sink.messages[0].prompt.find("broken") != std::string::npos);
}

void tst_frmColor::readsCurrentBrlytForTheMainWindowsLanguages()
{
    TempFolder program;
    LayoutBuilder single = LayoutBuilder::vcBannerSingle();
    single.material("T_VCTitle", {1, 2, 3, 255}, {4, 5, 6, 255});
    program.write("single.brlyt", single.build());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    model.setRegion(TitleList, NONE_ITEM);
    frmColor w(model);

    w.txtBannerPath->setText(QStringLiteral("\\single.brlyt"));
    w.cmdGetScheme_Click();
    QVERIFY(sink.messages.empty());
    QCOMPARE(w.boxColor(schemeEntryIndex("T_VCTitle"), 0), QColor(1, 2, 3));
    QCOMPARE(w.boxColor(schemeEntryIndex("T_VCTitle"), 1), QColor(4, 5, 6));
    QCOMPARE(w.previewScene().title.color, (Rgb{4, 5, 6}));

    // A path that names no file: the message, and the colours stay.
    const ColorScheme before = w.colors();
    w.txtBannerPath->setText(QStringLiteral("\\missing.brlyt"));
    w.cmdGetScheme_Click();
    QCOMPARE(sink.messages.size(), std::size_t(1));
    QCOMPARE(sink.messages[0].prompt, std::string("File Not Found!"));
    QVERIFY(w.colors() == before);
}

void tst_frmColor::savingASchemeRebuildsBothLists()
{
    TempFolder program;
    QVERIFY(saveScheme(program.path(), "alpha", plainScheme(1)).ok());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    model.refreshSchemeList();
    frmColor w(model);
    QSignalSpy listChanged(&w, &frmColor::schemeListChanged);
    w.setColors(plainScheme(77));

    w.askText = [](const QString& prompt, const QString& title) {
        return prompt == QStringLiteral("Type a Name for the New Scheme") && title == QStringLiteral("Save Scheme")
                   ? QStringLiteral("beta")
                   : QString();
    };
    w.cmdSaveScheme_Click();
    QCOMPARE(sink.messages.size(), std::size_t(1));
    QCOMPARE(sink.messages[0].prompt, std::string("Color Scheme saved as beta"));
    auto saved = loadScheme(program.path(), "beta");
    QVERIFY(saved.ok());
    QVERIFY(*saved == plainScheme(77));

    QCOMPARE(w.cmbFileList->count(), 3);
    QCOMPARE(w.cmbFileList->itemText(2), QStringLiteral("beta"));
    QCOMPARE(w.cmbFileList->currentIndex(), -1);
    QCOMPARE(model.schemeItems.size(), std::size_t(3));
    QVERIFY(model.schemeItems[2] == u"beta");
    QCOMPARE(model.schemeSelection, -1);
    QCOMPARE(listChanged.count(), 1);

    // A cancelled input box and an unusable name write nothing.
    w.askText = [](const QString&, const QString&) { return QString(); };
    w.cmdSaveScheme_Click();
    w.askText = [](const QString&, const QString&) { return QStringLiteral("../escape"); };
    w.cmdSaveScheme_Click();
    QCOMPARE(sink.messages.size(), std::size_t(2));
    QVERIFY(!std::filesystem::exists(program / "escape.vccs"));
    QCOMPARE(listChanged.count(), 1);
}

void tst_frmColor::openingAndClosingHandsTheSelectionOver()
{
    TempFolder program;
    QVERIFY(saveScheme(program.path(), "alpha", plainScheme(1)).ok());
    QVERIFY(saveScheme(program.path(), "gamma", plainScheme(3)).ok());
    const auto layoutPath = program.write("banner/game.brlyt", LayoutBuilder::vcBanner().build());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    QVERIFY(model.setPath(u"\\banner\\game.brlyt").ok());
    model.refreshSchemeList();
    model.schemeSelection = 2; // "gamma"

    frmColor w(model);
    w.Form_Load();
    QVERIFY(w.isVisible());
    QCOMPARE(w.txtBannerPath->text(), QStringLiteral("\\banner\\game.brlyt"));
    QCOMPARE(w.cmbFileList->currentText(), QStringLiteral("gamma"));
    QVERIFY(w.colors() == plainScheme(3));
    QCOMPARE(w.previewScene().system.text, std::u16string(u"NES")); // the main window's system field

    // Picking "Current Brlyt" reads the layout named in the path field.
    w.cmbFileList->setCurrentIndex(0);
    w.cmbFileList_Click();
    const auto fromLayout = readMaterialColors(model.buffer(), "Back3");
    QVERIFY(fromLayout.has_value());
    QVERIFY(w.colors()[schemeEntryIndex("Back3")] == *fromLayout);

    w.cmbFileList->setCurrentIndex(1);
    QSignalSpy closed(&w, &frmColor::closed);
    model.schemeSelection = 0;
    w.close();
    QCOMPARE(closed.count(), 1);
    QCOMPARE(closed[0][0].toInt(), 1);
    QCOMPARE(model.schemeSelection, 1);
    QVERIFY(model.schemeItems[1] == u"alpha");
    QVERIFY(std::filesystem::exists(layoutPath));
}

void tst_frmColor::previewShowsTheSampleBannerInTheSchemesColours()
{
    const auto sample = sourceFolder("samples") / "layouts" / "vc_banner.brlyt";
    const auto schemes = sourceFolder("data") / "schemes";
    if (!std::filesystem::exists(sample) || !std::filesystem::exists(schemes))
        QSKIP("the sample layout or the shipped schemes are not in the source tree");
    TempFolder program;
    std::filesystem::copy(schemes, program / "schemes");
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    QVERIFY(model.setPath(platform::pathToText(sample)).ok());
    model.refreshSchemeList();
    QVERIFY(model.schemeItems.size() > 6);

    frmColor w(model);
    w.Form_Load(); // "Current Brlyt": the sample's own colours
    const QString shots = screenshotFolder();
    if (!shots.isEmpty()) {
        w.grab().save(shots + QStringLiteral("/frmColor.png"));
        w.previewImage().save(shots + QStringLiteral("/preview-Current Brlyt.png"));
    }
    for (int item = 1; item < w.cmbFileList->count(); ++item) {
        w.cmbFileList->setCurrentIndex(item);
        w.cmbFileList_Click();
        const ColorScheme& c = w.colors();
        const PreviewScene& s = w.previewScene();
        const auto color2 = [&](std::string_view e) { return entryColor(c, e, 1); };
        QCOMPARE(previewPixel(w, PreviewRect{s.band.rect.x + 300 * 15, s.band.rect.y + 10 * 15, 15, 15}),
                 entryColor(c, "Back1", 0));
        QCOMPARE(previewPixel(w, s.secondMask.rect), color2("BackMask2"));
        QCOMPARE(previewPixel(w, s.pictureFrame.rect), color2("VCPic"));
        QCOMPARE(w.previewImage().pixelColor(s.pictureFrame.rect.x / 15, s.pictureFrame.rect.y / 15),
                 entryColor(c, "VCPic", 0));
        QCOMPARE(previewPixel(w, PreviewRect{s.yearLine.rect.x, s.yearLine.rect.y, 15, s.yearLine.rect.height}),
                 color2("YearLine"));
        if (!shots.isEmpty())
            w.previewImage().save(shots + QStringLiteral("/preview-") + w.cmbFileList->currentText() +
                                  QStringLiteral(".png"));
    }
    // The texts are the main window's: the sample's English title, line breaks shown as such.
    QVERIFY(!model.txtName.empty());
    std::u16string title = model.txtName;
    std::replace(title.begin(), title.end(), u'^', u'\n');
    QVERIFY(w.previewScene().title.text == title);
}

// Saving under a name that exists (in any letter case) asks first; No keeps the old scheme.
void tst_frmColor::replacingASchemeAsksFirst()
{
    TempFolder program;
    QVERIFY(saveScheme(program.path(), "alpha", plainScheme(1)).ok());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    frmColor w(model);
    w.setColors(plainScheme(77));
    QString name = QStringLiteral("Alpha");
    w.askText = [&name](const QString&, const QString&) { return name; };

    QCOMPARE(test_support::answeringBoxes(QMessageBox::No, [&] { w.cmdSaveScheme_Click(); }),
             QStringLiteral("A scheme named \"Alpha\" exists already. Replace it?"));
    QVERIFY(sink.messages.empty());
    QVERIFY(*loadScheme(program.path(), "alpha") == plainScheme(1));

    QVERIFY(!test_support::answeringBoxes(QMessageBox::Yes, [&] { w.cmdSaveScheme_Click(); }).isEmpty());
    QVERIFY(*loadScheme(program.path(), "alpha") == plainScheme(77));
    QCOMPARE(schemeNames(program.path()).size(), std::size_t(1)); // replaced, not saved beside it

    name = QStringLiteral("beta"); // a new name is not asked about
    QVERIFY(test_support::answeringBoxes(QMessageBox::No, [&] { w.cmdSaveScheme_Click(); }).isEmpty());
    QVERIFY(loadScheme(program.path(), "beta").ok());
}

// A layout dropped onto the window goes into "Load From brlyt:" in the program folder's "\" form;
// Esc closes the window and hands the selection back.
void tst_frmColor::droppedLayoutIsReadAndEscCloses()
{
    TempFolder program;
    const auto path = program.write("banner/arc/game.brlyt", LayoutBuilder::vcBanner().build());
    test_support::RecordingSink sink("Lorvane");
    BannerModel model(sink, program.path());
    frmColor w(model);
    QSignalSpy closed(&w, &frmColor::closed);
    w.Form_Load();
    QVERIFY(test_support::dropPath(w.cmdGetScheme, path));
    QCOMPARE(w.txtBannerPath->text(), QStringLiteral("\\banner\\arc\\game.brlyt"));
    test_support::pressInWindow(w, Qt::Key_Escape);
    QVERIFY(!w.isVisible());
    QCOMPARE(closed.count(), 1);
}

QTEST_MAIN(tst_frmColor)
#include "tst_frmColor.moc"
