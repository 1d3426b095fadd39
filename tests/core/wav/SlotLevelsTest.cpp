#include <vector>

#include <gtest/gtest.h>

#include "core/wav/RangePeak.h"
#include "core/wav/SlotLevels.h"
#include "core/wav/WorkArea.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

using Table = std::vector<int32_t>;

Table Levels(std::initializer_list<int32_t> head, int size) {
    Table table(head);
    table.resize(size, -1);
    return table;
}

class SlotLevelsTest : public ::testing::Test {
protected:
    void TearDown() override { SetWorkAreaLimit(-1); }

    Table Measure(const QString& path, int slotMs, int entries, int64_t startMs) {
        Table table{7, 7, 7};
        const int handle = host.progress.Open("m", "t");
        message = MeasureSlotLevels(path, slotMs, entries, startMs,
                                    ReadProgress{&host.progress, handle, &host.pump}, table);
        return table;
    }

    WavFiles files;
    FakeHost host;
    QString message;
};

// 1,000 Hz: a frame per millisecond, so every sub-slot of a 10 ms slot is one frame.
TEST_F(SlotLevelsTest, SubSlotAveragingOnAKnownEnvelope) {
    const std::vector<int> magnitudes = {
        10,  43,  0,   0,   0,   0,   0,   0,   0,   0,   // running maxima 10, 43, 43, ...
        100, 100, 100, 100, 100, 100, 100, 100, 100, 100, // steady
        0,   0,   0,   0,   0,   0,   0,   0,   0,   200, // a click at the very end
        5,   0,   0,   0,   0,   0,   0,   0,   0,   0,   // beyond the three entries
    };
    WavBuilder builder(1000, 1, 16);
    builder.Frames(static_cast<int64_t>(magnitudes.size()),
                   [&](int64_t f, int) { return f % 2 ? magnitudes[f] : -magnitudes[f]; });
    // Slot 0: 10; (10+43)/2 = 26.5 → 26; 34.5 → 34; 38.5 → 38; 40.5 → 40; 41.5 → 42; then
    // 42.5 → 42 three times; with the lowest maximum 10: (42+10)/2 = 26. Rounding half up
    // would give 27.
    // Slot 2: nine maxima of 0, then (0+200)/2 = 100, with the lowest: 50.
    EXPECT_EQ(Measure(files.Write("e.wav", builder), 10, 3, 0), Levels({26, 100, 50}, 16));
    EXPECT_EQ(message, "");
    EXPECT_TRUE(host.progress.percents.empty()); // done within the first piece
}

// Eight frames a millisecond; the peak of millisecond j is j, on its fourth frame.
TEST_F(SlotLevelsTest, OneMillisecondEntriesAreThePeakOfTheirMillisecond) {
    WavBuilder builder(8000, 2, 16);
    builder.Frames(8000, [](int64_t f, int c) {
        return f % 8 == 3 ? static_cast<int32_t>(c == 0 ? f / 8 : -f / 8) : c;
    });
    // From 250 ms: 15 measured slots; the 16th entry is never part of the span.
    const Table table = Measure(files.Write("r.wav", builder), 1, 16, 250);
    EXPECT_EQ(message, "");
    for (int j = 0; j < 15; ++j) {
        EXPECT_EQ(table[j], 250 + j) << j;
    }
    EXPECT_EQ(table[15], -1);
}

TEST_F(SlotLevelsTest, ListNearTheEndOfTheData) {
    // 10,005 ms; a 1 s list from 8 s: two whole slots, then the data ends 5 ms into the third.
    WavBuilder builder(1000, 1, 16);
    builder.Frames(10005, [](int64_t f, int) {
        return f == 8500 ? 3000 : f == 9999 ? 2000 : f >= 10000 ? static_cast<int>(f - 9990) : 1;
    });
    const QString path = files.Write("end.wav", builder);
    const Table table = Measure(path, 1000, 16, 8000);
    EXPECT_EQ(message, "");
    ASSERT_EQ(table.size(), 16u);
    EXPECT_EQ(table[2], 14); // the running maximum of the incomplete slot
    for (int j = 3; j < 16; ++j) {
        EXPECT_EQ(table[j], -1) << j;
    }
    // Data ending exactly where a slot begins leaves that slot unmeasured.
    WavBuilder exact(1000, 1, 16);
    exact.Constant(10000, 50);
    const Table whole = Measure(files.Write("exact.wav", exact), 1000, 16, 8000);
    EXPECT_EQ(whole, Levels({50, 50}, 16));
    // A list that starts beyond the data measures nothing.
    EXPECT_EQ(Measure(path, 1000, 16, 20000), Levels({}, 16));
    EXPECT_EQ(message, "");
}

TEST_F(SlotLevelsTest, ShortReadsAndFailures) {
    // Declared 20 s, present 2 s and one byte: the byte of the split frame is dropped with the
    // short read, and the read after it finds nothing.
    WavBuilder builder(1000, 1, 16);
    builder.Constant(2000, 30).RawData("x").DataSize(40000);
    EXPECT_EQ(Measure(files.Write("short.wav", builder), 1000, 16, 0), Levels({30, 30}, 16));
    EXPECT_EQ(message, "0\nWAVファイルの読み出しに失敗しました・・・GWPD");

    const Table before =
        Measure(files.Write("ok.wav", WavBuilder(1000, 1, 8).Silence(4)), 10, 16, -1);
    EXPECT_EQ(message, "オフセットが範囲を超えています・・・GWPD");
    EXPECT_EQ(before, Levels({}, 16));
}

TEST_F(SlotLevelsTest, StopButton) {
    // The small work area makes 32-second pieces of this 1,000-byte-per-second file.
    SetWorkAreaLimit(kSmallWorkArea);
    WavBuilder builder(1000, 1, 8);
    builder.Constant(1000 * 160, 9);
    host.progress.stopAfterUpdates = 1;
    const Table table = Measure(files.Write("long.wav", builder), 10000, 16, 0);
    EXPECT_EQ(message, "中断ボタンが押されました・・・GWPD");
    EXPECT_EQ(table, Levels({9, 9, 9}, 16));
    EXPECT_EQ(host.progress.percents, (std::vector<int>{19})); // 3 × 100 / 16 = 18.75
}

// A slot that spans several blocks (a second of 192 kHz 24-bit sound does not fit the work area)
// gets the level it gets when read in one block.
TEST_F(SlotLevelsTest, SlotLongerThanABlockKeepsItsLevel) {
    WavBuilder builder(1000, 1, 8);
    builder.Constant(1000 * 60, 9).Constant(1000 * 60, 40).Constant(1000 * 30, 3);
    const QString path = files.Write("long.wav", builder);
    const Table whole = Measure(path, 60000, 3, 0);
    ASSERT_GE(whole.size(), 3U);
    EXPECT_EQ(Table(whole.begin(), whole.begin() + 3), (Table{9, 40, 3}));
    SetWorkAreaLimit(kSmallWorkArea); // 32-second blocks
    EXPECT_EQ(Measure(path, 60000, 3, 0), whole);
}

TEST(TimeToByteTest, RoundsToEvenThenUpToAFrame) {
    EXPECT_EQ(TimeToByte(1, 176400, 4), 176);
    EXPECT_EQ(TimeToByte(3, 176400, 4), 532); // 529.2 → 529 → 532
    EXPECT_EQ(TimeToByte(1, 2500, 2), 2);     // 2.5 → 2
    EXPECT_EQ(TimeToByte(3, 2500, 2), 8);     // 7.5 → 8
    EXPECT_EQ(TimeToByte(1, 1500, 4), 4);     // 1.5 → 2 → 4
    EXPECT_EQ(TimeToByte(0, 1500, 4), 0);
}

class RangePeakTest : public ::testing::Test {
protected:
    WavFiles files;
};

TEST_F(RangePeakTest, PeakBetweenTwoTimes) {
    WavBuilder builder(1000, 2, 16);
    builder.Frames(3000, [](int64_t f, int c) {
        if (f == 99 || f == 200) {
            return 30000; // just outside [100, 200)
        }
        if (f == 150 && c == 1) {
            return -1234;
        }
        if (f == 2500) {
            return -32768;
        }
        return 7;
    });
    const QString path = files.Write("p.wav", builder);
    int64_t peak = -9;
    EXPECT_EQ(MeasureRangePeak(path, 100, 200, nullptr, peak), "");
    EXPECT_EQ(peak, 1234);
    FakeEventPump pump;
    EXPECT_EQ(MeasureRangePeak(path, 2000, 999999, &pump, peak), "");
    EXPECT_EQ(peak, 32768);
    EXPECT_EQ(pump.calls, 1);
    EXPECT_EQ(MeasureRangePeak(path, 3000, 4000, nullptr, peak), "");
    EXPECT_EQ(peak, 0);
    peak = -9;
    EXPECT_EQ(MeasureRangePeak(path, 3001, 4000, nullptr, peak),
              "先頭タイムが、総サイズを超えています・・・GWP");
    EXPECT_EQ(peak, -9);
    EXPECT_EQ(MeasureRangePeak(files.Path("none.wav"), 0, 10, nullptr, peak),
              "WAVファイルの読み出しに失敗しましたOP・・・GWP");

    WavBuilder truncated(1000, 1, 8);
    truncated.Constant(100, 5).DataSize(1000);
    EXPECT_EQ(MeasureRangePeak(files.Write("t.wav", truncated), 0, 500, nullptr, peak),
              "WAVファイルの読み出しに失敗しました・・・GWP_A");
}

} // namespace

} // namespace veskar::test
