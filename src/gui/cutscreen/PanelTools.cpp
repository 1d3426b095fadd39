#include "gui/cutscreen/PanelTools.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPushButton>
#include <QScrollBar>

namespace veskar {

namespace {
constexpr QRgb kSilver = 0xC0C0C0;
}

QPushButton* MakePanelButton(const QString& name, const QString& caption, const QString& hint,
                             QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setFocusPolicy(Qt::NoFocus);
    const QFontMetrics metrics(button->font());
    button->setMinimumSize(metrics.horizontalAdvance(caption) + 12, metrics.height() + 8);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

void SetRunButtonEnabled(QPushButton* button, bool enabled) {
    button->setEnabled(enabled);
    QPalette palette;
    if (!enabled) {
        palette = button->palette();
        palette.setColor(QPalette::ButtonText, QColor::fromRgb(kSilver));
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor::fromRgb(kSilver));
    }
    button->setPalette(palette);
}

void ShowListFull(QAbstractItemView* box, bool full) {
    QPalette palette;
    if (full) {
        palette = box->palette();
        palette.setColor(QPalette::Base, Qt::red);
    }
    box->setPalette(palette);
}

void FitTimeListWidth(QAbstractItemView* box, const QString& widestText) {
    QFont bold = box->font();
    bold.setBold(true);
    const int text = QFontMetrics(bold).horizontalAdvance(widestText) + 8;
    box->setFixedWidth(text + box->verticalScrollBar()->sizeHint().width() +
                       2 * box->style()->pixelMetric(QStyle::PM_DefaultFrameWidth) + 4);
}

void KeepTimeListLines(QAbstractItemView* box, int lines) {
    box->setMinimumHeight(lines * (QFontMetrics(box->font()).height() + 1) + 2 * box->frameWidth());
}

} // namespace veskar
