#pragma once

#include <functional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/browser/FileMasks.h"
#include "core/browser/FileRow.h"

namespace veskar {

class Messenger;

/// Asked every few hundred directory entries while a folder is read; false stops the reading
/// (the rows so far are kept). The window processes its pending events in it.
using ListingPoll = std::function<bool()>;

/// The files of one folder as the file list shows them.
struct FileListing {
    std::vector<FileRow> rows; ///< in directory order, one per matching mask
    QString error;             ///< the system's reason when the folder could not be read
    bool stopped = false;      ///< the poll asked to stop
};

/// Lists the plain files of folder whose names match masks, in one read of the directory and
/// one stat per matching name; folders, devices, pipes and links that lead nowhere are left
/// out. A file matched by two masks gives two rows.
FileListing ListFiles(const QString& folder, const FileMasks& masks, const ListingPoll& poll = {});

/// Reads the size, date and attributes of the file again into row; its name and weight stay. A
/// file that is gone, or is no longer a plain file, gets empty size, date and attribute texts;
/// returns false then.
bool RefreshFileRow(const QString& path, FileRow& row);

/// The subfolders of a folder for the folder list and tree, in the locale's name order. Hidden
/// folders (names beginning with ".") are left out, as a file manager leaves them out.
struct SubfolderListing {
    QStringList names;
    QString error; ///< the system's reason when the folder could not be read
};
SubfolderListing ListSubfolders(const QString& folder);

/// P_File_DEL_FILE: asks "選択ファイルを、実際にディスクから削除します☆\n削除してよろしいですか?"
/// (timed, default No) and on Yes deletes each file, reporting one that cannot be deleted with
/// the timed message path + "\nこのファイルの削除に失敗しました・・・" and going on; at the end
/// the count of deleted files + "個、実際にファイルを削除しました☆\n削除完了☆". Returns which
/// files are gone (false for all when declined), so their rows can go and the rest stay.
std::vector<bool> DeleteFilesFromDisk(const QStringList& paths, Messenger& messenger);

} // namespace veskar
