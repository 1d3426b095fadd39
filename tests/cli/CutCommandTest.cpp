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
    // The samples after the 46-byte header are the source's from startMs to endMs (-1: the end).
    bool HoldsSource(const QString& name, int startMs, int endMs) const {
        QFile file(m_out + name);
        return file.open(QIODevice::ReadOnly) &&
               file.readAll().mid(46) ==
                   m_samples.mid(startMs * 16, endMs < 0 ? -1 : (endMs - startMs) * 16);
    }

    WavFiles m_files;
    QString m_source;
    QByteArray m_samples;
    QString m_out;
};

TEST_F(CutCommandTest, PrintsTheRecordAndTheSummary) {
    const CliResult result = Cut({"60000", "0", "0.30000"});
    EXPECT_EQ(result.exitCode, 0);
    const QString line = " 8M16    0.30000     480,046 live_%1.wav " + m_out + "\n";
    EXPECT_EQ(result.Out(), line.arg("00000") + line.arg("30000") + line.arg("60000") + kDone);
    EXPECT_EQ(result.Err(), "");
}

TEST_F(CutCommandTest, ChosenLinesTheirNamesAndBytes) {
    const struct {
        QStringList args;
        std::vector<std::tuple<QString, int, int>> pieces; // name pattern, start, end (ms)
    } cases[] = {
        // clang-format off
        {{"--select", "1", "0", "30000"}, {{"live_30000", 30000, -1}}}, // the last index
        {{"--filter", "2", "--label", "2=Side B", "0:2", "20000:1", "40000", "70000:1", "70000:2"},
         {{"live_00000_Side B", 0, 20000}, {"live_70000_Side B", 70000, -1}}},
        {{"--filter", "@", "--naming", "8.3", "0:2", "20000:1", "40000"},
         {{"live0000", 0, 20000}, {"live0001", 20000, 40000}}},
        {{"--naming", "long", "--minutes", "1.05000"}, {{"live_\\d{6}_\\d{6}_1m05000", 65000, -1}}},
        // Every form of time: whole ms, the lists' form, m:ss[.fff], h:mm:ss[.fff], with a tag.
        {{"1000", "0.02000", "0:03", "0:04.5", "0:00:06.125", "0:07:2"},
         {{"live_01000", 1000, 2000}, {"live_02000", 2000, 3000}, {"live_03000", 3000, 4500},
          {"live_04500", 4500, 6125}, {"live_06125", 6125, 7000}, {"live_07000_Red", 7000, -1}}},
        // clang-format on
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

TEST_F(CutCommandTest, ExitsWithOneUnlessEveryChosenLineIsWritten) {
    const CliResult none = Cut({"--filter", "6", "0:1", "30000"});
    EXPECT_EQ(none.exitCode, 1);
    EXPECT_EQ(none.Out(), QString::fromUtf8("一つも、カットされませんでした・・・\n"));
    EXPECT_TRUE(Outputs().isEmpty());

    // The second start lies beyond the end of the 90 s file.
    const CliResult some = Cut({"0", "100000"});
    EXPECT_EQ(some.exitCode, 1);
    EXPECT_TRUE(some.Out().endsWith(kDone));
    EXPECT_EQ(some.Err(),
              m_source + QString::fromUtf8("\n選択タイム：100000\nカットに失敗しました・・・\n"
                                           "選択タイムがファイルの終わりを超えています\n"));
    EXPECT_EQ(Outputs(), QStringList{"live_00000.wav"});
}

} // namespace
} // namespace veskar::test
