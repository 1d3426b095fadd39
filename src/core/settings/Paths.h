#pragma once

#include <QString>

namespace veskar {

/// `FolderNotSet`: the value of a destination folder that has not been chosen yet, held like
/// every folder with its trailing separator.
inline constexpr char kFolderNotSet[] = "@@@@@/";

/// True for every value that means "no folder chosen": empty, a lone separator, or
/// `FolderNotSet` with or without its separator.
bool IsFolderNotSet(const QString& folder);

/// `ProgramDir`: the folder of the list files, presets, cut lists and memory lists, with a
/// trailing separator. VESKAR_HOME names it when set; otherwise it is the per-user data folder.
QString ProgramDir();

/// The folder of the program's own records and default destinations: home + "/DIZEZI32/".
QString DizeziDir();

/// `WorkDir`: home + "/DIZEZI32/TEMP/", the folder of "CUT$$$$.TXT", "BG$$$$.TXT" and
/// "DrV$$$$$.TXT".
QString WorkDir();

/// The default folder of a destination setting (its settings name, e.g. "SAVE_DIR"): home +
/// "/DIZEZI32/" + dirName, without a trailing separator, as the folder box offers it.
QString DefaultSettingFolder(const QString& dirName);

/// The browser's folder when none was saved: the user's music folder, or the home folder when
/// there is none. With a trailing separator.
QString DefaultBrowserFolder();

/// Where a folder chooser for the setting dirName opens: the folder itself, or the setting's
/// default when none is chosen, climbing to the nearest folder above it that exists; the home
/// folder for a text that is no absolute path. No trailing separator.
QString FolderToBrowse(const QString& folder, const QString& dirName);

} // namespace veskar
