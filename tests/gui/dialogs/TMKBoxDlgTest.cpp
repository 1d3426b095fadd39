#include <gtest/gtest.h>

#include <vector>

#include <QAction>
#include <QClipboard>
#include <QFrame>
#include <QLabel>

#include "gui/dialogs/GuiMessenger.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

using test::OnNextBox;

class TMKBoxDlgTest : public ::testing::Test {
protected:
    TMKBoxDlgTest() {
        dlg.SetTimerCount(3);
        dlg.SetERTimerCount(4);
    }
    void TearDown() override { test::CloseAllDialogs(); }

    TMKBoxDlg dlg;
    GuiMessenger messenger{dlg};
};

TEST_F(TMKBoxDlgTest, EleventhOpenBoxReturnsZeroAndShowsNothing) {
    dlg.SetTimer(false);
    int answeredOk = 0;
    std::function<void(int)> open = [&](int level) {
        OnNextBox(dlg, [&, level](TMKBox*, int) {
            if (level + 1 < TMKBoxDlg::kSlots) {
                open(level + 1);
                return;
            }
            EXPECT_EQ(dlg.AskTimedQuestion("十一個目", Messenger::Yes), Messenger::None);
            EXPECT_EQ(test::VisibleCount<TMKBox>(), TMKBoxDlg::kSlots);
            for (int i = TMKBoxDlg::kSlots - 1; i >= 0; --i) {
                dlg.Form(i)->Btn_OK->click();
            }
        });
        answeredOk += messenger.ShowMessage(QString("箱 %1").arg(level)) == Messenger::Ok;
    };
    open(0);
    EXPECT_EQ(answeredOk, TMKBoxDlg::kSlots);
    for (int i = 0; i < TMKBoxDlg::kSlots; ++i) {
        EXPECT_FALSE(dlg.SlotInUse(i)) << i;
    }
}

struct CountdownCase {
    const char* name;
    std::function<int(Messenger&)> call;
    TMKBox::Kind kind;
    int seconds;           // the countdown's start
    QStringList buttons;   // visible answer buttons, in order
    const char* barButton; // the button under the red bar
    int expected;          // what the call returns once the countdown has run out
};

class CountdownTest : public TMKBoxDlgTest, public ::testing::WithParamInterface<CountdownCase> {};

// The checks inside the actions run in the box's modal loop; the result shows they ran.
TEST_P(CountdownTest, RunsOutToTheCallersDefault) {
    const CountdownCase& c = GetParam();
    OnNextBox(dlg, [&](TMKBox* box, int slot) {
        EXPECT_EQ(dlg.SlotKind(slot), c.kind);
        EXPECT_EQ(dlg.SlotStartText(slot), QString::number(c.seconds));
        QStringList visible;
        for (QPushButton* b : {box->Btn_OK, box->Btn_Yes, box->Btn_No, box->Btn_Abort}) {
            if (b->isVisible()) {
                visible << b->objectName();
            }
        }
        EXPECT_EQ(visible, c.buttons);
        EXPECT_TRUE(box->Label_Select->isVisible() && box->Btn_TM_STOP->isVisible());
        EXPECT_EQ(box->DefaultButton()->objectName(), c.barButton);
        for (int tick = 1; tick < c.seconds; ++tick) {
            box->Timer1Timer();
        }
        EXPECT_TRUE(box->isVisible());
        EXPECT_EQ(box->Label_TM->text(), "1秒");
        box->Timer1Timer();
    });
    EXPECT_EQ(c.call(messenger), c.expected);
    EXPECT_FALSE(dlg.SlotInUse(0));
}

const QStringList kOk{"Btn_OK"};
const QStringList kYesNo{"Btn_Yes", "Btn_No"};
const QStringList kOkAbort{"Btn_OK", "Btn_Abort"};
const QStringList kYesNoAbort{"Btn_Yes", "Btn_No", "Btn_Abort"};
using K = TMKBox::Kind;

INSTANTIATE_TEST_SUITE_P(
    Operations, CountdownTest,
    ::testing::Values(
        CountdownCase{"TimedMessageOk", [](Messenger& m) { return m.ShowTimedMessage("t", 1); },
                      K::Timed, 3, kOk, "Btn_OK", 1},
        CountdownCase{"TimedQuestionNo", [](Messenger& m) { return m.AskTimedQuestion("t", 7); },
                      K::Timed, 3, kYesNo, "Btn_No", 7},
        CountdownCase{"TimedQuestionAbortOnFirstButton",
                      [](Messenger& m) { return m.AskTimedQuestion("t", 3); }, K::Timed, 3, kYesNo,
                      "Btn_Yes", 3},
        CountdownCase{"ErrorAbort", [](Messenger& m) { return m.ShowError("t", 3); }, K::Error, 4,
                      kOkAbort, "Btn_Abort", 3},
        CountdownCase{"ErrorCancelOnFirstButton", [](Messenger& m) { return m.ShowError("t", 2); },
                      K::Error, 4, kOkAbort, "Btn_OK", 2},
        CountdownCase{"ErrorQuestionAbort", [](Messenger& m) { return m.AskErrorQuestion("t", 3); },
                      K::Error, 4, kYesNoAbort, "Btn_Abort", 3},
        CountdownCase{"ErrorForOwnSeconds", [](Messenger& m) { return m.ShowErrorFor("t", 2, 1); },
                      K::Error, 2, kOkAbort, "Btn_OK", 1}),
    [](const ::testing::TestParamInfo<CountdownCase>& info) { return info.param.name; });

TEST_F(TMKBoxDlgTest, PauseAndResumeGoOnFromTheRemainingSeconds) {
    dlg.SetTimerCount(5);
    OnNextBox(dlg, [](TMKBox* box, int) {
        for (int tick = 0; tick < 2; ++tick) {
            box->Timer1Timer();
        }
        box->Btn_TM_STOP->click();
        EXPECT_FALSE(box->CountdownRunning());
        EXPECT_FALSE(box->Btn_TM_STOP->isVisible());
        box->Btn_TM_OPEN->click();
        EXPECT_TRUE(box->CountdownRunning());
        EXPECT_TRUE(box->Btn_TM_STOP->isVisible());
        EXPECT_EQ(box->Remaining(), 3);
        box->Timer1Timer();
        EXPECT_EQ(box->Label_TM->text(), "2秒");
        while (box->isVisible()) {
            box->Timer1Timer();
        }
    });
    EXPECT_EQ(dlg.AskTimedQuestion("続けますか？", Messenger::Yes), Messenger::Yes);
}

// Which boxes count down: a plain message never, timed boxes with Timer, error boxes with
// ERTimer. A box without a countdown waits for its button.
TEST_F(TMKBoxDlgTest, CountdownFollowsTheTimerSwitchOfItsKind) {
    struct Case {
        bool timer, erTimer;
        std::function<int()> call;
        bool countdown;
    };
    const Case cases[] = {
        {true, true, [&] { return dlg.ShowMessage("フォルダーを登録しました"); }, false},
        {false, true, [&] { return dlg.AskTimedQuestion("q", Messenger::No); }, false},
        {false, true, [&] { return dlg.ShowError("e", Messenger::Abort); }, true},
        {true, false, [&] { return dlg.ShowError("e", Messenger::Abort); }, false},
    };
    for (const Case& c : cases) {
        dlg.SetTimer(c.timer);
        dlg.SetERTimer(c.erTimer);
        OnNextBox(dlg, [&](TMKBox* box, int slot) {
            EXPECT_EQ(dlg.SlotCountdown(slot) && box->CountdownRunning(), c.countdown);
            EXPECT_EQ(box->Btn_TM_STOP->isVisible() && box->Label_TM->isVisible() &&
                          box->Label_Select->isVisible(),
                      c.countdown);
            (box->Btn_OK->isVisible() ? box->Btn_OK : box->Btn_Yes)->click();
        });
        const int result = c.call();
        EXPECT_TRUE(result == Messenger::Ok || result == Messenger::Yes);
    }
}

TEST_F(TMKBoxDlgTest, ClosingTheWindowAnswersCancel) {
    OnNextBox(dlg, [](TMKBox* box, int) { box->close(); });
    EXPECT_EQ(dlg.AskTimedQuestion("q", Messenger::Yes), Messenger::Cancel);
}

// A message keeps its line breaks, and "コピー" copies it with them.
TEST_F(TMKBoxDlgTest, MessageCopiesWithItsLineBreaks) {
    const QString text = "カット記録削除：\r\nカット記録を削除してよろしいですか？？？";
    QString memo;
    OnNextBox(dlg, [&](TMKBox* box, int) {
        memo = box->MemoMsg->toPlainText();
        box->P_COPY->trigger();
        box->Btn_OK->click();
    });
    dlg.ShowMessage(text);
    EXPECT_EQ(memo, QString(text).replace("\r\n", "\n"));
    EXPECT_EQ(QApplication::clipboard()->text(), memo);
}

TEST_F(TMKBoxDlgTest, ComponentDeletedWhileItsBoxIsOpenEndsTheCall) {
    auto* owned = new TMKBoxDlg;
    QObject::connect(owned, &TMKBoxDlg::BoxOpening, owned,
                     [owned] { QTimer::singleShot(0, [owned] { delete owned; }); });
    EXPECT_EQ(owned->ShowMessage("m"), Messenger::None);
    EXPECT_EQ(test::VisibleCount<TMKBox>(), 0);
}

} // namespace
} // namespace veskar
