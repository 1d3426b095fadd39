#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWidget>

namespace veskar::test {

/// Closes every visible dialog, innermost loops included, so a failed test cannot hang in a
/// modal loop.
inline void CloseAllDialogs() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible()) {
            dialog->done(0);
        }
    }
}

/// Runs action on the first visible top-level widget of type T (accepted by accept, when given)
/// as soon as one appears. It polls from a timer, so it also runs inside the modal loop of the
/// dialog under test. When nothing appears in time the test fails and the dialogs are closed.
template <class T>
void WhenShown(std::function<void(T*)> action, std::function<bool(T*)> accept = {},
               int limitMs = 5000) {
    auto* poll = new QTimer;
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, clock, action, accept, limitMs] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* found = qobject_cast<T*>(widget);
            if (found && found->isVisible() && (!accept || accept(found))) {
                poll->stop();
                poll->deleteLater();
                action(found);
                return;
            }
        }
        if (clock->elapsed() > limitMs) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the expected dialog did not appear";
            CloseAllDialogs();
        }
    });
    poll->start();
}

/// Lets the event loop run for a while (timers fire, dialogs stay responsive).
inline void RunEventsFor(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

/// Counts the visible top-level widgets of type T.
template <class T> int VisibleCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (qobject_cast<T*>(widget) && widget->isVisible()) {
            ++count;
        }
    }
    return count;
}

} // namespace veskar::test
