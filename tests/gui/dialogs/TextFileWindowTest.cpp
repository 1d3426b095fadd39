#include <gtest/gtest.h>

#include <QFontInfo>
#include <QPlainTextEdit>

#include "core/cut/CutRecord.h"
#include "gui/dialogs/TextFileWindow.h"
#include "support/FakeHost.h"
#include "support/FakeTextViewer.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

// The record reaches the user through the viewer the cut run is given: the desktop's
// application first, the window's own read-only view when the desktop has none.
TEST(TextFileWindowTest, RecordShowsInTheOwnWindowWhenTheDesktopCannotOpenIt) {
    test::WavFiles files;
    const QString text = QStringLiteral("カットデータ一覧　\r\n1個 カットしました。\r\n");
    files.WriteBytes("CUT$$$$.TXT", text.toUtf8());
    test::FakeTextViewer desktop;
    QWidget window;
    WindowTextViewer viewer(desktop, &window);
    test::FakeMessenger messenger;

    EXPECT_TRUE(ShowLastCutRecordFile(files.Folder(), viewer, messenger));
    EXPECT_EQ(viewer.Window(), nullptr) << "the desktop opened it";

    desktop.fail = true;
    EXPECT_TRUE(ShowLastCutRecordFile(files.Folder(), viewer, messenger));
    TextFileWindow* own = viewer.Window();
    ASSERT_NE(own, nullptr);
    EXPECT_TRUE(own->isVisible());
    EXPECT_FALSE(own->isModal());
    EXPECT_EQ(own->windowTitle(), "CUT$$$$.TXT");
    EXPECT_EQ(own->Memo->toPlainText(), QStringLiteral("カットデータ一覧　\n1個 カットしました。\n"));
    EXPECT_TRUE(own->Memo->isReadOnly());
    EXPECT_TRUE(QFontInfo(own->Memo->font()).fixedPitch());
    EXPECT_TRUE(messenger.calls.empty());

    // A record that cannot be read keeps the system's message.
    EXPECT_FALSE(ShowLastCutRecordFile(files.Folder() + "gone/", viewer, messenger));
    EXPECT_EQ(messenger.Texts(), QStringList{QString::fromUtf8(CutRecord::kShowError)});
    EXPECT_EQ(own->Memo->toPlainText(), QStringLiteral("カットデータ一覧　\n1個 カットしました。\n"));
}

} // namespace
} // namespace veskar
