// pirvan-split cut: the cut run of the registered list, unattended. The times given form the
// registered list; the chosen lines are cut into segment files in the output folder.
#include <optional>
#include <set>

#include <QCommandLineParser>

#include "cli/Command.h"
#include "cli/CutJob.h"
#include "cli/TimeArgument.h"
#include "core/timelists/CutPointFiles.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/StartColors.h"
#include "core/wav/WavReader.h"

namespace veskar::cli {

namespace {

constexpr const char* kUsage =
    "cut FILE --out DIR [--select I,J,...|all] [--filter @|1|2|3|4|5|6]\n"
    "      [--naming long|short|8.3] [--minutes] [--label K=NAME]... TIME[:TAG]...\n"
    "      (or --from LABELS_OR_CUE in place of the TIMEs and --select)\n"
    "      cuts FILE at the TIMEs into one WAV file per chosen line, each up to the next time\n"
    "      (the last to the end of the file), into DIR. A TIME is whole ms (71000), minutes.ms\n"
    "      as the lists write it (1.11000), m:ss[.fff] (1:11) or h:mm:ss[.fff]. The TIMEs form\n"
    "      the registered list (sorted, each once); TAG 1..6 is a line's start colour. Chosen\n"
    "      are the lines of --select (indexes from 0 into the sorted list; default all), or\n"
    "      with --filter those with any (@) or that start colour. --naming: long (date-time\n"
    "      stamp), short (default) or 8.3; --minutes writes the time part as minutes \"m\" ms;\n"
    "      --label names colour K (0 = none .. 6) for the end of the file name. Prints one\n"
    "      cut-record line per written file, then the summary; exit 0 when every chosen line\n"
    "      was written. --from cuts each label's or cue track's range (a track ends where the\n"
    "      next begins); labels 1..6 or the colours' names give the start colour";

struct CutArguments {
    CutJob job;
    QString select;
    CutCommand command = CutCommand::WAV_CUT;
    QString from; ///< a label track or cue sheet in place of the TIMEs
    std::vector<TimeArg> times;
};

std::optional<CutCommand> FilterCommand(const QString& filter) {
    if (filter == "@") {
        return CutCommand::WAV_CUT_ST;
    }
    const auto code =
        filter.size() == 1 ? ParseWholeNumber(filter, 1, kStartColorCount - 1) : std::nullopt;
    return code ? std::optional<CutCommand>(ColorCutCommand(*code)) : std::nullopt;
}

std::optional<CutArguments> ParseCutArguments(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption out(QStringLiteral("out"), {}, QStringLiteral("DIR"));
    const QCommandLineOption select(QStringLiteral("select"), {}, QStringLiteral("I,J,..."),
                                    QStringLiteral("all"));
    const QCommandLineOption filter(QStringLiteral("filter"), {}, QStringLiteral("@|1|2|3|4|5|6"));
    const QCommandLineOption naming(QStringLiteral("naming"), {}, QStringLiteral("long|short|8.3"),
                                    QStringLiteral("short"));
    const QCommandLineOption minutes(QStringLiteral("minutes"));
    const QCommandLineOption label(QStringLiteral("label"), {}, QStringLiteral("K=NAME"));
    const QCommandLineOption from(QStringLiteral("from"), {}, QStringLiteral("LABELS_OR_CUE"));
    parser.addOptions({out, select, filter, naming, minutes, label, from});
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")}, true)) {
        return std::nullopt;
    }
    CutArguments args;
    args.job.file = parser.positionalArguments().first();
    args.job.outDir = parser.value(out);
    args.select = parser.value(select);
    args.job.naming = parser.value(naming);
    args.job.minutes = parser.isSet(minutes);
    args.from = parser.value(from);
    if (parser.isSet(filter)) {
        const auto command = FilterCommand(parser.value(filter));
        if (!command) {
            UsageError(context, QStringLiteral("--filter is @ or one of 1..6"));
            return std::nullopt;
        }
        args.command = *command;
    }
    if (!ParseNaming(context, args.job.naming)) {
        return std::nullopt;
    }
    for (const QString& value : parser.values(label)) {
        // K is one digit, the colour index.
        const qsizetype eq = value.indexOf('=');
        const auto k =
            eq == 1 ? ParseWholeNumber(value.left(eq), 0, kStartColorCount - 1) : std::nullopt;
        if (!k) {
            UsageError(context, QStringLiteral("--label needs K=NAME with K 0..6"));
            return std::nullopt;
        }
        args.job.labels[*k] = value.mid(eq + 1);
    }
    for (const QString& time : parser.positionalArguments().mid(1)) {
        if (!AddTimeArgument(context, time, args.times)) {
            return std::nullopt;
        }
    }
    if (args.job.outDir.isEmpty()) {
        UsageError(context, QStringLiteral("--out DIR is missing"));
        return std::nullopt;
    }
    if (!args.from.isEmpty() && (!args.times.empty() || parser.isSet(select))) {
        UsageError(context, QStringLiteral("--from excludes TIMEs and --select"));
        return std::nullopt;
    }
    if (args.times.empty() && args.from.isEmpty()) {
        UsageError(context, QStringLiteral("no TIME given"));
        return std::nullopt;
    }
    return args;
}

// --select: indexes into the sorted list, each at most once.
bool SelectLines(CommandContext& context, const QString& select, RegisteredList& registered) {
    registered.ClearSelection();
    if (select == "all") {
        registered.SelectAll();
        return true;
    }
    std::set<int> chosen;
    for (const QString& part : select.split(',')) {
        const auto index = ParseWholeNumber(part.trimmed(), 0, registered.Count() - 1);
        if (!index) {
            UsageError(context, "--select needs indexes 0.." +
                                    QString::number(registered.Count() - 1) +
                                    " of the sorted times, or all");
            return false;
        }
        chosen.insert(*index);
    }
    registered.SetSelection(std::vector<int>(chosen.begin(), chosen.end()), -1);
    return true;
}

// The pieces of a label track or cue sheet: each start in its label's colour and chosen, each
// end that no piece starts at as a line of its own.
bool ImportPieces(CommandContext& context, const CutArguments& args, const TimeFormat& format,
                  RegisteredList& registered) {
    CutPointRead read;
    QString message = LoadCutPointFile(args.from, read);
    if (message.isEmpty()) {
        message = ImportCutPoints(read.points, format.FileLengthMs(), format, args.job.labels, true,
                                  registered);
        message = message.isEmpty() ? message : CutPointFileRefused(args.from, message);
    }
    if (!message.isEmpty()) {
        context.err << message << "\n";
    }
    return message.isEmpty();
}

int RunCut(CommandContext& context) {
    const std::optional<CutArguments> args = ParseCutArguments(context);
    if (!args) {
        return Usage;
    }
    const TimeFormat format = CutTimeFormat(args->job.file, args->job.minutes);
    RegisteredList registered;
    if (!args->from.isEmpty()) {
        // The pieces are checked against the recording's length, so it must be readable.
        WavInfo info;
        const QString failure = ReadWavInfo(args->job.file, info);
        if (!failure.isEmpty()) {
            PrintFailure(context, failure, args->job.file);
            return Failure;
        }
        if (!ImportPieces(context, *args, format, registered)) {
            return Failure;
        }
    } else {
        for (const TimeArg& time : args->times) {
            registered.InsertRegisteredTime(format.FormatTime(time.ms), time.tag, true);
        }
        if (!SelectLines(context, args->select, registered)) {
            return Usage;
        }
    }
    return RunCutJob(context, args->job, args->command, registered, format).exitCode;
}

const CommandRegistration registration("cut", kUsage, RunCut);

} // namespace

} // namespace veskar::cli
