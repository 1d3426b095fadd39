#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QLineEdit>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextDocument>

#include "gui/main/HelpWindow.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "gui/main/WindowCommands.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

// The engine builds its index in the background after the setup.
bool WaitForIndex(QHelpEngine& engine) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 5000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        if (!engine.indexModel()->isCreatingIndex() && engine.indexModel()->rowCount() > 0) {
            return true;
        }
    }
    return false;
}

TEST(HelpWindowTest, OpensOnItsContentsAndItsIndexFindsSilence) {
    TKOTAN_VESKAR window;
    window.commands->HELP_MOKUJI->trigger();
    HelpWindow* help = window.commands->Help();
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(help->Ready());
    EXPECT_TRUE(help->isVisible());
    EXPECT_EQ(help->tabs->currentIndex(), 0);
    EXPECT_EQ(help->browser->source(), help->PageUrl("index.html"));
    EXPECT_TRUE(help->browser->toPlainText().contains("目次"));

    window.commands->HELP_KEYWORD->trigger();
    EXPECT_EQ(help->tabs->currentIndex(), 1);
    ASSERT_TRUE(WaitForIndex(*help->engine));
    help->findChild<QLineEdit*>("HelpKeyword")->setText("無音");
    QHelpIndexWidget* index = help->engine->indexWidget();
    EXPECT_EQ(index->currentIndex().data().toString(), "無音");
    index->activateCurrentItem();
    EXPECT_EQ(help->browser->source(), help->PageUrl("silence.html"));

    window.close();
    EXPECT_FALSE(help->isVisible()) << "help closes with the window";
}

} // namespace
} // namespace veskar
