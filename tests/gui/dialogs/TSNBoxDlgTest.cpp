#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/dialogs/TSNBox.h"
#include "gui/dialogs/TSNBoxDlg.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

QStringList Items(const QComboBox* box) {
    return test::Shown(box->view());
}

// The checks inside the actions run in the box's modal loop; the result shows they ran.
class TSNBoxDlgTest : public ::testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }
    int Run(std::function<void(TSNBox*)> action, const QString& prompt = "p") {
        test::OnNextBox(dlg, action);
        return dlg.Execute(prompt);
    }
    TSNBoxDlg dlg;
};

TEST_F(TSNBoxDlgTest, ShowsPromptAndPutsTheCurrentTextOnTopOfTheHistory) {
    dlg.SetTitle("新規フォルダー");
    dlg.SetSN({"録音", "LP", "FM"});
    dlg.SetSNText("FM");
    const auto check = [](TSNBox* form) {
        EXPECT_EQ(form->windowTitle(), "新規フォルダー");
        EXPECT_EQ(form->Msg->text(), "フォルダー名を入力して下さい");
        EXPECT_EQ(form->Edit1->text(), "FM");
        EXPECT_EQ(Items(form->ComboBox1), QStringList({"FM", "録音", "LP"}));
        EXPECT_FALSE(form->Panel1->isVisible());
        form->Button2->click();
    };
    EXPECT_EQ(Run(check, "フォルダー名を入力して下さい"), Messenger::Abort);
}

// "登録" with an empty edit does nothing; the answer goes on top of the history once.
TEST_F(TSNBoxDlgTest, AnswerGoesOnTopOfTheHistoryOnce) {
    for (const auto& [answer, history] :
         {std::pair<QString, QStringList>{"c", {"c", "a", "b"}},
          std::pair<QString, QStringList>{"新しい名前", {"新しい名前", "a", "b", "c"}}}) {
        dlg.SetSN({"a", "b", "c"});
        dlg.SetSNText("");
        const int result = Run([answer](TSNBox* form) {
            form->Edit1->clear();
            form->Button1->click();
            EXPECT_TRUE(form->isVisible());
            form->Edit1->setText(answer);
            form->Button1->click();
        });
        EXPECT_EQ(result, Messenger::Ok);
        EXPECT_EQ(dlg.SNText(), answer);
        EXPECT_EQ(dlg.SN(), history);
    }
}

TEST_F(TSNBoxDlgTest, HistoryPanelChoosesAnEntryOrClosesWithoutOne) {
    dlg.SetSN({"a", "b", "c"});
    EXPECT_EQ(Run([](TSNBox* form) {
                  form->Button3->click();
                  EXPECT_TRUE(form->Panel1->isVisible());
                  form->ComboBox1Select(1);
                  EXPECT_EQ(form->Edit1->text(), "b");
                  EXPECT_EQ(Items(form->ComboBox1), QStringList({"b", "a", "c"}));
                  EXPECT_FALSE(form->Panel1->isVisible());
                  form->Button1->click();
              }),
              Messenger::Ok);
    EXPECT_EQ(dlg.SN(), QStringList({"b", "a", "c"}));

    dlg.SetSNText("typed");
    Run([](TSNBox* form) {
        form->Button3->click();
        form->Button4->click();
        EXPECT_FALSE(form->Panel1->isVisible());
        EXPECT_EQ(form->Edit1->text(), "typed");
        form->Button2->click();
    });
}

TEST_F(TSNBoxDlgTest, ClosingTheWindowAnswersCancel) {
    EXPECT_EQ(Run([](TSNBox* form) { form->close(); }), Messenger::Cancel);
}

} // namespace
} // namespace veskar
