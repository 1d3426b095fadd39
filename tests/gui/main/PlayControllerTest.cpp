#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QRadioButton>
#include <QTest>

#include "core/host/SharedFlags.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/OverviewStrip.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/PlayController.h"
#include "gui/main/PositionBarPanel.h"
#include "support/FakeHost.h"
#include "support/FakePlayFileList.h"
#include "support/FakeWaveDevice.h"
#include "support/GuiDriver.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

using test::ClickRow;

constexpr TimeMs kLengthMs = 60000;

class PlayControllerTest : public testing::Test {
protected:
    PlayControllerTest()
        : screen(lists, host.messenger, host.pump, flags), player(flags), query(flags),
          controller(screen, lists, flags, host.messenger, host.pump, player, query) {
        path = files.Write("live.wav", test::WavBuilder(8000, 1, 16).Silence(8000));
        player.files[path] = {kLengthMs, {44100, 16, 2}, false};
        query.files[path] = {kLengthMs, {44100, 16, 2}, false};
        screen.resize(1200, 700);
        screen.show();
        screen.SetCutFile(path, kLengthMs);
        QApplication::processEvents();
    }
    /// Lets queued completions and zero-interval timers run.
    static void Settle() {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
        }
    }
    test::FakeWaveDevice::Play LastPlay() const {
        return player.plays.empty() ? test::FakeWaveDevice::Play{} : player.plays.back();
    }
    PlayerPanel& Panel() { return *controller.cutPanel; }
    FilePlayerPanel& FilePanel() { return *controller.filePanel; }
    PlayControls& Controls() { return controller.Engine().controls; }

    test::WavFiles files;
    QString path;
    TimeLists lists;
    test::FakeHost host;
    SharedFlags flags;
    CutScreen screen;
    test::FakeWaveDevice player;
    test::FakeWaveDevice query;
    PlayController controller;
};

TEST_F(PlayControllerTest, ClickOnALinePlaysItAndThePositionShowsOnBothScreens) {
    ASSERT_EQ(Panel().PlayMode(), CutPlayMode::Zone);
    ClickRow(screen.ListBox_ALL, 2);
    EXPECT_EQ(LastPlay().fromMs, 20000);
    EXPECT_EQ(screen.Label14->text(), lists.format.FormatPosition(20000));
    EXPECT_EQ(FilePanel().Label2->text(), screen.Label14->text());
    EXPECT_TRUE(FilePanel().Edit_File_Disp->text().startsWith(path));

    // A poll moves the position on.
    ASSERT_TRUE(controller.Timer8->isActive());
    player.position = 40000;
    controller.Timer8->setInterval(0);
    Settle();
    EXPECT_EQ(screen.Label14->text(), lists.format.FormatPosition(40000));
}

TEST_F(PlayControllerTest, APlayThatCannotStartLeavesThePositionWhereItWas) {
    player.files[path].playFails = true;
    ClickRow(screen.ListBox_ALL, 2);
    EXPECT_TRUE(host.messenger.Texts().value(0).endsWith(" 再生開始に失敗しました。"));
    EXPECT_EQ(screen.Label14->text(), "0");
    EXPECT_EQ(Panel().Panel_PB_M->BarWidth(), 0);
    EXPECT_FALSE(controller.Timer8->isActive());
}

TEST_F(PlayControllerTest, ModeChoicesReachTheEngine) {
    ClickRow(screen.ListBox_ALL, 2);
    ASSERT_TRUE(player.IsOpen());
    for (int mode = 0; mode < 6; ++mode) {
        Panel().playModeItems[mode]->click();
        EXPECT_EQ(Controls().playMode, static_cast<CutPlayMode>(mode));
        Panel().specialModeItems[mode]->click();
        EXPECT_EQ(Controls().specialMode, static_cast<SpecialMode>(mode));
    }
    EXPECT_FALSE(player.IsOpen()) << "OFF stopped and closed the device";
    ClickRow(screen.ListBox_ALL, 3);
    EXPECT_EQ(player.plays.size(), 1u) << "a click plays nothing with OFF";

    // A length item renames its mode and reaches the engine.
    Panel().probeItems[static_cast<int>(ProbeMenu::Start)][11]->trigger();
    EXPECT_EQ(Controls().probes.startMs, ProbeItemMs(ProbeMenu::Start, 11));
    EXPECT_EQ(Panel().specialModeItems[0]->text(), ProbeCaption(ProbeMenu::Start, 11));
    EXPECT_EQ(Panel().probeMenus[0]->title(), Panel().specialModeItems[0]->text());
    Panel().ChooseProbeItem(ProbeMenu::Start, ProbeItemCount(ProbeMenu::Start));
    EXPECT_EQ(Panel().ProbeItem(ProbeMenu::Start), 11) << "an item beyond the menu is refused";
}

TEST_F(PlayControllerTest, ContinuationMovesTheSelectionOfTheBox) {
    Panel().playModeItems[static_cast<int>(CutPlayMode::Skip)]->click();
    ClickRow(screen.ListBox_ALL, 0);
    player.Finish(PlayResult::Successful);
    Settle();
    ASSERT_EQ(player.plays.size(), 2u);
    EXPECT_EQ(LastPlay().fromMs, 10000);
    EXPECT_EQ(screen.ListBox_ALL->currentIndex().row(), 1);
    EXPECT_EQ(screen.ListBox_ALL->selectionModel()->selectedRows().size(), 1);
}

// Ctrl+click and Shift+click gather lines for the commands that act on the selected ones; only
// a plain click plays (and selects its line alone). Every time list is a TimeListBox.
TEST_F(PlayControllerTest, CtrlAndShiftClicksSelectSeveralLinesWithoutPlaying) {
    lists.registered.Assign({"00.10000", "00.20000", "00.30000", "00.40000", "00.50000"}, {});
    screen.RefreshLists();
    TimeListBox* box = screen.ListBox_C;
    for (const auto& [row, modifiers] : std::vector<std::pair<int, Qt::KeyboardModifiers>>{
             {0, Qt::NoModifier}, {2, Qt::ShiftModifier}, {4, Qt::ControlModifier}}) {
        QTest::mouseClick(box->viewport(), Qt::LeftButton, modifiers,
                          box->visualRect(box->model()->index(row, 0)).center());
    }
    EXPECT_EQ(lists.registered.Lines().SelectedIndexes(), (std::vector<int>{0, 1, 2, 4}));
    EXPECT_EQ(player.plays.size(), 1u);
    screen.Button5->click();
    EXPECT_EQ(lists.registered.Texts(), QStringList{"00.40000"});
}

TEST_F(PlayControllerTest, BothStopButtonsStopAndNothingFollows) {
    Panel().playModeItems[static_cast<int>(CutPlayMode::Continuous)]->click();
    for (QPushButton* stop : {Panel().Button2, controller.ColorBtn1}) {
        ClickRow(screen.ListBox_ALL, 0);
        const size_t plays = player.plays.size();
        ASSERT_TRUE(player.IsPlaying());
        stop->click();
        EXPECT_TRUE(flags.stopRequested);
        EXPECT_FALSE(controller.Timer8->isActive());
        Settle();
        EXPECT_EQ(player.plays.size(), plays) << stop->objectName().toStdString();
    }
}

TEST_F(PlayControllerTest, ReleasingTheCutBarPlaysFromThere) {
    PositionBarPanel* bar = Panel().Panel_PB_M;
    const int width = bar->width();
    test::SendMouse(bar, QEvent::MouseButtonPress, {10, 5});
    test::SendMouse(bar, QEvent::MouseMove, {width / 2, 5});
    // Dragged beyond the panel: limited to its width.
    test::SendMouse(bar, QEvent::MouseButtonRelease, {width + 50, 5});
    EXPECT_FALSE(bar->Dragging());
    const TimeMs scale = controller.Engine().Bars().ScaleMs(PositionBar::CutScreen);
    EXPECT_EQ(LastPlay().fromMs, std::min<TimeMs>(width * scale, kLengthMs));
}

// A click on the overview plays from the time under it: 10 ms a pixel for the 1 s file.
TEST_F(PlayControllerTest, OverviewClickPlaysFromItsTime) {
    OverviewStrip strip;
    strip.resize(100, 60);
    QObject::connect(&strip, &OverviewStrip::PlayFromRequested, &controller,
                     &PlayController::PlayFromTime);
    strip.SetFile(path);
    strip.WaitForEnvelope();
    Settle();
    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(77, 20));
    EXPECT_EQ(LastPlay().fromMs, 770);
}

TEST_F(PlayControllerTest, FileScreenChoicesReachTheEngine) {
    FilePanel().CheckBox_REP->setChecked(false);
    EXPECT_FALSE(Controls().repeat);
    FilePanel().ComboBox_TPM->setCurrentIndex(static_cast<int>(FileSpecialMode::Preview5x));
    EXPECT_EQ(Controls().fileSpecialMode, FileSpecialMode::Preview5x);
    FilePanel().introItems[0]->trigger();
    EXPECT_EQ(Controls().introIndex, 0);
    FilePanel().introItems[6]->trigger();
    EXPECT_EQ(Controls().introIndex, 6);
    EXPECT_EQ(FilePanel().ComboBox_TPM->itemText(1), IntroEntryCaption(6));
    EXPECT_EQ(FilePanel().P_TPM_I->title(), IntroMenuCaption(6));
    FilePanel().edgeItems[0]->trigger();
    EXPECT_EQ(FilePanel().ComboBox_TPM->itemText(2), EdgeEntryCaption(0));
    FilePanel().ChooseEdgeIndex(kFileModeSecondsCount);
    EXPECT_EQ(Controls().edgeIndex, 0) << "an index beyond the menu is refused";
    // "OFF" in ComboBox_PM stops a running play.
    ClickRow(screen.ListBox_ALL, 0);
    ASSERT_TRUE(player.IsPlaying());
    FilePanel().ComboBox_PM->setCurrentIndex(0);
    FilePanel().ComboBox_PM->activated(0);
    EXPECT_EQ(Controls().filePlayMode, FilePlayMode::Off);
    EXPECT_FALSE(player.IsOpen());
}

TEST_F(PlayControllerTest, FileButtonsStepThroughTheGivenList) {
    FilePanel().Btn_PLAY->click();
    EXPECT_TRUE(player.log.isEmpty() && host.messenger.calls.empty()) << "no lists, no file";
    test::FakePlayFileList fileList({"/a.wav", "/b.wav", "/c.wav"});
    test::FakePlayFileList memoryList;
    fileList.onClick = [&] { controller.Engine().PlayFileListClick(fileList); };
    controller.SetFileLists(&fileList, &memoryList);
    controller.SetFileScreenShown(true);
    fileList.selected = 2;
    FilePanel().Btn_Skip->click(); // past the end with REP: the first file
    EXPECT_EQ(fileList.selected, 0);
    FilePanel().Btn_BS->click();
    EXPECT_EQ(fileList.selected, 2);
    FilePanel().Btn_PLAY->click();
    EXPECT_EQ(fileList.clicks, 3);
    // The fake device knows none of these files: each click tried to open the selected one.
    EXPECT_TRUE(player.log.contains("open-failed /a.wav"));
}

TEST_F(PlayControllerTest, AutoPlayTimerPlaysTheCurrentIntervalLine) {
    lists.interval.SelectOnly(4);
    controller.StartAutoPlay();
    controller.Timer_PLAY->setInterval(0);
    Settle();
    EXPECT_EQ(LastPlay().fromMs, 40000);
}

TEST_F(PlayControllerTest, CutFileNameBoxShowsTheInformationBoxOnDoubleClick) {
    // Also after a play was stopped.
    Panel().Button2->click();
    test::SendMouse(controller.Edit_Fn, QEvent::MouseButtonDblClick);
    EXPECT_TRUE(host.messenger.Texts().value(0).startsWith("CUT_WAVファイル情報：\n\n" + path));
    // The query used its own device, not the player.
    EXPECT_TRUE(query.log.contains("open " + path));
    EXPECT_FALSE(player.log.contains("open " + path));
}

// --- the provisional cut file choice ---------------------------------------------------------

class CutFileOpenerTest : public PlayControllerTest {
protected:
    CutFileOpenerTest() : opener(controller, screen, host.messenger, &screen) {}
    CutFileOpener opener;
};

TEST_F(CutFileOpenerTest, ChosenFileBecomesTheCutFileWithItsLengthAndFamily) {
    const QString other = files.Write("side_b.wav", test::WavBuilder(8000, 1, 8).Silence(800));
    player.files[other] = query.files[other] = {25000, {8000, 8, 1}, false};
    // A stop pressed for the old file does not keep the new one from being described.
    flags.stopRequested = true;
    ASSERT_TRUE(opener.ChooseCutFile(other));
    EXPECT_FALSE(flags.stopRequested);
    EXPECT_EQ(lists.format.FileLengthMs(), 25000);
    EXPECT_EQ(Controls().cutFile, other);
    EXPECT_TRUE(opener.CutFileEightBit());
}

TEST_F(CutFileOpenerTest, PresetSetsThePlayModeUnlessOnlyAtStartup) {
    Panel().presetItems[4]->trigger(); // "スキップ"
    ASSERT_TRUE(opener.ChooseCutFile(path));
    EXPECT_EQ(Panel().PlayMode(), CutPlayMode::Zone);
    Panel().PM_START->trigger();
    ASSERT_TRUE(opener.ChooseCutFile(path));
    EXPECT_EQ(Controls().playMode, CutPlayMode::Skip);
}

TEST_F(CutFileOpenerTest, RefusedFilesKeepTheCutFileAndSayWhy) {
    EXPECT_FALSE(opener.ChooseCutFile(
        files.Write("mp3.wav", test::WavBuilder(44100, 2, 16).FormatTag(85).Silence(100))));
    EXPECT_EQ(host.messenger.Texts(), QStringList{"圧縮データは対象外です・・・GW"});
    // The reader accepts it but the device cannot open it.
    const QString unplayable = files.Write("odd.wav", test::WavBuilder(44100, 2, 16).Silence(100));
    EXPECT_FALSE(opener.ChooseCutFile(unplayable));
    EXPECT_EQ(host.messenger.calls.size(), 2u);
    opener.pickFile = [](QWidget*) { return QString(); };
    EXPECT_FALSE(opener.OpenWavFile()) << "cancelled";
    EXPECT_EQ(screen.CutFile(), path);
    EXPECT_EQ(lists.format.FileLengthMs(), kLengthMs);
}

} // namespace
} // namespace veskar
