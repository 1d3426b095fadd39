#include "core/wav/IntervalPeaks.h"

#include <algorithm>
#include <new>

#include "core/wav/PeakProfile.h"
#include "core/wav/FrameMagnitude.h"
#include "core/wav/Rounding.h"

namespace veskar {

IntervalPeakCounter::IntervalPeakCounter(uint32_t sampleRate)
    : m_limits{std::max<int64_t>(sampleRate, 1), 10, 6, 10, 6} {
}

void IntervalPeakCounter::AddFrame(int magnitude, int64_t frame) {
    m_peak.Add(magnitude, frame);
    m_current[0] = std::max(m_current[0], magnitude);
    if (++m_counts[0] == m_limits[0]) {
        CloseSecond();
    }
}

void IntervalPeakCounter::AddMagnitudes(const uint16_t* magnitudes, int64_t count,
                                        int64_t firstFrame) {
    m_peak.AddBlock(magnitudes, count, firstFrame);
    int64_t i = 0;
    while (i < count) {
        const int64_t take = std::min(count - i, m_limits[0] - m_counts[0]);
        m_current[0] = std::max(m_current[0], MaxMagnitude(magnitudes + i, take));
        m_counts[0] += take;
        i += take;
        if (m_counts[0] == m_limits[0]) {
            CloseSecond();
        }
    }
}

void IntervalPeakCounter::CloseSecond() {
    for (int level = 0; level < kIntervalLevels; ++level) {
        if (level > 0 && ++m_counts[level] < m_limits[level]) {
            return;
        }
        auto& list = m_result.lists[level];
        if (list.size() < static_cast<size_t>(kMaxIntervalEntries)) {
            list.push_back(m_current[level]);
        }
        m_current[level + 1] = std::max(m_current[level + 1], m_current[level]);
        m_current[level] = 0;
        m_counts[level] = 0;
    }
}

void IntervalPeakCounter::Finish() {
    for (int level = 0; level < kIntervalLevels; ++level) {
        m_current[level + 1] = std::max(m_current[level + 1], m_current[level]);
        m_result.lists[level].push_back(m_current[level]);
    }
    m_result.peak = m_peak.peak;
    m_result.peakFrame = m_peak.frame;
}

namespace {

QString RunIntervalPeaks(OpenWavFile& wav, const ReadProgress& progress, IntervalPeaks& peaks,
                         const BlockVisitor& alsoVisit, PeakProfile* profile) {
    const FrameLayout layout = FrameLayout::Of(wav.info);
    if (profile != nullptr) {
        *profile = PeakProfile(wav.info.sampleRate);
    }
    IntervalPeakCounter counter(wav.info.sampleRate);
    std::vector<uint16_t> magnitudes(kMagnitudeChunk);
    const QString read = ReadDataBlocks(
        wav, progress, WavRoutine::IntervalPeaks,
        [&](const uint8_t* frames, int64_t count, int64_t first) {
            ForEachMagnitudeChunk(frames, count, first, layout, magnitudes.data(),
                                  [&](const uint16_t* p, int64_t n, int64_t f) {
                                      counter.AddMagnitudes(p, n, f);
                                      if (profile != nullptr) {
                                          profile->AddMagnitudes(p, n);
                                      }
                                  });
            if (alsoVisit) {
                alsoVisit(frames, count, first);
            }
        });
    if (!read.isEmpty()) {
        peaks.lists = counter.Result().lists;
        return read;
    }
    counter.Finish();
    if (profile != nullptr) {
        profile->Finish();
    }
    peaks = counter.Result();
    peaks.peakMs = RoundHalfEven(static_cast<double>(peaks.peakFrame) / wav.info.samplesPerMs);
    return {};
}

} // namespace

QString MeasureIntervalPeaks(const QString& path, const ReadProgress& progress,
                             IntervalPeaks& peaks, PeakProfile* profile) {
    peaks = IntervalPeaks{};
    OpenWavFile wav;
    const QString header = ValidateWavHeader(path, WavRoutine::IntervalPeaks, wav);
    return header.isEmpty() ? MeasureIntervalPeaks(wav, progress, peaks, {}, profile) : header;
}

QString MeasureIntervalPeaks(OpenWavFile& wav, const ReadProgress& progress, IntervalPeaks& peaks,
                             const BlockVisitor& alsoVisit, PeakProfile* profile) {
    peaks = IntervalPeaks{};
    try {
        return RunIntervalPeaks(wav, progress, peaks, alsoVisit, profile);
    } catch (const std::bad_alloc&) {
        return QStringLiteral("等間隔リストのピーク検出に失敗しました・・・GPT");
    }
}

} // namespace veskar
