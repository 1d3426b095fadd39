// pirvan-split suggest FILE [--recognition MS]: silence settings read from the recording itself.
// The first line holds them as options that silences (and auto) take as they stand; the noise
// floor and the programme level follow.
#include <QCommandLineParser>

#include "cli/Command.h"
#include "core/wav/SilenceDetector.h"
#include "core/wav/SilenceSuggestion.h"

namespace veskar::cli {

namespace {

int RunSuggest(CommandContext& context) {
    QCommandLineParser parser;
    parser.addOption({QStringLiteral("recognition"), {}, QStringLiteral("MS")});
    if (!ParseCommandLine(context, parser, {QStringLiteral("FILE")})) {
        return Usage;
    }
    const QString path = parser.positionalArguments().first();
    SilenceSettings given = DefaultSilenceSettings(SampleFamily::Bits16);
    if (parser.isSet(QStringLiteral("recognition"))) {
        given.recognition = parser.value(QStringLiteral("recognition"));
    }
    RecognitionOf(given); // a text that is no number becomes the detection's fallback
    PeakProfile profile;
    SilenceSuggestion suggestion;
    const QString result =
        SuggestSilenceSettings(path, given.recognition, ReadProgress{}, profile, suggestion);
    if (!result.isEmpty()) {
        PrintFailure(context, result, path);
        return Failure;
    }
    const SilenceSettings& s = suggestion.settings;
    context.out << "--recognition " << s.recognition;
    for (int k = 0; k < kSilenceChannels; ++k) {
        context.out << " --channel " << k << ':' << s.durations[k] << ':' << s.levels[k];
    }
    context.out << "\nnoise floor\t" << suggestion.noiseFloor << "\nprogramme level\t"
                << suggestion.programmeLevel << "\n";
    return Success;
}

const CommandRegistration registration(
    "suggest",
    "suggest FILE [--recognition MS]\n"
    "      silence settings suggested by the recording, as options for silences and auto,\n"
    "      then its noise floor and programme level",
    RunSuggest);

} // namespace

} // namespace veskar::cli
