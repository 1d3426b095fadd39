#include "cli/Command.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCommandLineParser>
#include <QFile>

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

namespace {

// The options the parser knows, as "--name VALUE" each, read from Qt's own help text so that
// the list cannot miss one the command added.
QStringList OptionList(const QCommandLineParser& parser) {
    QStringList options;
    const QStringList lines = parser.helpText().split(u'\n');
    for (const QString& line : lines.mid(lines.indexOf(QStringLiteral("Options:")) + 1)) {
        QString option = line.trimmed();
        if (option.startsWith(QStringLiteral("--"))) {
            options << option.remove(u'<').remove(u'>');
        }
    }
    return options;
}

} // namespace

bool ParseCommandLine(CommandContext& context, QCommandLineParser& parser,
                      const QStringList& required, bool extraAllowed) {
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    // An option's value is the next argument or follows "="; "--" ends the options, so a file
    // whose name begins with "-" can still be given.
    if (!parser.parse(QStringList{QStringLiteral("pirvan-split")} + context.args)) {
        UsageError(context, parser.errorText());
        return false;
    }
    if (parser.isSet(help)) {
        const QStringList options = OptionList(parser);
        context.out << "usage: pirvan-split " << QString::fromUtf8(context.command.usage) << "\n";
        if (!options.isEmpty()) {
            context.out << "options: " << options.join(QStringLiteral("  ")) << "\n";
        }
        context.helpShown = true;
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

void PrintFailure(CommandContext& context, const QString& message, const QString& path) {
    context.err << message << "\n";
    PrintUnreadableReason(context, path);
}

void PrintUnreadableReason(CommandContext& context, const QString& path) {
    // Non-blocking, so that a named pipe given as the file does not hang the probe.
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    int reason = errno;
    if (fd >= 0) {
        struct stat status {};
        reason = ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) ? EISDIR : 0;
        ::close(fd);
    }
    if (reason != 0) {
        context.err << "pirvan-split: " << path << ": "
                    << QString::fromLocal8Bit(std::strerror(reason)) << "\n";
    }
}

std::optional<int> ParseWholeNumber(const QString& text, int min, int max) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= min && value <= max ? std::optional<int>(value) : std::nullopt;
}

} // namespace veskar::cli
