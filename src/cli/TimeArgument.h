#pragma once

#include <optional>

#include <QString>

#include "core/timelists/TimeMs.h"

namespace veskar::cli {

/// A time given on the command line: whole milliseconds ("71000"), the lists' form of minutes
/// "." five digits of milliseconds ("1.11000"), "m:ss[.fff]" ("1:11", "1:11.5") or
/// "h:mm:ss[.fff]" ("0:01:11"). Anything else is refused, the lists' "1.11" too: it would read
/// as 1 min 11 ms where a reader sees 1:11.
std::optional<TimeMs> ParseTimeArgument(const QString& text);

/// The message for a text that is not one of those forms.
QString NotATimeMessage(const QString& text);

} // namespace veskar::cli
