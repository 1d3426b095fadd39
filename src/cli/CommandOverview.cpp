// pirvan-split overview FILE --png OUT.png [--width W] [--height H] [--marks TIME[:TAG]...]:
// the overview picture of a recording with its marks, as a PNG file, for reports and the help
// pages.
#include <QCommandLineParser>
#include <QFileInfo>
#include <QSaveFile>

#include "cli/Command.h"
#include "cli/TimeArgument.h"
#include "core/timelists/StartColors.h"
#include "core/wav/Envelope.h"
#include "draw/OverviewPainter.h"

namespace veskar::cli {

namespace {

constexpr int kMinSide = 16;
constexpr int kMaxWidth = 16384;
constexpr int kMaxHeight = 4096;

int RunOverview(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption png(QStringLiteral("png"), {}, QStringLiteral("OUT.png"));
    const QCommandLineOption width(QStringLiteral("width"), {}, QStringLiteral("W"),
                                   QStringLiteral("1280"));
    const QCommandLineOption height(QStringLiteral("height"), {}, QStringLiteral("H"),
                                    QStringLiteral("160"));
    const QCommandLineOption marks(QStringLiteral("marks"), {}, QStringLiteral("TIME[:TAG]"));
    parser.addOptions({png, width, height, marks});
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")}, true)) {
        return Usage;
    }
    QStringList positional = parser.positionalArguments();
    const QString path = positional.takeFirst();
    if (!parser.isSet(marks) && !positional.isEmpty()) {
        return UsageError(context, "unexpected argument \"" + positional.first() + "\"");
    }
    if (!parser.isSet(png)) {
        return UsageError(context, QStringLiteral("--png OUT.png is missing"));
    }
    const auto columns = ParseWholeNumber(parser.value(width), kMinSide, kMaxWidth);
    if (!columns) {
        return UsageError(context, QStringLiteral("--width needs a whole number from 16 to 16384"));
    }
    const auto rows = ParseWholeNumber(parser.value(height), kMinSide, kMaxHeight);
    if (!rows) {
        return UsageError(context, QStringLiteral("--height needs a whole number from 16 to 4096"));
    }
    std::vector<TimeArg> times;
    for (const QString& arg : parser.values(marks) + positional) {
        if (!AddTimeArgument(context, arg, times)) {
            return Usage;
        }
    }
    const QString outPath = parser.value(png);
    // QSaveFile replaces the target only once the picture is whole; never let that target be
    // the recording itself.
    if (QFileInfo(outPath).canonicalFilePath() == QFileInfo(path).canonicalFilePath() &&
        QFileInfo::exists(path)) {
        return UsageError(context, QStringLiteral("OUT.png is the recording itself"));
    }

    OverviewScene scene;
    const QString result = MeasureEnvelope(path, 0, -1, *columns, ReadProgress{}, scene.envelope);
    if (!result.isEmpty()) {
        PrintFailure(context, result, path);
        return Failure;
    }
    const int64_t rate = scene.envelope.sampleRate;
    for (const TimeArg& time : times) {
        scene.marks.push_back({int64_t{time.ms} * rate / 1000, StartColorCode(time.tag), false});
    }
    QSaveFile out(outPath);
    if (!out.open(QIODevice::WriteOnly) || !RenderOverview(scene, *rows).save(&out, "PNG") ||
        !out.commit()) {
        context.err << "pirvan-split: " << outPath << ": " << out.errorString() << "\n";
        return Failure;
    }
    return Success;
}

const CommandRegistration registration(
    "overview",
    "overview FILE --png OUT.png [--width W] [--height H] [--marks TIME[:TAG]...]\n"
    "      draws the waveform of FILE (W columns, default 1280, by H rows, default 160) with\n"
    "      a mark at each TIME in its start colour (TAG 1..6), into the PNG picture OUT.png",
    RunOverview);

} // namespace

} // namespace veskar::cli
