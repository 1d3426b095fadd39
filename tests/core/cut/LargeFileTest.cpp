#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/cut/SegmentWriter.h"
#include "core/wav/RangePeak.h"
#include "core/wav/WavReader.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"

namespace veskar::test {

namespace {

constexpr int64_t kFiveGiB = int64_t{5} << 30;
constexpr int64_t kFrameBytes = 4; // 44.1 kHz 16-bit stereo

uint64_t ReadU64(const QByteArray& bytes, int offset) {
    return ReadU32(bytes, offset) | (uint64_t{ReadU32(bytes, offset + 4)} << 32);
}

QByteArray ReadRange(const QString& path, int64_t offset, int64_t size) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.seek(offset) ? file.read(size) : QByteArray();
}

// Files over 4 GiB are made sparse: the file system keeps the holes as zeros without storing
// them, so no test writes gigabytes.
class LargeFileTest : public testing::Test {
protected:
    // header, then dataBytes of zeros whose last bytes are tail, then `after` bytes more.
    QString Sparse(const QString& name, const QByteArray& header, int64_t dataBytes,
                   const QByteArray& tail, int64_t after = 0) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        EXPECT_EQ(file.write(header), header.size());
        EXPECT_TRUE(file.resize(header.size() + dataBytes + after));
        EXPECT_TRUE(file.seek(header.size() + dataBytes - tail.size()));
        EXPECT_EQ(file.write(tail), tail.size());
        return path;
    }

    QTemporaryDir m_dir;
};

// The last two seconds: a square tone of 20,000, then samples that all differ.
QByteArray Tail() {
    WavBuilder tail(44100, 2, 16);
    tail.Square(44100, 7, 20000).Frames(44100, [](int64_t f, int c) {
        return static_cast<int32_t>((f * 7919 + c * 104729) % 65536) - 32768;
    });
    return tail.Samples();
}

TEST_F(LargeFileTest, HeaderOfAPieceOverFourGiBIsRf64) {
    WavInfo cd;
    cd.channels = 2;
    cd.sampleRate = 44100;
    cd.blockAlign = 4;
    cd.bitsPerSample = 16;
    struct Row {
        int64_t sampleBytes;
        const char* form;
        int size;
    };
    const Row rows[] = {
        {4, "RIFF", 46},
        {0xFFFFFFFFll - 38 - 1, "RIFF", 46}, // the RIFF size reaches 0xFFFFFFFE
        {0xFFFFFFFFll - 38, "RF64", 82},     // with its pad byte one more than 32 bits hold
        {kFiveGiB, "RF64", 82},
    };
    for (const Row& row : rows) {
        const QByteArray h = SegmentHeader(cd, row.sampleBytes);
        const int64_t riffSize = row.size - 8 + row.sampleBytes + row.sampleBytes % 2;
        ASSERT_EQ(h.size(), row.size) << row.sampleBytes;
        EXPECT_EQ(h.left(4), row.form);
        EXPECT_EQ(
            h.right(8 + 18 + 8).left(26),
            QByteArray("fmt \x12\0\0\0\x01\0\x02\0\x44\xAC\0\0\x10\xB1\x02\0\x04\0\x10\0\0\0", 26));
        EXPECT_EQ(h.right(8).left(4), "data");
        if (row.size == 46) {
            EXPECT_EQ(ReadU32(h, 4), uint64_t(riffSize));
            EXPECT_EQ(ReadU32(h, 42), uint64_t(row.sampleBytes));
            continue;
        }
        EXPECT_EQ(ReadU32(h, 4), 0xFFFFFFFFu);
        EXPECT_EQ(h.mid(8, 12), QByteArray("WAVEds64\x1C\0\0\0", 12));
        EXPECT_EQ(ReadU64(h, 20), uint64_t(riffSize));
        EXPECT_EQ(ReadU64(h, 28), uint64_t(row.sampleBytes));
        EXPECT_EQ(ReadU64(h, 36), uint64_t(row.sampleBytes / 4));
        EXPECT_EQ(ReadU32(h, 44), 0u);
        EXPECT_EQ(ReadU32(h, 78), 0xFFFFFFFFu);
    }

    // Such a piece reads back with its whole length.
    WavInfo back;
    const QString piece = Sparse("piece.wav", SegmentHeader(cd, kFiveGiB), kFiveGiB, {});
    ASSERT_EQ(ReadWavInfo(piece, back), "");
    EXPECT_EQ(back.dataOffset, 82);
    EXPECT_EQ(back.dataLength, kFiveGiB);
    EXPECT_EQ(back.lengthText, "507.14859");
}

// A 5 GiB source, as RF64 and with a data size never written: read with its whole length,
// measured and cut near its end, where every offset is beyond 32 bits.
TEST_F(LargeFileTest, FiveGiBSourceCutNearItsEnd) {
    const QByteArray tail = Tail();
    const int64_t tailStart = kFiveGiB - tail.size(); // byte offset in the data
    const int64_t lengthMs = kFiveGiB / kFrameBytes * 1000 / 44100;
    struct Source {
        const char* name;
        QByteArray header;
        int64_t after; // bytes after the 5 GiB of whole frames
    };
    const Source sources[] = {
        {"rf64.wav", WavBuilder(44100, 2, 16).Rf64(kFiveGiB).Build(), 0},
        {"stream.wav", WavBuilder(44100, 2, 16).DataSize(0xFFFFFFFF).Build(), 2},
    };
    for (const Source& source : sources) {
        SCOPED_TRACE(source.name);
        const QString path = Sparse(source.name, source.header, kFiveGiB, tail, source.after);
        WavInfo info;
        ASSERT_EQ(ReadWavInfo(path, info), "");
        EXPECT_EQ(info.dataLength, kFiveGiB);
        EXPECT_EQ(info.lengthText, "507.14859");

        int64_t peak = -1;
        EXPECT_EQ(MeasureRangePeak(path, lengthMs - 1900, lengthMs - 1100, nullptr, peak), "");
        EXPECT_EQ(peak, 20000);
        EXPECT_EQ(MeasureRangePeak(path, lengthMs - 3000, lengthMs - 2100, nullptr, peak), "");
        EXPECT_EQ(peak, 0);

        for (const auto& [startMs, endMs] :
             {std::pair{lengthMs - 900, int64_t{-1}}, std::pair{lengthMs - 950, lengthMs - 450}}) {
            SegmentRequest request;
            request.sourcePath = path;
            request.source = info;
            request.startMs = static_cast<TimeMs>(startMs);
            request.endMs = static_cast<TimeMs>(endMs);
            request.outputPath = m_dir.filePath("piece.wav");
            const SegmentSaveResult result = WriteSegment(request);
            ASSERT_EQ(result.outcome, CutStep::Written) << result.detail.toStdString();
            const int64_t first = MsToFrame(startMs, 44100) * kFrameBytes - tailStart;
            const int64_t last =
                endMs < 0 ? tail.size() : MsToFrame(endMs, 44100) * kFrameBytes - tailStart;
            const QByteArray out = ReadRange(request.outputPath, 0, 1 << 20);
            EXPECT_EQ(out.left(4), "RIFF");
            EXPECT_TRUE(out.mid(kSegmentHeaderBytes) == tail.mid(first, last - first))
                << "samples differ from the source's near its end";
        }
    }
}

} // namespace

} // namespace veskar::test
