#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/cut/OutputNaming.h"

namespace veskar::test {

namespace {

const QDateTime kRunTime(QDate(2008, 3, 24), QTime(15, 30, 12));

class OutputNamingTest : public testing::Test {
protected:
    QString SaveDir() const { return m_dir.path() + "/"; }
    void Touch(const QString& name) {
        QFile file(m_dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
    }
    QString Prefix(NamingStyle style, const QString& base) const {
        return OutputPrefix(style, SaveDir(), base, kRunTime);
    }
    QString EightDotThree(const QString& prefix) const {
        return OutputName(NamingStyle::EightDotThree, SaveDir(), prefix, 754321, "Side A", {});
    }

    QTemporaryDir m_dir;
};

TEST_F(OutputNamingTest, NamesWithASlashOrNulAreRefused) {
    for (const QString name : {"Side A", "ライブ 2008.1", "..", ""}) {
        EXPECT_EQ(NamePartProblem(name), "") << name.toStdString();
    }
    EXPECT_EQ(NamePartProblem("my/song"),
              "「/」やNUL文字は、ファイル名に使えません・・・\nmy/song");
    EXPECT_FALSE(NamePartProblem(QString("a") + QChar(u'\0')).isEmpty());
}

TEST_F(OutputNamingTest, BaseNameDropsOnlyAWavExtension) {
    EXPECT_EQ(OutputBaseNameOf("/rec/live.WaV"), "live");
    EXPECT_EQ(OutputBaseNameOf("/rec/Concert.2008.wav"), "Concert.2008");
    EXPECT_EQ(OutputBaseNameOf("/rec/live.wave"), "live.wave");
}

// The short prefix counts the names of its own base only.
TEST_F(OutputNamingTest, ShortPrefixCountsCollisions) {
    EXPECT_EQ(Prefix(NamingStyle::Short, "live"), "live_");
    Touch("live.wav");                         // does not match live_*.wav
    Touch("live_1.txt");                       // nor does this
    Touch("livex_0001.wav");                   // nor this
    QDir(m_dir.path()).mkdir("live_0002.wav"); // folders do not count
    EXPECT_EQ(Prefix(NamingStyle::Short, "live"), "live_");
    Touch("live_0001234.wav");
    EXPECT_EQ(Prefix(NamingStyle::Short, "live"), "live_c000_");
    Touch("LIVE_C000_0754321.WAV"); // letter case does not matter
    EXPECT_EQ(Prefix(NamingStyle::Short, "live"), "live_c001_");
    Touch("live_c001_.wav"); // the star matches nothing, too
    EXPECT_EQ(Prefix(NamingStyle::Short, "live"), "live_c002_");
    // A base holding wildcard characters matches only itself.
    Touch("a1_0.wav");
    EXPECT_EQ(Prefix(NamingStyle::Short, "a[1]"), "a[1]_");
    Touch("a[1]_0.wav");
    EXPECT_EQ(Prefix(NamingStyle::Short, "a[1]"), "a[1]_c000_");
    Touch("ab_0.wav");
    EXPECT_EQ(Prefix(NamingStyle::Short, "a?"), "a?_");
}

TEST_F(OutputNamingTest, ShortPrefixCounterGrowsPastThreeDigits) {
    QStringList names{"a_x.wav"};
    for (int i = 0; i < 1000; ++i) {
        names << QString("a_c%1_x.wav").arg(i, 3, 10, QChar('0'));
    }
    EXPECT_EQ(FreePrefixAmong(names, "a_"), "a_c1000_");
}

TEST_F(OutputNamingTest, EightDotThreePrefix) {
    EXPECT_EQ(Prefix(NamingStyle::EightDotThree, "Concert.2008"), "Conc");
    EXPECT_EQ(Prefix(NamingStyle::EightDotThree, QString::fromUtf8("あいうえ")),
              QString::fromUtf8("あい"));
    EXPECT_EQ(Prefix(NamingStyle::EightDotThree, QString::fromUtf8("aあいう")),
              QString::fromUtf8("aあ"));
}

TEST_F(OutputNamingTest, EightDotThreeTakesTheFirstFreeCounter) {
    EXPECT_EQ(EightDotThree("Conc"), SaveDir() + "Conc0000.wav");
    Touch("Conc0000.wav");
    Touch("Conc0002.wav");
    EXPECT_EQ(EightDotThree("Conc"), SaveDir() + "Conc0001.wav");
    Touch("CONC0001.WAV"); // the same name to a FAT stick or a Windows share
    EXPECT_EQ(EightDotThree("Conc"), SaveDir() + "Conc0003.wav");
    QDir(m_dir.path()).mkdir("Conc0003.wav"); // a folder of that name would make the save fail
    EXPECT_EQ(EightDotThree("Conc"), SaveDir() + "Conc0004.wav");
}

TEST_F(OutputNamingTest, EightDotThreeFiveDigitCounterShortensADoubleBytePrefix) {
    const QString prefix = QString::fromUtf8("あい");
    QStringList names;
    for (int i = 0; i < 10000; ++i) {
        names << prefix + QString("%1.wav").arg(i, 4, 10, QChar('0'));
    }
    // Eight bytes in all: the counter takes five, and half of い cannot stay.
    EXPECT_EQ(EightDotThreeNameAmong(names, prefix), QString::fromUtf8("あ10000.wav"));
    EXPECT_EQ(EightDotThreeNameAmong(names, "Conc"), "Conc0000.wav");
    names << "Con10000.wav";
    for (int i = 0; i < 10000; ++i) {
        names << QString("Conc%1.wav").arg(i, 4, 10, QChar('0'));
    }
    EXPECT_EQ(EightDotThreeNameAmong(names, "Conc"), "Con10001.wav");
}

struct TimePartCase {
    TimeMs start;
    TimePartFormat format;
    const char* expected;
};

class TimePartTest : public testing::TestWithParam<TimePartCase> {};

TEST_P(TimePartTest, PadsToTheListWidths) {
    const TimePartCase& c = GetParam();
    EXPECT_EQ(OutputTimePart(c.start, c.format), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Widths, TimePartTest,
    testing::Values(TimePartCase{754321, {false, 7, 2}, "0754321"},
                    TimePartCase{754321, {true, 7, 2}, "12m34321"},
                    TimePartCase{0, {false, 5, 1}, "00000"}, // 59,000 ms file
                    TimePartCase{4199999, {true, 7, 2}, "69m59999"},
                    TimePartCase{1234567, {false, 5, 1}, "34567"}, // keeps the last digits
                    TimePartCase{6000000, {true, 7, 1}, "0m00000"}));

TEST_F(OutputNamingTest, LongAndShortNamesJoinPrefixTimeAndLabel) {
    const TimePartFormat format{false, 7, 2};
    EXPECT_EQ(
        OutputName(NamingStyle::Long, "/cut/", "live_080324_153012_", 754321, "Side A", format),
        "/cut/live_080324_153012_0754321_Side A.wav");
    // No look at the folder: an existing file of the same name is not avoided.
    Touch("live_0754321.wav");
    EXPECT_EQ(OutputName(NamingStyle::Short, SaveDir(), "live_", 754321, "", format),
              SaveDir() + "live_0754321.wav");
}

TEST_F(OutputNamingTest, ExtensionIsLowerCased) {
    EXPECT_EQ(LowerCaseExtension("/Cut/Live.WAV"), "/Cut/Live.wav");
    EXPECT_EQ(LowerCaseExtension("/Cut/a.b/Live"), "/Cut/a.b/Live");
    EXPECT_EQ(LowerCaseExtension("/Cut/Live.Side A.Wav"), "/Cut/Live.Side A.wav");
}

TEST_F(OutputNamingTest, SaveNamePatternCaption) {
    EXPECT_EQ(SaveNamePattern(false, false, "_YYMMDD_HHMMSS_TTTTTT.wav"),
              "_YYMMDD_HHMMSS_TTTTTT.wav");
    EXPECT_EQ(SaveNamePattern(true, false, "_YYMMDD_HHMMSS_TTTTTT.wav"), "_cNNN_TTTTTT.wav");
    EXPECT_EQ(SaveNamePattern(true, true, "_cNNN_TTTTTT.wav"), "NNNN.wav");
    EXPECT_EQ(SaveNamePattern(false, true, "NNNN.wav"), "_YYMMDD_HHMMSS_TTTTTT.wav");
    EXPECT_EQ(SaveNamePattern(true, false, "NNNN"), "_cNNN_TTTTTT");
    EXPECT_EQ(SaveNamePattern(false, false, ".wav"), "_YYMMDD_HHMMSS_TTTTTT.wav");
}

} // namespace

} // namespace veskar::test
