#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>

#include "support/AnalysisRecordings.h"
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

TEST_F(AnalysisCommandsTest, Info) {
    // 3,251 ms of 44.1 kHz 16-bit stereo: 573,516 sample bytes after a 44-byte header.
    const CliResult stereo =
        RunSplit({"info", files.Write("take one.wav", WavBuilder(44100, 2, 16).Silence(143379))});
    EXPECT_EQ(stereo.exitCode, 0);
    EXPECT_EQ(stereo.Out(), "44S16    0.03251     573,560 take one.wav " + files.Folder() + "\n");
    EXPECT_EQ(stereo.Err(), "");
}

TEST_F(AnalysisCommandsTest, Levels) {
    QStringList seconds(63, "3000"); // the last one is the final half second
    seconds[61] = "31000";
    const CliResult result = RunSplit({"levels", Recording()});
    EXPECT_EQ(result.exitCode, 0) << result.Err().toStdString();
    EXPECT_EQ(result.Out(), "peak\t1.01000\t31000\nAC0\t" + seconds.join(' ') +
                                "\nAC1\t3000 3000 3000 3000 3000 3000 31000\n"
                                "AC2\t3000 31000\nAC3\t31000\nAC4\t31000\n");
    EXPECT_EQ(RunSplit({"levels", "--ms", Recording()}).Out().section('\n', 0, 0),
              "peak\t61000\t31000");
}

TEST_F(AnalysisCommandsTest, SilencesWithDefaultsAndOptions) {
    const QString path = Recording();
    const CliResult defaults = RunSplit({"silences", path});
    EXPECT_EQ(defaults.exitCode, 0) << defaults.Err().toStdString();
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

    // A recognition of 1 s merges the two silences; channel 3 takes 250 ms at level 250; "abc"
    // and "x" fall back to 500 ms and level 1000, so channel 0 only finds the second silence.
    // --ms writes milliseconds padded to the width of 62,500.
    const CliResult options = RunSplit({"silences", path, "--ms", "--recognition", "1000",
                                        "--channel", "3:250:250", "--channel", "0:abc:x"});
    EXPECT_EQ(options.exitCode, 0);
    const QStringList lines = options.Out().split('\n');
    EXPECT_EQ(lines.mid(0, 14),
              (QStringList{"MS0", "00000\t1", "02200\t", "02800\t1", "MS1", "01000\t", "02800\t1",
                           "MS2", "01000\t", "02800\t1", "MS3", "01000\t", "02800\t1", "MS4"}));
    EXPECT_EQ(lines.at(lines.size() - 2), "peak\t61000\t31000");
}

TEST_F(AnalysisCommandsTest, SilencesWithAgreement) {
    // Song starts at 0 are in all six lists, at 1.3 s in three (0-2).
    const QString out = RunSplit({"silences", Recording(), "--agreement"}).Out();
    EXPECT_TRUE(out.startsWith("MS0\n0.00000\t1\t6\n0.01000\t\n0.01300\t1\t3\nMS1\n"))
        << out.toStdString();
}

// The first line of suggest goes into silences as it stands; its first list holds the starts.
TEST_F(AnalysisCommandsTest, SuggestedOptionsGoStraightIntoSilences) {
    const KnownPieces known = PiecesInHiss(200);
    const QString path = files.Write("hiss.wav", known.wav);
    const QStringList lines = RunSplit({"suggest", path}).Out().split('\n');
    ASSERT_EQ(lines.size(), 4);
    EXPECT_TRUE(lines[1].startsWith("noise floor\t")) << lines[1].toStdString();
    EXPECT_TRUE(lines[2].startsWith("programme level\t")) << lines[2].toStdString();
    const QStringList out =
        RunSplit(QStringList{"silences", path, "--ms"} + lines[0].split(' ')).Out().split('\n');
    std::vector<int64_t> starts;
    for (const QString& line : out.mid(1, out.indexOf("MS1") - 1)) {
        if (line.endsWith("\t1")) {
            starts.push_back(line.section('\t', 0, 0).toLongLong());
        }
    }
    EXPECT_EQ(starts, known.startsMs) << lines[0].toStdString();

    // auto with the count of pieces: their starts within 300 ms, never after the sound.
    const QJsonArray pieces =
        QJsonDocument::fromJson(RunSplit({"auto", path, "--tracks", "5", "--dry-run", "--json"})
                                    .out)["files"][0]["pieces"]
            .toArray();
    ASSERT_EQ(pieces.size(), 5);
    for (int i = 0; i < 5; ++i) {
        const int64_t start = pieces[i]["start_ms"].toInteger();
        EXPECT_TRUE(start <= known.startsMs[i] && start > known.startsMs[i] - 300) << start;
    }
}

TEST_F(AnalysisCommandsTest, EightBitFilesUseTheirFamilysDefaults) {
    // Magnitude 10: quiet for the 8-bit level 15 (channels 2 and 5), not for 3 and 7, whose
    // channels never see a quiet frame and keep their lists empty.
    WavBuilder builder(1000, 1, 8);
    builder.Constant(1000, 60).Constant(700, 10).Constant(1000, 60);
    const CliResult result = RunSplit({"silences", files.Write("8.wav", builder), "--ms"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.Out(), "MS0\nMS1\nMS2\n0000\t1\n1000\t\n1700\t1\nMS3\nMS4\n"
                            "MS5\n0000\t1\n1000\t\n1700\t1\npeak\t0000\t60\n");
}

} // namespace
} // namespace veskar::test
