#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>

#include "core/cut/CutRecord.h"
#include "core/cut/CutRun.h"
#include "core/cut/CutTarget.h"
#include "core/host/SharedFlags.h"
#include "core/timelists/RegisteredList.h"
#include "core/timelists/StartColors.h"
#include "core/timelists/TimeList.h"
#include "core/timelists/TimeText.h"
#include "core/wav/WavReader.h"
#include "support/EventLoop.h"
#include "support/FakeHost.h"
#include "support/FakeSaveFileDialog.h"
#include "support/FakeTextViewer.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

constexpr uint32_t kRate = 8000;
constexpr int kFrameBytes = 4; // stereo, 16 bits
const QDateTime kRunTime(QDate(2008, 3, 24), QTime(15, 30, 12));

// Channel 0 counts frames, channel 1 counts them backwards: any shift, swap or loss shows.
int32_t Pattern(int64_t frame, int channel) {
    const int32_t v = static_cast<int32_t>(frame % 65536) - 32768;
    return channel == 0 ? v : -1 - v;
}

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class CutRunTest : public testing::Test {
protected:
    void SetUp() override {
        m_saveDir = m_files.Folder() + "out/";
        ASSERT_TRUE(QDir().mkpath(m_saveDir));
        m_workDir = m_files.Folder() + "DIZEZI32/TEMP/";
    }

    void MakeSource(TimeMs lengthMs, const QString& name = "live.wav") {
        WavBuilder builder(kRate, 2, 16);
        builder.Frames(MsToFrame(lengthMs, kRate), Pattern);
        m_source = m_files.Write(name, builder);
        ASSERT_FALSE(m_source.isEmpty());
        m_samples = builder.Samples();
        m_format.SetFileLength(lengthMs);
        m_format.SetMinutesMode(false);
    }

    CutOptions Options() const {
        CutOptions options;
        options.autoName = true; // short names: live_0060000.wav
        options.timePart = {false, m_format.TimeDigits(), m_format.MinuteDigits()};
        options.saveDir = m_saveDir;
        options.baseName = "live";
        options.colorTagNames = DefaultColorTagNames();
        options.workDir = m_workDir;
        return options;
    }

    CutRun& Run() {
        if (!m_run) {
            CutRunServices services(m_host.host(), m_flags, m_record, m_viewer);
            services.saveDialog = &m_dialog;
            services.clock = [] { return kRunTime; };
            services.releaseDevice = [this] { ++m_releases; };
            m_run = std::make_unique<CutRun>(services);
            m_run->onFinished = [this] { ++m_finished; };
        }
        return *m_run;
    }

    // Registers the times (ms) with their tags; nothing selected.
    void Register(const std::vector<TimeMs>& times, const QStringList& tags = {}) {
        for (size_t i = 0; i < times.size(); ++i) {
            const QString tag = static_cast<qsizetype>(i) < tags.size() ? tags.at(i) : QString();
            m_registered.InsertRegisteredTime(m_format.FormatTime(times[i]), tag, true);
        }
        m_registered.ClearSelection();
    }

    bool Cut(CutCommand command, CutTarget& target, const CutOptions& options) {
        return Run().StartCutRun(command, target, m_source, options);
    }
    bool CutRegistered(CutCommand command) {
        RegisteredListTarget target(m_registered);
        return Cut(command, target, Options());
    }

    QStringList Outputs() const {
        return QDir(m_saveDir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    // The file holds exactly the source frames of [startMs, endMs) (endMs -1: to the end).
    void ExpectSegment(const QString& name, TimeMs startMs, TimeMs endMs) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray out = ReadAll(m_saveDir + name);
        ASSERT_GE(out.size(), kSegmentHeaderBytes);
        const int64_t first = MsToFrame(startMs, kRate) * kFrameBytes;
        const int64_t last = endMs < 0 ? m_samples.size() : MsToFrame(endMs, kRate) * kFrameBytes;
        const QByteArray expected = m_samples.mid(first, last - first);
        EXPECT_EQ(ReadU32(out, 42), static_cast<uint32_t>(expected.size()));
        EXPECT_TRUE(out.mid(kSegmentHeaderBytes) == expected) << "samples differ";
    }

    WavFiles m_files;
    QString m_source;
    QByteArray m_samples;
    QString m_saveDir;
    QString m_workDir;
    TimeFormat m_format;
    RegisteredList m_registered;
    FakeHost m_host;
    SharedFlags m_flags;
    CutRecord m_record;
    FakeTextViewer m_viewer;
    FakeSaveFileDialog m_dialog;
    std::unique_ptr<CutRun> m_run;
    int m_finished = 0;
    int m_releases = 0;
};

const QString kDone = QString::fromUtf8("カット終了☆☆☆\nお疲れ様☆☆☆");
const QString kNothing = QString::fromUtf8("一つも、カットされませんでした・・・");
const QString kStopped = QString::fromUtf8("カットを強制停止しました。");

TEST_F(CutRunTest, OneSelectedLineOfThree) {
    MakeSource(150000);
    Register({0, 60000, 120000});
    m_registered.SetSelected(1, true);
    EXPECT_TRUE(CutRegistered(CutCommand::WAV_CUT));

    EXPECT_EQ(Outputs(), QStringList{"live_060000.wav"});
    ExpectSegment("live_060000.wav", 60000, 120000);
    EXPECT_EQ(m_host.messenger.Texts(), QStringList{kDone});
    EXPECT_FALSE(Run().Busy());
    EXPECT_EQ(m_finished, 1);
    EXPECT_EQ(Run().LastOutputDir(), m_saveDir);
    EXPECT_EQ(m_host.progress.opened,
              QStringList{QString::fromUtf8("live.wav  カット中|live.wav  カット中")});
    EXPECT_EQ(m_host.progress.messages, QStringList{"live_060000.wav"});
    EXPECT_EQ(m_host.progress.closes, 1);
    EXPECT_GE(m_releases, 2) << "the wave device is released before each segment and step";
    EXPECT_EQ(m_viewer.shown, QStringList{m_workDir + "CUT$$$$.TXT"});
}

TEST_F(CutRunTest, AllThreeLinesOfA150000MsFile) {
    MakeSource(150000);
    Register({0, 60000, 120000});
    EXPECT_TRUE(CutRegistered(CutCommand::WAV_CUT_ALL));

    EXPECT_EQ(Outputs(), (QStringList{"live_000000.wav", "live_060000.wav", "live_120000.wav"}));
    ExpectSegment("live_000000.wav", 0, 60000);
    ExpectSegment("live_060000.wav", 60000, 120000);
    ExpectSegment("live_120000.wav", 120000, -1);
    EXPECT_EQ(m_registered.Lines().SelectedCount(), 3) << "ALL カット selects every line";
    EXPECT_EQ(m_host.progress.percents, (std::vector<int>{33, 67, 100, 100, 100}));
    EXPECT_EQ(m_record.Lines().size(), 3);
}

TEST_F(CutRunTest, SubdivisionListsEndTheirLastLineOneStepLater) {
    struct Case {
        TimeListId kind;
        TimeMs fileMs;
        TimeMs lastLine;
        TimeMs expectedEnd;
    };
    // 40000 + 10 s lies beyond a 45000 ms file: to its end. 12000 + 1 s ends at 13000, and
    // 40000 + 1 ms at 40001.
    for (const Case& c : {Case{TimeListId::Level10s, 45000, 40000, -1},
                          Case{TimeListId::Level1s, 150000, 12000, 13000},
                          Case{TimeListId::Level1ms, 45000, 40000, 40001},
                          Case{TimeListId::Interval, 45000, 40000, -1}}) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        QDir(m_saveDir).removeRecursively();
        QDir().mkpath(m_saveDir);
        MakeSource(c.fileMs);
        TimeList list;
        list.Append(m_format.FormatTime(c.lastLine - 1000));
        list.Append(m_format.FormatTime(c.lastLine));
        list.SetSelected(1, true);
        TimeListTarget target(c.kind, list);
        ASSERT_TRUE(Cut(CutCommand::WAV_CUT, target, Options()));
        const QString name = "live_" + m_format.FormatTime(c.lastLine) + ".wav";
        EXPECT_EQ(Outputs(), QStringList{name});
        ExpectSegment(name, c.lastLine, c.expectedEnd);
    }
}

TEST_F(CutRunTest, ANextLineOfTheSameTimeMeansToTheEnd) {
    MakeSource(45000);
    TimeList list;
    for (const char* text : {"30000", "30000", "40000"}) {
        list.Append(text);
    }
    list.SetSelected(0, true);
    TimeListTarget target(TimeListId::Interval, list);
    ASSERT_TRUE(Cut(CutCommand::WAV_CUT, target, Options()));
    EXPECT_EQ(Outputs(), QStringList{"live_30000.wav"});
    ExpectSegment("live_30000.wav", 30000, -1);
}

// Which lines of the registered list (0, 30, 60 and 90 s of a 120 s file) a command cuts, and
// the label each name takes.
TEST_F(CutRunTest, ChosenLinesAndTheirLabels) {
    const std::vector<TimeMs> times{0, 30000, 60000, 90000};
    struct Case {
        const char* name;
        CutCommand command;
        QStringList tags;
        std::vector<int> selected;
        bool startTimes;
        std::vector<int> cut;
        QStringList outputs;
        int names = kStartColorCount;
    };
    // clang-format off
    const Case cases[] = {
        {"red only, whatever is selected", CutCommand::WAV_CUT_ST_Red, {"", "2", "1", "2"}, {0}, true,
         {1, 3}, {"live_030000_Red.wav", "live_090000_Red.wav"}},
        {"every start time", CutCommand::WAV_CUT_ST, {"", "2", "1", ""}, {}, true,
         {1, 2}, {"live_030000_Red.wav", "live_060000_Side A.wav"}},
        // Tags as an edited cut list may hold them: "12" is a start time but names no colour.
        {"labels from whole numbers", CutCommand::WAV_CUT_ST, {"12", "2", "7", ""}, {}, true,
         {0, 1, 2}, {"live_000000.wav", "live_030000_Red.wav", "live_060000.wav"}},
        // Without start times a colour cut takes the selection, and no tag names a label.
        {"start times off", CutCommand::WAV_CUT_ST_Red, {"", "2", "1", "2"}, {1}, false,
         {1}, {"live_030000.wav"}},
        // A colour beyond the names given has no label.
        {"fewer names", CutCommand::WAV_CUT_ST, {"", "2", "", ""}, {}, true,
         {1}, {"live_030000.wav"}, 2},
    };
    // clang-format on
    MakeSource(120000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(m_saveDir).removeRecursively();
        QDir().mkpath(m_saveDir);
        m_registered = RegisteredList();
        Register(times, c.tags);
        for (int line : c.selected) {
            m_registered.SetSelected(line, true);
        }
        CutOptions options = Options();
        options.startTimesEnabled = c.startTimes;
        options.colorTagNames[1] = "Side A";
        options.colorTagNames = options.colorTagNames.mid(0, c.names);
        RegisteredListTarget target(m_registered);
        ASSERT_TRUE(Cut(c.command, target, options));
        ASSERT_EQ(Outputs(), c.outputs);
        for (size_t i = 0; i < c.cut.size(); ++i) {
            const size_t next = c.cut[i] + 1;
            ExpectSegment(c.outputs[i], times[c.cut[i]], next < times.size() ? times[next] : -1);
        }
    }
}

TEST_F(CutRunTest, RunsThatDoNotStart) {
    MakeSource(60000);
    Register({0, 30000}, {"", ""});
    EXPECT_FALSE(CutRegistered(CutCommand::WAV_CUT_ST));
    RegisteredList empty;
    RegisteredListTarget emptyTarget(empty);
    EXPECT_FALSE(Cut(CutCommand::WAV_CUT_ALL, emptyTarget, Options()));
    const QString registeredSource = m_source;
    m_source = m_files.Path("gone.wav");
    EXPECT_FALSE(CutRegistered(CutCommand::WAV_CUT_ALL));

    EXPECT_EQ(
        m_host.messenger.Texts(),
        (QStringList{registeredSource +
                         QString::fromUtf8("\nスタートタイムが登録されていません・・・"),
                     registeredSource + QString::fromUtf8("\nタイムが登録されていません・・・"),
                     m_source + QString::fromUtf8("\nファイルがありません・・・")}));
    for (const FakeMessenger::Call& call : m_host.messenger.calls) {
        EXPECT_EQ(call.kind, FakeMessenger::Kind::Timed);
    }
    EXPECT_EQ(m_host.progress.closes, 3);
    EXPECT_TRUE(Outputs().isEmpty());
    EXPECT_EQ(m_finished, 0);
    EXPECT_FALSE(Run().Busy());
}

TEST_F(CutRunTest, TheProgressBoxStopEndsTheRunWithItsSummary) {
    MakeSource(120000);
    Register({0, 30000, 60000, 90000});
    m_host.progress.stopAfterUpdates = 2; // the stop button, as the second step reports
    ASSERT_TRUE(CutRegistered(CutCommand::WAV_CUT_ALL));
    EXPECT_EQ(Outputs(), QStringList{"live_000000.wav"});
    EXPECT_EQ(m_host.messenger.Texts(), (QStringList{kStopped, kDone}));
    EXPECT_EQ(m_viewer.shown.size(), 1) << "the record follows the summary";
    EXPECT_TRUE(m_flags.stopRequested);
    EXPECT_EQ(m_finished, 1);
}

TEST_F(CutRunTest, TheStopButtonDuringASaveLosesThatFileOnly) {
    // Over 16 MiB of samples, so the save lets the window's events through between blocks.
    MakeSource(600000);
    Register({0, 30000});
    m_registered.SetSelected(1, true);
    m_host.pump.onProcess = [this] {
        const QStringList temporary =
            QDir(m_saveDir).entryList({".pirvan-*"}, QDir::Files | QDir::Hidden);
        if (!temporary.isEmpty()) {
            Run().Stop();
        }
    };
    ASSERT_TRUE(CutRegistered(CutCommand::WAV_CUT));
    EXPECT_TRUE(Outputs().isEmpty()) << "no partial file, no temporary file";
    EXPECT_EQ(m_host.messenger.Texts(), (QStringList{kStopped, kNothing}));
    EXPECT_TRUE(m_viewer.shown.isEmpty()) << "an empty record is not shown";
    // Without a stop the same long save runs to its end.
    m_host.pump.onProcess = nullptr;
    ASSERT_TRUE(CutRegistered(CutCommand::WAV_CUT));
    ExpectSegment("live_030000.wav", 30000, -1);
}

// A segment that cannot be cut is reported and the run goes on with the next one; Abort in
// its box stops the run. Lines at 0, 30 and 60 s.
TEST_F(CutRunTest, FailingSegments) {
    struct Case {
        const char* name;
        TimeMs fileMs;
        std::function<void(CutOptions&)> setUp;
        // The boxes in order: "start|cause" for "that segment failed", "R" for the reader's
        // refusal of the source, "O" for a source that cannot be opened, then the summary.
        QStringList boxes;
        QStringList outputs;
    };
    const auto missingFolder = [&](CutOptions& o) { o.saveDir = m_files.Folder() + "missing/"; };
    const auto abort = [&] { m_host.messenger.answers = {Messenger::Abort}; };
    const auto broken = [&](const char* name) {
        return
            [&, name](CutOptions&) { m_source = m_files.WriteBytes(name, QByteArray(100, 'x')); };
    };
    // clang-format off
    const Case cases[] = {
        {"unwritable folder", 90000, missingFolder,
         {"0|No such file or directory", "30000|No such file or directory",
          "60000|No such file or directory", kNothing}, {}},
        {"abort in the box", 90000, [&](CutOptions& o) { missingFolder(o); abort(); },
         {"0|No such file or directory", kStopped, kNothing}, {}},
        {"no save folder chosen", 90000, [&](CutOptions& o) { o.saveDir = "@@@@@/"; },
         {"0|分割WAVファイル登録先が設定されていません", "30000|分割WAVファイル登録先が設定されていません",
          "60000|分割WAVファイル登録先が設定されていません", kNothing}, {}},
        // A label typed by the user must not lead out of the save folder.
        {"name leaving the folder", 90000,
         [&](CutOptions& o) {
             o.colorTagNames[1] = "../x/y";
             m_registered.SetTag(0, "1");
             // The folders such a name would reach.
             QDir(m_saveDir).mkpath("live_00000_../x");
         },
         {"0|ファイル名に使えない文字があります", kDone}, {"live_30000.wav", "live_60000.wav"}},
        // A start at or beyond the end of the file has nothing to cut.
        {"starts beyond the end", 20000, {},
         {"30000|選択タイムがファイルの終わりを超えています",
          "60000|選択タイムがファイルの終わりを超えています", kDone}, {"live_00000.wav"}},
        {"unreadable source", 90000, broken("broken.wav"), {"R", "R", "R", kNothing}, {}},
        // A name without ".wav" is not checked first; the writer then cannot open it.
        {"unopenable source", 90000, broken("broken.raw"), {"O", "O", "O", kNothing}, {}},
    };
    // clang-format on
    const auto texts = [&](const QStringList& boxes) {
        WavInfo info;
        const QString readerError = ReadWavInfo(m_source, info);
        QStringList out;
        for (const QString& box : boxes) {
            out << (box == "R" ? QString::fromUtf8("CUTエラー：") + m_source + "\n" + readerError
                    : box == "O" ? QString::fromUtf8("カットエラー：") + m_source +
                                       QString::fromUtf8("\n オープンに失敗しました。")
                    : box[0].isDigit()
                        ? m_source +
                              QString::fromUtf8("\n選択タイム：%1\nカットに失敗しました・・・\n%2")
                                  .arg(box.section('|', 0, 0), box.section('|', 1))
                        : box);
        }
        return out;
    };
    std::vector<bool> heldWhileShown;
    m_host.messenger.onShow = [&](const FakeMessenger::Call& call) {
        if (call.kind == FakeMessenger::Kind::Error) {
            heldWhileShown.push_back(m_flags.errorBoxOpen);
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(m_saveDir).removeRecursively();
        QDir().mkpath(m_saveDir);
        m_host.messenger.calls.clear();
        heldWhileShown.clear();
        MakeSource(c.fileMs);
        m_registered = RegisteredList();
        Register({0, 30000, 60000});
        CutOptions options = Options();
        if (c.setUp) {
            c.setUp(options);
        }
        RegisteredListTarget target(m_registered);
        ASSERT_TRUE(Cut(CutCommand::WAV_CUT_ALL, target, options));
        EXPECT_EQ(m_host.messenger.Texts(), texts(c.boxes));
        EXPECT_EQ(Outputs(), c.outputs);
        for (const FakeMessenger::Call& call : m_host.messenger.calls) {
            const bool summary =
                call.text == kDone || call.text == kNothing || call.text == kStopped;
            EXPECT_EQ(call.kind == FakeMessenger::Kind::Error, !summary) << call.text.toStdString();
        }
        // The right-click menus stay shut while an error box of the run shows.
        EXPECT_EQ(heldWhileShown, std::vector<bool>(heldWhileShown.size(), true));
        EXPECT_FALSE(m_flags.errorBoxOpen);
    }
    EXPECT_FALSE(QFileInfo::exists(m_files.Folder() + "missing"));
    EXPECT_FALSE(QFileInfo::exists(m_saveDir + "live_00000_../x/y.wav"));
}

TEST_F(CutRunTest, SaveNameDialogPerSegment) {
    MakeSource(90000);
    Register({0, 30000, 60000});
    CutOptions options = Options();
    options.saveName = true;
    const QString other = m_files.Folder() + "other";
    QDir().mkpath(other);
    m_dialog.answers = {m_saveDir + "Mine.WAV", QString(), other + "/Third.Wav"};
    m_host.messenger.answers = {Messenger::Ok, Messenger::Yes}; // skip box, folder question
    RegisteredListTarget target(m_registered);
    ASSERT_TRUE(Cut(CutCommand::WAV_CUT_ALL, target, options));

    EXPECT_EQ(Outputs(), QStringList{"Mine.wav"}) << "the extension is lower-cased";
    ExpectSegment("Mine.wav", 0, 30000);
    EXPECT_TRUE(QFileInfo::exists(other + "/Third.wav"));
    ASSERT_EQ(m_dialog.requests.size(), 3u);
    EXPECT_EQ(m_dialog.requests[1].fileName, m_saveDir + "live_30000.wav");
    EXPECT_EQ(Run().SaveDir(), other + "/");
    EXPECT_EQ(Run().LastOutputPath(), other + "/Third.wav");
    EXPECT_EQ(m_record.Lines().size(), 2);
    EXPECT_EQ(m_host.messenger.Texts().last(), kDone);
}

TEST_F(CutRunTest, WorkerThreadSavesKeepTheWindowFree) {
    MakeSource(150000);
    Register({0, 60000, 120000});
    CutOptions options = Options();
    options.waitForSave = false;
    RegisteredListTarget target(m_registered);
    ASSERT_TRUE(Cut(CutCommand::WAV_CUT_ALL, target, options));
    EXPECT_TRUE(Run().Busy()) << "StartCutRun returns while the first save runs";
    EXPECT_FALSE(Cut(CutCommand::WAV_CUT_ALL, target, options)) << "one run at a time";

    ASSERT_TRUE(RunEventsUntil([this] { return !Run().Busy(); }));
    EXPECT_EQ(Outputs(), (QStringList{"live_000000.wav", "live_060000.wav", "live_120000.wav"}));
    ExpectSegment("live_120000.wav", 120000, -1);
    EXPECT_EQ(m_host.messenger.Texts(), QStringList{kDone});
    EXPECT_EQ(m_finished, 1);
}

TEST_F(CutRunTest, ThirtyTwoThousandSevenHundredStepsDoNotNest) {
    // Every segment of this list starts beyond the end of a one-second file, so each step
    // fails at once and the next follows: 32,700 steps without writing a file.
    MakeSource(1000);
    TimeList list;
    for (int i = 0; i < RegisteredList::kMaxLines; ++i) {
        list.Append(QString::number(2000 + i));
    }
    list.SelectAll();
    TimeListTarget target(TimeListId::Level1ms, list);
    uintptr_t lowest = UINTPTR_MAX;
    uintptr_t highest = 0;
    int steps = 0;
    m_host.pump.onProcess = [&] {
        int marker = 0;
        const auto here = reinterpret_cast<uintptr_t>(&marker);
        lowest = std::min(lowest, here);
        highest = std::max(highest, here);
        ++steps;
    };
    ASSERT_TRUE(Cut(CutCommand::WAV_CUT, target, Options()));
    EXPECT_EQ(m_host.messenger.calls.size(), static_cast<size_t>(RegisteredList::kMaxLines) + 1);
    EXPECT_EQ(m_host.messenger.Texts().last(), kNothing);
    EXPECT_GT(steps, RegisteredList::kMaxLines);
    EXPECT_LT(highest - lowest, 16u * 1024) << "steps must not grow the stack";
}

// A piece never replaces a file: a second run in the same second, two lines of one time, a
// name given in the save dialog. The first run's files keep their bytes.
TEST_F(CutRunTest, NoPieceReplacesAnExistingFile) {
    struct Case {
        const char* name;
        bool autoName;
        std::vector<const char*> lines;
        QStringList dialog;
        QStringList first;
        QStringList second; // the files the second run adds
    };
    // clang-format off
    const Case cases[] = {
        {"long names, same second", false, {"00000", "30000"}, {},
         {"live_080324_153012_00000.wav", "live_080324_153012_30000.wav"},
         {"live_080324_153012_c000_00000.wav", "live_080324_153012_c000_30000.wav"}},
        {"one time twice", true, {"30000", "30000"}, {}, {"live_30000.wav", "live_c000_30000.wav"},
         {"live_c001_30000.wav", "live_c002_30000.wav"}},
        {"a given name", true, {"00000", "30000"}, {"Mine.wav", "Mine.WAV"},
         {"Mine.wav", "Mine_c000.wav"}, {"Mine_c001.wav", "Mine_c002.wav"}},
    };
    // clang-format on
    MakeSource(45000);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QDir(m_saveDir).removeRecursively();
        QDir().mkpath(m_saveDir);
        TimeList list;
        for (const char* line : c.lines) {
            list.Append(line);
        }
        CutOptions options = Options();
        options.autoName = c.autoName;
        options.saveName = !c.dialog.isEmpty();
        QMap<QString, QByteArray> first;
        for (int run = 0; run < 2; ++run) {
            for (const QString& name : c.dialog) {
                m_dialog.answers.push_back(m_saveDir + name);
            }
            list.SelectAll();
            TimeListTarget target(TimeListId::Interval, list);
            ASSERT_TRUE(Cut(CutCommand::WAV_CUT, target, options));
            for (const QString& name : first.isEmpty() ? Outputs() : QStringList()) {
                first[name] = ReadAll(m_saveDir + name);
            }
        }
        EXPECT_EQ(Outputs(), c.first + c.second);
        for (auto file = first.cbegin(); file != first.cend(); ++file) {
            EXPECT_EQ(ReadAll(m_saveDir + file.key()), file.value()) << file.key().toStdString();
        }
        EXPECT_EQ(m_record.Lines().last(),
                  " 8S16    0.15000     480,046 " + c.second.last() + " " + m_saveDir);
    }
}

} // namespace

} // namespace veskar::test
