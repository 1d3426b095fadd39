#include <gtest/gtest.h>

#include "support/QtPrint.h"
#include "support/RunCli.h"

namespace veskar::test {
namespace {

// The lists themselves are the engine's; here: their text forms, the level headers, the options
// reaching the engine, and the end of an overfull list.
TEST(TimesCommandTest, ListsInBothTimeFormsAndCutsAnOverfullOneShort) {
    const CliResult ms = RunSplit({"times", "25000", "--ms"});
    EXPECT_EQ(ms.exitCode, 0);
    EXPECT_EQ(ms.Out(), "00000\n10000\n20000\n");
    EXPECT_EQ(RunSplit({"times", "0"}).Out(), "0.00000\n");
    EXPECT_EQ(RunSplit({"times", "3600000", "--interval", "1200000"}).Out(),
              "00.00000\n20.00000\n40.00000\n60.00000\n");

    const CliResult sub =
        RunSplit({"times", "5000", "--ms", "--subdivide", "1:0.01000", "--mode", "end5"});
    EXPECT_EQ(sub.exitCode, 0);
    const QStringList lines = sub.Out().split('\n');
    EXPECT_EQ(lines.mid(0, 2), (QStringList{"# 1", "0880"}));
    EXPECT_EQ(lines.mid(15, 3), (QStringList{"1020", "# 0", "0998"}));
    EXPECT_EQ(lines.mid(31), (QStringList{"1012", ""}));

    // An overfull list is cut short with the window's message.
    const CliResult result = RunSplit({"times", "3600000", "--interval", "1"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_TRUE(result.Out().startsWith("00.00000\n00.00001\n"));
    EXPECT_EQ(result.Err(), QString::fromUtf8("登録数が範囲を超えました。\n"));
}

} // namespace
} // namespace veskar::test
