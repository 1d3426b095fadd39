#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>
#include <QTreeWidget>

#include "core/host/SharedFlags.h"
#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/FileListModel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "support/FakeHost.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

using test::ClickRow;
using test::Shown;

class BrowserPanelTest : public testing::Test {
protected:
    BrowserPanelTest() {
        Make("rec/take.wav", 100000);
        Make("rec/intro.wav", 1024);
        Make("rec/.hidden.wav", 10);
        Make("rec/notes.txt", 10);
        QDir(Path()).mkpath("rec/jazz");
        state.filters << "*.txt;";
        panel.resize(1000, 600);
        test::ShowActive(&panel);
    }
    QString Path(const QString& relative = {}) const {
        return relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
    }
    void Make(const QString& relative, qint64 size) {
        QDir(Path()).mkpath(QFileInfo(relative).path());
        QFile file(Path(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.resize(size);
    }
    FolderBrowserView& View() { return *panel.browser; }
    QStringList Files() { return Shown(View().ListView1); }
    QString FileHeader() {
        return View().fileModel->headerData(0, Qt::Horizontal, Qt::DisplayRole).toString();
    }

    QTemporaryDir m_dir;
    BrowserState state;
    test::FakeMessenger messenger;
    test::FakeEventPump pump;
    SharedFlags flags;
    BrowserPanel panel{state, messenger, pump, flags, QDir::homePath()};
};

TEST_F(BrowserPanelTest, StartShowsTheFolderAndSwitchesItsView) {
    QString shown;
    QObject::connect(&panel, &BrowserPanel::FolderShown, [&](const QString& f) { shown = f; });
    panel.Start(Path("rec"), "take.wav");
    EXPECT_EQ(shown, Path("rec"));
    EXPECT_EQ(Files(), QStringList({".hidden.wav", "intro.wav", "take.wav"}));
    EXPECT_EQ(FileHeader(), "3ｺ　ファイル名");
    EXPECT_EQ(panel.SelectedName(), "take.wav");
    EXPECT_EQ(View().folderViews->currentWidget(), View().ListBox1);
    EXPECT_EQ(View().ListBox1->currentItem()->text(), "rec");
    EXPECT_EQ(View().ListBox1->item(View().ListBox1->count() - 1)->text(), "jazz");
    EXPECT_NE(View().ComboBox2->currentIndex(), -1);

    View().HeaderControl1SectionClick();
    EXPECT_EQ(state.folderViewMode, 0);
    EXPECT_EQ(View().folderViews->currentWidget(), View().TreeView1);
    EXPECT_EQ(View().TreeView1->currentItem()->text(0), "rec");
    View().TreeView1->setCurrentItem(View().TreeView1->topLevelItem(0));
    QApplication::processEvents();
    EXPECT_EQ(state.currentPath, "/") << "a node of the tree opens its folder";
    View().HeaderControl1SectionClick();
    ClickRow(View().ListBox1, View().ListBox1->count() - 1);
    QApplication::processEvents();
    EXPECT_EQ(state.currentPath, View().ListBox1->currentItem()->text().prepend("/"));
}

TEST_F(BrowserPanelTest, ColumnsSortOnClick) {
    panel.Start(Path("rec"), "intro.wav");
    View().ListView1->header()->sectionClicked(1);
    EXPECT_EQ(Files(), QStringList({".hidden.wav", "intro.wav", "take.wav"}));
    View().ListView1->header()->sectionClicked(1);
    EXPECT_EQ(Files(), QStringList({"take.wav", "intro.wav", ".hidden.wav"}));
    EXPECT_EQ(panel.SelectedName(), "intro.wav") << "the selection follows its row";
    View().ListView1->header()->sectionClicked(0);
    EXPECT_EQ(Files(), QStringList({"take.wav", "intro.wav", ".hidden.wav"}));
}

TEST_F(BrowserPanelTest, FilterEditPanelGuardsTheBasicEntriesAndAppliesOnClose) {
    panel.Start(Path("rec"), "");
    panel.Btn_KAKU_EDIT->click();
    EXPECT_TRUE(panel.Panel_KAKU_EDIT->isVisible());
    EXPECT_EQ(panel.Edit_KAKU->text(), "*.WAV");
    panel.Btn_KAKU_DEL->click();
    EXPECT_EQ(messenger.Texts(), QStringList{"ALLまでの基本設定は、削除出来ません・・・"});

    View().ComboBox_KAKU->setCurrentIndex(2);
    View().ComboBox_KAKU->activated(2);
    EXPECT_EQ(Files(), QStringList{"notes.txt"}) << "a mask ending in \";\" lists its files";
    panel.Btn_KAKU_NEW->click();
    panel.Edit_KAKU->setText("*.txt;INTRO.*");
    panel.Btn_KAKU_HENKO->click();
    EXPECT_EQ(state.filters, QStringList({"*.WAV", "ALL (*.*)", "*.txt;", "*.txt;INTRO.*"}));
    EXPECT_EQ(Files(), QStringList{"notes.txt"}) << "no change before the panel closes";
    panel.Btn_KAKU_CANCEL->click();
    EXPECT_FALSE(panel.Panel_KAKU_EDIT->isVisible());
    EXPECT_EQ(Files(), QStringList({"intro.wav", "notes.txt"}));
}

TEST_F(BrowserPanelTest, HistoryPickedAndClosedWithEntryThreeGoesFirst) {
    for (const char* name : {"a", "b", "c"}) {
        QDir(Path()).mkpath(name);
        state.history << Path(name);
    }
    panel.Start(Path("rec"), "");
    panel.Button_HIS->click();
    EXPECT_TRUE(panel.Panel_D_EDIT->isVisible());
    EXPECT_FALSE(panel.ColorBtn3->isEnabled());
    EXPECT_EQ(panel.ComboBox_D_EDIT->itemText(0), Path("rec"));
    QDir(Path("c")).removeRecursively();
    panel.ComboBox_D_EDIT->setCurrentIndex(3);
    panel.ComboBox_D_EDIT->activated(3);
    EXPECT_EQ(state.currentPath, Path("c")) << "a deleted history folder is made again";
    panel.ColorBtn9->click();
    EXPECT_EQ(state.history, QStringList({Path("c"), Path("a"), Path("b")}));
    EXPECT_FALSE(panel.Panel_D_EDIT->isVisible());
    EXPECT_TRUE(messenger.calls.empty());
}

TEST_F(BrowserPanelTest, ClickRefreshesTheRowAndHandsTheFileToPlayback) {
    QStringList played;
    panel.SetPlayback([&](PlayFileList& list) { played << list.Path(list.Selected()); }, {});
    panel.Start(Path("rec"), "");
    QFile(Path("rec/take.wav")).resize(123456);
    ClickRow(View().ListView1, 2);
    EXPECT_EQ(played, QStringList{Path("rec/take.wav")});
    EXPECT_EQ(View().fileModel->index(2, 1).data().toString(), " 123,456");
}

TEST_F(BrowserPanelTest, DeletingFromTheContextMenuRemovesTheRows) {
    int stops = 0;
    panel.SetPlayback({}, [&] { ++stops; });
    panel.Start(Path("rec"), "");
    test::SelectRows(View().ListView1, {0, 2});
    messenger.answers = {Messenger::Yes};
    panel.P_File_DEL_FILE->trigger();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(Files(), QStringList{"intro.wav"});
    EXPECT_EQ(FileHeader(), "1ｺ　ファイル名");
    EXPECT_FALSE(QFile::exists(Path("rec/take.wav")));
}

TEST_F(BrowserPanelTest, ListingShowsItsStateAndStopsOnTheStopButton) {
    for (int i = 0; i < 600; ++i) {
        Make(QString("many/f%1.wav").arg(i, 3, 10, QChar('0')), 0);
    }
    QStringList headers;
    pump.onProcess = [&] {
        headers << FileHeader();
        flags.stopRequested = headers.size() > 3;
    };
    panel.Start(Path("many"), "");
    EXPECT_TRUE(headers.contains("---ｺ　ファイル名"));
    EXPECT_EQ(Files().size(), 512) << "the rows read before the stop stay";
    EXPECT_EQ(FileHeader(), "512ｺ　ファイル名");
}

} // namespace
} // namespace veskar
