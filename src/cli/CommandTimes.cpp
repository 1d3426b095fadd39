// pirvan-split times: the equal-interval and subdivision lists of a file length, one time text
// per line, for scripts that want the cut screen's lists without the window.
#include <optional>

#include "cli/Command.h"
#include "core/host/UnattendedHost.h"
#include "core/timelists/IntervalList.h"
#include "core/timelists/Subdivision.h"
#include "core/timelists/TimeList.h"
#include "core/timelists/TimeText.h"

namespace veskar::cli {

namespace {

constexpr const char* kUsage =
    "times LENGTH_MS [--ms] [--interval MS] [--subdivide LEVEL:BASE_MS] [--mode end5|me100]\n"
    "      prints the equal-interval list of a file LENGTH_MS long (interval 10000 ms unless\n"
    "      given), or with --subdivide the subdivision lists from LEVEL (0 = 1 ms .. 5 = 60 s)\n"
    "      down to 0 around BASE_MS, each after a line \"# LEVEL\". Times are minutes.ms unless\n"
    "      --ms; --mode shifts the finest window as the end-probe play modes do";

std::optional<TimeMs> ParseMs(const QString& text) {
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value >= 0 ? std::optional<TimeMs>(value) : std::nullopt;
}

int UsageError(CommandContext& context, const QString& message) {
    context.err << "pirvan-split times: " << message << "\n"
                << "usage: pirvan-split " << QString::fromUtf8(kUsage) << "\n";
    return Usage;
}

void PrintList(QTextStream& out, const TimeList& list) {
    for (const QString& text : list.Texts()) {
        out << text << '\n';
    }
}

int RunTimes(CommandContext& context) {
    std::optional<TimeMs> length;
    TimeMs intervalMs = kStartIntervalMs;
    bool intervalGiven = false;
    bool minutesMode = true;
    int specialMode = SpecialOff;
    std::optional<int> topLevel;
    QString baseText;

    const QStringList& args = context.args;
    for (int i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--ms") {
            minutesMode = false;
        } else if (arg == "--interval") {
            const auto value = hasValue ? ParseMs(args[++i]) : std::nullopt;
            if (!value || *value < 1) {
                return UsageError(context, "--interval needs a whole number of ms from 1");
            }
            intervalMs = *value;
            intervalGiven = true;
        } else if (arg == "--subdivide") {
            const QStringList parts = hasValue ? args[++i].split(':') : QStringList();
            bool ok = false;
            const int level = parts.size() == 2 ? parts[0].toInt(&ok) : -1;
            if (!ok || level < 0 || level >= kSubdivisionLevels || !ParseTime(parts[1])) {
                return UsageError(context, "--subdivide needs LEVEL:BASE_MS with LEVEL 0..5 and "
                                           "a time in ms (or minutes.ms)");
            }
            topLevel = level;
            baseText = parts[1];
        } else if (arg == "--mode") {
            const QString mode = hasValue ? args[++i] : QString();
            if (mode == "end5") {
                specialMode = EndProbe;
            } else if (mode == "me100") {
                specialMode = SilentEndProbe;
            } else {
                return UsageError(context, "--mode is end5 or me100");
            }
        } else if (!length && !arg.startsWith("--")) {
            length = ParseMs(arg);
            if (!length) {
                return UsageError(context, "LENGTH_MS must be a whole number of ms from 0");
            }
        } else {
            return UsageError(context, "unexpected argument \"" + arg + "\"");
        }
    }
    if (!length) {
        return UsageError(context, "LENGTH_MS is missing");
    }
    if (intervalGiven && topLevel) {
        return UsageError(context, "--interval and --subdivide exclude each other");
    }

    TimeFormat format;
    format.SetFileLength(*length);
    format.SetMinutesMode(minutesMode);
    TimeList list;
    if (!topLevel) {
        const bool complete = BuildIntervalList(format, intervalMs, list);
        PrintList(context.out, list);
        if (!complete) {
            UnattendedMessenger messenger(context.err);
            messenger.ShowMessage(QStringLiteral("登録数が範囲を超えました。"));
            return Failure;
        }
        return Success;
    }
    const TimeMs base = *ParseTime(baseText);
    for (int level = *topLevel; level >= 0; --level) {
        FillSubdivision(format, level, *topLevel, base, specialMode, list, nullptr);
        context.out << "# " << level << '\n';
        PrintList(context.out, list);
    }
    return Success;
}

const CommandRegistration registration("times", kUsage, RunTimes);

} // namespace

} // namespace veskar::cli
