#include <gtest/gtest.h>

#include <functional>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "core/host/Messenger.h"
#include "DialogDriver.h"
#include "gui/dialogs/TSNBox.h"
#include "gui/dialogs/TSNBoxDlg.h"

namespace veskar {
namespace {

class TSNBoxDlgTest : public ::testing::Test {
protected:
    void TearDown() override { test::CloseAllDialogs(); }

    /// Runs Execute with action driving the form once it shows.
    int Run(const QString& prompt, std::function<void(TSNBox*)> action) {
        auto connection = std::make_shared<QMetaObject::Connection>();
        *connection = QObject::connect(&dlg, &TSNBoxDlg::BoxOpening, &dlg, [=, this] {
            QObject::disconnect(*connection);
            QTimer::singleShot(0, &dlg, [this, action] { action(dlg.Form()); });
        });
        return dlg.Execute(prompt);
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
    const int result = Run("フォルダー名を入力して下さい", [&](TSNBox* form) {
        caption = form->windowTitle();
        prompt = form->Msg->text();
        edit = form->Edit1->text();
        history = Items(form->ComboBox1);
        panelShown = form->Panel1->isVisible();
        form->Button2->click();
    });
    EXPECT_EQ(result, Messenger::Abort);
    EXPECT_EQ(caption, "新規フォルダー");
    EXPECT_EQ(prompt, "フォルダー名を入力して下さい");
    EXPECT_EQ(edit, "FM");
    EXPECT_EQ(history, QStringList({"FM", "録音", "LP"}));
    EXPECT_FALSE(panelShown);
}

TEST_F(TSNBoxDlgTest, AnswerEqualToAnOlderEntryLeavesOneEntryOnTop) {
    dlg.SetSN({"a", "b", "c"});
    const int result = Run("p", [](TSNBox* form) {
        form->Edit1->setText("c");
        form->Button1->click();
    });
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_EQ(dlg.SNText(), "c");
    EXPECT_EQ(dlg.SN(), QStringList({"c", "a", "b"}));
}

TEST_F(TSNBoxDlgTest, NewAnswerIsAddedOnTop) {
    dlg.SetSN({"a", "b"});
    Run("p", [](TSNBox* form) {
        form->Edit1->setText("新しい名前");
        form->Button1->click();
    });
    EXPECT_EQ(dlg.SN(), QStringList({"新しい名前", "a", "b"}));
}

TEST_F(TSNBoxDlgTest, RegisterWithAnEmptyEditDoesNothing) {
    dlg.SetSN({"a"});
    bool stillOpen = false;
    const int result = Run("p", [&](TSNBox* form) {
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

TEST_F(TSNBoxDlgTest, ChoosingAHistoryEntryMovesItToTopAndIntoTheEdit) {
    dlg.SetSN({"a", "b", "c"});
    QString edit;
    QStringList order;
    bool panelAfterShow = false;
    bool panelAfterChoice = true;
    const int result = Run("p", [&](TSNBox* form) {
        form->Button3->click();
        panelAfterShow = form->Panel1->isVisible();
        form->ComboBox1Select(1);
        edit = form->Edit1->text();
        order = Items(form->ComboBox1);
        panelAfterChoice = form->Panel1->isVisible();
        form->Button1->click();
    });
    EXPECT_EQ(result, Messenger::Ok);
    EXPECT_TRUE(panelAfterShow);
    EXPECT_FALSE(panelAfterChoice);
    EXPECT_EQ(edit, "b");
    EXPECT_EQ(order, QStringList({"b", "a", "c"}));
    EXPECT_EQ(dlg.SN(), QStringList({"b", "a", "c"}));
}

TEST_F(TSNBoxDlgTest, OffClosesTheHistoryWithoutChoosing) {
    dlg.SetSN({"a", "b"});
    dlg.SetSNText("typed");
    QString edit;
    bool panel = true;
    Run("p", [&](TSNBox* form) {
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
    EXPECT_EQ(Run("p", [](TSNBox* form) { form->close(); }), Messenger::Cancel);
}

TEST_F(TSNBoxDlgTest, StandardColorChoosesTheEditBackground) {
    dlg.SetStandardColor(false);
    QColor base, window;
    Run("p", [&](TSNBox* form) {
        base = form->Edit1->palette().color(QPalette::Base);
        window = form->palette().color(QPalette::Window);
        form->Button2->click();
    });
    EXPECT_EQ(base, window);

    dlg.SetStandardColor(true);
    Run("p", [&](TSNBox* form) {
        base = form->Edit1->palette().color(QPalette::Base);
        form->Button2->click();
    });
    EXPECT_NE(base, window);
}

} // namespace
} // namespace veskar
