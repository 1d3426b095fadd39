// pirvan-split times: the equal-interval and subdivision lists of a file length, one time text
// per line, for scripts that want the cut screen's lists without the window.
#include <optional>

#include <QCommandLineParser>

#include "cli/Command.h"
#include "cli/TimeArgument.h"
#include "core/host/UnattendedHost.h"
#include "core/timelists/IntervalList.h"
#include "core/timelists/Subdivision.h"
#include "core/timelists/TimeList.h"
#include "core/timelists/TimeText.h"

namespace veskar::cli {

namespace {

constexpr const char* kUsage =
    "times LENGTH_MS [--ms] [--interval MS] [--subdivide LEVEL:BASE] [--mode end5|me100]\n"
    "      prints the equal-interval list of a file LENGTH_MS long (interval 10000 ms unless\n"
    "      given), or with --subdivide the subdivision lists from LEVEL (0 = 1 ms .. 5 = 60 s)\n"
    "      down to 0 around the time BASE, each after a line \"# LEVEL\". Times are minutes.ms\n"
    "      unless --ms; --mode shifts the finest window as the end-probe play modes do";

struct Subdivide {
    int topLevel;
    TimeMs baseMs;
};

void PrintList(QTextStream& out, const TimeList& list) {
    for (const QString& text : list.Texts()) {
        out << text << '\n';
    }
}

// LEVEL:BASE, split at the first ":" since BASE may be a clock time of its own.
std::optional<Subdivide> ParseSubdivide(CommandContext& context, const QString& value) {
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    const auto level = ParseWholeNumber(value.left(colon), 0, kSubdivisionLevels - 1);
    if (colon < 0 || !level) {
        UsageError(context, QStringLiteral("--subdivide needs LEVEL:BASE with LEVEL 0..5"));
        return std::nullopt;
    }
    const QString baseText = value.mid(colon + 1);
    const auto base = ParseTimeArgument(baseText);
    if (!base) {
        UsageError(context, NotATimeMessage(baseText));
        return std::nullopt;
    }
    return Subdivide{*level, *base};
}

int PrintIntervalList(CommandContext& context, const TimeFormat& format, TimeMs intervalMs) {
    TimeList list;
    const bool complete = BuildIntervalList(format, intervalMs, list);
    PrintList(context.out, list);
    if (!complete) {
        UnattendedMessenger messenger(context.err);
        messenger.ShowMessage(QStringLiteral("登録数が範囲を超えました。"));
        return Failure;
    }
    return Success;
}

void PrintSubdivisions(CommandContext& context, const TimeFormat& format, Subdivide subdivide,
                       SpecialMode specialMode) {
    TimeList list;
    for (int level = subdivide.topLevel; level >= 0; --level) {
        FillSubdivision(format, level, subdivide.topLevel, subdivide.baseMs, specialMode, list,
                        nullptr);
        context.out << "# " << level << '\n';
        PrintList(context.out, list);
    }
}

int RunTimes(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption ms(QStringLiteral("ms"));
    const QCommandLineOption interval(QStringLiteral("interval"), {}, QStringLiteral("MS"));
    const QCommandLineOption subdivide(QStringLiteral("subdivide"), {},
                                       QStringLiteral("LEVEL:BASE"));
    const QCommandLineOption mode(QStringLiteral("mode"), {}, QStringLiteral("end5|me100"));
    parser.addOptions({ms, interval, subdivide, mode});
    if (!ParseCommandLine(context, parser, {QStringLiteral("LENGTH_MS")})) {
        return Usage;
    }
    const auto length = ParseWholeNumber(parser.positionalArguments().first(), 0);
    if (!length) {
        return UsageError(context, QStringLiteral("LENGTH_MS must be a whole number of ms from 0"));
    }
    const auto intervalMs =
        parser.isSet(interval) ? ParseWholeNumber(parser.value(interval), 1) : kStartIntervalMs;
    if (!intervalMs) {
        return UsageError(context, QStringLiteral("--interval needs a whole number of ms from 1"));
    }
    SpecialMode specialMode = SpecialMode::Off;
    if (parser.isSet(mode)) {
        const QString name = parser.value(mode);
        if (name != QLatin1String("end5") && name != QLatin1String("me100")) {
            return UsageError(context, QStringLiteral("--mode is end5 or me100"));
        }
        specialMode =
            name == QLatin1String("end5") ? SpecialMode::EndProbe : SpecialMode::SilentEndProbe;
    }
    if (parser.isSet(interval) && parser.isSet(subdivide)) {
        return UsageError(context, QStringLiteral("--interval and --subdivide exclude each other"));
    }

    TimeFormat format;
    format.SetFileLength(*length);
    format.SetMinutesMode(!parser.isSet(ms));
    if (!parser.isSet(subdivide)) {
        return PrintIntervalList(context, format, *intervalMs);
    }
    const auto around = ParseSubdivide(context, parser.value(subdivide));
    if (!around) {
        return Usage;
    }
    PrintSubdivisions(context, format, *around, specialMode);
    return Success;
}

const CommandRegistration registration("times", kUsage, RunTimes);

} // namespace

} // namespace veskar::cli
