#include <algorithm>
#include <cmath>
#include <functional>

#include <gtest/gtest.h>

#include "core/wav/Envelope.h"
#include "core/wav/IntervalPeaks.h"
#include "core/wav/WavHeader.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

struct Row {
    int bits, channels, columns;
    int64_t frames;
    std::function<int32_t(int64_t, int)> signal; ///< in the width's own range
};

// By definition, sample by sample: the top 16 bits of wider samples; column c holds frames
// c·n/w up to (c+1)·n/w.
std::vector<EnvelopeValue> Reference(const Row& row, int64_t first, int64_t count) {
    std::vector<EnvelopeValue> values(static_cast<size_t>(row.columns * row.channels));
    for (int c = 0; c < row.columns; ++c) {
        for (int ch = 0; ch < row.channels; ++ch) {
            int lo = 1 << 20, hi = -(1 << 20);
            for (int64_t f = first + c * count / row.columns;
                 f < first + (c + 1) * count / row.columns; ++f) {
                lo = std::min(lo, row.signal(f, ch) >> std::max(row.bits - 16, 0));
                hi = std::max(hi, row.signal(f, ch) >> std::max(row.bits - 16, 0));
            }
            if (lo <= hi) {
                values[static_cast<size_t>(c * row.channels + ch)] = {
                    static_cast<int16_t>(lo), static_cast<int16_t>(hi),
                    static_cast<uint16_t>(std::max(-lo, hi))};
            }
        }
    }
    return values;
}

int32_t Sine(int64_t f, int c, int32_t peak) {
    return static_cast<int32_t>(std::lround(peak * std::sin(f * 0.05 + c)));
}

class EnvelopeTest : public ::testing::TestWithParam<Row> {};

TEST_P(EnvelopeTest, EqualsTheSampleBySampleDefinition) {
    const Row& row = GetParam();
    WavFiles files;
    WavBuilder builder(8000, static_cast<uint16_t>(row.channels), static_cast<uint16_t>(row.bits));
    const QString path = files.Write("e.wav", builder.Frames(row.frames, row.signal));
    Envelope e;
    ASSERT_EQ(MeasureEnvelope(path, 0, -1, row.columns, ReadProgress{}, e), "");
    EXPECT_EQ(e.filled, row.columns);
    EXPECT_EQ(e.values, Reference(row, 0, row.frames));
    // A window inside the data, as the zoomed strip asks for it.
    ASSERT_EQ(MeasureEnvelope(path, row.frames / 3, row.frames / 2, row.columns, {}, e), "");
    EXPECT_EQ(e.values, Reference(row, row.frames / 3, row.frames / 2));
}

INSTANTIATE_TEST_SUITE_P(
    Signals, EnvelopeTest,
    ::testing::Values(Row{16, 2, 100, 44100, [](int64_t f, int c) { return Sine(f, c, 16384); }},
                      Row{16, 1, 3, 300, [](int64_t, int) { return -32768; }},
                      Row{8, 2, 10, 3333, [](int64_t f, int c) { return Sine(f, c, 127); }},
                      Row{24, 6, 11, 2000,
                          [](int64_t f, int c) { return Sine(f, c, 8388607 - c); }},
                      Row{32, 3, 4, 1500, [](int64_t f, int c) { return Sine(f, c, 2147483647); }},
                      Row{16, 8, 17, 4321, [](int64_t f, int c) { return Sine(f, c, 30000); }},
                      Row{16, 2, 8, 5, [](int64_t f, int c) { return int32_t(f * 1000 - c); }},
                      Row{16, 1, 1000, 1001, [](int64_t f, int) { return f % 3 ? 9 : -5; }}));

TEST(EnvelopeRunTest, StopKeepsTheColumnsFilledSoFarAndASharedReadResumes) {
    WavFiles files;
    FakeHost host;
    const Row row{16, 2, 50, 8000 * 100, [](int64_t f, int c) { return Sine(f, c, 9000); }};
    const QString path =
        files.Write("l.wav", WavBuilder(8000, 2, 16).Frames(row.frames, row.signal));
    host.progress.stopAfterUpdates = 2;
    Envelope e;
    int watched = 0;
    EXPECT_EQ(MeasureEnvelope(path, 0, -1, row.columns,
                              ReadProgress{&host.progress, host.progress.Open("m", "t"), nullptr},
                              e, [&watched](const Envelope&) { ++watched; }),
              "中断ボタンが押されました・・・GOV");
    // Two blocks of 20 s of the 100 s: the first 20 columns, each as it would be.
    EXPECT_EQ(watched, 2);
    ASSERT_EQ(e.filled, 20);
    const auto full = Reference(row, 0, row.frames);
    EXPECT_TRUE(std::equal(full.begin(), full.begin() + 40, e.values.begin()));
    EXPECT_EQ(e.At(20, 0), EnvelopeValue{});

    // A level run shares its read until its stop (after its first block); the rest is read on.
    OpenWavFile wav;
    ASSERT_EQ(ValidateWavHeader(path, WavRoutine::IntervalPeaks, wav), "");
    EnvelopeBuilder shared(wav.info, 0, row.frames, row.columns);
    IntervalPeaks peaks;
    MeasureIntervalPeaks(wav, ReadProgress{&host.progress, host.progress.Open("m", "t")}, peaks,
                         shared.Visitor());
    ASSERT_GT(shared.Taken(), 0);
    EXPECT_EQ(ResumeEnvelope(path, shared, ReadProgress{}), "");
    EXPECT_EQ(shared.Result().values, full);
}

} // namespace

} // namespace veskar::test
