// pirvan-split levels FILE [--ms]: the equal-interval peak run; prints the overall peak and the
// peak of every 1 s, 10 s, 60 s, 10 min and 60 min slot.
#include <QCommandLineParser>
#include <QJsonArray>
#include <QStringList>

#include "cli/Command.h"
#include "cli/FileTimeFormat.h"
#include "cli/JsonOutput.h"
#include "core/wav/IntervalPeaks.h"
#include "core/wav/WavHeader.h"

namespace veskar::cli {

namespace {

int RunLevels(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption ms(QStringLiteral("ms"));
    const QCommandLineOption json(QStringLiteral("json"));
    parser.addOptions({ms, json});
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")})) {
        return Usage;
    }
    const QString path = parser.positionalArguments().first();
    OpenWavFile wav;
    QString result = ValidateWavHeader(path, WavRoutine::IntervalPeaks, wav);
    IntervalPeaks peaks;
    if (result.isEmpty()) {
        result = MeasureIntervalPeaks(wav, ReadProgress{}, peaks);
    }
    if (!result.isEmpty()) {
        PrintFailure(context, result, path);
        return Failure;
    }
    if (parser.isSet(json)) {
        QJsonArray slotPeaks;
        for (int level = 0; level < kIntervalLevels; ++level) {
            QJsonArray values;
            for (int32_t value : peaks.lists[level]) {
                values.append(value);
            }
            slotPeaks.append(values);
        }
        PrintJson(context, {{"peak", QJsonObject{{"ms", static_cast<qint64>(peaks.peakMs)},
                                                 {"value", peaks.peak}}},
                            {"slots", slotPeaks}});
        return Success;
    }
    const TimeFormat times = FileTimeFormat(wav.info, wav.file.size(), !parser.isSet(ms));
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
    "levels FILE [--ms|--json]\n"
    "      the loudest sample and where it is, then the peaks of every 1 s, 10 s, 60 s, 10 min\n"
    "      and 60 min slot",
    RunLevels);

} // namespace

} // namespace veskar::cli
