#include <gtest/gtest.h>

#include <tuple>
#include <vector>

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
    // The file's samples after its 46-byte header are the source's from startMs to endMs (-1:
    // to the end).
    bool HoldsSource(const QString& name, int startMs, int endMs) const {
        QFile file(m_out + name);
        return file.open(QIODevice::ReadOnly) &&
               file.readAll().mid(46) ==
                   m_samples.mid(startMs * 16, endMs < 0 ? -1 : (endMs - startMs) * 16);
    }
    QString RecordLine(const QString& name) const {
        return " 8M16    0.30000     480,046 " + name + " " + m_out + "\n";
    }

    WavFiles m_files;
    QString m_source;
    QByteArray m_samples;
    QString m_out;
};

TEST_F(CutCommandTest, CutsEveryLineAndPrintsTheRecord) {
    const CliResult result = Cut({"60000", "0", "0.30000"});
    EXPECT_EQ(result.exitCode, 0) << result.Err().toStdString();
    EXPECT_EQ(result.Out(), RecordLine("live_00000.wav") + RecordLine("live_30000.wav") +
                                RecordLine("live_60000.wav") + kDone);
    EXPECT_EQ(result.Err(), "");
    EXPECT_EQ(Outputs(), (QStringList{"live_00000.wav", "live_30000.wav", "live_60000.wav"}));
    EXPECT_TRUE(HoldsSource("live_00000.wav", 0, 30000));
    EXPECT_TRUE(HoldsSource("live_30000.wav", 30000, 60000));
    EXPECT_TRUE(HoldsSource("live_60000.wav", 60000, -1));
}

TEST_F(CutCommandTest, ChosenLinesAndTheirNames) {
    const struct {
        QStringList args;
        std::vector<std::tuple<QString, int, int>> pieces; // name pattern, start, end (ms)
    } cases[] = {
        {{"--select", "1", "0", "30000", "45000"}, {{"live_30000", 30000, 45000}}},
        {{"--filter", "2", "--label", "2=Side B", "0:2", "20000:1", "40000", "70000:2"},
         {{"live_00000_Side B", 0, 20000}, {"live_70000_Side B", 70000, -1}}},
        {{"--filter", "@", "--naming", "8.3", "0:2", "20000:1", "40000"},
         {{"live0000", 0, 20000}, {"live0001", 20000, 40000}}},
        {{"--naming", "long", "--minutes", "0.45000"}, {{"live_\\d{6}_\\d{6}_0m45000", 45000, -1}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QDir(m_out).removeRecursively();
        EXPECT_EQ(Cut(c.args).exitCode, 0);
        const QStringList names = Outputs();
        ASSERT_EQ(names.size(), static_cast<qsizetype>(c.pieces.size()));
        for (size_t i = 0; i < c.pieces.size(); ++i) {
            const auto& [pattern, start, end] = c.pieces[i];
            const QString& name = names[static_cast<qsizetype>(i)];
            EXPECT_TRUE(QRegularExpression("^" + pattern + "\\.wav$").match(name).hasMatch())
                << name.toStdString();
            EXPECT_TRUE(HoldsSource(name, start, end)) << name.toStdString();
        }
    }
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
    EXPECT_EQ(beyond.Err(),
              m_source + QString::fromUtf8("\n選択タイム：100000\nカットに失敗しました・・・\n") +
                  m_source +
                  QString::fromUtf8("\n選択タイム：120000\nカットに失敗しました・・・\n"));
}

} // namespace

} // namespace veskar::test
