#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QTest>
#include <QTimer>

#include "core/host/SharedFlags.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/OverviewStrip.h"
#include "support/EventLoop.h"
#include "support/FakeHost.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

// 10 s at 1,000 Hz on a strip 100 pixels wide: a pixel is 100 ms.
class OverviewStripTest : public testing::Test {
protected:
    OverviewStripTest() {
        strip.resize(100, 60);
        strip.SetFile(files.Write("rec.wav", test::WavBuilder(1000, 2, 16).Sine(10000, 5, 9000)));
    }
    test::WavFiles files;
    OverviewStrip strip;
};

TEST_F(OverviewStripTest, FillsInWhileTheWindowRunsThenClicksPlayAndRegister) {
    QSignalSpy finished(&strip, &OverviewStrip::EnvelopeFinished);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(0);
    ASSERT_TRUE(test::RunEventsUntil([&] { return finished.count() == 1; }));
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(strip.Scene().envelope.filled, 100);
    EXPECT_EQ(strip.Scene().envelope.At(50, 1).peak, 9000);

    QSignalSpy play(&strip, &OverviewStrip::PlayFromRequested);
    QSignalSpy registered(&strip, &OverviewStrip::RegisterRequested);
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(30, 20));
    QTest::mouseDClick(&strip, Qt::LeftButton, {}, QPoint(75, 20));
    ASSERT_GE(play.count(), 1);
    EXPECT_EQ(play.first().first().value<TimeMs>(), 3000);
    ASSERT_EQ(registered.count(), 1);
    EXPECT_EQ(registered.first().first().value<TimeMs>(), 7500);

    // A wheel step in, the time under the pointer staying under it.
    QSignalSpy window(&strip, &OverviewStrip::WindowShown);
    QWheelEvent wheel(QPointF(50, 20), strip.mapToGlobal(QPointF(50, 20)), {}, QPoint(0, 120),
                      Qt::NoButton, {}, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&strip, &wheel);
    ASSERT_TRUE(test::RunEventsUntil([&] { return window.count() == 1; }));
    EXPECT_EQ(window.first().value(0).value<TimeMs>(), 1667);
    EXPECT_EQ(window.first().value(1).value<TimeMs>(), 8333);
    EXPECT_EQ(strip.Scene().envelope.filled, 100);
}

TEST(OverviewMarksTest, FollowRegisteringAndDeleting) {
    TimeLists lists;
    test::FakeHost host;
    SharedFlags flags;
    CutScreen screen(lists, host.messenger, host.pump, flags);
    screen.SetCutFile("/music/live.wav", 3600000);
    QSignalSpy shown(&screen, &CutScreen::RegisteredListShown);
    screen.RegisterTime(7500);
    screen.RegisterTime(3000);
    ASSERT_EQ(shown.count(), 2);
    std::vector<TimeMark> marks = RegisteredMarks(lists);
    ASSERT_EQ(marks.size(), 2u);
    EXPECT_EQ(marks[0].ms, 3000);
    EXPECT_EQ(marks[1].ms, 7500);
    lists.registered.SetSelected(0, true);
    screen.Button5Click();
    marks = RegisteredMarks(lists);
    ASSERT_EQ(marks.size(), 1u);
    EXPECT_EQ(marks[0].ms, 7500);

    screen.SubdivideAround(1234567);
    EXPECT_TRUE(lists.subdivisions[0].Texts().contains(lists.format.FormatTime(1234567)));
}

TEST(OverviewSongsTest, EachSongRunsToTheLineAfterItAndTheLastToTheEnd) {
    TimeFormat format;
    format.SetMinutesMode(false);
    format.SetFileLength(9000);
    TimeList lines;
    lines.Assign({format.FormatTime(0), format.FormatTime(3000), format.FormatTime(5000)});
    const std::vector<TimeSpan> songs = SongSpans(lines, {"1", "", "1"}, 9000);
    ASSERT_EQ(songs.size(), 2u);
    EXPECT_EQ(std::pair(songs[0].fromMs, songs[0].toMs), std::pair(TimeMs{0}, TimeMs{3000}));
    EXPECT_EQ(std::pair(songs[1].fromMs, songs[1].toMs), std::pair(TimeMs{5000}, TimeMs{9000}));
}

} // namespace
} // namespace veskar
