#include "core/browser/SelectionDialog.h"

#include <QDir>
#include <QFileInfo>

#include "core/browser/FolderPaths.h"
#include "core/host/Messenger.h"

namespace veskar {

std::vector<DialogFilter> DialogFilters(const QString& filter) {
    std::vector<DialogFilter> entries;
    const QStringList parts = filter.split(u'|');
    bool hasAll = false;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString shown = "(" + parts[i + 1] + ")";
        // A description that already shows its mask is not given it twice.
        entries.push_back(
            {parts[i].endsWith(shown) ? parts[i] : parts[i] + " " + shown, parts[i + 1]});
        hasAll = hasAll || parts[i + 1] == u"*.*";
    }
    if (!hasAll) {
        entries.push_back({QStringLiteral("ALL files (*.*)"), QStringLiteral("*.*")});
    }
    return entries;
}

QString DialogCaption(const QString& title, const QString& appTitle, bool fileMode,
                      const QString& suffix) {
    const QString tail = !suffix.isEmpty() ? suffix
                         : fileMode        ? QStringLiteral("ファイルの選択")
                                           : QStringLiteral("フォルダーの選択");
    return (title.isEmpty() ? appTitle : title) + tail;
}

QString DialogStartFolder(bool fileMode, const QString& fileName, const QString& directory,
                          const QString& initialDir, const QString& programDir) {
    const QString candidates[] = {fileMode && !fileName.isEmpty() ? QFileInfo(fileName).path()
                                                                  : QString(),
                                  directory, initialDir, programDir};
    for (const QString& candidate : candidates) {
        if (candidate.isEmpty() || !QFileInfo(candidate).isAbsolute()) {
            continue;
        }
        QString folder = BrowserFolderText(candidate);
        while (!QFileInfo(folder).isDir() && QFileInfo(folder).path() != folder) {
            folder = QFileInfo(folder).path();
        }
        if (QFileInfo(folder).isDir()) {
            return folder;
        }
    }
    return QDir::homePath();
}

QString NewFolderCaption(const QString& folder) {
    constexpr int kLongest = 38;
    constexpr int kTail = 35;
    return (folder.size() > kLongest ? "..." + folder.right(kTail) : folder) + "     ";
}

FileChoice ChooseFile(const QString& fileText, const QString& folder, const QString& defaultExt) {
    const QString name = fileText.mid(fileText.lastIndexOf(u'/') + 1);
    const QString refused = fileText + "\n" + name + "\nファイル名が不正です・・・";
    FileChoice choice;
    if (name.isEmpty()) {
        choice.error = refused;
        return choice;
    }
    if (name == fileText) {
        choice.path = ChildPath(BrowserFolderText(folder), name);
    } else if (fileText.startsWith(u'/')) {
        choice.path = fileText;
    } else {
        choice.error = refused + "\nファイル名のみか、フルパス(ドライブ名付)で設定して下さい☆";
        return choice;
    }
    const QString extension = "." + defaultExt.toLower();
    if (!defaultExt.isEmpty() && !choice.path.toLower().endsWith(extension)) {
        choice.path += "." + defaultExt;
    }
    return choice;
}

bool MayOverwrite(const QString& path, Messenger& messenger) {
    if (!QFileInfo::exists(path)) {
        return true;
    }
    return messenger.AskTimedQuestion(QFileInfo(path).fileName() + "\n" + path +
                                          "\n同名のファイルが既に存在します・・・\n"
                                          "ファイルを書き換えますか?",
                                      Messenger::No) == Messenger::Yes;
}

QString MakeNewFolder(const QString& folder, const QString& name, Messenger& messenger) {
    const QString path = ChildPath(folder, name);
    if (name.isEmpty() || !QDir().mkpath(path) || !QFileInfo(path).isDir()) {
        messenger.ShowMessage(QStringLiteral("フォルダー作成エラー"));
        return QString();
    }
    return path;
}

QString DeleteFolder(const QString& folder, Messenger& messenger) {
    if (messenger.AskTimedQuestion(folder + "\nこのフォルダーを削除します☆", Messenger::No) !=
        Messenger::Yes) {
        return QString();
    }
    const QString parent = QFileInfo(folder).path();
    if (parent == folder || !QDir().rmdir(folder)) {
        messenger.ShowTimedMessage(folder + "\nフォルダーの削除に失敗しました・・・",
                                   Messenger::Ok);
        return QString();
    }
    return parent;
}

void FolderSteps::Shown(const QString& folder) {
    if (m_folders.isEmpty() || m_folders.constLast() != folder) {
        m_folders << folder;
    }
}

QString FolderSteps::Back() {
    if (!CanGoBack()) {
        return QString();
    }
    m_folders.removeLast();
    return m_folders.constLast();
}

} // namespace veskar
