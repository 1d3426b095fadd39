#include "gui/mixer/MixerScreenPanel.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTest>

#include "core/settings/Settings.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "gui/mixer/VolumePanel.h"
#include "platform/VolumeProgram.h"
#include "support/FakeHost.h"
#include "support/FakeMixer.h"
#include "support/GuiDriver.h"

namespace veskar::test {
namespace {

using Value = std::pair<MixerLine, MixerControl>;
constexpr Value kMasterVolume{MixerLine::Master, MixerControl::Volume};

class MixerScreenPanelTest : public testing::Test {
protected:
    template <class T> T* Find(const char* name) { return screen.findChild<T*>(name); }

    FakeMixer backend;
    FakeMessenger messenger;
    Settings settings;
    MixerPanels model{backend, messenger, settings, 100};
    VolumeProgram program{messenger, "no-such-volume-program"};
    MixerScreenPanel screen{model, MixerScreen::Cut, program};
};

TEST_F(MixerScreenPanelTest, ControlsReachTheMixerAndShowWhatItHolds) {
    backend.lines[MixerLine::Master].controls[int(MixerControl::Selection)].items = {"Speakers", "Headphones"};
    ShowActive(&screen);
    EXPECT_FALSE(Find<VolumePanel>("Panel2")->isVisible());
    Find<QPushButton>("Btn_VM_ON")->click();
    ASSERT_TRUE(Find<VolumePanel>("Panel2")->isVisible() && Find<VolumePanel>("Panel3")->isVisible());

    Find<QPushButton>("Btn_MAX2")->click();
    EXPECT_EQ(backend.values[kMasterVolume], 65535);
    EXPECT_EQ(Find<QLabel>("Label_NOW2")->text(), "256");
    Find<QSlider>("UpDown_L2")->setValue(100);
    EXPECT_EQ(backend.values[kMasterVolume], 25600);
    EXPECT_EQ(Find<QSpinBox>("UpDown_2")->value(), 100) << "the faders follow each other";
    Find<QPushButton>("Btn_VM1")->click();
    EXPECT_EQ(backend.values[kMasterVolume], settings.cutMasterPresets[1] * 256);
    QTest::mouseClick(Find<LevelBar>("Label_VM1_2"), Qt::LeftButton, {}, QPoint(5, 50));
    EXPECT_EQ(backend.values[kMasterVolume], 65535 - 655 * 50);
    Find<QComboBox>("ComboBox_VM")->setCurrentIndex(2);
    Find<QPushButton>("ColorBtn2")->click();
    EXPECT_EQ(settings.cutMasterPresets[2], Find<QSpinBox>("UpDown_2")->value());
    Find<QCheckBox>("Ch_MX2")->click();
    Find<QComboBox>("ComboBox_MX2")->activated(1);
    EXPECT_EQ((backend.values[{MixerLine::Master, MixerControl::Selection}]), 1);
    Find<QCheckBox>("Ch_MT2")->click();
    EXPECT_EQ((backend.values[{MixerLine::Master, MixerControl::Mute}]), 1);

    Find<QPushButton>("Btn_Peek3")->click();
    EXPECT_TRUE(model.PeakTimerActive());
    screen.hide();
    EXPECT_FALSE(model.PeakTimerActive()) << "no polling while no meter shows";
    screen.show();
    Find<QPushButton>("ColorBtn12")->click();
    EXPECT_FALSE(Find<VolumePanel>("Panel2")->isVisible() || model.PeakTimerActive());

    Find<QPushButton>("Btn_VOL")->click();
    EXPECT_EQ(messenger.Texts(), QStringList{"ﾎﾞﾘｭｰﾑ： ﾎﾞﾘｭｰﾑ表示に失敗しました・・・"});
}

TEST(MixerWindowTest, WithoutASoundServerThePanelSaysSoAndTheWindowWorksOn) {
    qputenv("PULSE_SERVER", "unix:/nonexistent/pulse");
    TKOTAN_VESKAR window;
    BoxAnswerer boxes(window.MKBoxDlg1);
    ShowActive(&window);
    window.fileMixerPanel->Btn_ON->click();
    qunsetenv("PULSE_SERVER");
    EXPECT_EQ(boxes.shown, QStringList{"No audio mixer devices found."});
    EXPECT_FALSE(window.fileMixerPanel->panels[0]->isVisible());
    window.ShowCutScreen();
    EXPECT_TRUE(window.cutScreen->isVisible());
}

} // namespace
} // namespace veskar::test
