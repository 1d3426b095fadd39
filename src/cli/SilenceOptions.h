#pragma once

#include <optional>

#include <QTextStream>

#include "cli/Command.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/TimeText.h"
#include "core/wav/SilenceDetector.h"

class QCommandLineParser;

namespace veskar::cli {

/// Adds --recognition, --channel and --setting, shared by silences and auto.
void AddSilenceOptions(QCommandLineParser& parser);

/// The texts of --recognition and --channel go into the settings as given: the detection turns
/// a value that is not a whole number into its fallback, as the window does. False after the
/// usage error.
bool ApplySilenceOptions(CommandContext& context, const QCommandLineParser& parser,
                         SilenceSettings& settings);

/// --setting K (0..5, default 0); nothing after the usage error.
std::optional<int> ParseSettingOption(CommandContext& context, const QCommandLineParser& parser);

/// What "すべて色付登録" makes of a silence list: every time registered, the song starts in
/// start colour 1 (blue). Messages of the registration go to err.
RegisteredList RegisterSongs(const SilenceList& list, const TimeFormat& format, QTextStream& err);

} // namespace veskar::cli
