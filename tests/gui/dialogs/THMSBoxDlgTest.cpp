#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "core/host/Messenger.h"
#include "DialogDriver.h"
#include "gui/dialogs/THMSBox.h"
#include "gui/dialogs/THMSBoxDlg.h"
#include "gui/dialogs/TMKBox.h"

namespace veskar {
namespace {

class THMSBoxDlgTest : public ::testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }

    int Run(std::function<void(THMSBox*)> action) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(&dlg, &THMSBoxDlg::BoxOpening, &dlg, [=, this] {
            QObject::disconnect(*connection);
            QTimer::singleShot(0, &dlg, [this, action] { action(dlg.Form()); });
        });
        return dlg.Execute();
    }

    /// Presses "設 定" and answers the box it raises with the given button, recording its text
    /// and which buttons it offered.
    static void SetAndAnswer(THMSBox* form, const char* answer, QString* text, bool* question) {
        test::WhenShown<TMKBox>([=](TMKBox* box) {
            *text = box->MemoMsg->toPlainText();
            *question = box->Btn_Yes->isVisible();
            box->findChild<QPushButton*>(answer)->click();
        });
        form->Btn_SET->click();
    }

    THMSBoxDlg dlg;
};

TEST_F(THMSBoxDlgTest, EndEqualToStartIsRefusedAndTheBoxStaysOpen) {
    dlg.SetStart(0, 0, 10);
    dlg.SetEnd(0, 0, 10);
    QString text;
    bool question = true;
    bool stillOpen = false;
    const int result = Run([&](THMSBox* form) {
        SetAndAnswer(form, "Btn_OK", &text, &question);
        stillOpen = form->isVisible();
        form->Btn_CANCEL->click();
    });
    EXPECT_EQ(text, "終了タイムは、開始タイムより、大きな値を設定して下さい☆");
    EXPECT_FALSE(question);
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, Messenger::Cancel);
    EXPECT_EQ(dlg.ENS(), 10);
}

TEST_F(THMSBoxDlgTest, EndBeforeStartIsRefused) {
    dlg.SetStart(1, 0, 0);
    dlg.SetEnd(0, 59, 59);
    QString text;
    bool question = true;
    Run([&](THMSBox* form) {
        SetAndAnswer(form, "Btn_OK", &text, &question);
        form->Btn_CANCEL->click();
    });
    EXPECT_EQ(text, "終了タイムは、開始タイムより、大きな値を設定して下さい☆");
}

TEST_F(THMSBoxDlgTest, ConfirmedRangeIsReturned) {
    dlg.SetStart(0, 0, 10);
    dlg.SetEnd(0, 0, 10);
    QString text;
    bool question = false;
    const int result = Run([&](THMSBox* form) {
        form->Spin(THMSBox::ENS, 1);
        form->Spin(THMSBox::ENH, 1);
        SetAndAnswer(form, "Btn_Yes", &text, &question);
    });
    EXPECT_TRUE(question);
    EXPECT_EQ(text, "開始 00 時 00 分 10 秒\n終了 01 時 00 分 11 秒に、設定します。");
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.STS(), 10);
    EXPECT_EQ(dlg.ENH(), 1);
    EXPECT_EQ(dlg.ENS(), 11);
}

TEST_F(THMSBoxDlgTest, EndOfZeroMeansNoEnd) {
    dlg.SetStart(2, 30, 0);
    QString text;
    bool question = false;
    const int result = Run([&](THMSBox* form) { SetAndAnswer(form, "Btn_Yes", &text, &question); });
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(text, "開始 02 時 30 分 00 秒\n終了 00 時 00 分 00 秒に、設定します。");
}

TEST_F(THMSBoxDlgTest, AnsweringNoLeavesTheValuesAlone) {
    dlg.SetStart(0, 1, 0);
    dlg.SetEnd(0, 2, 0);
    QString text;
    bool question = false;
    const int result = Run([&](THMSBox* form) {
        form->Spin(THMSBox::STM, -1);
        SetAndAnswer(form, "Btn_No", &text, &question);
        form->Btn_CANCEL->click();
    });
    EXPECT_EQ(result, Messenger::Cancel);
    EXPECT_EQ(dlg.STM(), 1);
}

TEST_F(THMSBoxDlgTest, EndButtonCopiesTheStart) {
    THMSBox form;
    form.SetUp(24, {3, 4, 5, 0, 0, 0});
    EXPECT_EQ(form.Btn_EN_Text->text(), ">終了");
    form.Btn_EN_Text->click();
    EXPECT_EQ(form.Value(THMSBox::ENH), 3);
    EXPECT_EQ(form.Value(THMSBox::ENM), 4);
    EXPECT_EQ(form.Value(THMSBox::ENS), 5);
    EXPECT_EQ(form.Labels[THMSBox::ENS]->text(), "05");
}

TEST_F(THMSBoxDlgTest, PopupMenusSetRoundValues) {
    THMSBox form;
    form.SetUp(12, {0, 0, 0, 0, 0, 0});
    form.show();
    emit form.Labels[THMSBox::STM]->customContextMenuRequested(QPoint(2, 2));
    form.findChild<QAction*>("PMS_45")->trigger();
    EXPECT_EQ(form.Value(THMSBox::STM), 45);
    EXPECT_EQ(form.Labels[THMSBox::STM]->text(), "45");

    emit form.Labels[THMSBox::ENH]->customContextMenuRequested(QPoint(2, 2));
    form.findChild<QAction*>("PH_6")->trigger();
    EXPECT_EQ(form.Value(THMSBox::ENH), 6);
    // Twelve hours: 12 and 18 are out of range.
    EXPECT_FALSE(form.findChild<QAction*>("PH_12")->isEnabled());
    EXPECT_FALSE(form.findChild<QAction*>("PH_18")->isEnabled());
    form.PopupMenu_H->close();
    form.PopupMenu_MS->close();
}

TEST_F(THMSBoxDlgTest, ValuesOutsideTheirRangeAreBroughtIn) {
    THMSBox form;
    form.SetUp(24, {30, 75, -3, 0, 0, 0});
    EXPECT_EQ(form.Value(THMSBox::STH), 23);
    EXPECT_EQ(form.Value(THMSBox::STM), 59);
    EXPECT_EQ(form.Value(THMSBox::STS), 0);
}

struct WrapCase {
    int maxH;
    THMSBox::Field field;
    int start;
    int delta;
    int expected;
};

class WrapTest : public ::testing::TestWithParam<WrapCase> {};

TEST_P(WrapTest, SpinsWrapAround) {
    const WrapCase& c = GetParam();
    THMSBox form;
    std::array<int, THMSBox::FieldCount> values{};
    values[c.field] = c.start;
    form.SetUp(c.maxH, values);
    form.Spin(c.field, c.delta);
    EXPECT_EQ(form.Value(c.field), c.expected);
    EXPECT_EQ(form.Labels[c.field]->text(), QString("%1").arg(c.expected, 2, 10, QChar('0')));
}

INSTANTIATE_TEST_SUITE_P(
    Fields, WrapTest,
    ::testing::Values(WrapCase{24, THMSBox::STH, 0, -1, 23}, WrapCase{24, THMSBox::STH, 23, 1, 0},
                      WrapCase{24, THMSBox::ENH, 5, 1, 6}, WrapCase{6, THMSBox::ENH, 5, 1, 0},
                      WrapCase{6, THMSBox::STH, 0, -1, 5}, WrapCase{1, THMSBox::STH, 0, 1, 0},
                      WrapCase{24, THMSBox::STM, 59, 1, 0}, WrapCase{24, THMSBox::ENM, 0, -1, 59},
                      WrapCase{24, THMSBox::STS, 59, 1, 0}, WrapCase{24, THMSBox::ENS, 0, -1, 59},
                      WrapCase{24, THMSBox::ENS, 30, 1, 31}));

} // namespace
} // namespace veskar
