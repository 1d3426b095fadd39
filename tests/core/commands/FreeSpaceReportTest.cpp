#include <gtest/gtest.h>

#include "core/commands/FreeSpaceReport.h"
#include "core/commands/VersionText.h"
#include "core/settings/Paths.h"
#include "core/settings/TextFile.h"

namespace veskar {
namespace {

TEST(FreeSpaceReportTest, MinutesOfRecording) {
    struct Case {
        int64_t bytes;
        WaveFormat format;
        int64_t minutes;
    };
    const Case cases[] = {
        {1'411'200'000, {44100, 16, 2}, 133}, // 133.3
        {1'446'480'000, {44100, 16, 2}, 137}, // 136.67 rounds up
        {0, {44100, 16, 2}, 0},
        {15'876'000, {44100, 24, 2}, 1}, // three bytes a sample
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RecordingMinutes(c.bytes, c.format), c.minutes) << c.bytes;
    }
}

TEST(FreeSpaceReportTest, LinesOfTheReport) {
    const std::vector<Volume> drives = {
        {"/", DriveType::Fixed, {}, {}, {}, 1'411'200'000, 2'822'400'000},
        {"/media/cd", DriveType::CdRom, {}, {}, {}, -1, -1},
    };
    const QDateTime now(QDate(2026, 12, 6), QTime(9, 5, 7));
    const QString rule(65, u'-');
    EXPECT_EQ(FreeSpaceReportLines(drives, {44100, 16, 2}, now),
              (QStringList{
                  "全ﾄﾞﾗｲﾌﾞ空きサイズ一覧　　 26/12/06 Sun 09:05:07 ",
                  "",
                  "ﾄﾞﾗｲﾌﾞ名:　空きサイズ　　　　　最大サイズ       44100/ 16/ ｽﾃﾚｵ",
                  rule,
                  " /:  1,411,200,000 Bytes    2,822,400,000 Bytes    133分/   267分",
                  " /media/cd: ディスクがありません・・・",
                  rule,
              }));
    EXPECT_TRUE(FreeSpaceReportLines({}, {22050, 8, 1}, now)[2].endsWith("22050/ 8/ ﾓﾉﾗﾙ"));
}

TEST(FreeSpaceReportTest, WritesTheReportIntoTheWorkFolder) {
    QString error;
    const std::optional<QString> path = WriteFreeSpaceReport({"a", "b"}, error);
    ASSERT_TRUE(path) << error.toStdString();
    EXPECT_EQ(*path, WorkDir() + "DrV$$$$$.TXT");
    EXPECT_EQ(ReadListFile(*path), (QStringList{"a", "b"}));
}

TEST(FreeSpaceReportTest, VersionTexts) {
    const std::pair<int, const char*> cases[] = {{26, "2.6"}, {255, "?.?"}, {7, "0.7"}};
    for (const auto& [version, text] : cases) {
        EXPECT_EQ(VersionText(version), text);
    }
}

} // namespace
} // namespace veskar
