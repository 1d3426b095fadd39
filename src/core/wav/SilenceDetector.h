#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/wav/DataBlockReader.h"
#include "core/wav/FrameMagnitude.h"
#include "core/wav/SilenceSettings.h"

namespace veskar {

struct OpenWavFile;

/// A list stops taking silences at this many entries while reading...
constexpr int kMaxSilenceEntries = 32700;
/// ...and one that ends with at least this many is flagged (drawn red) and gets no final entry.
constexpr int kFullSilenceList = 30000;

/// One result list of the detection: times in ms in time order, and at the same index the mark:
/// empty for the start of a silence, the run's mark text for the start of a song.
struct SilenceList {
    std::vector<int64_t> timesMs;
    QStringList marks;
    bool full = false; ///< ended with kFullSilenceList entries or more

    int Size() const { return static_cast<int>(timesMs.size()); }
    bool Empty() const { return timesMs.empty(); }
    void Append(int64_t ms, const QString& mark) {
        timesMs.push_back(ms);
        marks.append(mark);
    }
    void RemoveLast() {
        timesMs.pop_back();
        marks.removeLast();
    }
};

struct SilenceResult {
    std::array<SilenceList, kSilenceChannels> lists;
    int peak = -1;         ///< overall peak magnitude; -1 until a run completes
    int64_t peakFrame = 0; ///< first frame reaching it
    int64_t peakMs = 0;    ///< round(peakFrame / samplesPerMs), ties to even
};

/// One detection channel's setting in numbers.
struct SilenceChannel {
    int32_t level = 0;     ///< a frame is quiet when its magnitude is below this
    int64_t minFrames = 0; ///< a quiet run is a silence when it is longer than this
};

/// Finds the silences of six channels in one pass. A quiet run that ends longer than the
/// channel's minimum is a silence; a song between two silences shorter than the recognition
/// time is merged away (the earlier silence start and the later end survive).
///
/// Frames come either one at a time (AddFrame: the plain definition, kept as the reference)
/// or as blocks of magnitudes (AddMagnitudes: per 64 frames a bit mask of quiet frames per
/// distinct level, so long loud or quiet stretches cost a few instructions). Both must give
/// identical lists; use one of them for a whole run.
class SilenceDetector {
public:
    SilenceDetector(const std::array<SilenceChannel, kSilenceChannels>& channels,
                    int64_t recognitionMs, double samplesPerMs, const QString& markText);

    void AddFrame(int magnitude, int64_t frame);
    void AddMagnitudes(const uint16_t* magnitudes, int64_t count, int64_t firstFrame);
    /// The end step after the last of totalFrames frames.
    void Finish(int64_t totalFrames);

    const SilenceResult& Result() const { return m_result; }
    SilenceResult& Result() { return m_result; }

private:
    struct ChannelState {
        SilenceChannel setting;
        int64_t run = 0;      ///< consecutive quiet frames so far
        int64_t runStart = 0; ///< first frame of that run (reference path)
        int64_t lastEnd = 0;  ///< ms of the end of the last accepted silence
        bool everQuiet = false;
    };
    /// The channels sharing one level share their quiet runs too.
    struct LevelGroup {
        int32_t level = 0;
        int64_t run = 0;
        int64_t shortestSilence = 0; ///< the smallest minFrames of the group
        bool everQuiet = false;
        std::vector<int> channels;
    };

    void Silence(int channel, int64_t endFrame, int64_t startFrame);
    void EndRun(LevelGroup& group, int64_t frame);
    void ScanGroup(LevelGroup& group, const uint16_t* magnitudes, int64_t count,
                   int64_t firstFrame);
    int64_t ToMs(int64_t frame) const;

    std::array<ChannelState, kSilenceChannels> m_channels;
    std::vector<LevelGroup> m_groups;
    std::array<uint64_t, kMagnitudeChunk / 64> m_masks{}; ///< quiet frames of one level
    bool m_fastPath = false;
    int64_t m_recognitionMs;
    double m_samplesPerMs;
    QString m_mark;
    PeakTracker m_peak;
    SilenceResult m_result;
};

/// Converts the settings' texts as the detection does: a recognition, level or duration text
/// that is not an integer becomes 500, 1000 or 500 and is written back into settings.
/// minFrames = round(duration × sampleRate / 1000), never below 0.
int64_t RecognitionOf(SilenceSettings& settings);
std::array<SilenceChannel, kSilenceChannels> ChannelsOf(SilenceSettings& settings,
                                                        uint32_t sampleRate);

/// The silence detection over the whole file (site code "GWM"). result is cleared first and
/// keeps what was found before a failure. markText marks song starts. Returns the message to
/// show, or an empty text.
///
/// When the data ends in sound, the last song start is dropped if that song is not longer than
/// the recognition time, measured to the end of the data; a list that is still empty gets a song
/// start at 0 when the data is longer than the recognition time, unless its channel never saw a
/// quiet frame (a level of 0 finds nothing and leaves its list empty).
QString DetectSilences(const QString& path, SilenceSettings& settings, const QString& markText,
                       const ReadProgress& progress, SilenceResult& result);
/// The same detection over a file that ValidateWavHeader has opened for
/// WavRoutine::SilenceDetection, for a caller that needs the header itself as well.
QString DetectSilences(OpenWavFile& wav, SilenceSettings& settings, const QString& markText,
                       const ReadProgress& progress, SilenceResult& result);

/// After an equal-interval run: every silence list that has entries but no entry at 0 gets one
/// at its top, marked as a song start.
void AddSongStartsAtZero(SilenceResult& result, const QString& markText);

} // namespace veskar
