#pragma once

#include <QStringList>

#include "core/timelists/TimeMs.h"

namespace veskar {

class TimeFormat;
class TimeList;

/// Entries of the interval choice (ComboBox_TM): 1 s, 10 s, 60 s, 10 min, 60 min.
constexpr int kIntervalChoices = 5;
/// The interval the program starts with; it carries over from file to file.
constexpr TimeMs kStartIntervalMs = 10000;
/// The most lines the equal-interval list takes; a longer build stops there and reports it.
constexpr int kMaxIntervalLines = 1'000'000;

/// IntervalMs of a choice index; any other index counts as 1 s.
TimeMs IntervalMsForIndex(int index);
/// The choice index shown for an interval when a file is chosen (unknown intervals give 0).
int IntervalIndexForMs(TimeMs intervalMs);
/// The entry texts of the choice in the given mode ("1s" .. "3600s", or "1秒" .. "60分").
QStringList IntervalEntryTexts(bool minutesMode);

/// Fills list with the texts of 0, intervalMs, 2 × intervalMs, ... up to the file length (no
/// line when the length is -1). False when the list refused lines (more than kMaxIntervalLines,
/// or an interval below 1 ms); the lines added so far stay.
bool BuildIntervalList(const TimeFormat& format, TimeMs intervalMs, TimeList& list);

} // namespace veskar
