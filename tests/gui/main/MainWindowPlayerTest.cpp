#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QStackedWidget>

#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/PlayController.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

TEST(MainWindowPlayerTest, PlayerControlsSitOnTheirScreens) {
    TKOTAN_VESKAR window;
    ASSERT_NE(window.player, nullptr);
    for (const char* name : {"RadioGroup1", "RadioGroup3", "Button2", "Panel_PB_M", "Edit_Fn"}) {
        EXPECT_NE(window.Panel_CUT->findChild<QWidget*>(name), nullptr) << name;
    }
    for (const char* name : {"ComboBox_PM", "CheckBox_REP", "ComboBox_TPM", "Btn_PLAY", "Btn_BS",
                             "Btn_Skip", "Edit_File_Disp", "Panel_B0", "Label1", "Label2"}) {
        EXPECT_NE(window.Panel_DFF->findChild<QWidget*>(name), nullptr) << name;
    }
    EXPECT_EQ(window.menuBar()->cornerWidget(), window.player->ColorBtn1);

    // The engine knows which screen is shown, for the route of a play's end.
    EXPECT_TRUE(window.player->Engine().controls.fileScreenShown);
    window.ShowCutScreen();
    EXPECT_FALSE(window.player->Engine().controls.fileScreenShown);
    window.ShowFileScreen();
    EXPECT_TRUE(window.player->Engine().controls.fileScreenShown);
}

TEST(MainWindowPlayerTest, OpenCommandMakesTheWavTheCutFile) {
    test::WavFiles files;
    // 2.5 s of 44.1 kHz stereo.
    const QString path = files.Write("take1.wav", test::WavBuilder(44100, 2, 16).Silence(110250));
    ASSERT_FALSE(path.isEmpty());

    TKOTAN_VESKAR window;
    window.cutFileOpener->pickFile = [&](QWidget*) { return path; };
    auto* open = window.findChild<QAction*>("MF_WAV_OPEN");
    ASSERT_NE(open, nullptr);
    EXPECT_EQ(open->text(), "WAVファイルを開く…");
    EXPECT_EQ(window.menuBar()->actions().first()->menu(), window.MFile0);
    open->trigger();

    EXPECT_EQ(window.cutScreen->CutFile(), path);
    EXPECT_EQ(window.timeLists.format.FileLengthMs(), 2500);
    EXPECT_EQ(window.cutScreen->Label13->text(), window.timeLists.format.FormatPosition(2500));
    EXPECT_EQ(window.player->Edit_Fn->text(), "take1.wav");
    EXPECT_EQ(window.player->Engine().controls.cutFile, path);
    EXPECT_GT(window.timeLists.interval.Count(), 0);
    EXPECT_EQ(window.findChild<QStackedWidget*>("Screens")->currentWidget(), window.Panel_CUT);

    // The file screen's own open button goes the same way.
    const QString second = files.Write("take2.wav", test::WavBuilder(44100, 2, 16).Silence(44100));
    ASSERT_FALSE(second.isEmpty());
    window.cutFileOpener->pickFile = [&](QWidget*) { return second; };
    window.ShowFileScreen();
    auto* button = window.Panel_DFF->findChild<QPushButton*>("Btn_WAV_OPEN");
    ASSERT_NE(button, nullptr);
    button->click();
    EXPECT_EQ(window.cutScreen->CutFile(), second);
    EXPECT_EQ(window.timeLists.format.FileLengthMs(), 1000);
    EXPECT_EQ(window.findChild<QStackedWidget*>("Screens")->currentWidget(), window.Panel_CUT);
}

} // namespace
} // namespace veskar
