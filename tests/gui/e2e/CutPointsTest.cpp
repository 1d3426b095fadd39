// Cut points out of the cut screen's file menu and back into a fresh cut file, as a label track
// and as a cue sheet: the same times come back with the same colours.
#include "gui/cutscreen/CutPointCommands.h"
#include "support/RoadWindow.h"

namespace veskar::test {
namespace {

class CutPointsTest : public RoadWindowTest, public testing::WithParamInterface<const char*> {};

TEST_P(CutPointsTest, RegisteredListComesBackIntoAFreshFile) {
    Open({}, "road.wav");
    RegisterSongs();
    ColourLine(3, 2);
    const QStringList texts = window.timeLists.registered.Texts();
    const QStringList tags = window.timeLists.registered.Tags();
    const QString file = out.filePath(QString("road.") + GetParam());
    QStringList asked;
    window.cutPoints->pickFile = [&](const QString& title, const QString& path, bool save) {
        asked << title + "|" + QFileInfo(path).fileName() + (save ? "|save" : "|open");
        return file;
    };
    window.cutPoints->MF_CP_OUT0->actions().constFirst()->trigger(); // every line
    ASSERT_TRUE(QFile::exists(file));
    EXPECT_EQ(boxes.shown, QStringList{file + "\n" + QString::number(texts.size()) +
                                       "個のカットポイントを、書き出しました☆"});
    boxes.shown.clear();

    OpenFile(files.Write("fresh.wav", builder));
    ASSERT_TRUE(window.timeLists.registered.IsEmpty());
    window.cutPoints->MF_CP_IN->trigger();
    EXPECT_EQ(asked, (QStringList{"カットポイントの書き出し|road.txt|save",
                                  "カットポイントの読み込み||open"}));
    EXPECT_EQ(window.timeLists.registered.Texts(), texts);
    EXPECT_EQ(window.timeLists.registered.Tags(), tags);
    EXPECT_EQ(Shown(window.cutScreen->ListBox_C), texts);
    EXPECT_EQ(boxes.shown, QStringList()); // the import says nothing when it succeeds
}

INSTANTIATE_TEST_SUITE_P(Formats, CutPointsTest, testing::Values("txt", "cue"));

} // namespace
} // namespace veskar::test
