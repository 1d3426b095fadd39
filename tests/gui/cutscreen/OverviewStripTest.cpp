#include <atomic>

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QWheelEvent>
#include <QTest>
#include <QTimer>

#include "core/analysis/CutAnalysis.h"
#include "core/host/SharedFlags.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/OverviewStrip.h"
#include "support/AnalysisRecordings.h"
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

TEST_F(OverviewStripTest, FillsInWhileTheWindowRunsThenRegistersAndZooms) {
    QSignalSpy finished(&strip, &OverviewStrip::EnvelopeFinished);
    int ticks = 0;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&ticks] { ++ticks; });
    timer.start(0);
    ASSERT_TRUE(test::RunEventsUntil([&] { return finished.count() == 1; }));
    EXPECT_GT(ticks, 0);
    EXPECT_EQ(strip.Scene().envelope.filled, 100);
    EXPECT_EQ(strip.Scene().envelope.At(50, 1).peak, 9000);

    // A click plays: PlayControllerTest follows it into the player.
    QSignalSpy registered(&strip, &OverviewStrip::RegisterRequested);
    QTest::mouseDClick(&strip, Qt::LeftButton, {}, QPoint(75, 20));
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

struct SharedReadRow {
    int stopAfterUpdates; ///< of the level run; -1: none
    bool otherFile;       ///< chosen after the run's first block
    int ownReads, peakAt10, peakAt50;
};
class OverviewSharedReadTest : public testing::TestWithParam<SharedReadRow> {};

// 100 s with a silence at 50-51 s on 100 pixels; the other file is 10 s at 7,000. The strip's
// first read waits for its stop, so the level run surely finds it unfinished.
TEST_P(OverviewSharedReadTest, LevelRunTakesOverTheStripsRead) {
    const SharedReadRow& row = GetParam();
    test::WavFiles files;
    const QString path = files.Write("long.wav", test::LongRecording());
    const QString other = files.Write("other.wav", test::StretchRecording({{10000, 7000}}));
    OverviewStrip strip;
    strip.resize(100, 60);
    std::atomic<int> reads = 0;
    strip.SetBeforeRead([&reads](const ReadProgress& progress) {
        while (++reads == 1 && progress.box->GetState(0) == ProgressBox::Running) {
            --reads;
        }
    });
    QSignalSpy finished(&strip, &OverviewStrip::EnvelopeFinished);
    strip.SetFile(path);
    TimeLists lists;
    CutAnalysis analysis(lists);
    analysis.ChooseFile(path);
    analysis.ShareLevelRead(strip.ShareRead());
    test::FakeHost host;
    host.progress.stopAfterUpdates = row.stopAfterUpdates;
    host.pump.onProcess = [&] {
        if (row.otherFile && analysis.CutFile() == path) {
            strip.SetFile(other);
            analysis.ChooseFile(other);
        }
    };
    Host runHost = host.host();
    analysis.MeasureIntervalPeaks(runHost);
    ASSERT_TRUE(test::RunEventsUntil([&] { return finished.count() == 1; }));
    EXPECT_EQ(reads, row.ownReads);
    const Envelope& e = strip.Scene().envelope;
    EXPECT_EQ(e.filled, 100);
    EXPECT_EQ(e.At(10, 0).peak, row.peakAt10);
    EXPECT_EQ(e.At(50, 0).peak, row.peakAt50);
}
INSTANTIATE_TEST_SUITE_P(Runs, OverviewSharedReadTest,
                         testing::Values(SharedReadRow{-1, false, 1, 20000, 0},
                                         SharedReadRow{1, false, 2, 20000, 0},
                                         SharedReadRow{-1, true, 2, 7000, 7000}));

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
