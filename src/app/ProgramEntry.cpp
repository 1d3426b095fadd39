#include "app/ProgramEntry.h"

#include "core/settings/SettingsStore.h"

namespace veskar {

RunMode RunModeOf(const QStringList& arguments, const QString& fileName) {
    if (!arguments.isEmpty() && arguments.first() == QLatin1String(kUninstallArgument)) {
        return RunMode::Uninstall;
    }
    const QString name = fileName.toLower();
    const QString uninstaller = QString::fromLatin1(kUninstallerName);
    if (name == uninstaller || name == uninstaller + ".exe") {
        return RunMode::Uninstaller;
    }
    return RunMode::Normal;
}

bool StartsMainWindow(int storedVersion, const QString& fileName) {
    // Adding one to the version, as the older program did, would let a stored 25 pass.
    return storedVersion == kInstalledVersion &&
           !fileName.toUpper().contains(QLatin1String("SETUP"));
}

} // namespace veskar
