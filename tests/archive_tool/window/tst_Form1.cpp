#include "archive_tool/window/Form1.h"

#include "support/RecordingSink.h"
#include "support/TempFolder.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

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

} // namespace

class TestForm1 : public QObject
{
    Q_OBJECT

private:
    template <typename T>
    T* control(QWidget& form, const char* name)
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
        archive_tool::Form1 form(programFolder.path());
        QCOMPARE(form.windowTitle(), QStringLiteral("Cramble"));
        const std::vector<std::pair<const char*, const char*>> captions = {
            {"Label1", "Path to File:"}, {"Label2", "Path to Folder:"}, {"cmdFileBrowse", "...."},
            {"cmdFolderBrowse", "...."}, {"cmdExtract", "Extract"},    {"cmdPack", "Pack"}};
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
        ScriptedForm1 form(programFolder.path());
        auto* file = control<QLineEdit>(form, "txtFileName");
        auto* folder = control<QLineEdit>(form, "txtFolder");

        form.archiveAnswer = programFolder / "meta" / "data.ccf";
        QTest::mouseClick(control<QPushButton>(form, "cmdFileBrowse"), Qt::LeftButton);
        QCOMPARE(file->text(), QStringLiteral("\\meta\\data.ccf"));
        QCOMPARE(folder->text(), QStringLiteral("\\meta\\data_ccf_OUT\\"));

        file->setText(QStringLiteral("typed"));
        form.folderAnswer = QString::fromStdString((programFolder / "meta" / "data_ccf_OUT").string()).toStdU16String();
        QTest::mouseClick(control<QPushButton>(form, "cmdFolderBrowse"), Qt::LeftButton);
        QCOMPARE(folder->text(), QStringLiteral("\\meta\\data_ccf_OUT\\"));
        QCOMPARE(file->text(), QStringLiteral("typed")); // the same folder again derives nothing
        QCOMPARE(control<QListWidget>(form, "fleccf")->count(), 2);

        form.folderAnswer.clear(); // cancelled
        QTest::mouseClick(control<QPushButton>(form, "cmdFolderBrowse"), Qt::LeftButton);
        QCOMPARE(folder->text(), QStringLiteral("\\meta\\data_ccf_OUT\\"));
    }

    void packAndExtractButtonsRunTheModel()
    {
        test_support::TempFolder programFolder;
        test_support::RecordingSink sink;
        programFolder.write("src_OUT/b.txt", "b");
        programFolder.write("src_OUT/C.txt", "c");
        archive_tool::Form1 form(programFolder.path());
        auto* folder = control<QLineEdit>(form, "txtFolder");
        folder->setText(QStringLiteral("src_OUT"));
        QTest::mouseClick(control<QPushButton>(form, "cmdPack"), Qt::LeftButton);
        QCOMPARE(control<QLineEdit>(form, "txtFileName")->text(), QStringLiteral("\\src"));
        auto* order = control<QListWidget>(form, "List1");
        QCOMPARE(order->count(), 2);
        QCOMPARE(order->item(0)->text(), QStringLiteral("C.txt"));

        folder->clear();
        QTest::mouseClick(control<QPushButton>(form, "cmdExtract"), Qt::LeftButton);
        QCOMPARE(folder->text(), QStringLiteral("\\src_OUT\\"));
        QCOMPARE(sink.messages.size(), std::size_t{2});
        QCOMPARE(sink.messages[1].prompt, std::string("\\src successfully extracted!"));
    }
};

QTEST_MAIN(TestForm1)
#include "tst_Form1.moc"
