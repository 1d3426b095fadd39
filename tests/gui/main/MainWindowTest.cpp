#include <gtest/gtest.h>

#include <QAction>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStackedWidget>
#include <QTranslator>

#include <QComboBox>
#include <QRadioButton>
#include <QTreeWidget>

#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/cutscreen/TablePanel.h"
#include "gui/dialogs/TDIR2OPENDLG.h"
#include "gui/dialogs/TDIR2VIEWForm.h"
#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/PlayController.h"
#include "gui/main/QtJapanese.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/GuiDriver.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

// The engine knows which screen is shown, for the route of a play's end.
TEST(MainWindowTest, TheEngineKnowsTheScreen) {
    TKOTAN_VESKAR window;
    auto* screens = window.findChild<QStackedWidget*>("Screens");
    EXPECT_EQ(screens->currentWidget(), window.Panel_DFF);
    EXPECT_TRUE(window.player->Engine().controls.fileScreenShown);
    window.ShowCutScreen();
    EXPECT_EQ(screens->currentWidget(), window.Panel_CUT);
    EXPECT_FALSE(window.player->Engine().controls.fileScreenShown);
}

TEST(MainWindowTest, TableTakesTheRegisteredListAndMirrorsThePlayMode) {
    TKOTAN_VESKAR window;
    window.timeLists.registered.Assign({"1000", "2000", "3000"}, {});
    window.player->cutPanel->SetPlayMode(CutPlayMode::Repeat);
    EXPECT_FALSE(window.Panel_TT->isVisibleTo(&window)) << "hidden until first used";
    window.cutScreen->PopupMenu1->findChild<QAction*>("P_TT_ALL")->trigger();
    EXPECT_TRUE(window.Panel_TT->isVisibleTo(&window));
    EXPECT_EQ(window.Panel_TT->ListView_T->topLevelItemCount(), 3);
    EXPECT_EQ(window.timeLists.registered.Lines().SelectedCount(), 3);
    EXPECT_EQ(window.Panel_TT->ComboBox_TT_PM->currentIndex(), 4);

    window.Panel_TT->ComboBox_TT_PM->activated(5);
    EXPECT_EQ(window.player->cutPanel->PlayMode(), CutPlayMode::Off);
    window.player->cutPanel->playModeItems[2]->click();
    EXPECT_EQ(window.Panel_TT->ComboBox_TT_PM->currentIndex(), 2);
}

TEST(MainWindowTest, BrowserListIsTheFilePlayersListAndShowsItsFolder) {
    test::WavFiles files;
    const QString folder =
        QFileInfo(files.Write("take.wav", test::WavBuilder(8000, 1, 16).Silence(800))).path();
    TKOTAN_VESKAR window;
    EXPECT_EQ(&window.player->FileList(), static_cast<PlayFileList*>(window.browserPanel));
    window.browserPanel->Start(folder, "take.wav");
    EXPECT_EQ(window.player->filePanel->Edit_File_Disp->text(), folder);
}

TEST(MainWindowTest, OpenCommandChoosesWithTheSelectionDialogAndMakesTheWavTheCutFile) {
    test::WavFiles files;
    const QString path = files.Write("take1.wav", test::WavBuilder(44100, 2, 16).Silence(110250));
    TKOTAN_VESKAR window;
    auto* open = window.findChild<QAction*>("MF_WAV_OPEN");
    ASSERT_NE(open, nullptr);
    TDIR2OPENDLG& dialog = window.cutFileOpener->OpenDialog();
    dialog.SetDirectory(QFileInfo(path).path());
    test::OnNextBox(dialog, [](TDIR2VIEWForm* form) {
        form->Edit_File->setText("take1.wav");
        form->ColorBtn1->click();
    });
    open->trigger();
    EXPECT_EQ(window.cutScreen->CutFile(), path);
    EXPECT_EQ(window.player->Edit_Fn->text(), "take1.wav");
}

TEST(MainWindowTest, QtsOwnButtonsAndMenusSpeakJapanese) {
    const std::unique_ptr<QTranslator> translator(InstallQtJapanese(*QCoreApplication::instance()));
    ASSERT_NE(translator, nullptr) << "qt6-translations-l10n is installed by scripts/setup";
    EXPECT_EQ(QDialogButtonBox(QDialogButtonBox::Cancel).buttons().first()->text(), "キャンセル");
}

} // namespace
} // namespace veskar
