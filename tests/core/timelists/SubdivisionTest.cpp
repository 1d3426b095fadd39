#include <gtest/gtest.h>

#include <vector>

#include "core/timelists/Subdivision.h"
#include "core/timelists/TimeList.h"
#include "core/timelists/TimeText.h"
#include "support/FakeHost.h"

namespace veskar {
namespace {

struct FillCase {
    const char* name;
    TimeMs lengthMs;
    int level;
    int topLevel;
    TimeMs baseMs;
    SpecialMode specialMode;
    std::vector<TimeMs> expected; // every line, or first and last with count below
    int count;                    // 0: expected lists every line
    TimeMs selected;              // -1: no line selected
};

void PrintTo(const FillCase& c, std::ostream* os) {
    *os << c.name;
}

std::vector<TimeMs> Times(const TimeList& list) {
    std::vector<TimeMs> times;
    for (const QString& text : list.Texts()) {
        times.push_back(*ParseTime(text));
    }
    return times;
}

class FillSubdivisionTest : public testing::TestWithParam<FillCase> {};

TEST_P(FillSubdivisionTest, Window) {
    const FillCase& c = GetParam();
    TimeFormat format;
    format.SetFileLength(c.lengthMs);
    format.SetMinutesMode(false);
    TimeList list;
    list.Append("stale");
    test::FakeEventPump pump;
    ASSERT_TRUE(FillSubdivision(format, c.level, c.topLevel, c.baseMs, c.specialMode, list, &pump));

    const std::vector<TimeMs> times = Times(list);
    if (c.count == 0) {
        EXPECT_EQ(times, c.expected);
    } else {
        ASSERT_EQ(static_cast<int>(times.size()), c.count);
        EXPECT_EQ(times.front(), c.expected.front());
        EXPECT_EQ(times.back(), c.expected.back());
        for (size_t i = 1; i < times.size(); ++i) {
            EXPECT_EQ(times[i] - times[i - 1], SubdivisionStepMs(c.level));
        }
    }
    if (c.selected < 0) {
        EXPECT_EQ(list.Current(), -1);
        EXPECT_EQ(list.SelectedCount(), 0);
        EXPECT_EQ(pump.calls, 0);
    } else {
        ASSERT_GE(list.Current(), 0);
        EXPECT_EQ(times[static_cast<size_t>(list.Current())], c.selected);
        EXPECT_EQ(list.SelectedIndexes(), std::vector<int>{list.Current()});
        EXPECT_EQ(pump.calls, 1);
    }
}

using enum SpecialMode;

// clang-format off
const FillCase kFillCases[] = {
    {"MidFileOneSecond", 3600000, 3, 3, 100000, Off, {98000, 112000}, 15, 100000},
    {"FromHalfSecondStartsAtZero", 3600000, 3, 3, 500, Off,
     {0, 500, 1500, 2500, 3500, 4500, 5500, 6500, 7500, 8500, 9500, 10500, 11500, 12500}, 0, 500},
    {"FromZeroNothingBefore", 3600000, 3, 3, 0, Off, {0, 12000}, 13, 0},
    {"NearTheEndStopsAtLength", 5500, 3, 3, 3000, Off, {1000, 2000, 3000, 4000, 5000}, 0, 3000},
    {"EndExactlyOnAStep", 5000, 3, 3, 3000, Off, {1000, 2000, 3000, 4000, 5000}, 0, 3000},
    {"BaseBeyondTheEnd", 5500, 3, 3, 9000, Off, {}, 0, -1},
    {"UnknownLength", -1, 3, 3, 0, Off, {}, 0, -1},
    {"SixtySecondsFullWindow", 36000000, 5, 5, 180000, Off, {60000, 3900000}, 65, 180000},
    // The end-probe modes play up to a time, so the finest top list starts ten steps earlier.
    {"EndProbeShiftsOneMs", 3600000, 0, 0, 1000, EndProbe, {988, 1002}, 15, 990},
    {"SilentEndProbeShiftsTenMs", 3600000, 1, 1, 1000, SilentEndProbe, {880, 1020}, 15, 900},
    {"ShiftOnlyForTheTopList", 3600000, 0, 1, 1000, EndProbe, {998, 1012}, 15, 1000},
    {"NoShiftAbove10ms", 3600000, 2, 2, 1000, EndProbe, {800, 2200}, 15, 1000},
    {"NoShiftForStartProbe", 3600000, 0, 0, 1000, StartProbe, {998, 1012}, 15, 1000},
    {"ShiftClampedAtZero", 3600000, 0, 0, 5, EndProbe, {0, 12}, 13, 0},
    {"ShiftNearStartKeepsZeroLine", 3600000, 1, 1, 105, EndProbe,
     {0, 5, 15, 25, 35, 45, 55, 65, 75, 85, 95, 105, 115, 125}, 0, 5},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Cases, FillSubdivisionTest, testing::ValuesIn(kFillCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SubdivisionTest, UnknownLevelLeavesTheListAlone) {
    TimeFormat format;
    format.SetFileLength(3600000);
    TimeList list;
    list.Append("kept");
    EXPECT_FALSE(FillSubdivision(format, 6, 6, 1000, Off, list, nullptr));
    EXPECT_FALSE(FillSubdivision(format, -1, 0, 1000, Off, list, nullptr));
    EXPECT_EQ(list.Texts(), QStringList{"kept"});
    EXPECT_EQ(SubdivisionStepMs(6), 0);
}

} // namespace
} // namespace veskar
