#pragma once

#include "core/play/CutPlayMode.h"
#include "core/timelists/TimeMs.h"

namespace veskar {

class EventPump;
class TimeFormat;
class TimeList;

/// The subdivision lists by level: 0 = 1 ms, 1 = 10 ms, 2 = 100 ms, 3 = 1 s, 4 = 10 s,
/// 5 = 60 s. Every part of the program uses this order.
constexpr int kSubdivisionLevels = 6;
/// The top level of a subdivision started from the equal-interval, registered or silence list.
constexpr int kTopSubdivisionLevel = 5;

/// Step of a level in ms (1, 10, 100, 1000, 10000, 60000); 0 for no level.
TimeMs SubdivisionStepMs(int level);
/// Number of level slots of a level's list: 16, or 66 for the 60 s list.
int SubdivisionSlotCount(int level);
/// The caption of a level: "1ms", "10ms", "100ms", "1s", "10s", "60s".
const char* SubdivisionCaption(int level);
/// True for the special modes that play up to a time, which probe before it.
bool ProbesBeforeTime(SpecialMode specialMode);

/// Fills the list of one level with the window around base time T: from two steps before T to
/// 12 steps after it (62 for the 60 s list), clipped to 0 and to the file length; a window cut
/// at the start begins with a line 0 unless T is 0. When this level is the top level of the run,
/// is the 1 ms or 10 ms list and specialMode probes before the time, the window starts ten steps
/// earlier. The line of T becomes current and the only selected line; pump (may be null) runs
/// once right after it. False (the list untouched) for a level outside 0..5.
bool FillSubdivision(const TimeFormat& format, int level, int topLevel, TimeMs baseMs,
                     SpecialMode specialMode, TimeList& list, EventPump* pump);

} // namespace veskar
