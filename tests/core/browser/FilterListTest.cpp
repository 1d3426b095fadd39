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

} // namespace
} // namespace veskar
