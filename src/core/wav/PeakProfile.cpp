#include "core/wav/PeakProfile.h"

#include <algorithm>

#include "core/wav/FrameMagnitude.h"
#include "core/wav/Rounding.h"
#include "core/wav/WavHeader.h"

namespace veskar {

namespace {
constexpr int kWindowMs = 5;
}

PeakProfile::PeakProfile(uint32_t sampleRate)
    : m_windowFrames(std::max<int64_t>(1, RoundHalfEven(sampleRate * kWindowMs / 1000.0))),
      m_samplesPerMs(sampleRate / 1000.0) {
}

void PeakProfile::AddMagnitudes(const uint16_t* magnitudes, int64_t count) {
    m_totalFrames += count;
    while (count > 0) {
        const int64_t n = std::min(count, m_windowFrames - m_filled);
        m_current = std::max(m_current, MaxMagnitude(magnitudes, n));
        m_filled += n;
        magnitudes += n;
        count -= n;
        if (m_filled == m_windowFrames) {
            m_peaks.push_back(static_cast<uint16_t>(m_current));
            m_filled = 0;
            m_current = 0;
        }
    }
}

void PeakProfile::Finish() {
    if (m_filled > 0) {
        m_peaks.push_back(static_cast<uint16_t>(m_current));
        m_filled = 0;
        m_current = 0;
    }
}

int64_t PeakProfile::WindowMs(int64_t window) const {
    const int64_t frame = std::min(window * m_windowFrames, m_totalFrames);
    return RoundHalfEven(static_cast<double>(frame) / m_samplesPerMs);
}

std::vector<QuietRun> QuietRuns(const PeakProfile& profile, int level) {
    std::vector<QuietRun> runs;
    const std::vector<uint16_t>& peaks = profile.Peaks();
    const auto count = static_cast<int64_t>(peaks.size());
    for (int64_t w = 0; w < count;) {
        if (peaks[w] >= level) {
            ++w;
            continue;
        }
        QuietRun run{w, w, 0};
        for (; w < count && peaks[w] < level; ++w) {
            run.peak = std::max<int>(run.peak, peaks[w]);
        }
        run.endWindow = w;
        runs.push_back(run);
    }
    return runs;
}

QString MeasurePeakProfile(OpenWavFile& wav, const ReadProgress& progress, PeakProfile& profile) {
    profile = PeakProfile(wav.info.sampleRate);
    const FrameLayout layout = FrameLayout::Of(wav.info);
    std::vector<uint16_t> magnitudes(kMagnitudeChunk);
    const QString read =
        ReadDataBlocks(wav, progress, WavRoutine::SilenceDetection,
                       [&](const uint8_t* block, int64_t count, int64_t first) {
                           ForEachMagnitudeChunk(block, count, first, layout, magnitudes.data(),
                                                 [&profile](const uint16_t* p, int64_t n, int64_t) {
                                                     profile.AddMagnitudes(p, n);
                                                 });
                       });
    profile.Finish();
    return read;
}

} // namespace veskar
