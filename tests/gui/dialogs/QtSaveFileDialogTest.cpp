#include <gtest/gtest.h>

#include <QFileDialog>
#include <QTemporaryDir>

#include "gui/dialogs/QtSaveFileDialog.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

TEST(QtSaveFileDialogFilterTest, FilterTextBecomesQtNameFilters) {
    struct Case {
        const char* filter;
        QStringList expected;
    };
    const Case cases[] = {
        {"ＷＡＶ files (*.WAV)|*.WAV|ALL files (*.*)|*.*",
         {"ＷＡＶ files (*.WAV)", "ALL files (*.*)"}},
        {"WAVファイル|*.wav", {"WAVファイル (*.wav)"}},
        {"音|*.wav;*.WAV", {"音 (*.wav *.WAV)"}},
        {"", {}},
        {"odd entry without mask", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtSaveFileDialog::NameFilters(QString::fromUtf8(c.filter)), c.expected)
            << c.filter;
    }
}

class QtSaveFileDialogTest : public testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }
    SaveFileDialog::Request Request() const {
        SaveFileDialog::Request request;
        request.title = "ＷＡＶ分割ファイル作成";
        request.filter = "ＷＡＶ files (*.WAV)|*.WAV|ALL files (*.*)|*.*";
        request.defaultExt = "wav";
        request.fileName = dir.path() + "/live_0m01000.wav";
        request.initialDir = dir.path();
        request.prompt = "カットファイル名を自分で付ける";
        return request;
    }
    QTemporaryDir dir;
    QtSaveFileDialog dialog;
};

TEST_F(QtSaveFileDialogTest, OpensOnTheAutomaticNameAndReturnsTheChosenPathOrNothing) {
    test::WhenShown<QFileDialog>([&](QFileDialog* box) {
        EXPECT_EQ(box->windowTitle(), "ＷＡＶ分割ファイル作成");
        EXPECT_EQ(box->labelText(QFileDialog::FileName), "カットファイル名を自分で付ける");
        EXPECT_EQ(box->selectedFiles(), QStringList{dir.path() + "/live_0m01000.wav"});
        box->selectFile("mine");
        static_cast<QDialog*>(box)->accept();
    });
    EXPECT_EQ(dialog.AskSavePath(Request()), dir.path() + "/mine.wav")
        << "the default extension is added";
    test::WhenShown<QFileDialog>([](QFileDialog* box) { box->reject(); });
    EXPECT_EQ(dialog.AskSavePath(Request()), "");
}

TEST_F(QtSaveFileDialogTest, FolderChooserGivesTheFolderOrNothing) {
    test::WhenShown<QFileDialog>([&](QFileDialog* box) {
        EXPECT_EQ(box->windowTitle(), "分割WAVファイル登録先");
        EXPECT_EQ(box->fileMode(), QFileDialog::Directory);
        static_cast<QDialog*>(box)->accept();
    });
    EXPECT_EQ(ChooseFolderWithQt(nullptr, "分割WAVファイル登録先", dir.path()),
              std::optional<QString>(dir.path()));
    test::WhenShown<QFileDialog>([](QFileDialog* box) { box->reject(); });
    EXPECT_EQ(ChooseFolderWithQt(nullptr, "分割WAVファイル登録先", dir.path()), std::nullopt);
}

} // namespace
} // namespace veskar
