#pragma once

#include <array>
#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/host/EventPump.h"
#include "core/host/Messenger.h"
#include "core/timelists/TimeText.h"

namespace veskar {

/// One row of the numbered table: a segment of the cut file from one registered time to the
/// next. Every text is what the view shows; tag is the start colour of the registered line the
/// row was made from ("" or "1".."6").
struct TableRow {
    QString number; ///< "No.", decimal
    QString start;  ///< time text
    QString end;    ///< time text
    QString length; ///< time text of end - start
    QString peak;   ///< "" until measured, then the decimal peak
    QString name;
    QString tag;

    bool operator==(const TableRow&) const = default;
};

/// The numbered time table (ListView_T): numbered segments of the cut file, with the selection
/// and the focused row. Rows outlive a change of cut file; they go only when deleted.
class NumberedTimeTable {
public:
    enum class Column : int { Number = 0, Start, End, Length, Peak, Name };
    static constexpr int kColumns = 6;

    int Count() const { return static_cast<int>(m_rows.size()); }
    const TableRow& Row(int index) const { return m_rows.at(static_cast<size_t>(index)); }
    const std::vector<TableRow>& Rows() const { return m_rows; }
    void Append(const TableRow& row);
    void SetName(int index, const QString& name) {
        m_rows.at(static_cast<size_t>(index)).name = name;
    }

    bool IsSelected(int index) const { return m_selected.at(static_cast<size_t>(index)) != 0; }
    void SetSelection(const std::vector<int>& selected, int focused);
    std::vector<int> SelectedIndexes() const;
    /// Makes index the focused and only selected row (-1: none).
    void SelectOnly(int index);
    /// The focused row, -1 when none.
    int Focused() const { return m_focused; }
    /// The row a click plays: the first selected one, row 0 when none is, -1 for an empty table.
    int PlayRow() const;

    /// Adds a row for every selected registered line, in order: from the line to the next one,
    /// the last to the end of the file; a line past the file's end leaves end and length empty.
    /// A segment the table holds already (same start and end) is
    /// skipped. Each new row becomes the only selected row and pump runs after it; interrupted is
    /// asked before each line and stops the run when true. Returns the number of rows added.
    int AddRows(const QStringList& registered, const QStringList& tags,
                const std::vector<int>& selected, const TimeFormat& format, EventPump* pump,
                const std::function<bool()>& interrupted);

    /// Moves the selected rows together one place up or down, keeping their order; at either end
    /// they stay where they are. They stay selected, the last one focused.
    void MoveSelected(bool up);
    /// Deletes the selected rows; returns how many.
    int DeleteSelected();
    /// Numbers the rows 1, 2, 3, ... in their order, after asking.
    void Renumber(Messenger& messenger);
    /// Measures the peak of every row that has none yet and whose end is after its start. The
    /// first failure is shown and ends the run; the rows not measured keep an empty cell.
    void MeasurePeaks(const QString& cutFile, Messenger& messenger, EventPump* pump);
    /// Sorts by a column, ascending on its first click and alternating after that; numbers and
    /// peaks compare by value. The focused row stays focused and the selection stays with its rows.
    void SortByColumn(Column column);

    /// Count label text: "12ｺ".
    QString CountText() const;

private:
    int NextNumber(int from) const;
    void Permute(const std::vector<int>& order);

    std::vector<TableRow> m_rows;
    std::vector<char> m_selected;
    int m_focused = -1;
    std::array<bool, kColumns> m_descending{};
};

/// Count label while an operation runs.
QString BusyCountText();
/// The message after deleting k rows.
QString RowsDeletedMessage(int k);

} // namespace veskar
