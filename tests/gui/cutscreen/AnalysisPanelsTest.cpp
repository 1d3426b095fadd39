#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>

#include "core/analysis/CutAnalysis.h"
#include "core/host/SharedFlags.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/LevelPanel.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/cutscreen/TimeListModel.h"
#include "gui/dialogs/TTMSETBox.h"
#include "gui/dialogs/TTmSETBoxDlg.h"
#include "support/AnalysisRecordings.h"
#include "support/FakeHost.h"
#include "support/GuiDriver.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

using test::SelectRows;
using test::Shown;

bool HasBackground(const QAbstractItemView* box, int row) {
    return box->model()->index(row, 0).data(Qt::BackgroundRole).isValid();
}

class AnalysisPanelsTest : public testing::Test {
protected:
    AnalysisPanelsTest() {
        screen.resize(1200, 700);
        panels = new AnalysisPanels(analysis, screen, engine, flags, &options);
    }
    void Choose(const test::WavBuilder& builder) {
        const QString path = files.Write("take.wav", builder);
        screen.SetCutFile(path,
                          static_cast<TimeMs>(builder.FrameCount() * 1000 / test::kAnalysisRate));
    }
    void Detect() {
        silence().Btn_Muon->click();
        silence().Btn_Muon_START->click();
    }
    LevelPanel& level() { return *panels->levelPanel; }
    SilencePanel& silence() { return *panels->silencePanel; }

    test::WavFiles files;
    TimeLists lists;
    test::FakeHost host;
    Host engine{host.messenger, host.progress, host.pump};
    SharedFlags flags;
    CutAnalysis analysis{lists};
    CutScreen screen{lists, host.messenger, host.pump, flags};
    QMenu options;
    AnalysisPanels* panels = nullptr; // owned by the screen
};

// The colouring itself is driven end to end; here the peak button and the next file.
TEST_F(AnalysisPanelsTest, PeakButtonShowsThePeakAndTheNextFileStartsUncoloured) {
    ASSERT_EQ(options.actions().size(), 5) << "a separator and the four level options";
    Choose(test::SongsRecording());
    screen.ComboBox_TM->setCurrentIndex(0);
    screen.ComboBox_TMClick();
    level().Btn_IROWAKE->click();
    ASSERT_TRUE(HasBackground(screen.ListBox_ALL, 0));
    level().Btn_Peek->click();
    EXPECT_EQ(host.messenger.Texts(), QStringList{analysis.PeakMessage()});

    // The next file starts uncoloured with the run offered again.
    Choose(test::SongsRecording());
    EXPECT_TRUE(level().Btn_IROWAKE->isEnabled());
    EXPECT_FALSE(HasBackground(screen.ListBox_ALL, 0));
}

TEST_F(AnalysisPanelsTest, DetectionShowsTheSixLists) {
    Choose(test::SongsRecording());
    silence().Edit_Ninshiki_Time->setText("abc");
    Detect();
    EXPECT_EQ(host.progress.opened.size(), 1);
    EXPECT_EQ(silence().Edit_Ninshiki_Time->text(), "500") << "the fallback the run used";
    for (int k = 0; k < kSilenceChannels; ++k) {
        EXPECT_EQ(Shown(silence().ListBox_MS[k]), analysis.SilenceLines(k).Texts()) << k;
    }
    EXPECT_TRUE(host.messenger.calls.empty());
}

TEST_F(AnalysisPanelsTest, ListButtonsAndMenuRegisterAndSubdivide) {
    Choose(test::SongsRecording());
    Detect();
    screen.defaultColorItems[5]->trigger();
    SelectRows(silence().ListBox_MS[0], {2, 3});
    silence().Btn_MSTC[0]->click();
    EXPECT_EQ(Shown(screen.ListBox_C), analysis.SilenceLines(0).Texts().mid(2, 2));
    EXPECT_EQ(lists.registered.Tags(), (QStringList{"", ""})) << "録 registers without colour";
    silence().Btn_MS[0]->click();
    EXPECT_EQ(screen.ListBox_1s->currentIndex().data().toString(),
              analysis.SilenceLines(0).Text(2));
    EXPECT_EQ(silence().ListBox_MS[0]->selectionModel()->selectedRows().size(), 1)
        << "the selection is reduced to the base line";
    EXPECT_TRUE(HasBackground(screen.ListBox_1s, 2)) << "measured after the subdivision";

    // "すべて色付登録" stops playback first, and opens on no error box.
    lists.registered.Clear();
    int stops = 0;
    silence().SetStopPlayback([&] { stops += lists.registered.IsEmpty() ? 1 : 100; });
    silence().ListBox_MS0MouseDown(1, QPoint(5, 5));
    EXPECT_TRUE(silence().PopupMenu_MS->isVisible());
    silence().PopupMenu_MS->hide();
    silence().P_MS0->trigger();
    EXPECT_EQ(stops, 1) << "once, before registering";
    EXPECT_EQ(lists.registered.Texts(), analysis.SilenceLines(1).Texts());
    EXPECT_EQ(lists.registered.Tags().value(0), "5");
    flags.errorBoxOpen = true;
    silence().ListBox_MS0MouseDown(2, QPoint(5, 5));
    EXPECT_FALSE(silence().PopupMenu_MS->isVisible());
}

TEST_F(AnalysisPanelsTest, NumericLevelPanelFollowsTheShortLists) {
    Choose(test::SongsRecording());
    SelectRows(screen.ListBox_ALL, {1}); // 10 s
    screen.subdivideButtons[5]->click();
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen));
    screen.ListBox_ALLClick(TimeListId::Level1s, 2);
    EXPECT_TRUE(level().Panel_L->isVisibleTo(&screen));
    EXPECT_EQ(level().ListBox_L->count(), screen.ListBox_1s->model()->rowCount());
    EXPECT_EQ(level().ListBox_L->currentRow(), 2);
    // A line of the numeric list clicks the same line of its list.
    std::pair<TimeListId, int> clicked{TimeListId::None, -1};
    QObject::connect(&screen, &CutScreen::LineClicked, [&](TimeListId list, int row) {
        clicked = {list, row};
    });
    level().ListBox_LClick(6);
    EXPECT_EQ(clicked, std::make_pair(TimeListId::Level1s, 6));
    EXPECT_EQ(screen.ListBox_1s->currentIndex().row(), 6);
    EXPECT_EQ(level().ListBox_L->currentRow(), 6);
    screen.ListBox_ALLClick(TimeListId::Level10s, 1);
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen)) << "the 10 s list has no numbers";
    level().MO_SL_OUT->trigger();
    screen.ListBox_ALLClick(TimeListId::Level1s, 2);
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen));
    level().MO_SL_OUT->trigger();
    // A rebuild (new time form) closes the panel and empties the silence lists.
    screen.ListBox_ALLClick(TimeListId::Level1s, 2);
    Detect();
    screen.MO_FUN->trigger();
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen));
    EXPECT_EQ(silence().ListBox_MS[0]->model()->rowCount(), 0);
}

TEST_F(AnalysisPanelsTest, ColourOptionsMeasureWhatTheyTurnOn) {
    Choose(test::SongsRecording());
    SelectRows(screen.ListBox_ALL, {1});
    screen.subdivideButtons[5]->click();
    ASSERT_TRUE(HasBackground(screen.ListBox_1s, 2));
    EXPECT_FALSE(HasBackground(screen.ListBox_10s, 1)) << "10 s lists are not coloured yet";
    level().MO_1sColor->trigger();
    EXPECT_FALSE(HasBackground(screen.ListBox_1s, 2));
    EXPECT_FALSE(level().MO_10sColor->isEnabled());
    lists.slotLevels[3].assign(lists.slotLevels[3].size(), -1);
    level().MO_1sColor->trigger();
    EXPECT_TRUE(HasBackground(screen.ListBox_1s, 2)) << "measured again";
    level().MO_10sColor->trigger();
    EXPECT_TRUE(HasBackground(screen.ListBox_10s, 1));
    level().MO_60sColor->trigger();
    EXPECT_TRUE(HasBackground(screen.ListBox_60s, 0));
}

TEST_F(AnalysisPanelsTest, QuickChoiceMenusWriteIntoTheClickedField) {
    Choose(test::SongsRecording());
    silence().Btn_Muon->click();
    const auto choose = [](QLabel* label, QMenu* menu, QAction* item) {
        test::SendMouse(label, QEvent::MouseButtonPress);
        EXPECT_TRUE(menu->isVisible()) << label->objectName().toStdString();
        menu->hide();
        item->trigger();
    };
    choose(silence().Label_ML[2], silence().PopupMenu_ML, silence().PML[0]);
    EXPECT_EQ(silence().Edit_ML[2]->text(), "50");
    EXPECT_EQ(analysis.silenceSettings.levels[2], "50");
    choose(silence().Label_Ninshiki_Time, silence().PopupMenu_MT, silence().PMT[6]);
    EXPECT_EQ(analysis.silenceSettings.recognition, "3000");
    silence().Edit_MT[0]->setText("250");
    EXPECT_EQ(analysis.silenceSettings.durations[0], "250") << "typing goes straight in";

    silence().PM_INI->trigger();
    EXPECT_EQ(silence().Edit_ML[2]->text(), analysis.silenceSettings.levels[2]);
    EXPECT_EQ(silence().Edit_MT[0]->text(), analysis.silenceSettings.durations[0]);
    EXPECT_NE(silence().Edit_MT[0]->text(), "250");

    // An 8-bit file: its level defaults and its own level menu.
    Choose(test::StretchRecording({{2000, 60}}, 8));
    EXPECT_EQ(silence().Edit_ML[1]->text(), "7");
    choose(silence().Label_ML[1], silence().PopupMenu_ML8, silence().PML8[4]);
    EXPECT_EQ(silence().Edit_ML[1]->text(), "10");
}

TEST_F(AnalysisPanelsTest, StoppedRunsMayBeStartedAgain) {
    // Read in blocks of 40 s: the stop comes after the first block.
    Choose(test::LongRecording());
    host.progress.stopAfterUpdates = 1;
    Detect();
    EXPECT_TRUE(silence().Btn_Muon_START->isEnabled());
    level().Btn_IROWAKE->click();
    EXPECT_TRUE(level().Btn_IROWAKE->isEnabled());
    EXPECT_EQ(host.messenger.calls.size(), 2u) << "each stop is reported";
}

// おすすめ fills the fields and runs the detection; each song start shows its agreement.
TEST_F(AnalysisPanelsTest, SuggestionFillsTheFieldsAndDetects) {
    Choose(test::PiecesInHiss(200).wav);
    silence().Btn_Muon->click();
    silence().Btn_Muon_Suggest->click();
    EXPECT_EQ(host.messenger.Texts(), QStringList{});
    EXPECT_EQ(silence().Edit_ML[0]->text(), analysis.silenceSettings.levels[0]);
    const QAbstractItemModel* model = silence().ListBox_MS[0]->model();
    ASSERT_EQ(model->rowCount(), 10) << "a lead-in silence, then five songs";
    const int suffix = TimeListModel::kSuffixRole;
    EXPECT_EQ(model->index(1, 0).data(suffix).toString(),
              " " + QString::number(analysis.SilenceAgreement(0, 1)));
    EXPECT_EQ(model->index(2, 0).data(suffix).toString(), "") << "a silence start";
}

// The count box's number of pieces: their starts registered blue, their silences uncoloured.
TEST_F(AnalysisPanelsTest, PieceCountRegistersTheFittedStarts) {
    Choose(test::PiecesInHiss(200).wav);
    bool registered = false;
    QObject::connect(&silence(), &SilencePanel::LinesRegistered, [&] { registered = true; });
    test::OnNextBox(*silence().TmSETBoxDlg_Tracks, [](TTMSETBox* form) {
        form->Step(-5);
        test::AnswerNextBox("Btn_Yes");
        form->Btn_SET->click();
    });
    silence().Btn_Muon_Tracks->click();
    EXPECT_TRUE(registered);
    EXPECT_EQ(lists.registered.Tags().count(QStringLiteral("1")), 5);
    EXPECT_EQ(lists.registered.Count(), 10) << "five starts, five silences";
}

} // namespace
} // namespace veskar
