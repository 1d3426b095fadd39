#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHelpEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "core/settings/SettingsStore.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/PlayController.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "gui/main/WindowCommands.h"
#include "platform/Installation.h"
#include "support/AnalysisRecordings.h"
#include "support/GuiDriver.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

class WindowCommandsTest : public testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }
    WindowCommands& commands() { return *window.commands; }
    void CtrlKey(int key, Qt::KeyboardModifiers extra = {}) {
        test::PressKey(window.cutScreen->ListBox_C, key, Qt::ControlModifier | extra);
    }

    TKOTAN_VESKAR window;
};

// Counts the key presses that reach a widget.
class KeyCounter : public QObject {
public:
    int keys = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        keys += event->type() == QEvent::KeyPress ? 1 : 0;
        return false;
    }
};

TEST_F(WindowCommandsTest, CtrlKeysActOnTheCutScreenOnly) {
    test::BoxAnswerer boxes(window.MKBoxDlg1);
    window.Cut().SetSaveDir(QDir::tempPath() + "/");
    int cuts = 0;
    QObject::connect(window.Cut().WAV_CUT, &QAction::triggered, [&cuts] { ++cuts; });
    KeyCounter reached;
    window.cutScreen->ListBox_C->installEventFilter(&reached);
    CtrlKey(Qt::Key_J);
    EXPECT_EQ(cuts, 0) << "the file screen is showing";
    window.ShowCutScreen();
    test::PressKey(window.cutScreen->ListBox_C, Qt::Key_J);
    EXPECT_EQ(cuts, 0) << "without Ctrl";
    QWidget elsewhere;
    test::PressKey(&elsewhere, Qt::Key_J, Qt::ControlModifier);
    EXPECT_EQ(cuts, 0) << "another window's key";
    EXPECT_EQ(reached.keys, 2);
    CtrlKey(Qt::Key_J);
    CtrlKey(Qt::Key_H);
    EXPECT_EQ(cuts, 1);
    EXPECT_EQ(reached.keys, 2) << "the window's own keys stop there";
    EXPECT_EQ(window.cutScreen->PopupTargetList(), TimeListId::Registered)
        << "before the cut menu ever opened";
    window.cutScreen->MO_TSR_MUKOU->setChecked(false);
    test::ShowActive(&window);
    window.cutScreen->ListBox_ALL->setFocus();
    CtrlKey(Qt::Key_K);
    EXPECT_EQ(window.cutScreen->PopupTargetList(), TimeListId::Interval) << "the focused list";

    // Play modes and special modes by key, as if their items were clicked.
    PlayerPanel& players = *window.player->cutPanel;
    const int playKeys[] = {Qt::Key_Q, Qt::Key_A, Qt::Key_Z, Qt::Key_W, Qt::Key_S, Qt::Key_X};
    const int specialKeys[] = {Qt::Key_R, Qt::Key_F, Qt::Key_V, Qt::Key_T, Qt::Key_G, Qt::Key_B};
    for (int item = 5; item >= 0; --item) {
        CtrlKey(playKeys[item]);
        EXPECT_TRUE(players.playModeItems[item]->isChecked()) << item;
        CtrlKey(specialKeys[item]);
        EXPECT_TRUE(players.specialModeItems[item]->isChecked()) << item;
    }
}

TEST_F(WindowCommandsTest, CtrlOneOpensTheSilencePanelDetectsAndFocusesTheFirstList) {
    test::WavFiles files;
    const test::WavBuilder recording = test::SongsRecording();
    window.cutScreen->SetCutFile(
        files.Write("songs.wav", recording),
        static_cast<TimeMs>(recording.FrameCount() * 1000 / test::kAnalysisRate));
    window.ShowCutScreen();
    test::ShowActive(&window);
    SilencePanel& silence = *window.analysisPanels->silencePanel;
    ASSERT_FALSE(silence.Panel_Muon->isVisible());
    CtrlKey(Qt::Key_1);
    EXPECT_TRUE(silence.Panel_Muon->isVisible());
    EXPECT_GT(silence.ListBox_MS[0]->model()->rowCount(), 0) << "detection ran";
    EXPECT_EQ(window.focusWidget(), silence.ListBox_MS[0]);

    CtrlKey(Qt::Key_H);
    EXPECT_FALSE(silence.Panel_Muon->isVisible());
    EXPECT_EQ(window.focusWidget(), window.cutFileOpener->ComboBox1);
    CtrlKey(Qt::Key_9, Qt::KeypadModifier);
    EXPECT_EQ(window.focusWidget(), window.cutScreen->ListBox_ALL);
    CtrlKey(Qt::Key_1, Qt::KeypadModifier);
    EXPECT_FALSE(window.cutScreen->ListBox_1ms->isVisible());
    CtrlKey(Qt::Key_6, Qt::KeypadModifier);
    EXPECT_TRUE(window.cutScreen->ListBox_1ms->isVisible());
    EXPECT_EQ(window.focusWidget(), window.cutScreen->ListBox_1ms);
}

TEST_F(WindowCommandsTest, TrayMenuShowsTheVersion) {
    for (const auto& [version, caption] : {std::pair{26, "PIRVAN SOUND カッター V2.6"},
                                           std::pair{255, "PIRVAN SOUND カッター V?.?"}}) {
        commands().SetVersionSource([version] { return version; });
        emit commands().PopupMenu_TR->aboutToShow();
        EXPECT_EQ(commands().P_NAME->text(), caption);
    }
}

TEST_F(WindowCommandsTest, WithoutATrayTheWindowMinimisesAndSaysSoOnce) {
    test::BoxAnswerer boxes(window.MKBoxDlg1);
    commands().SetTrayAvailable([] { return false; });
    window.show();
    commands().Btn_Tray->click();
    EXPECT_TRUE(window.isMinimized());
    window.showNormal();
    commands().Btn_Tray->click();
    EXPECT_EQ(boxes.shown.size(), 1);
    EXPECT_FALSE(commands().InTray());
}

TEST_F(WindowCommandsTest, MiniHelpOffHidesEveryHint) {
    QWidget* button = window.Cut().Btn_CUT;
    QHelpEvent hint(QEvent::ToolTip, {2, 2}, button->mapToGlobal(QPoint(2, 2)));
    QObject& filter = commands();
    commands().HELP3->setChecked(false);
    EXPECT_TRUE(filter.eventFilter(button, &hint));
    commands().HELP3->setChecked(true);
    EXPECT_FALSE(filter.eventFilter(button, &hint));
}

TEST_F(WindowCommandsTest, StartupAndDesktopEntriesComeAndGo) {
    test::BoxAnswerer boxes(window.MKBoxDlg1);
    const ShortcutFiles files = ShortcutFilesFor(window.settings.group);
    const auto shown = [this] {
        emit window.MOption0->aboutToShow();
        return QList<bool>{commands().MICON_SET->isVisible(), commands().MICON_DEL->isVisible(),
                           commands().MDESK_SET->isVisible(), commands().MDESK_DEL->isVisible()};
    };
    EXPECT_EQ(shown(), (QList<bool>{true, false, true, false}));
    commands().MICON_SET->trigger();
    commands().MDESK_SET->trigger();
    EXPECT_TRUE(QFile(files.autostartEntry).exists());
    EXPECT_TRUE(QFile(files.desktopEntry).permissions() & QFile::ExeOwner);
    EXPECT_EQ(shown(), (QList<bool>{false, true, false, true}));
    EXPECT_TRUE(boxes.shown.isEmpty()) << boxes.shown.join("|").toStdString();

    commands().MDESK_SET->trigger();
    EXPECT_EQ(boxes.shown.value(0), "デスクトップには、既に登録されています☆☆☆");
    commands().MICON_DEL->trigger();
    commands().MDESK_DEL->trigger();
    EXPECT_EQ(shown(), (QList<bool>{true, false, true, false}));
}

TEST_F(WindowCommandsTest, VersionNumberIsRemovedOnlyOnYes) {
    test::BoxAnswerer boxes(window.MKBoxDlg1);
    SettingsStore().WriteSetup("/usr/bin/pirvan-cutter", "KOTAN ZORU32");
    boxes.answers = {Messenger::No, Messenger::Ok};
    commands().MHELP_VERCUT->trigger();
    EXPECT_EQ(SettingsStore().ReadVersion(), kInstalledVersion);
    EXPECT_EQ(boxes.shown.value(1), "バージョン番号削除を中止しました・・・");
    boxes.answers = {Messenger::Yes};
    commands().MHELP_VERCUT->trigger();
    EXPECT_EQ(SettingsStore().ReadVersion(), kVersionNotInstalled);
}

} // namespace
} // namespace veskar
