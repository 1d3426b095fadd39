#include "gui/main/MessageBoxMessenger.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

namespace veskar {

namespace {
constexpr int kCountdownSeconds = 10;
}

int MessageBoxMessenger::ShowMessage(const QString& text) {
    return Show(text, Buttons::Ok, 0, Ok);
}

int MessageBoxMessenger::ShowTimedMessage(const QString& text, int defaultResult) {
    return Show(text, Buttons::Ok, kCountdownSeconds, defaultResult);
}

int MessageBoxMessenger::AskTimedQuestion(const QString& text, int defaultResult) {
    return Show(text, Buttons::YesNo, kCountdownSeconds, defaultResult);
}

int MessageBoxMessenger::ShowError(const QString& text, int defaultResult) {
    return Show(text, Buttons::OkAbort, kCountdownSeconds, defaultResult);
}

int MessageBoxMessenger::AskErrorQuestion(const QString& text, int defaultResult) {
    return Show(text, Buttons::YesNoAbort, kCountdownSeconds, defaultResult);
}

int MessageBoxMessenger::ShowErrorFor(const QString& text, int seconds, int defaultResult) {
    return Show(text, Buttons::OkAbort, seconds, defaultResult);
}

int MessageBoxMessenger::Show(const QString& text, Buttons buttons, int seconds,
                              int defaultResult) {
    QMessageBox box(m_parent);
    box.setWindowTitle(QStringLiteral("PIRVAN SOUND カッター"));
    box.setText(text);
    const bool question = buttons == Buttons::YesNo || buttons == Buttons::YesNoAbort;
    box.setIcon(question ? QMessageBox::Question : QMessageBox::Information);
    QAbstractButton* ok = nullptr;
    QAbstractButton* yes = nullptr;
    QAbstractButton* no = nullptr;
    QAbstractButton* abort = nullptr;
    if (question) {
        yes = box.addButton(QStringLiteral("はい"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("いいえ"), QMessageBox::NoRole);
    } else {
        ok = box.addButton(QStringLiteral("ＯＫ"), QMessageBox::AcceptRole);
    }
    if (buttons == Buttons::OkAbort || buttons == Buttons::YesNoAbort) {
        abort = box.addButton(QStringLiteral("中 断"), QMessageBox::RejectRole);
    }
    bool timedOut = false;
    if (seconds > 0) {
        QTimer::singleShot(seconds * 1000, &box, [&box, &timedOut] {
            timedOut = true;
            box.done(0);
        });
    }
    box.exec();
    if (timedOut) {
        return defaultResult;
    }
    const QAbstractButton* clicked = box.clickedButton();
    if (clicked == nullptr) {
        return abort != nullptr ? Abort : defaultResult;
    }
    if (clicked == yes) {
        return Yes;
    }
    if (clicked == no) {
        return No;
    }
    if (clicked == abort) {
        return Abort;
    }
    return clicked == ok ? Ok : defaultResult;
}

} // namespace veskar
