#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include "core/host/ProgressBox.h"
#include "gui/dialogs/GuiProgressBox.h"
#include "gui/dialogs/TPBarBoxDlg.h"
#include "platform/QtEventPump.h"
#include "DialogDriver.h"

namespace veskar {
namespace {

class TPBarBoxDlgTest : public ::testing::Test {
protected:
    TPBarBoxDlg dlg;
    GuiProgressBox progress{dlg};
};

TEST_F(TPBarBoxDlgTest, OpenShowsMessageTitleAndAnEmptyBar) {
    const int handle = progress.Open("無音検出中", "無音検出");
    ASSERT_EQ(handle, 0);
    EXPECT_EQ(progress.GetState(handle), ProgressBox::Running);
    TPBarBox* form = dlg.Form(handle);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->windowTitle(), "無音検出");
    EXPECT_EQ(form->Msg->text(), "無音検出中：");
    EXPECT_EQ(form->Panel_PBar0->width(), 320);
    EXPECT_EQ(form->Panel_PBar->width(), 0);
    EXPECT_EQ(form->Panel_PBar->text(), "0%");
    EXPECT_EQ(form->Button2->text(), "中止");
}

TEST_F(TPBarBoxDlgTest, EmptyTitleShowsTheApplicationTitle) {
    QApplication::setApplicationDisplayName("PIRVAN SOUND カッター");
    dlg.SetMsg("レベル測定中");
    const int handle = dlg.Open();
    ASSERT_NE(dlg.Form(handle), nullptr);
    EXPECT_EQ(dlg.Form(handle)->windowTitle(), "PIRVAN SOUND カッター");
    EXPECT_EQ(dlg.Form(handle)->Msg->text(), "レベル測定中：");
}

struct PercentCase {
    int percent;
    int width;
};

class PercentTest : public TPBarBoxDlgTest, public ::testing::WithParamInterface<PercentCase> {};

TEST_P(PercentTest, BarWidthIsTheFrameShareRoundedDown) {
    const int handle = progress.Open("m", "t");
    EXPECT_EQ(progress.SetPercent(handle, GetParam().percent), ProgressBox::Running);
    EXPECT_EQ(dlg.Form(handle)->Panel_PBar->width(), GetParam().width);
    EXPECT_EQ(dlg.Form(handle)->Panel_PBar->text(), QString::number(GetParam().percent) + "%");
}

INSTANTIATE_TEST_SUITE_P(Widths, PercentTest,
                         ::testing::Values(PercentCase{0, 0}, PercentCase{1, 3},
                                           PercentCase{33, 105}, PercentCase{50, 160},
                                           PercentCase{99, 316}, PercentCase{100, 320},
                                           PercentCase{130, 320}, PercentCase{-5, 0}));

TEST_F(TPBarBoxDlgTest, SetMessageAddsTheColon) {
    const int handle = progress.Open("m", "t");
    progress.SetMessage(handle, "2 / 5 ファイル");
    EXPECT_EQ(dlg.Form(handle)->Msg->text(), "2 / 5 ファイル：");
}

TEST_F(TPBarBoxDlgTest, StopButtonClosesTheBoxAndKeepsStateTwo) {
    int handle = progress.Open("カット中", "t");
    progress.SetPercent(handle, 40);
    dlg.Form(handle)->Button2->click();
    EXPECT_EQ(dlg.Form(handle), nullptr);
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
    EXPECT_EQ(progress.GetState(handle), ProgressBox::Stopped);
    EXPECT_EQ(progress.SetPercent(handle, 80), ProgressBox::Stopped);
    progress.SetMessage(handle, "no box to show this");
    EXPECT_EQ(progress.GetState(handle), ProgressBox::Stopped);

    progress.Close(handle);
    EXPECT_EQ(handle, -1);
    EXPECT_EQ(progress.GetState(0), ProgressBox::Free);
}

TEST_F(TPBarBoxDlgTest, ClosingTheWindowGivesStateZero) {
    int handle = progress.Open("m", "t");
    dlg.Form(handle)->close();
    EXPECT_EQ(progress.GetState(handle), ProgressBox::Closed);
    EXPECT_EQ(progress.SetPercent(handle, 10), ProgressBox::Closed);
    progress.Close(handle);
    EXPECT_EQ(progress.GetState(0), ProgressBox::Free);
}

TEST_F(TPBarBoxDlgTest, EscapeStopsLikeTheStopButton) {
    const int handle = progress.Open("m", "t");
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(dlg.Form(handle), &escape);
    EXPECT_EQ(progress.GetState(handle), ProgressBox::Stopped);
}

TEST_F(TPBarBoxDlgTest, EleventhBoxGetsNoHandle) {
    for (int i = 0; i < ProgressBox::kSlots; ++i) {
        EXPECT_EQ(progress.Open(QString("箱 %1").arg(i), "t"), i);
    }
    EXPECT_EQ(progress.Open("十一個目", "t"), -1);
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), ProgressBox::kSlots);

    int third = 3;
    progress.Close(third);
    EXPECT_EQ(progress.Open("空いた枠", "t"), 3);
    for (int i = 0; i < ProgressBox::kSlots; ++i) {
        int handle = i;
        progress.Close(handle);
    }
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
}

TEST_F(TPBarBoxDlgTest, HandlesOutsideTheSlotsAreRefused) {
    EXPECT_EQ(progress.GetState(-1), ProgressBox::BadHandle);
    EXPECT_EQ(progress.GetState(10), ProgressBox::BadHandle);
    EXPECT_EQ(progress.SetPercent(10, 50), ProgressBox::BadHandle);
    EXPECT_EQ(progress.SetPercent(4, 50), ProgressBox::Free);
    int handle = 12;
    progress.Close(handle);
    EXPECT_EQ(handle, -1);
}

TEST_F(TPBarBoxDlgTest, RunPollingTheStateStopsAfterTheStopButton) {
    QtEventPump pump;
    int handle = progress.Open("レベル測定中", "t");
    QTimer::singleShot(0, dlg.Form(handle)->Button2, &QPushButton::click);
    int step = 0;
    int state = ProgressBox::Running;
    for (; step <= 100 && ProgressMayContinue(state); ++step) {
        state = progress.SetPercent(handle, step);
        pump.ProcessEvents();
    }
    EXPECT_EQ(state, ProgressBox::Stopped);
    EXPECT_EQ(step, 2);
    progress.Close(handle);
}

TEST_F(TPBarBoxDlgTest, DeletingTheComponentClosesItsBoxes) {
    auto* owned = new TPBarBoxDlg;
    owned->Open("a", "t");
    owned->Open("b", "t");
    delete owned;
    QApplication::processEvents();
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
}

} // namespace
} // namespace veskar
