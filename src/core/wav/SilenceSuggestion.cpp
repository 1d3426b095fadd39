#include "core/wav/SilenceSuggestion.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <iterator>
#include <utility>
#include <vector>

#include "core/wav/WavHeader.h"

namespace veskar {

namespace {

// Loudness is judged on stretches of this many windows (200 ms): long enough that a stretch of
// hiss shows its real peaks, short enough that a gap of a second holds several.
constexpr int64_t kStretchWindows = 40;
// Quiet runs shorter than this are pauses inside the sound (a drum's decay, a breath, the
// quiet moments of a fade in hiss), not candidates for a gap between pieces.
constexpr double kShortestCandidateMs = 300.0;
// Two groups of quiet-run lengths count as passages and gaps only when the shortest gap is
// this much longer than the longest passage.
constexpr double kGroupRatio = 1.6;
constexpr int kFallbackSuggestedMs = 500;

int Quantile(std::vector<int> values, double q) {
    if (values.empty()) {
        return 0;
    }
    const auto index = std::min(values.size() - 1, static_cast<size_t>(q * values.size()));
    std::nth_element(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(index),
                     values.end());
    return values[index];
}

std::vector<int> StretchPeaks(const std::vector<uint16_t>& peaks) {
    std::vector<int> stretches;
    for (size_t first = 0; first < peaks.size(); first += kStretchWindows) {
        const size_t end = std::min(peaks.size(), first + kStretchWindows);
        stretches.push_back(*std::max_element(peaks.begin() + static_cast<std::ptrdiff_t>(first),
                                              peaks.begin() + static_cast<std::ptrdiff_t>(end)));
    }
    return stretches;
}

// A level well above the floor's highest peaks, so a gap stays one quiet run, and far below the
// programme, so a fade is cut late in its tail: nearer the floor on a log scale.
int SuggestedLevel(int floor, int programme) {
    const double base = std::max(floor, 1);
    const double top = std::max(programme, floor + 1);
    const double between = std::pow(base, 0.7) * std::pow(top, 0.3);
    return static_cast<int>(std::max(std::round(between), 2.0 * floor + 1));
}

// Interior quiet runs are gaps between pieces or passages inside one; the gaps are the longer
// group. Gap lengths spread widely (1.5 s beside 4 s), passages are few and short, so the
// duration goes into the first clear jump from the shortest lengths up (at its geometric
// middle), and below all of them when there is none.
int SuggestedDurationMs(const PeakProfile& profile, int level) {
    std::vector<double> lengths;
    for (const QuietRun& run : QuietRuns(profile, level)) {
        const double ms =
            static_cast<double>(run.endWindow - run.firstWindow) * profile.WindowLengthMs();
        if (!run.AtEdge(profile) && ms >= kShortestCandidateMs) {
            lengths.push_back(ms);
        }
    }
    if (lengths.empty()) {
        return kFallbackSuggestedMs;
    }
    std::sort(lengths.begin(), lengths.end());
    double duration = lengths.front() / 2;
    for (size_t i = 1; i < lengths.size(); ++i) {
        if (lengths[i] >= kGroupRatio * lengths[i - 1]) {
            duration = std::sqrt(lengths[i] * lengths[i - 1]);
            break;
        }
    }
    return static_cast<int>(std::max(kShortestCandidateMs, std::round(duration / 10) * 10));
}

} // namespace

SilenceSuggestion SuggestSilenceSettings(const PeakProfile& profile, const QString& recognition) {
    SilenceSuggestion s;
    const std::vector<int> stretches = StretchPeaks(profile.Peaks());
    s.noiseFloor = Quantile(stretches, 0.01);
    std::vector<int> sound;
    std::copy_if(stretches.begin(), stretches.end(), std::back_inserter(sound),
                 [&](int peak) { return peak > 2 * s.noiseFloor; });
    s.programmeLevel = sound.empty() ? s.noiseFloor : Quantile(sound, 0.5);
    s.level = SuggestedLevel(s.noiseFloor, s.programmeLevel);
    s.durationMs = SuggestedDurationMs(profile, s.level);

    const int lower = std::max(1, s.level * 2 / 3);
    const int higher = s.level * 3 / 2;
    const int shorter = std::max(10, s.durationMs * 2 / 3 / 10 * 10);
    const int longer = s.durationMs * 3 / 2 / 10 * 10;
    const std::array<std::pair<int, int>, kSilenceChannels> pairs{{{s.durationMs, s.level},
                                                                   {s.durationMs, lower},
                                                                   {s.durationMs, higher},
                                                                   {shorter, s.level},
                                                                   {longer, s.level},
                                                                   {shorter, higher}}};
    s.settings.recognition = recognition;
    for (int k = 0; k < kSilenceChannels; ++k) {
        s.settings.durations[k] = QString::number(pairs[k].first);
        s.settings.levels[k] = QString::number(pairs[k].second);
    }
    return s;
}

QString SuggestSilenceSettings(const QString& path, const QString& recognition,
                               const ReadProgress& progress, PeakProfile& profile,
                               SilenceSuggestion& suggestion) {
    OpenWavFile wav;
    QString result = ValidateWavHeader(path, WavRoutine::SilenceDetection, wav);
    if (result.isEmpty()) {
        result = MeasurePeakProfile(wav, progress, profile);
    }
    if (result.isEmpty()) {
        suggestion = SuggestSilenceSettings(profile, recognition);
    }
    return result;
}

} // namespace veskar
