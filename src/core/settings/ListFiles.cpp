#include "core/settings/ListFiles.h"

#include <algorithm>

#include <QDir>

#include "core/settings/TextFile.h"
#include "core/timelists/StartColors.h"

namespace veskar {

namespace {

QString PathIn(const QString& dir, const char* name) {
    return QDir(dir).filePath(QString::fromLatin1(name));
}

QStringList LoadOrEmpty(const QString& dir, const char* name) {
    return ReadListFile(PathIn(dir, name)).value_or(QStringList{});
}

} // namespace

QStringList LoadDriveFolderList(const QString& dir) {
    return LoadOrEmpty(dir, kDriveFolderFile);
}

QStringList LoadFilterList(const QString& dir) {
    QStringList filters = LoadOrEmpty(dir, kFilterFile);
    while (filters.size() < 2) {
        filters << QString();
    }
    filters[0] = QString::fromLatin1(kWavFilter);
    filters[1] = QString::fromLatin1(kAllFilesFilter);
    return filters;
}

int FilterIndex(const QStringList& filters, const QString& selectedText) {
    return std::max<int>(0, static_cast<int>(filters.indexOf(selectedText)));
}

QString FilterMask(const QStringList& filters, int index) {
    if (index == 1) {
        return QStringLiteral("*.*");
    }
    return filters.value(index);
}

QStringList LoadFolderHistory(const QString& dir) {
    return LoadOrEmpty(dir, kFolderHistoryFile);
}

QStringList LoadColorTagNames(const QString& dir) {
    QStringList names = LoadOrEmpty(dir, kColorTagNamesFile);
    if (names.isEmpty()) {
        names = DefaultColorTagNames();
    }
    while (names.size() < kStartColorCount) {
        names << QString();
    }
    return names;
}

QStringList SaveDataLists(const QString& dir, const DataLists& lists) {
    const std::pair<const char*, const QStringList*> files[] = {
        {kColorTagNamesFile, &lists.colorTagNames},
        {kDriveFolderFile, &lists.driveFolders},
        {kFolderHistoryFile, &lists.folderHistory},
        {kFilterFile, &lists.filters},
    };
    QStringList failures;
    // The folder may not exist yet on a first run that never loaded a list.
    QDir().mkpath(dir);
    for (const auto& [name, lines] : files) {
        const QString path = PathIn(dir, name);
        const QString error = WriteListFile(path, *lines);
        if (!error.isEmpty()) {
            failures << QString::fromUtf8(kListFileSaveError) + path + "\n" + error;
        }
    }
    return failures;
}

} // namespace veskar
