#include <QComboBox>
#include <QDragEnterEvent>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "archive_tool/UnattendedRun.h"
#include "archive_tool/window/Form1.h"
#include "platform/PathText.h"
#include "platform/QtText.h"
#include "support/CcfBuilder.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"
#include "support/WindowActions.h"

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

// A recording sink that runs onShow as each message comes, while the action is still under way.
struct WatchingSink : test_support::RecordingSink
{
    using RecordingSink::RecordingSink;
    std::function<void()> onShow = [] {};
    void show(const std::string& p, const std::string& t, platform::MessageIcon i) override
    {
        onShow();
        RecordingSink::show(p, t, i);
    }
};

// The window as main.cpp makes it: on a model that reports to the same sink as the window.
struct Window
{
    explicit Window(const fs::path& programFolder) : model(sink, programFolder, false), form(model, sink) {}

    WatchingSink sink{"Cramble"};
    archive_tool::ArchiveToolModel model;
    ScriptedForm1 form;
};

// With CRAMBLE_SCREENSHOTS set, saves a picture of the widget there ("@2x" at 200 % scaling).
void screenshot(QWidget* widget, const QString& name)
{
    const QPixmap picture = widget->grab();
    if (const QString shots = qEnvironmentVariable("CRAMBLE_SCREENSHOTS"); !shots.isEmpty())
        QVERIFY(picture.save(shots + "/" + name + (picture.devicePixelRatio() > 1 ? "@2x.png" : ".png")));
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
    void droppedArchiveOrFolderFillsItsFieldAsBrowsingDoes()
    {
        test_support::TempFolder programFolder;
        programFolder.write("meta/data_ccf_OUT/a.txt", "a");
        for (const char* target : {"", "txtFileName", "txtFolder"}) {
            for (const char* dropped : {"data.ccf", "data_ccf_OUT"}) {
                Window window(programFolder.path());
                auto* file = control<QLineEdit>(window.form, "txtFileName");
                file->setText(QStringLiteral("typed"));
                test_support::dropPath(*target ? control<QWidget>(window.form, target) : &window.form,
                                       programFolder / "meta" / dropped);
                QCOMPARE(file->text(), QStringLiteral("\\meta\\data.ccf"));
                QCOMPARE(control<QLineEdit>(window.form, "txtFolder")->text(),
                         QStringLiteral("\\meta\\data_ccf_OUT\\"));
                if (dropped == std::string("data_ccf_OUT"))
                    QCOMPARE(control<QListWidget>(window.form, "fleccf")->count(), 1);
            }
        }
    }

    // Pack (Ctrl+S) asks before it replaces an archive; while it works the buttons and fields wait,
    // the status and the pointer say so, and a close waits for the end. With CRAMBLE_SCREENSHOTS set,
    // pictures of the window before and while it packs.
    void packAsksBeforeReplacingAndShowsItIsBusy()
    {
        test_support::TempFolder programFolder;
        programFolder.write("game_ccf_OUT/misc.ccf.zlib", platform::Bytes(900, 2));
        const fs::path archive = programFolder.write("GAME.ccf", "old");
        Window window(programFolder.path());
        auto& form = window.form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        test_support::dropPath(&form, programFolder / "game_ccf_OUT"); // fills both fields and the file list
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QTRY_COMPARE(form.replaceAsked, std::vector<fs::path>{archive}); // declined; found whatever its case
        QCOMPARE(test_support::readAll(archive), platform::bytesOf("old"));
        screenshot(&form, QStringLiteral("cramble-window"));

        bool busy = false;
        window.sink.onShow = [&] {
            const QCursor* cursor = QApplication::overrideCursor();
            busy =
                !control<QWidget>(form, "cmdExtract")->isEnabled() &&
                !control<QWidget>(form, "txtFolder")->isEnabled() && cursor && cursor->shape() == Qt::BusyCursor &&
                control<QWidget>(form, "status")->findChild<QLabel*>()->text() == QStringLiteral("Packing GAME.ccf...");
            screenshot(&form, QStringLiteral("cramble-packing"));
            form.close();
            busy = busy && form.isVisible();
        };
        form.replaceAnswer = true;
        QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
        QTRY_VERIFY(!form.isVisible()); // closed once the pack was done
        QVERIFY(busy);
        QCOMPARE(test_support::readAll(archive).front(), std::uint8_t('C'));
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
        const platform::Bytes before = test_support::readAll(programFolder / "cfgs" / "Cramble.cfg");
        test_support::RecordingSink quiet("Cramble");
        archive_tool::ArchiveToolModel unattended(quiet, programFolder.path(), true);
        QCOMPARE(archive_tool::runUnattended(unattended, {"-e", "-file", "\\meta\\data.ccf", "-folder", "\\x"}), 0);
        QVERIFY(fs::exists(programFolder / "x" / "a.txt"));
        QCOMPARE(test_support::readAll(programFolder / "cfgs" / "Cramble.cfg"), before);

        Window second(programFolder.path());
        QCOMPARE(control<QLineEdit>(second.form, "txtFileName")->text(), QStringLiteral("\\meta\\data.ccf"));
        QCOMPARE(control<QLineEdit>(second.form, "txtFolder")->text(), QStringLiteral("\\typed\\"));
        QCOMPARE(platform::qStringToPath(control<QFileDialog>(second.form, "CommonDialog1")->directory().path()),
                 programFolder / "meta");
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
