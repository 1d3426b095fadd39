#include <gtest/gtest.h>

#include <QFile>

#include "support/RunCli.h"
#include "support/QtPrint.h"
#include "support/WavBuilder.h"
#include "support/WavFiles.h"

namespace veskar::test {

namespace {

class InfoCommandTest : public ::testing::Test {
protected:
    WavFiles files;
};

TEST_F(InfoCommandTest, PrintsTheCutRecordLine) {
    // 3,251 ms of 44.1 kHz 16-bit stereo: 573,516 sample bytes after a 44-byte header.
    const QString path = files.Write("take one.wav", WavBuilder(44100, 2, 16).Silence(143379));
    const CliResult result = RunSplit({"info", path});
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(result.Out(), "44S16    0.03251     573,560 take one.wav " + files.Folder() + "\n");
    EXPECT_EQ(result.Err(), "");

    const QString mono = files.Write("m.wav", WavBuilder(22050, 1, 8).Silence(22050 * 61));
    EXPECT_EQ(RunSplit({"info", mono}).Out(),
              "22M 8    1.01000   1,345,094 m.wav " + files.Folder() + "\n");
}

TEST_F(InfoCommandTest, FailurePrintsTheReadersMessageOnStderr) {
    const QString tiny = files.WriteBytes("tiny.wav", QByteArray(45, 'R'));
    const CliResult small = RunSplit({"info", tiny});
    EXPECT_EQ(small.exitCode, 1);
    EXPECT_EQ(small.Out(), "");
    EXPECT_EQ(small.Err(), "WAVファイルのサイズが小さすぎます・・・GW\n" + tiny + "\n");

    const QString floatData = files.Write("f.wav", WavBuilder().FormatTag(3).Silence(4));
    const CliResult compressed = RunSplit({"info", floatData});
    EXPECT_EQ(compressed.exitCode, 1);
    EXPECT_EQ(compressed.Err(), "圧縮データは対象外です・・・GW\n");

    const CliResult missing = RunSplit({"info", files.Path("none.wav")});
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.Err(), "WAVファイルの読み出しに失敗しましたOP・・・GW\n");
}

TEST_F(InfoCommandTest, UsageErrors) {
    for (const QStringList& args :
         {QStringList{"info"}, QStringList{"info", "a.wav", "b.wav"}, QStringList{"info", "-x"}}) {
        const CliResult result = RunSplit(args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.Out(), "");
        EXPECT_TRUE(result.Err().contains("pirvan-split info FILE"));
    }
}

// The reader looks at the header only: a 600 MB file whose samples were never written (a sparse
// file) reads as quickly as a small one.
TEST_F(InfoCommandTest, LargeFileIsNotReadThrough) {
    constexpr int64_t kDataBytes = 600000000;
    const QString path = files.Write(
        "big.wav", WavBuilder(44100, 2, 16).DataSize(static_cast<uint32_t>(kDataBytes)));
    QFile file(path);
    ASSERT_TRUE(file.resize(44 + kDataBytes));
    const CliResult result = RunSplit({"info", path});
    EXPECT_EQ(result.exitCode, 0);
    // 600,000,000 / 4 / 44.1 = 3,401,360.54 ms.
    EXPECT_EQ(result.Out(), "44S16   56.41361 600,000,044 big.wav " + files.Folder() + "\n");
}

} // namespace

} // namespace veskar::test
