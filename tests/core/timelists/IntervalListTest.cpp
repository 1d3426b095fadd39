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
        {-1, 1000, 0, ""}, // unknown length
        {0, 1000, 1, "0"},
        {999, 1000, 1, "000"},
        {25000, 10000, 3, "20000"},
        {59999, 60000, 1, "00000"},
        {36000000, 1000, 36001, "36000000"},
        // The last step from here would pass the top of TimeMs; the build must not wrap.
        {INT32_MAX, 3600000, 597, "2145600000"},
    };
    for (const auto& c : cases) {
        TimeList list;
        list.Append("stale");
        ASSERT_TRUE(BuildIntervalList(Format(c.length, false), c.interval, list));
        ASSERT_EQ(list.Count(), c.lines) << c.length << "/" << c.interval;
        EXPECT_EQ(list.Texts().value(c.lines - 1), c.last);
    }
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
    EXPECT_EQ(IntervalMsForIndex(kIntervalChoices - 1), 3600000);
    EXPECT_EQ(IntervalIndexForMs(3600000), kIntervalChoices - 1);
    EXPECT_EQ(IntervalMsForIndex(-1), 1000);
    EXPECT_EQ(IntervalMsForIndex(kIntervalChoices), 1000);
    EXPECT_EQ(IntervalIndexForMs(12345), 0);
}

} // namespace
} // namespace veskar
