#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QtTest>

#include "archive_tool/UnattendedRun.h"
#include "archive_tool/window/Form1.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "support/CcfBuilder.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// The window with its dialogs and its question answered by the test.
class ScriptedForm1 : public archive_tool::Form1
{
public:
    using Form1::Form1;
    std::optional<fs::path> archiveAnswer;
    std::u16string folderAnswer;
    bool replaceAnswer = false;
    std::vector<fs::path> replaceAsked;

protected:
    std::optional<fs::path> chooseArchive() override { return archiveAnswer; }
    std::u16string chooseFolder() override { return folderAnswer; }
    bool confirmReplace(const fs::path& archive) override
    {
        replaceAsked.push_back(archive);
        return replaceAnswer;
    }
};

// A recording sink that lets a test look at the window while a message is shown (during an action).
struct WatchingSink : test_support::RecordingSink
{
    using RecordingSink::RecordingSink;
    void show(const std::string& prompt, const std::string& title, platform::MessageIcon icon) override
    {
        if (onShow)
            onShow();
        RecordingSink::show(prompt, title, icon);
    }
    std::function<void()> onShow;
};

// The window as main.cpp makes it: on a model that reports to the same sink as the window.
struct Window
{
    explicit Window(const fs::path& programFolder) : model(programFolder, sink, false), form(model, sink) {}

    WatchingSink sink{"Cramble"};
    archive_tool::ArchiveToolModel model;
    ScriptedForm1 form;
};

// Saves a picture of a widget as <CRAMBLE_SCREENSHOTS>/<name>.png ("@2x" added at a scale factor of
// 2) when that folder is set.
void screenshot(QWidget* widget, const QString& name)
{
    const QString shots = qEnvironmentVariable("CRAMBLE_SCREENSHOTS");
    if (shots.isEmpty())
        return;
    const QPixmap picture = widget->grab();
    const QString scale = picture.devicePixelRatio() > 1 ? QStringLiteral("@%1x").arg(picture.devicePixelRatio()) : "";
    QVERIFY(picture.save(shots + QLatin1Char('/') + name + scale + QStringLiteral(".png")));
}

// The visible controls of a window that are smaller than their contents need (a push button its
// caption and a small margin: the "...." buttons are narrower than the style's usual button).
QString cutOff(const QWidget& window)
{
    QStringList faults;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisibleTo(&window) || qobject_cast<const QScrollBar*>(widget))
            continue;
        QSize need = widget->minimumSizeHint();
        if (const auto* button = qobject_cast<const QPushButton*>(widget))
            need.setWidth(button->fontMetrics().horizontalAdvance(button->text()) + 8);
        if (need.isValid() && (widget->width() < need.width() || widget->height() < need.height()))
            faults << QStringLiteral("%1 %2 is %3x%4, needs %5x%6")
                          .arg(QString::fromLatin1(widget->metaObject()->className()), widget->objectName())
                          .arg(widget->width())
                          .arg(widget->height())
                          .arg(need.width())
                          .arg(need.height());
    }
    return faults.join(QLatin1Char(';'));
}

// Whether a window's status area shows this busy text, with the busy pointer over the application.
bool busyShown(const QWidget& status, const QString& text)
{
    const QCursor* cursor = QApplication::overrideCursor();
    const auto* label = status.findChild<QLabel*>();
    return cursor && cursor->shape() == Qt::BusyCursor && label && label->text() == text;
}

// Drags the path over target and drops it there, as a file manager does.
void dropOnto(QWidget* target, const fs::path& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(platform::pathToQString(path))});
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
}

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private:
    template <typename T> T* control(QWidget& form, const char* name)
    {
        auto* found = form.findChild<T*>(QString::fromLatin1(name));
        if (!found)
            qFatal("control %s is missing", name);
        return found;
    }

private slots:
    void hasEveryControlWithItsCaption()
    {
        test_support::TempFolder programFolder;
        Window window(programFolder.path());
        auto& form = window.form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Cramble"));
        const std::vector<std::pair<const char*, const char*>> captions = {
            {"Label1", "Path to File:"}, {"Label2", "Path to Folder:"}, {"cmdFileBrowse", "...."},
            {"cmdFolderBrowse", "...."}, {"cmdExtract", "Extract"},     {"cmdPack", "Pack"}};
        for (const auto& [name, caption] : captions) {
            auto* widget = control<QWidget>(form, name);
            QCOMPARE(widget->property("text").toString(), QString::fromLatin1(caption));
        }
        for (const char* name : {"txtFileName", "txtFolder", "List1", "fleccf", "CommonDialog1"})
            control<QWidget>(form, name);
    }

    void browseButtonsFillBothFields()
    {
        test_support::TempFolder programFolder;
        programFolder.write("meta/data_ccf_OUT/Banner.bin", "b");
        programFolder.write("meta/data_ccf_OUT/a.txt", "a");
        Window window(programFolder.path());
        auto& form = window.form;
        auto* file = control<QLineEdit>(form, "txtFileName");
        auto* folder = control<QLineEdit>(form, "txtFolder");

        form.archiveAnswer = programFolder / "meta" / "data.ccf";
        QTest::mouseClick(control<QPushButton>(form, "cmdFileBrowse"), Qt::LeftButton);
        QCOMPARE(file->text(), QStringLiteral("\\meta\\data.ccf"));
        QCOMPARE(folder->text(), QStringLiteral("\\meta\\data_ccf_OUT\\"));

        // The picker answers with the folder's full path, which differs from the field's short form.
        file->setText(QStringLiteral("typed"));
        form.folderAnswer = QString::fromStdString((programFolder / "meta" / "data_ccf_OUT").string()).toStdU16String();
        QTest::mouseClick(control<QPushButton>(form, "cmdFolderBrowse"), Qt::LeftButton);
        QCOMPARE(folder->text(), QStringLiteral("\\meta\\data_ccf_OUT\\"));
        QCOMPARE(file->text(), QStringLiteral("\\meta\\data.ccf"));
        QCOMPARE(control<QListWidget>(form, "fleccf")->count(), 2);

        // The folder the field holds, chosen again, leaves a typed archive alone.
        file->setText(QStringLiteral("typed"));
        form.folderAnswer = u"\\meta\\data_ccf_OUT\\";
        QTest::mouseClick(control<QPushButton>(form, "cmdFolderBrowse"), Qt::LeftButton);
        QCOMPARE(file->text(), QStringLiteral("typed"));

        form.folderAnswer.clear(); // cancelled: the folder field is emptied
        QTest::mouseClick(control<QPushButton>(form, "cmdFolderBrowse"), Qt::LeftButton);
        QCOMPARE(folder->text(), QString());
        QCOMPARE(file->text(), QStringLiteral("typed"));
        QCOMPARE(control<QListWidget>(form, "fleccf")->count(), 0);
    }

    void openDialogShowsTheArchiveFilters()
    {
        test_support::TempFolder programFolder;
        Window window(programFolder.path());
        auto* dialog = control<QFileDialog>(window.form, "CommonDialog1");
        dialog->setOption(QFileDialog::DontUseNativeDialog);
        auto* types = control<QComboBox>(*dialog, "fileTypeCombo");
        QCOMPARE(types->count(), 2);
        QCOMPARE(types->itemText(0), QStringLiteral("CCF Files (*.ccf)"));
        QCOMPARE(types->itemText(1), QStringLiteral("All Files (*.*)"));
        // Behind the first filter: archives whatever the case of their names, and decompressed ones.
        const QString filter = dialog->nameFilters().constFirst();
        const QStringList globs =
            filter.mid(filter.lastIndexOf(QLatin1Char('(')) + 1).chopped(1).split(QLatin1Char(' '));
        const auto listed = [&](const char* name) {
            for (const auto& glob : globs) {
                if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(glob))
                        .match(QString::fromLatin1(name))
                        .hasMatch())
                    return true;
            }
            return false;
        };
        QVERIFY(listed("a.ccf"));
        QVERIFY(listed("B.CCF"));
        QVERIFY(listed("misc.ccf.zlib"));
        QVERIFY(!listed("other.txt"));
        QVERIFY(!listed("game.ccf.bak"));
    }

    void packAndExtractButtonsRunTheModel()
    {
        test_support::TempFolder programFolder;
        programFolder.write("src_OUT/b.txt", "b");
        programFolder.write("src_OUT/C.txt", "c");
        Window window(programFolder.path());
        auto& form = window.form;
        const auto& sink = window.sink;
        auto* folder = control<QLineEdit>(form, "txtFolder");
        folder->setText(QStringLiteral("src_OUT"));
        QTest::mouseClick(control<QPushButton>(form, "cmdPack"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(form, "txtFileName")->text(),
                 QString::fromStdString(programFolder.path().string()) + QStringLiteral("\\src"));
        auto* order = control<QListWidget>(form, "List1");
        QCOMPARE(order->count(), 2);
        QCOMPARE(order->item(0)->text(), QStringLiteral("C.txt"));

        folder->clear();
        QTest::mouseClick(control<QPushButton>(form, "cmdExtract"), Qt::LeftButton);
        QCOMPARE(folder->text(), QString::fromStdString(programFolder.path().string()) + QStringLiteral("\\src_OUT\\"));
        QCOMPARE(sink.messages.size(), std::size_t{2});
        QCOMPARE(sink.messages[1].prompt, programFolder.path().string() +
                                              "\\src successfully extracted!\r\nThe files are in " +
                                              platform::quoted(programFolder / "src_OUT") + ".");
        // The file list shows the folder the files went to.
        QCOMPARE(control<QListWidget>(form, "fleccf")->count(), 2);

        // What stops an action is shown through the sink, with the critical icon.
        control<QLineEdit>(form, "txtFileName")->setText(QStringLiteral("\\absent.ccf"));
        QTest::mouseClick(control<QPushButton>(form, "cmdExtract"), Qt::LeftButton);
        QCOMPARE(sink.messages.size(), std::size_t{3});
        QVERIFY(sink.messages[2].prompt.find("absent.ccf") != std::string::npos);
        QCOMPARE(sink.messages[2].icon, platform::MessageIcon::Critical);
    }

    // Wherever it lands, a dropped archive fills the archive field and a dropped folder the folder
    // field, each as its browse button does: short form, the other field derived, the files listed.
    void droppedArchiveOrFolderFillsItsFieldAsBrowsingDoes_data()
    {
        QTest::addColumn<QString>("target");
        QTest::addColumn<bool>("dropFolder");
        for (const char* target : {"form", "txtFileName", "txtFolder"}) {
            QTest::addRow("archive onto %s", target) << QString::fromLatin1(target) << false;
            QTest::addRow("folder onto %s", target) << QString::fromLatin1(target) << true;
        }
    }
    void droppedArchiveOrFolderFillsItsFieldAsBrowsingDoes()
    {
        QFETCH(QString, target);
        QFETCH(bool, dropFolder);
        test_support::TempFolder programFolder;
        programFolder.write("meta/data.ccf", test_support::buildCcf({{"a.txt", platform::bytesOf("a")}}));
        programFolder.write("meta/data_ccf_OUT/a.txt", "a");
        Window window(programFolder.path());
        auto& form = window.form;
        auto* file = control<QLineEdit>(form, "txtFileName");
        auto* folder = control<QLineEdit>(form, "txtFolder");
        file->setText(QStringLiteral("typed"));

        QWidget* onto =
            target == QLatin1String("form") ? static_cast<QWidget*>(&form) : control<QWidget>(form, qPrintable(target));
        dropOnto(onto, dropFolder ? programFolder / "meta" / "data_ccf_OUT" : programFolder / "meta" / "data.ccf");
        QCOMPARE(file->text(), QStringLiteral("\\meta\\data.ccf"));
        QCOMPARE(folder->text(), QStringLiteral("\\meta\\data_ccf_OUT\\"));
        QCOMPARE(control<QListWidget>(form, "fleccf")->count(), dropFolder ? 1 : 0);
        QVERIFY(window.sink.messages.empty());
    }

    void packAsksBeforeReplacingAnArchive()
    {
        test_support::TempFolder programFolder;
        programFolder.write("src_OUT/a.txt", "new");
        const fs::path archive = programFolder.write("SRC.ccf", "old archive");
        Window window(programFolder.path());
        auto& form = window.form;
        control<QLineEdit>(form, "txtFolder")->setText(QStringLiteral("\\src_OUT"));
        control<QLineEdit>(form, "txtFileName")->setText(QStringLiteral("\\src.ccf"));

        // Declined: nothing is written or reported, the fields stay as typed.
        QTest::mouseClick(control<QPushButton>(form, "cmdPack"), Qt::LeftButton);
        QCOMPARE(form.replaceAsked.size(), std::size_t{1});
        QCOMPARE(form.replaceAsked[0], archive); // found whatever the case of its name
        QCOMPARE(test_support::readAll(archive), platform::bytesOf("old archive"));
        QVERIFY(window.sink.messages.empty());
        QCOMPARE(control<QLineEdit>(form, "txtFolder")->text(), QStringLiteral("\\src_OUT"));

        form.replaceAnswer = true;
        QTest::mouseClick(control<QPushButton>(form, "cmdPack"), Qt::LeftButton);
        QCOMPARE(test_support::readAll(archive).size(), std::size_t{96});
        QCOMPARE(window.sink.messages.size(), std::size_t{1});

        // A new archive is written without a question.
        control<QLineEdit>(form, "txtFileName")->setText(QStringLiteral("\\other.ccf"));
        QTest::mouseClick(control<QPushButton>(form, "cmdPack"), Qt::LeftButton);
        QCOMPARE(form.replaceAsked.size(), std::size_t{2});
        QVERIFY(fs::exists(programFolder / "other.ccf"));
    }

    // While an action works its buttons and fields are disabled and the status shows it; a close
    // asked for meanwhile waits for the end, and the keys reach the same actions as the buttons.
    void busyWhileWorkingAndKeysRunTheActions()
    {
        test_support::TempFolder programFolder;
        programFolder.write("game_ccf_OUT/a.txt", "a");
        Window window(programFolder.path());
        auto& form = window.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        bool enabledMeanwhile = true, busyMeanwhile = false, visibleAfterClose = false;
        window.sink.onShow = [&] {
            enabledMeanwhile =
                control<QWidget>(form, "cmdExtract")->isEnabled() || control<QWidget>(form, "txtFolder")->isEnabled();
            busyMeanwhile =
                busyShown(*form.findChild<QWidget*>(QStringLiteral("status")), QStringLiteral("Packing game.ccf..."));
            form.close();
            visibleAfterClose = form.isVisible();
        };
        control<QLineEdit>(form, "txtFolder")->setText(QStringLiteral("\\game_ccf_OUT"));
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(window.sink.messages.size(), std::size_t{1});
        QVERIFY(fs::exists(programFolder / "game.ccf"));
        QVERIFY(!enabledMeanwhile);
        QVERIFY(busyMeanwhile);
        QVERIFY(visibleAfterClose);
        QVERIFY(control<QWidget>(form, "cmdPack")->isEnabled());
        QTRY_VERIFY(!form.isVisible());

        window.sink.onShow = nullptr;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        fs::remove(programFolder / "game_ccf_OUT" / "a.txt");
        form.archiveAnswer = programFolder / "game.ccf";
        QTest::keyClick(&form, Qt::Key_O, Qt::ControlModifier);
        QTRY_COMPARE(control<QLineEdit>(form, "txtFolder")->text(), QStringLiteral("\\game_ccf_OUT\\"));
        QTest::keyClick(&form, Qt::Key_E, Qt::ControlModifier);
        QTRY_VERIFY(fs::exists(programFolder / "game_ccf_OUT" / "a.txt"));
        QVERIFY(form.isVisible()); // the close that waited is not asked for again
    }

    // The fields and the archive dialog's folder come back in a new window on the same program
    // folder; an unattended run there leaves what the window remembers alone.
    void fieldsSurviveARunAndUnattendedRunsLeaveThemAlone()
    {
        test_support::TempFolder programFolder;
        programFolder.write("meta/data.ccf", test_support::buildCcf({{"a.txt", platform::bytesOf("a")}}));
        {
            Window first(programFolder.path());
            first.form.archiveAnswer = programFolder / "meta" / "data.ccf";
            QTest::mouseClick(control<QPushButton>(first.form, "cmdFileBrowse"), Qt::LeftButton);
            control<QLineEdit>(first.form, "txtFolder")->setText(QStringLiteral("\\typed\\"));
            first.form.close();
        }
        const fs::path remembered = programFolder / "cfgs" / "Cramble.cfg";
        const platform::Bytes before = test_support::readAll(remembered);
        QVERIFY(!before.empty());

        test_support::RecordingSink quiet("Cramble");
        archive_tool::ArchiveToolModel unattended(programFolder.path(), quiet, true);
        QCOMPARE(archive_tool::runUnattended({"-e", "-file", "\\meta\\data.ccf", "-folder", "\\elsewhere"}, unattended,
                                             quiet),
                 0);
        QVERIFY(fs::exists(programFolder / "elsewhere" / "a.txt"));
        QCOMPARE(test_support::readAll(remembered), before);

        Window second(programFolder.path());
        QCOMPARE(control<QLineEdit>(second.form, "txtFileName")->text(), QStringLiteral("\\meta\\data.ccf"));
        QCOMPARE(control<QLineEdit>(second.form, "txtFolder")->text(), QStringLiteral("\\typed\\"));
        QCOMPARE(fs::path(control<QFileDialog>(second.form, "CommonDialog1")->directory().path().toStdString()),
                 programFolder / "meta");
    }

    // The window after an extraction, while packing, and its help, each wholly shown: every control
    // at least as large as its contents need (with CRAMBLE_SCREENSHOTS set, their pictures).
    void windowsShowEveryControlWhole()
    {
        test_support::TempFolder programFolder;
        programFolder.write("meta/data.ccf",
                            test_support::buildCcf({{"banner.bin", platform::Bytes(300, 1)},
                                                    test_support::compressedMember("misc.ccf", platform::Bytes(900, 2)),
                                                    {"icon.bin", platform::Bytes(40, 3)}}));
        Window window(programFolder.path());
        auto& form = window.form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        dropOnto(&form, programFolder / "meta" / "data.ccf");
        QTest::mouseClick(control<QPushButton>(form, "cmdExtract"), Qt::LeftButton);
        QCOMPARE(control<QListWidget>(form, "fleccf")->count(), 3);
        QCOMPARE(cutOff(form), QString());
        screenshot(&form, QStringLiteral("cramble-extracted"));

        QString cutWhileBusy = QStringLiteral("not packed");
        window.sink.onShow = [&] {
            cutWhileBusy = cutOff(form);
            screenshot(&form, QStringLiteral("cramble-packing"));
        };
        QTest::mouseClick(control<QPushButton>(form, "cmdPack"), Qt::LeftButton);
        QCOMPARE(form.replaceAsked.size(), std::size_t{1});
        form.replaceAnswer = true;
        QTest::mouseClick(control<QPushButton>(form, "cmdPack"), Qt::LeftButton);
        QCOMPARE(cutWhileBusy, QString());

        QString helpText;
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QTimer::singleShot(0, [&] {
            QWidget* help = QApplication::activeModalWidget();
            QVERIFY(help);
            helpText = qobject_cast<QMessageBox*>(help)->text();
            QCOMPARE(cutOff(*help), QString());
            screenshot(help, QStringLiteral("cramble-help"));
            help->close();
        });
        QTest::keyClick(&form, Qt::Key_F1);
        QVERIFY(helpText.startsWith(QStringLiteral("Cramble ")));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
