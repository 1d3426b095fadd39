#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenu>

#include "core/cut/OutputNaming.h"
#include "core/host/SharedFlags.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/TimeListBox.h"
#include "support/FakeHost.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

using test::PressKey;
using test::SelectRows;
using test::Shown;

class CutScreenTest : public testing::Test {
protected:
    CutScreenTest() : screen(lists, host.messenger, host.pump, flags) {
        screen.resize(1100, 700);
        screen.SetCutFile("/music/live.wav", 3600000);
    }
    QStringList Tags() const { return lists.registered.Tags(); }

    TimeLists lists;
    test::FakeHost host;
    SharedFlags flags;
    CutScreen screen;
};

TEST_F(CutScreenTest, RegisterButtonsAndTheTimeFormShowWhatTheEngineHolds) {
    // "<登" of the equal-interval list with the default colour red, "録" of the 1 s list.
    screen.defaultColorItems[2]->trigger();
    SelectRows(screen.ListBox_ALL, {3});
    screen.Button_ALLT->click();
    screen.subdivideButtons[5]->click();
    SelectRows(screen.ListBox_1s, {4});
    screen.plainRegisterButtons[3]->click();
    EXPECT_EQ(lists.registered.Texts(), (QStringList{"00.30000", "00.32000"}));
    EXPECT_EQ(Tags(), (QStringList{"2", ""}));
    EXPECT_EQ(Shown(screen.ListBox_C), lists.registered.Texts());

    screen.MO_FUN->trigger();
    EXPECT_EQ(Shown(screen.ListBox_C), (QStringList{"0030000", "0032000"}));
    EXPECT_EQ(screen.ComboBox_TM->currentText(), "10s");
    EXPECT_EQ(Shown(screen.ListBox_ALL).value(360), "3600000");
    EXPECT_EQ(screen.ListBox_1s->model()->rowCount(), 0);
    EXPECT_EQ(screen.Label13->text(), lists.format.FormatPosition(3600000));
    EXPECT_TRUE(host.messenger.calls.empty());
}

TEST_F(CutScreenTest, DeleteButtonAndContinuousTargetSetThePlayModeThroughTheHook) {
    CutPlayMode playMode = CutPlayMode::Continuous;
    CutScreen::PlaybackHooks hooks;
    hooks.playMode = [&] { return playMode; };
    hooks.setPlayMode = [&](CutPlayMode mode) { playMode = mode; };
    screen.SetPlaybackHooks(hooks);
    lists.registered.Assign({"00.10000", "00.20000", "00.30000"}, {"1", "2", "3"});
    screen.RefreshLists();
    SelectRows(screen.ListBox_C, {1});
    screen.Button5->click();
    EXPECT_EQ(playMode, CutPlayMode::Zone);
    EXPECT_EQ(Shown(screen.ListBox_C), (QStringList{"00.10000", "00.30000"}));
    screen.continuousPanelItems[2]->trigger(); // "赤のみ"
    EXPECT_EQ(lists.startColors.continuousTarget, 2);
    EXPECT_EQ(playMode, CutPlayMode::Continuous);
}

TEST_F(CutScreenTest, RightClickMenuFollowsItsTarget) {
    ASSERT_TRUE(screen.MO_TSR_MUKOU->isChecked());
    screen.ListBox_CMouseDown(TimeListId::Interval, QPoint(5, 5));
    EXPECT_FALSE(screen.PopupMenu1->isVisible());
    screen.MO_TSR_MUKOU->trigger();
    screen.ListBox_CMouseDown(TimeListId::Level100ms, QPoint(5, 5));
    EXPECT_TRUE(screen.PopupMenu1->isVisible());
    screen.PopupMenu1->hide();
    EXPECT_EQ(screen.P_LIST_Name->text(), "100msリストのカット、メニュー(&X)");
    EXPECT_FALSE(screen.P_START0->menuAction()->isVisible());
    EXPECT_FALSE(screen.PCUT_N1->isVisible());
    lists.registered.Assign({"00.10000"}, {"1"});
    lists.registered.SelectOnly(0);
    screen.SetStartColor(3);
    EXPECT_EQ(Tags(), QStringList{"1"}) << "colours act on the registered list only";
    lists.startColors.continuousTarget = 4;
    screen.MO_ST_TM->trigger();
    screen.ListBox_CMouseDown(TimeListId::Registered, QPoint(5, 5));
    screen.PopupMenu1->hide();
    EXPECT_FALSE(screen.P_START0->menuAction()->isEnabled());
    EXPECT_FALSE(screen.P_RENZOKU0->menuAction()->isEnabled());
    EXPECT_TRUE(screen.P_BINRUI0->menuAction()->isEnabled());
    EXPECT_EQ(screen.P_RENZOKU0->title(), "連続再生対象選択　黄色のみ (&R)");
    screen.startColorItems[5]->trigger();
    EXPECT_EQ(Tags(), QStringList{"5"});
}

TEST_F(CutScreenTest, ClassificationNamesThroughTheInputBox) {
    std::optional<QString> answer = QString("ライブ");
    QStringList asked;
    screen.SetTextPrompt([&](const QString& title, const QString& text) {
        asked << title + "|" + text;
        return answer;
    });
    screen.classificationItems[5]->trigger();
    answer.reset();
    screen.classificationItems[5]->trigger();
    EXPECT_EQ(asked, (QStringList{ClassificationInputTitle() + "|Aqua",
                                  ClassificationInputTitle() + "|ライブ"}));
    EXPECT_EQ(lists.startColors.colorTagNames.value(5), "ライブ") << "cancel keeps the name";
    answer = QString("A/B");
    screen.classificationItems[5]->trigger();
    EXPECT_EQ(lists.startColors.colorTagNames.value(5), "ライブ");
    EXPECT_EQ(host.messenger.Texts(), QStringList{NamePartProblem("A/B")});
    emit screen.P_BINRUI0->aboutToShow();
    EXPECT_EQ(screen.classificationItems[5]->text(), "水色 > ライブ(&M)");
}

TEST_F(CutScreenTest, ClicksAndKeysMoveBetweenLinesAndLists) {
    test::ShowActive(&screen);
    std::pair<TimeListId, int> clicked{TimeListId::None, -1};
    QObject::connect(&screen, &CutScreen::LineClicked, [&](TimeListId list, int row) {
        clicked = {list, row};
    });
    test::ClickRow(screen.ListBox_ALL, 5);
    EXPECT_EQ(clicked, std::make_pair(TimeListId::Interval, 5));
    EXPECT_EQ(screen.LastClickedList(), TimeListId::Interval);
    EXPECT_EQ(lists.interval.SelectedIndexes(), std::vector<int>{5});
    screen.ListBox_ALL->setFocus();
    PressKey(screen.ListBox_ALL, Qt::Key_Down);
    EXPECT_EQ(clicked.second, 6) << "a navigation key clicks the line it reaches";

    // Ctrl+Right subdivides into the next finer list, Left goes back.
    SelectRows(screen.ListBox_ALL, {12});
    PressKey(screen.ListBox_ALL, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_1s);
    EXPECT_EQ(screen.ListBox_60s->currentIndex().data().toString(), "02.00000");

    SelectRows(screen.ListBox_1s, {4});
    PressKey(screen.ListBox_1s, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_100ms);
    EXPECT_EQ(screen.ListBox_100ms->currentIndex().data().toString(), "02.02000");
    PressKey(screen.ListBox_100ms, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_1s);
    screen.ListBox_60s->setFocus();
    PressKey(screen.ListBox_60s, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_60s);
    screen.ListBox_C->setFocus();
    PressKey(screen.ListBox_C, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_1s);
    EXPECT_EQ(host.messenger.Texts(), QStringList{"タイムがありません・・・"});
}

TEST_F(CutScreenTest, PlaybackHooksGiveThePositionAndTheSpecialMode) {
    screen.Label14->setText("12.34");
    screen.Btn_NT->click();
    EXPECT_EQ(lists.registered.Texts(), QStringList{"12.34000"}) << "the label stands in";

    CutScreen::PlaybackHooks hooks;
    hooks.queryPosition = [] { return std::optional<QString>("83456"); };
    hooks.specialMode = [] { return SpecialMode::EndProbe; };
    screen.SetPlaybackHooks(hooks);
    screen.Button_600s_CT->click();
    EXPECT_EQ(screen.ListBox_60s->currentIndex().data().toString(), "01.23456");
    screen.Btn_NTC->click();
    EXPECT_EQ(lists.registered.Texts(), (QStringList{"01.23456", "12.34000"}));
    SelectRows(screen.ListBox_10ms, {2});
    screen.subdivideButtons[0]->click(); // ">1ms" with the end probe: window ten steps earlier
    EXPECT_EQ(Shown(screen.ListBox_1ms).value(0), "01.23444");
}

TEST_F(CutScreenTest, IntervalChoiceAndOneMsPanel) {
    screen.ComboBox_TM->setCurrentIndex(0);
    screen.ComboBox_TMClick();
    EXPECT_EQ(screen.ListBox_ALL->model()->rowCount(), 3601);
    screen.Btn_1ms_ON->click();
    EXPECT_FALSE(screen.Panel_1ms->isHidden());
    screen.Btn_1ms_OFF->click();
    EXPECT_TRUE(screen.Panel_1ms->isHidden());
    for (QPushButton* button : screen.subdivideButtons) {
        EXPECT_TRUE(button->isEnabled()) << "enabled again after the subdivision";
    }
}

} // namespace
} // namespace veskar
