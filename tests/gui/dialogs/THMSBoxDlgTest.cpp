#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QMenu>

#include "gui/dialogs/THMSBox.h"
#include "gui/dialogs/THMSBoxDlg.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

const QString kRefused = "終了タイムは、開始タイムより、大きな値を設定して下さい☆";

class THMSBoxDlgTest : public ::testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }

    /// Sets the range; the box raised by "設 定" is answered with the given button.
    int SetAndAnswer(std::array<int, 6> range, std::function<void(THMSBox*)> action,
                     const char* answer) {
        dlg.SetStart(range[0], range[1], range[2]);
        dlg.SetEnd(range[3], range[4], range[5]);
        return test::SetAndAnswer(dlg, action, answer, &shownText);
    }

    THMSBoxDlg dlg;
    QString shownText;
};

TEST_F(THMSBoxDlgTest, EndNotAfterTheStartIsRefused) {
    for (const std::array<int, 6> range :
         {std::array<int, 6>{0, 0, 10, 0, 0, 10}, std::array<int, 6>{1, 0, 0, 0, 59, 59}}) {
        EXPECT_EQ(SetAndAnswer(
                      range, [](THMSBox*) {}, "Btn_OK"),
                  Messenger::Cancel);
        EXPECT_EQ(shownText, kRefused);
        EXPECT_EQ(dlg.ENS(), range[5]);
    }
}

TEST_F(THMSBoxDlgTest, ConfirmedRangeIsReturnedAndNoLeavesTheValuesAlone) {
    const int result = SetAndAnswer(
        {0, 0, 10, 0, 0, 10},
        [](THMSBox* form) {
            form->Spin(THMSBox::ENS, 1);
            form->Spin(THMSBox::ENH, 1);
        },
        "Btn_Yes");
    EXPECT_EQ(shownText, "開始 00 時 00 分 10 秒\n終了 01 時 00 分 11 秒に、設定します。");
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.ENH(), 1);
    EXPECT_EQ(dlg.ENS(), 11);
    // An end of zero means no end.
    EXPECT_EQ(SetAndAnswer(
                  {2, 30, 0, 0, 0, 0}, [](THMSBox*) {}, "Btn_Yes"),
              Messenger::Ok);
    EXPECT_EQ(shownText, "開始 02 時 30 分 00 秒\n終了 00 時 00 分 00 秒に、設定します。");
    // No leaves the values alone.
    EXPECT_EQ(
        SetAndAnswer(
            {0, 1, 0, 0, 2, 0}, [](THMSBox* form) { form->Spin(THMSBox::STM, -1); }, "Btn_No"),
        Messenger::Cancel);
    EXPECT_EQ(dlg.STM(), 1);
}

TEST_F(THMSBoxDlgTest, EndButtonAndMenusSetTheFields) {
    THMSBox form;
    form.SetUp(12, {3, 4, 5, 0, 0, 0});
    form.show();
    form.Btn_EN_Text->click();
    EXPECT_EQ(form.Value(THMSBox::ENH), 3);
    EXPECT_EQ(form.Value(THMSBox::ENM), 4);
    EXPECT_EQ(form.Labels[THMSBox::ENS]->text(), "05");

    emit form.Labels[THMSBox::STM]->customContextMenuRequested(QPoint(2, 2));
    form.findChild<QAction*>("PMS_45")->trigger();
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

TEST(THMSBoxTest, SpinsWrapAround) {
    struct Case {
        int maxH;
        THMSBox::Field field;
        int start, delta, expected;
    };
    const Case cases[] = {
        {24, THMSBox::STH, 0, -1, 23}, {24, THMSBox::STH, 23, 1, 0},  {24, THMSBox::ENH, 5, 1, 6},
        {6, THMSBox::ENH, 5, 1, 0},    {6, THMSBox::STH, 0, -1, 5},   {1, THMSBox::STH, 0, 1, 0},
        {24, THMSBox::STM, 59, 1, 0},  {24, THMSBox::ENM, 0, -1, 59}, {24, THMSBox::STS, 59, 1, 0},
        {24, THMSBox::ENS, 0, -1, 59}, {24, THMSBox::ENS, 30, 1, 31}};
    for (const Case& c : cases) {
        THMSBox form;
        std::array<int, THMSBox::FieldCount> values{};
        values[c.field] = c.start;
        form.SetUp(c.maxH, values);
        form.Spin(c.field, c.delta);
        EXPECT_EQ(form.Value(c.field), c.expected) << c.field << " from " << c.start;
        EXPECT_EQ(form.Labels[c.field]->text(), QString("%1").arg(c.expected, 2, 10, QChar('0')));
    }
}

} // namespace
} // namespace veskar
