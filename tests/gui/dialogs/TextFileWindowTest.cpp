#include <gtest/gtest.h>

#include <QPlainTextEdit>

#include "core/cut/CutRecord.h"
#include "gui/dialogs/TextFileWindow.h"
#include "support/FakeHost.h"
#include "support/FakeTextViewer.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

// The record goes to the desktop's application first, to the program's own window when the
// desktop has none.
TEST(TextFileWindowTest, RecordShowsInTheOwnWindowWhenTheDesktopCannotOpenIt) {
    test::WavFiles files;
    files.WriteBytes("CUT$$$$.TXT", QStringLiteral("カットデータ一覧　\r\n1個\r\n").toUtf8());
    test::FakeTextViewer desktop;
    QWidget window;
    WindowTextViewer viewer(desktop, &window);
    test::FakeMessenger messenger;
    EXPECT_TRUE(ShowLastCutRecordFile(files.Folder(), viewer, messenger));
    EXPECT_EQ(viewer.Window(), nullptr);

    desktop.fail = true;
    EXPECT_TRUE(ShowLastCutRecordFile(files.Folder(), viewer, messenger));
    const TextFileWindow* own = viewer.Window();
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(own->isVisible() && !own->isModal() && own->Memo->isReadOnly());
    EXPECT_EQ(own->windowTitle(), "CUT$$$$.TXT");
    EXPECT_EQ(own->Memo->toPlainText(), QStringLiteral("カットデータ一覧　\n1個\n"));
    EXPECT_TRUE(messenger.calls.empty());
    EXPECT_FALSE(viewer.ShowTextFile(files.Folder() + "gone.txt"))
        << "the system's message follows";
}

} // namespace
} // namespace veskar
