#include <gtest/gtest.h>

#include <QAction>
#include <QActionGroup>
#include <QLabel>
#include <QMenu>
#include <QWidget>

#include "core/host/SharedFlags.h"
#include "core/settings/Settings.h"
#include "gui/dialogs/THMSBox.h"
#include "gui/filescreen/ChopMenu.h"
#include "support/FakeHost.h"
#include "support/GuiDriver.h"
#include "support/FakeTextViewer.h"

namespace veskar {
namespace {

class ChopMenuTest : public testing::Test {
protected:
    QAction* Item(const char* name) { return menu.PopupMenu_BG->findChild<QAction*>(name); }

    test::FakeHost host;
    test::FakeTextViewer viewer;
    SharedFlags flags;
    Settings settings;
    QWidget window;
    ChopMenu menu{host.host(), flags, viewer, settings, &window};
};

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
