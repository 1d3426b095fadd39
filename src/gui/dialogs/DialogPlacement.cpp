#include "gui/dialogs/DialogPlacement.h"

#include <algorithm>

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "core/host/Messenger.h"

namespace veskar {

void CenterOver(QWidget* form, QWidget* source) {
    QWidget* over = source ? source->window() : QApplication::activeWindow();
    if (over == form) {
        over = nullptr;
    }
    QScreen* screen = nullptr;
    QRect target;
    if (over && over->isVisible()) {
        target = over->frameGeometry();
        screen = over->screen();
        // Forms are made without a parent so that they never die with a window while their
        // caller waits on them; the window manager still keeps them above that window.
        form->winId();
        if (form->windowHandle() && over->windowHandle()) {
            form->windowHandle()->setTransientParent(over->windowHandle());
        }
    }
    if (!screen) {
        screen = QGuiApplication::primaryScreen();
    }
    const QRect workArea = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    if (target.isEmpty()) {
        target = workArea;
    }

    const QSize size = form->frameGeometry().size().expandedTo(form->size());
    QPoint topLeft(target.center().x() - size.width() / 2, target.center().y() - size.height() / 2);
    // Keep the whole frame on the screen; a form larger than the work area shows its top left.
    topLeft.setX(
        std::max(workArea.left(), std::min(topLeft.x(), workArea.right() + 1 - size.width())));
    topLeft.setY(
        std::max(workArea.top(), std::min(topLeft.y(), workArea.bottom() + 1 - size.height())));
    form->move(topLeft);
}

QString CaptionOrAppTitle(const QString& title) {
    return title.isEmpty() ? QGuiApplication::applicationDisplayName() : title;
}

QHBoxLayout* MakeSetCancelRow(QDialog* dialog, QPushButton*& set, QPushButton*& cancel) {
    set = new QPushButton("設 定", dialog);
    set->setObjectName("Btn_SET");
    set->setDefault(true);
    cancel = new QPushButton("中 止", dialog);
    cancel->setObjectName("Btn_CANCEL");
    cancel->setAutoDefault(false);
    QObject::connect(cancel, &QPushButton::clicked, dialog,
                     [dialog] { dialog->done(Messenger::Cancel); });
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(set);
    row->addWidget(cancel);
    return row;
}

} // namespace veskar
