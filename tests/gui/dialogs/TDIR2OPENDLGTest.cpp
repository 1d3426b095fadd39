#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include "gui/dialogs/TDIR2OPENDLG.h"
#include "gui/dialogs/TDIR2VIEWForm.h"
#include "gui/filescreen/FileListModel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "support/FakeHost.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

class TDIR2OPENDLGTest : public testing::Test {
protected:
    TDIR2OPENDLGTest() {
        QDir(m_dir.path()).mkpath("rec/sub");
        QFile(Path("rec/take.wav")).open(QIODevice::WriteOnly);
        dialog.SetFilter("ＷＡＶ files (*.WAV)|*.WAV");
        dialog.SetDefaultExt("wav");
    }
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    /// Runs action on the form of the next run once its modal loop runs; a form still open
    /// afterwards is cancelled.
    void OnForm(std::function<void(TDIR2VIEWForm*)> action) {
        test::OnNextBox(dialog, [action](TDIR2VIEWForm* form) {
            action(form);
            if (form->isVisible()) {
                form->ColorBtn2->click();
            }
        });
    }

    QTemporaryDir m_dir;
    test::FakeMessenger messenger;
    TDIR2OPENDLG dialog{messenger};
};

TEST_F(TDIR2OPENDLGTest, FileModeTakesABareNameInTheFolderShown) {
    dialog.SetFilename(Path("rec/proposed.wav"));
    OnForm([&](TDIR2VIEWForm* form) {
        EXPECT_FALSE(form->Button_HF->isEnabled());
        EXPECT_TRUE(form->Panel_Edit_File->isVisible());
        EXPECT_EQ(form->Edit_Folder->text(), Path("rec"));
        EXPECT_EQ(form->Edit_File->text(), "proposed.wav");
        EXPECT_EQ(test::Shown(form->browser->ListView1), QStringList{"take.wav"});
        form->Edit_File->setText("sub/named");
        form->ColorBtn1->click();
        EXPECT_TRUE(form->isVisible()) << "a relative path is refused";
        form->Edit_File->setText("named");
        form->ColorBtn1->click();
    });
    EXPECT_EQ(dialog.ExecuteFile(), Messenger::Ok);
    EXPECT_EQ(dialog.Filename(), Path("rec/named.wav"));
    EXPECT_EQ(dialog.Directory(), Path("rec"));
    ASSERT_EQ(messenger.calls.size(), 1u);
    EXPECT_TRUE(messenger.calls[0].text.endsWith("(ドライブ名付)で設定して下さい☆"));
}

TEST_F(TDIR2OPENDLGTest, AnExistingFileIsChosenOnlyAfterYes) {
    dialog.SetFilename(Path("rec/x.wav"));
    OnForm([&](TDIR2VIEWForm* form) {
        test::ClickRow(form->browser->ListView1, 0);
        EXPECT_EQ(form->Edit_File->text(), Path("rec/take.wav"));
        form->ColorBtn1->click();
        EXPECT_TRUE(form->isVisible()) << "the countdown answers No";
        messenger.answers = {Messenger::Yes};
        form->ColorBtn1->click();
    });
    EXPECT_EQ(dialog.ExecuteFile(), Messenger::Ok);
    EXPECT_EQ(dialog.Filename(), Path("rec/take.wav"));
    EXPECT_EQ(messenger.calls.size(), 2u);
}

TEST_F(TDIR2OPENDLGTest, FolderModeWalksUpAndBackAndCancels) {
    dialog.SetDirectory(Path("rec/sub"));
    OnForm([&](TDIR2VIEWForm* form) {
        EXPECT_FALSE(form->Panel_Edit_File->isVisible());
        EXPECT_FALSE(form->Edit_Folder->isReadOnly());
        form->Button_BF->click();
        EXPECT_EQ(form->Edit_Folder->text(), Path("rec"));
        EXPECT_TRUE(form->Button_HF->isEnabled());
        form->Button_HF->click();
        EXPECT_EQ(form->Edit_Folder->text(), Path("rec/sub"));
        EXPECT_FALSE(form->Button_HF->isEnabled());
        form->ColorBtn1->click();
    });
    EXPECT_EQ(dialog.ExecuteFolder(), Messenger::Ok);
    EXPECT_EQ(dialog.Directory(), Path("rec/sub"));

    OnForm([](TDIR2VIEWForm* form) { form->ColorBtn2->click(); });
    EXPECT_EQ(dialog.ExecuteFolder(), Messenger::Abort);
}

} // namespace
} // namespace veskar
