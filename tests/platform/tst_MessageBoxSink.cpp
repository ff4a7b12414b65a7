// The window run's message sink: a modal box with the prompt, the title (the program's name when none
// is given), the icon and an OK button.
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <QtTest>

#include "platform/MessageBoxSink.h"

class tst_MessageBoxSink : public QObject
{
    Q_OBJECT

private slots:
    void showsPromptTitleAndIcon_data();
    void showsPromptTitleAndIcon();
    void boxIsWideEnoughForItsTitle();
    void showsTheNormalPointerOverABusyWindow();
};

void tst_MessageBoxSink::showsPromptTitleAndIcon_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("icon");
    QTest::addColumn<QString>("shownTitle");
    QTest::addColumn<int>("shownIcon");
    QTest::newRow("critical") << "Compression Error" << int(platform::MessageIcon::Critical) << "Compression Error"
                              << int(QMessageBox::Critical);
    QTest::newRow("exclamation") << "Error" << int(platform::MessageIcon::Exclamation) << "Error"
                                 << int(QMessageBox::Warning);
    QTest::newRow("plain, no title") << "" << int(platform::MessageIcon::None) << "Cramble" << int(QMessageBox::NoIcon);
}

void tst_MessageBoxSink::showsPromptTitleAndIcon()
{
    QFETCH(QString, title);
    QFETCH(int, icon);
    QFETCH(QString, shownTitle);
    QFETCH(int, shownIcon);

    platform::MessageBoxSink sink(nullptr, "Cramble");
    QString seenText, seenTitle;
    int seenIcon = -1;
    int buttons = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        seenText = box->text();
        seenTitle = box->windowTitle();
        seenIcon = box->icon();
        buttons = box->buttons().size();
        box->accept();
    });
    sink.message("Error running 'x'\r\nNo such file", title.toStdString(), static_cast<platform::MessageIcon>(icon));

    QCOMPARE(seenText, QStringLiteral("Error running 'x'\nNo such file"));
    QCOMPARE(seenTitle, shownTitle);
    QCOMPARE(seenIcon, shownIcon);
    QCOMPARE(buttons, 1);
}

// A short prompt under a long title: the box leaves the title bar room for the whole title.
void tst_MessageBoxSink::boxIsWideEnoughForItsTitle()
{
    platform::MessageBoxSink sink(nullptr, "Stavik");
    const QString title = QStringLiteral("Invalid Destination!");
    int width = 0, titleWidth = 0;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        QFont bold = box->font();
        bold.setBold(true);
        titleWidth = QFontMetrics(bold).horizontalAdvance(box->windowTitle());
        width = box->width();
        box->accept();
    });
    sink.message("Not found!", title.toStdString());
    QVERIFY2(width >= titleWidth + 120, qPrintable(QStringLiteral("%1 < %2 + 120").arg(width).arg(titleWidth)));
}

void tst_MessageBoxSink::showsTheNormalPointerOverABusyWindow()
{
    QApplication::setOverrideCursor(Qt::BusyCursor);
    int shapeWhileShown = -1;
    QTimer::singleShot(0, [&] {
        shapeWhileShown = QApplication::overrideCursor()->shape();
        QApplication::activeModalWidget()->close();
    });
    platform::MessageBoxSink(nullptr, "Cramble").message("done");
    QCOMPARE(shapeWhileShown, int(Qt::ArrowCursor));
    QCOMPARE(QApplication::overrideCursor()->shape(), Qt::BusyCursor); // back after the box
    QApplication::restoreOverrideCursor();
}

QTEST_MAIN(tst_MessageBoxSink)
#include "tst_MessageBoxSink.moc"
