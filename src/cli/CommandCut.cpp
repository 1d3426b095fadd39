// pirvan-split cut: the cut run of the registered list, unattended. The times given form the
// registered list; the chosen lines are cut into segment files in the output folder.
#include <iterator>
#include <optional>
#include <set>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include "cli/Command.h"
#include "cli/FileTimeFormat.h"
#include "cli/TimeArgument.h"
#include "core/cut/CutRecord.h"
#include "core/cut/CutRun.h"
#include "core/cut/CutTarget.h"
#include "core/host/SharedFlags.h"
#include "core/host/TextViewer.h"
#include "core/host/UnattendedHost.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/StartColors.h"
#include "core/wav/WavReader.h"

namespace veskar::cli {

namespace {

constexpr const char* kUsage =
    "cut FILE --out DIR [--select I,J,...|all] [--filter @|1|2|3|4|5|6]\n"
    "      [--naming long|short|8.3] [--minutes] [--label K=NAME]... TIME[:TAG]...\n"
    "      cuts FILE at the TIMEs into one WAV file per chosen line, each up to the next time\n"
    "      (the last to the end of the file), into DIR. A TIME is whole ms (71000), minutes.ms\n"
    "      as the lists write it (1.11000), m:ss[.fff] (1:11) or h:mm:ss[.fff]. The TIMEs form\n"
    "      the registered list (sorted, each once); TAG 1..6 is a line's start colour. Chosen\n"
    "      are the lines of --select (indexes from 0 into the sorted list; default all), or\n"
    "      with --filter those with any (@) or that start colour. --naming: long (date-time\n"
    "      stamp), short (default) or 8.3; --minutes writes the time part as minutes \"m\" ms;\n"
    "      --label names colour K (0 = none .. 6) for the end of the file name. Prints one\n"
    "      cut-record line per written file, then the summary; exit 0 when every chosen line\n"
    "      was written";

// The window's messages go to stderr as usual; the run's summary is part of what the command
// prints. Every error box of a run stands for a chosen line that was not written.
class CutMessenger : public UnattendedMessenger {
public:
    CutMessenger(QTextStream& out, QTextStream& err) : UnattendedMessenger(err), m_out(out) {}
    int ShowTimedMessage(const QString& text, int defaultResult) override {
        if (text == CutRun::DoneText() || text == CutRun::NothingCutText()) {
            m_out << text << Qt::endl;
            return defaultResult;
        }
        return UnattendedMessenger::ShowTimedMessage(text, defaultResult);
    }
    int ShowError(const QString& text, int defaultResult) override {
        ++m_errors;
        return UnattendedMessenger::ShowError(text, defaultResult);
    }
    int Errors() const { return m_errors; }

private:
    QTextStream& m_out;
    int m_errors = 0;
};

// The record is never shown from the command line.
class NoTextViewer : public TextViewer {
public:
    bool ShowTextFile(const QString&) override { return true; }
};

struct TimeArg {
    TimeMs ms;
    QString tag;
};

struct CutArguments {
    QString file;
    QString outDir;
    QString select;
    CutCommand command = CutCommand::WAV_CUT;
    QString naming;
    bool minutes = false;
    QStringList labels = DefaultColorTagNames();
    std::vector<TimeArg> times;
};

std::optional<CutCommand> FilterCommand(const QString& filter) {
    static const CutCommand kColours[] = {
        CutCommand::WAV_CUT_ST_Blue,   CutCommand::WAV_CUT_ST_Red,  CutCommand::WAV_CUT_ST_Lime,
        CutCommand::WAV_CUT_ST_Yellow, CutCommand::WAV_CUT_ST_Aqua, CutCommand::WAV_CUT_ST_Pink};
    if (filter == "@") {
        return CutCommand::WAV_CUT_ST;
    }
    const auto code = filter.size() == 1
                          ? ParseWholeNumber(filter, 1, static_cast<int>(std::size(kColours)))
                          : std::nullopt;
    return code ? std::optional<CutCommand>(kColours[*code - 1]) : std::nullopt;
}

// TIME[:TAG]. A tag is one character, so two digits after the last ":" are the seconds of a
// clock time: "1:11" is 1 min 11 s, "1:11:2" the same time in red.
bool AddTime(CommandContext& context, const QString& arg, std::vector<TimeArg>& times) {
    const qsizetype colon = arg.lastIndexOf(':');
    const bool tagged = colon >= 0 && arg.size() - colon <= 2;
    const QString timeText = tagged ? arg.left(colon) : arg;
    const QString tag = tagged ? arg.mid(colon + 1) : QString();
    const std::optional<TimeMs> ms = ParseTimeArgument(timeText);
    if (!ms) {
        UsageError(context, NotATimeMessage(timeText));
        return false;
    }
    if (!tag.isEmpty() && StartColorCode(tag) == 0) {
        UsageError(context, "the tag of \"" + arg + "\" is not one of 1..6");
        return false;
    }
    times.push_back({*ms, tag});
    return true;
}

std::optional<CutArguments> ParseCutArguments(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption out(QStringLiteral("out"), {}, QStringLiteral("DIR"));
    const QCommandLineOption select(QStringLiteral("select"), {}, QStringLiteral("I,J,..."),
                                    QStringLiteral("all"));
    const QCommandLineOption filter(QStringLiteral("filter"), {}, QStringLiteral("@|1..6"));
    const QCommandLineOption naming(QStringLiteral("naming"), {}, QStringLiteral("STYLE"),
                                    QStringLiteral("short"));
    const QCommandLineOption minutes(QStringLiteral("minutes"));
    const QCommandLineOption label(QStringLiteral("label"), {}, QStringLiteral("K=NAME"));
    parser.addOptions({out, select, filter, naming, minutes, label});
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")}, true)) {
        return std::nullopt;
    }
    CutArguments args;
    args.file = parser.positionalArguments().first();
    args.outDir = parser.value(out);
    args.select = parser.value(select);
    args.naming = parser.value(naming);
    args.minutes = parser.isSet(minutes);
    if (parser.isSet(filter)) {
        const auto command = FilterCommand(parser.value(filter));
        if (!command) {
            UsageError(context, QStringLiteral("--filter is @ or one of 1..6"));
            return std::nullopt;
        }
        args.command = *command;
    }
    if (args.naming != "long" && args.naming != "short" && args.naming != "8.3") {
        UsageError(context, QStringLiteral("--naming is long, short or 8.3"));
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
        args.labels[*k] = value.mid(eq + 1);
    }
    for (const QString& time : parser.positionalArguments().mid(1)) {
        if (!AddTime(context, time, args.times)) {
            return std::nullopt;
        }
    }
    if (args.outDir.isEmpty()) {
        UsageError(context, QStringLiteral("--out DIR is missing"));
        return std::nullopt;
    }
    if (args.times.empty()) {
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

CutOptions MakeCutOptions(const CutArguments& args, const TimeFormat& format) {
    CutOptions options;
    options.startTimesEnabled = true;
    options.saveName = false;
    options.waitForSave = true;
    options.noMemo = true;
    options.autoName = args.naming != "long";
    options.auto83 = args.naming == "8.3";
    options.timePart = {args.minutes, format.TimeDigits(), format.MinuteDigits()};
    options.saveDir = QFileInfo(args.outDir).absoluteFilePath() + "/";
    options.baseName = OutputBaseNameOf(args.file);
    options.colorTagNames = args.labels;
    return options;
}

int RunCut(CommandContext& context) {
    const std::optional<CutArguments> args = ParseCutArguments(context);
    if (!args) {
        return Usage;
    }
    // The list texts follow the file's length, as in the window. A file that cannot be read
    // is left to the run, which reports it.
    WavInfo info;
    TimeFormat format;
    if (ReadWavInfo(args->file, info).isEmpty()) {
        format = FileTimeFormat(info, info.fileSize, args->minutes);
    }
    format.SetMinutesMode(args->minutes);
    RegisteredList registered;
    for (const TimeArg& time : args->times) {
        registered.InsertRegisteredTime(format.FormatTime(time.ms), time.tag, true);
    }
    if (!SelectLines(context, args->select, registered)) {
        return Usage;
    }
    if (!QDir().mkpath(args->outDir)) {
        context.err << "pirvan-split cut: cannot make the folder " << args->outDir << "\n";
        return Failure;
    }

    CutMessenger messenger(context.out, context.err);
    NoProgressBox progress;
    NoEventPump pump;
    SharedFlags flags;
    CutRecord record;
    NoTextViewer viewer;
    CutRun run(CutRunServices(Host{messenger, progress, pump}, flags, record, viewer));
    run.onRecordLine = [&](const QString& line) { context.out << line << Qt::endl; };
    RegisteredListTarget target(registered);
    run.StartCutRun(args->command, target, QFileInfo(args->file).absoluteFilePath(),
                    MakeCutOptions(*args, format));
    if (!run.AnyCut()) {
        PrintUnreadableReason(context, args->file);
    }
    return run.AnyCut() && messenger.Errors() == 0 ? Success : Failure;
}

const CommandRegistration registration("cut", kUsage, RunCut);

} // namespace

} // namespace veskar::cli
