#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include "support/AnalysisRecordings.h"
#include "support/QtPrint.h"
#include "support/RunCli.h"
#include "support/WavFiles.h"

namespace veskar::test {
namespace {

// Songs at 0-3 s, 4-9.4 s (a quiet stretch inside), 9.4-14 s and 16-20 s; the second setting
// (level 500) hears the quiet stretch as a silence.
class AutoCommandTest : public testing::Test {
protected:
    AutoCommandTest() {
        songs = files.Write("songs.wav", SongsRecording());
        other = files.Write("other.wav",
                            StretchRecording({{500, 0}, {2000, 9000}, {1500, 0}, {3000, 12000}}));
        broken = files.WriteBytes("broken.wav", QByteArray("RIFF\x10\0\0\0WAVEjunk", 16));
    }
    QStringList Files(const QString& folder) const {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
    QByteArray Bytes(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    WavFiles files;
    QString songs, other, broken;
};

// A broken file in the middle is reported and the next one still split; the pieces are those
// of silences --format and cut --from run by hand, in both formats.
TEST_F(AutoCommandTest, SplitsEachFileAsSilencesAndCutByHand) {
    const QString out = files.Folder() + "auto/";
    const CliResult result =
        RunSplit({"auto", songs, broken, other, "--out", out, "--setting", "1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.Out().count('\n'), 6);
    EXPECT_FALSE(result.Out().contains(QString::fromUtf8("カット終了")));
    EXPECT_TRUE(
        result.Err().endsWith(broken + " was not split\npirvan-split auto: 1 of 3 files failed\n"));
    EXPECT_EQ(Files(out), (QStringList{"other_0500_Blue.wav", "other_4000_Blue.wav",
                                       "songs_00000_Blue.wav", "songs_04000_Blue.wav",
                                       "songs_09400_Blue.wav", "songs_16000_Blue.wav"}));
    const QString list = files.WriteBytes(
        "list", RunSplit({"silences", songs, "--format", "cue", "--setting", "1"}).out);
    const QString byHand = files.Folder() + "cue/";
    EXPECT_EQ(RunSplit({"cut", songs, "--out", byHand, "--from", list}).exitCode, 0);
    ASSERT_EQ(Files(byHand).size(), 4);
    for (const QString& name : Files(byHand)) {
        EXPECT_EQ(Bytes(byHand + name), Bytes(out + name)) << name.toStdString();
    }
}

TEST_F(AutoCommandTest, DryRunAndJson) {
    const QString out = files.Folder() + "out/";
    const CliResult dry = RunSplit({"auto", other, "--dry-run"});
    EXPECT_EQ(dry.exitCode, 0);
    EXPECT_EQ(dry.Out(), other + "\t0.500000\t2.500000\t1\n" + other + "\t4.000000\t7.000000\t1\n");
    EXPECT_FALSE(QDir(out).exists());

    const CliResult json = RunSplit({"auto", other, broken, "--out", out, "--json"});
    EXPECT_EQ(json.exitCode, 1);
    const QJsonArray reports = QJsonDocument::fromJson(json.out).object()["files"].toArray();
    ASSERT_EQ(reports.size(), 2);
    EXPECT_EQ(reports[1].toObject()["ok"], false);
    const QJsonArray pieces = reports[0].toObject()["pieces"].toArray();
    ASSERT_EQ(pieces.size(), 2);
    EXPECT_EQ(pieces[1].toObject()["start_ms"], 4000);
    EXPECT_EQ(pieces[1].toObject()["end_ms"], 7000);
    EXPECT_EQ(pieces[1].toObject()["output"], out + "other_4000_Blue.wav");
}

TEST_F(AutoCommandTest, JsonOfTheAnalysisCommands) {
    const auto object = [](const QStringList& args) {
        const CliResult result = RunSplit(args);
        EXPECT_EQ(result.exitCode, 0);
        return QJsonDocument::fromJson(result.out).object();
    };
    EXPECT_EQ(object({"info", other, "--json"})["length_ms"], 7000);
    const QString ac0 = RunSplit({"levels", other}).Out().section('\n', 1, 1);
    EXPECT_EQ(object({"levels", other, "--json"})["slots"].toArray()[0].toArray().size(),
              ac0.count(' ') + 1);
    const QJsonObject silences = object({"silences", other, "--json"});
    const QJsonArray entries = silences["settings"].toArray()[0].toObject()["entries"].toArray();
    ASSERT_EQ(entries.size(), 4);
    EXPECT_EQ(entries[1].toObject()["ms"], 500);
    EXPECT_EQ(entries[1].toObject()["song_start"], true);
    EXPECT_EQ(silences["peak"].toObject()["value"], 12000);
}

} // namespace
} // namespace veskar::test
