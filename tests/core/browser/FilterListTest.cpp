#include <gtest/gtest.h>

#include "core/browser/FilterList.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

const QStringList kFilters{"*.WAV", "ALL (*.*)", "*.MP3", "*.AIF"};

TEST(FilterListTest, BasicEntriesCannotBeChangedOrDeleted) {
    for (int index : {0, 1}) {
        QStringList filters = kFilters;
        int selected = index;
        test::FakeMessenger messenger;
        EXPECT_FALSE(ChangeFilterEntry(filters, index, "*.TXT", messenger));
        EXPECT_FALSE(DeleteFilterEntry(filters, selected, messenger));
        EXPECT_EQ(filters, kFilters);
        EXPECT_EQ(selected, index);
        EXPECT_EQ(messenger.Texts(), QStringList({"ALLまでの基本設定は、変更出来ません・・・",
                                                  "ALLまでの基本設定は、削除出来ません・・・"}));
    }
}

TEST(FilterListTest, UserEntriesChangeAddAndDelete) {
    QStringList filters = kFilters;
    test::FakeMessenger messenger;
    EXPECT_TRUE(ChangeFilterEntry(filters, 2, "*.wav;*.mp3", messenger));
    EXPECT_EQ(AddFilterEntry(filters), 4);
    int selected = 4;
    EXPECT_TRUE(DeleteFilterEntry(filters, selected, messenger));
    EXPECT_EQ(selected, 3) << "the last entry went, so the one before it is selected";
    selected = 2;
    EXPECT_TRUE(DeleteFilterEntry(filters, selected, messenger));
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(filters, QStringList({"*.WAV", "ALL (*.*)", "*.AIF"}));
    EXPECT_TRUE(messenger.calls.empty());
}

} // namespace
} // namespace veskar
