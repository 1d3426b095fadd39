// pirvan-split info FILE: reads the WAV file's header (not its samples) and prints the line the
// cut record would give it.
#include <QCommandLineParser>

#include "cli/Command.h"
#include "cli/JsonOutput.h"
#include "core/cut/CutRecord.h"
#include "core/wav/WavReader.h"

namespace veskar::cli {

namespace {

int RunInfo(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOption(json);
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")})) {
        return Usage;
    }
    const QString path = parser.positionalArguments().first();
    WavInfo info;
    const QString result = ReadWavInfo(path, info);
    if (!result.isEmpty()) {
        PrintFailure(context, result, path);
        return Failure;
    }
    if (parser.isSet(json)) {
        PrintJson(context, InfoJson(info));
    } else {
        context.out << CutRecord::FullLine(info) << "\n";
    }
    return Success;
}

const CommandRegistration
    registration("info",
                 "info FILE [--json]\n"
                 "      format, length, size and folder of a WAV file, from its header alone",
                 RunInfo);

} // namespace

} // namespace veskar::cli
