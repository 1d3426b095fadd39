// Playback through the sound server (scripts/start-audio starts one with a null sink): a click
// on a registered song start plays it, the position moves, and the end of the play reaches the
// window, which goes on with the next song start in the continuous mode.
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>

#include "gui/cutscreen/PlayerPanel.h"
#include "gui/main/PlayController.h"
#include "support/EventLoop.h"
#include "support/RoadWindow.h"

namespace veskar::test {
namespace {

class PlaybackTest : public RoadWindowTest {
protected:
    void SetUp() override {
        if (QProcess::execute(PIRVAN_START_AUDIO, {}) != 0) {
            GTEST_SKIP() << "no sound server can run here: " PIRVAN_START_AUDIO " failed";
        }
    }
};

TEST_F(PlaybackTest, ContinuousPlayMovesOnAtEachEnd) {
    // Two "songs" of 200 ms between silences of 200 ms.
    builder = WavBuilder(44100, 2, 16)
                  .Silence(8820)
                  .Sine(8820, 440, 12000)
                  .Silence(8820)
                  .Sine(8820, 660, 12000)
                  .Silence(8820);
    source = files.Write("short.wav", builder);
    OpenFile(source);
    Silence().Edit_Ninshiki_Time->setText("150"); // songs are at least this long (ms)
    Detect();
    RegisterAllWithColours(0);
    ASSERT_EQ(RegisteredMs(), (std::vector<TimeMs>{0, 200, 400, 600, 800}));
    PlayController& player = *window.player;
    std::vector<TimeMs> shown;
    // The window reports a stop once more when it is destroyed, after shown is gone.
    const QObject listening;
    QObject::connect(&player, &PlayController::PositionShown, &listening,
                     [&shown](TimeMs positionMs) { shown.push_back(positionMs); });
    // The position is polled once a second; a short play needs a quicker poll to show it.
    player.Timer8->setInterval(20);

    player.cutPanel->playModeItems[static_cast<int>(CutPlayMode::Continuous)]->click();
    TimeListBox* registered = window.cutScreen->ListBox_C;
    ClickRow(registered, 1);
    ASSERT_TRUE(player.Player().IsPlaying());
    // The end of 200..400 moves on to the next song start, 600.
    EXPECT_TRUE(RunEventsUntil([&] { return registered->currentIndex().row() == 3; }))
        << "the end of the play never reached the window";
    EXPECT_TRUE(RunEventsUntil([&] {
        return std::any_of(shown.begin(), shown.end(),
                           [](TimeMs ms) { return ms > 200 && ms % 200 != 0; });
    })) << "the position never moved inside a song";
    player.ColorBtn1->click();
    EXPECT_FALSE(player.Player().IsPlaying());
    EXPECT_FALSE(player.Timer8->isActive());
    EXPECT_EQ(boxes.shown, QStringList());
}

} // namespace
} // namespace veskar::test
