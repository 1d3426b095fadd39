#include <gtest/gtest.h>

#include "core/timelists/IntervalList.h"
#include "core/timelists/TimeList.h"
#include "core/timelists/TimeText.h"

namespace veskar {
namespace {

TimeFormat Format(TimeMs lengthMs, bool minutesMode) {
    TimeFormat format;
    format.SetFileLength(lengthMs);
    format.SetMinutesMode(minutesMode);
    return format;
}

TEST(IntervalListTest, LineCountIsLengthDivIntervalPlusOne) {
    const struct {
        TimeMs length;
        TimeMs interval;
        int lines;
        const char* last;
    } cases[] = {
        {0, 1000, 1, "0"},
        {999, 1000, 1, "000"},
        {25000, 10000, 3, "20000"},
        {59999, 60000, 1, "00000"},
        {36000000, 1000, 36001, "36000000"},
        {3599999, 600000, 6, "3000000"},
        // The last step from here would pass the top of TimeMs; the build must not wrap.
        {INT32_MAX, 3600000, 597, "2145600000"},
    };
    for (const auto& c : cases) {
        TimeList list;
        ASSERT_TRUE(BuildIntervalList(Format(c.length, false), c.interval, list));
        ASSERT_EQ(list.Count(), c.lines) << c.length << "/" << c.interval;
        EXPECT_EQ(list.Text(list.Count() - 1), c.last);
    }
}

TEST(IntervalListTest, UnknownLengthGivesNoLine) {
    TimeList list;
    list.Append("stale");
    EXPECT_TRUE(BuildIntervalList(Format(-1, true), 1000, list));
    EXPECT_EQ(list.Count(), 0);
}

TEST(IntervalListTest, RefusesPastItsCapacityKeepingWhatWasAdded) {
    TimeList list;
    EXPECT_FALSE(BuildIntervalList(Format(INT32_MAX, false), 1, list));
    ASSERT_EQ(list.Count(), kMaxIntervalLines);
    EXPECT_EQ(list.Text(kMaxIntervalLines - 1), "0000999999");

    EXPECT_FALSE(BuildIntervalList(Format(1000, false), 0, list));
    EXPECT_EQ(list.Count(), 0);
}

TEST(IntervalListTest, ChoiceTable) {
    const TimeMs intervals[] = {1000, 10000, 60000, 600000, 3600000};
    for (int index = 0; index < kIntervalChoices; ++index) {
        EXPECT_EQ(IntervalMsForIndex(index), intervals[index]);
        EXPECT_EQ(IntervalIndexForMs(intervals[index]), index);
    }
    EXPECT_EQ(IntervalMsForIndex(-1), 1000);
    EXPECT_EQ(IntervalMsForIndex(5), 1000);
    EXPECT_EQ(IntervalIndexForMs(12345), 0);
    EXPECT_EQ(IntervalIndexForMs(kStartIntervalMs), 1);
}

} // namespace
} // namespace veskar
