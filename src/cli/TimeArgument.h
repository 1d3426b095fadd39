#pragma once

#include <optional>
#include <vector>

#include <QString>

#include "core/timelists/TimeMs.h"

namespace veskar::cli {

struct CommandContext;

/// A time with its start-colour tag ("" or "1".."6").
struct TimeArg {
    TimeMs ms;
    QString tag;
};

/// A time given on the command line: whole milliseconds ("71000"), the lists' form of minutes
/// "." five digits of milliseconds ("1.11000"), "m:ss[.fff]" ("1:11", "1:11.5") or
/// "h:mm:ss[.fff]" ("0:01:11"). Anything else is refused, the lists' "1.11" too: it would read
/// as 1 min 11 ms where a reader sees 1:11.
std::optional<TimeMs> ParseTimeArgument(const QString& text);

/// The message for a text that is not one of those forms.
QString NotATimeMessage(const QString& text);

/// Parses TIME[:TAG] and appends it to times; prints the usage error and returns false when arg
/// is neither.
bool AddTimeArgument(CommandContext& context, const QString& arg, std::vector<TimeArg>& times);

} // namespace veskar::cli
