#include <gtest/gtest.h>

#include "core/cut/CutMenu.h"

namespace veskar::test {

namespace {

struct ListCase {
    TimeListId list;
    const char* title;
    TimeMs lastStep;
};

class CutMenuListTest : public testing::TestWithParam<ListCase> {};

TEST_P(CutMenuListTest, TitleStepAndColourItems) {
    const ListCase& c = GetParam();
    EXPECT_EQ(LastLineStepMs(c.list), c.lastStep);
    for (bool startTimes : {false, true}) {
        const CutMenuState state = PrepareCutMenu(c.list, startTimes, false);
        EXPECT_EQ(state.title, QString::fromUtf8(c.title) + QString::fromUtf8("、メニュー(&X)"));
        const bool registered = c.list == TimeListId::Registered;
        EXPECT_EQ(state.colorItemsVisible, registered);
        EXPECT_EQ(state.colorItemsEnabled, registered && startTimes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CutMenuListTest,
    testing::Values(ListCase{TimeListId::Registered, "登録リストのカット", -1},
                    ListCase{TimeListId::Interval, "等間隔リストのカット", -1},
                    ListCase{TimeListId::Level1ms, "1msリストのカット", 1},
                    ListCase{TimeListId::Level10ms, "10msリストのカット", 10},
                    ListCase{TimeListId::Level100ms, "100msリストのカット", 100},
                    ListCase{TimeListId::Level1s, "1sリストのカット", 1000},
                    ListCase{TimeListId::Level10s, "10sリストのカット", 10000},
                    ListCase{TimeListId::Level60s, "60sリストのカット", 60000}));

TEST(CutMenuTest, DirectCutItemsFollowThePendingCut) {
    CutMenuState state = PrepareCutMenu(TimeListId::Registered, true, false);
    EXPECT_TRUE(state.oneTimeCutEnabled);
    EXPECT_FALSE(state.oneTimeResetEnabled);
    state = PrepareCutMenu(TimeListId::Level1s, true, true);
    EXPECT_FALSE(state.oneTimeCutEnabled);
    EXPECT_TRUE(state.oneTimeResetEnabled);
}

} // namespace

} // namespace veskar::test
