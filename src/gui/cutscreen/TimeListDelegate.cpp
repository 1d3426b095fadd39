#include "gui/cutscreen/TimeListDelegate.h"

#include <QPainter>

#include "gui/cutscreen/TimeListModel.h"

namespace veskar {

namespace {
constexpr int kTextMargin = 3;
// Selection is drawn in a neutral dark grey: the platform's highlight is a blue that reads as the
// blue start colour, and a selected line must never look like a tagged one.
const QColor kSelectionBack(64, 64, 64);
const QColor kSelectionText(255, 255, 255);
} // namespace

void TimeListDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
    const bool selected = option.state.testFlag(QStyle::State_Selected);
    const QVariant background = index.data(Qt::BackgroundRole);
    QColor textColor = option.palette.color(QPalette::Text);
    painter->save();
    if (background.isValid()) {
        painter->fillRect(option.rect, background.value<QColor>());
        textColor = index.data(Qt::ForegroundRole).value<QColor>();
        if (selected) {
            // A coloured line keeps its colour when selected; a frame and the bold text show it.
            painter->setPen(QPen(kSelectionBack, 2));
            painter->drawRect(option.rect.adjusted(1, 1, -1, -1));
        }
    } else if (selected) {
        painter->fillRect(option.rect, kSelectionBack);
        textColor = kSelectionText;
    }
    QFont font = option.font;
    font.setBold(selected);
    painter->setFont(font);
    painter->setPen(textColor);
    painter->drawText(option.rect.adjusted(kTextMargin, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop,
                      index.data(Qt::DisplayRole).toString() +
                          index.data(TimeListModel::kSuffixRole).toString());
    if (option.state.testFlag(QStyle::State_HasFocus)) {
        QPen pen(textColor);
        pen.setStyle(Qt::DotLine);
        painter->setPen(pen);
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
    painter->restore();
}

QSize TimeListDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex&) const {
    QFont bold = option.font;
    bold.setBold(true);
    const QFontMetrics metrics(bold);
    return {metrics.horizontalAdvance(QStringLiteral("000.00000")) + 2 * kTextMargin,
            metrics.height() + 1};
}

} // namespace veskar
