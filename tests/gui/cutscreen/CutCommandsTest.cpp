#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>

#include "core/cut/CutRun.h"
#include "core/host/SaveFileDialog.h"
#include "core/wav/WavReader.h"
#include "gui/cutscreen/CutWindow.h"
#include "gui/dialogs/TPBarBox.h"
#include "gui/dialogs/TSNBox.h"
#include "support/FakeSaveFileDialog.h"

namespace veskar {
namespace {

using test::CutWindowTest;

void DoubleClick(QWidget* widget) {
    QMouseEvent event(QEvent::MouseButtonDblClick, QPointF(5, 5),
                      widget->mapToGlobal(QPointF(5, 5)), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

class CutCommandsTest : public CutWindowTest {};

TEST_F(CutCommandsTest, AllCutFromTheButtonWritesEverySegmentAndTheRecord) {
    UseSource("live.wav", 3);
    Register({0, 1000, 2000});
    SelectRows(screen.ListBox_C, {1});
    CutFromButton(cut.WAV_CUT_ALL);

    // Minutes mode on a 3 s file: one minute digit; short names, as nothing matched live_*.wav.
    const QStringList names = {"live_0m00000.wav", "live_0m01000.wav", "live_0m02000.wav"};
    EXPECT_EQ(SavedNames(), names);
    for (const QString& name : names) {
        EXPECT_EQ(QFileInfo(saveDir + name).size(), SegmentBytes(1000)) << name.toStdString();
        WavInfo info;
        EXPECT_EQ(ReadWavInfo(saveDir + name, info), "") << name.toStdString();
    }
    EXPECT_EQ(boxes.shown, QStringList{CutRun::DoneText()});
    EXPECT_EQ(screen.ListBox_C->selectionModel()->selectedRows().size(), 3)
        << "ALL selects every line, and the list shows it";
    EXPECT_FALSE(cut.Run().Busy());

    EXPECT_EQ(viewer.shown, QStringList{RecordPath()});
    const QStringList lines = RecordFileLines();
    ASSERT_EQ(lines.size(), 8) << "7 lines, each with its line end";
    EXPECT_TRUE(lines[0].startsWith("カットデータ一覧　"));
    EXPECT_EQ(lines[1], "3個 カットしました。");
    EXPECT_EQ(lines[2], QString(40, '-'));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(lines[3 + i], "44S16    0.01000     176,446 " + names[i] + " " + saveDir);
    }
    EXPECT_EQ(lines[6], QString(40, '-'));
    EXPECT_EQ(cut.Record().Lines(), lines.mid(3, 3));
}

TEST_F(CutCommandsTest, SelectedLinesOnTheWorkerThreadKeepTheWindowLive) {
    cut.MO_CS_UP->trigger();
    ASSERT_FALSE(cut.Options().waitForSave);
    UseSource("live.wav", 3);
    Register({0, 1000, 2000});
    SelectRows(screen.ListBox_C, {1});
    CutFromButton(cut.WAV_CUT);
    WaitForRunEnd();

    EXPECT_EQ(SavedNames(), QStringList{"live_0m01000.wav"});
    EXPECT_EQ(QFileInfo(saveDir + "live_0m01000.wav").size(), SegmentBytes(1000));
    EXPECT_EQ(boxes.shown, QStringList{CutRun::DoneText()});
    EXPECT_EQ(cut.Record().Lines().size(), 1);
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0) << "the progress box is closed at the end";
}

TEST_F(CutCommandsTest, ColourCutFromTheSubmenuTakesOnlyThatColour) {
    UseSource("live.wav", 3);
    Register({0, 1000, 2000}, {"2", "1", "2"});
    SelectRows(screen.ListBox_C, {1});
    CutFromButton(cut.colorCutItems[2]);

    // Each red line up to the next line, the last to the end; the selection plays no part.
    EXPECT_EQ(SavedNames(), (QStringList{"live_0m00000_Red.wav", "live_0m02000_Red.wav"}));
    EXPECT_EQ(QFileInfo(saveDir + "live_0m00000_Red.wav").size(), SegmentBytes(1000));
    EXPECT_EQ(cut.Run().ColorFilter(), "2");
}

TEST_F(CutCommandsTest, EmptyListIsRefusedWithItsMessage) {
    UseSource("live.wav", 3);
    CutFromButton(cut.WAV_CUT);

    EXPECT_EQ(boxes.shown, QStringList{source + "\nタイムが登録されていません・・・"});
    EXPECT_TRUE(SavedNames().isEmpty());
    EXPECT_TRUE(viewer.shown.isEmpty());
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
    EXPECT_EQ(window.PBarBoxDlg1.State(0), ProgressBox::Free);
}

TEST_F(CutCommandsTest, SubdivisionListCutsItsLastLineForOneStep) {
    UseSource("live.wav", 3);
    screen.MO_TSR_MUKOU->trigger();
    lists.subdivisions[3].Assign({lists.format.FormatTime(0), lists.format.FormatTime(1000)});
    screen.RefreshLists();
    SelectRows(screen.ListBox_1s, {1});
    screen.ListBox_CMouseDown(TimeListId::Level1s, QPoint(10, 10));
    ASSERT_TRUE(screen.PopupMenu1->isVisible());
    cut.WAV_CUT->trigger();
    screen.PopupMenu1->hide();

    // 1000 + 1 s, not to the end of the file as the registered list would.
    EXPECT_EQ(SavedNames(), QStringList{"live_0m01000.wav"});
    EXPECT_EQ(QFileInfo(saveDir + "live_0m01000.wav").size(), SegmentBytes(1000));
}

TEST_F(CutCommandsTest, StopFromTheProgressBoxDropsTheSegmentBeingWritten) {
    // The second segment is longer than one copy block, so the stop reaches it mid-way.
    UseSource("long.wav", 100);
    Register({0, 1000});
    cut.MF_SAVE_NAME->trigger();
    class StopOnSecond : public SaveFileDialog {
    public:
        explicit StopOnSecond(TPBarBoxDlg& boxes) : m_boxes(boxes) {}
        QString AskSavePath(const Request& request) override {
            if (++asked == 2) {
                m_boxes.Form(0)->Button2->click();
            }
            return request.fileName;
        }
        int asked = 0;

    private:
        TPBarBoxDlg& m_boxes;
    } dialog(window.PBarBoxDlg1);
    cut.SetSaveFileDialog(&dialog);
    CutFromButton(cut.WAV_CUT_ALL);

    EXPECT_EQ(dialog.asked, 2);
    EXPECT_EQ(SavedNames(), QStringList{"long_0m00000.wav"})
        << "no second file, and no hidden remains of it";
    EXPECT_EQ(boxes.shown, (QStringList{CutRun::StoppedText(), CutRun::DoneText()}));
    EXPECT_EQ(cut.Record().Lines().size(), 1);
    EXPECT_EQ(viewer.shown, QStringList{RecordPath()}) << "the record follows the stop";
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
}

TEST_F(CutCommandsTest, StopOnTheWorkerThreadLeavesOnlyWholeFiles) {
    cut.MO_CS_UP->trigger();
    UseSource("long.wav", 100);
    Register({0, 1000});
    test::WhenShown<TPBarBox>([](TPBarBox* box) { box->Button2->click(); },
                              [](TPBarBox* box) { return box->Msg->text().contains("0m01000"); });
    CutFromButton(cut.WAV_CUT_ALL);
    WaitForRunEnd();

    ASSERT_FALSE(boxes.shown.isEmpty());
    EXPECT_EQ(boxes.shown.first(), CutRun::StoppedText());
    const QStringList names = SavedNames();
    EXPECT_TRUE(names.size() <= 2 && names.value(0) == "long_0m00000.wav")
        << names.join(",").toStdString();
    EXPECT_EQ(QFileInfo(saveDir + "long_0m00000.wav").size(), SegmentBytes(1000));
    if (names.size() == 2) {
        // The save ended before the stop reached it: then the file is whole.
        EXPECT_EQ(names[1], "long_0m01000.wav");
        EXPECT_EQ(QFileInfo(saveDir + names[1]).size(), SegmentBytes(99000));
    }
}

TEST_F(CutCommandsTest, CutMenuItemsFollowTheListAndTheStartTimes) {
    UseSource("live.wav", 3);
    auto open = [&](TimeListId list) {
        screen.ListBox_CMouseDown(list, QPoint(10, 10));
        EXPECT_TRUE(screen.PopupMenu1->isVisible());
        screen.PopupMenu1->hide();
    };
    // Cut items come before the start-colour items, "キャンセル" last.
    const QList<QAction*> items = screen.PopupMenu1->actions();
    EXPECT_LT(items.indexOf(cut.WAV_CUT), items.indexOf(screen.PCUT_N0));
    EXPECT_LT(items.indexOf(cut.WAV_CUT_ST0->menuAction()), items.indexOf(screen.PCUT_N0));
    EXPECT_EQ(items.last(), cut.WAV_CUT_CANSEL);

    // An empty list keeps the cut items: the run itself says that nothing is registered.
    open(TimeListId::Registered);
    EXPECT_TRUE(cut.WAV_CUT->isVisible() && cut.WAV_CUT->isEnabled());
    EXPECT_TRUE(cut.WAV_CUT_ALL->isVisible() && cut.WAV_CUT_ALL->isEnabled());
    EXPECT_TRUE(cut.WAV_CUT_ST0->menuAction()->isVisible());
    EXPECT_TRUE(cut.WAV_CUT_ST0->menuAction()->isEnabled());

    screen.MO_ST_TM->trigger();
    open(TimeListId::Registered);
    EXPECT_TRUE(cut.WAV_CUT_ST0->menuAction()->isVisible());
    EXPECT_FALSE(cut.WAV_CUT_ST0->menuAction()->isEnabled());
    EXPECT_TRUE(cut.WAV_CUT->isEnabled());

    screen.MO_TSR_MUKOU->trigger();
    open(TimeListId::Interval);
    EXPECT_FALSE(cut.WAV_CUT_ST0->menuAction()->isVisible());
    EXPECT_TRUE(cut.WAV_CUT->isVisible() && cut.WAV_CUT->isEnabled());
    EXPECT_TRUE(cut.WAV_CUT_CANSEL->isVisible());
    EXPECT_EQ(screen.P_LIST_Name->text(), "等間隔リストのカット、メニュー(&X)");

    // The button always opens the menu of the registered list, and not while a box is open.
    cut.Btn_CUT->click();
    EXPECT_EQ(screen.PopupTargetList(), TimeListId::Registered);
    EXPECT_TRUE(screen.PopupMenu1->isVisible());
    EXPECT_FALSE(window.flags.errorBoxOpen);
    screen.PopupMenu1->hide();
    window.flags.errorBoxOpen = true;
    cut.Btn_CUT->click();
    EXPECT_FALSE(screen.PopupMenu1->isVisible());
    EXPECT_TRUE(window.flags.errorBoxOpen);
}

TEST_F(CutCommandsTest, FileMenuRecordItemsFollowTheRecord) {
    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(bar.first()->menu(), cut.MFile0) << "the file menu comes first";
    EXPECT_TRUE(window.MOption0->actions().contains(cut.MO_CS_UP));

    auto prepare = [&] {
        emit cut.MFile0->aboutToShow();
        return std::vector<bool>{cut.MF_CUT_TXT->isEnabled(), cut.MF_KIROKU->isEnabled(),
                                 cut.MF_KIROKUCLR->isEnabled()};
    };
    EXPECT_EQ(prepare(), (std::vector<bool>{false, false, false}));

    UseSource("live.wav", 3);
    Register({0, 2000});
    SelectRows(screen.ListBox_C, {1});
    cut.MF_No_Memo->trigger();
    CutFromButton(cut.WAV_CUT);
    EXPECT_TRUE(viewer.shown.isEmpty()) << "カット記録を表示しない";
    EXPECT_EQ(prepare(), (std::vector<bool>{false, true, true}));

    cut.MF_KIROKU->trigger();
    EXPECT_EQ(viewer.shown, QStringList{RecordPath()}) << "asked for, it is shown all the same";
    EXPECT_EQ(RecordFileLines().value(1), "1個 カットしました。");

    boxes.answers = {Messenger::No};
    cut.MF_KIROKUCLR->trigger();
    EXPECT_EQ(cut.Record().Lines().size(), 1);
    boxes.answers = {Messenger::Yes};
    cut.MF_KIROKUCLR->trigger();
    EXPECT_TRUE(cut.Record().IsEmpty());
    EXPECT_EQ(boxes.shown.mid(1),
              (QStringList{"カット記録削除：\nカット記録を削除してよろしいですか？？？",
                           "カット記録削除を中止しました。",
                           "カット記録削除：\nカット記録を削除してよろしいですか？？？"}));
    EXPECT_EQ(viewer.shown.size(), 2) << "shown one last time before it is emptied";

    EXPECT_EQ(prepare(), (std::vector<bool>{true, false, false}));
    cut.MF_CUT_TXT->trigger();
    EXPECT_EQ(viewer.shown.size(), 3);
    EXPECT_EQ(viewer.shown.last(), RecordPath());

    // Closing shows a record that holds lines, MF_No_Memo or not.
    cut.ShowRecordAtClose();
    EXPECT_EQ(viewer.shown.size(), 3) << "nothing to show";
    CutFromButton(cut.WAV_CUT);
    EXPECT_EQ(viewer.shown.size(), 3);
    cut.ShowRecordAtClose();
    EXPECT_EQ(viewer.shown.size(), 4);
}

TEST_F(CutCommandsTest, SaveDialogMovesTheSaveFolderOnYes) {
    const QString other = out.path() + "/other";
    ASSERT_TRUE(QDir().mkpath(other));
    test::FakeSaveFileDialog dialog;
    dialog.answers = {other + "/mine.WAV"};
    cut.SetSaveFileDialog(&dialog);
    cut.MF_SAVE_NAME->trigger();
    UseSource("live.wav", 3);
    Register({1000});
    boxes.answers = {Messenger::Yes};
    CutFromButton(cut.WAV_CUT_ALL);

    ASSERT_EQ(dialog.requests.size(), 1u);
    EXPECT_EQ(dialog.requests[0].fileName, saveDir + "live_0m01000.wav");
    EXPECT_TRUE(boxes.shown.value(0).startsWith("今作成するWAVファイルは、\n" + other + "\n"));
    EXPECT_EQ(QFileInfo(other + "/mine.wav").size(), SegmentBytes(2000));
    EXPECT_EQ(cut.SaveDir(), other + "/");
    EXPECT_EQ(cut.Edit_SDIR->text(), other);
}

TEST_F(CutCommandsTest, BaseNameFollowsTheFileUntilEdited) {
    UseSource("Live.WAV", 3);
    EXPECT_EQ(cut.Edit_SFn->text(), "Live");
    EXPECT_EQ(cut.OutputBaseName(), "Live");

    test::WhenShown<TSNBox>([](TSNBox* box) {
        EXPECT_EQ(box->windowTitle(), "録音ファイル名の変更");
        EXPECT_EQ(box->Edit1->text(), "Live");
        box->Edit1->setText("Side A");
        box->Button1->click();
    });
    DoubleClick(cut.Edit_SFn);
    EXPECT_EQ(cut.Edit_SFn->text(), "Side A");

    Register({1000});
    SelectRows(screen.ListBox_C, {0});
    CutFromButton(cut.WAV_CUT);
    EXPECT_EQ(SavedNames(), QStringList{"Side A_0m01000.wav"});

    // Cancelling keeps the base; another cut file brings its own name back.
    test::WhenShown<TSNBox>([](TSNBox* box) { box->Button2->click(); });
    DoubleClick(cut.Edit_SFn);
    EXPECT_EQ(cut.OutputBaseName(), "Side A");
    screen.SetCutFile(source, 3000);
    EXPECT_EQ(cut.Edit_SFn->text(), "Live");
}

TEST_F(CutCommandsTest, NamingTicksShowTheirPattern) {
    EXPECT_TRUE(cut.MF_AUTO_NAME->isChecked());
    EXPECT_TRUE(cut.MF_AUTO_83->isEnabled());
    EXPECT_EQ(cut.Label_SFn_Last->text(), "_cNNN_TTTTTT.wav");

    cut.MF_AUTO_NAME->trigger();
    EXPECT_FALSE(cut.MF_AUTO_83->isEnabled());
    EXPECT_EQ(cut.Label_SFn_Last->text(), "_YYMMDD_HHMMSS_TTTTTT.wav");

    cut.MF_AUTO_NAME->trigger();
    cut.MF_AUTO_83->trigger();
    EXPECT_EQ(cut.Label_SFn_Last->text(), "_cNNN_TTTTTT.wav") << "8.3 alone leaves the caption";
    cut.MF_AUTO_NAME->trigger();
    cut.MF_AUTO_NAME->trigger();
    EXPECT_EQ(cut.Label_SFn_Last->text(), "NNNN.wav");

    UseSource("Concert.2008.wav", 3);
    Register({0, 1000});
    CutFromButton(cut.WAV_CUT_ALL);
    EXPECT_EQ(SavedNames(), (QStringList{"Conc0000.wav", "Conc0001.wav"}));
}

TEST_F(CutCommandsTest, SaveFolderFromItsBox) {
    EXPECT_EQ(cut.Edit_SDIR->text(), out.path());
    const QString chosen = out.path() + "/cuts";
    ASSERT_TRUE(QDir().mkpath(chosen));
    chooserAnswer = chosen;
    DoubleClick(cut.Edit_SDIR);
    ASSERT_EQ(chooserCalls.size(), 1);
    EXPECT_EQ(chooserCalls[0], "分割WAVファイル登録先|" + out.path());
    EXPECT_EQ(cut.SaveDir(), chosen + "/");
    EXPECT_EQ(cut.Edit_SDIR->text(), chosen);

    chooserAnswer.reset();
    cut.MF_SAVE_DIR->trigger();
    EXPECT_EQ(cut.SaveDir(), chosen + "/") << "a cancelled box changes nothing";
}

TEST_F(CutCommandsTest, CutWithoutAFolderAsksForOneFirst) {
    cut.SetSaveDir(kFolderNotSet);
    EXPECT_EQ(cut.Edit_SDIR->text(), "@@@@@");
    UseSource("live.wav", 3);
    Register({0});

    CutFromButton(cut.WAV_CUT_ALL);
    ASSERT_EQ(chooserCalls.size(), 1);
    EXPECT_EQ(chooserCalls[0], "分割WAVファイル登録先|" + QDir::homePath());
    EXPECT_TRUE(boxes.shown.isEmpty()) << "declined: no run at all";
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);

    chooserAnswer = out.path();
    CutFromButton(cut.WAV_CUT_ALL);
    EXPECT_EQ(SavedNames(), QStringList{"live_0m00000.wav"});
    EXPECT_EQ(cut.SaveDir(), saveDir);
}

} // namespace
} // namespace veskar
