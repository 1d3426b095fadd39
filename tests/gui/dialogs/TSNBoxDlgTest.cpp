#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/dialogs/TSNBox.h"
#include "gui/dialogs/TSNBoxDlg.h"
#include "support/GuiDriver.h"

namespace veskar {
namespace {

class TSNBoxDlgTest : public ::testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }

    /// Runs Execute with action driving the form once it shows.
    int Run(std::function<void(TSNBox*)> action) {
        test::OnNextBox(dlg, action);
        return dlg.Execute("p");
    }
    static QStringList Items(const QComboBox* box) {
        QStringList items;
        for (int i = 0; i < box->count(); ++i) {
            items << box->itemText(i);
        }
        return items;
    }

    TSNBoxDlg dlg;
};

TEST_F(TSNBoxDlgTest, ShowsPromptAndPutsTheCurrentTextOnTopOfTheHistory) {
    dlg.SetTitle("新規フォルダー");
    dlg.SetSN({"録音", "LP", "FM"});
    dlg.SetSNText("FM");
    QString caption, prompt, edit;
    QStringList history;
    bool panelShown = true;
    test::OnNextBox(dlg, [&](TSNBox* form) {
        caption = form->windowTitle();
        prompt = form->Msg->text();
        edit = form->Edit1->text();
        history = Items(form->ComboBox1);
        panelShown = form->Panel1->isVisible();
        form->Button2->click();
    });
    EXPECT_EQ(dlg.Execute("フォルダー名を入力して下さい"), Messenger::Abort);
    EXPECT_EQ(caption, "新規フォルダー");
    EXPECT_EQ(prompt, "フォルダー名を入力して下さい");
    EXPECT_EQ(edit, "FM");
    EXPECT_EQ(history, QStringList({"FM", "録音", "LP"}));
    EXPECT_FALSE(panelShown);
}

TEST_F(TSNBoxDlgTest, AnswerGoesOnTopOfTheHistoryOnce) {
    for (const auto& [answer, history] :
         {std::pair<QString, QStringList>{"c", {"c", "a", "b"}},
          std::pair<QString, QStringList>{"新しい名前", {"新しい名前", "a", "b", "c"}}}) {
        dlg.SetSN({"a", "b", "c"});
        dlg.SetSNText("");
        const int result = Run([answer](TSNBox* form) {
            form->Edit1->setText(answer);
            form->Button1->click();
        });
        EXPECT_EQ(result, Messenger::Ok);
        EXPECT_EQ(dlg.SNText(), answer);
        EXPECT_EQ(dlg.SN(), history);
    }
}

TEST_F(TSNBoxDlgTest, RegisterWithAnEmptyEditDoesNothing) {
    bool stillOpen = false;
    const int result = Run([&](TSNBox* form) {
        form->Edit1->clear();
        form->Button1->click();
        stillOpen = form->isVisible();
        form->Edit1->setText("x");
        form->Button1->click();
    });
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.SNText(), "x");
}

TEST_F(TSNBoxDlgTest, HistoryPanelChoosesAnEntryOrClosesWithoutOne) {
    dlg.SetSN({"a", "b", "c"});
    QString edit;
    QStringList order;
    bool panelAfterShow = false;
    bool panelAfterChoice = true;
    EXPECT_EQ(Run([&](TSNBox* form) {
                  form->Button3->click();
                  panelAfterShow = form->Panel1->isVisible();
                  form->ComboBox1Select(1);
                  edit = form->Edit1->text();
                  order = Items(form->ComboBox1);
                  panelAfterChoice = form->Panel1->isVisible();
                  form->Button1->click();
              }),
              Messenger::Ok);
    EXPECT_TRUE(panelAfterShow);
    EXPECT_FALSE(panelAfterChoice);
    EXPECT_EQ(edit, "b");
    EXPECT_EQ(order, QStringList({"b", "a", "c"}));
    EXPECT_EQ(dlg.SN(), QStringList({"b", "a", "c"}));

    dlg.SetSNText("typed");
    bool panel = true;
    Run([&](TSNBox* form) {
        form->Button3->click();
        form->Button4->click();
        panel = form->Panel1->isVisible();
        edit = form->Edit1->text();
        form->Button2->click();
    });
    EXPECT_FALSE(panel);
    EXPECT_EQ(edit, "typed");
}

TEST_F(TSNBoxDlgTest, ClosingTheWindowAnswersCancel) {
    EXPECT_EQ(Run([](TSNBox* form) { form->close(); }), Messenger::Cancel);
}

} // namespace
} // namespace veskar
