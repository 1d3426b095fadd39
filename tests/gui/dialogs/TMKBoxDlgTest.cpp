#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>

#include "core/host/Messenger.h"
#include "DialogDriver.h"
#include "gui/dialogs/GuiMessenger.h"
#include "gui/dialogs/TMKBoxDlg.h"

namespace veskar {
namespace {

class TMKBoxDlgTest : public ::testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }

    /// Runs action on the form of the next box as soon as its modal loop runs.
    void OnNextBox(std::function<void(TMKBox*, int slot)> action) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(
            &dlg, &TMKBoxDlg::BoxOpening, &dlg, [this, action, connection](int slot) {
                QObject::disconnect(*connection);
                QTimer::singleShot(0, &dlg, [this, action, slot] { action(dlg.Form(slot), slot); });
            });
    }

    static void Tick(TMKBox* box, int times) {
        for (int i = 0; i < times; ++i) {
            box->Timer1Timer();
        }
    }

    TMKBoxDlg dlg;
    GuiMessenger messenger{dlg};
};

TEST_F(TMKBoxDlgTest, EleventhOpenBoxReturnsZeroAndShowsNothing) {
    dlg.SetTimer(false);
    std::vector<int> results(TMKBoxDlg::kSlots, -1);
    int eleventh = -1;
    int formsWhenFull = 0;
    bool allFlagsSet = true;

    std::function<void(int)> open = [&](int level) {
        if (level + 1 < TMKBoxDlg::kSlots) {
            OnNextBox([&, level](TMKBox*, int) { open(level + 1); });
        } else {
            OnNextBox([&](TMKBox*, int) {
                for (int i = 0; i < TMKBoxDlg::kSlots; ++i) {
                    allFlagsSet =
                        allFlagsSet && dlg.property(qPrintable(QString("B%1").arg(i))).toBool();
                }
                eleventh = dlg.AskTimedQuestion("十一個目", Messenger::Yes);
                formsWhenFull = test::VisibleCount<TMKBox>();
                for (int i = TMKBoxDlg::kSlots - 1; i >= 0; --i) {
                    dlg.Form(i)->Btn_OK->click();
                }
            });
        }
        results[level] = messenger.ShowMessage(QString("箱 %1").arg(level));
    };
    open(0);

    EXPECT_EQ(eleventh, 0);
    EXPECT_TRUE(allFlagsSet);
    EXPECT_EQ(formsWhenFull, TMKBoxDlg::kSlots);
    EXPECT_EQ(results, std::vector<int>(TMKBoxDlg::kSlots, Messenger::Ok));
    for (int i = 0; i < TMKBoxDlg::kSlots; ++i) {
        EXPECT_FALSE(dlg.SlotInUse(i)) << i;
    }
    EXPECT_EQ(test::VisibleCount<TMKBox>(), 0);
}

TEST_F(TMKBoxDlgTest, ASlotIsReusedAfterItsBoxCloses) {
    OnNextBox([](TMKBox* box, int slot) {
        EXPECT_EQ(slot, 0);
        box->Btn_OK->click();
    });
    EXPECT_EQ(dlg.ShowMessage("一つ目"), Messenger::Ok);
    OnNextBox([](TMKBox* box, int slot) {
        EXPECT_EQ(slot, 0);
        box->Btn_OK->click();
    });
    EXPECT_EQ(dlg.ShowMessage("二つ目"), Messenger::Ok);
}

struct CountdownCase {
    const char* name;
    std::function<int(Messenger&)> call;
    TMKBox::Kind kind;
    QStringList buttons;   // visible answer buttons, in order
    const char* barButton; // the button under the red bar
    int expected;          // what the call returns once the countdown has run out
};

class CountdownTest : public TMKBoxDlgTest, public ::testing::WithParamInterface<CountdownCase> {};

TEST_P(CountdownTest, RunsOutToTheCallersDefault) {
    const CountdownCase& c = GetParam();
    dlg.SetTimerCount(3);
    dlg.SetERTimerCount(3);
    QString bar;
    QStringList visible;
    QString startText;
    TMKBox::Kind kind = TMKBox::Kind::Plain;
    bool openAfterTwoTicks = false;
    QString labelAfterTwoTicks;
    OnNextBox([&](TMKBox* box, int slot) {
        kind = dlg.SlotKind(slot);
        startText = dlg.SlotStartText(slot);
        for (QPushButton* b : {box->Btn_OK, box->Btn_Yes, box->Btn_No, box->Btn_Abort}) {
            if (b->isVisible()) {
                visible << b->objectName();
            }
        }
        EXPECT_TRUE(box->Label_Select->isVisible());
        EXPECT_TRUE(box->Btn_TM_STOP->isVisible());
        EXPECT_TRUE(box->CountdownRunning());
        EXPECT_EQ(box->Label_TM->text(), "3秒");
        bar = box->DefaultButton()->objectName();
        Tick(box, 2);
        openAfterTwoTicks = box->isVisible();
        labelAfterTwoTicks = box->Label_TM->text();
        Tick(box, 1);
    });
    EXPECT_EQ(c.call(messenger), c.expected);
    EXPECT_EQ(kind, c.kind);
    EXPECT_EQ(startText, "3");
    EXPECT_EQ(visible, c.buttons);
    EXPECT_EQ(bar, c.barButton);
    EXPECT_TRUE(openAfterTwoTicks);
    EXPECT_EQ(labelAfterTwoTicks, "1秒");
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
                      K::Timed, kOk, "Btn_OK", 1},
        CountdownCase{"TimedQuestionNo", [](Messenger& m) { return m.AskTimedQuestion("t", 7); },
                      K::Timed, kYesNo, "Btn_No", 7},
        CountdownCase{"TimedQuestionYes", [](Messenger& m) { return m.AskTimedQuestion("t", 6); },
                      K::Timed, kYesNo, "Btn_Yes", 6},
        CountdownCase{"TimedQuestionAbortOnFirstButton",
                      [](Messenger& m) { return m.AskTimedQuestion("t", 3); }, K::Timed, kYesNo,
                      "Btn_Yes", 3},
        CountdownCase{"ErrorAbort", [](Messenger& m) { return m.ShowError("t", 3); }, K::Error,
                      kOkAbort, "Btn_Abort", 3},
        CountdownCase{"ErrorCancelOnFirstButton", [](Messenger& m) { return m.ShowError("t", 2); },
                      K::Error, kOkAbort, "Btn_OK", 2},
        CountdownCase{"ErrorQuestionNo", [](Messenger& m) { return m.AskErrorQuestion("t", 7); },
                      K::Error, kYesNoAbort, "Btn_No", 7},
        CountdownCase{"ErrorQuestionAbort", [](Messenger& m) { return m.AskErrorQuestion("t", 3); },
                      K::Error, kYesNoAbort, "Btn_Abort", 3},
        CountdownCase{"ErrorForOwnSeconds", [](Messenger& m) { return m.ShowErrorFor("t", 3, 1); },
                      K::Error, kOkAbort, "Btn_OK", 1}),
    [](const ::testing::TestParamInfo<CountdownCase>& info) { return info.param.name; });

TEST_F(TMKBoxDlgTest, TimedQuestionAnswersNoWhenNobodyAnswers) {
    dlg.SetTimerCount(1);
    QElapsedTimer clock;
    clock.start();
    EXPECT_EQ(dlg.AskTimedQuestion("このフォルダーを削除します☆", Messenger::No), Messenger::No);
    EXPECT_GE(clock.elapsed(), 900);
}

TEST_F(TMKBoxDlgTest, ErrorBoxWithExplicitSecondsCountsThem) {
    dlg.SetERTimerCount(30);
    OnNextBox([this](TMKBox* box, int slot) {
        EXPECT_EQ(dlg.SlotStartText(slot), "1");
        EXPECT_EQ(box->TMCountS->text(), "1");
        Tick(box, 1);
    });
    EXPECT_EQ(dlg.ShowErrorFor("再生エラー", 1, Messenger::Abort), Messenger::Abort);
}

TEST_F(TMKBoxDlgTest, PauseAndResumeGoOnFromTheRemainingSeconds) {
    dlg.SetTimerCount(5);
    OnNextBox([](TMKBox* box, int) {
        Tick(box, 2);
        EXPECT_EQ(box->Remaining(), 3);

        box->Btn_TM_STOP->click();
        EXPECT_FALSE(box->CountdownRunning());
        EXPECT_FALSE(box->Btn_TM_STOP->isVisible());
        EXPECT_TRUE(box->Btn_TM_OPEN->isEnabled());

        box->Btn_TM_OPEN->click();
        EXPECT_TRUE(box->CountdownRunning());
        EXPECT_TRUE(box->Btn_TM_STOP->isVisible());
        EXPECT_EQ(box->Remaining(), 3);

        Tick(box, 1);
        EXPECT_EQ(box->Remaining(), 2);
        EXPECT_EQ(box->Label_TM->text(), "2秒");
        EXPECT_TRUE(box->isVisible());
        Tick(box, 2);
    });
    EXPECT_EQ(dlg.AskTimedQuestion("続けますか？", Messenger::Yes), Messenger::Yes);
}

TEST_F(TMKBoxDlgTest, PausedBoxWaitsForTheUser) {
    dlg.SetTimerCount(1);
    OnNextBox([](TMKBox* box, int) {
        box->Btn_TM_STOP->click();
        QTimer::singleShot(1300, box->Btn_Yes, &QPushButton::click);
    });
    EXPECT_EQ(dlg.AskTimedQuestion("続けますか？", Messenger::No), Messenger::Yes);
}

TEST_F(TMKBoxDlgTest, ErrorBoxWithoutErrorCountdownWaitsForTheUser) {
    dlg.SetERTimer(false);
    dlg.SetERTimerCount(1);
    OnNextBox([this](TMKBox* box, int slot) {
        EXPECT_FALSE(dlg.SlotCountdown(slot));
        EXPECT_FALSE(box->CountdownRunning());
        EXPECT_FALSE(box->Btn_TM_STOP->isVisible());
        EXPECT_FALSE(box->Label_TM->isVisible());
        EXPECT_FALSE(box->Label_Select->isVisible());
        QTimer::singleShot(1300, box->Btn_Abort, &QPushButton::click);
    });
    EXPECT_EQ(dlg.ShowError("カットできません", Messenger::Ok), Messenger::Abort);
}

TEST_F(TMKBoxDlgTest, OrdinaryCountdownOffLeavesErrorCountdownOn) {
    dlg.SetTimer(false);
    OnNextBox([this](TMKBox* box, int slot) {
        EXPECT_FALSE(dlg.SlotCountdown(slot));
        EXPECT_FALSE(box->CountdownRunning());
        box->Btn_Yes->click();
    });
    EXPECT_EQ(dlg.AskTimedQuestion("q", Messenger::No), Messenger::Yes);
    OnNextBox([this](TMKBox* box, int slot) {
        EXPECT_TRUE(dlg.SlotCountdown(slot));
        EXPECT_TRUE(box->CountdownRunning());
        box->Btn_OK->click();
    });
    EXPECT_EQ(dlg.ShowError("e", Messenger::Abort), Messenger::Ok);
}

TEST_F(TMKBoxDlgTest, PlainMessageHasNoCountdown) {
    OnNextBox([this](TMKBox* box, int slot) {
        EXPECT_EQ(dlg.SlotKind(slot), TMKBox::Kind::Plain);
        EXPECT_EQ(dlg.SlotStartText(slot), "0");
        EXPECT_FALSE(box->CountdownRunning());
        EXPECT_FALSE(box->Btn_TM_STOP->isVisible());
        EXPECT_FALSE(box->Btn_Abort->isVisible());
        box->Btn_OK->click();
    });
    EXPECT_EQ(dlg.ShowMessage("フォルダーを登録しました"), Messenger::Ok);
}

TEST_F(TMKBoxDlgTest, ClosingTheWindowAnswersCancel) {
    OnNextBox([](TMKBox* box, int) { box->close(); });
    EXPECT_EQ(dlg.AskTimedQuestion("q", Messenger::Yes), Messenger::Cancel);
}

TEST_F(TMKBoxDlgTest, MultiLineMessageKeepsItsLineBreaksAndCopiesThem) {
    QString memo;
    int scrollRange = -1;
    OnNextBox([&](TMKBox* box, int) {
        memo = box->MemoMsg->toPlainText();
        scrollRange = box->MemoMsg->verticalScrollBar()->maximum();
        QApplication::clipboard()->clear();
        box->P_COPY->trigger();
        box->Btn_OK->click();
    });
    dlg.ShowMessage("カット記録削除：\nカット記録を削除してよろしいですか？？？\r\n三行目");
    EXPECT_EQ(memo, "カット記録削除：\nカット記録を削除してよろしいですか？？？\n三行目");
    EXPECT_EQ(QApplication::clipboard()->text(), memo);
    EXPECT_EQ(scrollRange, 0);
}

TEST_F(TMKBoxDlgTest, LongMessageGrowsTheBoxToShowEveryLine) {
    QStringList lines;
    for (int i = 1; i <= 15; ++i) {
        lines << QString("%1 行目: /home/user/DIZEZI32/録音/とても長いファイル名の録音.wav").arg(i);
    }
    int vertical = -1;
    int horizontal = -1;
    QSize formSize;
    QSize shortFormSize;
    OnNextBox([&](TMKBox* box, int) {
        vertical = box->MemoMsg->verticalScrollBar()->maximum();
        horizontal = box->MemoMsg->horizontalScrollBar()->maximum();
        formSize = box->size();
        box->Btn_OK->click();
    });
    dlg.ShowMessage(lines.join('\n'));
    OnNextBox([&](TMKBox* box, int) {
        shortFormSize = box->size();
        box->Btn_OK->click();
    });
    dlg.ShowMessage("短い");
    EXPECT_EQ(vertical, 0);
    EXPECT_EQ(horizontal, 0);
    EXPECT_GT(formSize.width(), shortFormSize.width());
    EXPECT_GT(formSize.height(), shortFormSize.height());
    EXPECT_GE(shortFormSize.width(), 423);
    EXPECT_GE(shortFormSize.height(), 251);
}

TEST_F(TMKBoxDlgTest, BoxIsCentredOverItsSourceWindow) {
    QWidget source;
    source.setGeometry(40, 60, 700, 500);
    source.show();
    dlg.SetSourceHandle(&source);
    dlg.SetTitle("カット");
    QPoint centre;
    QString caption;
    OnNextBox([&](TMKBox* box, int) {
        centre = box->frameGeometry().center();
        caption = box->windowTitle();
        box->Btn_OK->click();
    });
    dlg.ShowMessage("m");
    EXPECT_NEAR(centre.x(), source.frameGeometry().center().x(), 2);
    EXPECT_NEAR(centre.y(), source.frameGeometry().center().y(), 2);
    EXPECT_EQ(caption, "カット");
}

TEST_F(TMKBoxDlgTest, EmptyTitleShowsTheApplicationTitle) {
    QApplication::setApplicationDisplayName("PIRVAN SOUND カッター");
    QString caption;
    OnNextBox([&](TMKBox* box, int) {
        caption = box->windowTitle();
        box->Btn_OK->click();
    });
    dlg.ShowMessage("m");
    EXPECT_EQ(caption, "PIRVAN SOUND カッター");
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
