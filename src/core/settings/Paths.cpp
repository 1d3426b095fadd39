#include "core/settings/Paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include "core/text/FolderText.h"

namespace veskar {

bool IsFolderNotSet(const QString& folder) {
    return folder.isEmpty() || folder == "/" || folder == QLatin1String(kFolderNotSet) ||
           WithTrailingSeparator(folder) == QLatin1String(kFolderNotSet);
}

QString ProgramDir() {
    const QString named = qEnvironmentVariable("VESKAR_HOME");
    if (!named.isEmpty()) {
        return WithTrailingSeparator(QDir::cleanPath(named));
    }
    return WithTrailingSeparator(
        QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
}

QString DizeziDir() {
    return WithTrailingSeparator(QDir::homePath()) + "DIZEZI32/";
}

QString WorkDir() {
    return DizeziDir() + "TEMP/";
}

QString DefaultSettingFolder(const QString& dirName) {
    return DizeziDir() + dirName;
}

QString DefaultBrowserFolder() {
    const QString music = QStandardPaths::writableLocation(QStandardPaths::MusicLocation);
    return WithTrailingSeparator(!music.isEmpty() && QFileInfo(music).isDir() ? music
                                                                              : QDir::homePath());
}

QString FolderToBrowse(const QString& folder, const QString& dirName) {
    QString path = QDir::cleanPath(IsFolderNotSet(folder) ? DefaultSettingFolder(dirName) : folder);
    // A relative text has no place to start from; the home folder is the user's own.
    if (!QFileInfo(path).isAbsolute()) {
        return QDir::homePath();
    }
    while (!QFileInfo(path).isDir()) {
        const QString parent = QFileInfo(path).path();
        if (parent == path) {
            return QDir::homePath();
        }
        path = parent;
    }
    return path;
}

} // namespace veskar
