#pragma once

#include <QString>

namespace veskar {

/// Separator-terminated folder text, as `SaveDir` and every folder setting are held.
QString WithTrailingSeparator(const QString& folder);
/// The folder text without its trailing separator (the root "/" stays).
QString WithoutTrailingSeparator(const QString& folder);

} // namespace veskar
