#include <gtest/gtest.h>

#include "core/timelists/TimeLists.h"
#include "support/FakeHost.h"

namespace veskar {
namespace {

using Kind = test::FakeMessenger::Kind;

class TimeListsTest : public testing::Test {
protected:
    // A one-hour file in milliseconds form at the 1 s interval.
    void SetUp() override {
        lists.format.SetMinutesMode(false);
        lists.intervalMs = 1000;
        ChooseFile(3600000);
    }
    void ChooseFile(TimeMs lengthMs) {
        lists.ChooseFile(lengthMs);
        lists.registered.Clear();
        ASSERT_TRUE(lists.RebuildTimeLists(host.messenger, host.pump));
    }
    void SelectLines(TimeList& list, std::initializer_list<int> lines) {
        list.ClearSelection();
        for (const int line : lines) {
            list.SetSelected(line, true);
        }
    }
    QStringList Texts() const { return lists.registered.Texts(); }
    QStringList Tags() const { return lists.registered.Tags(); }
    void ExpectOneTimedMessage(const char* text) {
        ASSERT_EQ(host.messenger.calls.size(), 1u);
        EXPECT_EQ(host.messenger.calls[0].kind, Kind::Timed);
        EXPECT_EQ(host.messenger.calls[0].text, QString::fromUtf8(text));
        host.messenger.calls.clear();
    }

    TimeLists lists;
    test::FakeHost host;
};

TEST_F(TimeListsTest, RegistersLinesInTimeOrderKeepingTags) {
    lists.startColors.defaultStartColor = 2;
    lists.registered.InsertRegisteredTime("0010500", "5", true);
    lists.registered.InsertRegisteredTime("0000250", "1", true);
    lists.registered.InsertRegisteredTime("0045000", "", true);

    TimeList& oneSecond = lists.subdivisions[3];
    oneSecond.Assign({"0030000", "0017000", "0001000"}); // deliberately descending
    oneSecond.SelectAll();
    EXPECT_EQ(lists.RegisterLines(oneSecond, true, host.messenger),
              TimeLists::RegisterResult::Registered);
    EXPECT_TRUE(host.messenger.calls.empty());
    EXPECT_EQ(Texts(),
              (QStringList{"0000250", "0001000", "0010500", "0017000", "0030000", "0045000"}));
    EXPECT_EQ(Tags(), (QStringList{"1", "2", "5", "2", "2", ""}));
    // The last line handled (index order: the earliest time) is current.
    EXPECT_EQ(lists.registered.Lines().Current(), 1);
}

TEST_F(TimeListsTest, RegisteringTwiceWithoutColourClearsTheColour) {
    lists.startColors.defaultStartColor = 3;
    lists.interval.SelectOnly(83);
    lists.RegisterLines(lists.interval, true, host.messenger);
    EXPECT_EQ(Texts(), QStringList{"0083000"});
    EXPECT_EQ(Tags(), QStringList{"3"});
    lists.RegisterLines(lists.interval, false, host.messenger);
    EXPECT_EQ(Texts(), QStringList{"0083000"});
    EXPECT_EQ(Tags(), QStringList{""});

    lists.RegisterLines(lists.interval, true, host.messenger);
    lists.startColors.startTimesEnabled = false;
    lists.RegisterLines(lists.interval, false, host.messenger);
    EXPECT_EQ(Tags(), QStringList{"3"}) << "tags stay while start times are off";
}

TEST_F(TimeListsTest, RegistrationMessages) {
    TimeList empty;
    EXPECT_EQ(lists.RegisterLines(empty, true, host.messenger),
              TimeLists::RegisterResult::EmptySource);
    ExpectOneTimedMessage("リストに登録データがありません・・・");

    lists.interval.ClearSelection();
    EXPECT_EQ(lists.RegisterLines(lists.interval, true, host.messenger),
              TimeLists::RegisterResult::NothingSelected);
    ExpectOneTimedMessage("データを選択して下さい☆☆☆");

    QStringList full;
    for (int i = 0; i < RegisteredList::kMaxLines; ++i) {
        full.append(lists.format.FormatTime(i * 3));
    }
    lists.registered.Assign(full, {});
    SelectLines(lists.interval, {1, 2});
    EXPECT_EQ(lists.RegisterLines(lists.interval, true, host.messenger),
              TimeLists::RegisterResult::NothingSelected);
    ExpectOneTimedMessage("データを選択して下さい☆☆☆");
}

// Song starts get the colour the silence list shows them in: blue while no default colour is
// chosen, else the default colour; silence starts get none.
TEST_F(TimeListsTest, SilenceMarksDecideWhichLinesGetTheColour) {
    TimeList silence;
    silence.Assign({"0001000", "0002000", "0003000"});
    silence.SelectAll();
    const QStringList marks = {"6", "", "1"};
    lists.RegisterLines(silence, true, host.messenger, &marks);
    EXPECT_EQ(Tags(), (QStringList{"1", "", "1"}));
    lists.startColors.defaultStartColor = 6;
    lists.RegisterLines(silence, true, host.messenger, &marks);
    EXPECT_EQ(Tags(), (QStringList{"6", "", "6"}));
    lists.RegisterLines(silence, false, host.messenger, &marks);
    EXPECT_EQ(Tags(), (QStringList{"", "", ""}));
    lists.startColors.startTimesEnabled = false;
    lists.RegisterLines(silence, true, host.messenger, &marks);
    EXPECT_EQ(Tags(), (QStringList{"", "", ""}));
}

TEST_F(TimeListsTest, RegisterPositionUsesTheQueryOrTheLabel) {
    lists.startColors.defaultStartColor = 4;
    EXPECT_EQ(lists.RegisterPosition(true, QString(" 754321 "), "1", host.messenger),
              TimeLists::RegisterResult::Registered);
    EXPECT_EQ(lists.RegisterPosition(false, std::nullopt, "12.34", host.messenger),
              TimeLists::RegisterResult::Registered);
    EXPECT_EQ(lists.RegisterPosition(true, std::nullopt, "83", host.messenger),
              TimeLists::RegisterResult::Registered);
    EXPECT_EQ(Texts(), (QStringList{"0083000", "0754000", "0754321"}));
    EXPECT_EQ(Tags(), (QStringList{"4", "", "4"}));
    EXPECT_TRUE(host.messenger.calls.empty());

    EXPECT_EQ(lists.RegisterPosition(true, QString("  "), "1", host.messenger),
              TimeLists::RegisterResult::NoPosition);
    ExpectOneTimedMessage("再生位置の取得に失敗しました・・・");
    EXPECT_EQ(lists.registered.Count(), 3);
}

TEST_F(TimeListsTest, DeletingForcesZonePlaybackForModesThatWalkTheList) {
    lists.registered.Assign({"0001000", "0002000", "0003000"}, {"1", "", "2"});
    for (const CutPlayMode mode : {CutPlayMode::Continuous, CutPlayMode::Skip}) {
        CutPlayMode playMode = mode;
        lists.registered.SelectOnly(0);
        EXPECT_EQ(lists.DeleteSelected(playMode, host.messenger), 1);
        EXPECT_EQ(playMode, CutPlayMode::Zone);
        ExpectOneTimedMessage("「PLAY Mode」は「ゾーン」再生に、強制変更されました☆☆☆");
    }
    CutPlayMode playMode = CutPlayMode::End;
    lists.registered.SelectOnly(0);
    EXPECT_EQ(lists.DeleteSelected(playMode, host.messenger), 1);
    EXPECT_EQ(playMode, CutPlayMode::End);
    EXPECT_TRUE(host.messenger.calls.empty());
    EXPECT_TRUE(lists.registered.IsEmpty());
    EXPECT_TRUE(lists.registered.Tags().isEmpty());
}

TEST_F(TimeListsTest, ModeSwitchRewritesRegisteredLinesBothWays) {
    lists.registered.Assign({"0000000", "0083456", "3600000"}, {"", "3", "5"});
    lists.registered.SelectOnly(1);
    lists.subdivisions[2].Append("0000100");

    lists.format.SetMinutesMode(true);
    ASSERT_TRUE(lists.RebuildTimeLists(host.messenger, host.pump));
    EXPECT_EQ(lists.format.MinuteDigits(), 2);
    EXPECT_EQ(Texts(), (QStringList{"00.00000", "01.23456", "60.00000"}));
    EXPECT_EQ(Tags(), (QStringList{"", "3", "5"}));
    EXPECT_EQ(lists.registered.Lines().Current(), 1);
    EXPECT_EQ(lists.registered.Lines().SelectedIndexes(), std::vector<int>{1});
    ASSERT_EQ(lists.interval.Count(), 3601);
    EXPECT_EQ(lists.interval.Text(0), "00.00000");
    EXPECT_EQ(lists.interval.Text(3600), "60.00000");
    for (const auto& list : lists.subdivisions) {
        EXPECT_TRUE(list.IsEmpty());
    }

    lists.format.SetMinutesMode(false);
    ASSERT_TRUE(lists.RebuildTimeLists(host.messenger, host.pump));
    EXPECT_EQ(Texts(), (QStringList{"0000000", "0083456", "3600000"}));
    EXPECT_EQ(Tags(), (QStringList{"", "3", "5"}));
    EXPECT_EQ(lists.interval.Text(3600), "3600000");
}

TEST_F(TimeListsTest, ChoosingAFileRestoresTheChoiceAndDropsIntervalLevels) {
    lists.intervalLevels[0] = {1, 2, 3};
    lists.slotLevels[3][0] = 500;
    lists.intervalMs = 600000;
    lists.intervalIndex = 0;
    lists.ChooseFile(7200000);
    EXPECT_EQ(lists.intervalIndex, 3);
    EXPECT_EQ(lists.format.TimeDigits(), 7);
    EXPECT_TRUE(lists.intervalLevels[0].empty());
    EXPECT_EQ(lists.slotLevels[3][0], 500) << "slot levels stay until measured again";
}

TEST_F(TimeListsTest, IntervalBuildThatOverflowsSaysSo) {
    lists.ChooseFile(INT32_MAX);
    EXPECT_FALSE(lists.BuildIntervalList(0, host.messenger, host.pump));
    ASSERT_EQ(host.messenger.calls.size(), 1u);
    EXPECT_EQ(host.messenger.calls[0].kind, Kind::Plain);
    EXPECT_EQ(host.messenger.calls[0].text, "登録数が範囲を超えました。");
    EXPECT_EQ(lists.interval.Count(), kMaxIntervalLines);
}

TEST_F(TimeListsTest, SubdivideFromAListWithoutCurrentLineTakesTheFirst) {
    lists.BuildIntervalList(2, host.messenger, host.pump); // 60 s
    SelectLines(lists.interval, {3, 4});
    lists.interval.SetCurrent(-1);
    EXPECT_EQ(
        lists.SubdivideFromList(5, lists.interval, SpecialMode::Off, host.messenger, host.pump),
        TimeLists::SubdivideResult::Filled);
    EXPECT_EQ(lists.interval.Current(), 0);
    EXPECT_EQ(lists.interval.SelectedIndexes(), std::vector<int>{0});
    for (int level = 0; level <= 5; ++level) {
        const TimeList& list = lists.subdivisions[level];
        ASSERT_FALSE(list.IsEmpty()) << level;
        EXPECT_EQ(list.Text(0), "0000000") << level;
        EXPECT_EQ(list.Text(list.Current()), "0000000") << level;
    }
    EXPECT_EQ(lists.subdivisions[5].Count(), 61);
}

TEST_F(TimeListsTest, SubdivideFromTheCurrentLineDownToLevelZero) {
    lists.subdivisions[1].Append("stale 10ms");
    lists.subdivisions[4].Assign({"0000000", "0010000", "0020000"});
    lists.subdivisions[4].SelectOnly(2);
    lists.subdivisions[4].SetSelected(0, true);
    lists.subdivisions[5].Append("kept");
    EXPECT_EQ(lists.SubdivideFromList(3, lists.subdivisions[4], SpecialMode::Off, host.messenger,
                                      host.pump),
              TimeLists::SubdivideResult::Filled);
    EXPECT_EQ(lists.subdivisions[4].SelectedIndexes(), std::vector<int>{2});
    EXPECT_EQ(lists.subdivisions[3].Text(0), "0018000");
    EXPECT_EQ(lists.subdivisions[1].Text(lists.subdivisions[1].Current()), "0020000");
    EXPECT_EQ(lists.subdivisions[5].Texts(), QStringList{"kept"});
    EXPECT_GE(host.pump.calls, 4);
}

TEST_F(TimeListsTest, SubdivideFailures) {
    TimeList empty;
    lists.subdivisions[3].Append("kept");
    EXPECT_EQ(lists.SubdivideFromList(3, empty, SpecialMode::Off, host.messenger, host.pump),
              TimeLists::SubdivideResult::NoLines);
    ExpectOneTimedMessage("タイムがありません・・・");
    EXPECT_EQ(lists.SubdivideFromRegistered(SpecialMode::Off, host.messenger, host.pump),
              TimeLists::SubdivideResult::NoLines);
    ExpectOneTimedMessage("タイムがありません・・・");
    EXPECT_EQ(
        lists.SubdivideFromPosition(QString(""), "1", SpecialMode::Off, host.messenger, host.pump),
        TimeLists::SubdivideResult::NoPosition);
    ExpectOneTimedMessage("再生位置の取得に失敗しました・・・");
    EXPECT_EQ(lists.subdivisions[3].Texts(), QStringList{"kept"});
}

TEST_F(TimeListsTest, SubdivideFromThePositionLabelWhenTheQueryFails) {
    lists.format.SetMinutesMode(true);
    lists.RebuildTimeLists(host.messenger, host.pump);
    EXPECT_EQ(lists.SubdivideFromPosition(std::nullopt, "12.34", SpecialMode::Off, host.messenger,
                                          host.pump),
              TimeLists::SubdivideResult::Filled);
    const TimeList& sixty = lists.subdivisions[5];
    EXPECT_EQ(*ParseTime(sixty.Text(sixty.Current())), 754000);
    const TimeList& oneMs = lists.subdivisions[0];
    EXPECT_EQ(oneMs.Text(oneMs.Current()), "12.34000");
}

TEST_F(TimeListsTest, LevelsShownOnLines) {
    LevelDisplayOptions options;
    lists.intervalIndex = 1;
    lists.intervalLevels[1] = {-99, -98, 0, 30000};
    EXPECT_FALSE(lists.IntervalLineLevel(0, options).has_value());
    EXPECT_EQ(lists.IntervalLineLevel(1, options), -98);
    EXPECT_FALSE(lists.IntervalLineLevel(4, options).has_value());
    lists.intervalIndex = 0;
    EXPECT_FALSE(lists.IntervalLineLevel(3, options).has_value());

    lists.slotLevels[3][2] = 0;
    lists.slotLevels[3][3] = -1;
    lists.slotLevels[4][0] = 100;
    lists.slotLevels[5][65] = 200;
    EXPECT_EQ(lists.SubdivisionLineLevel(3, 2, options), 0);
    EXPECT_FALSE(lists.SubdivisionLineLevel(3, 3, options).has_value());
    EXPECT_FALSE(lists.SubdivisionLineLevel(3, 16, options).has_value());
    EXPECT_FALSE(lists.SubdivisionLineLevel(4, 0, options).has_value());
    EXPECT_FALSE(lists.SubdivisionLineLevel(5, 65, options).has_value());
    options.color10s = options.color60s = true;
    EXPECT_EQ(lists.SubdivisionLineLevel(4, 0, options), 100);
    EXPECT_EQ(lists.SubdivisionLineLevel(5, 65, options), 200);
    options.colorLevels = false;
    EXPECT_FALSE(lists.SubdivisionLineLevel(3, 2, options).has_value());
}

TEST_F(TimeListsTest, LevelsToMeasureAfterASubdivision) {
    LevelDisplayOptions options;
    EXPECT_EQ(TimeLists::LevelsToMeasure(5, options), (std::vector<int>{3, 2, 1, 0}));
    EXPECT_EQ(TimeLists::LevelsToMeasure(1, options), (std::vector<int>{1, 0}));
    options.color10s = options.color60s = true;
    EXPECT_EQ(TimeLists::LevelsToMeasure(5, options), (std::vector<int>{5, 4, 3, 2, 1, 0}));
    options.colorLevels = false;
    EXPECT_TRUE(TimeLists::LevelsToMeasure(5, options).empty());
}

} // namespace
} // namespace veskar
