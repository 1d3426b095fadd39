#include "core/timelists/CutListFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace veskar {

QString CutFileBase(const QString& wavPath) {
    return QFileInfo(wavPath).completeBaseName();
}

QStringList CutListFilesOf(const QString& dir, const QString& base) {
    // The directory is read whole and the names compared here rather than through a name
    // filter: a base may hold "*", "?" or "[", which a filter would take for wildcards.
    QStringList found;
    if (base.isEmpty()) {
        return found;
    }
    const QStringList names =
        QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name);
    for (const QString& name : names) {
        if (!name.startsWith(base)) {
            continue;
        }
        const QString rest = name.mid(base.size());
        const bool single = rest == u".ARS" || rest == u".STA" || rest == u".IND";
        const bool named = rest.size() == 10 && rest.startsWith(u"CL_") &&
                           (rest.endsWith(u".ARS") || rest.endsWith(u".STA"));
        if (single || named) {
            found.append(QDir(dir).filePath(name));
        }
    }
    return found;
}

QStringList DeleteAllCutLists(const QString& dir, const QString& base) {
    QStringList failed;
    for (const QString& path : CutListFilesOf(dir, base)) {
        if (!QFile::remove(path)) {
            failed.append(path);
        }
    }
    return failed;
}

} // namespace veskar
