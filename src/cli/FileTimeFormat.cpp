#include "cli/FileTimeFormat.h"

#include <algorithm>
#include <limits>

#include "core/cut/SegmentWriter.h"

namespace veskar::cli {

TimeFormat FileTimeFormat(const WavInfo& info, int64_t fileSize, bool minutesMode) {
    const int64_t lengthMs = FramesToMs(AvailableFrames(info, fileSize), info.sampleRate);
    TimeFormat format;
    format.SetFileLength(
        static_cast<TimeMs>(std::min<int64_t>(lengthMs, std::numeric_limits<TimeMs>::max())));
    format.SetMinutesMode(minutesMode);
    return format;
}

QString FormatMs(const TimeFormat& format, int64_t ms) {
    return format.FormatTime(
        static_cast<TimeMs>(std::clamp<int64_t>(ms, 0, std::numeric_limits<TimeMs>::max())));
}

} // namespace veskar::cli
