#pragma once

#include <vector>

#include <QAbstractTableModel>
#include <QStyledItemDelegate>
#include <QTreeView>

#include "core/browser/FileRow.h"

namespace veskar {

/// The rows of the file list ListView1 as a table: the file name, size, type, date and
/// attribute columns. Column 0's header carries the row count, or "---" while the list fills.
class FileListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit FileListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    /// While filling, column 0 reads "---ｺ　ファイル名"; afterwards the count, "ｺ　ファイル名".
    void SetFilling(bool filling);
    void SetRows(std::vector<FileRow> rows);
    /// The rows for sorting and deleting; call Changed() after changing them in place.
    std::vector<FileRow>& Rows() { return m_rows; }
    const std::vector<FileRow>& Rows() const { return m_rows; }
    void Changed();
    void RowChanged(int row);

private:
    std::vector<FileRow> m_rows;
    bool m_filling = false;
};

/// Draws the selected row of a list bold, as every list of the browser does.
class BoldSelectionDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;
};

/// ListView1: the report view of the file list, read-only, whole rows selected, the column
/// widths following the list's width.
class FileListView : public QTreeView {
    Q_OBJECT
public:
    explicit FileListView(QWidget* parent = nullptr);

    /// The first selected row (the current one when it is selected), -1 when none is.
    int SelectedRow() const;
    /// Every selected row, in list order.
    std::vector<int> SelectedRows() const;
    /// Selects only this row, makes it current and scrolls to it.
    void SelectOnly(int row);

signals:
    /// One of the keys that act on a file (Backspace, Enter, End, Home, the arrows) was released.
    void FileKeyReleased();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
};

} // namespace veskar
