#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QtEndian>

#include "core/chop/ChopRun.h"
#include "core/wav/WavReader.h"
#include "support/FakeHost.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// 1,000 frames a second of 8-bit mono: one byte per millisecond, each a different value.
WavBuilder Milliseconds(int64_t ms) {
    WavBuilder builder(1000, 1, 8);
    builder.Frames(ms, [](int64_t f, int) { return static_cast<int32_t>(f * 37 % 251) - 125; });
    return builder;
}

WavInfo Info(uint32_t rate, uint16_t blockAlign, int64_t dataOffset, int64_t dataLength) {
    WavInfo info;
    info.sampleRate = rate;
    info.blockAlign = blockAlign;
    info.dataOffset = dataOffset;
    info.dataLength = dataLength;
    return info;
}

struct PieceCase {
    int mode;
    WavInfo info;
    std::vector<int64_t> pieces;
};

TEST(ChopPieceListTest, ModesGiveWholeFramePieces) {
    const int64_t minute = 44100 * 60 * 4;
    const PieceCase cases[] = {
        {1, Info(44100, 4, 44, 1000000), {333336, 333336, 333328}},
        {12, Info(44100, 4, 44, minute * 5 / 2), {minute, minute, minute / 2}},
        {23, Info(44100, 4, 44, minute * 25), {minute * 20, minute * 5}},
        {8, Info(8000, 6, 44, 20), {6, 6, 6, 2}},
        {29, Info(8000, 2, 44, 200), {0}},
        {0, Info(8000, 2, 44, 0), {}},
    };
    for (const PieceCase& c : cases) {
        EXPECT_EQ(ChopPieceList(static_cast<ChopMode>(c.mode), c.info, 6), c.pieces)
            << "mode " << c.mode;
    }
}

// A file of just over a gigabyte, sparse, so it costs nothing on disk: each piece file of the
// 1G mode, header included, is exactly 1 GiB.
TEST(ChopPieceListTest, GigabytePiecesMakeGigabyteFiles) {
    WavFiles files;
    const int64_t data = int64_t{1} << 30;
    const QString path = files.Write("big.wav", WavBuilder(44100, 2, 16).DataSize(data).Silence(4));
    ASSERT_TRUE(QFile::resize(path, 44 + data));
    WavInfo info;
    ASSERT_EQ(ReadWavInfo(path, info), "");
    const auto pieces = ChopPieceList(ChopMode::Size1G, info, 15);
    ASSERT_EQ(pieces.size(), 2u);
    EXPECT_EQ(info.dataOffset + pieces[0], int64_t{1} << 30);
    EXPECT_EQ(pieces[0] + pieces[1], data);
}

class ChopRunTest : public testing::Test {
protected:
    void SetUp() override {
        m_options.chopDir = m_files.Folder() + "out/";
        QDir().mkpath(m_options.chopDir);
    }
    std::optional<ChopResult> Run(const QStringList& sources, ChopMode mode) {
        return RunChop(sources, mode, m_options, m_host.host());
    }
    QStringList Written() const {
        return QDir(m_options.chopDir).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    WavFiles m_files;
    FakeHost m_host;
    ChopOptions m_options;
};

// Each piece: the source's header with its two sizes set for the piece, then its samples.
TEST_F(ChopRunTest, PiecesHoldTheSourceBytesAndAreNamedOnce) {
    const QString source = m_files.Write("live.wav", Milliseconds(1001).List(10));
    const QByteArray bytes = ReadAll(source);
    const int dataOffset = 44 + 18;
    const auto result = Run({source}, ChopMode::Parts2);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->pieceWritten);
    ASSERT_EQ(Written(), QStringList({"live_b000.wav", "live_b001.wav"}));
    const int lengths[] = {501, 500};
    for (int j = 0; j < 2; ++j) {
        const QByteArray piece = ReadAll(m_options.chopDir + Written()[j]);
        QByteArray expected = bytes.left(dataOffset) + bytes.mid(dataOffset + j * 501, lengths[j]);
        qToLittleEndian<uint32_t>(dataOffset - 8 + lengths[j], expected.data() + 4);
        qToLittleEndian<uint32_t>(lengths[j], expected.data() + dataOffset - 4);
        EXPECT_EQ(piece, expected) << j;
    }
    EXPECT_EQ(result->record.size(), 2);
    EXPECT_TRUE(result->record[0].endsWith(" live_b000.wav " + m_options.chopDir));

    Run({source}, static_cast<ChopMode>(1));
    EXPECT_EQ(Written().filter("_n000_b").size(), 3);
    m_options.shortNames = true;
    Run({m_files.Write("Con.cert.wav", Milliseconds(100))}, ChopMode::Parts2);
    EXPECT_EQ(Written().filter("Conc_b"), QStringList({"Conc_b00.wav", "Conc_b01.wav"}));
}

struct IntroCase {
    int fileMs;
    int startS;
    int endS;
    int fromMs;
    int lengthMs;
};

TEST_F(ChopRunTest, IntroTakesTheRangeOrWhatOfItFits) {
    const IntroCase cases[] = {
        {40000, 0, 60, 0, 40000}, {100000, 0, 60, 0, 60000}, {70000, 30, 90, 10000, 60000}};
    for (const IntroCase& c : cases) {
        const QString source =
            m_files.Write(QString("intro%1.wav").arg(c.fileMs), Milliseconds(c.fileMs));
        m_options.introStartS = c.startS;
        m_options.introEndS = c.endS;
        ASSERT_TRUE(Run({source}, ChopMode::Intro));
        const QByteArray piece =
            ReadAll(m_options.chopDir + QString("intro%1_i000.wav").arg(c.fileMs));
        EXPECT_EQ(piece.mid(44), ReadAll(source).mid(44 + c.fromMs, c.lengthMs)) << c.fileMs;
        EXPECT_EQ(ReadU32(piece, 40), static_cast<uint32_t>(c.lengthMs));
        EXPECT_EQ(ReadU32(piece, 4), static_cast<uint32_t>(piece.size() - 8));
    }
}

TEST_F(ChopRunTest, RawFileGetsTheHeaderOfTheTickedFormat) {
    QByteArray raw(1000003, '\0');
    for (int i = 0; i < raw.size(); ++i) {
        raw[i] = static_cast<char>(i * 31);
    }
    const QString source = m_files.WriteBytes("rec.tmp", raw);
    m_options.raw = RawFormatOfItems(4, 1, 1);
    ASSERT_TRUE(Run({source}, ChopMode::RawToWav));
    const QByteArray file = ReadAll(m_options.chopDir + "rec_t000.wav");
    QByteArray header("RIFF\0\0\0\0WAVEfmt \x12\0\0\0\x01\0\x02\0", 24);
    const uint32_t fields[] = {1000038, 22050, 88200, 0x100004, 0, 1000000};
    const int offsets[] = {4, 24, 28, 32, 36, 42};
    header.append(QByteArray(22, '\0'));
    for (int i = 0; i < 6; ++i) {
        qToLittleEndian<uint32_t>(fields[i], header.data() + offsets[i]);
    }
    header.replace(38, 4, "data");
    EXPECT_EQ(file.left(46).toHex(), header.toHex());
    EXPECT_EQ(file.mid(46), raw.left(1000000));
}

TEST_F(ChopRunTest, OddDataSizeIsReportedAndTheDataRunsToTheFileEnd) {
    const QString source = m_files.Write("odd.wav", Milliseconds(3000).DataSize(100));
    const auto result = Run({source}, ChopMode::Parts2);
    ASSERT_TRUE(result);
    EXPECT_EQ(m_host.messenger.Texts().value(1),
              source + "\nデータサイズが異状です・・・\nファイルサイズ:   3,044\nデータサイズ:     "
                       "100\n\nファイルエンドまでをWAVデータであると「みなして」カットします☆");
    EXPECT_EQ(ReadAll(m_options.chopDir + "odd_b001.wav").size(), 44 + 1500);
}

TEST_F(ChopRunTest, StopDeletesThePieceBeingWrittenAndEndsTheRun) {
    const QString source = m_files.Write("long.wav", WavBuilder(44100, 2, 16).Silence(441000));
    m_host.progress.stopAfterUpdates = 1;
    const auto result = Run({source, source}, ChopMode::Parts2);
    ASSERT_TRUE(result);
    EXPECT_TRUE(result->stopped);
    EXPECT_EQ(Written(), QStringList());
    const QStringList texts = m_host.messenger.Texts();
    EXPECT_TRUE(
        texts.contains("分割に失敗しました・・・\n中断ボタンが押されました・・・BG\n" + source));
    EXPECT_EQ(texts.last(), "中断ボタンが押されました・・・\n強制終了します☆☆☆");
}

TEST_F(ChopRunTest, WritersNeverReplaceAFile) {
    const QString source = m_files.Write("keep.wav", Milliseconds(100));
    const QString taken = m_files.WriteBytes("out/taken.wav", "mine");
    EXPECT_EQ(WritePiece(source, taken, 44, 10), "WAVファイルの書き込みに失敗しました・・・BG");
    EXPECT_EQ(WriteRange(source, taken, -1, -1, {}), "WAVファイルの書き込みに失敗しました・・・RV");
    EXPECT_EQ(ReadAll(taken), "mine");
    EXPECT_EQ(Written(), QStringList({"taken.wav"}));
}

TEST(ChopRecordTest, RecordFileLayout) {
    const QDateTime now(QDate(2026, 12, 6), QTime(21, 5, 9));
    EXPECT_EQ(ChopRecordText({"a", "b"}, now),
              "ぶつ切りデータ一覧　26/12/06 Sun 21:05:09 \r\n2個 分割しました。\r\n" +
                  QString(40, '-') + "\r\na\r\nb\r\n" + QString(40, '-') + "\r\n");
}

} // namespace

} // namespace veskar::test
