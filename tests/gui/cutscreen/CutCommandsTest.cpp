#include <optional>

#include <QLabel>
#include <QLineEdit>

#include "core/cut/CutRun.h"
#include "core/cut/OutputNaming.h"
#include "core/timelists/CutPointFiles.h"
#include "gui/cutscreen/CutPointCommands.h"
#include "gui/dialogs/TDIR2OPENDLG.h"
#include "gui/dialogs/TDIR2VIEWForm.h"
#include "gui/dialogs/TSNBox.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "support/EventLoop.h"
#include "support/RoadWindow.h"

namespace veskar {
namespace {

using test::SelectRows;

// The main window on its cut screen with a generated recording as cut file, a fresh save folder
// and a folder chooser that takes note.
class CutCommandsTest : public test::RoadWindowTest {
protected:
    CutCommandsTest() {
        cut.SetFolderChooser([this](const QString& title, const QString& start) {
            chooserCalls << title + "|" + start;
            return chooserAnswer;
        });
        cut.SetSaveDir(saveDir);
    }
    /// A 16-bit stereo recording at 44.1 kHz as cut file.
    void UseSource(const QString& name, int seconds) {
        source = files.Write(name, test::WavBuilder(44100, 2, 16).Sine(44100 * seconds, 440, 8000));
        screen.SetCutFile(source, seconds * 1000);
    }
    /// Registers these times (ms) with their tags.
    void Register(const std::vector<TimeMs>& times, const QStringList& tags = {}) {
        QStringList texts;
        for (const TimeMs ms : times) {
            texts << lists.format.FormatTime(ms);
        }
        lists.registered.Assign(texts, tags);
        screen.RefreshLists();
    }

    CutCommands& cut = window.Cut();
    CutScreen& screen = *window.cutScreen;
    TimeLists& lists = window.timeLists;
    QStringList chooserCalls;
    std::optional<QString> chooserAnswer;
};

TEST_F(CutCommandsTest, EachCutItemStartsTheRunWithItsFilter) {
    UseSource("live.wav", 1);
    Register({0}, {"7"});
    std::vector<std::pair<QAction*, QString>> items = {
        {cut.WAV_CUT, ""}, {cut.WAV_CUT_ALL, ""}, {cut.WAV_CUT_ST, "@"}};
    for (int code = 1; code < kStartColorCount; ++code) {
        items.emplace_back(cut.colorCutItems[code], QString::number(code));
    }
    for (const auto& [item, filter] : items) {
        screen.ListBox_C->clearSelection();
        CutWith(item);
        EXPECT_EQ(cut.Run().ColorFilter(), filter) << item->objectName().toStdString();
        if (item == cut.WAV_CUT_ALL) {
            EXPECT_EQ(screen.ListBox_C->selectionModel()->selectedRows().size(), 1)
                << "ALL selects every line, and the list shows it";
        }
    }
    // The first run, with no line selected, cut nothing; from then on every run shows the record.
    EXPECT_EQ(viewer.shown.size(), static_cast<qsizetype>(items.size()) - 1);
    EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
}

TEST_F(CutCommandsTest, MenuOfASubdivisionListCutsThatList) {
    UseSource("live.wav", 3);
    screen.MO_TSR_MUKOU->trigger();
    lists.subdivisions[3].Assign({lists.format.FormatTime(0), lists.format.FormatTime(1000)});
    screen.RefreshLists();
    SelectRows(screen.ListBox_1s, {1});
    screen.ListBox_CMouseDown(TimeListId::Level1s, QPoint(10, 10));
    ASSERT_TRUE(screen.PopupMenu1->isVisible());
    cut.WAV_CUT->trigger();
    screen.PopupMenu1->hide();
    EXPECT_EQ(SavedNames(), QStringList{"live_0m01000.wav"});
}

// "中止" in the progress box while the second segment is written, with MO_CS_UP ticked (the
// run waits for each save) or not (saves on the worker thread): the run ends with its record,
// and a segment being written then is dropped whole, or was finished first.
class CutStopTest : public CutCommandsTest, public testing::WithParamInterface<bool> {};

TEST_P(CutStopTest, StopFromTheProgressBoxLeavesOnlyWholeFiles) {
    cut.MO_CS_UP->setChecked(GetParam());
    // The second segment is longer than one copy block, so the stop reaches it mid-way.
    UseSource("long.wav", 100);
    Register({0, 1000});
    test::WhenShown<TPBarBox>([](TPBarBox* box) { box->Button2->click(); },
                              [](TPBarBox* box) { return box->Msg->text().contains("0m01000"); });
    CutWith(cut.WAV_CUT_ALL);
    EXPECT_EQ(cut.Run().Busy(), !GetParam())
        << "a save on the worker thread leaves the window free";
    ASSERT_TRUE(test::RunEventsUntil([&] { return !cut.Run().Busy(); })) << "the run did not end";
    EXPECT_EQ(boxes.shown, (QStringList{CutRun::StoppedText(), CutRun::DoneText()}));
    EXPECT_EQ(viewer.shown, QStringList{RecordPath()}) << "the record follows the stop";
    const QStringList names = SavedNames();
    ASSERT_TRUE(names.size() <= 2 && names.value(0) == "long_0m00000.wav")
        << names.join(",").toStdString();
    if (GetParam()) {
        EXPECT_EQ(names.size(), 1) << "no second file, and no hidden remains of it";
    }
}

INSTANTIATE_TEST_SUITE_P(WaitForSave, CutStopTest, testing::Bool());

// The colour cuts follow the start-colour items: shown for the registered list only.
TEST_F(CutCommandsTest, TheButtonOpensTheRegisteredListsMenu) {
    screen.MO_ST_TM->trigger();
    cut.Btn_CUT->click();
    EXPECT_TRUE(screen.PopupMenu1->isVisible());
    EXPECT_FALSE(window.flags.errorBoxOpen);
    screen.PopupMenu1->hide();
    EXPECT_FALSE(cut.WAV_CUT_ST0->menuAction()->isEnabled());
    screen.MO_TSR_MUKOU->trigger();
    screen.ListBox_CMouseDown(TimeListId::Interval, QPoint(10, 10));
    screen.PopupMenu1->hide();
    EXPECT_FALSE(cut.WAV_CUT_ST0->menuAction()->isVisible());

    // Not while a box is open.
    window.flags.errorBoxOpen = true;
    cut.Btn_CUT->click();
    EXPECT_FALSE(screen.PopupMenu1->isVisible());
    EXPECT_EQ(screen.PopupTargetList(), TimeListId::Interval);
}

TEST_F(CutCommandsTest, FileMenuRecordItemsFollowTheRecord) {
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
    CutWith(cut.WAV_CUT);
    EXPECT_TRUE(viewer.shown.isEmpty()) << "カット記録を表示しない";
    EXPECT_EQ(prepare(), (std::vector<bool>{false, true, true}));
    cut.MF_KIROKU->trigger();
    EXPECT_EQ(viewer.shown, QStringList{RecordPath()}) << "asked for, it is shown all the same";
    boxes.answers = {Messenger::Yes};
    cut.MF_KIROKUCLR->trigger();
    EXPECT_TRUE(cut.Record().IsEmpty());
    EXPECT_EQ(prepare(), (std::vector<bool>{true, false, false}));
    cut.MF_CUT_TXT->trigger();
    EXPECT_EQ(viewer.shown.size(), 3) << "shown before emptying, then the last file again";

    // Closing shows a record that holds lines, MF_No_Memo or not.
    cut.ShowRecordAtClose();
    CutWith(cut.WAV_CUT);
    cut.ShowRecordAtClose();
    EXPECT_EQ(viewer.shown.size(), 4) << "nothing to show the first time";
}

TEST_F(CutCommandsTest, SaveDialogMovesTheSaveFolderOnYes) {
    const QString other = out.path() + "/other";
    ASSERT_TRUE(QDir().mkpath(other));
    QString caption;
    test::OnNextBox(cut.SaveDialog(), [&](TDIR2VIEWForm* form) {
        caption = form->windowTitle();
        form->browser->ShowFolder(other);
        form->Edit_File->setText("mine.WAV");
        form->ColorBtn1->click();
    });
    cut.MF_SAVE_NAME->trigger();
    UseSource("live.wav", 3);
    Register({1000});
    boxes.answers = {Messenger::Yes};
    CutWith(cut.WAV_CUT_ALL);
    EXPECT_EQ(caption, "ＷＡＶ分割ファイル作成カットファイル名を自分で付ける");
    EXPECT_TRUE(QFileInfo::exists(other + "/mine.wav"));
    EXPECT_EQ(cut.SaveDir(), other + "/");
    EXPECT_EQ(cut.Edit_SDIR->text(), other);
}

TEST_F(CutCommandsTest, BaseNameFollowsTheFileUntilEdited) {
    UseSource("Live.WAV", 3);
    EXPECT_EQ(cut.Edit_SFn->text(), "Live");
    test::WhenShown<TSNBox>([](TSNBox* box) {
        EXPECT_EQ(box->windowTitle(), "録音ファイル名の変更");
        EXPECT_EQ(box->Edit1->text(), "Live");
        box->Edit1->setText("Side A");
        box->Button1->click();
    });
    test::SendMouse(cut.Edit_SFn, QEvent::MouseButtonDblClick);
    EXPECT_EQ(cut.Edit_SFn->text(), "Side A");
    EXPECT_EQ(cut.Options().baseName, "Side A");
    // Cancelling keeps the base; another cut file brings its own name back.
    test::WhenShown<TSNBox>([](TSNBox* box) { box->Button2->click(); });
    test::SendMouse(cut.Edit_SFn, QEvent::MouseButtonDblClick);
    EXPECT_EQ(cut.OutputBaseName(), "Side A");
    // A name every piece would fail on is refused where it is typed, saying why.
    cut.SetTextPrompt([](const QString&, const QString&) { return QString("my/song"); });
    test::SendMouse(cut.Edit_SFn, QEvent::MouseButtonDblClick);
    EXPECT_EQ(cut.OutputBaseName(), "Side A");
    EXPECT_EQ(boxes.shown, QStringList{NamePartProblem("my/song")});
    screen.SetCutFile(source, 3000);
    EXPECT_EQ(cut.Edit_SFn->text(), "Live");
}

TEST_F(CutCommandsTest, NamingTicksReachTheRunAndShowTheirPattern) {
    EXPECT_EQ(cut.Label_SFn_Last->text(), "_cNNN_TTTTTT.wav");
    cut.MF_AUTO_NAME->trigger();
    EXPECT_FALSE(cut.MF_AUTO_83->isEnabled());
    EXPECT_FALSE(cut.Options().autoName);
    EXPECT_EQ(cut.Label_SFn_Last->text(), "_YYMMDD_HHMMSS_TTTTTT.wav");
    cut.MF_AUTO_NAME->trigger();
    cut.MF_AUTO_83->trigger();
    EXPECT_TRUE(cut.Options().auto83);
    cut.MF_AUTO_NAME->trigger();
    cut.MF_AUTO_NAME->trigger();
    EXPECT_EQ(cut.Label_SFn_Last->text(), "NNNN.wav");
}

TEST_F(CutCommandsTest, SaveFolderFromItsBoxAndBeforeTheFirstCut) {
    const QString chosen = out.path() + "/cuts";
    ASSERT_TRUE(QDir().mkpath(chosen));
    chooserAnswer = chosen;
    test::SendMouse(cut.Edit_SDIR, QEvent::MouseButtonDblClick);
    EXPECT_EQ(cut.SaveDir(), chosen + "/");
    EXPECT_EQ(cut.Edit_SDIR->text(), chosen);
    chooserAnswer.reset();
    cut.MF_SAVE_DIR->trigger();
    EXPECT_EQ(cut.SaveDir(), chosen + "/") << "a cancelled box changes nothing";

    // Without a folder a cut asks for one first; declined, nothing runs.
    cut.SetSaveDir(kFolderNotSet);
    UseSource("live.wav", 3);
    Register({0});
    CutWith(cut.WAV_CUT_ALL);
    EXPECT_EQ(chooserCalls.value(0), "分割WAVファイル登録先|" + out.path());
    EXPECT_EQ(chooserCalls.value(2), "分割WAVファイル登録先|" + QDir::homePath());
    EXPECT_TRUE(boxes.shown.isEmpty());
    chooserAnswer = out.path();
    CutWith(cut.WAV_CUT_ALL);
    EXPECT_EQ(SavedNames(), QStringList{"live_0m00000.wav"});
}

// A cut-point file of a longer recording is refused with the message box, the list kept.
TEST_F(CutCommandsTest, CutPointsOfALongerRecordingAreRefused) {
    UseSource("take.wav", 5);
    Register({0, 1000, 2500});
    const QString answer = files.WriteBytes("long.txt", "0\t9.5\tBlue\n");
    window.cutPoints->pickFile = [&](const QString&, const QString&, bool) { return answer; };
    window.cutPoints->MF_CP_IN->trigger();
    EXPECT_EQ(boxes.shown,
              QStringList{CutPointFileRefused(
                  answer, "この録音（0.05000）より長い録音のファイルです（0.09500）・・・")});
    EXPECT_EQ(lists.registered.Count(), 3);
}

} // namespace
} // namespace veskar
