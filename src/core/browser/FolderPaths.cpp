#include "core/browser/FolderPaths.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/text/FolderText.h"

namespace veskar {

namespace {

bool CanEnter(const QString& folder) {
    return QFileInfo(folder).isDir() &&
           ::access(QFile::encodeName(folder).constData(), R_OK | X_OK) == 0;
}

} // namespace

QString BrowserFolderText(const QString& path) {
    return WithoutTrailingSeparator(QDir::cleanPath(path));
}

bool EnterFolder(const QString& folder) {
    if (folder.isEmpty() || !QFileInfo(folder).isAbsolute()) {
        return false;
    }
    if (!QFileInfo::exists(folder) && !QDir().mkpath(folder)) {
        return false;
    }
    return CanEnter(folder);
}

QString NearestUsableFolder(const QString& folder, const QString& fallback) {
    QString path = BrowserFolderText(folder);
    if (path.isEmpty() || !QFileInfo(path).isAbsolute()) {
        return fallback;
    }
    if (!QFileInfo::exists(path)) {
        QDir().mkpath(path);
    }
    while (!CanEnter(path)) {
        const QString parent = QFileInfo(path).path();
        if (parent == path) {
            return fallback;
        }
        path = parent;
    }
    return path;
}

QStringList FolderComponents(const QString& folder, const QString& driveRoot) {
    const bool onDrive = folder == driveRoot || folder.startsWith(driveRoot + u'/');
    const QString root = onDrive ? driveRoot : QStringLiteral("/");
    QStringList components{root};
    components << folder.mid(root.size()).split(u'/', Qt::SkipEmptyParts);
    return components;
}

QString ComponentPath(const QStringList& components, int last) {
    QString path = components.value(0);
    for (int i = 1; i <= last && i < components.size(); ++i) {
        path = ChildPath(path, components[i]);
    }
    return path;
}

QString ChildPath(const QString& folder, const QString& name) {
    return WithTrailingSeparator(folder) + name;
}

void RecordDriveFolder(QStringList& driveFolders, const QString& folder,
                       const std::vector<Volume>& volumes) {
    const QString drive = DriveOf(folder, volumes);
    driveFolders.removeIf([&](const QString& entry) { return DriveOf(entry, volumes) == drive; });
    driveFolders << folder;
}

QString RememberedFolder(const QStringList& driveFolders, const QString& root,
                         const std::vector<Volume>& volumes) {
    for (const QString& entry : driveFolders) {
        if (DriveOf(entry, volumes) == root) {
            return entry;
        }
    }
    return QString();
}

} // namespace veskar
