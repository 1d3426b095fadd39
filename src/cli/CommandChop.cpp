// pirvan-split chop, direct-cut and force-restore: the chop cut of whole files, and the direct
// one-time cut that edits a file in place, with its forced restore.
#include <algorithm>

#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>

#include "cli/Command.h"
#include "core/chop/ChopRun.h"
#include "core/cut/CutRecord.h"
#include "core/cut/DirectCut.h"
#include "core/host/UnattendedHost.h"
#include "core/wav/WavReader.h"

namespace veskar::cli {

namespace {

constexpr const char* kChopUsage =
    "chop FILE... --out DIR --mode N [--8.3] [--minutes M] [--intro START_S-END_S]\n"
    "      [--raw RATE,BITS,CHANNELS]\n"
    "      cuts each FILE whole into DIR: N 0..8 into N + 2 equal parts, 9..11 into pieces of\n"
    "      512 MiB, 1 GiB, 1.5 GiB, 12..21 of 1..10 minutes, 22 of 15, 23..27 of 20..60 minutes,\n"
    "      28 of M minutes (default 15), 29 the range START_S-END_S seconds (default 0-10),\n"
    "      30 a headerless PCM file of --raw's format (default 44100,16,2) to WAV. --8.3 gives\n"
    "      short names. Prints one chop-record line per piece written";

// Counts the error boxes: each stands for a file or piece that was not written. The command
// line is the run's confirmation, so its question is not printed.
class CountingMessenger : public UnattendedMessenger {
public:
    using UnattendedMessenger::UnattendedMessenger;
    int AskTimedQuestion(const QString&, int defaultResult) override { return defaultResult; }
    int ShowError(const QString& text, int defaultResult) override {
        ++errors;
        return UnattendedMessenger::ShowError(text, defaultResult);
    }
    int errors = 0;
};

// "A-B" of two whole numbers within 0..max with A below B.
bool ParseRange(const QString& text, int max, int& from, int& to) {
    const QStringList parts = text.split('-');
    const auto a = parts.size() == 2 ? ParseWholeNumber(parts[0], 0, max) : std::nullopt;
    const auto b = parts.size() == 2 ? ParseWholeNumber(parts[1], 0, max) : std::nullopt;
    if (!a || !b || *a >= *b) {
        return false;
    }
    from = *a;
    to = *b;
    return true;
}

bool ParseRaw(const QString& text, RawFormat& raw) {
    const QStringList parts = text.split(',');
    if (parts.size() != 3) {
        return false;
    }
    const auto rate = ParseWholeNumber(parts[0], 1, 1000000);
    const auto bits = ParseWholeNumber(parts[1], 8, 16);
    const auto channels = ParseWholeNumber(parts[2], 1, 2);
    if (!rate || !channels || bits.value_or(1) % 8 != 0) {
        return false;
    }
    raw = {static_cast<uint32_t>(*rate), static_cast<uint16_t>(bits.value_or(0)),
           static_cast<uint16_t>(*channels)};
    return true;
}

int RunChopCommand(CommandContext& context) {
    QCommandLineParser parser;
    const QCommandLineOption out(QStringLiteral("out"), {}, QStringLiteral("DIR"));
    const QCommandLineOption mode(QStringLiteral("mode"), {}, QStringLiteral("N"));
    const QCommandLineOption shortNames(QStringLiteral("8.3"));
    const QCommandLineOption minutes(QStringLiteral("minutes"), {}, QStringLiteral("M"),
                                     QString::number(kDefaultChopMinutes));
    const QCommandLineOption intro(QStringLiteral("intro"), {}, QStringLiteral("START_S-END_S"),
                                   QStringLiteral("0-10"));
    const QCommandLineOption raw(QStringLiteral("raw"), {}, QStringLiteral("RATE,BITS,CHANNELS"),
                                 QStringLiteral("44100,16,2"));
    parser.addOptions({out, mode, shortNames, minutes, intro, raw});
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")}, true)) {
        return Usage;
    }
    ChopOptions options;
    options.shortNames = parser.isSet(shortNames);
    const auto n = ParseWholeNumber(parser.value(mode), 0, kChopModeCount - 1);
    const auto m = ParseWholeNumber(parser.value(minutes), 1, 1000);
    if (parser.value(out).isEmpty()) {
        return UsageError(context, QStringLiteral("--out DIR is missing"));
    }
    if (!n) {
        return UsageError(context, QStringLiteral("--mode is one of 0..30"));
    }
    if (!m) {
        return UsageError(context, QStringLiteral("--minutes is one of 1..1000"));
    }
    if (!ParseRange(parser.value(intro), INT_MAX, options.introStartS, options.introEndS)) {
        return UsageError(context, QStringLiteral("--intro needs START_S-END_S, START_S < END_S"));
    }
    if (!ParseRaw(parser.value(raw), options.raw)) {
        return UsageError(context,
                          QStringLiteral("--raw needs RATE,BITS,CHANNELS with BITS 8 or 16, "
                                         "CHANNELS 1 or 2"));
    }
    options.chopMinutes = *m;
    // Like cut, the folder is made only once there is a source that reads: as WAV, or in the
    // headerless mode as any file that opens.
    const auto readable = [&](const QString& source) {
        WavInfo info;
        return static_cast<ChopMode>(*n) == ChopMode::RawToWav
                   ? QFileInfo(source).isFile() && QFileInfo(source).isReadable()
                   : ReadWavInfo(source, info).isEmpty();
    };
    QStringList sources;
    for (const QString& file : parser.positionalArguments()) {
        sources << QFileInfo(file).absoluteFilePath();
    }
    if (std::any_of(sources.begin(), sources.end(), readable) &&
        !QDir().mkpath(parser.value(out))) {
        context.err << "pirvan-split chop: cannot make the folder " << parser.value(out) << "\n";
        return Failure;
    }
    options.chopDir = QFileInfo(parser.value(out)).absoluteFilePath() + "/";
    CountingMessenger messenger(context.err);
    NoProgressBox progress;
    NoEventPump pump;
    // One source at a time, so that the reason a source could not be opened follows its message.
    bool pieceWritten = false;
    for (const QString& source : sources) {
        const auto one =
            RunChop({source}, static_cast<ChopMode>(*n), options, Host{messenger, progress, pump});
        PrintUnreadableReason(context, source);
        for (const QString& line : one->record) {
            context.out << line << "\n";
        }
        pieceWritten = pieceWritten || one->pieceWritten;
        if (one->stopped) {
            break;
        }
    }
    return pieceWritten && messenger.errors == 0 ? Success : Failure;
}

int RunDirectCut(CommandContext& context) {
    QCommandLineParser parser;
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE"), QStringLiteral("START_MS")},
                          true)) {
        return Usage;
    }
    const QStringList args = parser.positionalArguments();
    const auto start = ParseWholeNumber(args[1], 0);
    const auto end = args.size() > 2 ? ParseWholeNumber(args[2], 0) : std::optional<int>(-1);
    if (args.size() > 3 || !start || !end) {
        return UsageError(context, QStringLiteral("START_MS and END_MS are whole milliseconds"));
    }
    DirectCutRecord record;
    const QString result = DirectCutFile(args[0], args[1], *end < 0 ? QString() : args[2], record);
    if (!result.isEmpty()) {
        PrintFailure(context, result, args[0]);
        return Failure;
    }
    WavInfo info;
    if (ReadWavInfo(args[0], info).isEmpty()) {
        context.out << CutRecord::FullLine(info) << "\n";
    }
    return Success;
}

int RunForceRestore(CommandContext& context) {
    QCommandLineParser parser;
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")})) {
        return Usage;
    }
    const QString path = parser.positionalArguments().first();
    const QString result = ForceRestoreFile(path);
    if (!result.isEmpty()) {
        PrintFailure(context, result, path);
        return Failure;
    }
    return Success;
}

const CommandRegistration chop("chop", kChopUsage, RunChopCommand);
const CommandRegistration directCut(
    "direct-cut",
    "direct-cut FILE START_MS [END_MS]\n"
    "      keeps only START_MS..END_MS (or to the end) of FILE by editing it in place; the\n"
    "      rest stays in the file, hidden, and force-restore brings it back",
    RunDirectCut);
const CommandRegistration forceRestore(
    "force-restore",
    "force-restore FILE\n"
    "      undoes a direct cut of FILE; the 16 bytes where the cut's headers sat become silence",
    RunForceRestore);

} // namespace

} // namespace veskar::cli
