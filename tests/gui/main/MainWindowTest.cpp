#include <gtest/gtest.h>

#include <QStackedWidget>

#include "gui/main/TKOTAN_VESKAR.h"

namespace veskar {

TEST(MainWindowTest, CarriesTitleAndBothScreens) {
    TKOTAN_VESKAR window;
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8("PIRVAN SOUND カッター"));
    ASSERT_NE(window.findChild<QWidget*>("Panel_DFF"), nullptr);
    ASSERT_NE(window.findChild<QWidget*>("Panel_CUT"), nullptr);

    auto* screens = window.findChild<QStackedWidget*>("Screens");
    ASSERT_NE(screens, nullptr);
    EXPECT_EQ(screens->currentWidget(), window.Panel_DFF);
    window.ShowCutScreen();
    EXPECT_EQ(screens->currentWidget(), window.Panel_CUT);
    window.ShowFileScreen();
    EXPECT_EQ(screens->currentWidget(), window.Panel_DFF);
}

} // namespace veskar
