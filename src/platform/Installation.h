#pragma once

#include <QString>
#include <QStringList>

namespace veskar {

/// What setup places and uninstall removes: the settings of setup, the programs-menu entries
/// (the program and its uninstaller) and, on request, the data files. The program itself stays
/// where it was built or installed.

/// The group setup offers when none was chosen before.
inline constexpr char kDefaultGroup[] = "KOTAN ZORU32";

/// The desktop entries of the program: its programs-menu entry and uninstall entry in the
/// group's folder of ~/.local/share/applications, and the desktop and autostart shortcuts.
struct ShortcutFiles {
    QString menuEntry;
    QString uninstallEntry;
    QString desktopEntry;
    QString autostartEntry;
};
ShortcutFiles ShortcutFilesFor(const QString& group);

/// The text of a desktop entry that starts program with arguments (quoted as desktop entries
/// need it), under the given name. An entry that opens WAV files takes them as further
/// arguments and names their MIME types, so that file managers offer it under "Open with".
QString DesktopEntryText(const QString& name, const QString& program, const QStringList& arguments,
                         bool opensWavFiles = false);

/// Setup: writes "EXEPATH", "Group", the colour choices and "Version" 26 into the settings store
/// and the programs-menu entries. Returns the failure message, empty on success; the settings
/// get "Version" only when the entries were written.
QString InstallProgram(const QString& programPath, const QString& group);

/// The start-up entry (an autostart desktop entry that starts programPath at log-in). Returns the
/// message to show, empty on success.
QString AddStartupEntry(const QString& programPath);
/// The desktop shortcut: a copy of the programs-menu entry of group, or a new entry when setup
/// never wrote one. An existing shortcut stays and is reported. Returns the message to show,
/// empty on success.
QString AddDesktopEntry(const QString& programPath, const QString& group);

/// Removes the program's desktop entries of group (and the group folder when it is left empty).
void RemoveShortcuts(const QString& group);

/// Removes the data files of the program folder dir: the list files and the memory lists
/// (".VEW"). Returns the files that could not be removed.
QStringList RemoveDataFiles(const QString& dir);

} // namespace veskar
