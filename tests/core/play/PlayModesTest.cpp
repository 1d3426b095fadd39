#include <gtest/gtest.h>

#include "core/play/PlayModes.h"
#include "core/play/PositionBars.h"

namespace veskar::test {

TEST(ProbeMenuTest, ItemValuesAndCaptions) {
    struct Case {
        ProbeMenu menu;
        int item;
        TimeMs ms;
        const char* caption;
    };
    const Case cases[] = {
        {ProbeMenu::Start, 0, 1000, "S 1s"},     {ProbeMenu::Start, 9, 900, "S 900"},
        {ProbeMenu::End, 12, 500, "E 500"}, // outside the menu: the default item
        {ProbeMenu::SilentEnd, 0, 50, "無E50 "}, {ProbeMenu::SilentStart, -1, 100, "無S100"},
        {ProbeMenu::Edge, 5, 7000, "前後 7s"},   {ProbeMenu::Edge, 6, 10000, "前後10s"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProbeItemMs(c.menu, c.item), c.ms) << c.caption;
        EXPECT_EQ(ProbeCaption(c.menu, c.item), QString(c.caption)) << c.caption;
    }
}

TEST(FileModeCaptionsTest, SecondsAndCaptions) {
    EXPECT_EQ(FileModeSeconds(0), 30);
    EXPECT_EQ(FileModeSeconds(9), 1);
    EXPECT_EQ(FileModeSeconds(10), 10);
    EXPECT_EQ(IntroMenuCaption(6), "イントロ4(&I)");
    EXPECT_EQ(EdgeMenuItems()[5], "5 (初期値)");
}

TEST(FileModeCaptionsTest, PlayModeEntryFromSettings) {
    EXPECT_EQ(FilePlayModeFromText("シャッフル"), 5);
    EXPECT_EQ(FilePlayModeFromText("逆連再生"), 2);
    EXPECT_EQ(FilePlayModeFromText("nonsense"), 1);
    EXPECT_EQ(FilePlayModeFromText(""), 1);
}

TEST(PlayModePresetTest, ItemsAndStartOnly) {
    PlayModePreset preset;
    EXPECT_EQ(preset.Item(), 2);
    EXPECT_TRUE(preset.StartOnly());
    EXPECT_EQ(preset.ModeAtStartup(), CutPlayMode::Zone);
    EXPECT_EQ(preset.ModeForNewFile(), std::nullopt);

    preset.ToggleStartOnly();
    preset.Choose(6);
    EXPECT_EQ(preset.ModeForNewFile(), CutPlayMode::Off);
    preset.Choose(0);
    EXPECT_EQ(preset.ModeAtStartup(), std::nullopt);
    EXPECT_EQ(preset.ModeForNewFile(), std::nullopt);
    preset.Choose(7);
    EXPECT_EQ(preset.Item(), 0);
}

TEST(PositionBarsTest, ScalesSeeksAndWidths) {
    PositionBars bars;
    bars.Rescale(600000, {400, 1000, 0});
    EXPECT_EQ(bars.ScaleMs(PositionBar::FileScreen), 1500);
    EXPECT_EQ(bars.ScaleMs(PositionBar::CutScreen), 600);
    EXPECT_EQ(bars.ScaleMs(PositionBar::Table), 600000) << "a panel without width";
    EXPECT_EQ(bars.Widths(300000), (std::array<int, kPositionBars>{200, 500, 1}));

    bars.Rescale(1001, {2, 1002, 1001});
    EXPECT_EQ(bars.ScaleMs(PositionBar::FileScreen), 501) << "rounded";
    EXPECT_EQ(bars.ScaleMs(PositionBar::CutScreen), 1) << "wider than the length";
    EXPECT_EQ(bars.ScaleMs(PositionBar::Table), 1);

    EXPECT_EQ(bars.TakePendingSeek(), std::nullopt);
    bars.SetPendingSeek(PositionBar::FileScreen, 2);
    bars.SetPendingSeek(PositionBar::CutScreen, 700);
    EXPECT_EQ(bars.TakePendingSeek(), 700) << "the cut-screen bar comes later and wins";
    EXPECT_FALSE(bars.HasPendingSeek(PositionBar::FileScreen));
    EXPECT_EQ(bars.TakePendingSeek(), std::nullopt);
    bars.SetPendingSeek(PositionBar::FileScreen, 1);
    EXPECT_EQ(bars.TakePendingSeek(), 501);
}

} // namespace veskar::test
