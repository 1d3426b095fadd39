#pragma once

#include <array>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/browser/FileRow.h"
#include "core/browser/MemoryListFile.h"

namespace veskar {

class Messenger;

/// The row that registering a file-list row of folder adds: the same caption, the full path,
/// then the row's texts and its weight; a row without a size text (no longer a plain file)
/// gets empty texts.
MemoryRow MakeMemoryRow(const QString& folder, const FileRow& fileRow);

/// `Btn_Koshin` for one row: size, date and attributes from the file (empty texts when it is
/// missing), the type from the caption. Returns false when the file is missing.
bool RefreshMemoryRow(MemoryRow& row);

/// Why name cannot become the current list's new name, or empty when it can. entries are the
/// names in `ComboBox_M` (the current one included), compared without regard to letter case;
/// dir is the folder of the ".VEW" files.
QString ListRenameRefusal(const QString& name, const QStringList& entries, const QString& dir);

/// `Button_UP` / `Button_DOWN`: takes the selected rows out and puts them back together, in
/// their order, one place above (up) or below the first of them, clamped to the list. Returns
/// the index the first of them now has, -1 when none was selected. Indexes out of range are
/// ignored.
int MoveMemoryRows(std::vector<MemoryRow>& rows, const std::vector<int>& selected, bool up);

/// Columns of `ListView_M`.
enum class MemoryColumn { Caption = 0, Path, Size, Type, Date, Attributes };
inline constexpr int kMemoryColumnCount = 6;

/// Sorts rows by one column and returns the new index of the row that was at keepRow (-1 stays
/// -1). Sizes compare as their texts padded to one width with leading spaces, which is their
/// magnitude; every other column compares its text in the locale's order. Equal rows keep
/// their order.
int SortMemoryRows(std::vector<MemoryRow>& rows, MemoryColumn column, bool descending,
                   int keepRow = -1);

/// The sort direction of each column: a click flips it. The first click sorts the caption and
/// path columns descending, the others ascending.
class MemorySortDirections {
public:
    MemorySortDirections();
    /// Flips the column's direction; returns true when that sort is descending.
    bool Toggle(MemoryColumn column);

private:
    std::array<bool, kMemoryColumnCount> m_descending{};
};

/// `P_File_DEL` on the file screen: asks once, then deletes each row's file from the disk and
/// its registered-time and cut-list files from dir. A file that cannot be deleted is reported
/// and its row stays. Returns which rows are to go (all false when declined); the closing
/// message counts rows and files.
std::vector<bool> DeleteMemoryFiles(const std::vector<MemoryRow>& rows, const QString& dir,
                                    Messenger& messenger);

/// The question about a registered file that is gone.
QString MissingFileQuestion(const QString& path);

/// The missing-file rule of a row chosen in the memory list or the cut file box: from index on,
/// the first row whose file exists (its row refreshed on the way). A missing file is asked
/// about: Yes removes its row and its registered-time and cut-list files from dir and looks at
/// the row that takes its place, No looks at the next row (the first after the last). Returns
/// -1 when the user aborts, the list runs empty, or every row left was passed over once. The
/// files whose rows and times went are added to dropped when given.
int FindExistingRow(std::vector<MemoryRow>& rows, int index, const QString& dir,
                    Messenger& messenger, QStringList* dropped = nullptr);

} // namespace veskar
