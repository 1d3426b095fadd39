#pragma once

#include <cstdint>
#include <vector>

#include <QString>

#include "core/wav/DataBlockReader.h"

namespace veskar {

struct OpenWavFile;

/// The peak magnitude of every short window of a recording (5 ms, a whole number of frames),
/// built in the same pass as any other analysis that sees the magnitudes. The suggestion of
/// silence settings and the fitting of a known piece count read the recording only through it.
class PeakProfile {
public:
    explicit PeakProfile(uint32_t sampleRate = 44100);

    void AddMagnitudes(const uint16_t* magnitudes, int64_t count);
    /// Keeps the last, partial window.
    void Finish();

    const std::vector<uint16_t>& Peaks() const { return m_peaks; }
    int64_t WindowFrames() const { return m_windowFrames; }
    /// The time of the first frame of window i (or of the end, for i = the window count), in
    /// ms rounded like every time of the engine.
    int64_t WindowMs(int64_t window) const;
    /// Milliseconds per window, for lengths.
    double WindowLengthMs() const { return static_cast<double>(m_windowFrames) / m_samplesPerMs; }
    int64_t TotalFrames() const { return m_totalFrames; }

private:
    int64_t m_windowFrames;
    double m_samplesPerMs;
    int64_t m_filled = 0;
    int m_current = 0;
    int64_t m_totalFrames = 0;
    std::vector<uint16_t> m_peaks;
};

/// A stretch of whole windows whose peaks are all below a level: frames [first, end) of the
/// profile's windows, and the loudest of them.
struct QuietRun {
    int64_t firstWindow = 0;
    int64_t endWindow = 0; ///< one past the last quiet window
    int peak = 0;
    bool AtEdge(const PeakProfile& profile) const {
        return firstWindow == 0 || endWindow == static_cast<int64_t>(profile.Peaks().size());
    }
};

/// Every quiet run of the profile at this level, in time order.
std::vector<QuietRun> QuietRuns(const PeakProfile& profile, int level);

/// Reads the whole data of a file that ValidateWavHeader has opened for
/// WavRoutine::SilenceDetection into profile. Returns the message to show, or an empty text.
QString MeasurePeakProfile(OpenWavFile& wav, const ReadProgress& progress, PeakProfile& profile);

} // namespace veskar
