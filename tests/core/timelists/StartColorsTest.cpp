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

TEST(StartColorsTest, MenuCaptions) {
    EXPECT_EQ(ContinuousTargetMenuCaption(0), "連続再生対象選択　すべて (&R)");
    EXPECT_EQ(ContinuousTargetMenuCaption(6), "連続再生対象選択　ピンクのみ (&R)");
    EXPECT_EQ(ContinuousTargetItemCaption(4), "黄色のみ(&Y)");

    const QStringList names = DefaultColorTagNames();
    ASSERT_EQ(names.size(), 7);
    EXPECT_EQ(ClassificationItemCaption(0, names[0]), "無印 > (&N)");
    EXPECT_EQ(ClassificationItemCaption(5, "ライブ"), "水色 > ライブ(&M)");
    EXPECT_EQ(ClassificationItemCaption(6, names[6]), "ピンク > Pink(&P)");

    const QString title = ClassificationInputTitle();
    EXPECT_TRUE(title.startsWith("色別、分類名(ファイル名の最後に付加)"));
    EXPECT_TRUE(title.endsWith(QString(8, QChar(0x3000))));
    EXPECT_EQ(title.size(), QStringLiteral("色別、分類名(ファイル名の最後に付加)").size() + 8);
}

} // namespace
} // namespace veskar
