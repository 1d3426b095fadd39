#pragma once

#include <QStyledItemDelegate>

namespace veskar {

/// Draws one time list line: a coloured line (start colour or level) on its colour, other
/// selected lines on the highlight; selected lines in bold; the text at the top-left corner.
class TimeListDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

} // namespace veskar
