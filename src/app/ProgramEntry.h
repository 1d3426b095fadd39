#pragma once

#include <QString>
#include <QStringList>

namespace veskar {

/// `RunMode`: what the program entry starts.
enum class RunMode : int {
    Normal = 0,             ///< the main window, or setup when "Version" is not 26
    Uninstall = 1,          ///< "/uninstall" as first argument
    Uninstaller = 2,        ///< started under the uninstaller's file name
    UninstallRefused = 999, ///< "/uninstall" while the program or its setup runs
};

inline constexpr char kUninstallArgument[] = "/uninstall";
/// The uninstaller's file name, "unin_kotan" + "000" (with ".exe" on the older platform).
inline constexpr char kUninstallerName[] = "unin_kotan000";

/// The mode of a start with arguments (without the program) of the program file fileName.
RunMode RunModeOf(const QStringList& arguments, const QString& fileName);

/// True when the main window opens: the stored version is `InstalledVersion`, and the program
/// file's name does not contain "SETUP" in any letter case (such a file always runs setup).
bool StartsMainWindow(int storedVersion, const QString& fileName);

} // namespace veskar
