#include "core/browser/FilterList.h"

#include <algorithm>

#include "core/host/Messenger.h"

namespace veskar {

namespace {

constexpr int kFirstUserEntry = 2;

} // namespace

bool ChangeFilterEntry(QStringList& filters, int index, const QString& text, Messenger& messenger) {
    if (index < kFirstUserEntry) {
        messenger.ShowTimedMessage(QStringLiteral("ALLまでの基本設定は、変更出来ません・・・"),
                                   Messenger::Ok);
        return false;
    }
    if (index >= filters.size()) {
        return false;
    }
    filters[index] = text;
    return true;
}

int AddFilterEntry(QStringList& filters) {
    filters << filters.value(0);
    return static_cast<int>(filters.size()) - 1;
}

bool DeleteFilterEntry(QStringList& filters, int& index, Messenger& messenger) {
    if (index < kFirstUserEntry) {
        messenger.ShowTimedMessage(QStringLiteral("ALLまでの基本設定は、削除出来ません・・・"),
                                   Messenger::Ok);
        return false;
    }
    if (index >= filters.size()) {
        return false;
    }
    filters.removeAt(index);
    index = std::min(index, static_cast<int>(filters.size()) - 1);
    return true;
}

} // namespace veskar
