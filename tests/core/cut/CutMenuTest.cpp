#include <gtest/gtest.h>

#include "core/cut/CutMenu.h"

namespace veskar::test {

namespace {

struct ListCase {
    CutListKind list;
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
        const bool registered = c.list == CutListKind::ListBox_C;
        EXPECT_EQ(state.colorItemsVisible, registered);
        EXPECT_EQ(state.colorItemsEnabled, registered && startTimes);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Lists, CutMenuListTest,
    testing::Values(ListCase{CutListKind::ListBox_C, "登録リストのカット", -1},
                    ListCase{CutListKind::ListBox_ALL, "等間隔リストのカット", -1},
                    ListCase{CutListKind::ListBox_1ms, "1msリストのカット", 1},
                    ListCase{CutListKind::ListBox_10ms, "10msリストのカット", 10},
                    ListCase{CutListKind::ListBox_100ms, "100msリストのカット", 100},
                    ListCase{CutListKind::ListBox_1s, "1sリストのカット", 1000},
                    ListCase{CutListKind::ListBox_10s, "10sリストのカット", 10000},
                    ListCase{CutListKind::ListBox_60s, "60sリストのカット", 60000}));

TEST(CutMenuTest, DirectCutItemsFollowThePendingCut) {
    CutMenuState state = PrepareCutMenu(CutListKind::ListBox_C, true, false);
    EXPECT_TRUE(state.oneTimeCutEnabled);
    EXPECT_FALSE(state.oneTimeResetEnabled);
    state = PrepareCutMenu(CutListKind::ListBox_1s, true, true);
    EXPECT_FALSE(state.oneTimeCutEnabled);
    EXPECT_TRUE(state.oneTimeResetEnabled);
}

TEST(CutMenuTest, ColorFilterOfEachCommand) {
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT), "");
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT_ALL), "");
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT_ST), "@");
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT_ST_Blue), "1");
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT_ST_Red), "2");
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT_ST_Lime), "3");
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT_ST_Yellow), "4");
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT_ST_Aqua), "5");
    EXPECT_EQ(ColorFilterOf(CutCommand::WAV_CUT_ST_Pink), "6");
}

} // namespace

} // namespace veskar::test
