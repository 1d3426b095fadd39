#pragma once

#include <cstdint>

#include <QString>

#include "core/wav/WavRoutine.h"

namespace veskar::cli {

/// The time texts of the window's lists, for the commands that print list entries: zero-padded
/// milliseconds to the width of the file's length, or minutes "." five digits of milliseconds
/// with the minutes padded to the width of the length's minutes. (Kept here until the time-list
/// formatter of the engine takes its place.)
class CliTimeText {
public:
    CliTimeText(int64_t fileLengthMs, bool minutesMode);

    QString Format(int64_t ms) const;

private:
    bool m_minutesMode;
    int m_timeDigits;
    int m_minuteDigits;
};

/// The length in whole ms of the file's data as the player reports it (frames × 1000 / rate,
/// rounded down), or -1 when the file does not pass the routine's header checks.
int64_t FileLengthMs(const QString& path, WavRoutine routine);

} // namespace veskar::cli
