#include <gtest/gtest.h>

#include "core/timelists/StartColors.h"

namespace veskar {
namespace {

TEST(StartColorsTest, OnlyTheFirstCharacterOfATagCounts) {
    EXPECT_EQ(StartColorCode(u""), 0);
    EXPECT_EQ(StartColorCode(u"1"), 1);
    EXPECT_EQ(StartColorCode(u"5x"), 5);
    EXPECT_EQ(StartColorCode(u"6"), 6);
    EXPECT_EQ(StartColorCode(u"7"), 0);
    EXPECT_EQ(StartColorCode(u"x5"), 0);
}

TEST(StartColorsTest, RegistrationTag) {
    StartColorSettings settings = DefaultStartColorSettings();
    EXPECT_EQ(RegistrationTag(true, settings), "");
    settings.defaultStartColor = 4;
    EXPECT_EQ(RegistrationTag(true, settings), "4");
    EXPECT_EQ(RegistrationTag(false, settings), "");
    settings.startTimesEnabled = false;
    EXPECT_EQ(RegistrationTag(true, settings), "");
}

} // namespace
} // namespace veskar
