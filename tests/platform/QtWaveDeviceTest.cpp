#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include <QDir>
#include <QElapsedTimer>

#include "platform/QtWaveDevice.h"
#include "support/EventLoop.h"
#include "support/TestHome.h"
#include "support/WavBuilder.h"
#include "support/WaveDeviceContract.h"

// These tests play through the sound server that scripts/start-audio starts (a null sink is
// enough). Every played range is at most 200 ms.

namespace veskar::test {

namespace {

QString FilePath(const QString& name) {
    return QDir(TestHomeDir()).filePath(name);
}

// After a completion, listens for a while for a second one that must not come.
void Settle() {
    QElapsedTimer clock;
    clock.start();
    RunEventsUntil([&clock] { return clock.elapsed() > 300; });
}

struct Fixture {
    const char* name;
    uint32_t rate;
    uint16_t channels;
    uint16_t bits;
    int64_t frames;
    TimeMs lengthMs;
};

const Fixture kFixtures[] = {
    {"u8-mono.wav", 22050, 1, 8, 22050 * 3 / 2 + 7, 1500},
    {"s16-stereo.wav", 44100, 2, 16, 44100 + 44, 1000},
    {"s24-stereo.wav", 48000, 2, 24, 47999, 999},
    {"s16-six.wav", 44100, 6, 16, 44100, 1000},
};

class QtWaveDeviceTest : public testing::Test {
public:
    static void SetUpTestSuite() {
        for (const Fixture& f : kFixtures) {
            const int32_t peak = f.bits == 8 ? 60 : f.bits == 16 ? 12000 : 3000000;
            ASSERT_TRUE(WavBuilder(f.rate, f.channels, f.bits)
                            .Sine(f.frames, 440.0, peak)
                            .Write(FilePath(f.name)));
        }
    }

    void SetUp() override {
        QObject::connect(&device, &WaveDevice::PlayEnded,
                         [this](PlayRoute route, PlayResult result) {
                             endings.push_back({route, result});
                         });
    }

protected:
    SharedFlags flags;
    QtWaveDevice device{flags};
    std::vector<Ending> endings;
};

} // namespace

class QtWaveDevicePlayTest : public QtWaveDeviceTest,
                             public testing::WithParamInterface<Fixture> {};

// Every sample width and channel layout opens with its length and format, and a range of it
// is heard to its end and reported once.
TEST_P(QtWaveDevicePlayTest, RangeEndsOnceSuccessfully) {
    const Fixture& f = GetParam();
    ASSERT_TRUE(device.Open(FilePath(f.name)));
    EXPECT_EQ(device.QueryLength(), f.lengthMs);
    EXPECT_EQ(device.QueryFormat(), (WaveFormat{int(f.rate), f.bits, f.channels}));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(device.PlayRange(100, 250, PlayRoute::FileScreen));
    EXPECT_TRUE(device.IsPlaying());
    ASSERT_TRUE(RunEventsUntil([&] { return !endings.empty(); })) << "no completion";
    // Not a speed check: a completion long before the range could have been heard means the
    // end was taken from the data handed over rather than from what was played.
    EXPECT_GE(clock.elapsed(), 100);
    EXPECT_EQ(device.QueryPosition(), 250);

    Settle();
    EXPECT_EQ(endings, (std::vector<Ending>{{PlayRoute::FileScreen, PlayResult::Successful}}));
}

INSTANTIATE_TEST_SUITE_P(
    Formats, QtWaveDevicePlayTest, testing::ValuesIn(kFixtures),
    [](const testing::TestParamInfo<Fixture>& info) {
        return QString(info.param.name).section('.', 0, 0).remove('-').toStdString();
    });

TEST_F(QtWaveDeviceTest, PositionAdvancesWhilePlaying) {
    ASSERT_TRUE(device.Open(FilePath("s16-stereo.wav")));
    ASSERT_TRUE(device.PlayRange(300, 500, PlayRoute::CutScreen));
    std::vector<TimeMs> seen;
    ASSERT_TRUE(RunEventsUntil([&] {
        if (device.IsPlaying()) {
            seen.push_back(device.QueryPosition().value_or(-1));
        }
        return !endings.empty();
    }));
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](TimeMs t) { return t > 300 && t < 500; }))
        << "the position never moved inside the range";
}

struct QtDriver {
    QString File(const char* name) {
        const QString path = FilePath(name);
        EXPECT_TRUE(WavBuilder(44100, 2, 16).Sine(44100, 440.0, 12000).Write(path));
        return path;
    }
    bool RunUntil(const std::function<bool()>& done) { return RunEventsUntil(done); }
    void Settle() { test::Settle(); }

    SharedFlags flags;
    QtWaveDevice device{flags};
};

INSTANTIATE_TYPED_TEST_SUITE_P(Qt, WaveDeviceContract, QtDriver);

} // namespace veskar::test
