#include <algorithm>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "core/wav/IntervalPeaks.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

using Lists = std::array<std::vector<int32_t>, kIntervalLevels>;

// The lists by their definition: the peak of every whole slot of each size, then the peak of
// what is left after the last whole slot (0 when nothing is).
Lists BruteForce(const std::vector<int>& magnitudes, int64_t rate) {
    const int64_t sizes[kIntervalLevels] = {rate, rate * 10, rate * 60, rate * 600, rate * 3600};
    Lists lists;
    const auto n = static_cast<int64_t>(magnitudes.size());
    for (int level = 0; level < kIntervalLevels; ++level) {
        const int64_t size = sizes[level];
        int64_t start = 0;
        for (; start + size <= n; start += size) {
            if (lists[level].size() < static_cast<size_t>(kMaxIntervalEntries)) {
                lists[level].push_back(*std::max_element(magnitudes.begin() + start,
                                                         magnitudes.begin() + start + size));
            }
        }
        lists[level].push_back(
            start < n ? *std::max_element(magnitudes.begin() + start, magnitudes.end()) : 0);
    }
    return lists;
}

class IntervalPeaksTest : public ::testing::Test {
protected:
    IntervalPeaks Measure(const QString& path, QString* message = nullptr) {
        IntervalPeaks peaks;
        const int handle = host.progress.Open("m", "t");
        const QString result =
            MeasureIntervalPeaks(path, ReadProgress{&host.progress, handle, &host.pump}, peaks);
        if (message) {
            *message = result;
        } else {
            EXPECT_EQ(result, "");
        }
        return peaks;
    }

    WavFiles files;
    FakeHost host;
};

TEST_F(IntervalPeaksTest, TwoAndAHalfSeconds) {
    WavBuilder builder(44100, 2, 16);
    builder.Frames(44100 * 5 / 2, [](int64_t f, int c) {
        if (f == 1000 && c == 1) {
            return -1000;
        }
        if (f == 50000 || f == 60000) {
            return c == 0 ? 3000 : -3000; // the same peak twice: the first counts
        }
        if (f == 100000) {
            return 2000;
        }
        return 0;
    });
    const IntervalPeaks peaks = Measure(files.Write("a.wav", builder));
    EXPECT_EQ(peaks.lists[0], (std::vector<int32_t>{1000, 3000, 2000}));
    for (int level = 1; level < kIntervalLevels; ++level) {
        EXPECT_EQ(peaks.lists[level], (std::vector<int32_t>{3000})) << level;
    }
    EXPECT_EQ(peaks.peak, 3000);
    EXPECT_EQ(peaks.peakFrame, 50000);
    EXPECT_EQ(peaks.peakMs, 1134); // 50,000 / 44.1 = 1,133.79
}

// 10 frames per second keeps an hour at 36,000 frames: the cascade is checked against its
// definition over lengths that end inside slots of every size, and exactly on their ends.
TEST_F(IntervalPeaksTest, CascadeOverLengthsEndingMidSlot) {
    std::mt19937 random(11);
    for (int64_t frames : {1, 9, 10, 11, 599, 600, 6001, 36000, 36000 + 6000 * 2 + 605}) {
        SCOPED_TRACE(frames);
        std::vector<int> magnitudes;
        WavBuilder builder(10, 1, 16);
        builder.Frames(frames, [&](int64_t, int) {
            const int v = static_cast<int>(random() % 65536) - 32768;
            magnitudes.push_back(std::abs(v));
            return v;
        });
        const IntervalPeaks peaks = Measure(files.Write("c.wav", builder));
        const Lists expected = BruteForce(magnitudes, 10);
        for (int level = 0; level < kIntervalLevels; ++level) {
            EXPECT_EQ(peaks.lists[level], expected[level]) << "level " << level;
        }
        EXPECT_EQ(peaks.peak, *std::max_element(magnitudes.begin(), magnitudes.end()));
    }
}

TEST_F(IntervalPeaksTest, ListsStopAt32700WhileReadingButTakeTheFinalSlot) {
    // One frame per second: 32,800 one-second slots, then the empty final one.
    WavBuilder builder(1, 1, 8);
    builder.Frames(32800, [](int64_t f, int) { return static_cast<int32_t>(f % 100); });
    const IntervalPeaks peaks = Measure(files.Write("long.wav", builder));
    ASSERT_EQ(peaks.lists[0].size(), 32701u);
    EXPECT_EQ(peaks.lists[0][32699], 32699 % 100);
    EXPECT_EQ(peaks.lists[0].back(), 0);
    EXPECT_EQ(peaks.lists[1].size(), 3281u);
}

TEST_F(IntervalPeaksTest, FastPathMatchesFrameByFrame) {
    std::mt19937 random(5);
    for (uint32_t rate : {7u, 100u, 44100u}) {
        SCOPED_TRACE(rate);
        std::vector<uint16_t> magnitudes(200000);
        for (auto& m : magnitudes) {
            m = static_cast<uint16_t>(random() % 4 == 0 ? random() % 32769 : random() % 50);
        }
        IntervalPeakCounter reference(rate);
        for (size_t f = 0; f < magnitudes.size(); ++f) {
            reference.AddFrame(magnitudes[f], static_cast<int64_t>(f));
        }
        IntervalPeakCounter fast(rate);
        int64_t done = 0;
        while (done < static_cast<int64_t>(magnitudes.size())) {
            const int64_t n = std::min<int64_t>(1 + random() % 9000,
                                                static_cast<int64_t>(magnitudes.size()) - done);
            fast.AddMagnitudes(magnitudes.data() + done, n, done);
            done += n;
        }
        reference.Finish();
        fast.Finish();
        EXPECT_EQ(fast.Result().lists, reference.Result().lists);
        EXPECT_EQ(fast.Result().peak, reference.Result().peak);
        EXPECT_EQ(fast.Result().peakFrame, reference.Result().peakFrame);
    }
}

TEST_F(IntervalPeaksTest, StoppedRunKeepsWhatItFilled) {
    // 8,000 Hz 8-bit mono: a block holds 81 seconds.
    WavBuilder builder(8000, 1, 8);
    builder.Frames(8000 * 200, [](int64_t f, int) { return static_cast<int32_t>(f / 8000 % 100); });
    host.progress.stopAfterUpdates = 1;
    QString message;
    const IntervalPeaks peaks = Measure(files.Write("s.wav", builder), &message);
    EXPECT_EQ(message, "中断ボタンが押されました・・・GPT");
    ASSERT_EQ(peaks.lists[0].size(), 81u);
    EXPECT_EQ(peaks.lists[0][80], 80);
    EXPECT_EQ(peaks.lists[1].size(), 8u);
    EXPECT_EQ(peaks.peak, -1);

    IntervalPeaks missing;
    EXPECT_EQ(MeasureIntervalPeaks(files.Path("none.wav"), ReadProgress{}, missing),
              "WAVファイルの読み出しに失敗しましたOP・・・GPT");
}

} // namespace

} // namespace veskar::test
