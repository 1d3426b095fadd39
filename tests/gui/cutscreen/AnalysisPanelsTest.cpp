#include <utility>

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include "core/host/SharedFlags.h"
#include "core/analysis/CutAnalysis.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/LevelPanel.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/dialogs/TMKBox.h"
#include "gui/dialogs/TPBarBox.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

constexpr uint32_t kRate = 8000;
const QColor kBlue(0, 0, 255);
const QColor kBlack(0, 0, 0);
const QColor kRed223(223, 0, 0);

// A mono recording at 8 kHz made of stretches (ms, magnitude): a square tone of that magnitude,
// or silence for 0.
test::WavBuilder Recording(std::initializer_list<std::pair<int64_t, int32_t>> stretches,
                           uint16_t bits = 16) {
    test::WavBuilder builder(kRate, 1, bits);
    for (const auto& [ms, magnitude] : stretches) {
        builder.Square(ms * kRate / 1000, 10, magnitude);
    }
    return builder;
}

// 20 s: silences at 3-4 s and 14-16 s, a quiet stretch (300) at 9.0-9.4 s, the loudest part
// (31000) from 9.4 s to 14 s.
test::WavBuilder Songs() {
    return Recording({{3000, 20000},
                      {1000, 0},
                      {5000, 20000},
                      {400, 300},
                      {4600, 31000},
                      {2000, 0},
                      {4000, 20000}});
}

// 100 s, read in blocks of 40 s: silences at 3-4 s and 50-51 s.
test::WavBuilder LongRecording() {
    return Recording({{3000, 20000}, {1000, 0}, {46000, 20000}, {1000, 0}, {49000, 20000}});
}

const QStringList kShortQuiet = {"0.00000", "0.03000", "0.04000", "0.14000", "0.16000"};
const QStringList kWithQuiet = {"0.00000", "0.03000", "0.04000", "0.09000",
                                "0.09400", "0.14000", "0.16000"};

QStringList Shown(const QAbstractItemView* box) {
    QStringList texts;
    for (int row = 0; row < box->model()->rowCount(); ++row) {
        texts.append(box->model()->index(row, 0).data().toString());
    }
    return texts;
}

QColor Background(const QAbstractItemView* box, int row) {
    return box->model()->index(row, 0).data(Qt::BackgroundRole).value<QColor>();
}

bool HasBackground(const QAbstractItemView* box, int row) {
    return box->model()->index(row, 0).data(Qt::BackgroundRole).isValid();
}

// The colour the delegate painted at the right end of a row, where no text is drawn.
QColor Painted(QAbstractItemView* box, int row) {
    const QRect rect = box->visualRect(box->model()->index(row, 0));
    const QImage image = box->viewport()->grab().toImage();
    return image.pixelColor(rect.right() - 2, rect.center().y());
}

void SelectRows(QAbstractItemView* box, std::initializer_list<int> rows) {
    box->clearSelection();
    for (const int row : rows) {
        box->selectionModel()->select(box->model()->index(row, 0), QItemSelectionModel::Select);
    }
    box->selectionModel()->setCurrentIndex(box->model()->index(*rows.begin(), 0),
                                           QItemSelectionModel::NoUpdate);
}

void ClickLabel(QLabel* label) {
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, label->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(label, &press);
}

class AnalysisPanelsTest : public testing::Test {
protected:
    AnalysisPanelsTest() {
        screen.resize(1200, 700);
        panels = new AnalysisPanels(analysis, screen, engine, flags, &options);
    }

    void Choose(const test::WavBuilder& builder) {
        const QString path = files.Write("take.wav", builder);
        screen.SetCutFile(path, static_cast<TimeMs>(builder.FrameCount() * 1000 / kRate));
    }
    void Detect() {
        silence().Btn_Muon->click();
        silence().Btn_Muon_START->click();
    }
    void ShowActive() {
        screen.show();
        QApplication::setActiveWindow(&screen);
        QApplication::processEvents();
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

TEST_F(AnalysisPanelsTest, ColouringPaintsTheIntervalListByLevelAndShowsThePeak) {
    Choose(Songs());
    screen.ComboBox_TM->setCurrentIndex(0);
    screen.ComboBox_TMClick();
    ASSERT_EQ(screen.ListBox_ALL->model()->rowCount(), 21);
    EXPECT_FALSE(HasBackground(screen.ListBox_ALL, 0));
    ASSERT_EQ(options.actions().size(), 5) << "a separator and the four level options";

    level().Btn_IROWAKE->click();
    EXPECT_EQ(Background(screen.ListBox_ALL, 0), kBlue) << "20000: loud";
    EXPECT_EQ(Background(screen.ListBox_ALL, 3), kBlack) << "silence";
    EXPECT_EQ(Background(screen.ListBox_ALL, 10), kRed223) << "31000: near full scale";
    EXPECT_EQ(screen.ListBox_ALL->model()->index(0, 0).data(Qt::ForegroundRole).value<QColor>(),
              QColor(Qt::white));
    ShowActive();
    EXPECT_EQ(Painted(screen.ListBox_ALL, 0), kBlue);
    EXPECT_EQ(Painted(screen.ListBox_ALL, 3), kBlack);
    EXPECT_EQ(host.progress.opened, QStringList{"等間隔リスト色分け処理中|take.wav  色分け中"});

    EXPECT_FALSE(level().Btn_IROWAKE->isEnabled()) << "one run per file";
    EXPECT_EQ(level().Btn_IROWAKE->palette().color(QPalette::Disabled, QPalette::ButtonText),
              QColor(0xC0, 0xC0, 0xC0));
    level().Btn_Peek->click();
    EXPECT_EQ(host.messenger.Texts(), QStringList{"ピークタイム\n0.09400\nピークレベル\n31000"});

    // The next file starts uncoloured with the run offered again.
    Choose(Songs());
    EXPECT_TRUE(level().Btn_IROWAKE->isEnabled());
    EXPECT_FALSE(HasBackground(screen.ListBox_ALL, 0));
    level().Btn_Peek->click();
    EXPECT_EQ(host.messenger.Texts().value(1), "ピークタイム\n-\nピークレベル\n-");
}

TEST_F(AnalysisPanelsTest, DetectionFillsTheSixListsWithSongStartsInTheStartColour) {
    Choose(Songs());
    EXPECT_FALSE(silence().Panel_Muon->isVisibleTo(&screen));
    silence().Edit_Ninshiki_Time->setText("abc");
    Detect();
    EXPECT_TRUE(silence().Panel_Muon->isVisibleTo(&screen));
    EXPECT_TRUE(silence().Btn_Muon_START->isEnabled());
    EXPECT_EQ(host.progress.opened, QStringList{"自動無音検出処理中|take.wav  無音検出中"});
    EXPECT_EQ(silence().Edit_Ninshiki_Time->text(), "500") << "the fallback the run used";

    EXPECT_EQ(Shown(silence().ListBox_MS[0]), kShortQuiet);
    EXPECT_EQ(Shown(silence().ListBox_MS[1]), kWithQuiet);
    EXPECT_EQ(Shown(silence().ListBox_MS[2]), kWithQuiet);
    for (int k : {3, 4, 5}) {
        EXPECT_EQ(Shown(silence().ListBox_MS[k]), kShortQuiet) << k;
    }
    TimeListBox* first = silence().ListBox_MS[0];
    EXPECT_EQ(Background(first, 0), kBlue) << "a song start";
    EXPECT_FALSE(HasBackground(first, 1)) << "a silence start";
    ShowActive();
    EXPECT_EQ(Painted(first, 2), kBlue);

    // The song starts follow the default start colour.
    screen.defaultColorItems[2]->trigger();
    EXPECT_EQ(Background(first, 2), QColor(255, 0, 0));
    EXPECT_EQ(Painted(first, 2), QColor(255, 0, 0));
    screen.MO_ST_TM->trigger();
    EXPECT_EQ(Painted(first, 2), kBlue);
    EXPECT_TRUE(host.messenger.calls.empty());
}

TEST_F(AnalysisPanelsTest, RegisterButtonsTagOnlyTheSongStarts) {
    Choose(Songs());
    Detect();
    screen.defaultColorItems[5]->trigger();
    EXPECT_EQ(silence().Btn_MST[0]->palette().color(QPalette::Button), QColor(0, 255, 255))
        << "the colour register buttons show the default colour";

    SelectRows(silence().ListBox_MS[0], {0, 1, 2});
    silence().Btn_MST[0]->click();
    EXPECT_EQ(lists.registered.Texts(), (QStringList{"0.00000", "0.03000", "0.04000"}));
    EXPECT_EQ(lists.registered.Tags(), (QStringList{"5", "", "5"}));
    EXPECT_EQ(Shown(screen.ListBox_C), lists.registered.Texts());

    SelectRows(silence().ListBox_MS[1], {3, 4});
    silence().Btn_MSTC[1]->click();
    EXPECT_EQ(lists.registered.Texts(),
              (QStringList{"0.00000", "0.03000", "0.04000", "0.09000", "0.09400"}));
    EXPECT_EQ(lists.registered.Tags(), (QStringList{"5", "", "5", "", ""}));

    silence().ListBox_MS[3]->clearSelection();
    silence().Btn_MST[3]->click();
    EXPECT_EQ(host.messenger.Texts(), QStringList{"データを選択して下さい☆☆☆"});
}

TEST_F(AnalysisPanelsTest, AllWithColoursFromTheListMenuStopsPlaybackFirst) {
    Choose(Songs());
    Detect();
    int stops = 0;
    silence().SetStopPlayback([&] {
        ++stops;
        EXPECT_TRUE(lists.registered.IsEmpty()) << "playback stops before registering";
    });
    screen.defaultColorItems[3]->trigger();

    silence().ListBox_MS0MouseDown(1, QPoint(5, 5));
    EXPECT_TRUE(silence().PopupMenu_MS->isVisible());
    silence().PopupMenu_MS->hide();
    silence().P_MS0->trigger();
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(lists.registered.Texts(), kWithQuiet);
    EXPECT_EQ(lists.registered.Tags(), (QStringList{"3", "", "3", "", "3", "", "3"}));

    flags.errorBoxOpen = true;
    silence().ListBox_MS0MouseDown(2, QPoint(5, 5));
    EXPECT_FALSE(silence().PopupMenu_MS->isVisible()) << "no menu over an error box";
}

TEST_F(AnalysisPanelsTest, SubdividesFromTheSelectedSilenceTime) {
    Choose(Songs());
    Detect();
    SelectRows(silence().ListBox_MS[0], {2, 3});
    silence().Btn_MS[0]->click();
    EXPECT_EQ(Shown(screen.ListBox_60s), (QStringList{"0.00000", "0.04000"}));
    EXPECT_EQ(screen.ListBox_1s->currentIndex().data().toString(), "0.04000");
    EXPECT_EQ(analysis.SilenceLines(0).SelectedIndexes(), std::vector<int>{2})
        << "the selection is reduced to the base line";
    // Colour display is on: the short lists were measured after the subdivision.
    EXPECT_EQ(Background(screen.ListBox_1s, 2), kBlue) << "4 s is sound again";

    analysis.SilenceLines(4).Clear();
    silence().RefreshLists();
    silence().Btn_MS[4]->click();
    EXPECT_EQ(host.messenger.Texts(), QStringList{"タイムがありません・・・"});
}

TEST_F(AnalysisPanelsTest, NumericLevelPanelFollowsTheShortLists) {
    Choose(Songs());
    SelectRows(screen.ListBox_ALL, {1}); // 10 s
    screen.subdivideButtons[5]->click();
    ASSERT_EQ(screen.ListBox_1s->model()->index(2, 0).data().toString(), "0.10000");
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen));

    screen.ListBox_ALLClick(TimeListId::Level1s, 2);
    EXPECT_TRUE(level().Panel_L->isVisibleTo(&screen));
    EXPECT_EQ(level().Btn_L_T->text(), "[ 1s ]");
    QListWidget* numbers = level().ListBox_L;
    ASSERT_EQ(numbers->count(), screen.ListBox_1s->model()->rowCount());
    EXPECT_EQ(numbers->currentRow(), 2);
    EXPECT_EQ(numbers->item(2)->text(), "31000");
    EXPECT_EQ(numbers->item(2)->data(Qt::BackgroundRole).value<QColor>(), kRed223);
    EXPECT_EQ(numbers->item(6)->text(), "0");

    // A line of the numeric list clicks the same line of its list.
    TimeListId clicked = TimeListId::None;
    int clickedRow = -1;
    QObject::connect(&screen, &CutScreen::LineClicked, [&](TimeListId list, int row) {
        clicked = list;
        clickedRow = row;
    });
    level().ListBox_LClick(6);
    EXPECT_EQ(clicked, TimeListId::Level1s);
    EXPECT_EQ(clickedRow, 6);
    EXPECT_EQ(screen.ListBox_1s->currentIndex().row(), 6);
    EXPECT_EQ(numbers->currentRow(), 6);

    screen.ListBox_ALLClick(TimeListId::Level10s, 1);
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen)) << "the 10 s list has no numbers";
    screen.ListBox_ALLClick(TimeListId::Level100ms, 0);
    EXPECT_EQ(level().Btn_L_T->text(), "[ 100ms ]");
    level().Btn_L->click();
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen));

    level().MO_SL_OUT->trigger();
    EXPECT_FALSE(analysis.options.numericLevels);
    screen.ListBox_ALLClick(TimeListId::Level1s, 2);
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen));
    level().MO_SL_OUT->trigger();
    screen.ListBox_ALLClick(TimeListId::Level1s, 2);
    EXPECT_TRUE(level().Panel_L->isVisibleTo(&screen));

    // A rebuild (new time form) closes the panel and empties the silence lists.
    Detect();
    ASSERT_FALSE(analysis.SilenceLines(0).IsEmpty());
    screen.MO_FUN->trigger();
    EXPECT_FALSE(level().Panel_L->isVisibleTo(&screen));
    EXPECT_EQ(silence().ListBox_MS[0]->model()->rowCount(), 0);
}

TEST_F(AnalysisPanelsTest, ColourOptionsMeasureWhatTheyTurnOn) {
    Choose(Songs());
    SelectRows(screen.ListBox_ALL, {1});
    screen.subdivideButtons[5]->click();
    ASSERT_TRUE(HasBackground(screen.ListBox_1s, 2));
    EXPECT_FALSE(HasBackground(screen.ListBox_10s, 1)) << "10 s lists are not coloured yet";
    EXPECT_TRUE(level().MO_10sColor->isEnabled());

    level().MO_1sColor->trigger();
    EXPECT_FALSE(analysis.options.display.colorLevels);
    EXPECT_FALSE(HasBackground(screen.ListBox_1s, 2));
    EXPECT_FALSE(level().MO_10sColor->isEnabled());
    EXPECT_FALSE(level().MO_60sColor->isEnabled());

    lists.slotLevels[3].assign(lists.slotLevels[3].size(), -1);
    level().MO_1sColor->trigger();
    EXPECT_EQ(Background(screen.ListBox_1s, 2), kRed223) << "measured again";
    EXPECT_TRUE(level().MO_10sColor->isEnabled());

    host.progress.opened.clear();
    level().MO_10sColor->trigger();
    EXPECT_TRUE(HasBackground(screen.ListBox_10s, 1));
    EXPECT_EQ(host.progress.opened,
              QStringList{"10000msリスト色分け処理中|take.wav  色分け処理中"});
    level().MO_60sColor->trigger();
    EXPECT_TRUE(HasBackground(screen.ListBox_60s, 0));
}

TEST_F(AnalysisPanelsTest, QuickChoiceMenusWriteIntoTheClickedField) {
    Choose(Songs());
    silence().Btn_Muon->click();
    ClickLabel(silence().Label_ML[2]);
    EXPECT_TRUE(silence().PopupMenu_ML->isVisible());
    silence().PopupMenu_ML->hide();
    silence().PML[0]->trigger();
    EXPECT_EQ(silence().Edit_ML[2]->text(), "50");
    EXPECT_EQ(analysis.silenceSettings.levels[2], "50");

    ClickLabel(silence().Label_MT[4]);
    EXPECT_TRUE(silence().PopupMenu_MT->isVisible());
    silence().PopupMenu_MT->hide();
    silence().PMT[4]->trigger();
    EXPECT_EQ(silence().Edit_MT[4]->text(), "1000");
    EXPECT_EQ(analysis.silenceSettings.durations[4], "1000");

    ClickLabel(silence().Label_Ninshiki_Time);
    silence().PopupMenu_MT->hide();
    silence().PMT[6]->trigger();
    EXPECT_EQ(analysis.silenceSettings.recognition, "3000");

    silence().Edit_MT[0]->setText("250");
    EXPECT_EQ(analysis.silenceSettings.durations[0], "250") << "typing goes straight in";

    silence().PM_INI->trigger();
    EXPECT_EQ(silence().Edit_ML[2]->text(), "1500");
    EXPECT_EQ(silence().Edit_MT[4]->text(), "500");
    EXPECT_EQ(silence().Edit_MT[0]->text(), "100");
    EXPECT_EQ(silence().Edit_Ninshiki_Time->text(), "500");

    // An 8-bit file: its level defaults and its own level menu.
    Choose(Recording({{2000, 60}}, 8));
    EXPECT_EQ(silence().Edit_ML[1]->text(), "7");
    ClickLabel(silence().Label_ML[1]);
    EXPECT_TRUE(silence().PopupMenu_ML8->isVisible());
    silence().PopupMenu_ML8->hide();
    silence().PML8[4]->trigger();
    EXPECT_EQ(silence().Edit_ML[1]->text(), "10");
}

TEST(AnalysisWindowTest, TheStopButtonOfTheWindowsProgressBoxEndsEitherRun) {
    test::WavFiles files;
    const test::WavBuilder builder = LongRecording();
    const QString path = files.Write("long.wav", builder);
    TKOTAN_VESKAR window;
    window.ShowCutScreen();
    window.show();
    window.cutScreen->SetCutFile(path, static_cast<TimeMs>(builder.FrameCount() * 1000 / kRate));
    SilencePanel& silence = *window.analysisPanels->silencePanel;
    LevelPanel& level = *window.analysisPanels->levelPanel;

    QStringList messages;
    QObject::connect(&window.MKBoxDlg1, &TMKBoxDlg::BoxOpening, &window, [&](int slot) {
        QTimer::singleShot(0, &window, [&, slot] {
            TMKBox* box = window.MKBoxDlg1.Form(slot);
            messages.append(box->MemoMsg->toPlainText());
            while (box->isVisible()) {
                box->Timer1Timer();
            }
        });
    });
    // Presses "中止" as soon as a progress box is up.
    QTimer stopper;
    QObject::connect(&stopper, &QTimer::timeout, &window, [&] {
        if (TPBarBox* form = window.PBarBoxDlg1.Form(0)) {
            form->Button2->click();
        }
    });
    stopper.start(0);

    silence.Btn_Muon->click();
    silence.Btn_Muon_START->click();
    EXPECT_EQ(messages, QStringList{"中断ボタンが押されました・・・GWM"});
    EXPECT_EQ(Shown(silence.ListBox_MS[0]), (QStringList{"0.00000", "0.03000", "0.04000"}))
        << "what the first block found";
    for (int k = 0; k < kSilenceChannels; ++k) {
        EXPECT_EQ(window.analysis.SilenceLines(k).Count(), window.analysis.SilenceMarks(k).size());
        EXPECT_EQ(silence.ListBox_MS[k]->model()->rowCount(),
                  window.analysis.SilenceLines(k).Count());
    }
    EXPECT_TRUE(silence.Btn_Muon_START->isEnabled());
    EXPECT_EQ(window.PBarBoxDlg1.State(0), ProgressBox::Free);

    level.Btn_IROWAKE->click();
    EXPECT_EQ(messages.value(1), "中断ボタンが押されました・・・GPT");
    EXPECT_TRUE(level.Btn_IROWAKE->isEnabled()) << "a stopped run may be started again";
    EXPECT_EQ(window.timeLists.intervalLevels[0].size(), 40u);
    EXPECT_EQ(window.PBarBoxDlg1.State(0), ProgressBox::Free);
    stopper.stop();
    EXPECT_TRUE(window.MOption0->actions().contains(level.MO_1sColor));
}

} // namespace
} // namespace veskar
