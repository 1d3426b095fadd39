#pragma once

#include <cstdint>

#include <QString>

#include "core/timelists/TimeText.h"
#include "core/wav/WavInfo.h"

namespace veskar::cli {

/// The time texts of the window's lists for a file whose header gave info: widths from its
/// length as the player reports it, whole frames present in fileSize bytes × 1000 / rate,
/// rounded down.
TimeFormat FileTimeFormat(const WavInfo& info, int64_t fileSize, bool minutesMode);

/// A time of the engine (64-bit ms) as a list line.
QString FormatMs(const TimeFormat& format, int64_t ms);

} // namespace veskar::cli
