#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QWidget>

#include "core/chop/ChopRun.h"
#include "core/host/SharedFlags.h"
#include "core/settings/Paths.h"
#include "core/settings/Settings.h"
#include "gui/dialogs/THMSBox.h"
#include "gui/filescreen/ChopMenu.h"
#include "support/FakeHost.h"
#include "support/GuiDriver.h"
#include "support/FakeTextViewer.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

class ChopMenuTest : public testing::Test {
protected:
    ChopMenuTest() {
        settings.chopDir = files.Folder() + "out/";
        QDir().mkpath(settings.chopDir);
        source = files.Write("live.wav", test::WavBuilder(8000, 1, 16).Silence(8000));
        menu.SetSources([this] { return QStringList{source}; });
        menu.SetShowFolder([this](const QString& folder) {
            shownFolders << folder;
            return true;
        });
    }
    QAction* Item(const char* name) { return menu.PopupMenu_BG->findChild<QAction*>(name); }

    test::WavFiles files;
    QString source;
    test::FakeHost host;
    test::FakeTextViewer viewer;
    SharedFlags flags;
    Settings settings;
    QWidget window;
    ChopMenu menu{host.host(), flags, viewer, settings, &window};
    QStringList shownFolders;
};

// A mode item chops the file screen's files, shows the record and moves the browser there.
TEST_F(ChopMenuTest, ModeItemChopsShowsTheRecordAndTheFolder) {
    QFile::remove(QDir(WorkDir()).filePath(kChopRecordFile));
    emit menu.PopupMenu_BG->aboutToShow();
    EXPECT_FALSE(menu.PBG_TXT->isEnabled());
    Item("PBG_2")->trigger();
    EXPECT_EQ(QDir(settings.chopDir).entryList(QDir::Files).size(), 2) << "two halves";
    EXPECT_EQ(viewer.shown, QStringList{QDir(WorkDir()).filePath(kChopRecordFile)});
    EXPECT_EQ(shownFolders, QStringList{files.Folder() + "out"});
    EXPECT_TRUE(menu.Btn_BUTUGIRI->isEnabled());
    emit menu.PopupMenu_BG->aboutToShow();
    EXPECT_TRUE(menu.PBG_TXT->isEnabled());
}

TEST_F(ChopMenuTest, RadioGroupsAndOptionsKeepTheirSettings) {
    Item("PBG_TWR_08")->trigger();
    Item("PBG_TWB_08")->trigger();
    Item("PBG_TWC_M")->trigger();
    EXPECT_EQ(menu.rateItems->checkedAction(), Item("PBG_TWR_08"));
    EXPECT_EQ(std::tuple(settings.chopRateItem, settings.chopBitsItem, settings.chopChannelsItem),
              std::tuple(0, 0, 0));
    Item("PBG_AUTO_83")->trigger();
    EXPECT_TRUE(settings.chopAuto83);
    settings.chopMinutes = 7;
    menu.ApplySettings();
    EXPECT_EQ(Item("PBG_TBM")->text(), "7分 等分割");
}

TEST_F(ChopMenuTest, IntroRangeBoxAsksWithItsPrompt) {
    QString prompt;
    test::WhenShown<THMSBox>([&prompt](THMSBox* form) {
        prompt = form->Msg->isVisibleTo(form) ? form->Msg->text() : QString();
        form->Btn_CANCEL->click();
    });
    menu.PBG_INTRO_Set->trigger();
    EXPECT_EQ(prompt, "イントロカット開始、終了タイムの設定");
}

} // namespace
} // namespace veskar
