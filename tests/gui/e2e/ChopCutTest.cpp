// The chop cut from the file screen: the memory list's selected recording cut into equal parts
// through the chop button and its menu, with no registered times.
#include <QtEndian>

#include <QPushButton>

#include "gui/filescreen/BrowserPanel.h"
#include "gui/filescreen/ChopMenu.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "gui/filescreen/MemoryListPanel.h"
#include "support/RoadWindow.h"

namespace veskar::test {
namespace {

using ChopCutTest = RoadWindowTest;

// Each piece is the source's header, its extra chunk included, with the two sizes rewritten,
// followed by exactly its part of the samples; the last part is the shorter one.
TEST_F(ChopCutTest, ThreePartsKeepTheHeaderAndTheirSamples) {
    // 10,001 frames of 4 bytes: parts of 13,335 bytes, raised to whole frames.
    builder = WavBuilder(22050, 2, 16).List(10).Frames(10001, [](int64_t frame, int channel) {
        return static_cast<int32_t>(frame * 7 % 30000 - 15000 + channel);
    });
    source = files.Write("live.wav", builder);
    StartUp();
    window.ShowFileScreen();
    window.browserPanel->browser->ShowFolder(files.Folder());
    window.browserPanel->SelectOnly(0);
    window.memoryPanel->Button9->click();
    ASSERT_EQ(window.SelectedMemoryFiles(), QStringList{source}) << "the new row is selected";

    ChopMenu& chop = *window.chopMenu;
    chop.Btn_BUTUGIRI->click();
    ASSERT_TRUE(chop.PopupMenu_BG->isVisible());
    EXPECT_FALSE(chop.PBG_TXT->isEnabled()) << "no chop record yet";
    chop.PopupMenu_BG->hide();
    chop.modeItems[1]->trigger();

    EXPECT_EQ(boxes.shown.value(0), "ぶつ切りカット\n３分割\nを、実行します☆\nよろしいですか?");
    const QStringList names = {"live_b000.wav", "live_b001.wav", "live_b002.wav"};
    ASSERT_EQ(SavedNames(), names);
    const QByteArray wav = ReadAll(source);
    const qsizetype dataOffset = wav.indexOf("data", 12) + 8;
    ASSERT_EQ(dataOffset, 44 + 18) << "the LIST chunk lies before the samples";
    qsizetype at = dataOffset;
    for (int i = 0; i < names.size(); ++i) {
        const qsizetype length = i < 2 ? 13336 : 40004 - 2 * 13336;
        QByteArray expected = wav.left(dataOffset) + wav.mid(at, length);
        qToLittleEndian<quint32>(dataOffset - 8 + length, expected.data() + 4);
        qToLittleEndian<quint32>(length, expected.data() + dataOffset - 4);
        EXPECT_TRUE(ReadAll(saveDir + names[i]) == expected) << names[i].toStdString();
        at += length;
    }
    EXPECT_EQ(viewer.shown, QStringList{WorkDir() + "BG$$$$.TXT"});
    const QString record = QString::fromUtf8(ReadAll(WorkDir() + "BG$$$$.TXT"));
    for (const QString& name : names) {
        EXPECT_TRUE(record.contains(" " + name + " " + saveDir)) << record.toStdString();
    }
    EXPECT_EQ(QDir(window.browserState.currentPath), QDir(saveDir)) << "the pieces are shown";
    EXPECT_TRUE(chop.Btn_BUTUGIRI->isEnabled());
    emit chop.PopupMenu_BG->aboutToShow();
    EXPECT_TRUE(chop.PBG_TXT->isEnabled());
}

} // namespace
} // namespace veskar::test
