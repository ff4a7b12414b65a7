#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "icon_generator/MintrelFixture.h"
#include "icon_generator/window/Form1.h"
#include "icon_generator/window/PictureBox.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "platform/WindowHabits.h"
#include "support/RecordingSink.h"

using namespace icon_generator;

namespace {

namespace fs = std::filesystem;

// The window with its dialogs answered by the test.
class ScriptedForm1 : public Form1
{
public:
    using Form1::Form1;
    std::optional<fs::path> pictureAnswer;
    std::u16string folderAnswer;
    std::u16string folderStart;

protected:
    std::optional<fs::path> choosePicture() override { return pictureAnswer; }
    std::u16string chooseFolder(const std::u16string& start) override
    {
        folderStart = start;
        return folderAnswer;
    }
};

template <typename T> T* control(QWidget& form, const char* name)
{
    auto* found = form.findChild<T*>(QString::fromLatin1(name));
    if (!found)
        qFatal("control %s is missing", name);
    return found;
}

QString screenshotFolder()
{
    return qEnvironmentVariable("MINTREL_SCREENSHOTS");
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private slots:
    void consoleChoiceShowsTemplatesAndPreviewAnimatesTheComposition()
    {
        mintrel_test::ProgramFolder folder(true);
        test_support::RecordingSink sink("Mintrel");
        GeneratorModel model(folder.path(), sink, false);
        ScriptedForm1 form(model);
        auto* cmbCon = control<QComboBox>(form, "cmbCon");
        QCOMPARE(cmbCon->currentIndex(), -1);
        cmbCon->setCurrentIndex(2);
        emit cmbCon->activated(2);
        QCOMPARE(model.consoleIndex(), 2);
        QCOMPARE(control<PictureBox>(form, "Picture1")->picture(), model.frames().frameA);
        QVERIFY(control<PictureBox>(form, "Picture3")->picture().isNull());

        const fs::path sample = fs::path(SUITE_SOURCE_DIR) / "samples" / "mintrel" / "moon_racer.png";
        form.pictureAnswer = sample;
        form.cmdFileBrowse_Click();
        QCOMPARE(control<QLineEdit>(form, "Text1")->text(), platform::pathToQString(sample));
        QVERIFY(!control<PictureBox>(form, "PicSrc")->picture().isNull());

        QTest::mouseClick(control<QPushButton>(form, "Command2"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(form, "Text2")->text(),
                 platform::pathToQString(sample).chopped(4)); // the destination made from the source
        QCOMPARE(control<PictureBox>(form, "Picture4")->picture(), model.frames().blend4);
        QCOMPARE(sink.messages.size(), std::size_t(0));

        // The timer runs from the start and shows each frame of the cycle in turn.
        auto* picPrev = control<PictureBox>(form, "picPrev");
        std::set<qint64> shown;
        for (int i = 0; i < 8; ++i) {
            form.tiPrev_Timer();
            shown.insert(picPrev->picture().cacheKey());
        }
        QCOMPARE(shown.size(), std::size_t(4));
        QVERIFY(control<QTimer>(form, "tiPrev")->isActive());

        if (!screenshotFolder().isEmpty()) {
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            QTest::qWait(300);
            form.grab().save(screenshotFolder() + QStringLiteral("/mintrel-window.png"));
        }
    }

    void makeIsDisabledWhileTheConverterRunsAndAnotherPressDoesNothing()
    {
        mintrel_test::ProgramFolder folder(true);
        // A converter that takes its time, then does the real work.
        fs::rename(folder / "tpl_converter", folder / "real_converter");
        fs::permissions(folder.folder.write("tpl_converter", "#!/bin/sh\nsleep 0.3\nexec ./real_converter \"$@\"\n"),
                        fs::perms::owner_all);
        test_support::TempFolder out;
        test_support::RecordingSink sink("Mintrel");
        GeneratorModel model(folder.path(), sink, false);
        ScriptedForm1 form(model);
        model.selectConsole(1);
        control<QLineEdit>(form, "Text1")
            ->setText(platform::pathToQString(fs::path(SUITE_SOURCE_DIR) / "samples" / "mintrel" / "moon_racer.png"));
        control<QLineEdit>(form, "Text2")->setText(platform::pathToQString(out.path()) + QLatin1Char('/'));
        for (const char* box : {"chkBan", "chkChan"})
            control<QCheckBox>(form, box)->setChecked(false);
        form.Text1_Change();

        auto* make = control<QPushButton>(form, "Command1");
        auto* preview = control<QPushButton>(form, "Command2");
        bool disabledMeanwhile = false;
        QTimer::singleShot(150, &form, [&] {
            disabledMeanwhile = !make->isEnabled() && !preview->isEnabled() &&
                                control<platform::BusyIndicator>(form, "busyIndicator")->isBusy();
            form.Command1_Click(); // a second press while the first runs
        });
        QTest::mouseClick(make, Qt::LeftButton);
        QVERIFY(disabledMeanwhile);
        QVERIFY(make->isEnabled());
        QCOMPARE(sink.messages.size(), std::size_t(1));
        QCOMPARE(sink.messages[0].prompt, (out.path() / "banner.tpl").string() + " successfully created!");
    }

    void droppedPictureBecomesTheSourceAndDestinationBrowsesFromTheField()
    {
        mintrel_test::ProgramFolder folder;
        test_support::RecordingSink sink("Mintrel");
        GeneratorModel model(folder.path(), sink, false);
        ScriptedForm1 form(model);
        mintrel_test::solid({10, 10}, 0xFF00FF00).save(QString::fromStdString((folder / "drop.bmp").string()));
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString((folder / "drop.bmp").string()))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(control<PictureBox>(form, "PicSrc"), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(control<PictureBox>(form, "PicSrc"), &drop);
        QCOMPARE(control<QLineEdit>(form, "Text1")->text(), QStringLiteral("\\drop.bmp"));
        QCOMPARE(control<PictureBox>(form, "PicSrc")->picture().pixel(0, 0), 0xFF00FF00u);

        control<QLineEdit>(form, "Text2")->setText(QStringLiteral("\\out"));
        form.folderAnswer = platform::pathToText(folder / "textures");
        form.cmdFolderBrowse_Click();
        QCOMPARE(form.folderStart, platform::pathToText(folder.path()) + u"\\out");
        QCOMPARE(control<QLineEdit>(form, "Text2")->text(), QStringLiteral("\\textures\\"));

        // Exporting an empty frame box is reported, not written.
        form.Picture1_DblClick();
        QCOMPARE(sink.messages.size(), std::size_t(1));
        QVERIFY(!fs::exists(folder / "2.bmp"));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
