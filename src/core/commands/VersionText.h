#pragma once

#include <QString>

namespace veskar {

/// The version as the tray menu and the version box show it: 26 gives "2.6", 0 "0.0", and
/// kVersionNotInstalled (a missing or empty "Version") "?.?".
QString VersionText(int version);

} // namespace veskar
