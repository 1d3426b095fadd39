#pragma once

// Drives the window in tests as a user would: answers its modal dialogs, clicks and selects in
// its lists, and reads back what they show.
#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <memory>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "core/host/Messenger.h"
#include "gui/dialogs/TMKBox.h"
#include "gui/dialogs/TMKBoxDlg.h"
#include "support/QtPrint.h"

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

/// Shows a widget as the active window, painted, so keys reach it.
inline void ShowActive(QWidget* widget) {
    widget->show();
    QApplication::setActiveWindow(widget);
    QApplication::processEvents();
}

template <class T> int VisibleCount() {
    int count = 0;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        count += qobject_cast<T*>(widget) && widget->isVisible() ? 1 : 0;
    }
    return count;
}

/// Runs action on the first visible top-level widget of type T (accepted by accept, when given)
/// as soon as one appears. It polls from a timer, so it also runs inside the modal loop of the
/// dialog under test. When nothing appears within 5 s the test fails and the dialogs close.
template <class T>
void WhenShown(std::function<void(T*)> action, std::function<bool(T*)> accept = {}) {
    auto* poll = new QTimer;
    auto polls = std::make_shared<int>(0);
    poll->setInterval(5);
    QObject::connect(poll, &QTimer::timeout, [poll, polls, action, accept] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* found = qobject_cast<T*>(widget);
            if (found && found->isVisible() && (!accept || accept(found))) {
                poll->stop();
                poll->deleteLater();
                action(found);
                return;
            }
        }
        if (++*polls > 1000) {
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "the expected dialog did not appear";
            CloseAllDialogs();
        }
    });
    poll->start();
}

/// Runs action once on the form of the next box a dialog component opens, as soon as its modal
/// loop runs. The message box passes its slot as well: action(form, slot).
template <class Dlg, class Action> void OnNextBox(Dlg& dlg, Action action) {
    auto connection = std::make_shared<QMetaObject::Connection>();
    *connection =
        QObject::connect(&dlg, &Dlg::BoxOpening, &dlg, [&dlg, action, connection](auto... slot) {
            QObject::disconnect(*connection);
            QTimer::singleShot(0, &dlg,
                               [&dlg, action, slot...] { action(dlg.Form(slot...), slot...); });
        });
}

/// Clicks the button named buttonName (Btn_OK, Btn_Yes, Btn_No, Btn_Abort) of the next message
/// box that shows, keeping its text in *text when given.
inline void AnswerNextBox(const char* buttonName, QString* text = nullptr) {
    WhenShown<TMKBox>([buttonName, text](TMKBox* box) {
        if (text) {
            *text = box->MemoMsg->toPlainText();
        }
        box->findChild<QPushButton*>(buttonName)->click();
    });
}

/// Drives a setting box (the count box, the time-range box) through Execute: action changes
/// its form, "設 定" is pressed and the message box it raises answered with buttonName (its
/// text kept in *text); a form still open after that is cancelled.
template <class Dlg, class Action>
int SetAndAnswer(Dlg& dlg, Action action, const char* buttonName, QString* text) {
    OnNextBox(dlg, [=](auto* form) {
        action(form);
        AnswerNextBox(buttonName, text);
        form->Btn_SET->click();
        if (form->isVisible()) {
            form->Btn_CANCEL->click();
        }
    });
    return dlg.Execute();
}

/// Answers every box of a message box component as it opens, from a script of answers (Ok,
/// Yes, No); once the script is used up each box gets its default button. Keeps every
/// text shown.
class BoxAnswerer {
public:
    explicit BoxAnswerer(TMKBoxDlg& boxes) {
        QObject::connect(&boxes, &TMKBoxDlg::BoxOpening, &boxes, [this, &boxes](int slot) {
            QTimer::singleShot(0, &boxes, [this, box = QPointer<TMKBox>(boxes.Form(slot))] {
                if (!box) {
                    return;
                }
                shown << box->MemoMsg->toPlainText();
                const int answer = answers.empty() ? Messenger::None : answers.front();
                answers.erase(answers.begin(), answers.begin() + (answers.empty() ? 0 : 1));
                (answer == Messenger::Yes  ? box->Btn_Yes
                 : answer == Messenger::No ? box->Btn_No
                 : answer == Messenger::Ok ? box->Btn_OK
                                           : box->DefaultButton())
                    ->click();
            });
        });
    }
    std::deque<int> answers;
    QStringList shown;
};

/// Selects rows of a list as a user would, through the view; the first becomes current.
inline void SelectRows(QAbstractItemView* box, std::initializer_list<int> rows) {
    box->clearSelection();
    for (const int row : rows) {
        box->selectionModel()->select(box->model()->index(row, 0), QItemSelectionModel::Select);
    }
    box->selectionModel()->setCurrentIndex(box->model()->index(*rows.begin(), 0),
                                           QItemSelectionModel::NoUpdate);
}

/// The texts a list shows, top to bottom.
inline QStringList Shown(const QAbstractItemView* box) {
    QStringList texts;
    for (int row = 0; row < box->model()->rowCount(); ++row) {
        texts.append(box->model()->index(row, 0).data().toString());
    }
    return texts;
}

inline void SendMouse(QWidget* target, QEvent::Type type, QPoint at = {2, 2},
                      Qt::MouseButton button = Qt::LeftButton) {
    QMouseEvent event(type, at, target->mapToGlobal(at), button,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : button, Qt::NoModifier);
    QApplication::sendEvent(target, &event);
}

/// A left click on a row of a list (press and release).
inline void ClickRow(QAbstractItemView* box, int row) {
    const QPoint at = box->visualRect(box->model()->index(row, 0)).center();
    SendMouse(box->viewport(), QEvent::MouseButtonPress, at);
    SendMouse(box->viewport(), QEvent::MouseButtonRelease, at);
}

inline void PressKey(QWidget* widget, int key, Qt::KeyboardModifiers modifiers = {}) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(widget, &event);
}

} // namespace veskar::test
