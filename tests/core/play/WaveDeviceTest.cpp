#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include <QCoreApplication>

#include "support/FakeWaveDevice.h"

namespace veskar::test {

namespace {

using Ending = std::pair<PlayRoute, PlayResult>;

// The one-completion rule and the queued delivery live in WaveDevice itself; the fake only says
// when its output ends, so these tests hold for every real device too.
class WaveDeviceTest : public testing::Test {
protected:
    void SetUp() override {
        device.files["a.wav"] = {10000, {44100, 16, 2}, false};
        device.files["b.wav"] = {3000, {22050, 8, 1}, false};
        device.files["broken.wav"] = {5000, {44100, 16, 2}, true};
        QObject::connect(&device, &WaveDevice::PlayEnded,
                         [this](PlayRoute route, PlayResult result) {
                             endings.push_back({route, result});
                         });
    }

    std::vector<Ending> Drain() {
        QCoreApplication::processEvents();
        return std::exchange(endings, {});
    }

    SharedFlags flags;
    FakeWaveDevice device{flags};
    std::vector<Ending> endings;
};

} // namespace

TEST_F(WaveDeviceTest, CompletionArrivesQueuedAndOnlyOnce) {
    ASSERT_TRUE(device.Open("a.wav"));
    ASSERT_TRUE(device.PlayRange(100, 250, PlayRoute::FileScreen));
    EXPECT_TRUE(device.IsPlaying());

    device.Finish(PlayResult::Successful);
    EXPECT_TRUE(endings.empty()) << "delivered from inside the call";
    EXPECT_FALSE(device.IsPlaying());

    // Whatever else the output reports for this play, and a stop afterwards, adds nothing.
    device.Finish(PlayResult::Failure);
    device.Stop();
    EXPECT_EQ(Drain(), (std::vector<Ending>{{PlayRoute::FileScreen, PlayResult::Successful}}));
    EXPECT_EQ(device.QueryPosition(), 250);
}

TEST_F(WaveDeviceTest, StopAbortsTheRunningPlayAndKeepsTheFileOpen) {
    ASSERT_TRUE(device.Open("a.wav"));
    ASSERT_TRUE(device.PlayRange(0, 5000, PlayRoute::CutScreen));
    device.position = 1234;
    device.Stop();
    device.Stop();
    EXPECT_EQ(Drain(), (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Aborted}}));
    EXPECT_TRUE(device.IsOpen());
    EXPECT_EQ(device.QueryPosition(), 1234);
    EXPECT_EQ(device.log, (QStringList{"open a.wav", "play 0 5000", "stop", "stop"}));
}

TEST_F(WaveDeviceTest, CloseAndReopenAbortTheRunningPlay) {
    ASSERT_TRUE(device.Open("a.wav"));
    ASSERT_TRUE(device.PlayRange(0, 5000, PlayRoute::CutScreen));
    ASSERT_TRUE(device.Open("b.wav"));
    EXPECT_EQ(Drain(), (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Aborted}}));
    EXPECT_EQ(device.QueryLength(), 3000);

    ASSERT_TRUE(device.PlayRange(0, 100, PlayRoute::FileScreen));
    device.StopAndClose();
    EXPECT_EQ(Drain(), (std::vector<Ending>{{PlayRoute::FileScreen, PlayResult::Aborted}}));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(device.QueryLength());
    EXPECT_FALSE(device.QueryFormat());
    EXPECT_FALSE(device.QueryPosition());
    EXPECT_FALSE(device.PlayRange(0, 100, PlayRoute::CutScreen));
}

TEST_F(WaveDeviceTest, ASecondPlaySupersedesTheFirst) {
    ASSERT_TRUE(device.Open("a.wav"));
    ASSERT_TRUE(device.PlayRange(0, 5000, PlayRoute::CutScreen));
    ASSERT_TRUE(device.PlayRange(6000, 7000, PlayRoute::FileScreen));
    device.Finish(PlayResult::Successful);
    EXPECT_EQ(Drain(), (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Superseded},
                                            {PlayRoute::FileScreen, PlayResult::Successful}}));
}

TEST_F(WaveDeviceTest, RangesOutsideTheFileFailWithoutCompletion) {
    ASSERT_TRUE(device.Open("a.wav"));
    device.position = 400;
    struct Case {
        TimeMs from;
        TimeMs to;
        bool starts;
        TimeMs playedFrom;
        TimeMs playedTo;
    };
    const Case cases[] = {
        {-1, 900, true, 400, 900},     // from the current position
        {9000, -1, true, 9000, 10000}, // to the end
        {10000, 10000, true, 10000, 10000}, {0, 10001, false, 0, 0},
        {10001, -1, false, 0, 0},           {500, 499, false, 0, 0},
    };
    for (const Case& c : cases) {
        device.plays.clear();
        device.position = 400;
        EXPECT_EQ(device.PlayRange(c.from, c.to, PlayRoute::CutScreen), c.starts)
            << c.from << ".." << c.to;
        if (c.starts) {
            ASSERT_EQ(device.plays.size(), 1u);
            EXPECT_EQ(device.plays[0].fromMs, c.playedFrom);
            EXPECT_EQ(device.plays[0].toMs, c.playedTo);
            device.Finish(PlayResult::Successful);
        }
    }
    EXPECT_EQ(Drain().size(), 3u);
}

TEST_F(WaveDeviceTest, AFailedStartLeavesNothingRunning) {
    ASSERT_TRUE(device.Open("broken.wav"));
    EXPECT_FALSE(device.PlayRange(0, 100, PlayRoute::CutScreen));
    EXPECT_FALSE(device.IsPlaying());
    device.Stop();
    EXPECT_TRUE(Drain().empty());
}

TEST_F(WaveDeviceTest, ShutdownBlocksEveryCommandButStopAndClose) {
    ASSERT_TRUE(device.Open("a.wav"));
    ASSERT_TRUE(device.PlayRange(0, 5000, PlayRoute::CutScreen));
    flags.shutdownStop = true;

    EXPECT_FALSE(device.QueryLength());
    EXPECT_FALSE(device.QueryFormat());
    EXPECT_FALSE(device.QueryPosition());
    EXPECT_FALSE(device.PlayRange(0, 100, PlayRoute::CutScreen));
    EXPECT_FALSE(device.Open("b.wav"));
    EXPECT_TRUE(device.IsPlaying()) << "a refused command must not disturb the running play";

    device.StopAndClose();
    EXPECT_EQ(Drain(), (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Aborted}}));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(device.log.filter("open").size(), 1);
}

TEST_F(WaveDeviceTest, MissingFileFailsToOpen) {
    EXPECT_FALSE(device.Open("missing.wav"));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(device.QueryLength());
}

} // namespace veskar::test
