#include "core/commands/VersionText.h"

#include "core/settings/SettingsStore.h"
#include "core/text/Captions.h"

namespace veskar {

QString VersionText(int version) {
    if (version == kVersionNotInstalled) {
        return QStringLiteral("?.?");
    }
    return QString::number(version / 10) + '.' + QString::number(version % 10);
}

QString TitleWithVersion(int version) {
    return kAppTitle + QStringLiteral(" V") + VersionText(version);
}

QString VersionBoxText(int version) {
    return TitleWithVersion(version) +
           QStringLiteral("\n\nWAVファイル分割ソフトです☆☆☆\n録音したLP/FM/TV/MDを簡単に分割☆☆☆");
}

} // namespace veskar
