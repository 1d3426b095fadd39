#include "core/browser/FolderHistory.h"

#include <algorithm>

#include "core/host/Messenger.h"

namespace veskar {

void RegisterHistoryFolder(QStringList& history, const QString& current) {
    history.removeOne(current);
    history.prepend(current);
}

int OpenHistoryPanel(QStringList& history, const QString& current) {
    history.prepend(current);
    return 0;
}

bool DeleteHistoryEntry(QStringList& history, int& index, Messenger& messenger) {
    if (index == 0) {
        messenger.ShowTimedMessage(QStringLiteral("現在のフォルダーは、削除出来ません・・・"),
                                   Messenger::Ok);
        return false;
    }
    if (index < 0 || index >= history.size()) {
        return false;
    }
    history.removeAt(index);
    index = std::min(index, static_cast<int>(history.size()) - 1);
    return true;
}

void CloseHistoryPanel(QStringList& history, int& index) {
    if (index > 0 && index < history.size()) {
        history.move(index, 1);
    }
    if (!history.isEmpty()) {
        history.removeFirst();
    }
    index = history.isEmpty() ? -1 : 0;
}

QString PickHistoryFolder(QStringList& history, int& index,
                          const std::function<bool(const QString&)>& usable, Messenger& messenger) {
    while (!history.isEmpty()) {
        index = std::clamp(index, 0, static_cast<int>(history.size()) - 1);
        const QString folder = history[index];
        if (usable(folder)) {
            return folder;
        }
        messenger.ShowTimedMessage(
            folder + QStringLiteral("\nこのフォルダーは、存在しないので、登録を削除します☆"),
            Messenger::Ok);
        history.removeAt(index);
    }
    index = -1;
    messenger.ShowMessage(QStringLiteral("ヒストリー登録フォルダーが存在しないので、停止します☆"));
    return QString();
}

} // namespace veskar
