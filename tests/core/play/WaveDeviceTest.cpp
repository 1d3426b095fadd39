#include <gtest/gtest.h>

#include <functional>

#include <QCoreApplication>

#include "support/FakeWaveDevice.h"
#include "support/WaveDeviceContract.h"

namespace veskar::test {

namespace {

// The fake's plays end only when told; the one-completion rule and the queued delivery it is
// held to are the real ones of WaveDevice.
struct FakeDriver {
    QString File(const char* name) {
        device.files[name] = {1000, {44100, 16, 2}, false};
        return name;
    }
    bool RunUntil(const std::function<bool()>& done) {
        for (int i = 0; i < 3 && !done(); ++i) {
            if (device.IsPlaying()) {
                device.Finish(PlayResult::Successful);
            }
            Settle();
        }
        return done();
    }
    void Settle() { QCoreApplication::processEvents(); }

    SharedFlags flags;
    FakeWaveDevice device{flags};
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, WaveDeviceContract, FakeDriver);

TEST(FakeWaveDeviceTest, AFailedStartLeavesNothingRunning) {
    FakeDriver d;
    d.device.files["broken.wav"] = {5000, {44100, 16, 2}, true};
    int endings = 0;
    QObject::connect(&d.device, &WaveDevice::PlayEnded, [&] { ++endings; });
    ASSERT_TRUE(d.device.Open("broken.wav"));
    EXPECT_FALSE(d.device.PlayRange(0, 100, PlayRoute::CutScreen));
    EXPECT_FALSE(d.device.IsPlaying());
    d.device.Stop();
    d.Settle();
    EXPECT_EQ(endings, 0);
}

} // namespace veskar::test
