#pragma once

#include <array>
#include <vector>

#include <QStringList>

#include "core/browser/FileRow.h"

namespace veskar {

/// Puts rows into the order given as old indexes (order[i] is the row that goes to place i) and
/// returns the new index of the row that was at keepRow (-1 stays -1).
template <class Row>
int ReorderRows(std::vector<Row>& rows, const std::vector<size_t>& order, int keepRow) {
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    int newKeep = -1;
    for (size_t i = 0; i < order.size(); ++i) {
        if (static_cast<int>(order[i]) == keepRow) {
            newKeep = static_cast<int>(i);
        }
        sorted.push_back(std::move(rows[order[i]]));
    }
    rows = std::move(sorted);
    return newKeep;
}

/// Sorts names in the order of the user's locale.
void SortNames(QStringList& names);

/// Sorts rows by one column of the file list and returns the new index of the row that was at
/// keepRow (-1 stays -1), so the selection can follow it. Names, types and attributes sort by
/// the locale's comparison of their texts; sizes by the byte count, which is the magnitude
/// order the space-padded size texts give; dates by the time itself, so a file of 1999 sorts
/// before one of 2001 although "99" is above "01". Rows that compare equal keep their order.
int SortFileRows(std::vector<FileRow>& rows, FileColumn column, bool descending, int keepRow = -1);

/// The sort direction flags of the file list's columns. Every header click flips its column's
/// flag and sorts in the direction the flag then says. A freshly filled list is ascending by
/// name, so the flags start as if each column had last been sorted the other way round from
/// what its first click should do: the first click on the names sorts descending, on any
/// other column ascending.
class SortDirections {
public:
    SortDirections() { Reset(); }

    /// Flips the column's flag; returns true when that sort is descending.
    bool Toggle(FileColumn column);
    /// Back to the state of a freshly filled list.
    void Reset();

private:
    std::array<bool, kFileColumnCount> m_descending{};
};

} // namespace veskar
