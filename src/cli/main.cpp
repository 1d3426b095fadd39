// pirvan-split: the engine of PIRVAN SOUND カッター for batch work.
#include <algorithm>
#include <vector>

#include <QCoreApplication>
#include <QTextStream>

#include "cli/Command.h"

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

} // namespace veskar::cli

namespace {

void PrintHelp(QTextStream& out) {
    out << "pirvan-split: splits long WAV recordings into one WAV file per piece.\n\n"
        << "Usage:\n";
    for (const auto& command : veskar::cli::Commands()) {
        out << "  pirvan-split " << QString::fromUtf8(command.usage) << "\n";
    }
    out << "  pirvan-split --help\n\n"
        << "Exit status: 0 success, 1 the system reported a failure, 2 usage error.\n";
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        PrintHelp(err);
        return veskar::cli::Usage;
    }
    const QString word = args.takeFirst();
    if (word == "--help" || word == "-h" || word == "help") {
        PrintHelp(out);
        return veskar::cli::Success;
    }
    for (const auto& command : veskar::cli::Commands()) {
        if (word == QLatin1String(command.name)) {
            veskar::cli::CommandContext context{args, out, err};
            const int code = command.run(context);
            out.flush();
            err.flush();
            return code;
        }
    }
    err << "pirvan-split: unknown command \"" << word << "\"\n\n";
    PrintHelp(err);
    return veskar::cli::Usage;
}
