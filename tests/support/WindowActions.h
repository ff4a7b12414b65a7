#pragma once

// What a user does to a window beyond clicks and typing, for the window tests of every program:
// dropping files, answering the message boxes an action opens, pressing a key in an active window.

#include <filesystem>
#include <functional>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include "platform/QtText.h"

namespace test_support {

// Drags a local path over target and drops it there, as a file manager does; true when it was taken.
inline bool dropPath(QWidget* target, const std::filesystem::path& path)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(platform::pathToQString(path))});
    QDragEnterEvent enter(QPoint(3, 3), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    if (!enter.isAccepted())
        return false;
    QDropEvent drop(QPointF(3, 3), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    return drop.isAccepted();
}

// Runs action and answers every message box it opens with button (or closes it when it has none).
// Returns the text of the last box, or "" when none opened.
inline QString answeringBoxes(QMessageBox::StandardButton button, const std::function<void()>& action)
{
    QString text;
    QTimer timer;
    timer.setInterval(0);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible())
            return;
        text = box->text();
        if (auto* answer = box->button(button))
            answer->click();
        else
            box->close();
    });
    timer.start();
    action();
    return text;
}

// Shows window, makes it the active one and presses key there (shortcuts act in the active window).
inline void pressInWindow(QWidget& window, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, key, modifiers);
}

} // namespace test_support
