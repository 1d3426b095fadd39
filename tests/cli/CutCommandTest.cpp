#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "support/QtPrint.h"
#include "support/RunCli.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

const QString kDone = QString::fromUtf8("カット終了☆☆☆\nお疲れ様☆☆☆\n");
const QString kNothing = QString::fromUtf8("一つも、カットされませんでした・・・\n");

// 8 kHz 16-bit mono, 90 s; sample n holds n mod 65536 so every segment's samples are known.
class CutCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        WavBuilder builder(8000, 1, 16);
        builder.Frames(8000 * 90,
                       [](int64_t f, int) { return static_cast<int32_t>(f % 65536) - 32768; });
        m_source = m_files.Write("live.wav", builder);
        m_samples = builder.Samples();
        m_out = m_files.Folder() + "out/";
    }

    CliResult Cut(const QStringList& args) {
        return RunSplit(QStringList{"cut", m_source, "--out", m_out} + args);
    }
    QStringList Outputs() const { return QDir(m_out).entryList(QDir::Files, QDir::Name); }
    QByteArray Samples(const QString& name) const {
        QFile file(m_out + name);
        return file.open(QIODevice::ReadOnly) ? file.readAll().mid(46) : QByteArray();
    }
    QByteArray Source(int startMs, int endMs) const {
        return m_samples.mid(startMs * 16, endMs < 0 ? -1 : (endMs - startMs) * 16);
    }
    QString RecordLine(const QString& lengthText, const QString& size, const QString& name) const {
        return " 8M16" + lengthText.rightJustified(11) + size.rightJustified(12) + " " + name +
               " " + m_out + "\n";
    }

    WavFiles m_files;
    QString m_source;
    QByteArray m_samples;
    QString m_out;
};

TEST_F(CutCommandTest, CutsEveryLineAndPrintsTheRecord) {
    const CliResult result = Cut({"60000", "0", "0.30000"});
    EXPECT_EQ(result.exitCode, 0) << result.Err().toStdString();
    EXPECT_EQ(result.Out(), RecordLine("0.30000", "480,046", "live_00000.wav") +
                                RecordLine("0.30000", "480,046", "live_30000.wav") +
                                RecordLine("0.30000", "480,046", "live_60000.wav") + kDone);
    EXPECT_EQ(result.Err(), "");
    EXPECT_EQ(Outputs(), (QStringList{"live_00000.wav", "live_30000.wav", "live_60000.wav"}));
    EXPECT_TRUE(Samples("live_00000.wav") == Source(0, 30000));
    EXPECT_TRUE(Samples("live_30000.wav") == Source(30000, 60000));
    EXPECT_TRUE(Samples("live_60000.wav") == Source(60000, -1));
}

TEST_F(CutCommandTest, SelectedLinesOnly) {
    const CliResult result = Cut({"--select", "1", "0", "30000", "45000"});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(Outputs(), QStringList{"live_30000.wav"});
    EXPECT_TRUE(Samples("live_30000.wav") == Source(30000, 45000));
}

TEST_F(CutCommandTest, ColourFilterWithLabels) {
    const CliResult result =
        Cut({"--filter", "2", "--label", "2=Side B", "0:2", "20000:1", "40000", "70000:2"});
    EXPECT_EQ(result.exitCode, 0) << result.Err().toStdString();
    EXPECT_EQ(Outputs(), (QStringList{"live_00000_Side B.wav", "live_70000_Side B.wav"}));
    EXPECT_TRUE(Samples("live_00000_Side B.wav") == Source(0, 20000));
    EXPECT_TRUE(Samples("live_70000_Side B.wav") == Source(70000, -1));

    const CliResult any = Cut({"--filter", "@", "--naming", "8.3", "0:2", "20000:1", "40000"});
    EXPECT_EQ(any.exitCode, 0);
    EXPECT_TRUE(Outputs().contains("live0000.wav"));
    EXPECT_TRUE(Outputs().contains("live0001.wav"));
    EXPECT_TRUE(Samples("live0001.wav") == Source(20000, 40000));
}

TEST_F(CutCommandTest, LongNamesInMinutes) {
    const CliResult result = Cut({"--naming", "long", "--minutes", "0.45000"});
    EXPECT_EQ(result.exitCode, 0);
    ASSERT_EQ(Outputs().size(), 1);
    EXPECT_TRUE(QRegularExpression("^live_\\d{6}_\\d{6}_0m45000\\.wav$")
                    .match(Outputs().first())
                    .hasMatch())
        << Outputs().first().toStdString();
}

TEST_F(CutCommandTest, NothingCutExitsWithOne) {
    const CliResult noColour = Cut({"--filter", "5", "0:1", "30000"});
    EXPECT_EQ(noColour.exitCode, 1);
    EXPECT_EQ(noColour.Out(), kNothing);
    EXPECT_TRUE(Outputs().isEmpty());

    // Every start lies beyond the end of the 90 s file: each segment fails.
    const CliResult beyond = Cut({"100000", "120000"});
    EXPECT_EQ(beyond.exitCode, 1);
    EXPECT_EQ(beyond.Out(), kNothing);
    EXPECT_EQ(beyond.Err().count(QString::fromUtf8("カットに失敗しました・・・")), 2);

    const CliResult missing = RunSplit({"cut", m_files.Path("none.wav"), "--out", m_out, "0"});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.Err(),
              m_files.Path("none.wav") + QString::fromUtf8("\nファイルがありません・・・\n"));
}

TEST_F(CutCommandTest, UsageErrors) {
    const QStringList cases[] = {
        {"cut", m_source, "0"},                   // no --out
        {"cut", "--out", m_out},                  // no FILE
        {"cut", m_source, "--out", m_out},        // no TIME
        {"cut", m_source, "--out", m_out, "1x"},  // not a time
        {"cut", m_source, "--out", m_out, "0:7"}, // no such colour
        {"cut", m_source, "--out", m_out, "--filter", "9", "0"},
        {"cut", m_source, "--out", m_out, "--naming", "tiny", "0"},
        {"cut", m_source, "--out", m_out, "--select", "2", "0", "1000"},
        {"cut", m_source, "--out", m_out, "--label", "8=x", "0"},
        {"cut", m_source, "--out", m_out, "--bogus", "0"},
    };
    for (const QStringList& args : cases) {
        const CliResult result = RunSplit(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_EQ(result.Out(), "");
        EXPECT_TRUE(result.Err().contains("usage: pirvan-split cut FILE"));
    }
    EXPECT_FALSE(QDir(m_out).exists());
}

} // namespace

} // namespace veskar::test
