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

// What the analysis runs give for a file, as one text: the equal-interval peak lists and the
// peak, the six silence lists, and the 100 ms level list from 0.5 s.
QString Analyse(const QString& path) {
    IntervalPeaks peaks;
    QString out = MeasureIntervalPeaks(path, {}, peaks);
    for (const auto& list : peaks.lists) {
        for (int32_t level : list) {
            out += QString::number(level) + ' ';
        }
    }
    out += QStringLiteral("\npeak %1 at %2 ms\n").arg(peaks.peak).arg(peaks.peakMs);
    SilenceSettings settings = DefaultSilenceSettings(SampleFamily::Bits16);
    SilenceResult silences;
    out += DetectSilences(path, settings, "*", {}, silences);
    for (const SilenceList& list : silences.lists) {
        for (int i = 0; i < list.Size(); ++i) {
            out += QString::number(list.timesMs[i]) + list.marks[i] + ' ';
        }
    }
    std::vector<int32_t> table;
    out += '\n' + MeasureSlotLevels(path, 100, 16, 500, {}, table);
    for (int32_t level : table) {
        out += QString::number(level) + ' ';
    }
    return out;
}

// Stretches of a 192 kHz square tone (magnitude × scale; 0 is silence): every level is exact.
QString Song(WavFiles& files, const QString& name, WavBuilder builder, int scale) {
    const std::pair<int32_t, int64_t> stretches[] = {{20000, 1000}, {0, 300}, {300, 200},
                                                     {31000, 700},  {0, 800}, {12000, 250}};
    for (const auto& [magnitude, ms] : stretches) {
        builder.Square(ms * 192, 7, magnitude * scale);
    }
    return files.Write(name, builder);
}

// A second that does not fit the work area is read in several blocks, with the results of the
// same sound read a second or more at a time.
TEST(HiResAnalysisTest, SeveralBlocksASecondGiveTheOneBlockResults) {
    WavFiles files;
    // 192 kHz 24-bit stereo as sox writes it (1,152,000 bytes a second) against the same sound
    // in 16-bit mono (384,000 bytes a second, one block a second).
    const QString mono = Song(files, "mono.wav", WavBuilder(192000, 1, 16), 1);
    const QString expected = Analyse(mono);
    EXPECT_EQ(Analyse(Song(files, "sox.wav", WavBuilder(192000, 2, 24).SoxStyle(), 256)), expected);
    EXPECT_TRUE(expected.contains("peak 31000 at 1500 ms\n0* 1000 1300* 2200 "))
        << expected.toStdString();
    // The mono file itself in the small work area: 32,700 bytes a block.
    SetWorkAreaLimit(kSmallWorkArea);
    EXPECT_EQ(Analyse(mono), expected);
    SetWorkAreaLimit(-1);
}

} // namespace

} // namespace veskar::test
