#pragma once

#include <vector>

#include <QStringList>
#include <QTextStream>

namespace veskar::cli {

/// Exit codes of pirvan-split.
enum Exit : int { Success = 0, Failure = 1, Usage = 2 };

/// What a command gets: its own arguments (the command word removed), stdout for what its
/// contract prints, stderr for every other message of the system.
struct CommandContext {
    QStringList args;
    QTextStream& out;
    QTextStream& err;
};

using CommandFn = int (*)(CommandContext&);

struct CommandInfo {
    const char* name;
    const char* usage; ///< one or more lines for --help, after "pirvan-split "
    CommandFn run;
};

/// Each Command*.cpp registers itself with a static CommandRegistration, so adding a command
/// touches no other file.
class CommandRegistration {
public:
    CommandRegistration(const char* name, const char* usage, CommandFn run);
};

const std::vector<CommandInfo>& Commands();

} // namespace veskar::cli
