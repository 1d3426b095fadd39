#include "core/settings/FolderRegistration.h"

#include <QDir>
#include <QFileInfo>

#include "core/host/Messenger.h"

namespace veskar {

namespace {

FolderRegistration Unusable(const QString& text, Messenger& messenger) {
    messenger.ShowMessage("[ " + text + " ]\n" + QStringLiteral("データが不正です"));
    return FolderRegistration::Unusable;
}

} // namespace

FolderRegistration RegisterFolder(const QString& text, Messenger& messenger, QString& folder) {
    QString path = text.trimmed();
    if (path.isEmpty()) {
        messenger.ShowMessage(QStringLiteral("フォルダーを設定して下さい。"));
        return FolderRegistration::Empty;
    }
    if (path == "~" || path.startsWith("~/")) {
        path = QDir::homePath() + path.mid(1);
    }
    // A relative path would land wherever the program happened to start.
    if (!QDir::isAbsolutePath(path)) {
        return Unusable(text, messenger);
    }
    path = QDir::cleanPath(path);
    const QStringList parts = path.split('/', Qt::SkipEmptyParts);
    QString level;
    for (const QString& part : parts) {
        level += '/' + part;
        const QFileInfo info(level);
        if (info.isDir()) {
            continue;
        }
        if (info.exists()) {
            return Unusable(text, messenger);
        }
        const int answer = messenger.AskTimedQuestion(
            level + "\n" + QStringLiteral("フォルダーを作成します"), Messenger::Yes);
        if (answer != Messenger::Yes) {
            return FolderRegistration::Declined;
        }
        if (!QDir().mkdir(level)) {
            messenger.ShowMessage(QStringLiteral("フォルダーの作成に失敗しました・・・"));
            return FolderRegistration::Failed;
        }
    }
    folder = path;
    messenger.ShowMessage("[ " + path + " ]\n" + QStringLiteral("フォルダーを登録しました"));
    return FolderRegistration::Registered;
}

} // namespace veskar
