#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

#include "archive_tool/window/Form1.h"
#include "platform/PathText.h"
#include "support/RecordingSink.h"
#include "support/TempFolder.h"

namespace {

namespace fs = std::filesystem;

// The window with its two dialogs answered by the test.
class ScriptedForm1 : public archive_tool::Form1
{
public:
    using Form1::Form1;
    std::optional<fs::path> archiveAnswer;
    std::u16string folderAnswer;

protected:
    std::optional<fs::path> chooseArchive() override { return archiveAnswer; }
    std::u16string chooseFolder() override { return folderAnswer; }
};

// The window as main.cpp makes it: on a model that reports to the same sink as the window.
struct Window
{
    explicit Window(const fs::path& programFolder) : model(programFolder, sink, false), form(model, sink) {}

    test_support::RecordingSink sink{"Cramble"};
    archive_tool::ArchiveToolModel model;
    ScriptedForm1 form;
};

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
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
