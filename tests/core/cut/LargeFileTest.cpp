#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/cut/SegmentWriter.h"
#include "core/wav/RangePeak.h"
#include "core/wav/WavReader.h"
#include "support/WavBuilder.h"

namespace veskar::test {

namespace {

constexpr int64_t kFiveGiB = int64_t{5} << 30;

// Files over 4 GiB are made sparse: the file system keeps the holes as zeros without storing
// them, so no test writes gigabytes. header, then dataBytes of zeros ending in tail, then
// `after` bytes more.
QString Sparse(const QTemporaryDir& dir, const QString& name, const QByteArray& header,
               const QByteArray& tail, int64_t after = 0) {
    QFile file(dir.filePath(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(header) == header.size() &&
                file.resize(header.size() + kFiveGiB + after) &&
                file.seek(header.size() + kFiveGiB - tail.size()) &&
                file.write(tail) == tail.size());
    return file.fileName();
}

TEST(LargeFileTest, APieceOverFourGiBIsWrittenAsRf64) {
    WavInfo cd;
    cd.channels = 2;
    cd.sampleRate = 44100;
    cd.blockAlign = 4;
    cd.bitsPerSample = 16;
    EXPECT_EQ(SegmentHeader(cd, 0xFFFFFFFFll - 39).left(8).toHex(), "52494646feffffff");
    EXPECT_EQ(SegmentHeader(cd, 0xFFFFFFFFll - 38).size(), 82); // with its pad byte: 2^32 - 8
    const QByteArray rf64 = SegmentHeader(cd, kFiveGiB);
    // RF64, WAVE, ds64 of 28 bytes: RIFF size, data size, frame count, no table; fmt; data.
    EXPECT_EQ(rf64.toHex().toStdString(),
              "52463634ffffffff57415645647336341c000000"
              "4a000040010000000000004001000000000000500000000000000000"
              "666d7420120000000100020044ac000010b1020004001000000064617461ffffffff");
    QTemporaryDir dir;
    WavInfo back;
    ASSERT_EQ(ReadWavInfo(Sparse(dir, "piece.wav", rf64, {}), back), "");
    EXPECT_EQ(back.dataLength, kFiveGiB);
    EXPECT_EQ(back.lengthText, "507.14859");
}

// A 5 GiB source, as RF64 and with a data size never written, is measured and cut near its
// end, where every offset is beyond 32 bits.
TEST(LargeFileTest, FiveGiBSourceCutNearItsEnd) {
    WavBuilder tailBuilder(44100, 2, 16); // the last two seconds: a tone, then unique samples
    tailBuilder.Square(44100, 7, 20000).Frames(44100, [](int64_t f, int c) {
        return static_cast<int32_t>((f * 7919 + c * 104729) % 65536) - 32768;
    });
    const QByteArray tail = tailBuilder.Samples();
    const int64_t lengthMs = kFiveGiB / 4 * 1000 / 44100;
    QTemporaryDir dir;
    int pieces = 0; // a piece never replaces a file, so each gets a name of its own
    for (const QString& path :
         {Sparse(dir, "rf64.wav", WavBuilder(44100, 2, 16).Rf64(kFiveGiB).Build(), tail),
          Sparse(dir, "stream.wav", WavBuilder(44100, 2, 16).DataSize(0xFFFFFFFF).Build(), tail,
                 2)}) {
        SCOPED_TRACE(path.toStdString());
        WavInfo info;
        ASSERT_EQ(ReadWavInfo(path, info), "");
        EXPECT_EQ(info.dataLength, kFiveGiB);
        int64_t peak = -1;
        EXPECT_EQ(MeasureRangePeak(path, lengthMs - 1900, lengthMs - 1100, nullptr, peak), "");
        EXPECT_EQ(peak, 20000);
        for (const auto& [startMs, endMs] :
             {std::pair{lengthMs - 900, int64_t{-1}}, std::pair{lengthMs - 950, lengthMs - 450}}) {
            SegmentRequest request;
            request.sourcePath = path;
            request.source = info;
            request.startMs = TimeMs(startMs);
            request.endMs = TimeMs(endMs);
            request.outputPath = dir.filePath(QString::number(++pieces) + ".wav");
            ASSERT_EQ(WriteSegment(request).outcome, CutStep::Written);
            const int64_t first = MsToFrame(startMs, 44100) * 4 - (kFiveGiB - tail.size());
            const int64_t last =
                endMs < 0 ? tail.size() : MsToFrame(endMs, 44100) * 4 - (kFiveGiB - tail.size());
            QFile piece(request.outputPath);
            ASSERT_TRUE(piece.open(QIODevice::ReadOnly));
            EXPECT_TRUE(piece.readAll().mid(kSegmentHeaderBytes) == tail.mid(first, last - first));
        }
    }
}

} // namespace

} // namespace veskar::test
