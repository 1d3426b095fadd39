#pragma once

#include <vector>

#include <QString>
#include <QStringList>

namespace veskar {

/// Fields of a memory-list row after its caption (the file name).
enum class MemoryField { Path = 0, Size, Type, Date, Attributes };
/// Every row carries eight fields: the five shown and three trailing ones that are carried
/// along untouched (the first of them is the shuffle weight of the play engine).
inline constexpr int kMemoryFieldCount = 8;

/// One row of a memory list (`ListView_M`).
struct MemoryRow {
    QString caption;
    QStringList fields; ///< kMemoryFieldCount texts once loaded or made by this program

    QString Path() const { return fields.value(static_cast<int>(MemoryField::Path)); }
    bool operator==(const MemoryRow&) const = default;
};

/// The file of a memory list: ProgramDir + name + ".VEW".
QString MemoryListPath(const QString& dir, const QString& name);

/// The list name that another program hands a list over in; it is taken over under a fresh
/// name when opened.
inline constexpr char kHandOverListName[] = "VESKARMA";
/// The name of the list there is when no ".VEW" file exists.
inline constexpr char kFirstListName[] = "VESKAR_M000";
/// Prefixes of the free-name rule: new and taken-over lists, and rescue copies.
inline constexpr char kNewListPrefix[] = "VESKAR_M";
inline constexpr char kRescueListPrefix[] = "救済";

/// The first prefix + n (n = 0, 1, ... written with at least three digits) for which dir holds
/// no ".VEW" file.
QString FreeListName(const QString& dir, const QString& prefix);

/// The names of the ".VEW" files in dir (without the extension), or kFirstListName alone when
/// there is none.
QStringList MemoryListNames(const QString& dir);

/// One line of a ".VEW" file: the caption and the fields, separated by tabs. A backslash, tab,
/// line feed or carriage return inside a text is written as "\\", "\t", "\n" or "\r", so any
/// path comes back as it was.
QString EncodeMemoryRow(const MemoryRow& row);
/// The row of a line. Any text is taken: a backslash before any other character, or at the
/// end, stands for itself.
MemoryRow DecodeMemoryRow(const QString& line);

/// A memory list as read from its file.
struct LoadedMemoryList {
    std::vector<MemoryRow> rows;
    /// The field count of row 0 when the file holds no layout this program knows (8, 5 or 4);
    /// the rows are then empty. -1 when the file was fine, empty or missing.
    int damagedFieldCount = -1;
};

/// Reads a ".VEW" file. Row 0's field count names the layout, and every row is brought to the
/// current one: 8 fields as they are; 5 (path, size, type, date, attributes) get three empty
/// fields; 4 (path, size, date, attributes) get the type from the caption and the trailing
/// fields i, i + 1, i + 2 of row index i. A row shorter than its layout gets empty fields; a
/// row longer loses the surplus.
LoadedMemoryList LoadMemoryList(const QString& path);

/// The message about a damaged list file (fieldCount as found in row 0).
QString DamagedMemoryListMessage(int fieldCount, const QString& path);

/// Writes the rows to path safely. Returns the reason on failure, empty on success.
QString SaveMemoryList(const QString& path, const std::vector<MemoryRow>& rows);

/// Where a memory list went when it was saved, and what went wrong on the way.
struct MemoryListSave {
    QString writtenPath; ///< empty when neither its own file nor a rescue file could be written
    QStringList errors;  ///< one message per file that could not be written
};

/// Writes the rows of list name into dir; when its own file cannot be written, into the first
/// free rescue name ("救済" + n) instead.
MemoryListSave SaveMemoryListOrRescue(const QString& dir, const QString& name,
                                      const std::vector<MemoryRow>& rows);

} // namespace veskar
