#include "core/mixer/MixerPanels.h"

#include <gtest/gtest.h>

#include <tuple>

#include "core/settings/Settings.h"
#include "support/FakeHost.h"
#include "support/FakeMixer.h"

namespace veskar::test {
namespace {

using Value = std::pair<MixerLine, MixerControl>;
constexpr Value kMasterVolume{MixerLine::Master, MixerControl::Volume};
constexpr Value kMasterPeak{MixerLine::Master, MixerControl::Peak};

class MixerPanelsTest : public testing::Test {
protected:
    FakeMixer mixer;
    FakeMessenger messenger;
    Settings settings;
    MixerPanels panels{mixer, messenger, settings, 100};
};

TEST_F(MixerPanelsTest, VolumeInDisplayUnitsAndFromTheBar) {
    ASSERT_TRUE(panels.Open());
    // Values written and read back; a bar drag sets max - 655 × height, the height clipped to 100.
    const std::tuple<int, int, int> cases[] = {{128, -1, 32768}, {300, -1, 65535}, {-1, 150, 35}};
    for (const auto& [units, barEmpty, expectValue] : cases) {
        units >= 0 ? panels.SetVolumeUnits(2, units) : panels.SetVolumeFromBar(2, barEmpty);
        EXPECT_EQ(mixer.values[kMasterVolume], expectValue);
        EXPECT_EQ(panels.Slot(0).now, panels.Slot(2).now) << "both master panels follow";
    }
    mixer.values[kMasterVolume] = 30000;
    emit mixer.ControlChanged(0x10); // a change made elsewhere
    EXPECT_EQ(panels.Slot(0).now, 117);
    panels.SetMuted(0, true);
    panels.SetMuted(2, false);
    EXPECT_EQ((mixer.values[{MixerLine::Master, MixerControl::Mute}]), 0);
    EXPECT_FALSE(panels.Slot(0).muted);
}

TEST_F(MixerPanelsTest, FailuresHideTheirSlotOnly) {
    struct Case {
        const char* what;
        std::function<void(MixerLineInfo&)> spoil;
        QString message;
    };
    const Case cases[] = {
        {"missing wave line", [](MixerLineInfo& l) { l.found = false; }, {}},
        {"disabled", [](MixerLineInfo& l) { l.controls[3].disabled = true; },
         "This control (ctrlid=00000023h) is disabled."},
        {"wrong type", [](MixerLineInfo& l) { l.controls[0].type = 0x1234; },
         "Incorrect control type (dwControlType=00001234h)."},
        {"no volume", [](MixerLineInfo& l) { l.controls[0].found = false; },
         "Unable to find volume control..."},
        {"no controls", [](MixerLineInfo& l) { l.controls = {}; },
         "There are no controls associated with the selected line."},
    };
    for (const Case& c : cases) {
        FakeMixer spoilt;
        c.spoil(spoilt.lines[MixerLine::Wave]);
        FakeMessenger box;
        MixerPanels mixerPanels{spoilt, box, settings, 100};
        EXPECT_TRUE(mixerPanels.Open()) << c.what;
        const QStringList expected =
            c.message.isEmpty() ? QStringList{} : QStringList{c.message, c.message};
        EXPECT_EQ(box.Texts(), expected) << c.what;
        EXPECT_TRUE(mixerPanels.Slot(0).shown && mixerPanels.Slot(2).shown) << c.what;
        EXPECT_FALSE(mixerPanels.Slot(1).shown || mixerPanels.Slot(3).shown) << c.what;
    }
}

TEST_F(MixerPanelsTest, OpenFailuresShowTheirMessage) {
    mixer.openError = "No audio mixer devices found.";
    EXPECT_FALSE(panels.Open());
    mixer.openError.clear();
    mixer.lines[MixerLine::Master].found = false;
    EXPECT_FALSE(panels.Open());
    EXPECT_EQ(messenger.Texts(),
              (QStringList{"No audio mixer devices found.", "Error, component not found!"}));
    EXPECT_FALSE(panels.Slot(0).shown);
}

TEST_F(MixerPanelsTest, PeakPollingStopsWithTheLastMonitoredSlot) {
    ASSERT_TRUE(panels.Open());
    panels.TogglePeak(0);
    panels.TogglePeak(1);
    EXPECT_TRUE(panels.PeakTimerActive() && mixer.monitoring[MixerLine::Master]);
    mixer.values[kMasterPeak] = -16384;
    panels.PollPeaks();
    mixer.values[kMasterPeak] = 100;
    panels.PollPeaks();
    EXPECT_EQ(panels.Slot(0).highestPeak, 16384);
    EXPECT_FALSE(panels.Slot(2).monitoring);
    panels.TogglePeak(0);
    EXPECT_TRUE(panels.PeakTimerActive());
    EXPECT_FALSE(mixer.monitoring[MixerLine::Master]);
    panels.TogglePeak(1);
    EXPECT_FALSE(panels.PeakTimerActive());
    EXPECT_FALSE(mixer.monitoring[MixerLine::Wave]);
}

TEST_F(MixerPanelsTest, PresetsSetMasterThenWaveAndStoreNowValues) {
    ASSERT_TRUE(panels.Open());
    settings.cutMasterPresets = {1, 2, 3};
    settings.cutWavePresets = {4, 5, 6};
    panels.ApplyPreset(MixerScreen::Cut, 2);
    EXPECT_EQ(panels.Slot(2).now, 3);
    EXPECT_EQ(panels.Slot(3).now, 6);
    panels.SetVolumeUnits(0, 70);
    panels.SetVolumeUnits(1, 90);
    panels.StorePreset(MixerScreen::File, 1);
    EXPECT_EQ(settings.fileMasterPresets, (std::array{8, 70, 20}));
    EXPECT_EQ(settings.fileWavePresets, (std::array{8, 90, 20}));
}

} // namespace
} // namespace veskar::test
