#include "core/wav/RangePeak.h"

#include <algorithm>
#include <new>
#include <vector>

#include "core/wav/DataBlockReader.h"
#include "core/wav/FrameMagnitude.h"
#include "core/wav/SlotLevels.h"

namespace veskar {

namespace {

QString RunRangePeak(const QString& path, int64_t startMs, int64_t endMs, EventPump* pump,
                     int64_t& peak) {
    OpenWavFile wav;
    const QString header = ValidateWavHeader(path, WavRoutine::RangePeak, wav);
    if (!header.isEmpty()) {
        return header;
    }
    const WavInfo& info = wav.info;
    const int64_t startByte = TimeToByte(startMs, info.bytesPerSecond, info.blockAlign);
    const int64_t endByte =
        std::min(TimeToByte(endMs, info.bytesPerSecond, info.blockAlign), info.dataLength);
    if (startByte > info.dataLength) {
        return QStringLiteral("先頭タイムが、総サイズを超えています・・・GWP");
    }
    const FrameLayout layout = FrameLayout::Of(info);
    std::vector<uint16_t> magnitudes(kMagnitudeChunk);
    int top = 0;
    ReadProgress progress;
    progress.pump = pump;
    const QString read =
        ReadDataRange(wav, startByte, endByte - startByte, progress, WavRoutine::RangePeak,
                      [&](const uint8_t* frames, int64_t count, int64_t first) {
                          ForEachMagnitudeChunk(frames, count, first, layout, magnitudes.data(),
                                                [&top](const uint16_t* p, int64_t n, int64_t) {
                                                    top = std::max(top, MaxMagnitude(p, n));
                                                });
                      });
    if (!read.isEmpty()) {
        return read;
    }
    peak = top;
    return {};
}

} // namespace

QString MeasureRangePeak(const QString& path, int64_t startMs, int64_t endMs, EventPump* pump,
                         int64_t& peak) {
    try {
        return RunRangePeak(path, startMs, endMs, pump, peak);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("WAVファイル変換に失敗しました・・・GWP");
    }
}

} // namespace veskar
