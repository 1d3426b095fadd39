// The main road of a cut on the real window: choose a recording, colour the lists, detect the
// silences, register the song starts with their colour, cut, and compare every piece with the
// source bytes of its range; then the same road through pirvan-split.
#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QStackedWidget>
#include <QTemporaryDir>

#include "core/cut/CutRun.h"
#include "core/settings/SettingsStore.h"
#include "core/settings/Paths.h"
#include "core/timelists/TimeText.h"
#include "core/wav/WavReader.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/LevelPanel.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/dialogs/TPBarBox.h"
#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "gui/filescreen/MemoryListPanel.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/FakeTextViewer.h"
#include "support/GuiDriver.h"
#include "support/RunCli.h"
#include "support/WavFiles.h"

namespace veskar {
namespace {

// One recording: a silent lead-in, three "songs" of different lengths and kinds separated by
// 1.5 s of digital silence, and a short silent tail. Lengths in ms.
struct Recording {
    uint32_t rate;
    uint16_t channels;
    uint16_t bits;
    test::WavBuilder Build() const {
        test::WavBuilder builder(rate, channels, bits);
        const int32_t peak = bits == 8 ? 100 : 20000;
        auto frames = [this](int64_t ms) { return ms * rate / 1000; };
        builder.Silence(frames(1000));
        builder.Sine(frames(4000), 440.0, peak);
        builder.Silence(frames(1500));
        builder.Square(frames(6000), 37, peak);
        builder.Silence(frames(1500));
        builder.Frames(frames(3000), [peak](int64_t frame, int channel) {
            // A sawtooth, different on each channel, so a channel mix-up shows in the bytes.
            return static_cast<int32_t>((frame % 200) * peak / 100 - peak + channel * 3);
        });
        builder.Silence(frames(500));
        return builder;
    }
};

// What list 0 (silences over 100 ms below level 100, or 3 for 8-bit files) finds with the
// default settings: the silence starts (0, 5000, 12500, 17000) and the song starts (1000, 6500,
// 14000), the latter marked.
const std::vector<TimeMs> kDetected = {0, 1000, 5000, 6500, 12500, 14000, 17000};
const QStringList kDetectedTags = {"", "1", "", "1", "", "1", ""};
constexpr TimeMs kToEnd = std::numeric_limits<TimeMs>::max();

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// The sample bytes of a written WAV file as its data chunk declares them; an odd count is
// followed by one pad byte, which ends the file.
QByteArray DataOf(const QByteArray& wav) {
    const qsizetype at = wav.indexOf("data", 12);
    if (at < 0 || at + 8 > wav.size()) {
        return {};
    }
    const qsizetype size = test::ReadU32(wav, static_cast<int>(at) + 4);
    if (at + 8 + size + size % 2 != wav.size()) {
        return "the file does not end with its data";
    }
    return wav.mid(at + 8, size);
}

void SelectAllRows(QAbstractItemView* box) {
    box->selectAll();
    box->selectionModel()->setCurrentIndex(box->model()->index(0, 0),
                                           QItemSelectionModel::NoUpdate);
}

class MainRoadTest : public testing::Test {
protected:
    MainRoadTest() {
        QDir(DizeziDir()).removeRecursively();
        window.Cut().SetTextViewer(&viewer);
        window.ShowCutScreen();
        window.show();
        saveDir = out.path() + "/";
        // No save folder yet, as at the first start: the first cut asks for one.
        window.Cut().SetFolderChooser([this](const QString& title, const QString&) {
            folderQuestions << title;
            return std::optional<QString>(out.path());
        });
    }
    void TearDown() override { test::CloseAllDialogs(); }

    /// Writes the recording and opens it with ファイル → "WAVファイルを開く…".
    void Open(const Recording& recording, const QString& name) {
        rate = recording.rate;
        builder = recording.Build();
        source = files.Write(name, builder);
        ASSERT_FALSE(source.isEmpty());
        window.cutFileOpener->pickFile = [this](QWidget*) { return source; };
        window.ShowFileScreen();
        window.findChild<QAction*>("MF_WAV_OPEN")->trigger();
        ASSERT_EQ(window.cutScreen->CutFile(), source) << boxes.shown.join("|").toStdString();
        EXPECT_EQ(window.findChild<QStackedWidget*>("Screens")->currentWidget(), window.Panel_CUT);
        EXPECT_EQ(window.timeLists.format.FileLengthMs(), LengthMs());
    }
    /// Opens the recording and colours the lists.
    void Choose(const Recording& recording, const QString& name) {
        Open(recording, name);
        LevelPanel& level = *window.analysisPanels->levelPanel;
        level.Btn_IROWAKE->click();
        EXPECT_FALSE(level.Btn_IROWAKE->isEnabled()) << "the colouring ran";
        EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0);
    }
    /// Opens the silence panel and runs the detection with its default settings.
    void Detect() {
        SilencePanel& silence = Silence();
        silence.Btn_Muon->click();
        ASSERT_TRUE(silence.Panel_Muon->isVisible());
        silence.Btn_Muon_START->click();
        EXPECT_TRUE(silence.Btn_Muon_START->isEnabled());
        EXPECT_EQ(test::VisibleCount<TPBarBox>(), 0) << "the progress box is closed";
    }
    /// Registers all lines of list k with their colours from the list's menu.
    void RegisterAllWithColours(int k) {
        SilencePanel& silence = Silence();
        silence.ListBox_MS0MouseDown(k, QPoint(5, 5));
        ASSERT_TRUE(silence.PopupMenu_MS->isVisible());
        silence.PopupMenu_MS->hide();
        silence.P_MS0->trigger();
    }
    /// Opens the cut menu with the cut button and chooses item from it.
    void CutWith(QAction* item) {
        CutScreen& screen = *window.cutScreen;
        window.Cut().Btn_CUT->click();
        ASSERT_TRUE(screen.PopupMenu1->isVisible());
        item->trigger();
        screen.PopupMenu1->hide();
    }
    /// The recording's length in whole ms (11,025 Hz leaves a part of a millisecond over).
    TimeMs LengthMs() const { return static_cast<TimeMs>(builder.FrameCount() * 1000 / rate); }
    SilencePanel& Silence() { return *window.analysisPanels->silencePanel; }
    std::vector<TimeMs> RegisteredMs() const {
        std::vector<TimeMs> times;
        for (const QString& text : window.timeLists.registered.Texts()) {
            times.push_back(ParseTime(text).value_or(-1));
        }
        return times;
    }
    /// The sample bytes of the source from one time to another (ms), frames truncated.
    QByteArray SourceBytes(TimeMs from, TimeMs to) const {
        const int64_t frameBytes = builder.FrameBytes();
        const int64_t first = int64_t{from} * rate / 1000;
        const int64_t last = std::min<int64_t>(int64_t{to} * rate / 1000, builder.FrameCount());
        return builder.Samples().mid(static_cast<int>(first * frameBytes),
                                     static_cast<int>((last - first) * frameBytes));
    }
    QStringList SavedNames() const {
        return QDir(out.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }
    QStringList RecordLines() const {
        return QString::fromUtf8(ReadAll(WorkDir() + "CUT$$$$.TXT")).split("\r\n");
    }
    /// Every piece holds exactly the source's samples of its range and reads back as a WAV
    /// file of the source's format.
    void ExpectPieces(const QString& folder, const QStringList& names,
                      const std::vector<std::pair<TimeMs, TimeMs>>& ranges) {
        ASSERT_EQ(names.size(), static_cast<qsizetype>(ranges.size()));
        for (int i = 0; i < names.size(); ++i) {
            const QString path = folder + names[i];
            const QByteArray expected = SourceBytes(ranges[i].first, ranges[i].second);
            ASSERT_FALSE(expected.isEmpty());
            const QByteArray written = DataOf(ReadAll(path));
            qsizetype differs = 0;
            while (differs < std::min(written.size(), expected.size()) &&
                   written[differs] == expected[differs]) {
                ++differs;
            }
            EXPECT_TRUE(written == expected)
                << names[i].toStdString() << ": the samples differ from the source at byte "
                << differs << " (" << written.size() << " bytes written, " << expected.size()
                << " expected)";
            WavInfo info;
            EXPECT_EQ(ReadWavInfo(path, info), "") << names[i].toStdString();
            EXPECT_EQ(info.sampleRate, rate);
            EXPECT_EQ(info.blockAlign, builder.FrameBytes());
        }
    }
    /// One line of the cut record: format code, piece length, file size, name and folder.
    QString RecordLine(const QString& code, TimeMs lengthMs, const QString& name) const {
        const QString size = QLocale(QLocale::English).toString(QFileInfo(saveDir + name).size());
        return code + QString("%1").arg(window.timeLists.format.FormatTime(lengthMs), 11) +
               QString("%1").arg(size, 12) + " " + name + " " + saveDir;
    }

    TKOTAN_VESKAR window;
    test::FakeTextViewer viewer;
    test::BoxAnswerer boxes{window.MKBoxDlg1};
    test::WavFiles files;
    QTemporaryDir out;
    QString saveDir;
    QStringList folderQuestions;
    QString source;
    test::WavBuilder builder;
    uint32_t rate = 44100;
};

// The README's first cut, step by step, with the default settings and no colour chosen.
TEST_F(MainRoadTest, TheReadmesFirstCutWritesEachSongAndTheRecord) {
    Open({44100, 2, 16}, "road.wav");
    Detect();
    RegisterAllWithColours(0);
    ASSERT_EQ(RegisteredMs(), kDetected);
    ASSERT_EQ(window.timeLists.registered.Tags(), kDetectedTags) << "song starts in blue";
    EXPECT_EQ(Silence().Edit_ML[2]->text(), "1500") << "the silence levels of 16-bit files";

    CutWith(window.Cut().WAV_CUT_ST);

    const QStringList names = {"road_0m01000_Blue.wav", "road_0m06500_Blue.wav",
                               "road_0m14000_Blue.wav"};
    EXPECT_EQ(folderQuestions, QStringList{"分割WAVファイル登録先"});
    EXPECT_EQ(SavedNames(), names);
    ExpectPieces(saveDir, names, {{1000, 5000}, {6500, 12500}, {14000, 17000}});
    EXPECT_EQ(boxes.shown, QStringList{CutRun::DoneText()});
    EXPECT_FALSE(window.Cut().Run().Busy());

    EXPECT_EQ(viewer.shown, QStringList{WorkDir() + "CUT$$$$.TXT"});
    const QStringList lines = RecordLines();
    ASSERT_EQ(lines.size(), 8) << lines.join("\n").toStdString();
    EXPECT_TRUE(lines[0].startsWith("カットデータ一覧　"));
    EXPECT_EQ(lines[1], "3個 カットしました。");
    EXPECT_EQ(lines[2], QString(40, '-'));
    EXPECT_EQ(lines[3], RecordLine("44S16", 4000, names[0]));
    EXPECT_EQ(lines[4], RecordLine("44S16", 6000, names[1]));
    EXPECT_EQ(lines[5], RecordLine("44S16", 3000, names[2]));
    EXPECT_EQ(lines[6], QString(40, '-'));
    EXPECT_EQ(lines[7], "");

    // The same cut again leaves the first pieces as they are: the new ones get a numbered
    // prefix, and the record keeps growing.
    QList<QByteArray> first;
    for (const QString& name : names) {
        first << ReadAll(saveDir + name);
    }
    CutWith(window.Cut().WAV_CUT_ST);
    const QStringList added = {"road_c000_0m01000_Blue.wav", "road_c000_0m06500_Blue.wav",
                               "road_c000_0m14000_Blue.wav"};
    EXPECT_EQ(SavedNames(), names + added);
    for (int i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(ReadAll(saveDir + names[i]) == first[i]) << names[i].toStdString();
    }
    ExpectPieces(saveDir, added, {{1000, 5000}, {6500, 12500}, {14000, 17000}});
    const QStringList both = RecordLines();
    ASSERT_EQ(both.size(), 11);
    EXPECT_EQ(both[1], "6個 カットしました。");
    EXPECT_EQ(both.mid(3, 3), lines.mid(3, 3));
    EXPECT_EQ(both[8], RecordLine("44S16", 3000, added[2]));
}

TEST_F(MainRoadTest, CommandLineGivesTheSamePiecesAsTheWindow) {
    Choose({44100, 2, 16}, "road.wav");
    Detect();
    RegisterAllWithColours(0);
    CutWith(window.Cut().colorCutItems[1]);
    const QStringList names = SavedNames();
    ASSERT_EQ(names.size(), 3);

    const test::CliResult found = test::RunSplit({"silences", source, "--ms"});
    ASSERT_EQ(found.exitCode, 0) << found.Err().toStdString();
    // MS0's lines, each "ms<TAB>mark", up to the next list.
    const QStringList outLines = found.Out().split('\n');
    QStringList timeArgs;
    std::vector<TimeMs> times;
    QStringList tags;
    for (qsizetype i = outLines.indexOf("MS0") + 1; i < outLines.size(); ++i) {
        const QStringList fields = outLines[i].split('\t');
        if (fields.size() != 2) {
            break;
        }
        times.push_back(fields[0].toInt());
        tags << fields[1];
        timeArgs << fields[0] + (fields[1].isEmpty() ? QString() : ":" + fields[1]);
    }
    EXPECT_EQ(times, kDetected) << found.Out().toStdString();
    EXPECT_EQ(tags, kDetectedTags);

    QTemporaryDir cliOut;
    const QString cliDir = cliOut.path() + "/";
    const test::CliResult cut = test::RunSplit(
        QStringList{"cut", source, "--out", cliDir, "--filter", "1", "--minutes"} + timeArgs);
    ASSERT_EQ(cut.exitCode, 0) << cut.Err().toStdString();
    EXPECT_EQ(QDir(cliDir).entryList(QDir::Files | QDir::Hidden, QDir::Name), names);
    for (const QString& name : names) {
        EXPECT_TRUE(ReadAll(cliDir + name) == ReadAll(saveDir + name))
            << name.toStdString() << ": the command line wrote other bytes than the window";
    }
}

TEST_F(MainRoadTest, EightBitMonoThroughTheRegisterButtonsAndTheAllCut) {
    // 11,025 frames a second: most times fall between two frames and are truncated.
    Choose({11025, 1, 8}, "mono8.wav");
    Detect();
    // The silence levels of the 8-bit family.
    EXPECT_EQ(Silence().Edit_ML[0]->text(), "3");
    EXPECT_EQ(Silence().Edit_ML[2]->text(), "15");
    SelectAllRows(Silence().ListBox_MS[0]);
    Silence().Btn_MST[0]->click();
    ASSERT_EQ(RegisteredMs(), kDetected);
    ASSERT_EQ(window.timeLists.registered.Tags(), kDetectedTags);

    CutWith(window.Cut().WAV_CUT_ALL);

    QStringList names;
    std::vector<std::pair<TimeMs, TimeMs>> ranges;
    for (size_t i = 0; i < kDetected.size(); ++i) {
        const TimeMs start = kDetected[i];
        names << QString("mono8_0m%1%2.wav")
                     .arg(start, 5, 10, QChar('0'))
                     .arg(kDetectedTags[static_cast<int>(i)].isEmpty() ? "" : "_Blue");
        // The last piece runs to the file's last frame, past the whole milliseconds.
        ranges.emplace_back(start, i + 1 < kDetected.size() ? kDetected[i + 1] : kToEnd);
    }
    EXPECT_EQ(SavedNames(), names);
    ExpectPieces(saveDir, names, ranges);
    EXPECT_EQ(boxes.shown, QStringList{CutRun::DoneText()});
    const QStringList lines = RecordLines();
    ASSERT_EQ(lines.size(), 12);
    EXPECT_EQ(lines[1], "7個 カットしました。");
    EXPECT_EQ(lines[3], RecordLine("11M 8", 1000, "mono8_0m00000.wav"));
}

TEST_F(MainRoadTest, AnotherFileStartsTheRoadAfresh) {
    Choose({44100, 2, 16}, "road.wav");
    Detect();
    RegisterAllWithColours(0);
    ASSERT_FALSE(window.timeLists.registered.IsEmpty());

    // The times of one recording never cut another.
    Choose({22050, 2, 16}, "other.wav");
    EXPECT_TRUE(window.timeLists.registered.IsEmpty());
    EXPECT_EQ(window.analysis.SilenceLines(0).Count(), 0);
    Detect();
    // List 3 wants silences longer than 500 ms: the tail of exactly 500 ms is none, so the
    // last song runs to the end of the file.
    RegisterAllWithColours(3);
    ASSERT_EQ(RegisteredMs(), (std::vector<TimeMs>{0, 1000, 5000, 6500, 12500, 14000}));
    CutWith(window.Cut().colorCutItems[1]);

    const QStringList names = {"other_0m01000_Blue.wav", "other_0m06500_Blue.wav",
                               "other_0m14000_Blue.wav"};
    EXPECT_EQ(SavedNames(), names);
    ExpectPieces(saveDir, names, {{1000, 5000}, {6500, 12500}, {14000, kToEnd}});
    EXPECT_EQ(boxes.shown, QStringList{CutRun::DoneText()});
}

// The whole road in the window from the browser: the recording registered in a memory list,
// the cut screen opened on it, its song starts registered and cut; a new window on the same
// data folder comes back on the cut screen with the same times registered.
TEST_F(MainRoadTest, FromTheBrowserToThePiecesAndBackAfterARestart) {
    ASSERT_EQ(SettingsStore().WriteFolder("SAVE_DIR", saveDir), "");
    ASSERT_EQ(SettingsStore().WriteFolder("BG_DIR", saveDir), "");
    builder = Recording{44100, 2, 16}.Build();
    source = files.Write("road.wav", builder);
    window.FormCreate();
    window.Timer_CreateTimer();
    ASSERT_EQ(window.StartupStage, 99);
    window.ShowFileScreen();
    window.browserPanel->browser->ShowFolder(files.Folder());
    window.browserPanel->SelectOnly(0);
    ASSERT_EQ(window.browserPanel->Path(0), source);
    window.memoryPanel->Button9->click();
    window.memoryPanel->Button14->click();
    ASSERT_EQ(window.cutScreen->CutFile(), source);
    EXPECT_EQ(window.findChild<QStackedWidget*>("Screens")->currentWidget(), window.Panel_CUT);

    Detect();
    RegisterAllWithColours(0);
    ASSERT_EQ(RegisteredMs(), kDetected);
    CutWith(window.Cut().WAV_CUT_ST);
    const QStringList names = {"road_0m01000_Blue.wav", "road_0m06500_Blue.wav",
                               "road_0m14000_Blue.wav"};
    EXPECT_EQ(SavedNames(), names);
    ExpectPieces(saveDir, names, {{1000, 5000}, {6500, 12500}, {14000, 17000}});
    // Back on the file screen the pieces' folder shows once; then the browser stays put.
    QPushButton* back = window.findChild<QPushButton*>("Button_Select");
    back->click();
    EXPECT_EQ(QDir(window.browserState.currentPath), QDir(saveDir));
    window.browserPanel->browser->ShowFolder(files.Folder());
    window.memoryPanel->Button14->click();
    back->click();
    EXPECT_EQ(QDir(window.browserState.currentPath), QDir(files.Folder()));
    window.memoryPanel->Button14->click();
    window.close();

    TKOTAN_VESKAR again;
    test::BoxAnswerer againBoxes(again.MKBoxDlg1);
    again.FormCreate();
    again.Timer_CreateTimer();
    EXPECT_EQ(again.findChild<QStackedWidget*>("Screens")->currentWidget(), again.Panel_CUT);
    EXPECT_EQ(again.cutScreen->CutFile(), source);
    EXPECT_EQ(again.timeLists.registered.Texts(), window.timeLists.registered.Texts());
    EXPECT_EQ(again.timeLists.registered.Tags(), kDetectedTags);
    EXPECT_EQ(againBoxes.shown, QStringList());
}

} // namespace
} // namespace veskar
