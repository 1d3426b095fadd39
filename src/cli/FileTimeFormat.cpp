#include "cli/FileTimeFormat.h"

#include <algorithm>
#include <limits>

#include "core/wav/WavHeader.h"

namespace veskar::cli {

TimeFormat FileTimeFormat(const QString& path, WavRoutine routine, bool minutesMode) {
    int64_t lengthMs = -1;
    OpenWavFile wav;
    if (ValidateWavHeader(path, routine, wav).isEmpty()) {
        const WavInfo& info = wav.info;
        lengthMs = info.dataLength / info.blockAlign * 1000 / info.sampleRate;
    }
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
