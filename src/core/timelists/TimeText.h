#pragma once

#include <optional>

#include <QString>
#include <QStringView>

#include "core/timelists/TimeMs.h"

namespace veskar {

/// The text forms of times for the current cut file. Every list line is a time text: the
/// milliseconds padded with "0" to the width of the file length, or, in minutes mode, minutes
/// padded to the width of the length's minutes, "." and five digits of milliseconds within the
/// minute. All texts of one file have one width, so their character order is their time order;
/// the registered list sorts by text and relies on that.
class TimeFormat {
public:
    /// Stores the cut file's length (-1: it could not be had, 0: no file yet) and recomputes the
    /// two widths from it.
    void SetFileLength(TimeMs lengthMs);
    TimeMs FileLengthMs() const { return m_fileLengthMs; }

    /// Characters of the decimal text of the length (3600000 gives 7, -1 gives 2).
    int TimeDigits() const { return m_timeDigits; }
    /// Characters of the decimal text of the length's whole minutes; 1 unless the length is
    /// positive.
    int MinuteDigits() const { return m_minuteDigits; }

    /// Minutes mode is the option "分単位にする"; on by default.
    bool MinutesMode() const { return m_minutesMode; }
    void SetMinutesMode(bool on) { m_minutesMode = on; }

    /// The line text of a time t >= 0 ("0083456", or "01.23456" in minutes mode). A negative t,
    /// which no list holds, gives its plain decimal text.
    QString FormatTime(TimeMs t) const;
    /// The short text of the position and length labels: whole seconds ("754"), or in minutes
    /// mode minutes "." two digits of seconds ("12.34"); "0" below 1 ms.
    QString FormatPosition(TimeMs t) const;

private:
    TimeMs m_fileLengthMs = 0;
    int m_timeDigits = 1;
    int m_minuteDigits = 1;
    bool m_minutesMode = true;
};

/// Reads a time text of either form, whatever the current mode: with a "." the part before the
/// first "." is whole minutes and the part after it milliseconds, otherwise the whole text is
/// milliseconds. Spaces around the text are ignored. Empty when a part is not a decimal number
/// of digits or the time does not fit a TimeMs.
std::optional<TimeMs> ParseTime(QStringView text);

} // namespace veskar
