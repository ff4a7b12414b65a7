#include <functional>

#include <QApplication>
#include <QFileDialog>
#include <QTimer>
#include <QtTest>

#include "support/TempFolder.h"
#include "textures/FolderPicker.h"

// Answers the picker's modal dialog once it is showing.
static void whenDialogShows(std::function<void(QFileDialog&)> answer)
{
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog) {
            whenDialogShows(answer); // not up yet: look again on the next turn of the loop
            return;
        }
        answer(*dialog);
    });
}

class TestFolderPicker : public QObject
{
    Q_OBJECT

private slots:
    void cancelGivesEmptyTextAndTitleIsSetOnlyWhenGiven()
    {
        test_support::TempFolder start;
        QString shownTitle, shownFolder;
        whenDialogShows([&](QFileDialog& d) {
            shownTitle = d.windowTitle();
            shownFolder = d.directory().absolutePath();
            d.reject();
        });
        QCOMPARE(textures::BrowseFolder(nullptr, start.path().u16string(), u"Select Folder"), std::u16string());
        QCOMPARE(shownTitle, QStringLiteral("Select Folder"));
        QCOMPARE(shownFolder, QString::fromStdString(start.path().string()));

        whenDialogShows([&](QFileDialog& d) {
            shownTitle = d.windowTitle();
            d.reject();
        });
        QCOMPARE(textures::BrowseFolder(nullptr, start.path().u16string(), u""), std::u16string());
        QVERIFY(shownTitle != QStringLiteral("Select Folder"));
    }

    void acceptingGivesTheChosenFolder()
    {
        test_support::TempFolder start;
        std::filesystem::create_directory(start / "icons");
        whenDialogShows([&](QFileDialog& d) {
            d.selectFile(QString::fromStdString((start / "icons").string()));
            static_cast<QDialog&>(d).accept(); // the file dialog checks the selection first
        });
        QCOMPARE(textures::BrowseFolder(nullptr, start.path().u16string(), u"Pick"), (start / "icons").u16string());
    }
};

QTEST_MAIN(TestFolderPicker)
#include "tst_FolderPicker.moc"
