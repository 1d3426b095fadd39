#include "core/wav/StartAgreement.h"

#include <algorithm>

namespace veskar {

std::vector<int64_t> SongStarts(const SilenceList& list) {
    std::vector<int64_t> starts;
    for (int i = 0; i < list.Size(); ++i) {
        if (!list.marks[i].isEmpty()) {
            starts.push_back(list.timesMs[static_cast<size_t>(i)]);
        }
    }
    return starts;
}

std::array<std::vector<int>, kSilenceChannels> StartAgreement(const SilenceResult& result,
                                                              int toleranceMs) {
    std::array<std::vector<int64_t>, kSilenceChannels> starts;
    for (int k = 0; k < kSilenceChannels; ++k) {
        starts[k] = SongStarts(result.lists[k]); // times never decrease in a list
    }
    std::array<std::vector<int>, kSilenceChannels> counts;
    for (int k = 0; k < kSilenceChannels; ++k) {
        const SilenceList& list = result.lists[k];
        counts[k].assign(list.timesMs.size(), 0);
        for (int i = 0; i < list.Size(); ++i) {
            if (list.marks[i].isEmpty()) {
                continue;
            }
            const int64_t at = list.timesMs[static_cast<size_t>(i)];
            int& count = counts[k][static_cast<size_t>(i)];
            for (const std::vector<int64_t>& other : starts) {
                const auto near = std::lower_bound(other.begin(), other.end(), at - toleranceMs);
                count += near != other.end() && *near <= at + toleranceMs ? 1 : 0;
            }
        }
    }
    return counts;
}

SilenceList FitPieceCount(const PeakProfile& profile, int level, int pieces,
                          const QString& markText) {
    const std::vector<QuietRun> runs = QuietRuns(profile, level);
    const auto windows = static_cast<int64_t>(profile.Peaks().size());
    std::vector<QuietRun> gaps;
    std::copy_if(runs.begin(), runs.end(), std::back_inserter(gaps),
                 [&](const QuietRun& run) { return !run.AtEdge(profile); });
    std::stable_sort(gaps.begin(), gaps.end(), [](const QuietRun& a, const QuietRun& b) {
        const int64_t lengthA = a.endWindow - a.firstWindow;
        const int64_t lengthB = b.endWindow - b.firstWindow;
        return lengthA != lengthB ? lengthA > lengthB : a.peak < b.peak;
    });
    gaps.resize(std::min<size_t>(gaps.size(), static_cast<size_t>(std::max(pieces - 1, 0))));
    std::sort(gaps.begin(), gaps.end(),
              [](const QuietRun& a, const QuietRun& b) { return a.firstWindow < b.firstWindow; });

    SilenceList fitted;
    const bool quietStart = !runs.empty() && runs.front().firstWindow == 0;
    if (quietStart && runs.front().endWindow == windows) {
        fitted.Append(0, QString()); // nothing but silence
        return fitted;
    }
    fitted.Append(quietStart ? profile.WindowMs(runs.front().endWindow) : 0, markText);
    for (const QuietRun& gap : gaps) {
        fitted.Append(profile.WindowMs(gap.firstWindow), QString());
        fitted.Append(profile.WindowMs(gap.endWindow), markText);
    }
    if (!runs.empty() && runs.back().endWindow == windows) {
        fitted.Append(profile.WindowMs(runs.back().firstWindow), QString());
    }
    return fitted;
}

} // namespace veskar
