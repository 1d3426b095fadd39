// pirvan-split silences FILE [--ms] [--recognition MS] [--channel K:DURATION_MS:LEVEL]...:
// the silence detection with six settings in one pass; prints the six lists and the peak.
#include <QCommandLineParser>

#include "cli/Command.h"
#include "cli/FileTimeFormat.h"
#include "core/wav/SilenceDetector.h"
#include "core/wav/WavHeader.h"

namespace veskar::cli {

namespace {

// The mark of a song start in the lists, as the window writes it.
const QString kSongStartMark = QStringLiteral("1");

// The texts go into the settings as given: the detection turns a value that is not a whole
// number into its fallback, as the window does.
bool ApplyOptions(CommandContext& context, const QCommandLineParser& parser,
                  SilenceSettings& settings) {
    if (parser.isSet(QStringLiteral("recognition"))) {
        settings.recognition = parser.value(QStringLiteral("recognition"));
    }
    for (const QString& value : parser.values(QStringLiteral("channel"))) {
        const QStringList parts = value.split(QLatin1Char(':'));
        const auto k = ParseWholeNumber(parts.value(0), 0, kSilenceChannels - 1);
        if (parts.size() != 3 || !k) {
            UsageError(context, QStringLiteral("--channel takes K:DURATION_MS:LEVEL with K 0..5"));
            return false;
        }
        settings.durations[*k] = parts[1];
        settings.levels[*k] = parts[2];
    }
    return true;
}

void PrintLists(CommandContext& context, const SilenceResult& silences, const TimeFormat& times) {
    for (int k = 0; k < kSilenceChannels; ++k) {
        const SilenceList& list = silences.lists[k];
        context.out << "MS" << k << "\n";
        for (int i = 0; i < list.Size(); ++i) {
            context.out << FormatMs(times, list.timesMs[i]) << '\t' << list.marks[i] << "\n";
        }
        if (list.full) {
            context.err << "MS" << k << ": " << list.Size()
                        << " entries; the list is full and its end was not checked\n";
        }
    }
    context.out << "peak\t" << FormatMs(times, silences.peakMs) << '\t' << silences.peak << "\n";
}

int RunSilences(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption ms(QStringLiteral("ms"));
    parser.addOptions({ms,
                       {QStringLiteral("recognition"), {}, QStringLiteral("MS")},
                       {QStringLiteral("channel"), {}, QStringLiteral("K:DURATION_MS:LEVEL")}});
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")})) {
        return Usage;
    }
    // The defaults depend on the sample width, so the header is read before the options are
    // applied; a file that fails there is reported once they have been checked.
    const QString path = parser.positionalArguments().first();
    OpenWavFile wav;
    QString result = ValidateWavHeader(path, WavRoutine::SilenceDetection, wav);
    SilenceSettings settings = DefaultSilenceSettings(
        wav.info.bitsPerSample == 8 ? SampleFamily::Bits8 : SampleFamily::Bits16);
    if (!ApplyOptions(context, parser, settings)) {
        return Usage;
    }
    SilenceResult silences;
    if (result.isEmpty()) {
        result = DetectSilences(wav, settings, kSongStartMark, ReadProgress{}, silences);
    }
    if (!result.isEmpty()) {
        PrintFailure(context, result, path);
        return Failure;
    }
    PrintLists(context, silences, FileTimeFormat(wav.info, wav.file.size(), !parser.isSet(ms)));
    return Success;
}

const CommandRegistration registration(
    "silences",
    "silences FILE [--ms] [--recognition MS] [--channel K:DURATION_MS:LEVEL]...\n"
    "                                         silence lists of six settings in one pass",
    RunSilences);

} // namespace

} // namespace veskar::cli
