#include "core/timelists/IntervalList.h"

#include <algorithm>
#include <cstdint>

#include "core/timelists/TimeList.h"
#include "core/timelists/TimeText.h"

namespace veskar {

namespace {
constexpr TimeMs kIntervals[kIntervalChoices] = {1000, 10000, 60000, 600000, 3600000};
}

TimeMs IntervalMsForIndex(int index) {
    return index >= 0 && index < kIntervalChoices ? kIntervals[index] : 1000;
}

int IntervalIndexForMs(TimeMs intervalMs) {
    for (int index = 1; index < kIntervalChoices; ++index) {
        if (kIntervals[index] == intervalMs) {
            return index;
        }
    }
    return 0;
}

QStringList IntervalEntryTexts(bool minutesMode) {
    if (minutesMode) {
        return {QStringLiteral("1秒"), QStringLiteral("10秒"), QStringLiteral("1分"),
                QStringLiteral("10分"), QStringLiteral("60分")};
    }
    return {QStringLiteral("1s"), QStringLiteral("10s"), QStringLiteral("60s"),
            QStringLiteral("600s"), QStringLiteral("3600s")};
}

bool BuildIntervalList(const TimeFormat& format, TimeMs intervalMs, TimeList& list) {
    list.Clear();
    if (intervalMs < 1) {
        return false;
    }
    const TimeMs length = format.FileLengthMs();
    if (length < 0) {
        return true;
    }
    const int64_t lines = int64_t{length} / intervalMs + 1;
    list.Reserve(static_cast<int>(std::min<int64_t>(lines, kMaxIntervalLines)));
    // 64-bit so that the last step past a length near the top of TimeMs cannot wrap.
    for (int64_t t = 0; t <= length; t += intervalMs) {
        if (list.Count() >= kMaxIntervalLines) {
            return false;
        }
        list.Append(format.FormatTime(static_cast<TimeMs>(t)));
    }
    return true;
}

} // namespace veskar
