#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

#include "core/host/SharedFlags.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/TimeListBox.h"
#include "support/FakeHost.h"

namespace veskar {
namespace {

class CutScreenTest : public testing::Test {
protected:
    CutScreenTest() : screen(lists, host.messenger, host.pump, flags) {
        screen.resize(1100, 700);
        screen.SetCutFile("/music/live.wav", 3600000);
    }

    // Selects rows of a box as a user would, through the view's selection.
    static void SelectRows(TimeListBox* box, std::initializer_list<int> rows) {
        box->clearSelection();
        for (const int row : rows) {
            box->selectionModel()->select(box->model()->index(row, 0), QItemSelectionModel::Select);
        }
        box->selectionModel()->setCurrentIndex(box->model()->index(*rows.begin(), 0),
                                               QItemSelectionModel::NoUpdate);
    }
    static QStringList Shown(TimeListBox* box) {
        QStringList texts;
        for (int row = 0; row < box->model()->rowCount(); ++row) {
            texts.append(box->model()->index(row, 0).data().toString());
        }
        return texts;
    }
    static void Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QKeyEvent event(QEvent::KeyPress, key, modifiers);
        QApplication::sendEvent(target, &event);
    }
    // The colour at the right end of a row, where no text is drawn.
    static QColor RowColor(TimeListBox* box, int row) {
        const QRect rect = box->visualRect(box->model()->index(row, 0));
        const QImage image = box->viewport()->grab().toImage();
        return image.pixelColor(rect.right() - 2, rect.center().y());
    }
    void ShowActive() {
        screen.show();
        QApplication::setActiveWindow(&screen);
        QApplication::processEvents();
    }
    QStringList Texts() const { return lists.registered.Texts(); }
    QStringList Tags() const { return lists.registered.Tags(); }

    TimeLists lists;
    test::FakeHost host;
    SharedFlags flags;
    CutScreen screen;
};

TEST_F(CutScreenTest, RegisteredTimesAndTagsSurviveTwoModeSwitches) {
    ASSERT_TRUE(screen.MO_FUN->isChecked());
    ASSERT_EQ(screen.ComboBox_TM->currentText(), "10秒");

    // Two lines of the equal-interval list with the default colour red.
    screen.defaultColorItems[2]->trigger();
    SelectRows(screen.ListBox_ALL, {3, 7});
    screen.Button_ALLT->click();
    EXPECT_EQ(Texts(), (QStringList{"00.30000", "01.10000"}));
    EXPECT_EQ(Tags(), (QStringList{"2", "2"}));

    // Subdivide around 30 s and register two lines of the 1 s list without colour.
    SelectRows(screen.ListBox_ALL, {3});
    screen.subdivideButtons[5]->click();
    ASSERT_EQ(Shown(screen.ListBox_1s).value(2), "00.30000");
    SelectRows(screen.ListBox_1s, {4, 5});
    screen.plainRegisterButtons[3]->click();
    EXPECT_EQ(Texts(), (QStringList{"00.30000", "00.32000", "00.33000", "01.10000"}));
    EXPECT_EQ(Tags(), (QStringList{"2", "", "", "2"}));

    // Colour the two new lines aqua from the registered list's menu.
    screen.ListBox_CMouseDown(TimeListId::Registered, QPoint(10, 10));
    ASSERT_EQ(screen.PopupTargetList(), TimeListId::Registered);
    screen.PopupMenu1->hide();
    SelectRows(screen.ListBox_C, {1, 2});
    screen.startColorItems[5]->trigger();
    const QStringList tags = {"2", "5", "5", "2"};
    EXPECT_EQ(Tags(), tags);
    EXPECT_TRUE(host.messenger.calls.empty());

    screen.MO_FUN->trigger();
    EXPECT_FALSE(screen.MO_FUN->isChecked());
    EXPECT_EQ(Texts(), (QStringList{"0030000", "0032000", "0033000", "0070000"}));
    EXPECT_EQ(Shown(screen.ListBox_C), Texts());
    EXPECT_EQ(Tags(), tags);
    EXPECT_EQ(screen.ComboBox_TM->currentText(), "10s");
    EXPECT_EQ(Shown(screen.ListBox_ALL).value(360), "3600000");
    EXPECT_EQ(screen.ListBox_1s->model()->rowCount(), 0);

    screen.MO_FUN->trigger();
    EXPECT_EQ(Texts(), (QStringList{"00.30000", "00.32000", "00.33000", "01.10000"}));
    EXPECT_EQ(Shown(screen.ListBox_C), Texts());
    EXPECT_EQ(Tags(), tags);
    EXPECT_EQ(screen.ComboBox_TM->currentText(), "10秒");
    EXPECT_EQ(screen.Label13->text(), "60.00");
}

TEST_F(CutScreenTest, StartColoursAreDrawnOnlyWhileStartTimesAreOn) {
    lists.registered.Assign({"00.10000", "00.20000"}, {"5", ""});
    screen.RefreshLists();
    ShowActive();
    const QColor aqua(0, 255, 255);
    EXPECT_EQ(RowColor(screen.ListBox_C, 0), aqua);
    EXPECT_NE(RowColor(screen.ListBox_C, 1), aqua);

    screen.MO_ST_TM->trigger();
    EXPECT_FALSE(lists.startColors.startTimesEnabled);
    EXPECT_NE(RowColor(screen.ListBox_C, 0), aqua);
    EXPECT_EQ(Tags(), (QStringList{"5", ""})) << "tags stay while not drawn";

    screen.MO_ST_TM->trigger();
    EXPECT_EQ(RowColor(screen.ListBox_C, 0), aqua);

    // A selected coloured line keeps its colour.
    SelectRows(screen.ListBox_C, {0});
    EXPECT_EQ(RowColor(screen.ListBox_C, 0).rgb(), aqua.rgb());
}

TEST_F(CutScreenTest, RegisterButtonsTakeTheDefaultColour) {
    const QColor blue(0, 0, 255);
    screen.defaultColorItems[1]->trigger();
    EXPECT_EQ(lists.startColors.defaultStartColor, 1);
    for (QPushButton* button : {screen.Button_ALLT, screen.Btn_NT, screen.colorRegisterButtons[0],
                                screen.colorRegisterButtons[5]}) {
        EXPECT_EQ(button->palette().color(QPalette::Button), blue)
            << button->objectName().toStdString();
        EXPECT_EQ(button->palette().color(QPalette::ButtonText), QColor(Qt::white));
    }
    EXPECT_NE(screen.Btn_ALLTC->palette().color(QPalette::Button), blue);

    screen.MO_ST_TM->trigger();
    EXPECT_NE(screen.Button_ALLT->palette().color(QPalette::Button), blue);
    screen.MO_ST_TM->trigger();
    screen.defaultColorItems[0]->trigger();
    EXPECT_NE(screen.Button_ALLT->palette().color(QPalette::Button), blue);
}

TEST_F(CutScreenTest, FullRegisteredListTurnsRed) {
    QStringList full;
    for (int i = 0; i < RegisteredList::kMaxLines; ++i) {
        full.append(lists.format.FormatTime(i * 7 + 1));
    }
    lists.registered.Assign(full, {});
    screen.RefreshLists();
    EXPECT_NE(screen.ListBox_C->palette().color(QPalette::Base), QColor(Qt::red));

    SelectRows(screen.ListBox_ALL, {2});
    screen.Button_ALLT->click();
    EXPECT_EQ(screen.ListBox_C->palette().color(QPalette::Base), QColor(Qt::red));
    EXPECT_EQ(screen.ListBox_C->model()->rowCount(), RegisteredList::kMaxLines);
    EXPECT_EQ(host.messenger.Texts(), QStringList{"データを選択して下さい☆☆☆"});

    screen.SetCutFile("/music/next.wav", 60000);
    EXPECT_NE(screen.ListBox_C->palette().color(QPalette::Base), QColor(Qt::red));
}

TEST_F(CutScreenTest, DeletingForcesZoneThroughThePlaybackHook) {
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
    EXPECT_EQ(host.messenger.Texts(),
              QStringList{"「PLAY Mode」は「ゾーン」再生に、強制変更されました☆☆☆"});
    EXPECT_EQ(Shown(screen.ListBox_C), (QStringList{"00.10000", "00.30000"}));
    EXPECT_EQ(Tags(), (QStringList{"1", "3"}));
    EXPECT_EQ(screen.ListBox_C->currentIndex().row(), 1);

    SelectRows(screen.ListBox_C, {1});
    screen.Button5->click();
    EXPECT_FALSE(screen.ListBox_C->currentIndex().isValid());
    EXPECT_TRUE(screen.ListBox_C->selectionModel()->selectedIndexes().isEmpty());
}

TEST_F(CutScreenTest, ContinuousTargetFromThePanelMenu) {
    CutPlayMode playMode = CutPlayMode::End;
    CutScreen::PlaybackHooks hooks;
    hooks.setPlayMode = [&](CutPlayMode mode) { playMode = mode; };
    screen.SetPlaybackHooks(hooks);
    const QColor window = screen.Panel_RENZOKU->palette().color(QPalette::Window);

    screen.continuousPanelItems[2]->trigger(); // "赤のみ"
    EXPECT_EQ(screen.continuousPanelItems[2]->text(), "赤のみ(&R)");
    EXPECT_EQ(lists.startColors.continuousTarget, 2);
    EXPECT_EQ(playMode, CutPlayMode::Continuous);
    EXPECT_EQ(screen.Panel_RENZOKU->palette().color(QPalette::Window), QColor(255, 0, 0));

    screen.MO_ST_TM->trigger();
    EXPECT_EQ(screen.Panel_RENZOKU->palette().color(QPalette::Window), window);
    screen.MO_ST_TM->trigger();
    screen.continuousItems[0]->trigger();
    EXPECT_EQ(screen.Panel_RENZOKU->palette().color(QPalette::Window), window);
}

TEST_F(CutScreenTest, RightClickMenuFollowsItsTarget) {
    ASSERT_TRUE(screen.MO_TSR_MUKOU->isChecked());
    screen.ListBox_CMouseDown(TimeListId::Interval, QPoint(5, 5));
    EXPECT_FALSE(screen.PopupMenu1->isVisible());
    EXPECT_EQ(screen.PopupTargetList(), TimeListId::None);

    screen.MO_TSR_MUKOU->trigger();
    screen.ListBox_CMouseDown(TimeListId::Level100ms, QPoint(5, 5));
    EXPECT_TRUE(screen.PopupMenu1->isVisible());
    screen.PopupMenu1->hide();
    EXPECT_EQ(screen.P_LIST_Name->text(), "100msリストのカット、メニュー(&X)");
    EXPECT_FALSE(screen.P_START0->menuAction()->isVisible());
    EXPECT_FALSE(screen.P_ST_CLR->isVisible());
    EXPECT_FALSE(screen.P_BINRUI0->menuAction()->isVisible());
    EXPECT_FALSE(screen.PCUT_N1->isVisible());

    lists.registered.Assign({"00.10000"}, {"1"});
    lists.registered.SelectOnly(0);
    screen.SetStartColor(3);
    EXPECT_EQ(Tags(), QStringList{"1"}) << "colours act on the registered list only";

    lists.startColors.continuousTarget = 4;
    screen.ListBox_CMouseDown(TimeListId::Registered, QPoint(5, 5));
    screen.PopupMenu1->hide();
    EXPECT_EQ(screen.P_LIST_Name->text(), "登録リストのカット、メニュー(&X)");
    EXPECT_TRUE(screen.P_START0->menuAction()->isVisible());
    EXPECT_TRUE(screen.P_START0->menuAction()->isEnabled());
    EXPECT_EQ(screen.P_RENZOKU0->title(), "連続再生対象選択　黄色のみ (&R)");

    screen.MO_ST_TM->trigger();
    screen.ListBox_CMouseDown(TimeListId::Registered, QPoint(5, 5));
    screen.PopupMenu1->hide();
    EXPECT_TRUE(screen.P_START0->menuAction()->isVisible());
    EXPECT_FALSE(screen.P_START0->menuAction()->isEnabled());
    EXPECT_FALSE(screen.P_ST_CLR->isEnabled());
    EXPECT_FALSE(screen.P_RENZOKU0->menuAction()->isEnabled());
    EXPECT_TRUE(screen.P_BINRUI0->menuAction()->isEnabled());

    flags.errorBoxOpen = true;
    screen.ListBox_CMouseDown(TimeListId::Interval, QPoint(5, 5));
    EXPECT_FALSE(screen.PopupMenu1->isVisible());
    EXPECT_EQ(screen.PopupTargetList(), TimeListId::Registered);
}

TEST_F(CutScreenTest, ClassificationNamesThroughTheInputBox) {
    QString askedTitle;
    QString askedText;
    std::optional<QString> answer = QString("ライブ");
    screen.SetTextPrompt([&](const QString& title, const QString& text) {
        askedTitle = title;
        askedText = text;
        return answer;
    });
    screen.classificationItems[5]->trigger();
    EXPECT_EQ(askedTitle, ClassificationInputTitle());
    EXPECT_EQ(askedText, "Aqua");
    EXPECT_EQ(lists.startColors.colorTagNames.value(5), "ライブ");

    answer.reset();
    screen.classificationItems[5]->trigger();
    EXPECT_EQ(lists.startColors.colorTagNames.value(5), "ライブ");

    emit screen.P_BINRUI0->aboutToShow();
    EXPECT_EQ(screen.classificationItems[5]->text(), "水色 > ライブ(&M)");
    EXPECT_EQ(screen.classificationItems[0]->text(), "無印 > (&N)");
}

TEST_F(CutScreenTest, KeyboardMovesBetweenListsAndSubdivides) {
    ShowActive();
    screen.ListBox_ALL->setFocus();
    SelectRows(screen.ListBox_ALL, {12});
    Press(screen.ListBox_ALL, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_1s);
    EXPECT_EQ(lists.subdivisions[5].Text(lists.subdivisions[5].Current()), "02.00000");
    EXPECT_EQ(screen.ListBox_ALL->currentIndex().row(), 12);

    SelectRows(screen.ListBox_1s, {4});
    Press(screen.ListBox_1s, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_100ms);
    EXPECT_EQ(Shown(screen.ListBox_100ms).value(2), "02.02000");
    EXPECT_EQ(screen.ListBox_1s->currentIndex().row(), 4);

    Press(screen.ListBox_100ms, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_1s);
    Press(screen.ListBox_1s, Qt::Key_Right);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_100ms);

    screen.ListBox_60s->setFocus();
    Press(screen.ListBox_60s, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_60s);

    screen.ListBox_C->setFocus();
    Press(screen.ListBox_C, Qt::Key_Left);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_C);
    Press(screen.ListBox_C, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(QApplication::focusWidget(), screen.ListBox_1s);
    EXPECT_EQ(host.messenger.Texts(), QStringList{"タイムがありません・・・"});
}

TEST_F(CutScreenTest, PositionLabelStandsInForTheQuery) {
    screen.Label14->setText("12.34");
    screen.Button_600s_CT->click();
    EXPECT_EQ(lists.subdivisions[0].Text(lists.subdivisions[0].Current()), "12.34000");
    EXPECT_EQ(screen.ListBox_60s->currentIndex().data().toString(), "12.34000");
    screen.Btn_NT->click();
    EXPECT_EQ(Texts(), QStringList{"12.34000"});

    CutScreen::PlaybackHooks hooks;
    hooks.queryPosition = [] { return std::optional<QString>("83456"); };
    hooks.specialMode = [] { return SpecialMode::EndProbe; };
    screen.SetPlaybackHooks(hooks);
    screen.Btn_NTC->click();
    EXPECT_EQ(Texts(), (QStringList{"01.23456", "12.34000"}));
    SelectRows(screen.ListBox_10ms, {3});
    screen.subdivideButtons[0]->click(); // ">1ms" with the end probe: window ten steps earlier
    EXPECT_EQ(Shown(screen.ListBox_1ms).value(0), "12.33998"); // 754010 - 10 - 2
}

TEST_F(CutScreenTest, IntervalChoiceAndOneMsPanel) {
    screen.ComboBox_TM->setCurrentIndex(0);
    screen.ComboBox_TMClick();
    EXPECT_EQ(screen.ListBox_ALL->model()->rowCount(), 3601);
    EXPECT_EQ(lists.intervalMs, 1000);

    EXPECT_TRUE(screen.Panel_1ms->isHidden());
    screen.Btn_1ms_ON->click();
    EXPECT_FALSE(screen.Panel_1ms->isHidden());
    EXPECT_EQ(host.messenger.Texts(), QStringList{"タイムがありません・・・"});
    screen.Btn_1ms_OFF->click();
    EXPECT_TRUE(screen.Panel_1ms->isHidden());
    for (QPushButton* button : screen.subdivideButtons) {
        EXPECT_TRUE(button->isEnabled());
    }
}

TEST_F(CutScreenTest, ClickingALineTellsWhichListAndRow) {
    ShowActive();
    TimeListId clickedList = TimeListId::None;
    int clickedRow = -1;
    QObject::connect(&screen, &CutScreen::LineClicked, [&](TimeListId list, int row) {
        clickedList = list;
        clickedRow = row;
    });
    const QPoint at =
        screen.ListBox_ALL->visualRect(screen.ListBox_ALL->model()->index(5, 0)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, screen.ListBox_ALL->viewport()->mapToGlobal(at),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at,
                        screen.ListBox_ALL->viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(screen.ListBox_ALL->viewport(), &press);
    QApplication::sendEvent(screen.ListBox_ALL->viewport(), &release);
    EXPECT_EQ(clickedList, TimeListId::Interval);
    EXPECT_EQ(clickedRow, 5);
    EXPECT_EQ(screen.LastClickedList(), TimeListId::Interval);
    EXPECT_EQ(lists.interval.SelectedIndexes(), std::vector<int>{5});
    EXPECT_EQ(lists.interval.Current(), 5);

    screen.ListBox_ALL->setFocus();
    Press(screen.ListBox_ALL, Qt::Key_Down);
    EXPECT_EQ(clickedRow, 6);
    EXPECT_EQ(lists.interval.Current(), 6);
}

} // namespace
} // namespace veskar
