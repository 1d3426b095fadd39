// The cut file box over the memory list: registered times follow their file, the missing-file
// question, presets per sample width, and the memory list's own buttons that lead there.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTreeView>
#include <QTest>
#include <QTimer>

#include "core/browser/MemoryListFile.h"
#include "core/settings/ListFiles.h"
#include "core/settings/Paths.h"
#include "core/settings/TextFile.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutListPanel.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/SilencePresetBar.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/FileListModel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "gui/filescreen/MemoryListPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/PlayController.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/GuiDriver.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

test::WavBuilder Tone(uint16_t bits) {
    test::WavBuilder builder(8000, 1, bits);
    builder.Sine(8000 * 3, 440.0, bits == 8 ? 100 : 20000);
    return builder;
}

class CutFileChoiceTest : public testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }
    void Choose(int index) {
        window.cutFileOpener->ComboBox1->setCurrentIndex(index);
        window.cutFileOpener->ComboBox1Click();
    }
    QString Screen() const {
        return window.findChild<QStackedWidget*>("Screens")->currentWidget()->objectName();
    }

    test::WavFiles files;
    const QString a = files.Write("a.wav", Tone(16));
    const QString b = files.Write("b.wav", Tone(8));
    TKOTAN_VESKAR window;
    test::BoxAnswerer boxes{window.MKBoxDlg1};
    RegisteredList& registered = window.timeLists.registered;
};

TEST_F(CutFileChoiceTest, RegisteredTimesFollowTheirFile) {
    window.OpenFiles({a, b});
    ASSERT_EQ(window.cutScreen->CutFile(), a);
    EXPECT_EQ(Screen(), "Panel_CUT");
    EXPECT_EQ(window.cutFileOpener->ComboBox1->count(), 2);
    EXPECT_EQ(window.cutListPanel->ComboBox_CL->currentText(), "CL_000");
    const QString time = window.timeLists.format.FormatTime(1000);
    registered.Assign({time}, {"2"});

    Choose(1);
    EXPECT_EQ(window.cutScreen->CutFile(), b);
    EXPECT_TRUE(registered.IsEmpty());
    EXPECT_EQ(ReadListFile(ProgramDir() + "aCL_000.ARS"), QStringList{time}) << "kept on disk";

    // Stepping with the arrow keys opens the next file and plays it shortly after.
    window.cutFileOpener->ComboBox1->setFocus();
    QTest::keyClick(window.cutFileOpener->ComboBox1, Qt::Key_Up);
    EXPECT_TRUE(window.player->Timer_PLAY->isActive());
    window.player->Timer_PLAY->stop();
    EXPECT_EQ(window.cutScreen->CutFile(), a);
    EXPECT_EQ(registered.Texts(), QStringList{time});
    EXPECT_EQ(registered.Tags(), QStringList{"2"});
    // Opening a file the list holds chooses its row instead of adding it again.
    window.OpenFiles({b});
    EXPECT_EQ(window.memoryPanel->Count(), 2);
    EXPECT_EQ(window.cutScreen->CutFile(), b);
}

TEST_F(CutFileChoiceTest, AMissingFileIsAskedAboutAndNoMovesOn) {
    window.OpenFiles({a, b});
    ASSERT_TRUE(QFile::remove(b));
    boxes.answers = {Messenger::No};
    Choose(1);
    EXPECT_EQ(boxes.shown, QStringList{b + "\nこのファイルは存在しません・・・\n"
                                           "登録を削除してよろしいですか？？？"});
    EXPECT_EQ(window.cutScreen->CutFile(), a);
    EXPECT_EQ(window.cutFileOpener->ComboBox1->currentIndex(), 0);
    boxes.answers = {Messenger::Yes};
    Choose(1);
    EXPECT_EQ(window.memoryPanel->Count(), 1);
    EXPECT_EQ(window.cutFileOpener->ComboBox1->count(), 1);
}

TEST_F(CutFileChoiceTest, TheCutFileBoxMenuDeletesTheFileWithItsTimes) {
    window.OpenFiles({a, b});
    registered.Assign({window.timeLists.format.FormatTime(1000)}, {""});
    boxes.answers = {Messenger::Yes};
    window.cutFileOpener->P_File_DEL->trigger();
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_TRUE(boxes.shown[0].startsWith(a + "\nこのファイルを、実際にディスクから削除します☆"));
    EXPECT_FALSE(QFile::exists(a));
    EXPECT_EQ(window.cutScreen->CutFile(), b);
    EXPECT_EQ(QDir(ProgramDir()).entryList({"a*"}), QStringList());

    window.cutFileOpener->P_File_T_DEL->trigger();
    EXPECT_EQ(window.memoryPanel->Count(), 0);
    EXPECT_TRUE(QFile::exists(b));
}

// An entry whose row the file screen removed: its menu deletes the file the entry shows.
TEST_F(CutFileChoiceTest, AStaleCutFileBoxDeletesTheFileItShows) {
    window.OpenFiles({a, b});
    window.memoryPanel->SelectOnly(0);
    window.memoryPanel->Button13->click();
    boxes.answers = {Messenger::Yes};
    window.cutFileOpener->P_File_DEL->trigger();
    EXPECT_EQ(std::pair(QFile::exists(a), QFile::exists(b)), std::pair(false, true));
    EXPECT_EQ(window.cutScreen->CutFile(), b);
}

TEST_F(CutFileChoiceTest, ACutFileDeletedOnTheFileScreenLeavesNothingOfItBehind) {
    const QString c = files.Write("c.wav", Tone(16));
    const QString time = window.timeLists.format.FormatTime(1000);
    window.OpenFiles({a, b, c});
    registered.Assign({time}, {""});
    window.memoryPanel->SelectOnly(0);
    boxes.answers = {Messenger::Yes};
    window.memoryPanel->P_File_DEL->trigger();
    EXPECT_EQ(window.cutScreen->CutFile(), "");
    EXPECT_TRUE(registered.IsEmpty());
    Choose(0);
    ASSERT_EQ(window.cutScreen->CutFile(), b);

    // Gone behind the program's back, then dropped with its times when chosen again.
    registered.Assign({time}, {""});
    ASSERT_TRUE(QFile::remove(b));
    boxes.answers = {Messenger::Yes};
    Choose(0);
    EXPECT_EQ(window.cutScreen->CutFile(), c);
    EXPECT_TRUE(window.cutListPanel->Save().isEmpty());
    EXPECT_EQ(QDir(ProgramDir()).entryList({"a*", "b*"}), QStringList());
}

TEST_F(CutFileChoiceTest, AListBusyOrHeldByARunIgnoresItsButtons) {
    MemoryListPanel& memory = *window.memoryPanel;
    window.browserPanel->browser->ShowFolder(files.Folder());
    // A click arriving while the registration processes its events finds the buttons grey.
    bool greyed = false;
    QTimer::singleShot(0, &memory, [&] {
        greyed = !memory.Button13->isEnabled();
        memory.SelectOnly(0);
        memory.Button13Click();
    });
    memory.Button10->click();
    EXPECT_TRUE(greyed);
    EXPECT_EQ(memory.Count(), 2);
    EXPECT_TRUE(memory.Button13->isEnabled());

    // While a run's progress box is open, neither the lists, their names nor the cut file change.
    const int lists = memory.ComboBox_M->count();
    int handle = window.PBarBoxDlg1.Open("run", "");
    EXPECT_FALSE(memory.Btn_M_NEW->isEnabled());
    EXPECT_FALSE(window.cutListPanel->ComboBox_CL->isEnabled());
    window.cutFileOpener->FillCutFileBox(0);
    EXPECT_FALSE(window.cutFileOpener->ComboBox1Click());
    EXPECT_EQ(window.cutScreen->CutFile(), "");
    memory.Btn_M_NEWClick();
    EXPECT_EQ(memory.ComboBox_M->count(), lists);
    window.PBarBoxDlg1.Close(handle);
    EXPECT_TRUE(memory.Btn_M_NEW->isEnabled());
    EXPECT_TRUE(window.cutListPanel->ComboBox_CL->isEnabled());
}

TEST_F(CutFileChoiceTest, EachSampleWidthKeepsItsPreset) {
    window.OpenFiles({a, b});
    SilencePanel& panel = *window.analysisPanels->silencePanel;
    SilencePresetBar& presets = *window.analysisPanels->presetBar;
    EXPECT_EQ(presets.ComboBox_MDATA->currentText(), "TL16_000");
    panel.Edit_Ninshiki_Time->setText("4321");
    Choose(1);
    EXPECT_EQ(presets.ComboBox_MDATA->currentText(), "TL08_000");
    const std::optional<QStringList> saved = ReadListFile(ProgramDir() + "TL16_000.m16");
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->value(0), "4321");
    panel.Edit_Ninshiki_Time->setText("99");
    Choose(0);
    EXPECT_EQ(panel.Edit_Ninshiki_Time->text(), "4321");
}

TEST_F(CutFileChoiceTest, TheMemoryListRegistersFromTheBrowserAndOpensTheCutScreen) {
    MemoryListPanel& memory = *window.memoryPanel;
    memory.Button14->click();
    EXPECT_EQ(boxes.shown, QStringList{"登録データがありません・・・"});

    window.browserPanel->browser->ShowFolder(files.Folder());
    ASSERT_EQ(window.browserPanel->Count(), 2);
    window.browserPanel->SelectOnly(1);
    memory.Button9->click();
    memory.Button10->click();
    ASSERT_EQ(memory.Count(), 3);
    EXPECT_EQ(memory.Path(0), b);
    EXPECT_EQ(memory.Rows()[1].caption, "a.wav");
    memory.SelectOnly(2);
    EXPECT_EQ(window.SelectedMemoryFiles(), QStringList{b});

    memory.Button14->click();
    EXPECT_EQ(window.cutScreen->CutFile(), b);
    EXPECT_EQ(window.cutFileOpener->ComboBox1->currentIndex(), 2);
    window.findChild<QPushButton*>("Button_Select")->click();
    EXPECT_EQ(Screen(), "Panel_DFF");
    EXPECT_EQ(memory.Selected(), 2);
}

TEST_F(CutFileChoiceTest, AHandedOverListIsTakenOverUnderAFreeName) {
    const QString dir = ProgramDir();
    const MemoryRow row{"a.wav", {a, "", "", "", "", "", "", ""}};
    ASSERT_EQ(SaveMemoryList(MemoryListPath(dir, "VESKAR_M000"), {}), "");
    ASSERT_EQ(SaveMemoryList(MemoryListPath(dir, "VESKARMA"), {row}), "");
    window.memoryPanel->Start("VESKARMA");
    EXPECT_EQ(window.memoryPanel->ListName(), "VESKAR_M001");
    EXPECT_EQ(window.memoryPanel->Count(), 1);
    EXPECT_FALSE(QFile::exists(MemoryListPath(dir, "VESKARMA")));
    EXPECT_EQ(LoadMemoryList(MemoryListPath(dir, "VESKAR_M001")).rows.size(), 1U);
    EXPECT_EQ(window.memoryPanel->ComboBox_M->currentText(), "VESKAR_M001");
}

TEST_F(CutFileChoiceTest, CtrlDigitsOpenTheSilencePanelOnTheirList) {
    window.OpenFiles({a});
    test::ShowActive(&window);
    window.cutFileOpener->ComboBox1->setFocus();
    QTest::keyClick(window.cutFileOpener->ComboBox1, Qt::Key_3, Qt::ControlModifier);
    SilencePanel& panel = *window.analysisPanels->silencePanel;
    EXPECT_TRUE(panel.Panel_Muon->isVisible());
    EXPECT_EQ(window.focusWidget(), panel.ListBox_MS[2]);
}

} // namespace
} // namespace veskar
