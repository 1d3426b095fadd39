#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

#include "core/analysis/CutAnalysis.h"
#include "core/host/SharedFlags.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutScreen.h"
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

class SilenceAdviceTest : public testing::Test {
protected:
    SilenceAdviceTest() {
        panels = new AnalysisPanels(analysis, screen, engine, flags, &options);
        const test::KnownPieces known = test::PiecesInHiss(200);
        screen.SetCutFile(files.Write("take.wav", known.wav),
                          static_cast<TimeMs>(known.wav.FrameCount() * 1000 / test::kAnalysisRate));
        silence().Btn_Muon->click();
    }
    void TearDown() override { test::CloseAllDialogs(); }
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

// The suggestion fills the fields and runs the detection; each song start shows its agreement.
TEST_F(SilenceAdviceTest, SuggestionFillsTheFieldsAndDetects) {
    silence().Btn_Muon_Suggest->click();
    EXPECT_EQ(host.messenger.Texts(), QStringList{});
    EXPECT_EQ(silence().Edit_ML[0]->text(), analysis.silenceSettings.levels[0]);
    EXPECT_NE(silence().Edit_ML[0]->text(), QStringLiteral("100"));
    const QAbstractItemModel* model = silence().ListBox_MS[0]->model();
    ASSERT_EQ(model->rowCount(), 10) << "a lead-in silence, then five songs";
    const int suffix = TimeListModel::kSuffixRole;
    EXPECT_EQ(model->index(1, 0).data(suffix).toString(),
              " " + QString::number(analysis.SilenceAgreement(0, 1)));
    EXPECT_EQ(model->index(2, 0).data(suffix).toString(), "") << "a silence start";
}

// The count box's number of pieces: their starts registered blue, their silences uncoloured.
TEST_F(SilenceAdviceTest, PieceCountRegistersTheFittedStarts) {
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
