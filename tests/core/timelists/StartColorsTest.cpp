#include <gtest/gtest.h>

#include "core/timelists/StartColors.h"

namespace veskar {
namespace {

TEST(StartColorsTest, OnlyTheFirstCharacterOfATagCounts) {
    EXPECT_EQ(StartColorCode(u""), 0);
    EXPECT_EQ(StartColorCode(u"0"), 0);
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

TEST(StartColorsTest, ContinuousTargetPanelColour) {
    StartColorSettings settings = DefaultStartColorSettings();
    EXPECT_FALSE(ContinuousTargetColor(settings).has_value());
    settings.continuousTarget = 2;
    EXPECT_EQ(ContinuousTargetColor(settings), 0xFF0000u);
    settings.continuousTarget = 6;
    EXPECT_EQ(ContinuousTargetColor(settings), 0xFF00FFu);
    settings.startTimesEnabled = false;
    EXPECT_FALSE(ContinuousTargetColor(settings).has_value());
}

} // namespace
} // namespace veskar
