// pirvan-split auto FILE... --out DIR: finds the silences of each recording and cuts its songs,
// each from its start to the silence after it, in one step, file after file. A file that
// fails is reported and the next one is still split.
#include <optional>

#include <unistd.h>

#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>

#include "cli/Command.h"
#include "cli/CutJob.h"
#include "cli/FileTimeFormat.h"
#include "cli/JsonOutput.h"
#include "cli/SilenceOptions.h"
#include "core/host/ProgressBox.h"
#include "core/timelists/CutPointFiles.h"
#include "core/wav/SilenceSuggestion.h"
#include "core/wav/StartAgreement.h"
#include "core/wav/WavHeader.h"

namespace veskar::cli {

namespace {

constexpr const char* kUsage =
    "auto FILE... --out DIR [--setting K] [--recognition MS] [--channel K:DURATION_MS:LEVEL]...\n"
    "      [--tracks N] [--naming long|short|8.3] [--minutes] [--dry-run] [--json]\n"
    "      detects the silences of each FILE with the six settings, registers every time of\n"
    "      setting K (default 0) with the song starts in colour 1 and cuts the songs, each from\n"
    "      its start to the silence after it, into DIR; --dry-run only prints the pieces (file,\n"
    "      start, end and label as a label track writes them); --tracks N cuts N pieces at the\n"
    "      longest, quietest gaps instead of setting K. Exit 1 when any file failed";

// One line on a terminal's stderr, rewritten as the run goes: file, step, percent and speed.
class TerminalProgress : public ProgressBox {
public:
    TerminalProgress(QTextStream& err, const QString& file, int64_t dataBytes)
        : m_err(err), m_file(QFileInfo(file).fileName()), m_dataBytes(dataBytes) {}
    /// The step the next box stands for; the cut run's own caption names the file again.
    void SetStep(const QString& step) { m_step = step; }
    int Open(const QString&, const QString&) override {
        m_clock.start();
        m_percent = -1;
        return 0;
    }
    int SetPercent(int, int percent) override {
        // A redraw per block would flood a slow terminal: only when the figure moves.
        if (percent != m_percent) {
            m_percent = percent;
            const double seconds = std::max<qint64>(m_clock.elapsed(), 1) / 1000.0;
            const double mbPerSecond = m_dataBytes * (percent / 100.0) / seconds / 1e6;
            m_err << "\r\x1b[K" << m_file << ": " << m_step << ' ' << percent << "% "
                  << QString::number(mbPerSecond, 'f', 1) << " MB/s" << Qt::flush;
        }
        return Running;
    }
    void SetMessage(int, const QString&) override {}
    int GetState(int) const override { return Running; }
    void Close(int& handle) override {
        Clear();
        handle = -1;
    }
    /// Takes the line away, so that a record line on stdout starts at the left edge.
    void Clear() { m_err << "\r\x1b[K" << Qt::flush; }

private:
    QTextStream& m_err;
    QString m_file;
    int64_t m_dataBytes;
    QString m_step;
    int m_percent = -1;
    QElapsedTimer m_clock;
};

struct AutoArguments {
    CutJob job;
    QStringList files;
    int setting = 0;
    int tracks = 0; ///< pieces known to be in each file; 0: use the setting
    bool dryRun = false;
    bool json = false;
};

std::optional<AutoArguments> ParseAutoArguments(CommandContext& context,
                                                QCommandLineParser& parser) {
    const QCommandLineOption out(QStringLiteral("out"), {}, QStringLiteral("DIR"));
    const QCommandLineOption naming(QStringLiteral("naming"), {}, QStringLiteral("long|short|8.3"),
                                    QStringLiteral("short"));
    const QCommandLineOption minutes(QStringLiteral("minutes"));
    const QCommandLineOption dryRun(QStringLiteral("dry-run"));
    const QCommandLineOption json(QStringLiteral("json"));
    const QCommandLineOption tracks(QStringLiteral("tracks"), {}, QStringLiteral("N"));
    parser.addOptions({out, naming, minutes, dryRun, json, tracks});
    AddSilenceOptions(parser);
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")}, true)) {
        return std::nullopt;
    }
    AutoArguments args;
    args.files = parser.positionalArguments();
    args.job.outDir = parser.value(out);
    args.job.naming = parser.value(naming);
    args.job.minutes = parser.isSet(minutes);
    args.dryRun = parser.isSet(dryRun);
    args.json = parser.isSet(json);
    const std::optional<int> setting = ParseSettingOption(context, parser);
    // The options' texts are checked once here; each file applies them to its own defaults.
    SilenceSettings check;
    if (!setting || !ParseNaming(context, args.job.naming) ||
        !ApplySilenceOptions(context, parser, check)) {
        return std::nullopt;
    }
    if (parser.isSet(tracks)) {
        const std::optional<int> count = ParseWholeNumber(parser.value(tracks), 1);
        if (!count) {
            UsageError(context, QStringLiteral("--tracks needs a whole number of pieces from 1"));
            return std::nullopt;
        }
        args.tracks = *count;
    }
    if (args.job.outDir.isEmpty() && !args.dryRun) {
        UsageError(context, QStringLiteral("--out DIR is missing"));
        return std::nullopt;
    }
    args.setting = *setting;
    return args;
}

// Detects, registers and cuts one file; false when it failed (reported on stderr).
bool SplitFile(CommandContext& context, const QCommandLineParser& parser, AutoArguments& args,
               const QString& path, QJsonObject& report) {
    OpenWavFile wav;
    QString result = ValidateWavHeader(path, WavRoutine::SilenceDetection, wav);
    SilenceSettings settings = DefaultSilenceSettings(
        wav.info.bitsPerSample == 8 ? SampleFamily::Bits8 : SampleFamily::Bits16);
    ApplySilenceOptions(context, parser, settings);
    const bool onTerminal = ::isatty(STDERR_FILENO) == 1 && !args.json;
    TerminalProgress progress(context.err, path, wav.info.dataLength);
    SilenceResult silences;
    if (result.isEmpty()) {
        ReadProgress reading;
        if (onTerminal) {
            progress.SetStep(QStringLiteral("silences"));
            reading.box = &progress;
            reading.handle = progress.Open({}, {});
        }
        if (args.tracks > 0) {
            // The pieces of a known count come from the peak profile at the suggested level.
            PeakProfile profile;
            result = MeasurePeakProfile(wav, reading, profile);
            const int level = SuggestSilenceSettings(profile, settings.recognition).level;
            silences.lists[args.setting] =
                FitPieceCount(profile, level, args.tracks, QStringLiteral("1"));
        } else {
            result = DetectSilences(wav, settings, QStringLiteral("1"), reading, silences);
        }
        if (onTerminal) {
            progress.Close(reading.handle);
        }
    }
    if (!result.isEmpty()) {
        PrintFailure(context, result, path);
        return false;
    }
    const TimeFormat format = FileTimeFormat(wav.info, wav.file.size(), args.job.minutes);
    wav.file.close();
    RegisteredList songs = RegisterSongs(silences.lists[args.setting], format, context.err);
    QJsonArray pieces;
    if (args.dryRun) {
        const auto points =
            ChosenCutPoints(songs, CutCommand::WAV_CUT_ST, true, format.FileLengthMs(), {});
        for (const CutPoint& point : points) {
            pieces.append(QJsonObject{{"start_ms", point.startMs}, {"end_ms", point.endMs}});
            if (!args.json) {
                context.out << path << '\t' << QString::fromUtf8(WriteLabelTrack({point}));
            }
        }
        report["pieces"] = pieces;
        return !points.empty();
    }
    args.job.file = path;
    progress.SetStep(QStringLiteral("cut"));
    CutPrinting printing;
    printing.records = !args.json;
    printing.summary = false;
    if (onTerminal) {
        printing.beforeRecord = [&progress] { progress.Clear(); };
    }
    const CutOutcome outcome = RunCutJob(context, args.job, CutCommand::WAV_CUT_ST, songs, format,
                                         printing, onTerminal ? &progress : nullptr);
    for (const WrittenPiece& piece : outcome.written) {
        pieces.append(QJsonObject{{"start_ms", piece.startMs},
                                  {"end_ms", piece.endMs},
                                  {"output", piece.path},
                                  {"record", piece.recordLine}});
    }
    report["pieces"] = pieces;
    return outcome.exitCode == Success;
}

int RunAuto(CommandContext& context) {
    QCommandLineParser parser;
    std::optional<AutoArguments> args = ParseAutoArguments(context, parser);
    if (!args) {
        return Usage;
    }
    QJsonArray reports;
    int failed = 0;
    for (const QString& path : args->files) {
        QJsonObject report{{"file", path}};
        const bool ok = SplitFile(context, parser, *args, path, report);
        report["ok"] = ok;
        reports.append(report);
        if (!ok) {
            ++failed;
            context.err << "pirvan-split auto: " << path << " was not split\n";
        }
    }
    if (args->json) {
        PrintJson(context, {{"files", reports}});
    }
    if (failed > 0) {
        context.err << "pirvan-split auto: " << failed << " of " << args->files.size()
                    << " files failed\n";
    }
    return failed == 0 ? Success : Failure;
}

const CommandRegistration registration("auto", kUsage, RunAuto);

} // namespace

} // namespace veskar::cli
