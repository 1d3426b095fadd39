#include <gtest/gtest.h>

#include "core/wav/IntervalPeaks.h"
#include "core/wav/SilenceDetector.h"
#include "core/wav/SilenceSettings.h"
#include "core/wav/SlotLevels.h"
#include "core/wav/WorkArea.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

// Everything the analysis runs give for a file, as one text: the lists of the equal-interval
// peak run with the peak, the six silence lists, and the 100 ms level list from 0.5 s.
QString Analyse(const QString& path) {
    IntervalPeaks peaks;
    QString out = MeasureIntervalPeaks(path, {}, peaks);
    for (const auto& list : peaks.lists) {
        for (int32_t level : list) {
            out += QString::number(level) + ' ';
        }
        out += '\n';
    }
    out += QStringLiteral("peak %1 at %2 ms\n").arg(peaks.peak).arg(peaks.peakMs);
    SilenceSettings settings = DefaultSilenceSettings(SampleFamily::Bits16);
    SilenceResult silences;
    out += DetectSilences(path, settings, "1", {}, silences);
    for (const SilenceList& list : silences.lists) {
        for (int i = 0; i < list.Size(); ++i) {
            out += QString::number(list.timesMs[i]) + (list.marks[i].isEmpty() ? " " : "* ");
        }
        out += '\n';
    }
    std::vector<int32_t> table;
    out += MeasureSlotLevels(path, 100, 16, 500, {}, table);
    for (int32_t level : table) {
        out += QString::number(level) + ' ';
    }
    return out;
}

// Stretches of a square tone (magnitude, length in ms; 0 is silence), so every level is exact.
WavBuilder& Song(WavBuilder& builder, uint32_t rate, int scale) {
    const std::pair<int32_t, int64_t> stretches[] = {{20000, 1000}, {0, 300}, {300, 200},
                                                     {31000, 700},  {0, 800}, {12000, 250}};
    for (const auto& [magnitude, ms] : stretches) {
        builder.Square(ms * rate / 1000, 7, magnitude * scale);
    }
    return builder;
}

class HiResAnalysisTest : public ::testing::Test {
protected:
    void TearDown() override { SetWorkAreaLimit(-1); }
    WavFiles files;
};

// A second that does not fit the work area is read in several blocks; the results are those of
// the same sound read a second or more at a time.
TEST_F(HiResAnalysisTest, SeveralBlocksASecondGiveTheOneBlockResults) {
    // 192 kHz 24-bit stereo as sox writes it (1,152,000 bytes a second) against the same sound
    // in 16-bit mono (384,000 bytes a second, one block of a second).
    WavBuilder hiRes(192000, 2, 24);
    const QString sox = files.Write("sox.wav", Song(hiRes.SoxStyle(), 192000, 256));
    WavBuilder reference(192000, 1, 16);
    const QString mono = files.Write("mono.wav", Song(reference, 192000, 1));
    const QString expected = Analyse(mono);
    EXPECT_EQ(Analyse(sox), expected);
    EXPECT_TRUE(expected.contains("peak 31000 at 1500 ms\n0* 1000 1300* 2200 \n"))
        << expected.toStdString();

    // CD audio read with the large work area (three seconds a block) and with the small one
    // (32,700 bytes, a fifth of a second).
    WavBuilder cd(44100, 2, 16);
    const QString cdPath = files.Write("cd.wav", Song(cd, 44100, 1));
    const QString large = Analyse(cdPath);
    SetWorkAreaLimit(kSmallWorkArea);
    EXPECT_EQ(Analyse(cdPath), large);
    EXPECT_EQ(large, expected);
}

} // namespace

} // namespace veskar::test
