#include <gtest/gtest.h>

#include <QFile>
#include <QtEndian>

#include "core/cut/DirectCut.h"
#include "core/wav/WavReader.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray Header(const char* tag, uint32_t size) {
    QByteArray bytes(tag, 4);
    bytes.append(4, '\0');
    qToLittleEndian(size, bytes.data() + 4);
    return bytes;
}

struct Replaced {
    int offset;
    const char* tag;
    uint32_t size;
};

struct CutCase {
    const char* start;
    const char* end;
    std::vector<Replaced> headers;
};

// 10 s of 44,100 Hz 16-bit stereo: data at 44, 1,764,000 bytes.
class DirectCutTest : public testing::Test {
protected:
    QString Source(uint16_t bits = 16, uint32_t rate = 44100) {
        WavBuilder builder(rate, 2, bits);
        builder.Frames(rate * 10, [](int64_t f, int c) {
            return static_cast<int32_t>((f * 3 + c) % 101) - 50;
        });
        const QString path = m_files.Write(QString("rec%1.wav").arg(bits), builder);
        m_bytes = ReadAll(path);
        return path;
    }
    WavFiles m_files;
    QByteArray m_bytes;
    DirectCutRecord m_record;
};

TEST_F(DirectCutTest, OnlyTheChunkHeadersChange) {
    const CutCase cases[] = {
        {"2000",
         "5000",
         {{36, "cuta", 352792}, {352836, "data", 529200}, {882044, "cutb", 881992}}},
        {"0", "5000", {{36, "data", 882000}, {882044, "cutb", 881992}}},
        {"2000", "", {{36, "cuta", 352792}, {352836, "data", 1411200}}},
    };
    for (const CutCase& c : cases) {
        const QString path = Source();
        ASSERT_EQ(DirectCutFile(path, c.start, c.end, m_record), "") << c.start << c.end;
        QByteArray expected = m_bytes;
        for (const Replaced& r : c.headers) {
            expected.replace(r.offset, 8, Header(r.tag, r.size));
        }
        EXPECT_TRUE(ReadAll(path) == expected) << c.start << "-" << c.end;
        EXPECT_TRUE(m_record.pending);
        ASSERT_EQ(RestoreFile(path, m_record), "");
        EXPECT_TRUE(ReadAll(path) == m_bytes);
    }
}

// After a restart the record is gone: the chunks give the data back, and the two headers that
// sat inside the audio become silence of the samples' own coding.
TEST_F(DirectCutTest, EveryWidthComesBackWholeOrWithSilence) {
    for (uint16_t bits : {8, 16, 24, 32}) {
        const QString path = Source(bits, 8000);
        const int frame = 2 * bits / 8;
        ASSERT_EQ(DirectCutFile(path, "2000", "5000", m_record), "") << bits;
        ASSERT_EQ(RestoreFile(path, m_record), "");
        EXPECT_TRUE(ReadAll(path) == m_bytes) << bits;

        ASSERT_EQ(DirectCutFile(path, "2000", "5000", m_record), "");
        ASSERT_EQ(ForceRestoreFile(path), "") << bits;
        QByteArray expected = m_bytes;
        const QByteArray silence(8, bits == 8 ? '\x80' : '\0');
        expected.replace(44 + 16000 * frame - 8, 8, silence);
        expected.replace(44 + 40000 * frame, 8, silence);
        EXPECT_TRUE(ReadAll(path) == expected) << bits;
    }
}

TEST_F(DirectCutTest, RefusalsLeaveTheFileAsItWas) {
    const QString path = Source();
    EXPECT_EQ(DirectCutFile(path, "10001", "", m_record),
              "先頭タイムがデータ範囲を超えています・・・MW");
    EXPECT_EQ(DirectCutFile(path, "0", "0", m_record), "データサイズが、０です・・・MW");
    EXPECT_EQ(ForceRestoreFile(path), "加工した痕跡がありません☆");
    EXPECT_EQ(RestoreFile(path, m_record), "");
    EXPECT_TRUE(ReadAll(path) == m_bytes);
    EXPECT_FALSE(m_record.pending);
}

} // namespace

} // namespace veskar::test
