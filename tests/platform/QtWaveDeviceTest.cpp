#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "platform/QtWaveDevice.h"
#include "support/TestHome.h"
#include "support/WavBuilder.h"

// These tests play through the sound server that scripts/start-audio starts (a null sink is
// enough). Every played range is at most 200 ms.

namespace veskar::test {

namespace {

using Ending = std::pair<PlayRoute, PlayResult>;

// A completion may take a while on a null sink, which asks for data in large, late steps.
constexpr int kEndingTimeoutMs = 3000;
// After a completion, how long to listen for a second one that must not come.
constexpr int kQuietMs = 300;
// How long a play is left running before it is stopped.
constexpr int kRunBeforeStopMs = 60;

QString FilePath(const QString& name) {
    return QDir(TestHomeDir()).filePath(name);
}

struct Fixture {
    const char* name;
    uint32_t rate;
    uint16_t channels;
    uint16_t bits;
    int64_t frames;
};

const Fixture kFixtures[] = {
    {"u8-mono.wav", 22050, 1, 8, 22050 * 3 / 2 + 7},
    {"s16-stereo.wav", 44100, 2, 16, 44100 + 44},
    {"s24-stereo.wav", 48000, 2, 24, 47999},
    {"s16-six.wav", 44100, 6, 16, 44100},
};

class QtWaveDeviceTest : public testing::Test {
protected:
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

    // Runs the event loop until the condition holds or the time is up; true when it held.
    static bool RunUntil(const std::function<bool()>& done, int timeoutMs) {
        QElapsedTimer clock;
        clock.start();
        while (!done()) {
            if (clock.elapsed() > timeoutMs) {
                return false;
            }
            QEventLoop loop;
            QTimer::singleShot(5, &loop, &QEventLoop::quit);
            loop.exec();
        }
        return true;
    }

    static void RunFor(int ms) {
        RunUntil([] { return false; }, ms);
    }

    bool WaitForEndings(size_t count) {
        return RunUntil([&] { return endings.size() >= count; }, kEndingTimeoutMs);
    }

    SharedFlags flags;
    QtWaveDevice device{flags};
    std::vector<Ending> endings;
};

} // namespace

TEST_F(QtWaveDeviceTest, OpenReportsLengthAndFormat) {
    const TimeMs lengths[] = {1500, 1000, 999, 1000};
    for (size_t i = 0; i < std::size(kFixtures); ++i) {
        const Fixture& f = kFixtures[i];
        ASSERT_TRUE(device.Open(FilePath(f.name))) << f.name;
        EXPECT_EQ(device.QueryLength(), lengths[i]) << f.name;
        EXPECT_EQ(device.QueryFormat(), (WaveFormat{int(f.rate), f.bits, f.channels})) << f.name;
        EXPECT_EQ(device.QueryPosition(), 0) << f.name;
    }
    device.Close();
    EXPECT_FALSE(device.QueryLength());
}

TEST_F(QtWaveDeviceTest, UnplayableFilesFailToOpen) {
    ASSERT_TRUE(WavBuilder(44100, 2, 32).FormatTag(3).Silence(100).Write(FilePath("float.wav")));
    QFile text(FilePath("text.wav"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write("this is not a wave file at all, just some text");
    text.close();

    for (const char* name : {"missing.wav", "float.wav", "text.wav"}) {
        EXPECT_FALSE(device.Open(FilePath(name))) << name;
        EXPECT_FALSE(device.IsOpen()) << name;
        EXPECT_FALSE(device.QueryLength()) << name;
        EXPECT_FALSE(device.PlayRange(0, 10, PlayRoute::CutScreen)) << name;
    }
    EXPECT_TRUE(endings.empty());
}

class QtWaveDevicePlayTest : public QtWaveDeviceTest,
                             public testing::WithParamInterface<Fixture> {};

// A range of every sample width and channel layout is heard to its end and reported once.
TEST_P(QtWaveDevicePlayTest, RangeEndsOnceSuccessfully) {
    ASSERT_TRUE(device.Open(FilePath(GetParam().name)));
    QElapsedTimer clock;
    clock.start();
    ASSERT_TRUE(device.PlayRange(100, 250, PlayRoute::FileScreen));
    EXPECT_TRUE(device.IsPlaying());
    ASSERT_TRUE(WaitForEndings(1)) << "no completion";
    // Not a speed check: a completion long before the range could have been heard means the
    // end was taken from the data handed over rather than from what was played.
    EXPECT_GE(clock.elapsed(), 100);
    EXPECT_EQ(device.QueryPosition(), 250);

    RunFor(kQuietMs);
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
    ASSERT_TRUE(RunUntil(
        [&] {
            if (device.IsPlaying()) {
                seen.push_back(device.QueryPosition().value_or(-1));
            }
            return !endings.empty();
        },
        kEndingTimeoutMs));
    ASSERT_FALSE(seen.empty());
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_GE(seen.front(), 300);
    EXPECT_LE(seen.back(), 500);
    EXPECT_TRUE(std::any_of(seen.begin(), seen.end(), [](TimeMs t) { return t > 300 && t < 500; }))
        << "the position never moved inside the range";
    EXPECT_EQ(device.QueryPosition(), 500);
    EXPECT_EQ(endings, (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Successful}}));
}

TEST_F(QtWaveDeviceTest, StopDuringPlayAborts) {
    ASSERT_TRUE(device.Open(FilePath("s24-stereo.wav")));
    ASSERT_TRUE(device.PlayRange(0, 200, PlayRoute::CutScreen));
    RunFor(kRunBeforeStopMs);
    ASSERT_TRUE(endings.empty());
    device.Stop();
    EXPECT_FALSE(device.IsPlaying());
    EXPECT_TRUE(endings.empty()) << "the completion must arrive as an event, not inside Stop";

    RunFor(kQuietMs);
    EXPECT_EQ(endings, (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Aborted}}));
    const TimeMs stoppedAt = device.QueryPosition().value_or(-1);
    EXPECT_GE(stoppedAt, 0);
    EXPECT_LT(stoppedAt, 200);

    // The device stays usable: the next play starts from the stopped file.
    ASSERT_TRUE(device.PlayRange(-1, 200, PlayRoute::CutScreen));
    ASSERT_TRUE(WaitForEndings(2));
    EXPECT_EQ(endings.back(), (Ending{PlayRoute::CutScreen, PlayResult::Successful}));
}

TEST_F(QtWaveDeviceTest, CloseDuringPlayAborts) {
    ASSERT_TRUE(device.Open(FilePath("u8-mono.wav")));
    ASSERT_TRUE(device.PlayRange(0, 200, PlayRoute::FileScreen));
    RunFor(kRunBeforeStopMs);
    device.StopAndClose();
    RunFor(kQuietMs);
    EXPECT_EQ(endings, (std::vector<Ending>{{PlayRoute::FileScreen, PlayResult::Aborted}}));
    EXPECT_FALSE(device.IsOpen());
    EXPECT_FALSE(device.QueryPosition());
}

TEST_F(QtWaveDeviceTest, SecondPlaySupersedesTheFirst) {
    ASSERT_TRUE(device.Open(FilePath("s16-stereo.wav")));
    ASSERT_TRUE(device.PlayRange(0, 200, PlayRoute::CutScreen));
    ASSERT_TRUE(device.PlayRange(600, 750, PlayRoute::FileScreen));
    ASSERT_TRUE(WaitForEndings(2));
    RunFor(kQuietMs);
    EXPECT_EQ(endings, (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Superseded},
                                            {PlayRoute::FileScreen, PlayResult::Successful}}));
    EXPECT_EQ(device.QueryPosition(), 750);
}

TEST_F(QtWaveDeviceTest, EmptyRangeEndsAtOnceAndBadRangesDoNotStart) {
    ASSERT_TRUE(device.Open(FilePath("s16-stereo.wav")));
    ASSERT_TRUE(device.PlayRange(500, 500, PlayRoute::CutScreen));
    EXPECT_FALSE(device.PlayRange(0, 1001, PlayRoute::CutScreen));
    EXPECT_FALSE(device.PlayRange(400, 300, PlayRoute::CutScreen));
    RunFor(kQuietMs);
    EXPECT_EQ(endings, (std::vector<Ending>{{PlayRoute::CutScreen, PlayResult::Successful}}));
    EXPECT_EQ(device.QueryPosition(), 500);
}

// The last frames behind the last whole millisecond are played too: the range to the end
// of the file ends with the file.
TEST_F(QtWaveDeviceTest, PlayToTheEndOfTheFile) {
    ASSERT_TRUE(device.Open(FilePath("s16-stereo.wav")));
    ASSERT_TRUE(device.PlayRange(850, -1, PlayRoute::CutScreen));
    ASSERT_TRUE(WaitForEndings(1));
    EXPECT_EQ(endings[0], (Ending{PlayRoute::CutScreen, PlayResult::Successful}));
    EXPECT_EQ(device.QueryPosition(), 1000);
}

} // namespace veskar::test
