#include <vector>

#include <gtest/gtest.h>

#include "core/wav/DataBlockReader.h"
#include "core/wav/WorkArea.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

// 8,000 Hz 16-bit stereo: 32,000 bytes per second, so an analysis block is 20 seconds with the
// large work area and one second with the small one. Every frame carries its own index in its
// two samples, so a skipped, repeated or reordered frame shows.
constexpr int64_t kFrames = 8000 * 41 + 123;

WavBuilder Numbered(int64_t frames) {
    WavBuilder builder(8000, 2, 16);
    builder.Frames(frames, [](int64_t f, int c) {
        return static_cast<int32_t>(c == 0 ? (f & 0x7FFF) : ((f >> 15) & 0x7FFF));
    });
    return builder;
}

int64_t FrameNumber(const uint8_t* frame) {
    const int64_t low = frame[0] | (frame[1] << 8);
    const int64_t high = frame[2] | (frame[3] << 8);
    return low | (high << 15);
}

struct Visit {
    int64_t frames = 0;
    int64_t blocks = 0;
    bool inOrder = true;
};

class DataBlockReaderTest : public ::testing::Test {
protected:
    void TearDown() override { SetWorkAreaLimit(-1); }

    QString Read(const QString& path, Visit& visit, int handle = -1,
                 WavRoutine routine = WavRoutine::SilenceDetection) {
        OpenWavFile wav;
        const QString header = ValidateWavHeader(path, routine, wav);
        if (!header.isEmpty()) {
            return header;
        }
        blockSize = wav.blockSize;
        ReadProgress progress{&host.progress, handle, &host.pump};
        return ReadDataBlocks(
            wav, progress, routine, [&visit](const uint8_t* frames, int64_t count, int64_t first) {
                ++visit.blocks;
                for (int64_t i = 0; i < count; ++i) {
                    const int64_t index = first + i;
                    if (index != visit.frames || FrameNumber(frames + 4 * i) != index) {
                        visit.inOrder = false;
                    }
                    ++visit.frames;
                }
            });
    }

    WavFiles files;
    FakeHost host;
    int64_t blockSize = 0;
};

TEST_F(DataBlockReaderTest, VisitsEveryWholeFrameOnceInFileOrderWithBothWorkAreas) {
    // A 3-byte tail is shorter than a frame and is not visited.
    const QString path = files.Write("n.wav", Numbered(kFrames).RawData("xyz"));
    for (bool small : {false, true}) {
        SCOPED_TRACE(small ? "small work area" : "large work area");
        SetWorkAreaLimit(small ? kLargeWorkArea - 1 : -1);
        Visit visit;
        int handle = host.progress.Open("m", "t");
        EXPECT_EQ(Read(path, visit, handle), "");
        host.progress.Close(handle);
        EXPECT_EQ(blockSize, small ? 32000 : 640000);
        EXPECT_EQ(visit.frames, kFrames);
        EXPECT_TRUE(visit.inOrder);
        EXPECT_EQ(visit.blocks, small ? 42 : 3);
    }
}

TEST_F(DataBlockReaderTest, ProgressAfterEachFullBlockThenHundred) {
    // Three full 20-second blocks and a rest.
    const QString path = files.Write("n.wav", Numbered(8000 * 61));
    Visit visit;
    const int handle = host.progress.Open("m", "t");
    EXPECT_EQ(Read(path, visit, handle), "");
    EXPECT_EQ(host.progress.percents, (std::vector<int>{25, 50, 75, 100}));
    EXPECT_EQ(host.pump.calls, 4);
    EXPECT_EQ(visit.frames, 8000 * 61);

    // 100 × 1 / 8 = 12.5 goes to the even 12.
    host.progress.percents.clear();
    Visit seventh;
    EXPECT_EQ(Read(files.Write("seven.wav", Numbered(8000 * 140 + 1)), seventh, handle), "");
    EXPECT_EQ(host.progress.percents.front(), 12);
    EXPECT_EQ(host.progress.percents.at(2), 38); // 37.5
}

TEST_F(DataBlockReaderTest, StopButtonAndClosedBoxEndTheRun) {
    const QString path = files.Write("n.wav", Numbered(8000 * 61));
    for (int state :
         {static_cast<int>(ProgressBox::Stopped), static_cast<int>(ProgressBox::Closed)}) {
        SCOPED_TRACE(state);
        host.progress.updates = 0;
        host.progress.stopAfterUpdates = 2;
        host.progress.stopState = state;
        int handle = host.progress.Open("m", "t");
        Visit visit;
        EXPECT_EQ(Read(path, visit, handle), "中断ボタンが押されました・・・GWM");
        EXPECT_EQ(visit.frames, 2 * 160000);
        EXPECT_TRUE(visit.inOrder);
        host.progress.Close(handle);
    }
}

TEST_F(DataBlockReaderTest, ShortReads) {
    // Declared longer than present: the rest read comes up short ("_A")...
    Visit rest;
    EXPECT_EQ(Read(files.Write("a.wav", Numbered(100).DataSize(500)), rest),
              "WAVファイルの読み出しに失敗しました・・・GWM_A");
    EXPECT_EQ(rest.frames, 0);
    // ...or a full block does.
    Visit block;
    EXPECT_EQ(Read(files.Write("b.wav", Numbered(100).DataSize(700000)), block, -1,
                   WavRoutine::IntervalPeaks),
              "WAVファイルの読み出しに失敗しました・・・GPT");
    EXPECT_EQ(block.frames, 0);
}

TEST_F(DataBlockReaderTest, ARangeBeforeTheDataIsRefused) {
    OpenWavFile wav;
    ASSERT_EQ(ValidateWavHeader(files.Write("n.wav", Numbered(10)), WavRoutine::RangePeak, wav),
              "");
    EXPECT_EQ(ReadDataRange(wav, -4, 8, ReadProgress{}, WavRoutine::RangePeak,
                            ForEachFrame(4, [](const uint8_t*, int64_t) {})),
              "オフセットが範囲を超えています・・・GWP");
}

} // namespace

} // namespace veskar::test
