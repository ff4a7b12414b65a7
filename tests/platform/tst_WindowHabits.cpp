// The habits every window shares: dropped paths, the questions before something is lost, the busy
// indicator.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QtTest>

#include "platform/WindowHabits.h"

class tst_WindowHabits : public QObject
{
    Q_OBJECT

private slots:
    void dropGivesTheFirstLocalPath();
    void questionsReturnTheButtonPressed();
    void busyIndicatorShowsAndRestoresTheCursor();
};

namespace {

// Sends a drag-enter and a drop carrying urls; returns whether the target accepted the drop.
bool dropOnto(QWidget* target, const QList<QUrl>& urls)
{
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// Presses the button of the next modal message box.
void pressNext(QMessageBox::StandardButton button)
{
    QTimer::singleShot(0, [button] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        QVERIFY(box);
        box->button(button)->click();
    });
}

} // namespace

void tst_WindowHabits::dropGivesTheFirstLocalPath()
{
    QLineEdit field;
    field.setText(QStringLiteral("typed"));
    std::vector<std::filesystem::path> dropped;
    platform::acceptPathDrops(&field, [&](const std::filesystem::path& p) { dropped.push_back(p); });

    QVERIFY(!dropOnto(&field, {QUrl(QStringLiteral("https://example.org/x.tpl"))}));
    QVERIFY(dropOnto(&field, {QUrl(QStringLiteral("https://example.org/x.tpl")),
                              QUrl::fromLocalFile(QStringLiteral("/data/vc/Ü banner.brlyt")),
                              QUrl::fromLocalFile(QStringLiteral("/data/other.brlyt"))}));
    QCOMPARE(dropped.size(), std::size_t(1));
    QCOMPARE(QString::fromStdString(dropped[0].string()), QStringLiteral("/data/vc/Ü banner.brlyt"));
    // The field changes only through the handler.
    QCOMPARE(field.text(), QStringLiteral("typed"));
}

void tst_WindowHabits::questionsReturnTheButtonPressed()
{
    pressNext(QMessageBox::Discard);
    QCOMPARE(platform::askToSaveChanges(nullptr, "Lorvane", "banner.brlyt"), platform::SaveChoice::Discard);
    pressNext(QMessageBox::Cancel);
    QCOMPARE(platform::askToSaveChanges(nullptr, "Lorvane", "banner.brlyt"), platform::SaveChoice::Cancel);
    pressNext(QMessageBox::Save);
    QCOMPARE(platform::askToSaveChanges(nullptr, "Lorvane", "banner.brlyt"), platform::SaveChoice::Save);
    pressNext(QMessageBox::Yes);
    QVERIFY(platform::askYesNo(nullptr, "Cramble", "Replace game.ccf?"));
    pressNext(QMessageBox::No);
    QVERIFY(!platform::askYesNo(nullptr, "Cramble", "Replace game.ccf?"));
}

void tst_WindowHabits::busyIndicatorShowsAndRestoresTheCursor()
{
    QWidget window;
    new QLabel(&window); // another widget beside it
    auto* busyInWindow = new platform::BusyIndicator(&window);
    QCOMPARE(window.findChild<platform::BusyIndicator*>(), busyInWindow);

    platform::BusyIndicator busy;
    busy.show();
    busy.setBusy(true, QStringLiteral("Packing..."));
    QVERIFY(busy.isBusy());
    QVERIFY(QApplication::overrideCursor() != nullptr);
    busy.setBusy(false);
    QVERIFY(QApplication::overrideCursor() == nullptr);
}

QTEST_MAIN(tst_WindowHabits)
#include "tst_WindowHabits.moc"
