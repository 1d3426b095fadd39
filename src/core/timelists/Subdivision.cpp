#include "core/timelists/Subdivision.h"

#include <algorithm>
#include <cstdint>

#include "core/host/EventPump.h"
#include "core/timelists/TimeList.h"
#include "core/timelists/TimeText.h"

namespace veskar {

namespace {
constexpr TimeMs kSteps[kSubdivisionLevels] = {1, 10, 100, 1000, 10000, 60000};
constexpr const char* kCaptions[kSubdivisionLevels] = {"1ms", "10ms", "100ms", "1s", "10s", "60s"};

bool IsLevel(int level) {
    return level >= 0 && level < kSubdivisionLevels;
}
} // namespace

TimeMs SubdivisionStepMs(int level) {
    return IsLevel(level) ? kSteps[level] : 0;
}

int SubdivisionSlotCount(int level) {
    return level == 5 ? 66 : 16;
}

const char* SubdivisionCaption(int level) {
    return IsLevel(level) ? kCaptions[level] : "";
}

bool ProbesBeforeTime(SpecialMode specialMode) {
    return specialMode == SpecialMode::EndProbe || specialMode == SpecialMode::SilentEndProbe;
}

bool FillSubdivision(const TimeFormat& format, int level, int topLevel, TimeMs baseMs,
                     SpecialMode specialMode, TimeList& list, EventPump* pump) {
    if (!IsLevel(level)) {
        return false;
    }
    const int64_t step = kSteps[level];
    int64_t base = baseMs;
    if (level == topLevel && level <= 1 && ProbesBeforeTime(specialMode)) {
        base = std::max<int64_t>(0, base - 10 * step);
    }
    list.Clear();
    const int last = step == 60000 ? 62 : 12;
    for (int i = -2; i <= last; ++i) {
        int64_t t = base + i * step;
        if (t < 0) {
            if (i == -1 && base != 0) {
                t = 0;
            } else {
                continue;
            }
        }
        if (t > format.FileLengthMs()) {
            break;
        }
        list.Append(format.FormatTime(static_cast<TimeMs>(t)));
        if (i == 0) {
            list.SelectOnly(list.Count() - 1);
            if (pump != nullptr) {
                pump->ProcessEvents();
            }
        }
    }
    return true;
}

} // namespace veskar
