#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "icon_generator/MintrelFixture.h"
#include "icon_generator/UnattendedRun.h"
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
    std::optional<fs::path> pictureStart; // set when the open dialog was shown
    std::u16string folderStart;

protected:
    std::optional<fs::path> choosePicture(const fs::path& startFolder) override
    {
        pictureStart = startFolder;
        return pictureAnswer;
    }
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

// Saves a picture of a window for scripts/screenshots-mintrel when it asks for one.
void screenshot(QWidget& window, const char* name)
{
    if (screenshotFolder().isEmpty())
        return;
    window.grab().save(screenshotFolder() + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// Drags a local path onto a control and drops it there.
void dropOnto(QWidget* target, const fs::path& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(platform::pathToQString(path))});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

// Shows the window and makes it the active one, so its shortcuts take keys. An X server without a
// window manager (screenshots) may not confirm the activation; the window is active for Qt all the same.
void showActive(QWidget& window)
{
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window, 200);
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
        GeneratorModel model(sink, folder.path(), false);
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
            showActive(form);
            QTest::qWait(300);
            screenshot(form, "mintrel-window");
            QTimer::singleShot(0, &form, [] {
                if (auto* help = QApplication::activeModalWidget()) {
                    screenshot(*help, "mintrel-help");
                    help->close();
                }
            });
            QTest::keyClick(&form, Qt::Key_F1);
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
        GeneratorModel model(sink, folder.path(), false);
        model.selectConsole(1);
        ScriptedForm1 form(model);
        control<QLineEdit>(form, "Text1")
            ->setText(platform::pathToQString(fs::path(SUITE_SOURCE_DIR) / "samples" / "mintrel" / "moon_racer.png"));
        control<QLineEdit>(form, "Text2")->setText(platform::pathToQString(out.path()) + QLatin1Char('/'));
        for (const char* box : {"chkBan", "chkChan"})
            control<QCheckBox>(form, box)->setChecked(false);
        form.Text1_Change();

        auto* make = control<QPushButton>(form, "Command1");
        auto* preview = control<QPushButton>(form, "Command2");
        auto* busy = control<platform::BusyIndicator>(form, "busyIndicator");
        showActive(form);
        bool disabledMeanwhile = false;
        bool stayedOpen = false;
        QTimer::singleShot(150, &form, [&] {
            disabledMeanwhile = !make->isEnabled() && !preview->isEnabled() && busy->isBusy();
            screenshot(form, "mintrel-busy");
            form.Command1_Click(); // a second press while the first runs, by button and by key
            QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
            QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
            stayedOpen = !form.close() && form.isVisible();
        });
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(disabledMeanwhile);
        QVERIFY(stayedOpen);
        QVERIFY(!form.pictureStart);
        QVERIFY(make->isEnabled() && !busy->isBusy());
        QCOMPARE(sink.messages.size(), std::size_t(1));
        QCOMPARE(sink.messages[0].prompt, (out.path() / "banner.tpl").string() + " successfully created!");
    }

    void dropsFillTheFieldsAsTheirBrowseButtonsDo()
    {
        // A picture becomes the source, a folder the destination, each in the program folder's short
        // form; a picture dropped onto the destination sends the textures beside it.
        struct Case
        {
            const char* target;
            const char* dropped;
            QString source;
            QString destination;
        };
        const Case cases[] = {{"Form1", "drop.bmp", "\\drop.bmp", ""},
                              {"PicSrc", "drop.bmp", "\\drop.bmp", ""},
                              {"Text1", "textures", "", "\\textures\\"},
                              {"Text2", "textures/drop.bmp", "", "\\textures\\"}};
        mintrel_test::ProgramFolder folder;
        fs::create_directories(folder / "textures");
        for (const char* name : {"drop.bmp", "textures/drop.bmp"})
            mintrel_test::solid({10, 10}, 0xFF00FF00).save(platform::pathToQString(folder / name));
        test_support::RecordingSink sink("Mintrel");
        for (const Case& c : cases) {
            fs::remove_all(folder / "cfgs"); // each window starts afresh, not with the last case's paths
            GeneratorModel model(sink, folder.path(), false);
            ScriptedForm1 form(model);
            form.setObjectName(QStringLiteral("Form1"));
            dropOnto(form.objectName() == QLatin1String(c.target) ? &form : control<QWidget>(form, c.target),
                     folder / c.dropped);
            QCOMPARE(control<QLineEdit>(form, "Text1")->text(), c.source);
            QCOMPARE(control<QLineEdit>(form, "Text2")->text(), c.destination);
            // The source box shows the dropped picture, as after browsing.
            const QImage& shown = control<PictureBox>(form, "PicSrc")->picture();
            QCOMPARE(shown.isNull() ? 0u : shown.pixel(0, 0), c.source.isEmpty() ? 0u : 0xFF00FF00u);
        }
    }

    void destinationBrowsesFromTheFieldAndEmptyFramesAreNotExported()
    {
        mintrel_test::ProgramFolder folder;
        test_support::RecordingSink sink("Mintrel");
        GeneratorModel model(sink, folder.path(), false);
        ScriptedForm1 form(model);
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

    void lastPathsAndDialogFoldersSurviveANewWindowButNotAnUnattendedRun()
    {
        mintrel_test::ProgramFolder folder;
        test_support::TempFolder elsewhere;
        fs::create_directories(folder / "pics");
        fs::create_directories(elsewhere / "out");
        mintrel_test::solid({10, 10}, 0xFF0000FF).save(platform::pathToQString(folder / "pics" / "a.bmp"));
        test_support::RecordingSink sink("Mintrel");
        {
            GeneratorModel model(sink, folder.path(), false);
            ScriptedForm1 form(model);
            form.pictureAnswer = folder / "pics" / "a.bmp";
            form.cmdFileBrowse_Click();
            form.folderAnswer = platform::pathToText(elsewhere / "out");
            form.cmdFolderBrowse_Click();
        }
        const fs::path remembered = folder / "cfgs" / "Mintrel.cfg";
        const platform::Bytes before = test_support::readAll(remembered);
        QVERIFY(!before.empty());

        // An unattended run on the same program folder makes its textures elsewhere and leaves the
        // remembered places alone.
        {
            GeneratorModel model(sink, folder.path(), true);
            const std::string source = platform::pathToQString(folder / "pics" / "a.bmp").toStdString();
            QCOMPARE(runUnattended(model, {"-sys", "snes", "-s", source, "-m", "b"}), 0);
        }
        QCOMPARE(test_support::readAll(remembered), before);

        GeneratorModel model(sink, folder.path(), false);
        ScriptedForm1 form(model);
        QCOMPARE(control<QLineEdit>(form, "Text1")->text(), QStringLiteral("\\pics\\a.bmp"));
        QCOMPARE(control<QLineEdit>(form, "Text2")->text(), platform::pathToQString(elsewhere / "out") + "\\");
        QCOMPARE(control<PictureBox>(form, "PicSrc")->picture().pixel(0, 0), 0xFF0000FFu);
        showActive(form);
        QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(form.pictureStart, folder / "pics");
        // With the destination emptied, the picker opens where it was last used.
        control<QLineEdit>(form, "Text2")->clear();
        form.cmdFolderBrowse_Click();
        QCOMPARE(form.folderStart, platform::pathToText(elsewhere / "out") + u"/");
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
