#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include "core/host/SharedFlags.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/PlayController.h"
#include "gui/main/PositionBarPanel.h"
#include "support/FakeHost.h"
#include "support/FakePlayFileList.h"
#include "support/FakeWaveDevice.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

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

    void ClickRow(TimeListBox* box, int row) {
        const QPoint at = box->visualRect(box->model()->index(row, 0)).center();
        const QPoint global = box->viewport()->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton,
                          Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton,
                            Qt::NoModifier);
        QApplication::sendEvent(box->viewport(), &press);
        QApplication::sendEvent(box->viewport(), &release);
    }
    static void Mouse(QWidget* target, QEvent::Type type, int x) {
        const QPoint at(x, target->height() / 2);
        QMouseEvent event(type, at, target->mapToGlobal(at), Qt::LeftButton,
                          type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton,
                          Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    // Lets the device's queued completion reach the engine.
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

TEST_F(PlayControllerTest, ClickOnIntervalLinePlaysItsZoneAndShowsPosition) {
    ASSERT_EQ(Panel().PlayMode(), CutPlayMode::Zone);
    ClickRow(screen.ListBox_ALL, 2);

    ASSERT_EQ(player.plays.size(), 1u);
    EXPECT_EQ(LastPlay().path, path);
    EXPECT_EQ(LastPlay().fromMs, 20000);
    EXPECT_EQ(LastPlay().toMs, 30000);
    EXPECT_EQ(controller.Engine().Request().source.lines->Current(), 2);

    const QString position = lists.format.FormatPosition(20000);
    EXPECT_NE(position, "0");
    EXPECT_EQ(screen.Label14->text(), position);
    EXPECT_EQ(FilePanel().Label2->text(), position);
    EXPECT_EQ(screen.Label13->text(), lists.format.FormatPosition(kLengthMs));
    EXPECT_EQ(FilePanel().Label1->text(), screen.Label13->text());
    EXPECT_TRUE(FilePanel().Edit_File_Disp->text().startsWith(path + QString(10, ' ') +
                                                              "44100 / 16 / stereo"));
    EXPECT_TRUE(controller.Timer8->isActive());

    // The cut bar shows the position on the scale of its own panel.
    const int panelWidth = Panel().Panel_PB_M->width();
    ASSERT_GT(panelWidth, 1);
    EXPECT_EQ(Controls().barPanelWidths[static_cast<int>(PositionBar::CutScreen)], panelWidth);
    const TimeMs scale = controller.Engine().Bars().ScaleMs(PositionBar::CutScreen);
    EXPECT_EQ(Panel().Panel_PB_M->BarWidth(), qRound(20000.0 / scale));

    // A poll moves labels and bar on.
    player.position = 40000;
    controller.Timer8->setInterval(1);
    QElapsedTimer clock;
    clock.start();
    while (screen.Label14->text() == position && clock.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    EXPECT_EQ(screen.Label14->text(), lists.format.FormatPosition(40000));
    EXPECT_EQ(Panel().Panel_PB_M->BarWidth(), qRound(40000.0 / scale));
}

TEST_F(PlayControllerTest, PlayModeChoicesReachTheEngine) {
    const CutPlayMode modes[] = {CutPlayMode::End, CutPlayMode::Continuous, CutPlayMode::Skip,
                                 CutPlayMode::Repeat, CutPlayMode::Zone};
    for (const CutPlayMode mode : modes) {
        Panel().playModeItems[static_cast<int>(mode)]->click();
        EXPECT_EQ(Controls().playMode, mode);
    }
    Panel().playModeItems[static_cast<int>(CutPlayMode::End)]->click();
    ClickRow(screen.ListBox_ALL, 1);
    EXPECT_EQ(LastPlay().fromMs, 10000);
    EXPECT_EQ(LastPlay().toMs, kLengthMs);

    // "OFF" stops what plays and a click plays nothing.
    Panel().playModeItems[static_cast<int>(CutPlayMode::Off)]->click();
    EXPECT_EQ(Controls().playMode, CutPlayMode::Off);
    EXPECT_EQ(player.log.last(), "close");
    EXPECT_FALSE(controller.Timer8->isActive());
    ClickRow(screen.ListBox_ALL, 3);
    EXPECT_EQ(player.plays.size(), 1u);
}

TEST_F(PlayControllerTest, SpecialModesAndTheirLengthMenusReachTheEngine) {
    Panel().specialModeItems[static_cast<int>(SpecialMode::StartProbe)]->click();
    EXPECT_EQ(Controls().specialMode, SpecialMode::StartProbe);
    ClickRow(screen.ListBox_ALL, 1);
    EXPECT_EQ(LastPlay().fromMs, 10000);
    EXPECT_EQ(LastPlay().toMs, 10500);

    // PT_ST5 item 11 is 3 s: the mode's caption and the length follow.
    Panel().probeItems[static_cast<int>(ProbeMenu::Start)][11]->trigger();
    EXPECT_EQ(Controls().probes.startMs, 3000);
    EXPECT_EQ(Panel().specialModeItems[0]->text(), "S 3s");
    EXPECT_EQ(Panel().probeMenus[0]->title(), "S 3s");
    EXPECT_TRUE(Panel().probeItems[0][11]->isChecked());
    EXPECT_FALSE(Panel().probeItems[0][5]->isChecked());
    ClickRow(screen.ListBox_ALL, 1);
    EXPECT_EQ(LastPlay().toMs, 13000);

    // "end　5" with 200 ms (item 2 of PT_EN5) plays up to the line.
    Panel().probeItems[static_cast<int>(ProbeMenu::End)][2]->trigger();
    Panel().specialModeItems[static_cast<int>(SpecialMode::EndProbe)]->click();
    EXPECT_EQ(Panel().specialModeItems[1]->text(), "E 200");
    ClickRow(screen.ListBox_ALL, 3);
    EXPECT_EQ(LastPlay().fromMs, 29800);
    EXPECT_EQ(LastPlay().toMs, 30000);

    // The cut screen reads the same choice for its subdivisions.
    Panel().probeItems[static_cast<int>(ProbeMenu::SilentEnd)][0]->trigger();
    EXPECT_EQ(Panel().specialModeItems[2]->text(), "無E50 ");
    EXPECT_EQ(Controls().probes.silentEndMs, 50);
}

TEST_F(PlayControllerTest, ContinuationMovesTheSelectionOfTheBox) {
    Panel().playModeItems[static_cast<int>(CutPlayMode::Skip)]->click();
    ClickRow(screen.ListBox_ALL, 0);
    EXPECT_EQ(LastPlay().fromMs, 0);
    EXPECT_EQ(LastPlay().toMs, 1000);

    player.Finish(PlayResult::Successful);
    Settle();
    ASSERT_EQ(player.plays.size(), 2u);
    EXPECT_EQ(LastPlay().fromMs, 10000);
    EXPECT_EQ(LastPlay().toMs, 11000);
    EXPECT_EQ(screen.ListBox_ALL->currentIndex().row(), 1);
    EXPECT_EQ(screen.ListBox_ALL->selectionModel()->selectedRows().size(), 1);
}

TEST_F(PlayControllerTest, BothStopButtonsStopAndNothingFollows) {
    Panel().playModeItems[static_cast<int>(CutPlayMode::Continuous)]->click();
    for (QPushButton* stop : {Panel().Button2, controller.ColorBtn1}) {
        ClickRow(screen.ListBox_ALL, 0);
        const size_t plays = player.plays.size();
        ASSERT_TRUE(player.IsPlaying());
        stop->click();
        EXPECT_TRUE(flags.stopRequested);
        EXPECT_FALSE(player.IsPlaying());
        EXPECT_FALSE(player.IsOpen());
        EXPECT_FALSE(controller.Timer8->isActive());
        Settle();
        EXPECT_EQ(player.plays.size(), plays) << stop->objectName().toStdString();
    }
    EXPECT_EQ(Panel().Button2->text(), "停 止");
    EXPECT_EQ(controller.ColorBtn1->text(), "停止");
}

TEST_F(PlayControllerTest, ReleasingTheCutBarPlaysFromThere) {
    QWidget* bar = Panel().Panel_PB_M;
    const int width = bar->width();
    ASSERT_GT(width, 100);
    Mouse(bar, QEvent::MouseButtonPress, 10);
    Mouse(bar, QEvent::MouseMove, width / 2);
    EXPECT_TRUE(Panel().Panel_PB_M->Dragging());
    EXPECT_EQ(Panel().Panel_PB_M->BarWidth(), width / 2);
    // Dragged beyond the panel: limited to its width.
    Mouse(bar, QEvent::MouseButtonRelease, width + 50);
    EXPECT_FALSE(Panel().Panel_PB_M->Dragging());
    ASSERT_EQ(player.plays.size(), 1u);
    const TimeMs scale = controller.Engine().Bars().ScaleMs(PositionBar::CutScreen);
    EXPECT_EQ(LastPlay().fromMs, std::min<TimeMs>(width * scale, kLengthMs));
    EXPECT_EQ(LastPlay().toMs, kLengthMs);
}

TEST_F(PlayControllerTest, FileScreenChoicesReachTheEngine) {
    EXPECT_EQ(Controls().filePlayMode, FilePlayMode::Sequential);
    EXPECT_TRUE(Controls().repeat);
    FilePanel().CheckBox_REP->setChecked(false);
    EXPECT_FALSE(Controls().repeat);
    FilePanel().ComboBox_TPM->setCurrentIndex(static_cast<int>(FileSpecialMode::Preview5x));
    EXPECT_EQ(Controls().fileSpecialMode, FileSpecialMode::Preview5x);

    // Seconds of the intro and the edges rename their entries and submenus.
    FilePanel().introItems[6]->trigger();
    EXPECT_EQ(Controls().introIndex, 6);
    EXPECT_EQ(FilePanel().ComboBox_TPM->itemText(1), "イントロ4");
    EXPECT_EQ(FilePanel().P_TPM_I->title(), "イントロ4(&I)");
    FilePanel().edgeItems[0]->trigger();
    EXPECT_EQ(Controls().edgeIndex, 0);
    EXPECT_EQ(FilePanel().ComboBox_TPM->itemText(2), "前後 30s");
    EXPECT_EQ(FilePanel().ComboBox_TPM->currentIndex(),
              static_cast<int>(FileSpecialMode::Preview5x));

    // "OFF" in ComboBox_PM stops a running play.
    ClickRow(screen.ListBox_ALL, 0);
    ASSERT_TRUE(player.IsPlaying());
    FilePanel().ComboBox_PM->setCurrentIndex(0);
    FilePanel().ComboBox_PM->activated(0);
    EXPECT_EQ(Controls().filePlayMode, FilePlayMode::Off);
    EXPECT_FALSE(player.IsOpen());
}

TEST_F(PlayControllerTest, FileButtonsWithoutFilesPlayNothingInEveryMode) {
    controller.SetFileScreenShown(true);
    for (int mode = 0; mode < FilePanel().ComboBox_PM->count(); ++mode) {
        FilePanel().ComboBox_PM->setCurrentIndex(mode);
        FilePanel().ComboBox_PM->activated(mode);
        FilePanel().Btn_PLAY->click();
        FilePanel().Btn_BS->click();
        FilePanel().Btn_Skip->click();
    }
    EXPECT_TRUE(player.plays.empty());
    EXPECT_TRUE(host.messenger.calls.empty());
}

TEST_F(PlayControllerTest, FileButtonsStepThroughTheGivenList) {
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
    FilePanel().CheckBox_REP->setChecked(false);
    FilePanel().Btn_Skip->click(); // without REP the file stays
    EXPECT_EQ(fileList.selected, 2);
    FilePanel().Btn_PLAY->click();
    EXPECT_EQ(fileList.clicks, 4);
    // The fake device knows none of these files: each click tried to open the selected one.
    EXPECT_TRUE(player.log.contains("open-failed /a.wav"));
    EXPECT_TRUE(player.log.contains("open-failed /c.wav"));
}

TEST_F(PlayControllerTest, AutoPlayTimerPlaysTheCurrentIntervalLine) {
    lists.interval.SelectOnly(4);
    controller.StartAutoPlay();
    EXPECT_TRUE(controller.Timer_PLAY->isActive());
    EXPECT_TRUE(controller.Timer_PLAY->isSingleShot());
    QElapsedTimer clock;
    clock.start();
    while (player.plays.empty() && clock.elapsed() < 3000) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    ASSERT_EQ(player.plays.size(), 1u);
    EXPECT_EQ(LastPlay().fromMs, 40000);
}

TEST_F(PlayControllerTest, CutFileNameBoxShowsTheInformationBoxOnDoubleClick) {
    EXPECT_EQ(controller.Edit_Fn->text(), "live.wav");
    const QPoint at(5, 5);
    QMouseEvent dbl(QEvent::MouseButtonDblClick, at, controller.Edit_Fn->mapToGlobal(at),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(controller.Edit_Fn, &dbl);
    ASSERT_EQ(host.messenger.calls.size(), 1u);
    const QString text = host.messenger.calls[0].text;
    EXPECT_TRUE(text.startsWith("CUT_WAVファイル情報：\n\n" + path + "\n")) << text.toStdString();
    EXPECT_TRUE(text.endsWith("rate/bit/channel : 44100 / 16 / stereo")) << text.toStdString();
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

TEST_F(CutFileOpenerTest, ChosenFileBecomesTheCutFileWithItsLength) {
    const QString other = files.Write("side_b.wav", test::WavBuilder(8000, 1, 8).Silence(800));
    player.files[other] = {25000, {8000, 8, 1}, false};
    query.files[other] = {25000, {8000, 8, 1}, false};
    opener.pickFile = [&](QWidget*) { return other; };
    // A stop pressed for the old file does not keep the new one from being described.
    flags.stopRequested = true;

    ASSERT_TRUE(opener.OpenWavFile());
    EXPECT_FALSE(flags.stopRequested);
    EXPECT_TRUE(query.log.contains("open " + other));
    EXPECT_EQ(screen.CutFile(), other);
    EXPECT_EQ(lists.format.FileLengthMs(), 25000);
    EXPECT_EQ(screen.Label13->text(), lists.format.FormatPosition(25000));
    EXPECT_EQ(Controls().cutFile, other);
    EXPECT_EQ(controller.Edit_Fn->text(), "side_b.wav");
    EXPECT_TRUE(opener.CutFileEightBit());
    EXPECT_TRUE(host.messenger.calls.empty());
}

TEST_F(CutFileOpenerTest, PresetSetsThePlayModeUnlessOnlyAtStartup) {
    Panel().presetItems[4]->trigger(); // "スキップ"
    EXPECT_TRUE(Panel().PM_START->isChecked());
    ASSERT_TRUE(opener.ChooseCutFile(path));
    EXPECT_EQ(Panel().PlayMode(), CutPlayMode::Zone);

    Panel().PM_START->trigger();
    ASSERT_TRUE(opener.ChooseCutFile(path));
    EXPECT_EQ(Panel().PlayMode(), CutPlayMode::Skip);
    EXPECT_EQ(Controls().playMode, CutPlayMode::Skip);
}

TEST_F(CutFileOpenerTest, RefusedFilesKeepTheCutFileAndSayWhy) {
    const QString compressed =
        files.Write("mp3.wav", test::WavBuilder(44100, 2, 16).FormatTag(85).Silence(100));
    opener.pickFile = [&](QWidget*) { return compressed; };
    EXPECT_FALSE(opener.OpenWavFile());
    ASSERT_EQ(host.messenger.calls.size(), 1u);
    EXPECT_EQ(host.messenger.calls[0].text, "圧縮データは対象外です・・・GW");

    // The reader accepts it but the device cannot open it.
    const QString unplayable = files.Write("odd.wav", test::WavBuilder(44100, 2, 16).Silence(100));
    EXPECT_FALSE(opener.ChooseCutFile(unplayable));
    ASSERT_EQ(host.messenger.calls.size(), 2u);
    EXPECT_EQ(host.messenger.calls[1].text,
              "再生エラー：" + unplayable + "\n" + " オープンに失敗しました。");

    EXPECT_EQ(screen.CutFile(), path);
    EXPECT_EQ(lists.format.FileLengthMs(), kLengthMs);

    opener.pickFile = [](QWidget*) { return QString(); };
    EXPECT_FALSE(opener.OpenWavFile());
    EXPECT_EQ(screen.CutFile(), path);
}

} // namespace
} // namespace veskar
