// pirvan-split levels FILE [--ms]: the equal-interval peak run; prints the overall peak and the
// peak of every 1 s, 10 s, 60 s, 10 min and 60 min slot.
#include <QStringList>

#include "cli/FileTimeFormat.h"
#include "cli/Command.h"
#include "core/wav/IntervalPeaks.h"

namespace veskar::cli {

namespace {

int RunLevels(CommandContext& context) {
    QString path;
    bool minutesMode = true;
    for (const QString& arg : context.args) {
        if (arg == QLatin1String("--ms")) {
            minutesMode = false;
        } else if (arg.startsWith(QLatin1Char('-')) || !path.isEmpty()) {
            context.err << "usage: pirvan-split levels FILE [--ms]\n";
            return Usage;
        } else {
            path = arg;
        }
    }
    if (path.isEmpty()) {
        context.err << "usage: pirvan-split levels FILE [--ms]\n";
        return Usage;
    }
    IntervalPeaks peaks;
    const QString result = MeasureIntervalPeaks(path, ReadProgress{}, peaks);
    if (!result.isEmpty()) {
        context.err << result << "\n";
        return Failure;
    }
    const TimeFormat times = FileTimeFormat(path, WavRoutine::IntervalPeaks, minutesMode);
    context.out << "peak\t" << FormatMs(times, peaks.peakMs) << '\t' << peaks.peak << "\n";
    for (int level = 0; level < kIntervalLevels; ++level) {
        QStringList values;
        values.reserve(static_cast<qsizetype>(peaks.lists[level].size()));
        for (int32_t value : peaks.lists[level]) {
            values << QString::number(value);
        }
        context.out << "AC" << level << '\t' << values.join(QLatin1Char(' ')) << "\n";
    }
    return Success;
}

const CommandRegistration registration(
    "levels",
    "levels FILE [--ms]        overall peak and peaks per 1 s, 10 s, 60 s, 10 min, 60 min",
    RunLevels);

} // namespace

} // namespace veskar::cli
