#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHelpEngine>
#include <QHelpIndexWidget>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextBlock>
#include <QTextCursor>
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
    QTextCursor heading(help->browser->document()->firstBlock());
    heading.movePosition(QTextCursor::NextCharacter);
    EXPECT_EQ(heading.charFormat().foreground().color(), QColor(0x00, 0x60, 0x00))
        << "the heading takes its colour from the pages' style sheet";

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

TEST(HelpWindowTest, EveryLinkOfEveryPageResolves) {
    HelpWindow help(HelpWindow::HelpFile());
    ASSERT_TRUE(help.Ready());
    const QString space = help.PageUrl("index.html").host();
    const QList<QUrl> pages = help.engine->files(space, QString(), "html");
    ASSERT_GE(pages.size(), 10);
    static const QRegularExpression link(R"re((?:href|src)="([^"#]*)[^"]*")re");
    int links = 0;
    for (const QUrl& page : pages) {
        const QString text = QString::fromUtf8(help.engine->fileData(page));
        for (const auto& match : link.globalMatch(text)) {
            const QUrl target = page.resolved(QUrl(match.captured(1)));
            const std::string where = (page.fileName() + " -> " + match.captured(1)).toStdString();
            EXPECT_EQ(target.scheme(), "qthelp") << where;
            EXPECT_FALSE(help.engine->fileData(target).isEmpty()) << where;
            ++links;
        }
    }
    EXPECT_GT(links, pages.size()) << "every page links somewhere";
}

} // namespace
} // namespace veskar
