// pirvan-split cut: the cut run of the registered list, unattended. The times given form the
// registered list; the chosen lines are cut into segment files in the output folder.
#include <optional>
#include <set>

#include <QDir>
#include <QFileInfo>

#include "cli/Command.h"
#include "core/cut/CutRecord.h"
#include "core/cut/CutRun.h"
#include "core/cut/CutTarget.h"
#include "core/host/SharedFlags.h"
#include "core/host/TextViewer.h"
#include "core/host/UnattendedHost.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeText.h"
#include "core/wav/WavReader.h"

namespace veskar::cli {

namespace {

constexpr const char* kUsage =
    "cut FILE --out DIR [--select I,J,...|all] [--filter @|1|2|3|4|5|6]\n"
    "      [--naming long|short|8.3] [--minutes] [--label K=NAME]... TIME[:TAG]...\n"
    "      cuts FILE at the TIMEs (ms, or minutes.ms) into one WAV file per chosen line, each\n"
    "      up to the next time (the last to the end of the file), into DIR. The TIMEs form the\n"
    "      registered list (sorted, each once); TAG 1..6 is a line's start colour. Chosen are\n"
    "      the lines of --select (indexes from 0 into the sorted list; default all), or with\n"
    "      --filter those with any (@) or that start colour. --naming: long (date-time stamp),\n"
    "      short (default) or 8.3; --minutes writes the time part as minutes \"m\" ms; --label\n"
    "      names colour K (0 = none .. 6) for the end of the file name. Prints one cut-record\n"
    "      line per written file, then the summary; exit 0 when a file was written";

int UsageError(CommandContext& context, const QString& message) {
    context.err << "pirvan-split cut: " << message << "\n"
                << "usage: pirvan-split " << QString::fromUtf8(kUsage) << "\n";
    return Usage;
}

// The window's messages go to stderr as usual; the run's summary is part of what the command
// prints.
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

private:
    QTextStream& m_out;
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

std::optional<CutCommand> FilterCommand(const QString& filter) {
    static const CutCommand kColours[] = {
        CutCommand::WAV_CUT_ST_Blue,   CutCommand::WAV_CUT_ST_Red,  CutCommand::WAV_CUT_ST_Lime,
        CutCommand::WAV_CUT_ST_Yellow, CutCommand::WAV_CUT_ST_Aqua, CutCommand::WAV_CUT_ST_Pink};
    if (filter == "@") {
        return CutCommand::WAV_CUT_ST;
    }
    bool ok = false;
    const int code = filter.toInt(&ok);
    if (ok && filter.size() == 1 && code >= 1 && code <= 6) {
        return kColours[code - 1];
    }
    return std::nullopt;
}

int RunCut(CommandContext& context) {
    QString file;
    QString outDir;
    QString select = "all";
    std::optional<CutCommand> filterCommand;
    QString naming = "short";
    bool minutes = false;
    QStringList labels = DefaultColorTagNames();
    std::vector<TimeArg> times;

    const QStringList& args = context.args;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--out" || arg == "--select" || arg == "--filter" || arg == "--naming" ||
            arg == "--label") {
            if (!hasValue) {
                return UsageError(context, arg + " needs a value");
            }
            const QString value = args[++i];
            if (arg == "--out") {
                outDir = value;
            } else if (arg == "--select") {
                select = value;
            } else if (arg == "--filter") {
                filterCommand = FilterCommand(value);
                if (!filterCommand) {
                    return UsageError(context, "--filter is @ or one of 1..6");
                }
            } else if (arg == "--naming") {
                if (value != "long" && value != "short" && value != "8.3") {
                    return UsageError(context, "--naming is long, short or 8.3");
                }
                naming = value;
            } else {
                const qsizetype eq = value.indexOf('=');
                bool ok = false;
                const int k = eq == 1 ? value.left(1).toInt(&ok) : -1;
                if (!ok || k < 0 || k > 6) {
                    return UsageError(context, "--label needs K=NAME with K 0..6");
                }
                labels[k] = value.mid(2);
            }
        } else if (arg == "--minutes") {
            minutes = true;
        } else if (arg.startsWith("--")) {
            return UsageError(context, "unknown option \"" + arg + "\"");
        } else if (file.isEmpty()) {
            file = arg;
        } else {
            const qsizetype colon = arg.indexOf(':');
            const QString timeText = colon < 0 ? arg : arg.left(colon);
            const QString tag = colon < 0 ? QString() : arg.mid(colon + 1);
            const std::optional<TimeMs> ms = ParseTime(timeText);
            if (!ms || *ms < 0) {
                return UsageError(context, "\"" + arg + "\" is not a time (ms or minutes.ms)");
            }
            if (!tag.isEmpty() && StartColorCode(tag) == 0) {
                return UsageError(context, "the tag of \"" + arg + "\" is not one of 1..6");
            }
            times.push_back({*ms, tag.left(1)});
        }
    }
    if (file.isEmpty()) {
        return UsageError(context, "FILE is missing");
    }
    if (outDir.isEmpty()) {
        return UsageError(context, "--out DIR is missing");
    }
    if (times.empty()) {
        return UsageError(context, "no TIME given");
    }

    // The list texts follow the file's length, as in the window.
    WavInfo info;
    TimeFormat format;
    if (ReadWavInfo(file, info).isEmpty()) {
        format.SetFileLength(
            static_cast<TimeMs>(FramesToMs(AvailableFrames(info, info.fileSize), info.sampleRate)));
    }
    format.SetMinutesMode(minutes);
    RegisteredList registered;
    for (const TimeArg& time : times) {
        registered.InsertRegisteredTime(format.FormatTime(time.ms), time.tag, true);
    }
    registered.ClearSelection();
    if (select == "all") {
        registered.SelectAll();
    } else {
        std::set<int> chosen;
        for (const QString& part : select.split(',')) {
            bool ok = false;
            const int index = part.trimmed().toInt(&ok);
            if (!ok || index < 0 || index >= registered.Count()) {
                return UsageError(context, "--select needs indexes 0.." +
                                               QString::number(registered.Count() - 1) +
                                               " of the sorted times, or all");
            }
            chosen.insert(index);
        }
        registered.SetSelection(std::vector<int>(chosen.begin(), chosen.end()), -1);
    }

    if (!QDir().mkpath(outDir)) {
        context.err << "pirvan-split cut: cannot make the folder " << outDir << "\n";
        return Failure;
    }
    CutOptions options;
    options.startTimesEnabled = true;
    options.saveName = false;
    options.waitForSave = true;
    options.noMemo = true;
    options.autoName = naming != "long";
    options.auto83 = naming == "8.3";
    options.timePart = {minutes, format.TimeDigits(), format.MinuteDigits()};
    options.saveDir = QFileInfo(outDir).absoluteFilePath() + "/";
    options.baseName = OutputBaseNameOf(file);
    options.colorTagNames = labels;

    CutMessenger messenger(context.out, context.err);
    NoProgressBox progress;
    NoEventPump pump;
    SharedFlags flags;
    CutRecord record;
    NoTextViewer viewer;
    CutRun run(CutRunServices(Host{messenger, progress, pump}, flags, record, viewer));
    run.onRecordLine = [&](const QString& line) { context.out << line << Qt::endl; };
    RegisteredListTarget target(registered);
    run.StartCutRun(filterCommand.value_or(CutCommand::WAV_CUT), target,
                    QFileInfo(file).absoluteFilePath(), options);
    return run.AnyCut() ? Success : Failure;
}

const CommandRegistration registration("cut", kUsage, RunCut);

} // namespace

} // namespace veskar::cli
