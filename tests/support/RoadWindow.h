#pragma once

// The real main window with its real engine, sound device included, driven as a user drives it.
// Only the answers of the message boxes, the record viewer and the folder questions are
// scripted. The recording: a silent lead-in, three "songs" of different kinds separated by
// 1.5 s of digital silence, and a short silent tail.
#include <algorithm>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMenu>
#include <QStackedWidget>
#include <QTemporaryDir>

#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"
#include "core/timelists/TimeText.h"
#include "core/wav/WavReader.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/dialogs/TPBarBox.h"
#include "gui/main/CutFileOpener.h"
#include "gui/filescreen/ChopMenu.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "support/FakeTextViewer.h"
#include "support/GuiDriver.h"
#include "support/WavFiles.h"

namespace veskar::test {

/// Lengths in ms.
struct Recording {
    uint32_t rate = 44100;
    uint16_t channels = 2;
    uint16_t bits = 16;
    WavBuilder Build() const {
        WavBuilder builder(rate, channels, bits);
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
inline const std::vector<TimeMs> kDetected = {0, 1000, 5000, 6500, 12500, 14000, 17000};
inline const QStringList kDetectedTags = {"", "1", "", "1", "", "1", ""};
inline const QStringList kSongPieces = {"road_0m01000_Blue.wav", "road_0m06500_Blue.wav",
                                        "road_0m14000_Blue.wav"};
constexpr TimeMs kToEnd = std::numeric_limits<TimeMs>::max();

inline QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// The sample bytes of a written WAV file as its data chunk declares them; an odd count is
/// followed by one pad byte, which ends the file.
inline QByteArray DataOf(const QByteArray& wav) {
    const qsizetype at = wav.indexOf("data", 12);
    if (at < 0 || at + 8 > wav.size()) {
        return {};
    }
    const qsizetype size = ReadU32(wav, static_cast<int>(at) + 4);
    if (at + 8 + size + size % 2 != wav.size()) {
        return "the file does not end with its data";
    }
    return wav.mid(at + 8, size);
}

class RoadWindowTest : public testing::Test {
protected:
    RoadWindowTest() {
        QDir(DizeziDir()).removeRecursively();
        window.Cut().SetTextViewer(&viewer);
        window.chopMenu->SetTextViewer(&viewer);
        window.ShowCutScreen();
        window.show();
        saveDir = out.path() + "/";
        // No save folder yet, as at the first start: the first cut asks for one.
        window.Cut().SetFolderChooser([this](const QString& title, const QString&) {
            folderQuestions << title;
            return std::optional<QString>(out.path());
        });
    }
    void TearDown() override { CloseAllDialogs(); }

    /// The program's start: form creation and the deferred start-up, with the save and chop
    /// folders chosen at an earlier start.
    void StartUp() {
        ASSERT_EQ(SettingsStore().WriteFolder("SAVE_DIR", saveDir), "");
        ASSERT_EQ(SettingsStore().WriteFolder("BG_DIR", saveDir), "");
        window.FormCreate();
        window.Timer_CreateTimer();
        ASSERT_EQ(window.StartupStage, 99);
    }
    /// Writes the recording and opens it with ファイル → "WAVファイルを開く…".
    void Open(const Recording& recording, const QString& name) {
        rate = recording.rate;
        builder = recording.Build();
        source = files.Write(name, builder);
        ASSERT_FALSE(source.isEmpty());
        OpenFile(source);
        EXPECT_EQ(window.timeLists.format.FileLengthMs(), LengthMs());
    }
    void OpenFile(const QString& path) {
        window.cutFileOpener->pickFile = [path](QWidget*) { return path; };
        window.ShowFileScreen();
        window.findChild<QAction*>("MF_WAV_OPEN")->trigger();
        ASSERT_EQ(window.cutScreen->CutFile(), path) << boxes.shown.join("|").toStdString();
        EXPECT_EQ(window.findChild<QStackedWidget*>("Screens")->currentWidget(), window.Panel_CUT);
    }
    /// Opens the silence panel and runs the detection with its default settings.
    void Detect() {
        SilencePanel& silence = Silence();
        silence.Btn_Muon->click();
        ASSERT_TRUE(silence.Panel_Muon->isVisible());
        silence.Btn_Muon_START->click();
        EXPECT_TRUE(silence.Btn_Muon_START->isEnabled());
        EXPECT_EQ(VisibleCount<TPBarBox>(), 0) << "the progress box is closed";
    }
    /// Registers all lines of list k with their colours from the list's right-click menu.
    void RegisterAllWithColours(int k) {
        SilencePanel& silence = Silence();
        SendMouse(silence.ListBox_MS[k]->viewport(), QEvent::MouseButtonPress, {5, 5},
                  Qt::RightButton);
        ASSERT_TRUE(silence.PopupMenu_MS->isVisible());
        silence.PopupMenu_MS->hide();
        silence.P_MS0->trigger();
    }
    /// Detects the silences and registers list 0 with the song starts in blue.
    void RegisterSongs() {
        Detect();
        RegisterAllWithColours(0);
        ASSERT_EQ(RegisteredMs(), kDetected);
        ASSERT_EQ(window.timeLists.registered.Tags(), kDetectedTags) << "song starts in blue";
    }
    /// Gives line row of the registered list the start colour code from its right-click menu.
    void ColourLine(int row, int code) {
        CutScreen& screen = *window.cutScreen;
        SelectRows(screen.ListBox_C, {row});
        SendMouse(screen.ListBox_C->viewport(), QEvent::MouseButtonPress, {5, 5}, Qt::RightButton);
        ASSERT_TRUE(screen.PopupMenu1->isVisible());
        screen.PopupMenu1->hide();
        screen.startColorItems[code]->trigger();
    }
    /// Opens the cut menu with the cut button and chooses item from it.
    void CutWith(QAction* item) {
        CutScreen& screen = *window.cutScreen;
        window.Cut().Btn_CUT->click();
        ASSERT_TRUE(screen.PopupMenu1->isVisible());
        ASSERT_EQ(screen.PopupTargetList(), TimeListId::Registered);
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
    static QString RecordPath() { return WorkDir() + "CUT$$$$.TXT"; }
    static QStringList RecordLines() {
        return QString::fromUtf8(ReadAll(RecordPath())).split("\r\n");
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
            EXPECT_TRUE(DataOf(ReadAll(path)) == expected)
                << names[i].toStdString() << ": the samples differ from the source";
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
    FakeTextViewer viewer;
    BoxAnswerer boxes{window.MKBoxDlg1};
    WavFiles files;
    QTemporaryDir out;
    QString saveDir;
    QStringList folderQuestions;
    QString source;
    WavBuilder builder;
    uint32_t rate = 44100;
};

} // namespace veskar::test
