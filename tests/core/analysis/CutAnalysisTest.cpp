#include <gtest/gtest.h>

#include <QFile>

#include "core/analysis/CutAnalysis.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/AnalysisRecordings.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

class CutAnalysisTest : public testing::Test {
protected:
    void Choose(const WavBuilder& builder) {
        path = files.Write("take.wav", builder);
        lists.ChooseFile(static_cast<TimeMs>(builder.FrameCount() * 1000 / kAnalysisRate));
        lists.RebuildTimeLists(host.messenger, host.pump);
        analysis.ChooseFile(path);
    }
    QStringList Marks(int channel) const { return analysis.SilenceMarks(channel); }
    QStringList Lines(int channel) const { return analysis.SilenceLines(channel).Texts(); }

    WavFiles files;
    QString path;
    TimeLists lists;
    CutAnalysis analysis{lists};
    FakeHost host;
    Host engine{host.messenger, host.progress, host.pump};
};

TEST_F(CutAnalysisTest, IntervalRunFillsTheLevelListsAndThePeak) {
    Choose(SongsRecording());
    ASSERT_TRUE(analysis.MeasureIntervalPeaks(engine));

    const std::vector<int>& seconds = lists.intervalLevels[0];
    ASSERT_EQ(seconds.size(), 21u) << "twenty seconds and the empty slot at the end";
    EXPECT_EQ(seconds[0], 20000);
    EXPECT_EQ(seconds[9], 31000);
    EXPECT_EQ(lists.intervalLevels[1], (std::vector<int>{31000, 31000, 0}));
    EXPECT_EQ(analysis.PeakMessage(), "ピークタイム\n0.09400\nピークレベル\n31000");
    EXPECT_TRUE(analysis.intervalMeasured);

    EXPECT_EQ(host.progress.opened, QStringList{"等間隔リスト色分け処理中|take.wav  色分け中"});
    EXPECT_EQ(host.progress.closes, 1);
    EXPECT_TRUE(host.messenger.calls.empty());

    // Another file offers the run again and forgets the peak.
    analysis.ChooseFile(path);
    EXPECT_FALSE(analysis.intervalMeasured);
    EXPECT_EQ(analysis.PeakMessage(), "ピークタイム\n-\nピークレベル\n-");
}

TEST_F(CutAnalysisTest, SilenceDetectionFillsSixListsInTheCurrentForm) {
    Choose(SongsRecording());
    ASSERT_TRUE(analysis.DetectSilences(engine));

    const QStringList shortQuiet = {"0.00000", "0.03000", "0.04000", "0.14000", "0.16000"};
    const QStringList withQuiet = {"0.00000", "0.03000", "0.04000", "0.09000",
                                   "0.09400", "0.14000", "0.16000"};
    EXPECT_EQ(Lines(0), shortQuiet);
    EXPECT_EQ(Marks(0), (QStringList{"1", "", "1", "", "1"}));
    EXPECT_EQ(Lines(1), withQuiet);
    EXPECT_EQ(Marks(1), (QStringList{"1", "", "1", "", "1", "", "1"}));
    EXPECT_EQ(Lines(2), withQuiet);
    // 400 ms of quiet are not a silence of 500 ms.
    for (int k : {3, 4, 5}) {
        EXPECT_EQ(Lines(k), shortQuiet) << k;
    }
    EXPECT_EQ(analysis.peak.time, "0.09400");
    EXPECT_EQ(analysis.peak.level, "31000");
    EXPECT_EQ(host.progress.opened, QStringList{"自動無音検出処理中|take.wav  無音検出中"});
    EXPECT_EQ(host.progress.closes, 1);

    lists.format.SetMinutesMode(false);
    ASSERT_TRUE(analysis.DetectSilences(engine));
    EXPECT_EQ(Lines(0), (QStringList{"00000", "03000", "04000", "14000", "16000"}));
    EXPECT_EQ(analysis.peak.time, "09400");

    analysis.ClearSilences();
    for (int k = 0; k < kSilenceChannels; ++k) {
        EXPECT_TRUE(Lines(k).isEmpty());
        EXPECT_TRUE(Marks(k).isEmpty());
    }
    EXPECT_EQ(analysis.peak.level, "-");
}

TEST_F(CutAnalysisTest, FieldsThatAreNotNumbersFallBackAndShowTheirFallback) {
    Choose(SongsRecording());
    analysis.silenceSettings.recognition = "abc";
    analysis.silenceSettings.levels[2] = "x";
    analysis.silenceSettings.durations[4] = "";
    analysis.silenceSettings.durations[3] = "1e3";
    analysis.silenceSettings.levels[1] = " 600 ";
    ASSERT_TRUE(analysis.DetectSilences(engine));
    EXPECT_EQ(analysis.silenceSettings.recognition, "500");
    EXPECT_EQ(analysis.silenceSettings.levels[2], "1000");
    EXPECT_EQ(analysis.silenceSettings.durations[4], "500");
    EXPECT_EQ(analysis.silenceSettings.durations[3], "500");
    EXPECT_EQ(analysis.silenceSettings.levels[1], " 600 ")
        << "an integer with blanks stays as typed";
}

TEST_F(CutAnalysisTest, SongStartsMarkedWithTheStartColourAndAddedAtZeroByTheIntervalRun) {
    // The first silence begins 300 ms in: too soon for a song before it.
    Choose(StretchRecording({{300, 20000}, {1000, 0}, {8700, 20000}}));
    lists.startColors.defaultStartColor = 3;
    analysis.silenceSettings.levels[5] = "0";
    ASSERT_TRUE(analysis.DetectSilences(engine));
    ASSERT_EQ(Lines(0), (QStringList{"0.00300", "0.01300"}));
    EXPECT_EQ(Marks(0), (QStringList{"", "3"}));
    EXPECT_TRUE(Lines(5).isEmpty()) << "a level of 0 finds nothing";
    analysis.SilenceLines(0).SelectOnly(1);

    ASSERT_TRUE(analysis.MeasureIntervalPeaks(engine));
    EXPECT_EQ(Lines(0), (QStringList{"0.00000", "0.00300", "0.01300"}));
    EXPECT_EQ(Marks(0), (QStringList{"3", "", "3"}));
    EXPECT_EQ(analysis.SilenceLines(0).Current(), 2) << "the selection moves with its line";
    EXPECT_EQ(analysis.SilenceLines(0).SelectedIndexes(), std::vector<int>{2});
    EXPECT_TRUE(Lines(5).isEmpty());

    // Without start times every song start is marked "1".
    lists.startColors.startTimesEnabled = false;
    EXPECT_EQ(analysis.MarkText(), "1");
}

TEST_F(CutAnalysisTest, AStopEndsBothRunsWithTheirMessageAndKeepsWhatWasFound) {
    // 100 s: read in blocks of 40 s; the stop comes after the first block.
    Choose(LongRecording());
    host.progress.stopAfterUpdates = 1;
    EXPECT_FALSE(analysis.DetectSilences(engine));
    EXPECT_EQ(host.messenger.Texts(), QStringList{"中断ボタンが押されました・・・GWM"});
    EXPECT_EQ(Lines(0), (QStringList{"0.00000", "0.03000", "0.04000"}));
    EXPECT_EQ(Marks(0), (QStringList{"1", "", "1"}));
    for (int k = 0; k < kSilenceChannels; ++k) {
        EXPECT_EQ(Lines(k).size(), Marks(k).size()) << k;
    }
    EXPECT_EQ(analysis.peak.time, "-");
    EXPECT_EQ(host.progress.closes, 1);

    host.progress.updates = 0;
    host.messenger.calls.clear();
    EXPECT_FALSE(analysis.MeasureIntervalPeaks(engine));
    EXPECT_EQ(host.messenger.Texts(), QStringList{"中断ボタンが押されました・・・GPT"});
    EXPECT_EQ(lists.intervalLevels[0].size(), 40u) << "the seconds of the first block";
    EXPECT_FALSE(analysis.intervalMeasured);
    EXPECT_EQ(Lines(0).size(), 3) << "no song start is added by a stopped run";
    EXPECT_EQ(host.progress.closes, 2);
}

TEST_F(CutAnalysisTest, RunsDropWhatTheyFoundWhenAnotherFileIsChosenMeanwhile) {
    Choose(SongsRecording());
    const QString first = path;
    const QString second = files.Write("other.wav", SongsRecording());
    int changes = 0;
    analysis.SetSilenceListsChanged([&] {
        ++changes;
        for (int k = 0; k < kSilenceChannels; ++k) {
            EXPECT_EQ(Lines(k).size(), Marks(k).size()) << "lists and marks change together";
        }
    });
    ASSERT_TRUE(analysis.DetectSilences(engine));
    EXPECT_EQ(changes, 2) << "emptied at the start, filled at the end";

    // The file changes while the runs pump events.
    host.pump.onProcess = [&] { analysis.ChooseFile(second); };
    EXPECT_FALSE(analysis.DetectSilences(engine));
    EXPECT_TRUE(Lines(0).isEmpty());
    EXPECT_EQ(analysis.peak.level, "-");
    analysis.ChooseFile(first);
    EXPECT_FALSE(analysis.MeasureIntervalPeaks(engine));
    EXPECT_TRUE(lists.intervalLevels[0].empty());
    EXPECT_FALSE(analysis.intervalMeasured);
    EXPECT_TRUE(host.messenger.calls.empty());
    EXPECT_EQ(host.progress.closes, 3);
}

TEST_F(CutAnalysisTest, ListLevelsMeasureFromTheFirstLineAndOnlyTheLongListsOpenABox) {
    Choose(SongsRecording());
    EXPECT_FALSE(analysis.MeasureListLevels(3, engine)) << "an empty list is not measured";
    EXPECT_TRUE(host.progress.opened.isEmpty());

    ASSERT_EQ(lists.SubdivideFromText(5, "0.10000", SpecialMode::Off, host.messenger, host.pump),
              TimeLists::SubdivideResult::Filled);
    ASSERT_TRUE(analysis.MeasureListLevels(3, engine));
    EXPECT_TRUE(host.progress.opened.isEmpty());
    // The 1 s list runs from 8 s: line 0 is 8 s (ordinary sound), line 2 is 10 s (the loudest
    // part), line 6 is 14 s (silence).
    const QStringList numbers = analysis.NumericLevelLines(3);
    ASSERT_EQ(numbers.size(), lists.subdivisions[3].Count());
    EXPECT_EQ(numbers[0], "20000");
    EXPECT_EQ(numbers[2], "31000");
    EXPECT_EQ(numbers[6], "0");
    EXPECT_EQ(lists.SubdivisionLineLevel(3, 2, analysis.options.display), 31000);

    ASSERT_TRUE(analysis.MeasureListLevels(4, engine));
    EXPECT_EQ(host.progress.opened,
              QStringList{"10000msリスト色分け処理中|take.wav  色分け処理中"});
    EXPECT_EQ(host.progress.closes, 1);

    QFile::remove(path);
    EXPECT_FALSE(analysis.MeasureListLevels(2, engine));
    ASSERT_EQ(host.messenger.calls.size(), 1u);
    EXPECT_TRUE(host.messenger.calls[0].text.endsWith("・・・GWPD"));
    EXPECT_EQ(host.messenger.calls[0].kind, FakeMessenger::Kind::Plain);
}

TEST_F(CutAnalysisTest, NumericLevelsBeyondTheTableAreMinusOne) {
    Choose(SongsRecording());
    lists.subdivisions[0].Assign(QStringList(20, "0.00000"));
    const QStringList numbers = analysis.NumericLevelLines(0);
    ASSERT_EQ(numbers.size(), 20);
    EXPECT_EQ(numbers[15], "-1") << "not measured";
    EXPECT_EQ(numbers[19], "-1") << "beyond the 16 slots";
    EXPECT_EQ(CutAnalysis::NumericLevelTitle(0), "[ 1ms ]");
    EXPECT_EQ(CutAnalysis::NumericLevelTitle(4), "");
}

TEST_F(CutAnalysisTest, TheFileHeaderChoosesTheFamilyAndItsLevelDefaults) {
    analysis.silenceSettings.durations[0] = "700";
    Choose(StretchRecording({{2000, 100}}, 8));
    EXPECT_EQ(analysis.family, SampleFamily::Bits8);
    const std::array<QString, kSilenceChannels> levels8 = {"3", "7", "15", "3", "7", "15"};
    EXPECT_EQ(analysis.silenceSettings.levels, levels8);
    EXPECT_EQ(analysis.silenceSettings.durations[0], "700") << "durations stay";

    analysis.RestoreSilenceDefaults();
    EXPECT_EQ(analysis.silenceSettings.durations[0], "100");
    EXPECT_EQ(analysis.silenceSettings.recognition, "500");
    EXPECT_EQ(analysis.silenceSettings.levels, levels8);

    analysis.ChooseFile(files.Path("missing.wav"));
    EXPECT_EQ(analysis.family, SampleFamily::Bits16);
    EXPECT_EQ(analysis.silenceSettings.levels[2], "1500");
}

} // namespace

} // namespace veskar::test
