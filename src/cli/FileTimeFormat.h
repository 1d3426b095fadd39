#pragma once

#include <cstdint>

#include <QString>

#include "core/timelists/TimeText.h"
#include "core/wav/WavRoutine.h"

namespace veskar::cli {

/// The time texts of the window's lists for the file at path: widths from its length as the
/// player reports it (whole frames × 1000 / rate, rounded down), or from -1 when the file does
/// not pass the routine's header checks.
TimeFormat FileTimeFormat(const QString& path, WavRoutine routine, bool minutesMode);

/// A time of the engine (64-bit ms) as a list line.
QString FormatMs(const TimeFormat& format, int64_t ms);

} // namespace veskar::cli
