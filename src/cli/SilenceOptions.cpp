#include "cli/SilenceOptions.h"

#include <QCommandLineParser>

#include "cli/FileTimeFormat.h"
#include "core/host/UnattendedHost.h"
#include "core/timelists/TimeLists.h"

namespace veskar::cli {

void AddSilenceOptions(QCommandLineParser& parser) {
    parser.addOptions({{QStringLiteral("recognition"), {}, QStringLiteral("MS")},
                       {QStringLiteral("channel"), {}, QStringLiteral("K:DURATION_MS:LEVEL")},
                       {QStringLiteral("setting"), {}, QStringLiteral("K"), QStringLiteral("0")}});
}

bool ApplySilenceOptions(CommandContext& context, const QCommandLineParser& parser,
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

std::optional<int> ParseSettingOption(CommandContext& context, const QCommandLineParser& parser) {
    const auto k =
        ParseWholeNumber(parser.value(QStringLiteral("setting")), 0, kSilenceChannels - 1);
    if (!k) {
        UsageError(context, QStringLiteral("--setting is one of 0..5"));
    }
    return k;
}

RegisteredList RegisterSongs(const SilenceList& list, const TimeFormat& format, QTextStream& err) {
    TimeList source;
    for (const int64_t ms : list.timesMs) {
        source.Append(FormatMs(format, ms));
    }
    source.SelectAll();
    TimeLists lists;
    lists.format = format;
    UnattendedMessenger messenger(err);
    lists.RegisterLines(source, true, messenger, &list.marks);
    return lists.registered;
}

} // namespace veskar::cli
