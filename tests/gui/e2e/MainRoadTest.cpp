// The main road of a cut on the real window: choose a recording, colour the lists, detect the
// silences, register the song starts with their colour, cut, and compare every piece with the
// source bytes of its range.
#include <QLineEdit>
#include <QPushButton>

#include "core/cut/CutRun.h"
#include "gui/cutscreen/LevelPanel.h"
#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "gui/filescreen/MemoryListPanel.h"
#include "support/RoadWindow.h"

namespace veskar::test {
namespace {

class MainRoadTest : public RoadWindowTest {
protected:
    /// Colours the lists by level: both lines of the 10 s list hold songs.
    void ColourLists() {
        LevelPanel& level = *window.analysisPanels->levelPanel;
        const auto background = [this](int row) {
            return window.cutScreen->ListBox_ALL->model()->index(row, 0).data(Qt::BackgroundRole);
        };
        ASSERT_FALSE(background(0).isValid());
        level.Btn_IROWAKE->click();
        EXPECT_FALSE(level.Btn_IROWAKE->isEnabled()) << "the colouring ran";
        EXPECT_EQ(VisibleCount<TPBarBox>(), 0);
        EXPECT_TRUE(background(0).isValid());
        EXPECT_TRUE(background(1).isValid());
    }
};

// The README's first cut, step by step, with the default settings and no colour chosen.
TEST_F(MainRoadTest, TheReadmesFirstCutWritesEachSongAndTheRecord) {
    Open({}, "road.wav");
    RegisterSongs();
    EXPECT_EQ(Silence().Edit_ML[2]->text(), "1500") << "the silence levels of 16-bit files";

    CutWith(window.Cut().WAV_CUT_ST);

    const QStringList& names = kSongPieces;
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

TEST_F(MainRoadTest, EightBitMonoThroughTheRegisterButtonsAndTheAllCut) {
    // 11,025 frames a second: most times fall between two frames and are truncated.
    Open({11025, 1, 8}, "mono8.wav");
    ColourLists();
    Detect();
    // The silence levels of the 8-bit family.
    EXPECT_EQ(Silence().Edit_ML[0]->text(), "3");
    EXPECT_EQ(Silence().Edit_ML[2]->text(), "15");
    SelectRows(Silence().ListBox_MS[0], {0, 1, 2, 3, 4, 5, 6});
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

// The whole road in the window from the browser: the recording registered in a memory list,
// the cut screen opened on it, the lists coloured by level, the song starts registered in red
// and one of them turned blue, the red ones cut; a new window on the same data
// folder comes back on the cut screen with the same cut list.
TEST_F(MainRoadTest, FromTheBrowserToThePiecesAndBackAfterARestart) {
    builder = Recording{}.Build();
    source = files.Write("road.wav", builder);
    StartUp();
    window.ShowFileScreen();
    window.browserPanel->browser->ShowFolder(files.Folder());
    window.browserPanel->SelectOnly(0);
    ASSERT_EQ(window.browserPanel->Path(0), source);
    window.memoryPanel->Button9->click();
    window.memoryPanel->Button14->click();
    ASSERT_EQ(window.cutScreen->CutFile(), source);
    EXPECT_EQ(window.findChild<QStackedWidget*>("Screens")->currentWidget(), window.Panel_CUT);
    ColourLists();

    window.cutScreen->defaultColorItems[2]->trigger();
    Detect();
    RegisterAllWithColours(0);
    ASSERT_EQ(RegisteredMs(), kDetected);
    ColourLine(3, 1);
    QStringList tags = {"", "2", "", "1", "", "2", ""};
    ASSERT_EQ(window.timeLists.registered.Tags(), tags);

    CutWith(window.Cut().colorCutItems[2]);
    const QStringList names = {"road_0m01000_Red.wav", "road_0m14000_Red.wav"};
    EXPECT_EQ(SavedNames(), names);
    ExpectPieces(saveDir, names, {{1000, 5000}, {14000, 17000}});
    EXPECT_EQ(viewer.shown, QStringList{WorkDir() + "CUT$$$$.TXT"});

    // Back on the file screen the pieces' folder shows once; then the browser stays put.
    QPushButton* back = window.findChild<QPushButton*>("Button_Select");
    back->click();
    EXPECT_EQ(QDir(window.browserState.currentPath), QDir(saveDir));
    window.browserPanel->browser->ShowFolder(files.Folder());
    window.memoryPanel->Button14->click();
    back->click();
    EXPECT_EQ(QDir(window.browserState.currentPath), QDir(files.Folder()));
    window.memoryPanel->Button14->click();
    // A change just before the close is kept too.
    ColourLine(5, 3);
    tags[5] = "3";
    window.close();
    EXPECT_TRUE(QFile::exists(ProgramDir() + "roadCL_000.ARS"));

    TKOTAN_VESKAR again;
    BoxAnswerer againBoxes(again.MKBoxDlg1);
    again.FormCreate();
    again.Timer_CreateTimer();
    EXPECT_EQ(again.findChild<QStackedWidget*>("Screens")->currentWidget(), again.Panel_CUT);
    EXPECT_EQ(again.cutScreen->CutFile(), source);
    EXPECT_EQ(again.timeLists.registered.Texts(), window.timeLists.registered.Texts());
    EXPECT_EQ(again.timeLists.registered.Tags(), tags);
    EXPECT_EQ(againBoxes.shown, QStringList());
}

} // namespace
} // namespace veskar::test
