#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>

#include "support/QtPrint.h"
#include "support/RunCli.h"
#include "support/WavFiles.h"

namespace veskar::test {
namespace {

TEST(CommandLineTest, UsageErrorsNameTheFaultAndShowTheCommandsUsage) {
    WavFiles files;
    const QString out = files.Path("out");
    const QString help = RunSplit({"--help"}).Out();
    const QString kNotATime = " is not a time; give whole ms (71000), minutes.ms as the lists "
                              "write it (1.11000), m:ss[.fff] (1:11) or h:mm:ss[.fff] (0:01:11)";
    const struct {
        QStringList args;
        QString reason;
    } cases[] = {
        {{"info"}, "FILE is missing"},
        {{"info", "a", "b"}, "unexpected argument \"b\""},
        {{"silences", "a", "--channel", "6:100:100"},
         "--channel takes K:DURATION_MS:LEVEL with K 0..5"},
        {{"silences", "a", "--recognition"}, "Missing value after '--recognition'."},
        {{"silences", "a", "--format", "csv"}, "--format is labels or cue"},
        {{"silences", "a", "--format", "cue", "--json"}, "--format and --json exclude each other"},
        {{"silences", "a", "--setting", "6"}, "--setting is one of 0..5"},
        {{"auto", "a", "--out", out, "--tracks", "0"},
         "--tracks needs a whole number of pieces from 1"},
        {{"times"}, "LENGTH_MS is missing"},
        {{"times", "abc"}, "LENGTH_MS must be a whole number of ms from 0"},
        {{"times", "1000", "--interval", "0"}, "--interval needs a whole number of ms from 1"},
        {{"times", "1000", "--subdivide", "6:0"}, "--subdivide needs LEVEL:BASE with LEVEL 0..5"},
        {{"times", "1000", "--mode", "start5"}, "--mode is end5 or me100"},
        {{"times", "1000", "--interval", "1000", "--subdivide", "3:0"},
         "--interval and --subdivide exclude each other"},
        {{"cut", "a", "0"}, "--out DIR is missing"},
        {{"cut", "a", "--out", out}, "no TIME given"},
        {{"cut", "a", "--out", out, "1.11"}, "\"1.11\"" + kNotATime},
        {{"cut", "a", "--out", out, "0:60:00"}, "\"0:60:00\"" + kNotATime},
        {{"cut", "a", "--out", out, "0:7"}, "the tag of \"0:7\" is not one of 1..6"},
        {{"cut", "a", "--out", out, "--filter", "0", "0"}, "--filter is @ or one of 1..6"},
        {{"cut", "a", "--out", out, "--filter", "7", "0"}, "--filter is @ or one of 1..6"},
        {{"cut", "a", "--out", out, "--naming", "tiny", "0"}, "--naming is long, short or 8.3"},
        {{"cut", "a", "--out", out, "--select", "2", "0", "1000", "0.01000"},
         "--select needs indexes 0..1 of the sorted times, or all"},
        {{"cut", "a", "--out", out, "--label", "8=x", "0"}, "--label needs K=NAME with K 0..6"},
        {{"cut", "a", "--out", out, "--bogus", "0"}, "Unknown option 'bogus'."},
        {{"cut", "a", "--out", out, "--from", "l.txt", "0"}, "--from excludes TIMEs and --select"},
        {{"chop", "a", "--out", out, "--mode", "31"}, "--mode is one of 0..30"},
        {{"chop", "a", "--out", out, "--mode", "28", "--minutes", "0"},
         "--minutes is one of 1..1000"},
        {{"chop", "a", "--out", out, "--mode", "29", "--intro", "10-10"},
         "--intro needs START_S-END_S, START_S < END_S"},
        {{"chop", "a", "--out", out, "--mode", "30", "--raw", "8000,24,2"},
         "--raw needs RATE,BITS,CHANNELS with BITS 8 or 16, CHANNELS 1 or 2"},
        {{"direct-cut", "a"}, "START_MS is missing"},
        {{"direct-cut", "a", "1", "x"}, "START_MS and END_MS are whole milliseconds"},
        {{"overview", "a"}, "--png OUT.png is missing"},
        {{"overview", "a", "--png", out, "--width", "15"},
         "--width needs a whole number from 16 to 16384"},
        {{"overview", "a", "--png", out, "--height", "4097"},
         "--height needs a whole number from 16 to 4096"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliResult result = RunSplit(c.args);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_EQ(result.Out(), "");
        // The usage as --help gives it, from "pirvan-split COMMAND" to the next command.
        const qsizetype start = help.indexOf("  pirvan-split " + c.args[0] + " ") + 2;
        const QString usage = help.mid(start, help.indexOf("\n  pirvan-split ", start) + 1 - start);
        EXPECT_EQ(result.Err(),
                  "pirvan-split " + c.args[0] + ": " + c.reason + "\nusage: " + usage);
    }
    EXPECT_FALSE(QDir(out).exists());
}

// The system's message as the window would show it, on stderr, and exit status 1; for a file
// that cannot be opened, one more line with the operating system's reason.
TEST(CommandLineTest, FailuresPrintTheSystemsMessage) {
    WavFiles files;
    const QString none = files.Path("none.wav");
    const QString tiny = files.WriteBytes("tiny.wav", QByteArray(45, 'R'));
    const QString noSuchFile = "pirvan-split: " + none + ": No such file or directory\n";
    const struct {
        QStringList args;
        QString err;
    } cases[] = {
        {{"info", none}, "WAVファイルの読み出しに失敗しましたOP・・・GW\n" + noSuchFile},
        {{"silences", tiny}, "WAVファイルのサイズが小さすぎます・・・GWM\n" + tiny + "\n"},
        {{"levels", files.Folder()},
         "WAVファイルの読み出しに失敗しましたOP・・・GPT\npirvan-split: " + files.Folder() +
             ": Is a directory\n"},
        {{"cut", none, "--out", files.Path("out"), "0"},
         none + "\nファイルがありません・・・\n" + noSuchFile},
        {{"chop", none, tiny, "--mode", "0", "--out", files.Path("out")},
         "WAVデータ取得に失敗しました・・・\nWAVファイルの読み出しに失敗しましたOP・・・GW\n" +
             noSuchFile +
             "WAVデータ取得に失敗しました・・・\nWAVファイルのサイズが小さすぎます・・・GW\n" +
             tiny + "\n"},
        {{"direct-cut", none, "0"}, "WAVファイルの読み出しに失敗しましたOP・・・MW\n" + noSuchFile},
        {{"force-restore", tiny}, "WAVファイルのサイズが小さすぎます・・・MW\n" + tiny + "\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const CliResult result = RunSplit(c.args);
        EXPECT_EQ(result.exitCode, 1);
        EXPECT_EQ(result.Out(), "");
        EXPECT_EQ(result.Err(), c.err);
    }
    EXPECT_FALSE(QFileInfo::exists(files.Path("out"))) << "nothing to cut makes no folder";
}

TEST(CommandLineTest, HelpAndUnknownCommands) {
    const CliResult help = RunSplit({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    const CliResult none = RunSplit({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.Err(), help.Out());
    const CliResult unknown = RunSplit({"split", "a.wav"});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_EQ(unknown.Err(), "pirvan-split: unknown command \"split\"\n\n" + help.Out());
    EXPECT_TRUE(RunSplit({"cut", "--help"}).Out().startsWith("usage: pirvan-split cut "));
}

} // namespace
} // namespace veskar::test
