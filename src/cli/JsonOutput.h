#pragma once

#include <QJsonObject>

#include "cli/Command.h"
#include "core/wav/SilenceDetector.h"
#include "core/wav/WavInfo.h"

namespace veskar::cli {

/// The header's facts for scripts: file, folder, format code, rate, channels, bits, valid bits,
/// frames, length in ms, data offset and size, file size.
QJsonObject InfoJson(const WavInfo& info);

/// A detection's lists and peak for scripts: {"settings": [{"setting", "full", "entries":
/// [{"ms", "song_start"}]}], "peak": {"ms", "value"}}.
QJsonObject SilencesJson(const SilenceResult& silences);

/// A JSON document on out, indented.
void PrintJson(CommandContext& context, const QJsonObject& object);

} // namespace veskar::cli
