#include <gtest/gtest.h>

#include <QFile>

#include "support/QtPrint.h"
#include "support/RunCli.h"
#include "support/WavFiles.h"

namespace veskar::test {
namespace {

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

TEST(ChopCommandTest, ChopPrintsARecordLinePerPiece) {
    WavFiles files;
    const QString source = files.Write("live.wav", WavBuilder(8000, 1, 16).Silence(8000 * 150));
    const QString out = files.Folder() + "out/";
    const CliResult result =
        RunSplit({"chop", source, "--out", out, "--mode", "28", "--minutes", "1", "--8.3"});
    EXPECT_EQ(result.exitCode, 0);
    const QString line = " 8M16    %1     %2 live_b0%3.wav " + out + "\n";
    EXPECT_EQ(result.Out(), line.arg("1.00000", "960,044", "0") +
                                line.arg("1.00000", "960,044", "1") +
                                line.arg("0.30000", "480,044", "2"));
    EXPECT_EQ(result.Err(), "");
}

// A direct cut keeps 1..2 s; after it, only the forced restore is left to a new process.
TEST(ChopCommandTest, DirectCutAndForcedRestore) {
    WavFiles files;
    const QString source = files.Write("rec.wav", WavBuilder(8000, 1, 16).Constant(24000, 5));
    const QByteArray before = ReadAll(source);
    const CliResult cut = RunSplit({"direct-cut", source, "1000", "2000"});
    EXPECT_EQ(cut.exitCode, 0);
    EXPECT_EQ(cut.Out(), " 8M16    0.01000      48,044 rec.wav " + files.Folder() + "\n");
    EXPECT_EQ(RunSplit({"force-restore", source}).exitCode, 0);
    QByteArray expected = before;
    expected.replace(44 + 16000 - 8, 8, QByteArray(8, '\0'));
    expected.replace(44 + 32000, 8, QByteArray(8, '\0'));
    EXPECT_TRUE(ReadAll(source) == expected);
    const CliResult again = RunSplit({"force-restore", source});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_EQ(again.Err(), "加工した痕跡がありません☆\n");
}

} // namespace
} // namespace veskar::test
