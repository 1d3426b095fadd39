#pragma once

#include <QString>

namespace veskar {

/// The version as the tray menu and the version box show it: 26 gives "2.6", 0 "0.0", and
/// kVersionNotInstalled (a missing or empty "Version") "?.?".
QString VersionText(int version);

/// The title with its version, as the tray menu's first item: "PIRVAN SOUND カッター V2.6".
QString TitleWithVersion(int version);

/// The text of the version box: the title with its version and what the program is for.
QString VersionBoxText(int version);

} // namespace veskar
