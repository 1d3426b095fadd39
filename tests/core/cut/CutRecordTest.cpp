#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/cut/CutRecord.h"
#include "support/FakeHost.h"
#include "support/FakeTextViewer.h"

namespace veskar::test {

namespace {

const QDateTime kMonday(QDate(2008, 3, 24), QTime(15, 30, 12));
const QString kShowError = QString::fromUtf8(CutRecord::kShowError);

QByteArray ReadAll(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class CutRecordTest : public testing::Test {
protected:
    void SetUp() override {
        m_record.Add(CutRecord::FullLine("44S16", "3.25123", "36,254,284",
                                         "live_080324_153012_0754321.wav", "/cut/"));
        m_record.Add(CutRecord::ShortLine(kMonday, std::nullopt, false, "/cut/bad.wav"));
    }
    QString WorkDir() const { return m_dir.path() + "/DIZEZI32/TEMP/"; }
    QString RecordFile() const { return WorkDir() + "CUT$$$$.TXT"; }
    bool Show(RecordRequest request, bool noMemo) {
        return ShowCutRecord(m_record, request, noMemo, WorkDir(), kMonday, m_viewer, m_messenger);
    }

    QTemporaryDir m_dir;
    CutRecord m_record;
    FakeTextViewer m_viewer;
    FakeMessenger m_messenger;
};

TEST_F(CutRecordTest, FullLineColumnsThatFillTheirWidth) {
    const struct {
        const char* length;
        const char* size;
        const char* line;
    } cases[] = {
        {"3.25123", "36,254,284", "44S16    3.25123  36,254,284 x.wav /x/"},
        {"405.47887", "999,999,999", "44S16  405.47887 999,999,999 x.wav /x/"},
        {"405.47887", "5,368,709,120", "44S16  405.47887 5,368,709,120 x.wav /x/"},
        {"10000.00000", "36,254,284", "44S16 10000.00000  36,254,284 x.wav /x/"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CutRecord::FullLine("44S16", c.length, c.size, "x.wav", "/x/"), c.line);
    }
}

TEST_F(CutRecordTest, ShortLineCarriesDateLengthAndPath) {
    EXPECT_EQ(m_record.Lines().at(1), "08/03/24 Mon 15:30:12   ---s  /cut/bad.wav");
    EXPECT_EQ(CutRecord::ShortLine(kMonday, 195123, true, "/p.wav"),
              "08/03/24 Mon 15:30:12   3m15123  /p.wav");
    EXPECT_EQ(CutRecord::ShortLine(kMonday, 60000, true, "/p.wav"),
              "08/03/24 Mon 15:30:12   1m00000  /p.wav");
    EXPECT_EQ(CutRecord::ShortLine(kMonday, 5, false, "/p.wav"),
              "08/03/24 Mon 15:30:12   0s005  /p.wav");
}

TEST_F(CutRecordTest, RecordFileAfterTwoCuts) {
    ASSERT_TRUE(Show(RecordRequest::CutRun, false));
    const QByteArray expected =
        QString::fromUtf8("カットデータ一覧　08/03/24 Mon 15:30:12 \r\n"
                          "2個 カットしました。\r\n"
                          "----------------------------------------\r\n"
                          "44S16    3.25123  36,254,284 live_080324_153012_0754321.wav /cut/\r\n"
                          "08/03/24 Mon 15:30:12   ---s  /cut/bad.wav\r\n"
                          "----------------------------------------\r\n")
            .toUtf8();
    EXPECT_EQ(ReadAll(RecordFile()), expected);
    EXPECT_EQ(m_viewer.shown, QStringList{RecordFile()});
    EXPECT_EQ(m_record.Lines().size(), 2) << "showing leaves the record as it was";
    EXPECT_TRUE(m_messenger.calls.empty());
}

TEST_F(CutRecordTest, RecordFileIsReplacedWhole) {
    ASSERT_TRUE(Show(RecordRequest::MF_KIROKU, false));
    CutRecord shorter;
    shorter.Add("one");
    ASSERT_TRUE(ShowCutRecord(shorter, RecordRequest::MF_KIROKU, false, WorkDir(), kMonday,
                              m_viewer, m_messenger));
    EXPECT_EQ(ReadAll(RecordFile()).count("\r\n"), 5);
}

TEST_F(CutRecordTest, AnEmptyRecordIsNeitherWrittenNorShown) {
    CutRecord empty;
    EXPECT_TRUE(ShowCutRecord(empty, RecordRequest::MF_KIROKU, false, WorkDir(), kMonday, m_viewer,
                              m_messenger));
    EXPECT_FALSE(QFile::exists(RecordFile()));
    EXPECT_TRUE(m_viewer.shown.isEmpty());
}

TEST_F(CutRecordTest, FailuresAreReportedAndTheRecordStays) {
    // The work folder cannot be made: a file stands where it should be.
    QFile blocker(m_dir.path() + "/DIZEZI32");
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(Show(RecordRequest::MF_KIROKU, false));
    EXPECT_TRUE(m_viewer.shown.isEmpty());
    EXPECT_EQ(m_messenger.Texts(), QStringList{kShowError});

    ASSERT_TRUE(QFile::remove(m_dir.path() + "/DIZEZI32"));
    m_viewer.fail = true;
    EXPECT_FALSE(Show(RecordRequest::MF_KIROKU, false));
    EXPECT_EQ(m_messenger.Texts(), (QStringList{kShowError, kShowError}));
    EXPECT_EQ(m_record.Lines().size(), 2);
}

TEST_F(CutRecordTest, ClearAsksThenShowsOneLastTime) {
    m_messenger.answers = {Messenger::No};
    ClearCutRecord(m_record, WorkDir(), kMonday, m_viewer, m_messenger);
    EXPECT_EQ(m_record.Lines().size(), 2);
    ASSERT_EQ(m_messenger.calls.size(), 2u);
    EXPECT_EQ(m_messenger.calls[0].kind, FakeMessenger::Kind::TimedQuestion);
    EXPECT_EQ(m_messenger.calls[0].text,
              QString::fromUtf8("カット記録削除：\nカット記録を削除してよろしいですか？？？"));
    EXPECT_EQ(m_messenger.calls[0].defaultResult, Messenger::No);
    EXPECT_EQ(m_messenger.calls[1].text, QString::fromUtf8("カット記録削除を中止しました。"));
    EXPECT_TRUE(m_viewer.shown.isEmpty());
}

TEST_F(CutRecordTest, ClearKeepsTheLinesWhenTheyCouldNotBeShown) {
    m_viewer.fail = true;
    m_messenger.answers = {Messenger::Yes};
    ClearCutRecord(m_record, WorkDir(), kMonday, m_viewer, m_messenger);
    EXPECT_EQ(m_record.Lines().size(), 2);
}

} // namespace

} // namespace veskar::test
