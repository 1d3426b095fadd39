#include <gtest/gtest.h>

#include <QStringList>

#include "support/RunCli.h"

namespace veskar::test {
namespace {

QStringList Lines(const CliResult& result) {
    QStringList lines = result.Out().split('\n');
    EXPECT_EQ(lines.takeLast(), "") << "output ends with a line break";
    return lines;
}

TEST(TimesCommandTest, OneHourAtOneSecondInMilliseconds) {
    const CliResult result = RunSplit({"times", "3600000", "--ms", "--interval", "1000"});
    ASSERT_EQ(result.exitCode, 0) << result.Err().toStdString();
    const QStringList lines = Lines(result);
    ASSERT_EQ(lines.size(), 3601);
    EXPECT_EQ(lines.first(), "0000000");
    EXPECT_EQ(lines[1], "0001000");
    EXPECT_EQ(lines.last(), "3600000");
    EXPECT_TRUE(result.err.isEmpty());
}

TEST(TimesCommandTest, MinutesFormAndDefaultInterval) {
    const CliResult minutes = RunSplit({"times", "3600000", "--interval", "60000"});
    ASSERT_EQ(minutes.exitCode, 0);
    const QStringList lines = Lines(minutes);
    ASSERT_EQ(lines.size(), 61);
    EXPECT_EQ(lines.first(), "00.00000");
    EXPECT_EQ(lines[1], "01.00000");
    EXPECT_EQ(lines.last(), "60.00000");

    const CliResult defaults = RunSplit({"times", "25000", "--ms"});
    ASSERT_EQ(defaults.exitCode, 0);
    EXPECT_EQ(Lines(defaults), (QStringList{"00000", "10000", "20000"}));

    const CliResult empty = RunSplit({"times", "0"});
    ASSERT_EQ(empty.exitCode, 0);
    EXPECT_EQ(Lines(empty), QStringList{"0.00000"});
}

TEST(TimesCommandTest, SubdivisionListsFromTheTopLevelDown) {
    const CliResult result =
        RunSplit({"times", "5000", "--ms", "--subdivide", "1:1000", "--mode", "end5"});
    ASSERT_EQ(result.exitCode, 0) << result.Err().toStdString();
    const QStringList lines = Lines(result);
    ASSERT_EQ(lines.size(), 32);
    EXPECT_EQ(lines[0], "# 1");
    EXPECT_EQ(lines[1], "0880");
    EXPECT_EQ(lines[15], "1020");
    EXPECT_EQ(lines[16], "# 0");
    EXPECT_EQ(lines[17], "0998");
    EXPECT_EQ(lines[31], "1012");
}

TEST(TimesCommandTest, SixtySecondListAndMinutesBase) {
    const CliResult result = RunSplit({"times", "36000000", "--subdivide", "5:03.00000"});
    ASSERT_EQ(result.exitCode, 0) << result.Err().toStdString();
    const QStringList lines = Lines(result);
    const int level4 = static_cast<int>(lines.indexOf("# 4"));
    ASSERT_EQ(lines[0], "# 5");
    ASSERT_EQ(level4, 66);
    EXPECT_EQ(lines[1], "001.00000");
    EXPECT_EQ(lines[65], "065.00000");
    EXPECT_EQ(lines[67], "002.40000");
    EXPECT_EQ(lines.count("# 3") + lines.count("# 2") + lines.count("# 1") + lines.count("# 0"), 4);
    EXPECT_EQ(lines.size(), 66 + 5 * 16);
}

TEST(TimesCommandTest, BaseAtTheStartAndPastTheEnd) {
    const CliResult start = RunSplit({"times", "60000", "--ms", "--subdivide", "3:500"});
    ASSERT_EQ(start.exitCode, 0);
    QStringList lines = Lines(start);
    EXPECT_EQ(lines.mid(0, 4), (QStringList{"# 3", "00000", "00500", "01500"}));

    const CliResult past = RunSplit({"times", "5000", "--ms", "--subdivide", "0:9000"});
    ASSERT_EQ(past.exitCode, 0);
    EXPECT_EQ(Lines(past), QStringList{"# 0"});
}

TEST(TimesCommandTest, UsageErrors) {
    const QList<QStringList> cases = {
        {"times"},
        {"times", "abc"},
        {"times", "-1"},
        {"times", "1000", "--interval", "0"},
        {"times", "1000", "--interval"},
        {"times", "1000", "--subdivide", "6:0"},
        {"times", "1000", "--subdivide", "3"},
        {"times", "1000", "--subdivide", "3:x"},
        {"times", "1000", "--mode", "start5"},
        {"times", "1000", "--interval", "1000", "--subdivide", "3:0"},
        {"times", "1000", "2000"},
        {"times", "1000", "--bogus"},
    };
    for (const QStringList& args : cases) {
        const CliResult result = RunSplit(args);
        EXPECT_EQ(result.exitCode, 2) << args.join(' ').toStdString();
        EXPECT_TRUE(result.out.isEmpty()) << args.join(' ').toStdString();
        EXPECT_TRUE(result.Err().contains("usage: pirvan-split times LENGTH_MS"))
            << result.Err().toStdString();
    }
}

TEST(TimesCommandTest, ListedInHelp) {
    const CliResult result = RunSplit({"--help"});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_TRUE(result.Out().contains("pirvan-split times LENGTH_MS [--ms]"));
}

} // namespace
} // namespace veskar::test
