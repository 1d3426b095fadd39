#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QString>

#include "core/wav/DataBlockReader.h"
#include "core/wav/FrameMagnitude.h"

namespace veskar {

struct OpenWavFile;
class PeakProfile;

/// Slot sizes of the equal-interval peak lists: 1 s, 10 s, 60 s, 10 min and 60 min.
constexpr int kIntervalLevels = 5;
/// Entries a list receives while reading; the final partial slot is appended beyond it.
constexpr int kMaxIntervalEntries = 32700;

/// The result of the equal-interval peak run. lists[k][i] is the peak magnitude of the i-th slot
/// of level k from the start of the data.
struct IntervalPeaks {
    std::array<std::vector<int32_t>, kIntervalLevels> lists;
    int peak = -1;         ///< overall peak magnitude; -1 until a run completes
    int64_t peakFrame = 0; ///< first frame reaching it
    int64_t peakMs = 0;    ///< round(peakFrame / samplesPerMs), ties to even
};

/// Cascades per-second peaks up to the larger slots in one pass over the frames. Frames come
/// either one at a time (AddFrame, the plain definition) or as blocks of magnitudes
/// (AddMagnitudes, which handles a whole second at a time); both give the same lists.
class IntervalPeakCounter {
public:
    explicit IntervalPeakCounter(uint32_t sampleRate);

    void AddFrame(int magnitude, int64_t frame);
    void AddMagnitudes(const uint16_t* magnitudes, int64_t count, int64_t firstFrame);
    /// Appends the final, partial slot of every level.
    void Finish();

    const IntervalPeaks& Result() const { return m_result; }
    IntervalPeaks& Result() { return m_result; }

private:
    /// The slot of level 0 is full: append it and carry its peak up the cascade.
    void CloseSecond();

    std::array<int64_t, kIntervalLevels> m_limits;
    std::array<int64_t, kIntervalLevels> m_counts{};
    std::array<int32_t, kIntervalLevels + 1> m_current{};
    PeakTracker m_peak;
    IntervalPeaks m_result;
};

/// The equal-interval peak run over the whole file (site code "GPT"). Returns the message to
/// show, or an empty text. On failure peaks holds the lists as far as they were filled and no
/// overall peak. With a profile, the same pass builds the file's peak profile too.
QString MeasureIntervalPeaks(const QString& path, const ReadProgress& progress,
                             IntervalPeaks& peaks, PeakProfile* profile = nullptr);
/// The same run over a file that ValidateWavHeader has opened for WavRoutine::IntervalPeaks,
/// for a caller that needs the header itself as well. alsoVisit, when given, sees every block
/// too, so another measure (the overview's envelope) shares the one read of the data.
QString MeasureIntervalPeaks(OpenWavFile& wav, const ReadProgress& progress, IntervalPeaks& peaks,
                             const BlockVisitor& alsoVisit = {}, PeakProfile* profile = nullptr);

} // namespace veskar
