#include <gtest/gtest.h>

#include "core/browser/FolderHistory.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

TEST(FolderHistoryTest, ClosingThePanelPutsTheSelectedEntryFirst) {
    struct Case {
        int selected;
        QStringList saved;
    };
    const Case cases[] = {
        {0, {"/a", "/b", "/c"}},
        {3, {"/c", "/a", "/b"}},
    };
    for (const Case& c : cases) {
        QStringList history{"/a", "/b", "/c"};
        EXPECT_EQ(OpenHistoryPanel(history, "/now"), 0);
        EXPECT_EQ(history, QStringList({"/now", "/a", "/b", "/c"}));
        int index = c.selected;
        CloseHistoryPanel(history, index);
        EXPECT_EQ(history, c.saved) << c.selected;
        EXPECT_EQ(index, 0);
    }
    QStringList empty;
    int index = OpenHistoryPanel(empty, "/now");
    CloseHistoryPanel(empty, index);
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(index, -1);
}

TEST(FolderHistoryTest, RegisterAndDelete) {
    QStringList history{"/a", "/b"};
    RegisterHistoryFolder(history, "/b");
    EXPECT_EQ(history, QStringList({"/b", "/a"}));
    RegisterHistoryFolder(history, "/c");
    EXPECT_EQ(history, QStringList({"/c", "/b", "/a"}));

    test::FakeMessenger messenger;
    int index = 0;
    EXPECT_FALSE(DeleteHistoryEntry(history, index, messenger));
    EXPECT_EQ(messenger.Texts(), QStringList{"現在のフォルダーは、削除出来ません・・・"});
    index = 2;
    EXPECT_TRUE(DeleteHistoryEntry(history, index, messenger));
    EXPECT_EQ(history, QStringList({"/c", "/b"}));
    EXPECT_EQ(index, 1);
}

TEST(FolderHistoryTest, PickDeletesEntriesThatCannotBeMade) {
    QStringList history{"/now", "/gone1", "/gone2", "/ok"};
    int index = 1;
    test::FakeMessenger messenger;
    const auto usable = [](const QString& folder) { return !folder.startsWith("/gone"); };
    EXPECT_EQ(PickHistoryFolder(history, index, usable, messenger), "/ok");
    EXPECT_EQ(history, QStringList({"/now", "/ok"}));
    EXPECT_EQ(index, 1);
    EXPECT_EQ(messenger.Texts(),
              QStringList({"/gone1\nこのフォルダーは、存在しないので、登録を削除します☆",
                           "/gone2\nこのフォルダーは、存在しないので、登録を削除します☆"}));

    QStringList gone{"/gone1"};
    index = 0;
    messenger.calls.clear();
    EXPECT_EQ(PickHistoryFolder(gone, index, usable, messenger), "");
    EXPECT_EQ(index, -1);
    EXPECT_EQ(messenger.calls.back().text, "ヒストリー登録フォルダーが存在しないので、停止します☆");
    EXPECT_EQ(messenger.calls.back().kind, test::FakeMessenger::Kind::Plain);
}

} // namespace
} // namespace veskar
