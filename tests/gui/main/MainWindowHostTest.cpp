#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QTimer>

#include "core/host/Messenger.h"
#include "core/host/ProgressBox.h"
#include "gui/dialogs/TMKBox.h"
#include "gui/main/TKOTAN_VESKAR.h"

namespace veskar {

TEST(MainWindowHostTest, EngineMessagesGoToTheWindowsMessageBox) {
    TKOTAN_VESKAR window;
    window.show();
    EXPECT_EQ(window.findChild<TMKBoxDlg*>("MKBoxDlg1"), &window.MKBoxDlg1);
    EXPECT_EQ(window.MKBoxDlg1.SourceHandle(), &window);

    QString shown;
    QObject::connect(&window.MKBoxDlg1, &TMKBoxDlg::BoxOpening, &window, [&](int slot) {
        QTimer::singleShot(0, &window, [&, slot] {
            TMKBox* box = window.MKBoxDlg1.Form(slot);
            shown = box->MemoMsg->toPlainText();
            while (box->isVisible()) {
                box->Timer1Timer();
            }
        });
    });
    EXPECT_EQ(window.EngineHost().messenger.AskErrorQuestion("再生できません", Messenger::Abort),
              Messenger::Abort);
    EXPECT_EQ(shown, "再生できません");
}

TEST(MainWindowHostTest, EngineProgressGoesToTheWindowsProgressBoxes) {
    TKOTAN_VESKAR window;
    window.show();
    Host& host = window.EngineHost();
    int handle = host.progress.Open("カット中", "");
    ASSERT_EQ(handle, 0);
    ASSERT_NE(window.PBarBoxDlg1.Form(handle), nullptr);
    EXPECT_EQ(window.PBarBoxDlg1.SourceHandle(), &window);
    EXPECT_EQ(host.progress.SetPercent(handle, 50), ProgressBox::Running);
    EXPECT_EQ(window.PBarBoxDlg1.Form(handle)->Panel_PBar->text(), "50%");
    host.pump.ProcessEvents();
    host.progress.Close(handle);
    EXPECT_EQ(handle, -1);
    EXPECT_EQ(window.PBarBoxDlg1.State(0), ProgressBox::Free);
}

} // namespace veskar
