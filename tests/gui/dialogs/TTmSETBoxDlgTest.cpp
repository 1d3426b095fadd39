#include <gtest/gtest.h>

#include <QLabel>
#include <QToolButton>

#include "gui/dialogs/SpinButton.h"
#include "gui/dialogs/TTMSETBox.h"
#include "gui/dialogs/TTmSETBoxDlg.h"
#include "support/GuiDriver.h"

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

    /// Starts at count; the count box's confirmation is answered with the given button.
    int SetAndAnswer(int count, std::function<void(TTMSETBox*)> action, const char* answer) {
        dlg.SetTCount(count);
        return test::SetAndAnswer(dlg, action, answer, &question);
    }

    TTmSETBoxDlg dlg;
    QString question;
};

TEST_F(TTmSETBoxDlgTest, ConfirmedValueIsReturned) {
    const int result = SetAndAnswer(
        100,
        [](TTMSETBox* form) {
            EXPECT_EQ(form->Label_HMS->text(), "ミリ秒");
            EXPECT_EQ(form->Label_Msg0->text(), "無音と判定する");
            form->SpinButton60->UpButton->click();
            form->SpinButton10->UpButton->click();
            form->SpinButton1->DownButton->click();
        },
        "Btn_Yes");
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.TCount(), 169);
    EXPECT_EQ(question, "無音と判定する最短の長さを、\n169ミリ秒に、設定します");
}

// A value below the minimum is raised to it, except 0, which is kept.
TEST_F(TTmSETBoxDlgTest, MinimumAppliesToAnyValueButZero) {
    dlg.SetMinCount(50);
    for (const auto& [start, set] : {std::pair{0, 0}, std::pair{20, 50}}) {
        EXPECT_EQ(SetAndAnswer(
                      start, [](TTMSETBox*) {}, "Btn_Yes"),
                  Messenger::Ok);
        EXPECT_EQ(dlg.TCount(), set);
        EXPECT_TRUE(question.contains(QString("\n%1ミリ秒に").arg(set))) << question.toStdString();
    }
}

TEST_F(TTmSETBoxDlgTest, AnsweringNoKeepsTheBoxOpenAndTheValue) {
    EXPECT_EQ(SetAndAnswer(
                  7, [](TTMSETBox* form) { form->Step(1); }, "Btn_No"),
              Messenger::Cancel)
        << "still open after No";
    EXPECT_EQ(dlg.TCount(), 7);
}

TEST_F(TTmSETBoxDlgTest, UnansweredConfirmationSetsTheValue) {
    dlg.SetTCount(3);
    test::OnNextBox(dlg, [](TTMSETBox* form) {
        test::WhenShown<TMKBox>([](TMKBox* box) {
            while (box->isVisible()) {
                box->Timer1Timer();
            }
        });
        form->Btn_SET->click();
    });
    EXPECT_EQ(dlg.Execute(), Messenger::Ok);
    EXPECT_EQ(dlg.TCount(), 3);
}

TEST(TTMSETBoxTest, StepsStayWithinTheRange) {
    const int cases[][3] = {{0, 1, 1},         {5, -10, 0},    {0, -1, 0},     {32695, 10, 32700},
                            {32700, 1, 32700}, {100, 60, 160}, {100, -60, 40}, {40000, -1, 32699}};
    for (const auto& [start, delta, expected] : cases) {
        TTMSETBox form;
        form.SetUp("", "", "", 0, start, "");
        form.Step(delta);
        EXPECT_EQ(form.Count(), expected) << start << " + " << delta;
        EXPECT_EQ(form.Label_Count->text(), QString::number(expected));
    }
}

} // namespace
} // namespace veskar
