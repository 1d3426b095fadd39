#pragma once

#include <vector>

#include <QString>
#include <QStringList>

#include "core/browser/Volumes.h"

namespace veskar {

/// A folder as the browser keeps it: cleaned, without a trailing separator ("/" stays).
QString BrowserFolderText(const QString& path);

/// Entering a folder: a folder that does not exist is created with its missing parents, and it
/// must then be a folder the user may read and enter. False when it is not.
bool EnterFolder(const QString& folder);

/// Where the browser goes when folder fails: folder itself when it can be entered (after one
/// attempt to create it), else its deepest ancestor that can be entered; fallback for a text
/// that is no absolute path.
QString NearestUsableFolder(const QString& folder, const QString& fallback);

/// The components of a folder for the folder list: the drive root, then each folder name
/// below it. A folder outside driveRoot is split from "/".
QStringList FolderComponents(const QString& folder, const QString& driveRoot);
/// The ancestor made of components 0..last.
QString ComponentPath(const QStringList& components, int last);
/// A subfolder of folder.
QString ChildPath(const QString& folder, const QString& name);

/// `DriveFolderList`: one folder per drive, keyed by the drive's mount root. Records folder as
/// the last one visited on its drive: the entry of the same drive goes, folder is appended.
void RecordDriveFolder(QStringList& driveFolders, const QString& folder,
                       const std::vector<Volume>& volumes);
/// The folder last visited on the drive at root; empty when there is none.
QString RememberedFolder(const QStringList& driveFolders, const QString& root,
                         const std::vector<Volume>& volumes);

} // namespace veskar
