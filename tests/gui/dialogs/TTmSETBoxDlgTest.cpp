#include <gtest/gtest.h>

#include <functional>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "core/host/Messenger.h"
#include "DialogDriver.h"
#include "gui/dialogs/SpinButton.h"
#include "gui/dialogs/TMKBox.h"
#include "gui/dialogs/TTMSETBox.h"
#include "gui/dialogs/TTmSETBoxDlg.h"

namespace veskar {
namespace {

class TTmSETBoxDlgTest : public ::testing::Test {
protected:
    void SetUp() override {
        dlg.SetTitle("無音の長さ");
        dlg.SetMsg0("無音と判定する");
        dlg.SetMsg1("最短の長さ");
        dlg.SetHMS("ミリ秒");
    }
    void TearDown() override { test::CloseAllDialogs(); }

    int Run(std::function<void(TTMSETBox*)> action) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(&dlg, &TTmSETBoxDlg::BoxOpening, &dlg, [=, this] {
            QObject::disconnect(*connection);
            QTimer::singleShot(0, &dlg, [this, action] { action(dlg.Form()); });
        });
        return dlg.Execute();
    }

    /// Presses "設 定" and answers the confirmation with the given button, recording its text.
    static void SetAndAnswer(TTMSETBox* form, const char* answer, QString* question) {
        test::WhenShown<TMKBox>([answer, question](TMKBox* box) {
            *question = box->MemoMsg->toPlainText();
            box->findChild<QPushButton*>(answer)->click();
        });
        form->Btn_SET->click();
    }

    TTmSETBoxDlg dlg;
};

TEST_F(TTmSETBoxDlgTest, ShowsTextsValueAndUnit) {
    dlg.SetTCount(500);
    QString count, unit, msg0;
    Run([&](TTMSETBox* form) {
        count = form->Label_Count->text();
        unit = form->Label_HMS->text();
        msg0 = form->Label_Msg0->text();
        form->Btn_CANCEL->click();
    });
    EXPECT_EQ(count, "500");
    EXPECT_EQ(unit, "ミリ秒");
    EXPECT_EQ(msg0, "無音と判定する");
}

TEST_F(TTmSETBoxDlgTest, ConfirmedValueIsReturned) {
    dlg.SetTCount(100);
    QString question;
    const int result = Run([&](TTMSETBox* form) {
        form->SpinButton60->UpButton->click();
        form->SpinButton10->UpButton->click();
        form->SpinButton1->DownButton->click();
        SetAndAnswer(form, "Btn_Yes", &question);
    });
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.TCount(), 169);
    EXPECT_EQ(question, "無音と判定する最短の長さを、\n169ミリ秒に、設定します");
}

TEST_F(TTmSETBoxDlgTest, ZeroIsAcceptedEvenBelowTheMinimum) {
    dlg.SetTCount(0);
    dlg.SetMinCount(50);
    QString question;
    const int result = Run([&](TTMSETBox* form) { SetAndAnswer(form, "Btn_Yes", &question); });
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.TCount(), 0);
    EXPECT_TRUE(question.contains("\n0ミリ秒に"));
}

TEST_F(TTmSETBoxDlgTest, ValueBelowTheMinimumIsRaisedToIt) {
    dlg.SetTCount(20);
    dlg.SetMinCount(50);
    QString question;
    QString shown;
    const int result = Run([&](TTMSETBox* form) {
        SetAndAnswer(form, "Btn_Yes", &question);
        shown = form->Label_Count->text();
    });
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.TCount(), 50);
    EXPECT_EQ(shown, "50");
    EXPECT_TRUE(question.contains("\n50ミリ秒に"));
}

TEST_F(TTmSETBoxDlgTest, AnsweringNoKeepsTheBoxOpen) {
    dlg.SetTCount(7);
    bool openAfterNo = false;
    QString question;
    const int result = Run([&](TTMSETBox* form) {
        form->Step(1);
        SetAndAnswer(form, "Btn_No", &question);
        openAfterNo = form->isVisible();
        form->Btn_CANCEL->click();
    });
    EXPECT_TRUE(openAfterNo);
    EXPECT_EQ(result, Messenger::Cancel);
    EXPECT_EQ(dlg.TCount(), 7);
}

TEST_F(TTmSETBoxDlgTest, UnansweredConfirmationSetsTheValue) {
    dlg.SetTCount(3);
    const int result = Run([](TTMSETBox* form) {
        test::WhenShown<TMKBox>([](TMKBox* box) {
            while (box->isVisible()) {
                box->Timer1Timer();
            }
        });
        form->Btn_SET->click();
    });
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.TCount(), 3);
}

struct StepCase {
    int start;
    int delta;
    int expected;
};

class CountStepTest : public ::testing::TestWithParam<StepCase> {};

TEST_P(CountStepTest, StepsStayWithinTheRange) {
    TTMSETBox form;
    form.SetUp("", "", "", 0, GetParam().start, "");
    form.Step(GetParam().delta);
    EXPECT_EQ(form.Count(), GetParam().expected);
    EXPECT_EQ(form.Label_Count->text(), QString::number(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(Steps, CountStepTest,
                         ::testing::Values(StepCase{0, 1, 1}, StepCase{5, -10, 0},
                                           StepCase{0, -1, 0}, StepCase{32695, 10, 32700},
                                           StepCase{32700, 1, 32700}, StepCase{100, 60, 160},
                                           StepCase{100, -60, 40}, StepCase{40000, -1, 32699}));

} // namespace
} // namespace veskar
