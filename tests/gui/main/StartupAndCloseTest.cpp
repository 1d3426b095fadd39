#include <gtest/gtest.h>

#include <functional>

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/LevelPanel.h"
#include "gui/cutscreen/PlayerPanel.h"
#include "gui/filescreen/FilePlayerPanel.h"
#include "gui/main/PlayController.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/ChangedSettings.h"
#include "support/GuiDriver.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

QByteArray StoreBytes() {
    QFile file(SettingsStore().FileName());
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<none>");
}

class StartupAndCloseTest : public testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }

    /// Form creation and the deferred start-up, run to their end.
    static void Start(TKOTAN_VESKAR& window) {
        window.FormCreate();
        ASSERT_TRUE(window.Timer_Create->isActive());
        window.Timer_CreateTimer();
        ASSERT_EQ(window.StartupStage, 99);
    }
    const QString saveDir = test::TestHomeDir() + "/cut";
};

TEST_F(StartupAndCloseTest, FirstStartAsksForTheSaveFolderThenForTheChopFolder) {
    TKOTAN_VESKAR window;
    test::BoxAnswerer boxes(window.MKBoxDlg1);
    window.FormCreate();
    ASSERT_TRUE(window.Timer6->isActive());
    EXPECT_FALSE(window.Timer_Create->isActive());

    QStringList folderBoxes;
    const auto registerDefault = [&folderBoxes](TDIR2SETForm* form) {
        folderBoxes << form->Label1->text() + " " + form->Edit1->text();
        form->Button1->click();
        form->Btn_SET->click();
    };
    test::OnNextBox(window.DIR2SETDLG1, registerDefault);
    window.Timer6Timer();
    EXPECT_TRUE(window.Timer_Create->isActive());
    test::OnNextBox(window.DIR2SETDLG1, registerDefault);
    window.Timer_CreateTimer();
    EXPECT_EQ(window.StartupStage, 99);

    const QString dizezi = test::TestHomeDir() + "/DIZEZI32";
    EXPECT_EQ(folderBoxes, QStringList({"SAVE_DIRﾌｫﾙﾀﾞｰの設定： " + dizezi + "/SAVE_DIR",
                                        "BG_DIRﾌｫﾙﾀﾞｰの設定： " + dizezi + "/BG_DIR"}));
    ASSERT_EQ(boxes.shown.size(), 7) << boxes.shown.join("|").toStdString();
    EXPECT_TRUE(boxes.shown[0].startsWith("これより、分割WAVファイル登録先を選択して戴きます。"));
    EXPECT_TRUE(boxes.shown[4].startsWith("これより、ぶつ切りカット格納先を選択して戴きます。"));
    // Both folders are in the store at once, before any close.
    Settings stored;
    SettingsStore().ReadFormValues(stored);
    SettingsStore().ReadChopDir(stored);
    EXPECT_EQ(stored.saveDir, dizezi + "/SAVE_DIR/");
    EXPECT_EQ(stored.chopDir, dizezi + "/BG_DIR/");
}

TEST_F(StartupAndCloseTest, TheFolderBoxCannotBeLeftWithoutAFolder) {
    TKOTAN_VESKAR window;
    test::BoxAnswerer boxes(window.MKBoxDlg1);
    window.FormCreate();
    test::OnNextBox(window.DIR2SETDLG1, [&](TDIR2SETForm* form) {
        form->Btn_CANCEL->click();
        EXPECT_TRUE(form->isVisible());
        form->Edit1->setText(saveDir);
        form->Btn_SET->click();
    });
    window.Timer6Timer();
    EXPECT_EQ(boxes.shown.mid(1, 2),
              QStringList({"変更を中止します",
                           "データを登録しないと終了出来ません\n初期値を登録して下さい☆☆☆"}));
    EXPECT_EQ(window.Cut().SaveDir(), saveDir + "/");

    // From the file menu, with a folder in force, "中止" leaves it as it was.
    test::OnNextBox(window.DIR2SETDLG1, [this](TDIR2SETForm* form) {
        EXPECT_EQ(form->Edit1->text(), saveDir);
        form->Edit1->setText("/elsewhere");
        form->Btn_CANCEL->click();
    });
    window.Cut().MF_SAVE_DIR->trigger();
    EXPECT_EQ(window.Cut().SaveDir(), saveDir + "/");
}

// A store as a user left it, both destination folders chosen, stays as it was.
TEST_F(StartupAndCloseTest, ClosingBeforeTheStartUpFinishedWritesNothing) {
    ASSERT_EQ(SettingsStore().WriteFolder("SAVE_DIR", saveDir + "/"), "");
    ASSERT_EQ(SettingsStore().WriteFolder("BG_DIR", saveDir + "/bg/"), "");
    ASSERT_TRUE(QDir().mkpath(saveDir + "/bg"));
    const QByteArray before = StoreBytes();
    {
        TKOTAN_VESKAR window;
        window.FormCreate();
        EXPECT_EQ(window.Cut().Edit_SDIR->text(), saveDir) << "shown in 登録先";
        EXPECT_TRUE(window.Timer_Create->isActive());
        window.close();
        EXPECT_FALSE(window.Timer_Create->isActive()) << "a closed window does not start up";
    }
    EXPECT_EQ(StoreBytes(), before);
    EXPECT_EQ(QDir(ProgramDir()).entryList({"*.LIS"}), QStringList());
}

// A store with every setting changed: a window starts on it and closes, another starts on the
// same store and closes, and the store holds every value as it was. Then a window whose copy of
// the values is wiped after start-up shows that its controls held them: they all come back.
TEST_F(StartupAndCloseTest, EverySettingIsBackAfterARestart) {
    const Settings changed = test::ChangedSettings(test::TestHomeDir());
    ASSERT_EQ(SettingsStore().WriteAll(changed), "");
    // The browser shows its folder, filter and file again only when they are there.
    ASSERT_TRUE(QDir().mkpath(changed.currentPath));
    ASSERT_TRUE(QFile(changed.currentPath + "/" + changed.dirText).open(QIODevice::WriteOnly));
    // The silence presets are chosen only among those there are.
    ASSERT_TRUE(QFile(ProgramDir() + changed.preset16 + ".m16").open(QIODevice::WriteOnly));
    ASSERT_TRUE(QFile(ProgramDir() + changed.preset08 + ".m08").open(QIODevice::WriteOnly));
    ASSERT_EQ(
        SaveDataLists(
            ProgramDir(),
            {{"", "Side A"}, {"/media/x/"}, {"/srv/"}, {"*.WAV", "ALL (*.*)", changed.filterText}}),
        QStringList());
    const QByteArray before = StoreBytes();
    for (int start = 0; start < 2; ++start) {
        TKOTAN_VESKAR window;
        Start(window);
        window.close();
    }
    EXPECT_EQ(QString::fromUtf8(StoreBytes()), QString::fromUtf8(before));
    EXPECT_EQ(LoadColorTagNames(ProgramDir()), QStringList({"", "Side A", "", "", "", "", ""}));
    EXPECT_EQ(LoadFolderHistory(ProgramDir()), QStringList({"/srv/"}));

    {
        TKOTAN_VESKAR window;
        Start(window);
        window.settings = Settings();
        window.close();
    }
    const QStringList held{
        "FP",        "SAVE_DIR", "FUN",       "No_Memo",   "Start_TM", "RENZOKU",   "PTS",
        "AUTO_NAME", "AUTO_83",  "SAVE_NAME", "TSR_MUKOU", "ST5",      "EN5",       "ME1",
        "MS1",       "SE5",      "1sColor",   "10sColor",  "60sColor", "MO_SL_OUT", "Play_Mode",
        "PM_START",  "PLAY_M",   "TPM_I",     "TPM_FE",    "MO_CS_UP", "ST_DFF"};
    const QStringList after = QString::fromUtf8(StoreBytes()).split('\n');
    for (const QString& line : QString::fromUtf8(before).split('\n')) {
        if (held.contains(line.section('=', 0, 0))) {
            EXPECT_TRUE(after.contains(line)) << line.toStdString() << " was not held";
        }
    }
}

} // namespace
} // namespace veskar
