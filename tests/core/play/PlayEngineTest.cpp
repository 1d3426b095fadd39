#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QFileInfo>
#include <QFile>

#include "core/play/CutScreenLines.h"
#include "core/play/PlayEngine.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/FakePlayFileList.h"
#include "support/FakeWaveDevice.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

using Range = std::pair<TimeMs, TimeMs>;

class RecordingView : public PlayView {
public:
    void ShowFileInfo(const QString&) override {}
    void ShowLength(const QString& text) override { lengths << text; }
    void ShowPosition(const QString&, const std::array<int, kPositionBars>&) override {
        ++positions;
    }
    void SetPositionPolling(bool on) override { polling = on; }
    void UpdateLevelPanel(PlayLines&, int) override { ++levelPanelUpdates; }

    QStringList lengths;
    int positions = 0;
    bool polling = false;
    int levelPanelUpdates = 0;
};

constexpr TimeMs kCutLength = 30000;

class PlayEngineTest : public testing::Test {
protected:
    void SetUp() override {
        cutFile = wavs.WriteBytes("cut.wav", "RIFF");
        device.files[cutFile] = {kCutLength, {44100, 16, 2}, false};
        lists.format.SetMinutesMode(false);
        lists.format.SetFileLength(kCutLength);
        engine.controls.cutFile = cutFile;
        engine.random = [](int64_t n) { return n - 1; };
    }

    QStringList Texts(std::initializer_list<TimeMs> times) const {
        QStringList texts;
        for (TimeMs t : times) {
            texts << lists.format.FormatTime(t);
        }
        return texts;
    }

    PlayLines& Interval(std::initializer_list<TimeMs> times) {
        lists.interval.Assign(Texts(times));
        return *lines.Lines(TimeListId::Interval);
    }

    PlayLines& Level(int level, std::initializer_list<TimeMs> times) {
        lists.subdivisions[level].Assign(Texts(times));
        return *lines.Lines(SubdivisionListId(level));
    }

    PlayLines& Registered(std::initializer_list<TimeMs> times, const QStringList& tags) {
        lists.registered.Assign(Texts(times), tags);
        return *lines.Lines(TimeListId::Registered);
    }

    // The running play ends with this result; its completion is delivered like a window
    // message, and whatever the engine starts in turn is recorded by the device.
    void Finish(PlayResult result) {
        device.Finish(result);
        QCoreApplication::processEvents();
    }

    std::vector<Range> Plays() const {
        std::vector<Range> ranges;
        for (const FakeWaveDevice::Play& play : device.plays) {
            ranges.push_back({play.fromMs, play.toMs});
        }
        return ranges;
    }

    // Finishes successfully until nothing more starts (or `limit` completions); returns the
    // ranges played.
    std::vector<Range> PlayOut(int limit) {
        for (int i = 0; i < limit && device.IsPlaying(); ++i) {
            Finish(PlayResult::Successful);
        }
        return Plays();
    }

    WavFiles wavs;
    SharedFlags flags;
    FakeWaveDevice device{flags};
    FakeHost host;
    RecordingView view;
    TimeLists lists;
    CutScreenLines lines{lists};
    PlayEngine engine{device, flags, lists.format, host.messenger, host.pump, view};
    QString cutFile;
};

} // namespace

// What one click plays and what follows it, in each mode.
TEST_F(PlayEngineTest, ModesAfterAClick) {
    struct Case {
        const char* name;
        CutPlayMode mode;
        SpecialMode special;
        std::function<PlayLines&()> list;
        int line;
        std::vector<Range> plays;
    };
    const auto interval = [this]() -> PlayLines& { return Interval({0, 10000, 20000}); };
    const auto stretches = [this]() -> PlayLines& { return Interval({0, 12000, 16000, 26000}); };
    const auto tenSeconds = [this]() -> PlayLines& { return Level(4, {0, 10000}); };
    TimeList silenceList;
    silenceList.Assign(Texts({1000, 3000}));
    lines.SetSilenceList(0, silenceList);
    const auto silence = [this]() -> PlayLines& { return *lines.Lines(TimeListId::Silence0); };
    const auto oneSecond = [this]() -> PlayLines& { return Level(3, {1000, 2000, 3000}); };
    // clang-format off
    const Case cases[] = {
        // The last line of the interval list plays to the end; of a subdivision list one step.
        {"zone, last line", CutPlayMode::Zone, SpecialMode::Off, interval, 2, {{20000, kCutLength}}},
        {"zone, last subdivision line", CutPlayMode::Zone, SpecialMode::Off, tenSeconds, 1, {{10000, 20000}}},
        {"skip", CutPlayMode::Skip, SpecialMode::Off, interval, 0, {{0, 1000}, {10000, 11000}, {20000, 21000}}},
        {"repeat", CutPlayMode::Repeat, SpecialMode::Off, interval, 1, std::vector<Range>(11, {10000, 20000})},
        {"continuous subdivision", CutPlayMode::Continuous, SpecialMode::Off, oneSecond, 1,
         {{2000, 3000}, {3000, 4000}}},
        // Both ends of stretches longer than 10 s, the rest whole.
        {"edges, continuous", CutPlayMode::Continuous, SpecialMode::Edges, stretches, 0,
         {{0, 5000}, {7000, 12000}, {12000, 16000}, {16000, 21000}, {21000, 26000}, {26000, kCutLength}}},
        // In zone mode the second part still follows, then nothing.
        {"edges, zone", CutPlayMode::Zone, SpecialMode::Edges, stretches, 0, {{0, 5000}, {7000, 12000}}},
        // A silence list plays once its owner has given it.
        {"silence list", CutPlayMode::Zone, SpecialMode::Off, silence, 1, {{3000, kCutLength}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        device.StopAndClose();
        device.plays.clear();
        engine.controls.playMode = c.mode;
        engine.controls.specialMode = c.special;
        engine.LineClick(c.list(), c.line);
        EXPECT_EQ(PlayOut(10), c.plays) << c.name;
        if (c.mode == CutPlayMode::Skip) {
            EXPECT_EQ(lists.interval.Current(), 2) << "the skip moves the current line along";
        }
    }
}

TEST_F(PlayEngineTest, ContinuousFollowsTheTargetColourAndNeverEnds) {
    engine.controls.playMode = CutPlayMode::Continuous;
    engine.controls.continuousTarget = 1; // blue
    PlayLines& registered = Registered({1000, 3000, 5000, 7000, 9000}, {"", "2", "1", "", "1"});
    // A red line: playback starts at the next blue line.
    engine.LineClick(registered, 1);
    EXPECT_EQ(lists.registered.Lines().Current(), 2);
    PlayOut(5);
    EXPECT_EQ(Plays(), (std::vector<Range>{{5000, 7000},
                                           {9000, kCutLength},
                                           {5000, 7000},
                                           {9000, kCutLength},
                                           {5000, 7000},
                                           {9000, kCutLength}}));
    EXPECT_TRUE(device.IsPlaying()) << "it never ends by itself";

    // Clicking after the last blue line wraps to the first one.
    device.plays.clear();
    engine.controls.continuousTarget = 0; // any tag
    lists.registered.SetTag(4, "");
    engine.LineClick(registered, 3);
    EXPECT_EQ(Plays(), (std::vector<Range>{{3000, 5000}}));
}

TEST_F(PlayEngineTest, TheTableWrapsAround) {
    engine.controls.playMode = CutPlayMode::Continuous;
    NumberedTimeTable rows;
    rows.Append({"1", Texts({1000})[0], Texts({2500})[0], {}, {}, {}, {}});
    rows.Append({"2", Texts({5000})[0], Texts({6000})[0], {}, {}, {}, {}});
    rows.Append({"3", Texts({7000})[0], {}, {}, {}, {}, {}}); // end unknown when it was made
    TableLines table(rows);
    engine.LineClick(table, 1);
    EXPECT_EQ(PlayOut(2), (std::vector<Range>{{5000, 6000}, {7000, kCutLength}, {1000, 2500}}));
    EXPECT_EQ(rows.SelectedIndexes(), std::vector<int>{0});
}

TEST_F(PlayEngineTest, EndModeAndTheStartOfAPlay) {
    engine.controls.playMode = CutPlayMode::End;
    PlayLines& interval = Interval({0, 10000, 20000});
    engine.LineClick(interval, 1);
    EXPECT_EQ(Plays(), (std::vector<Range>{{10000, kCutLength}}));
    EXPECT_EQ(view.lengths, QStringList{"30"});
    EXPECT_EQ(view.levelPanelUpdates, 1);
    EXPECT_EQ(PlayOut(3).size(), 1u) << "nothing follows the end";
}

TEST_F(PlayEngineTest, CompletionsOtherThanSuccessNeverContinue) {
    engine.controls.playMode = CutPlayMode::Continuous;
    PlayLines& interval = Interval({0, 10000, 20000});
    for (PlayResult result : {PlayResult::Aborted, PlayResult::Failure, PlayResult::Superseded}) {
        device.plays.clear();
        engine.LineClick(interval, 0);
        Finish(result);
        EXPECT_EQ(Plays().size(), 1u) << static_cast<int>(result);
        EXPECT_FALSE(engine.NotifyBusy());
    }
    // A stop: the abort it causes starts nothing either.
    device.plays.clear();
    engine.LineClick(interval, 0);
    engine.StopButton();
    QCoreApplication::processEvents();
    EXPECT_EQ(Plays().size(), 1u);
    EXPECT_TRUE(flags.stopRequested);
    // Nor does a completion while the file screen is shown.
    device.plays.clear();
    engine.LineClick(interval, 0);
    engine.controls.fileScreenShown = true;
    Finish(PlayResult::Successful);
    EXPECT_EQ(Plays().size(), 1u);
    EXPECT_FALSE(engine.NotifyBusy());
}

TEST_F(PlayEngineTest, ChoosingOffStopsAPlayAndOtherModesLetItGoOn) {
    engine.LineClick(Interval({0, 10000}), 0);
    engine.PlayModeChosen(CutPlayMode::Zone);
    EXPECT_TRUE(device.IsPlaying());
    engine.PlayModeChosen(CutPlayMode::Off);
    EXPECT_FALSE(device.IsOpen());
}

TEST_F(PlayEngineTest, ACompletionArrivingDuringAnotherIsRefused) {
    engine.controls.playMode = CutPlayMode::Continuous;
    PlayLines& interval = Interval({0, 10000, 20000});
    engine.LineClick(interval, 0);
    int nested = 0;
    std::vector<bool> busy;
    host.pump.onProcess = [&] {
        busy.push_back(engine.NotifyBusy());
        if (engine.NotifyBusy() && nested++ == 0) {
            engine.CutScreenPlayEnded(PlayResult::Aborted); // tolerated silently
            engine.CutScreenPlayEnded(PlayResult::Successful);
        }
    };
    Finish(PlayResult::Successful);
    EXPECT_TRUE(busy.at(0)) << "busy from the first events the completion lets through";
    EXPECT_EQ(host.messenger.Texts(),
              QStringList{"再生エラー：" + cutFile + "\n" + " 再生終了処理中です。"});
    EXPECT_FALSE(engine.NotifyBusy());
}

TEST_F(PlayEngineTest, ACutFileGoneDuringPlayEndsContinuation) {
    engine.controls.playMode = CutPlayMode::Continuous;
    PlayLines& interval = Interval({0, 10000, 20000});
    engine.LineClick(interval, 0);
    ASSERT_TRUE(QFile::remove(cutFile));
    Finish(PlayResult::Successful);
    EXPECT_EQ(Plays().size(), 1u);
    EXPECT_EQ(host.messenger.Texts(),
              QStringList{cutFile + "\n" + "このファイルは存在しません・・・"});
    EXPECT_FALSE(engine.NotifyBusy());
}

TEST_F(PlayEngineTest, FailuresAreToldAndStopContinuation) {
    PlayLines& interval = Interval({0, 10000});
    const QString broken = wavs.WriteBytes("broken.wav", "RIFF");
    const QString empty = wavs.WriteBytes("empty.wav", "RIFF");
    const QString unopenable = wavs.WriteBytes("unopenable.wav", "RIFF");
    device.files[broken] = {kCutLength, {44100, 16, 2}, true};
    device.files[empty] = {0, {44100, 16, 2}, false};
    struct Case {
        QString file;
        FakeMessenger::Kind kind;
        QString text;
    };
    const Case cases[] = {
        {unopenable, FakeMessenger::Kind::Error,
         "再生エラー：" + unopenable + "\n" + " オープンに失敗しました。"},
        {empty, FakeMessenger::Kind::Timed,
         "再生エラー：" + empty + "\n" + " 総再生タイムの取得に、失敗しました。" + "\n" +
             " ちょっと間をおいてボタンを押してね☆"},
        {broken, FakeMessenger::Kind::Timed,
         "再生エラー：" + broken + "\n" + " 再生開始に失敗しました。"},
    };
    std::vector<bool> flagUp;
    host.messenger.onShow = [&](const FakeMessenger::Call&) {
        flagUp.push_back(flags.errorBoxOpen);
    };
    for (const Case& c : cases) {
        host.messenger.calls.clear();
        flagUp.clear();
        engine.controls.cutFile = c.file;
        engine.LineClick(interval, 0);
        ASSERT_EQ(host.messenger.calls.size(), 1u) << c.file.toStdString();
        EXPECT_EQ(host.messenger.calls[0].kind, c.kind);
        EXPECT_EQ(host.messenger.calls[0].text, c.text);
        // The right-click menus stay shut while the box is up, and open again after it.
        EXPECT_EQ(flagUp, std::vector<bool>{true});
        EXPECT_FALSE(flags.errorBoxOpen);
        EXPECT_TRUE(flags.stopRequested);
        EXPECT_FALSE(device.IsOpen());
        EXPECT_FALSE(view.polling);
    }
}

TEST_F(PlayEngineTest, BarSeeksAndPositionPolling) {
    engine.controls.playMode = CutPlayMode::Zone;
    engine.controls.barPanelWidths = {300, 3000, 150};
    // The table bar: 200 ms a pixel.
    engine.TableBarReleased(15, Interval({0, 10000}));
    EXPECT_EQ(Plays(), (std::vector<Range>{{3000, kCutLength}}));

    device.position = 15000;
    engine.PollPosition();
    EXPECT_EQ(engine.Request().shownPosition, 15000);
    const int shown = view.positions;
    device.position = 0;
    engine.PollPosition();
    EXPECT_EQ(view.positions, shown) << "a zero position shows nothing new";
}

// --- the file screen ---------------------------------------------------------------------------

class FileScreenTest : public PlayEngineTest {
protected:
    void SetUp() override {
        PlayEngineTest::SetUp();
        engine.controls.fileScreenShown = true;
        QStringList paths;
        for (const char* name : {"f0.wav", "f1.wav", "f2.wav"}) {
            paths << wavs.WriteBytes(name, "RIFF");
            device.files[paths.back()] = {20000, {44100, 16, 2}, false};
        }
        files = FakePlayFileList(paths);
        files.onClick = [this] { engine.PlayFileListClick(files); };
        memory.onClick = [this] { engine.PlayFileListClick(memory); };
    }

    std::vector<QString> PlayedFiles() const {
        std::vector<QString> names;
        for (const FakeWaveDevice::Play& play : device.plays) {
            names.push_back(QFileInfo(play.path).fileName());
        }
        return names;
    }

    FakePlayFileList files;
    FakePlayFileList memory;
};

TEST_F(FileScreenTest, ModesAfterAClick) {
    struct Case {
        FilePlayMode mode;
        FileSpecialMode special;
        bool repeat;
        int selected;
        std::vector<QString> files;
        std::vector<Range> plays;
    };
    // clang-format off
    const Case cases[] = {
        {FilePlayMode::Sequential, FileSpecialMode::Off, true, 1, {"f1.wav", "f2.wav", "f0.wav", "f1.wav"},
         std::vector<Range>(4, {0, 20000})},
        {FilePlayMode::Reverse, FileSpecialMode::Off, false, 0, {"f0.wav"}, {{0, 20000}}},
        {FilePlayMode::Single, FileSpecialMode::Preview2x, true, 2, std::vector<QString>(5, "f2.wav"),
         {{0, 3000}, {6000, 9000}, {12000, 15000}, {17000, 20000}, {0, 3000}}},
        {FilePlayMode::Sequential, FileSpecialMode::Edges, true, 0, {"f0.wav", "f0.wav", "f1.wav"},
         {{0, 3000}, {17000, 20000}, {0, 3000}}},
    };
    // clang-format on
    engine.controls.edgeIndex = 7; // 3 s
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        device.StopAndClose();
        device.plays.clear();
        engine.controls.filePlayMode = c.mode;
        engine.controls.fileSpecialMode = c.special;
        engine.controls.repeat = c.repeat;
        files.selected = c.selected;
        files.Click();
        PlayOut(static_cast<int>(c.plays.size()) - 1);
        EXPECT_EQ(PlayedFiles(), c.files);
        EXPECT_EQ(Plays(), c.plays);
    }
}

TEST_F(FileScreenTest, AClickedFileStartsWithItsFirstPart) {
    engine.controls.filePlayMode = FilePlayMode::Sequential;
    engine.controls.edgeIndex = 7; // 3 s
    engine.controls.fileSpecialMode = FileSpecialMode::Edges;
    files.selected = 0;
    files.Click();
    // The user clicks another file while the first part of this one plays.
    files.selected = 1;
    files.Click();
    EXPECT_EQ(Plays(), (std::vector<Range>{{0, 3000}, {0, 3000}}));
    EXPECT_EQ(PlayedFiles(), (std::vector<QString>{"f0.wav", "f1.wav"}));
    // Its own second part still follows it.
    Finish(PlayResult::Successful);
    EXPECT_EQ(PlayedFiles().back(), "f1.wav");
    EXPECT_EQ(Plays().back(), (Range{17000, 20000}));
}

TEST_F(FileScreenTest, ShuffleRoundsPlayEveryFileOnce) {
    engine.controls.filePlayMode = FilePlayMode::Shuffle;
    engine.random = DefaultRandomIndex();
    files.weights = {"1", "1", "1"};
    files.selected = 0;
    files.Click();
    PlayOut(2);
    const std::vector<QString> played = PlayedFiles();
    ASSERT_EQ(played.size(), 3u);
    // The click marked file 0 played, so the rest of its round is the other two.
    EXPECT_EQ(std::set<QString>(played.begin() + 1, played.end()),
              (std::set<QString>{"f1.wav", "f2.wav"}));
}

TEST_F(FileScreenTest, ButtonsPickTheirList) {
    engine.controls.filePlayMode = FilePlayMode::Sequential;
    engine.controls.repeat = false;
    // No list played yet and the memory list is empty: the file list.
    engine.PlayButton(files, memory);
    EXPECT_EQ(PlayedFiles(), std::vector<QString>{"f0.wav"});
    engine.SkipButton(files, memory);
    engine.SkipButton(files, memory);
    engine.SkipButton(files, memory); // past the end without REP: stays
    engine.BackButton(files, memory);
    EXPECT_EQ(PlayedFiles(),
              (std::vector<QString>{"f0.wav", "f1.wav", "f2.wav", "f2.wav", "f1.wav"}));
    engine.controls.filePlayMode = FilePlayMode::Single;
    engine.SkipButton(files, memory);
    EXPECT_EQ(PlayedFiles().back(), "f1.wav");

    // The file bar plays the selected file from where it was released.
    engine.controls.barPanelWidths = {200, 1, 1};
    engine.FileBarReleased(50, files, memory);
    EXPECT_EQ(Plays().back(), (Range{5000, 20000}));
    EXPECT_EQ(PlayedFiles().back(), "f1.wav");
    // Once a list has played, the bar stays with it even when the memory list has files.
    memory = FakePlayFileList(QStringList{wavs.Path("f0.wav")});
    memory.selected = 0;
    memory.onClick = [this] { engine.PlayFileListClick(memory); };
    const size_t played = device.plays.size();
    engine.FileBarReleased(50, files, memory);
    EXPECT_EQ(device.plays.size(), played + 1);
    EXPECT_EQ(PlayedFiles().back(), "f1.wav");
}

TEST_F(FileScreenTest, StepButtonsOnEmptyAndOneFileLists) {
    FakePlayFileList none;
    FakePlayFileList noMemory;
    for (const FilePlayMode mode :
         {FilePlayMode::Sequential, FilePlayMode::Reverse, FilePlayMode::Single,
          FilePlayMode::Random, FilePlayMode::Shuffle}) {
        engine.controls.filePlayMode = mode;
        engine.SkipButton(none, noMemory);
        engine.BackButton(none, noMemory);
    }
    EXPECT_TRUE(device.plays.empty());
    EXPECT_EQ(none.clicks, 10);
    EXPECT_EQ(none.selected, -1);
    // A list of one file with nothing selected: a step selects that file and plays it.
    FakePlayFileList one(QStringList{wavs.Path("f0.wav")});
    one.onClick = [&] { engine.PlayFileListClick(one); };
    engine.controls.filePlayMode = FilePlayMode::Sequential;
    engine.SkipButton(one, noMemory);
    EXPECT_EQ(one.selected, 0);
    EXPECT_EQ(PlayedFiles(), std::vector<QString>{"f0.wav"});
}

TEST_F(FileScreenTest, StartTimeJumpFindsTaggedLines) {
    PlayLines& registered = Registered({0, 1000, 2000, 3000}, {"", "3", "", "1"});
    EXPECT_EQ(FindStartTime(registered, 0, 0), 1);
    EXPECT_EQ(FindStartTime(registered, 2, 0), 3);
    EXPECT_EQ(FindStartTime(registered, 2, 3), 1) << "wraps to the start";
    EXPECT_EQ(FindStartTime(registered, 4, 1), 3);
    EXPECT_EQ(FindStartTime(registered, 0, 5), std::nullopt);
    lists.registered.SetTag(0, "5");
    EXPECT_EQ(FindStartTime(registered, 0, 5), 0);
}

} // namespace veskar::test
