#include "cli/Command.h"

#include <algorithm>

#include <QCommandLineParser>

namespace veskar::cli {

namespace {
std::vector<CommandInfo>& Registry() {
    static std::vector<CommandInfo> commands;
    return commands;
}
} // namespace

CommandRegistration::CommandRegistration(const char* name, const char* usage, CommandFn run) {
    Registry().push_back({name, usage, run});
}

const std::vector<CommandInfo>& Commands() {
    auto& commands = Registry();
    std::sort(commands.begin(), commands.end(), [](const CommandInfo& a, const CommandInfo& b) {
        return qstrcmp(a.name, b.name) < 0;
    });
    return commands;
}

int UsageError(CommandContext& context, const QString& message) {
    context.err << "pirvan-split " << context.command.name << ": " << message << "\n"
                << "usage: pirvan-split " << QString::fromUtf8(context.command.usage) << "\n";
    return Usage;
}

bool ParseCommandLine(CommandContext& context, QCommandLineParser& parser,
                      const QStringList& required, bool extraAllowed) {
    // An option's value is the next argument or follows "="; "--" ends the options, so a file
    // whose name begins with "-" can still be given.
    if (!parser.parse(QStringList{QStringLiteral("pirvan-split")} + context.args)) {
        UsageError(context, parser.errorText());
        return false;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.size() < required.size()) {
        UsageError(context, required[positional.size()] + " is missing");
        return false;
    }
    if (!extraAllowed && positional.size() > required.size()) {
        UsageError(context, "unexpected argument \"" + positional[required.size()] + "\"");
        return false;
    }
    return true;
}

std::optional<int> ParseWholeNumber(const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= min && value <= max ? std::optional<int>(value) : std::nullopt;
}

} // namespace veskar::cli
