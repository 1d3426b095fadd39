#include <gtest/gtest.h>

#include <QFile>
#include <QFileInfo>

#include "core/wav/WavReader.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

class WavReaderTest : public ::testing::Test {
protected:
    WavFiles files;
};

TEST_F(WavReaderTest, FillsEveryFieldOfAGoodFile) {
    const QString path = files.Write("song.wav", WavBuilder(44100, 2, 16).List(7).Silence(44100));
    WavInfo info;
    ASSERT_EQ(ReadWavInfo(path, info), "");
    EXPECT_EQ(info.fileSize, QFileInfo(path).size());
    EXPECT_EQ(info.dataSizeFieldOffset, 12 + 24 + 15 + 4);
    EXPECT_EQ(info.dataOffset, 12 + 24 + 15 + 8);
    EXPECT_EQ(info.dataLength, 176400);
    EXPECT_EQ(info.lengthText, "0.01000");
    EXPECT_EQ(info.fileName, "song.wav");
    EXPECT_EQ(info.folder, QFileInfo(path).absolutePath() + "/");
    EXPECT_EQ(info.dateText.size(), 21);
}

TEST_F(WavReaderTest, FormatCodes) {
    struct Row {
        uint32_t rate;
        uint16_t channels;
        uint16_t bits;
        const char* code;
        const char* channelText;
    };
    const Row rows[] = {
        {22050, 1, 8, "22M 8", "  mono"},  {8000, 1, 16, " 8M16", "  mono"},
        {96000, 4, 32, "96 32", "unknwn"}, {192000, 2, 24, "92S24", "stereo"},
        {500, 1, 8, "  M 8", "  mono"},    {11025, 1, 4, "11M 4", "  mono"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.code);
        WavBuilder builder(row.rate, row.channels, row.bits);
        if (row.bits > 16) {
            builder.SoxStyle(); // extensible, as sox and ffmpeg write these widths
        }
        const QString path = files.Write("f.wav", builder.Silence(8));
        WavInfo info;
        ASSERT_EQ(ReadWavInfo(path, info), "");
        EXPECT_EQ(info.formatCode, row.code);
        EXPECT_EQ(info.channelText, row.channelText);
    }
}

TEST_F(WavReaderTest, LengthTexts) {
    EXPECT_EQ(MakeLengthText(0, 4, 44.1), "0.00000");
    EXPECT_EQ(MakeLengthText(int64_t{3251230} * 4 * 441 / 10, 4, 44.1), "54.11230");
    // Half milliseconds round to the even neighbour.
    EXPECT_EQ(MakeLengthText(1, 1, 2.0), "0.00000");
    EXPECT_EQ(MakeLengthText(3, 1, 2.0), "0.00002");
    // A data length that is not whole frames counts its fraction.
    EXPECT_EQ(MakeLengthText(7, 2, 1.0), "0.00004");
    EXPECT_EQ(MakeLengthText(0xFFFFFFFFll, 1, 0.001), "71582788.15000");
}

TEST_F(WavReaderTest, FailureSetsNamesAndDateButKeepsTheRest) {
    WavInfo info;
    info.sampleRate = 12345;
    info.lengthText = "9.99999";
    info.dateText = "previous";

    const QString path = files.Write("bad.wav", WavBuilder().FormatTag(3).Silence(10));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime(QDate(2022, 2, 2), QTime(2, 2, 2)),
                                 QFileDevice::FileModificationTime));
    file.close();
    EXPECT_EQ(ReadWavInfo(path, info), "圧縮データは対象外です・・・GW");
    EXPECT_EQ(info.fileName, "bad.wav");
    EXPECT_EQ(info.folder, files.Folder());
    EXPECT_EQ(info.dateText, "22/02/02 Wed 02:02:02");
    EXPECT_EQ(info.sampleRate, 12345u);
    EXPECT_EQ(info.lengthText, "9.99999");

    // A file whose time cannot be read keeps the previous date text.
    const QString missing = files.Path("gone.wav");
    EXPECT_EQ(ReadWavInfo(missing, info), "WAVファイルの読み出しに失敗しましたOP・・・GW");
    EXPECT_EQ(info.fileName, "gone.wav");
    EXPECT_EQ(info.dateText, "22/02/02 Wed 02:02:02");
}

// Files as today's recorders and tools write them: where the samples are, how many, and what
// the file information adds.
TEST_F(WavReaderTest, FilesOfTodaysTools) {
    QByteArray padded = WavBuilder(8000, 2, 16).Chunk("odd ", "abc").Silence(80).Build();
    padded.insert(12 + 24 + 11, '\0');
    const WavBuilder cd(8000, 2, 16);
    const QStringList toEnd{"ﾃﾞｰﾀｻｲｽﾞ　 : 未記入 (ファイルの終わりまで)"};
    struct Row {
        const char* name;
        QByteArray bytes;
        int64_t dataOffset;
        QStringList notes;
    };
    const Row rows[] = {
        {"ffmpeg", WavBuilder(8000, 1, 24).FfmpegStyle().Silence(80).Build(), 102, {}},
        {"20 bits in 24",
         WavBuilder(8000, 2, 24).Extensible(20, 3).Silence(80).Build(),
         68,
         {"有効ﾋﾞｯﾄ数　: 20 (24ビット中)"}},
        {"RF64", WavBuilder(cd).Rf64().Silence(80).Build(), 80, {}},
        {"size never written",
         WavBuilder(cd).Silence(80).RawData("xy").DataSize(0xFFFFFFFF).Build(), 44, toEnd},
        {"odd chunk", WavBuilder(cd).Chunk("odd ", "abc").Silence(80).Build(), 55, {}},
        {"odd chunk with its pad byte", padded, 56, {}},
    };
    for (const Row& row : rows) {
        WavInfo info;
        ASSERT_EQ(ReadWavInfo(files.WriteBytes("tool.wav", row.bytes), info), "") << row.name;
        EXPECT_EQ(info.dataOffset, row.dataOffset) << row.name;
        EXPECT_EQ(info.lengthText, "0.00010") << row.name; // 80 frames
        EXPECT_EQ(WavInfoNotes(info), row.notes) << row.name;
    }
}

} // namespace

} // namespace veskar::test
