#include "core/commands/VersionText.h"

#include "core/settings/SettingsStore.h"

namespace veskar {

QString VersionText(int version) {
    if (version == kVersionNotInstalled) {
        return QStringLiteral("?.?");
    }
    return QString::number(version / 10) + '.' + QString::number(version % 10);
}

} // namespace veskar
