#pragma once

#include <climits>
#include <optional>
#include <vector>

#include <QStringList>
#include <QTextStream>

class QCommandLineParser;

namespace veskar::cli {

/// Exit codes of pirvan-split.
enum Exit : int { Success = 0, Failure = 1, Usage = 2 };

struct CommandInfo;

/// What a command gets: its own arguments (the command word removed), stdout for what its
/// contract prints, stderr for every other message of the system.
struct CommandContext {
    const CommandInfo& command;
    QStringList args;
    QTextStream& out;
    QTextStream& err;
    bool helpShown = false; ///< the command only printed its help on stdout
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

/// Prints "pirvan-split NAME: message" and the command's usage on stderr; returns Usage.
int UsageError(CommandContext& context, const QString& message);

/// Parses the command's arguments with the options already added to parser. The positional
/// arguments named in required must all be there; more follow only when extraAllowed. Prints
/// the usage error and returns false when the command line does not fit. With --help it
/// prints the command's usage and options on stdout, sets context.helpShown and returns false.
bool ParseCommandLine(CommandContext& context, QCommandLineParser& parser,
                      const QStringList& required, bool extraAllowed = false);

/// Prints a message of the system on stderr. When the file at path cannot be opened for
/// reading, a second line names it with the operating system's reason, which the system's own
/// texts do not give ("pirvan-split: rec.wav: No such file or directory").
void PrintFailure(CommandContext& context, const QString& message, const QString& path);

/// The same second line alone, for failures whose message has already been printed.
void PrintUnreadableReason(CommandContext& context, const QString& path);

/// A whole number in min..max, or nothing.
std::optional<int> ParseWholeNumber(const QString& text, int min, int max = INT_MAX);

} // namespace veskar::cli
