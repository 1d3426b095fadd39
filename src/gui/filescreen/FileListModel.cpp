#include "gui/filescreen/FileListModel.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>

namespace veskar {

namespace {

const char* const kCaptions[kFileColumnCount] = {"ファイル名", "サイズ", "種類", "日付", "属性"};

const QString& Text(const FileRow& row, int column) {
    switch (static_cast<FileColumn>(column)) {
    case FileColumn::Name:
        return row.name;
    case FileColumn::Size:
        return row.sizeText;
    case FileColumn::Type:
        return row.typeText;
    case FileColumn::Date:
        return row.dateText;
    case FileColumn::Attributes:
        break;
    }
    return row.attributeText;
}

} // namespace

FileListModel::FileListModel(QObject* parent) : QAbstractTableModel(parent) {
}

int FileListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int FileListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kFileColumnCount;
}

QVariant FileListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const FileRow& row = m_rows[static_cast<size_t>(index.row())];
    switch (role) {
    case Qt::DisplayRole:
        return Text(row, index.column());
    case Qt::TextAlignmentRole: {
        const auto column = static_cast<FileColumn>(index.column());
        const bool right = column == FileColumn::Size || column == FileColumn::Attributes;
        return QVariant::fromValue(Qt::AlignVCenter | (right ? Qt::AlignRight : Qt::AlignLeft));
    }
    case Qt::FontRole:
        if (row.IsSystem() || row.IsHidden()) {
            QFont font;
            font.setItalic(row.IsSystem());
            font.setStrikeOut(row.IsHidden());
            return font;
        }
        return {};
    default:
        return {};
    }
}

QVariant FileListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= kFileColumnCount) {
        return {};
    }
    if (role == Qt::TextAlignmentRole) {
        return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role != Qt::DisplayRole) {
        return {};
    }
    const QString caption = QString::fromUtf8(kCaptions[section]);
    if (section != 0) {
        return caption;
    }
    const QString count = m_filling ? QStringLiteral("---") : QString::number(rowCount());
    return count + QStringLiteral("ｺ　") + caption;
}

void FileListModel::SetFilling(bool filling) {
    m_filling = filling;
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void FileListModel::SetRows(std::vector<FileRow> rows) {
    beginResetModel();
    m_rows = std::move(rows);
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void FileListModel::Changed() {
    beginResetModel();
    endResetModel();
    emit headerDataChanged(Qt::Horizontal, 0, 0);
}

void FileListModel::RowChanged(int row) {
    emit dataChanged(index(row, 0), index(row, kFileColumnCount - 1));
}

void BoldSelectionDelegate::initStyleOption(QStyleOptionViewItem* option,
                                            const QModelIndex& index) const {
    QStyledItemDelegate::initStyleOption(option, index);
    if (option->state & QStyle::State_Selected) {
        option->font.setBold(true);
    }
}

FileListView::FileListView(QWidget* parent) : QTreeView(parent) {
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setItemsExpandable(false);
    setAllColumnsShowFocus(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setItemDelegate(new BoldSelectionDelegate(this));
    header()->setSectionsClickable(true);
    header()->setStretchLastSection(false);
    header()->setSortIndicatorShown(false);
}

int FileListView::SelectedRow() const {
    const std::vector<int> rows = SelectedRows();
    if (rows.empty()) {
        return -1;
    }
    const int current = currentIndex().row();
    return std::find(rows.begin(), rows.end(), current) != rows.end() ? current : rows.front();
}

std::vector<int> FileListView::SelectedRows() const {
    std::vector<int> rows;
    if (!selectionModel()) {
        return rows;
    }
    for (const QModelIndex& index : selectionModel()->selectedIndexes()) {
        rows.push_back(index.row());
    }
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    return rows;
}

void FileListView::SelectOnly(int row) {
    if (!model() || row < 0 || row >= model()->rowCount()) {
        return;
    }
    const QModelIndex index = model()->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                 QItemSelectionModel::Rows);
    scrollTo(index);
}

void FileListView::resizeEvent(QResizeEvent* event) {
    QTreeView::resizeEvent(event);
    const int width = viewport()->width();
    const int widths[kFileColumnCount] = {width / 3 - 25, width / 5 - 10, width / 9 - 10,
                                          width / 3 - 10, width / 9 - 10};
    // A narrow list keeps the fixed-width texts whole and scrolls sideways instead.
    const QFontMetrics metrics = fontMetrics();
    const int pad = 2 * metrics.averageCharWidth();
    const int least[kFileColumnCount] = {
        metrics.horizontalAdvance(QStringLiteral("MMMMMMMM.wav")) + pad,
        metrics.horizontalAdvance(QStringLiteral("999,999,999")) + pad,
        metrics.horizontalAdvance(QStringLiteral("wav")) + pad,
        metrics.horizontalAdvance(QStringLiteral("00/00/00 00:00:00 Wed")) + pad,
        metrics.horizontalAdvance(QStringLiteral("RSHA")) + pad};
    // The shares add up to a little more than the width: the name column gives up the excess,
    // so that the attribute letters stay in sight without scrolling.
    int others = 0;
    for (int column = 1; column < kFileColumnCount; ++column) {
        const int columnWidth = std::max(widths[column], least[column]);
        setColumnWidth(column, columnWidth);
        others += columnWidth;
    }
    setColumnWidth(0, std::max(std::min(widths[0], width - others), least[0]));
}

void FileListView::keyReleaseEvent(QKeyEvent* event) {
    QTreeView::keyReleaseEvent(event);
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (!event->isAutoRepeat()) {
            emit FileKeyReleased();
        }
        break;
    default:
        break;
    }
}

} // namespace veskar
