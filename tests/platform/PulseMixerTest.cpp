#include "platform/PulseMixer.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include "core/mixer/MixerPanels.h"
#include "core/settings/Settings.h"
#include "platform/QtWaveDevice.h"
#include "support/EventLoop.h"
#include "support/FakeHost.h"
#include "support/TestHome.h"
#include "support/WavBuilder.h"

// Against the sound server that scripts/start-audio starts: its default sink is a null sink.

namespace veskar::test {
namespace {

QString Pactl(const QStringList& args) {
    QProcess pactl;
    pactl.start("pactl", args);
    pactl.waitForFinished();
    return QString::fromUtf8(pactl.readAllStandardOutput());
}

/// The first raw volume in pactl's answer ("front-left: 32768 /  50% / ...").
int SinkVolume() {
    const auto match = QRegularExpression(R"(:\s*(\d+)\s*/)").match(Pactl({"get-sink-volume", "@DEFAULT_SINK@"}));
    return match.hasMatch() ? match.captured(1).toInt() : -1;
}

class PulseMixerTest : public testing::Test {
protected:
    void SetUp() override {
        Pactl({"set-sink-volume", "@DEFAULT_SINK@", "65536"});
        Pactl({"set-sink-mute", "@DEFAULT_SINK@", "0"});
        ASSERT_TRUE(panels.Open()) << messenger.Texts().join("\n").toStdString();
    }

    PulseMixer mixer;
    FakeMessenger messenger;
    Settings settings;
    MixerPanels panels{mixer, messenger, settings, 100};
};

// One case: the cases of a test program may run side by side, and they share the one sink.
TEST_F(PulseMixerTest, VolumeMuteAndPeakGoThroughTheServer) {
    panels.SetVolumeUnits(2, 128);
    EXPECT_EQ(SinkVolume(), 32768);
    panels.SetMuted(0, true);
    EXPECT_TRUE(Pactl({"get-sink-mute", "@DEFAULT_SINK@"}).contains("yes"));

    // Changes made by another client arrive through the server's events.
    Pactl({"set-sink-volume", "@DEFAULT_SINK@", "26214"});
    Pactl({"set-sink-mute", "@DEFAULT_SINK@", "0"});
    EXPECT_TRUE(RunEventsUntil([&] { return panels.Slot(0).now == 102 && !panels.Slot(2).muted; }))
        << panels.Slot(0).now;

    // Our own stream takes the wave volume, and the master's peak rises while it plays.
    panels.SetMaximum(0);
    const QString tone = QDir(TestHomeDir()).filePath("tone.wav");
    ASSERT_TRUE(WavBuilder(44100, 2, 16).Sine(44100, 440.0, 20000).Write(tone));
    panels.SetVolumeUnits(1, 200);
    panels.TogglePeak(0);
    panels.TogglePeak(1); // before our stream exists: its meter starts with it
    SharedFlags flags;
    QtWaveDevice device(flags);
    ASSERT_TRUE(device.Open(tone));
    ASSERT_TRUE(device.PlayRange(0, 200, PlayRoute::FileScreen));
    EXPECT_TRUE(RunEventsUntil([&] {
        panels.PollPeaks();
        return panels.Slot(0).highestPeak > 3000 && panels.Slot(1).highestPeak > 3000;
    })) << panels.Slot(0).highestPeak << " " << panels.Slot(1).highestPeak;
    EXPECT_TRUE(Pactl({"list", "sink-inputs"}).contains(": 51200 /"));
    device.Stop();
}

TEST(PulseMixerNoServerTest, OpenReportsTheMissingMixer) {
    PulseMixer mixer("unix:" + QDir(TestHomeDir()).filePath("no-server"));
    EXPECT_EQ(mixer.Open(), "No audio mixer devices found.");
    EXPECT_FALSE(mixer.Line(MixerLine::Master).found);
}

} // namespace
} // namespace veskar::test
