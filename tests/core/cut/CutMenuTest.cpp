#include <gtest/gtest.h>

#include "core/cut/CutMenu.h"

namespace veskar::test {

namespace {

struct ListCase {
    TimeListId list;
    const char* title;
};

class CutMenuListTest : public testing::TestWithParam<ListCase> {};

TEST_P(CutMenuListTest, TitleStepAndColourItems) {
    const ListCase& c = GetParam();
    for (bool startTimes : {false, true}) {
        const CutMenuState state = PrepareCutMenu(c.list, startTimes, false);
        EXPECT_EQ(state.title, QString::fromUtf8(c.title) + QString::fromUtf8("、メニュー(&X)"));
        const bool registered = c.list == TimeListId::Registered;
        EXPECT_EQ(state.colorItemsVisible, registered);
        EXPECT_EQ(state.colorItemsEnabled, registered && startTimes);
    }
}

INSTANTIATE_TEST_SUITE_P(Lists, CutMenuListTest,
                         testing::Values(ListCase{TimeListId::Registered, "登録リストのカット"},
                                         ListCase{TimeListId::Interval, "等間隔リストのカット"},
                                         ListCase{TimeListId::Level1ms, "1msリストのカット"},
                                         ListCase{TimeListId::Level10ms, "10msリストのカット"},
                                         ListCase{TimeListId::Level100ms, "100msリストのカット"},
                                         ListCase{TimeListId::Level1s, "1sリストのカット"},
                                         ListCase{TimeListId::Level10s, "10sリストのカット"},
                                         ListCase{TimeListId::Level60s, "60sリストのカット"}));

} // namespace

} // namespace veskar::test
