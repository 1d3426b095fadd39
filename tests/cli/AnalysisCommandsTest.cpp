#include <gtest/gtest.h>

#include "support/QtPrint.h"
#include "support/RunCli.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

class AnalysisCommandsTest : public ::testing::Test {
protected:
    // 1,000 Hz 16-bit mono, 62.5 s: loud, a 300 ms silence at 1 s, loud, a 600 ms silence at
    // 2.2 s, then loud to the end; the peak 31,000 at 61.0 s. Minutes take one digit.
    QString Recording() {
        WavBuilder builder(1000, 1, 16);
        builder.Constant(1000, 3000)
            .Constant(300, 0)
            .Constant(900, 3000)
            .Constant(600, 200)
            .Frames(59700, [](int64_t f, int) { return f == 58200 ? -31000 : 3000; });
        return files.Write("rec.wav", builder);
    }
    WavFiles files;
};

TEST_F(AnalysisCommandsTest, Levels) {
    const CliResult result = RunSplit({"levels", Recording()});
    ASSERT_EQ(result.exitCode, 0) << result.Err().toStdString();
    const QStringList lines = result.Out().split('\n');
    ASSERT_EQ(lines.size(), 7);
    EXPECT_EQ(lines[0], "peak\t1.01000\t31000");
    QStringList seconds;
    for (int s = 0; s < 62; ++s) {
        seconds << (s == 61 ? "31000" : "3000");
    }
    seconds << "3000"; // the final half second
    EXPECT_EQ(lines[1], "AC0\t" + seconds.join(' '));
    EXPECT_EQ(lines[2], "AC1\t3000 3000 3000 3000 3000 3000 31000");
    EXPECT_EQ(lines[3], "AC2\t3000 31000");
    EXPECT_EQ(lines[4], "AC3\t31000");
    EXPECT_EQ(lines[5], "AC4\t31000");
    EXPECT_EQ(lines[6], "");
    EXPECT_EQ(RunSplit({"levels", "--ms", Recording()}).Out().section('\n', 0, 0),
              "peak\t61000\t31000");
}

TEST_F(AnalysisCommandsTest, SilencesWithDefaultsAndOptions) {
    const QString path = Recording();
    const CliResult defaults = RunSplit({"silences", path});
    ASSERT_EQ(defaults.exitCode, 0) << defaults.Err().toStdString();
    // Level 100 misses the second silence (magnitude 200); 500 and 1500 find both, and with a
    // recognition of 500 ms the 900 ms between them is a song. The 500 ms channels only see
    // the second silence.
    EXPECT_EQ(defaults.Out(), "MS0\n0.00000\t1\n0.01000\t\n0.01300\t1\n"
                              "MS1\n0.00000\t1\n0.01000\t\n0.01300\t1\n0.02200\t\n0.02800\t1\n"
                              "MS2\n0.00000\t1\n0.01000\t\n0.01300\t1\n0.02200\t\n0.02800\t1\n"
                              "MS3\n0.00000\t1\n"
                              "MS4\n0.00000\t1\n0.02200\t\n0.02800\t1\n"
                              "MS5\n0.00000\t1\n0.02200\t\n0.02800\t1\n"
                              "peak\t1.01000\t31000\n");
    EXPECT_EQ(defaults.Err(), "");

    // A recognition of 1 s merges the two silences, and the first silence no longer begins
    // more than the recognition time after the start; channel 3 now takes 250 ms at level 250;
    // --ms writes zero-padded milliseconds to the width of 62,500.
    const CliResult options = RunSplit({"silences", path, "--ms", "--recognition", "1000",
                                        "--channel", "3:250:250", "--channel", "0:abc:x"});
    ASSERT_EQ(options.exitCode, 0);
    const QStringList lines = options.Out().split('\n');
    EXPECT_EQ(lines.mid(lines.indexOf("MS1"), 4),
              (QStringList{"MS1", "01000\t", "02800\t1", "MS2"}));
    EXPECT_EQ(lines.mid(lines.indexOf("MS3"), 4),
              (QStringList{"MS3", "01000\t", "02800\t1", "MS4"}));
    // "abc" and "x" become 500 ms and level 1000: only the second silence is long enough.
    EXPECT_EQ(lines.mid(lines.indexOf("MS0"), 5),
              (QStringList{"MS0", "00000\t1", "02200\t", "02800\t1", "MS1"}));
    EXPECT_EQ(lines.at(lines.size() - 2), "peak\t61000\t31000");
}

TEST_F(AnalysisCommandsTest, EightBitFilesUseTheirFamilysDefaults) {
    // Magnitude 10: quiet for the 8-bit level 15 (channels 2 and 5), not for 3 and 7, whose
    // channels never see a quiet frame and keep their lists empty.
    WavBuilder builder(1000, 1, 8);
    builder.Constant(1000, 60).Constant(700, 10).Constant(1000, 60);
    const CliResult result = RunSplit({"silences", files.Write("8.wav", builder), "--ms"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.Out(), "MS0\nMS1\n"
                            "MS2\n0000\t1\n1000\t\n1700\t1\n"
                            "MS3\nMS4\n"
                            "MS5\n0000\t1\n1000\t\n1700\t1\n"
                            "peak\t0000\t60\n");
}

TEST_F(AnalysisCommandsTest, FailuresAndUsage) {
    const QString floatData = files.Write("f.wav", WavBuilder().FormatTag(3).Silence(10));
    const CliResult levels = RunSplit({"levels", floatData});
    EXPECT_EQ(levels.exitCode, 1);
    EXPECT_EQ(levels.Err(), "圧縮データは対象外です・・・GPT\n");
    EXPECT_EQ(levels.Out(), "");
    const CliResult silences = RunSplit({"silences", floatData});
    EXPECT_EQ(silences.exitCode, 1);
    EXPECT_EQ(silences.Err(), "圧縮データは対象外です・・・GWM\n");

    for (const QStringList& args :
         {QStringList{"levels"}, QStringList{"levels", "a", "b"}, QStringList{"levels", "-x", "a"},
          QStringList{"silences"}, QStringList{"silences", "a", "--channel", "6:100:100"},
          QStringList{"silences", "a", "--channel", "1:100"},
          QStringList{"silences", "a", "--recognition"}, QStringList{"silences", "a", "--bad"}}) {
        const CliResult result = RunSplit(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(result.Out(), "");
        EXPECT_TRUE(result.Err().contains("usage:")) << args.join(' ').toStdString();
    }
}

} // namespace

} // namespace veskar::test
