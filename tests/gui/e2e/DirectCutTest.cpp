// The direct cut through the cut menu edits the cut file in place; the complete restore gives
// it back byte for byte, and once the window has forgotten the cut the forced restore rebuilds
// it with the two headers that lay inside the samples turned silent.
#include "support/RoadWindow.h"

namespace veskar::test {
namespace {

class DirectCutTest : public RoadWindowTest {
protected:
    /// Keeps the first song (1,000 to 5,000 ms) of the cut file, as the window's file.
    void CutOutTheFirstSong() {
        SelectRows(window.cutScreen->ListBox_C, {1});
        boxes.answers = {Messenger::Yes};
        CutWith(window.Cut().P_1TIME_CUT);
        const QByteArray edited = ReadAll(source);
        WavInfo info;
        ASSERT_EQ(ReadWavInfo(source, info), "");
        EXPECT_TRUE(edited.mid(info.dataOffset, info.dataLength) == SourceBytes(1000, 5000));
        EXPECT_EQ(edited.size(), before.size());
        EXPECT_EQ(window.timeLists.format.FileLengthMs(), 4000) << "the window took the edit";
        EXPECT_TRUE(window.Cut().directCut.pending);
    }
    bool DirectCutOffered() {
        emit window.cutScreen->PopupMenu1->aboutToShow();
        return window.Cut().P_1TIME_CUT->isEnabled();
    }
    QByteArray before;
};

TEST_F(DirectCutTest, CutAndBothRestores) {
    Open({}, "road.wav");
    RegisterSongs();
    before = ReadAll(source);
    CutOutTheFirstSong();
    EXPECT_FALSE(DirectCutOffered()) << "one direct cut at a time";
    CutWith(window.Cut().P_1TIME_RESET);
    EXPECT_TRUE(ReadAll(source) == before);
    EXPECT_EQ(window.timeLists.format.FileLengthMs(), LengthMs());
    EXPECT_TRUE(boxes.shown.contains("wavファイルを元に戻しました☆☆☆"));
    EXPECT_TRUE(DirectCutOffered());

    // Choosing the file again forgets the bytes the cut replaced.
    CutOutTheFirstSong();
    OpenFile(source);
    EXPECT_TRUE(DirectCutOffered());
    boxes.answers = {Messenger::Yes};
    CutWith(window.Cut().PCM_FUKUGEN);
    QByteArray expected = before;
    const qsizetype dataOffset = before.indexOf("data", 12) + 8;
    const qsizetype secondBytes = 44100 * 4;
    for (const qsizetype header : {dataOffset + secondBytes - 8, dataOffset + 5 * secondBytes}) {
        expected.replace(header, 8, QByteArray(8, '\0'));
    }
    EXPECT_TRUE(ReadAll(source) == expected);
    EXPECT_EQ(window.timeLists.format.FileLengthMs(), LengthMs());
    EXPECT_TRUE(boxes.shown.contains("wavファイルを強制復元しました☆☆☆"));
}

} // namespace
} // namespace veskar::test
