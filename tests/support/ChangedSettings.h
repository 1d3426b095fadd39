#pragma once

#include <QString>

#include "core/settings/Settings.h"

namespace veskar::test {

/// Every setting at a valid value other than its default, the destination folders below home
/// (texts with characters Shift-JIS cannot hold among them), as a user's store would hold them
/// after changing everything.
Settings ChangedSettings(const QString& home);

} // namespace veskar::test
