#pragma once

#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/play/WaveDevice.h"

// What every wave device promises the player, whatever plays the sound: one completion per
// play, delivered later as an event, with the route it was started for. A test folder
// instantiates it with a driver that owns the device and knows how its plays come to an end:
//
//   struct Driver {
//       SharedFlags flags;
//       SomeDevice device{flags};
//       QString File(const char* name); // a 1,000 ms 44,100 Hz 16-bit stereo file
//       bool RunUntil(const std::function<bool()>& done); // lets running plays end
//       void Settle();                  // delivers what is due, ends nothing
//   };

namespace veskar::test {

using Ending = std::pair<PlayRoute, PlayResult>;

template <typename Driver> class WaveDeviceContract : public testing::Test {
protected:
    void SetUp() override {
        QObject::connect(&d.device, &WaveDevice::PlayEnded,
                         [this](PlayRoute route, PlayResult result) {
                             endings.push_back({route, result});
                         });
        a = d.File("a.wav");
    }
    bool WaitForEndings(size_t count) {
        return d.RunUntil([&] { return endings.size() >= count; });
    }

    Driver d;
    QString a;
    std::vector<Ending> endings;
};

TYPED_TEST_SUITE_P(WaveDeviceContract);

TYPED_TEST_P(WaveDeviceContract, OpenQueriesAndClose) {
    auto& device = this->d.device;
    EXPECT_FALSE(device.Open(this->a + ".missing"));
    EXPECT_FALSE(device.IsOpen());
    ASSERT_TRUE(device.Open(this->a));
    EXPECT_EQ(device.QueryLength(), 1000);
    EXPECT_EQ(device.QueryFormat(), (WaveFormat{44100, 16, 2}));
    EXPECT_EQ(device.QueryPosition(), 0);
    device.Close();
    EXPECT_FALSE(device.QueryLength());
    EXPECT_FALSE(device.QueryFormat());
    EXPECT_FALSE(device.QueryPosition());
    EXPECT_FALSE(device.PlayRange(0, 100, PlayRoute::CutScreen));
}

TYPED_TEST_P(WaveDeviceContract, ARangeEndsOnceWithItsRoute) {
    auto& device = this->d.device;
    ASSERT_TRUE(device.Open(this->a));
    ASSERT_TRUE(device.PlayRange(100, 250, PlayRoute::FileScreen));
    EXPECT_TRUE(device.IsPlaying());
    ASSERT_TRUE(this->WaitForEndings(1));
    EXPECT_FALSE(device.IsPlaying());
    EXPECT_EQ(device.QueryPosition(), 250);
    device.Stop();
    this->d.Settle();
    EXPECT_EQ(this->endings,
              (std::vector<Ending>{{PlayRoute::FileScreen, PlayResult::Successful}}));
}

TYPED_TEST_P(WaveDeviceContract, StopAbortsAndKeepsTheFileOpen) {
    auto& device = this->d.device;
    ASSERT_TRUE(device.Open(this->a));
    ASSERT_TRUE(device.PlayRange(0, 200, PlayRoute::CutScreen));
    device.Stop();
    device.Stop();
    EXPECT_FALSE(device.IsPlaying());
    EXPECT_TRUE(this->endings.empty()) << "the completion must arrive as an event, not inside Stop";
    this->d.Settle();
    EXPECT_EQ(this->endings, (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Aborted}}));
    EXPECT_TRUE(device.IsOpen());
    // The next play starts from where the first stopped.
    ASSERT_TRUE(device.PlayRange(-1, 200, PlayRoute::CutScreen));
    ASSERT_TRUE(this->WaitForEndings(2));
    EXPECT_EQ(this->endings.back(), (Ending{PlayRoute::CutScreen, PlayResult::Successful}));
}

TYPED_TEST_P(WaveDeviceContract, ReopenAndCloseAbortTheRunningPlay) {
    auto& device = this->d.device;
    const QString b = this->d.File("b.wav");
    ASSERT_TRUE(device.Open(this->a));
    ASSERT_TRUE(device.PlayRange(0, 200, PlayRoute::CutScreen));
    ASSERT_TRUE(device.Open(b));
    ASSERT_TRUE(device.PlayRange(0, 100, PlayRoute::FileScreen));
    device.StopAndClose();
    this->d.Settle();
    EXPECT_EQ(this->endings, (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Aborted},
                                                  {PlayRoute::FileScreen, PlayResult::Aborted}}));
    EXPECT_FALSE(device.IsOpen());
}

TYPED_TEST_P(WaveDeviceContract, ASecondPlaySupersedesTheFirst) {
    auto& device = this->d.device;
    ASSERT_TRUE(device.Open(this->a));
    ASSERT_TRUE(device.PlayRange(0, 200, PlayRoute::CutScreen));
    ASSERT_TRUE(device.PlayRange(600, 750, PlayRoute::FileScreen));
    ASSERT_TRUE(this->WaitForEndings(2));
    this->d.Settle();
    EXPECT_EQ(this->endings,
              (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Superseded},
                                   {PlayRoute::FileScreen, PlayResult::Successful}}));
    EXPECT_EQ(device.QueryPosition(), 750);
}

// Ranges outside the file start nothing and end nothing; an empty range and a range to the
// end of the file play and end.
TYPED_TEST_P(WaveDeviceContract, RangesAgainstTheFile) {
    auto& device = this->d.device;
    ASSERT_TRUE(device.Open(this->a));
    const struct {
        TimeMs from;
        TimeMs to;
        bool starts;
        TimeMs endPosition;
    } cases[] = {{0, 0, true, 0},      {500, 500, true, 500}, {0, 1001, false, 0},
                 {1001, -1, false, 0}, {400, 300, false, 0},  {850, -1, true, 1000}};
    size_t started = 0;
    for (const auto& c : cases) {
        EXPECT_EQ(device.PlayRange(c.from, c.to, PlayRoute::CutScreen), c.starts)
            << c.from << ".." << c.to;
        if (c.starts) {
            ASSERT_TRUE(this->WaitForEndings(++started)) << c.from;
            EXPECT_EQ(device.QueryPosition(), c.endPosition) << c.from;
        }
    }
    this->d.Settle();
    EXPECT_EQ(this->endings,
              std::vector<Ending>(started, {PlayRoute::CutScreen, PlayResult::Successful}));
}

TYPED_TEST_P(WaveDeviceContract, ShutdownBlocksEveryCommandButStopAndClose) {
    auto& device = this->d.device;
    ASSERT_TRUE(device.Open(this->a));
    ASSERT_TRUE(device.PlayRange(0, 200, PlayRoute::CutScreen));
    this->d.flags.shutdownStop = true;
    EXPECT_FALSE(device.QueryLength());
    EXPECT_FALSE(device.QueryFormat());
    EXPECT_FALSE(device.QueryPosition());
    EXPECT_FALSE(device.PlayRange(0, 100, PlayRoute::CutScreen));
    EXPECT_FALSE(device.Open(this->a));
    EXPECT_TRUE(device.IsPlaying()) << "a refused command must not disturb the running play";
    device.StopAndClose();
    this->d.Settle();
    EXPECT_EQ(this->endings, (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Aborted}}));
    EXPECT_FALSE(device.IsOpen());
}

REGISTER_TYPED_TEST_SUITE_P(WaveDeviceContract, OpenQueriesAndClose, ARangeEndsOnceWithItsRoute,
                            StopAbortsAndKeepsTheFileOpen, ReopenAndCloseAbortTheRunningPlay,
                            ASecondPlaySupersedesTheFirst, RangesAgainstTheFile,
                            ShutdownBlocksEveryCommandButStopAndClose);

} // namespace veskar::test
