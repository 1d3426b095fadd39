// pirvan-split silences FILE [--ms] [--recognition MS] [--channel K:DURATION_MS:LEVEL]...:
// the silence detection with six settings in one pass; prints the six lists and the peak.
#include "cli/FileTimeFormat.h"
#include "cli/Command.h"
#include "core/wav/SilenceDetector.h"
#include "core/wav/WavHeader.h"

namespace veskar::cli {

namespace {

constexpr char kUsage[] = "usage: pirvan-split silences FILE [--ms] [--recognition MS] "
                          "[--channel K:DURATION_MS:LEVEL]...\n";

struct ChannelOption {
    int channel;
    QString duration;
    QString level;
};

int RunSilences(CommandContext& context) {
    QString path;
    bool minutesMode = true;
    std::optional<QString> recognition;
    std::vector<ChannelOption> channels;
    const QStringList& args = context.args;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--ms")) {
            minutesMode = false;
        } else if (arg == QLatin1String("--recognition") && i + 1 < args.size()) {
            recognition = args[++i];
        } else if (arg == QLatin1String("--channel") && i + 1 < args.size()) {
            const QStringList parts = args[++i].split(QLatin1Char(':'));
            bool ok = false;
            const int k = parts.value(0).toInt(&ok);
            if (parts.size() != 3 || !ok || k < 0 || k >= kSilenceChannels) {
                context.err << "pirvan-split silences: --channel takes K:DURATION_MS:LEVEL with K "
                               "0..5\n"
                            << kUsage;
                return Usage;
            }
            channels.push_back({k, parts[1], parts[2]});
        } else if (arg.startsWith(QLatin1Char('-')) || !path.isEmpty()) {
            context.err << kUsage;
            return Usage;
        } else {
            path = arg;
        }
    }
    if (path.isEmpty()) {
        context.err << kUsage;
        return Usage;
    }

    // The family's defaults need the sample width; a file that fails here fails the same way
    // in the detection, which reports it.
    SampleFamily family = SampleFamily::Bits16;
    {
        OpenWavFile wav;
        if (ValidateWavHeader(path, WavRoutine::SilenceDetection, wav).isEmpty() &&
            wav.info.bitsPerSample == 8) {
            family = SampleFamily::Bits8;
        }
    }
    SilenceSettings settings = DefaultSilenceSettings(family);
    if (recognition) {
        settings.recognition = *recognition;
    }
    for (const ChannelOption& option : channels) {
        settings.durations[option.channel] = option.duration;
        settings.levels[option.channel] = option.level;
    }

    SilenceResult silences;
    const QString result =
        DetectSilences(path, settings, QStringLiteral("1"), ReadProgress{}, silences);
    if (!result.isEmpty()) {
        context.err << result << "\n";
        return Failure;
    }
    const TimeFormat times = FileTimeFormat(path, WavRoutine::SilenceDetection, minutesMode);
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
    return Success;
}

const CommandRegistration registration(
    "silences",
    "silences FILE [--ms] [--recognition MS] [--channel K:DURATION_MS:LEVEL]...\n"
    "                                         silence lists of six settings in one pass",
    RunSilences);

} // namespace

} // namespace veskar::cli
