#include <gtest/gtest.h>

#include <QFrame>
#include <QLabel>

#include "core/host/ProgressBox.h"
#include "gui/dialogs/GuiProgressBox.h"
#include "gui/dialogs/TPBarBoxDlg.h"
#include "platform/QtEventPump.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

class TPBarBoxDlgTest : public ::testing::Test {
protected:
    TPBarBoxDlg dlg;
    GuiProgressBox progress{dlg};
};

TEST_F(TPBarBoxDlgTest, OpenShowsMessageTitleAndAnEmptyBar) {
    const int handle = progress.Open("無音検出中", "無音検出");
    EXPECT_EQ(progress.GetState(handle), ProgressBox::Running);
    TPBarBox* form = dlg.Form(handle);
    ASSERT_TRUE(form && form->isVisible());
    EXPECT_EQ(form->windowTitle(), "無音検出");
    EXPECT_EQ(form->Msg->text(), "無音検出中：");
    EXPECT_EQ(form->Panel_PBar->text(), "0%");
    progress.SetMessage(handle, "2 / 5 ファイル");
    EXPECT_EQ(form->Msg->text(), "2 / 5 ファイル：");
    QApplication::setApplicationDisplayName("PIRVAN SOUND カッター");
    const int untitled = progress.Open("m", "");
    EXPECT_EQ(dlg.Form(untitled)->windowTitle(), "PIRVAN SOUND カッター");
}

// The stop button, Escape and the window's close button end a box; it keeps its final state
// until its owner closes the handle.
TEST_F(TPBarBoxDlgTest, EndedBoxKeepsItsStateUntilClosed) {
    const std::pair<std::function<void(TPBarBox*)>, int> ways[] = {
        {[](TPBarBox* form) { form->Button2->click(); }, ProgressBox::Stopped},
        {[](TPBarBox* form) { test::PressKey(form, Qt::Key_Escape); }, ProgressBox::Stopped},
        {[](TPBarBox* form) { form->close(); }, ProgressBox::Closed},
    };
    for (const auto& [end, state] : ways) {
        int handle = progress.Open("カット中", "t");
        end(dlg.Form(handle));
        EXPECT_EQ(dlg.Form(handle), nullptr);
        EXPECT_EQ(progress.GetState(handle), state);
        EXPECT_EQ(progress.SetPercent(handle, 80), state);
        progress.SetMessage(handle, "no box to show this");
        progress.Close(handle);
        EXPECT_EQ(handle, -1);
        EXPECT_EQ(progress.GetState(0), ProgressBox::Free);
    }
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
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
    // Handles outside the slots are refused.
    EXPECT_EQ(progress.GetState(-1), ProgressBox::BadHandle);
    EXPECT_EQ(progress.SetPercent(10, 50), ProgressBox::BadHandle);
    for (int i = 0; i < ProgressBox::kSlots; ++i) {
        int handle = i;
        progress.Close(handle);
    }
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
    EXPECT_EQ(progress.SetPercent(4, 50), ProgressBox::Free);
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
