#include <gtest/gtest.h>

#include "core/timelists/TimeText.h"

namespace veskar {
namespace {

TimeFormat Format(TimeMs lengthMs, bool minutesMode) {
    TimeFormat format;
    format.SetFileLength(lengthMs);
    format.SetMinutesMode(minutesMode);
    return format;
}

struct WidthCase {
    TimeMs lengthMs;
    int timeDigits;
    int minuteDigits;
};

TEST(TimeFormatTest, WidthsFollowTheFileLength) {
    const WidthCase cases[] = {
        {0, 1, 1},      {-1, 2, 1},      {59999, 5, 1},   {60000, 5, 1},    {599999, 6, 1},
        {600000, 6, 2}, {3599999, 7, 2}, {3600000, 7, 2}, {36000000, 8, 3}, {INT32_MAX, 10, 5},
    };
    for (const auto& c : cases) {
        const TimeFormat format = Format(c.lengthMs, true);
        EXPECT_EQ(format.FileLengthMs(), c.lengthMs);
        EXPECT_EQ(format.TimeDigits(), c.timeDigits) << c.lengthMs;
        EXPECT_EQ(format.MinuteDigits(), c.minuteDigits) << c.lengthMs;
    }
}

struct TextCase {
    TimeMs lengthMs;
    bool minutesMode;
    TimeMs t;
    const char* text;
};

TEST(TimeFormatTest, FormatsBothForms) {
    const TextCase cases[] = {
        {3600000, false, 83456, "0083456"},   {3600000, false, 3600000, "3600000"},
        {3600000, true, 754321, "12.34321"},  {3600000, true, 0, "00.00000"},
        {3600000, true, 3600000, "60.00000"}, {59999, true, 59999, "0.59999"},
        {36000000, true, 61000, "001.01000"}, {-1, false, 5, "05"},
        {1000, false, 123456, "123456"}, // wider than the file: never cut
        {1000, true, 3600000, "60.00000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Format(c.lengthMs, c.minutesMode).FormatTime(c.t), QString::fromUtf8(c.text))
            << c.lengthMs << " " << c.minutesMode << " " << c.t;
    }
}

TEST(TimeFormatTest, PositionText) {
    const TimeFormat minutes = Format(3600000, true);
    const TimeFormat ms = Format(3600000, false);
    EXPECT_EQ(minutes.FormatPosition(754321), "12.34");
    EXPECT_EQ(ms.FormatPosition(754321), "754");
    EXPECT_EQ(minutes.FormatPosition(60000), "1.00");
    EXPECT_EQ(minutes.FormatPosition(999), "0.00");
    EXPECT_EQ(ms.FormatPosition(999), "0");
    EXPECT_EQ(minutes.FormatPosition(3600000), "60.00");
    for (const TimeMs belowOne : {0, -1, -60000}) {
        EXPECT_EQ(minutes.FormatPosition(belowOne), "0");
        EXPECT_EQ(ms.FormatPosition(belowOne), "0");
    }
}

TEST(ParseTimeTest, ReadsEitherFormWhateverTheMode) {
    const struct {
        const char* text;
        TimeMs t;
    } cases[] = {
        {"0083456", 83456},   {"01.23456", 83456},        {" 12.34321 ", 754321},    {"0", 0},
        {"1.123456", 183456}, {"35791.23647", INT32_MAX}, {"2147483647", INT32_MAX},
    };
    for (const auto& c : cases) {
        const auto t = ParseTime(QString::fromUtf8(c.text));
        ASSERT_TRUE(t.has_value()) << c.text;
        EXPECT_EQ(*t, c.t) << c.text;
    }
}

TEST(ParseTimeTest, RejectsWhatIsNoTime) {
    for (const char* text : {"", "  ", ".", "1.", ".5", "abc", "1.2.3", "-5", "1.-5", "12 34",
                             "2147483648", "35791.23648", "99999999999"}) {
        EXPECT_FALSE(ParseTime(QString::fromUtf8(text)).has_value()) << text;
    }
}

} // namespace
} // namespace veskar
