// pirvan-split: the engine of PIRVAN SOUND カッター for batch work.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include "cli/Command.h"

namespace {

void PrintHelp(QTextStream& out) {
    out << "pirvan-split: splits long WAV recordings into one WAV file per piece.\n\n"
        << "Usage:\n";
    for (const auto& command : veskar::cli::Commands()) {
        out << "  pirvan-split " << QString::fromUtf8(command.usage) << "\n";
    }
    out << "  pirvan-split --help\n"
        << "  pirvan-split COMMAND --help   the command's usage and options\n\n"
        << "Exit status: 0 success, 1 a failure (its message as the window shows it, on stderr),\n"
        << "2 a usage error.\n";
}

int UsageError(QTextStream& err, const QString& message) {
    err << "pirvan-split: " << message << "\n\n";
    PrintHelp(err);
    return veskar::cli::Usage;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    // Only --help comes before the command word; everything after it is the command's own.
    QCommandLineParser parser;
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    parser.addOption(help);
    parser.setOptionsAfterPositionalArgumentsMode(QCommandLineParser::ParseAsPositionalArguments);
    if (!parser.parse(app.arguments())) {
        return UsageError(err, parser.errorText());
    }
    QStringList args = parser.positionalArguments();
    if (args.size() == 2 && args[0] == QLatin1String("help")) {
        args = QStringList{args[1], QStringLiteral("--help")};
    }
    if (parser.isSet(help) || args.value(0) == QLatin1String("help")) {
        PrintHelp(out);
        return veskar::cli::Success;
    }
    if (args.isEmpty()) {
        PrintHelp(err);
        return veskar::cli::Usage;
    }
    const QString word = args.takeFirst();
    for (const auto& command : veskar::cli::Commands()) {
        if (word == QLatin1String(command.name)) {
            veskar::cli::CommandContext context{command, args, out, err};
            const int code = command.run(context);
            out.flush();
            err.flush();
            return context.helpShown ? veskar::cli::Success : code;
        }
    }
    return UsageError(err, "unknown command \"" + word + "\"");
}
