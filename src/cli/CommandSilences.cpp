// pirvan-split silences FILE [--ms] [--agreement] [--recognition MS]
// [--channel K:DURATION_MS:LEVEL]...: the silence detection with six settings in one pass;
// prints the six lists and the peak. With --agreement, each song start has a third column: how
// many of the six lists have a start near it.
#include <QCommandLineParser>
#include <QFileInfo>

#include "cli/Command.h"
#include "cli/FileTimeFormat.h"
#include "cli/JsonOutput.h"
#include "cli/SilenceOptions.h"
#include "core/timelists/CutPointFiles.h"
#include "core/wav/SilenceDetector.h"
#include "core/wav/StartAgreement.h"
#include "core/wav/WavHeader.h"

namespace veskar::cli {

namespace {

// The mark of a song start in the lists, as the window writes it.
const QString kSongStartMark = QStringLiteral("1");

void PrintLists(CommandContext& context, const SilenceResult& silences, const TimeFormat& times,
                bool agreement) {
    const auto counts =
        agreement ? StartAgreement(silences) : std::array<std::vector<int>, kSilenceChannels>{};
    for (int k = 0; k < kSilenceChannels; ++k) {
        const SilenceList& list = silences.lists[k];
        context.out << "MS" << k << "\n";
        for (int i = 0; i < list.Size(); ++i) {
            context.out << FormatMs(times, list.timesMs[i]) << '\t' << list.marks[i];
            if (agreement && !list.marks[i].isEmpty()) {
                context.out << '\t' << counts[k][i];
            }
            context.out << "\n";
        }
        if (list.full) {
            context.err << "MS" << k << ": " << list.Size()
                        << " entries; the list is full and its end was not checked\n";
        }
    }
    context.out << "peak\t" << FormatMs(times, silences.peakMs) << '\t' << silences.peak << "\n";
}

// The songs of one setting as a label track or cue sheet: each from its start to the silence
// after it, labelled with its start colour's number.
void PrintSongs(CommandContext& context, const QString& path, const SilenceList& list,
                const TimeFormat& format, bool cue) {
    const RegisteredList songs = RegisterSongs(list, format, context.err);
    const std::vector<CutPoint> points =
        ChosenCutPoints(songs, CutCommand::WAV_CUT_ST, true, format.FileLengthMs(), {});
    context.out << QString::fromUtf8(cue ? WriteCueSheet(points, QFileInfo(path).fileName())
                                         : WriteLabelTrack(points));
}

int RunSilences(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption ms(QStringLiteral("ms"));
    const QCommandLineOption formatOption(QStringLiteral("format"), {},
                                          QStringLiteral("labels|cue"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption agreement(QStringLiteral("agreement"));
    parser.addOptions({ms, formatOption, json, agreement});
    AddSilenceOptions(parser);
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")})) {
        return Usage;
    }
    const QString songFormat = parser.value(formatOption);
    if (parser.isSet(formatOption) && songFormat != "labels" && songFormat != "cue") {
        return UsageError(context, QStringLiteral("--format is labels or cue"));
    }
    if (parser.isSet(formatOption) && parser.isSet(json)) {
        return UsageError(context, QStringLiteral("--format and --json exclude each other"));
    }
    const std::optional<int> setting = ParseSettingOption(context, parser);
    if (!setting) {
        return Usage;
    }
    // The defaults depend on the sample width, so the header is read before the options are
    // applied; a file that fails there is reported once they have been checked.
    const QString path = parser.positionalArguments().first();
    OpenWavFile wav;
    QString result = ValidateWavHeader(path, WavRoutine::SilenceDetection, wav);
    SilenceSettings settings = DefaultSilenceSettings(
        wav.info.bitsPerSample == 8 ? SampleFamily::Bits8 : SampleFamily::Bits16);
    if (!ApplySilenceOptions(context, parser, settings)) {
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
    const TimeFormat format = FileTimeFormat(wav.info, wav.file.size(), !parser.isSet(ms));
    if (parser.isSet(json)) {
        PrintJson(context, SilencesJson(silences));
    } else if (parser.isSet(formatOption)) {
        PrintSongs(context, path, silences.lists[*setting], format, songFormat == "cue");
    } else {
        PrintLists(context, silences, format, parser.isSet(agreement));
    }
    return Success;
}

const CommandRegistration registration(
    "silences",
    "silences FILE [--ms] [--agreement] [--recognition MS] [--channel K:DURATION_MS:LEVEL]...\n"
    "      [--format labels|cue [--setting K] | --json]\n"
    "      silence lists of six settings in one pass (--agreement: how many settings find each\n"
    "      song start); with --format the songs of setting K (default 0) as a label track or\n"
    "      cue sheet",
    RunSilences);

} // namespace

} // namespace veskar::cli
