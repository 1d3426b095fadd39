#pragma once

#include <QString>
#include <QStringList>

namespace veskar {

/// The list files of the program folder.
inline constexpr char kDriveFolderFile[] = "VESKARCD.LIS";   ///< `DriveFolderList`
inline constexpr char kFilterFile[] = "VESKARFK.LIS";        ///< extension filter entries
inline constexpr char kFolderHistoryFile[] = "VESKARFH.LIS"; ///< folder history entries
inline constexpr char kColorTagNamesFile[] = "VESKARMN.LIS"; ///< `ColorTagNames`

/// The two filter entries every filter list starts with.
inline constexpr char kWavFilter[] = "*.WAV";
inline constexpr char kAllFilesFilter[] = "ALL (*.*)";

/// Prefix of the message about a list file that could not be written; the path, "\n" and the
/// reason follow.
inline constexpr char kListFileSaveError[] = "データファイル保存エラー：";

/// `DriveFolderList` from "VESKARCD.LIS" in dir: the last folder visited on each drive. Empty
/// when the file is missing or unreadable.
QStringList LoadDriveFolderList(const QString& dir);

/// The filter entries from "VESKARFK.LIS" in dir: at least two, entry 0 always "*.WAV" and
/// entry 1 always "ALL (*.*)" (a user line in those places is overwritten), user masks after.
QStringList LoadFilterList(const QString& dir);
/// The entry to select: the one whose text is selectedText ("KAKU_S"), entry 0 when none is.
int FilterIndex(const QStringList& filters, const QString& selectedText);
/// `FileMask` of a selected entry: "*.*" for entry 1, the entry's text otherwise.
QString FilterMask(const QStringList& filters, int index);

/// The folder history from "VESKARFH.LIS" in dir, most recent first. Empty when missing.
QStringList LoadFolderHistory(const QString& dir);

/// `ColorTagNames` from "VESKARMN.LIS" in dir: the file's lines when it exists; the default
/// names when it is missing or empty; padded with empty names to at least seven.
QStringList LoadColorTagNames(const QString& dir);

/// The in-memory lists behind the list files.
struct DataLists {
    QStringList colorTagNames;
    QStringList driveFolders;
    QStringList folderHistory;
    QStringList filters;
};

/// Writes "VESKARMN.LIS", "VESKARCD.LIS", "VESKARFH.LIS" and "VESKARFK.LIS" into dir in that
/// order, each on its own: one that fails does not keep the others from being written, and its
/// earlier file stays whole. Returns one message per file that failed (`kListFileSaveError`,
/// the path, "\n", the reason); empty when all were written.
QStringList SaveDataLists(const QString& dir, const DataLists& lists);

} // namespace veskar
