#include <gtest/gtest.h>

#include <deque>

#include <QDir>
#include <QFile>

#include "core/browser/MemoryList.h"
#include "core/timelists/CutListFiles.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

class MemoryListTest : public testing::Test {
protected:
    void SetUp() override {
        dir = test::TestHomeDir() + "/vew";
        QDir(dir).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir));
    }
    QString Write(const QByteArray& bytes, const QString& name = "t") {
        const QString path = MemoryListPath(dir, name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QString dir;
};

std::vector<MemoryRow> Rows(const QStringList& captions) {
    std::vector<MemoryRow> rows;
    for (const QString& caption : captions) {
        rows.push_back({caption, {"/m/" + caption, "", "", "", "", "", "", ""}});
    }
    return rows;
}

QStringList Captions(const std::vector<MemoryRow>& rows) {
    QStringList captions;
    for (const MemoryRow& row : rows) {
        captions.append(row.caption);
    }
    return captions;
}

TEST_F(MemoryListTest, RenameRefusals) {
    QFile(MemoryListPath(dir, "onDisk")).open(QIODevice::WriteOnly);
    const QStringList entries{"VESKAR_M000", "Live"};
    const struct {
        QString name;
        QString message;
    } cases[] = {
        {"", "\nメモリー名が空です・・・\n何か名前を付けて下さいね☆☆☆"},
        {"a?b*c",
         "*\n上記の文字は、ファイル名として使えません・・・\n\na?b*c\n別の名前を付けて下さいね☆☆☆"},
        {"LIVE", "LIVE\nこの名称は、既に使われています・・・\n別の名前を付けて下さいね☆☆☆"},
        {"onDisk",
         "onDisk\nこのファイル名は、既に使われています・・・\n別の名前を付けて下さいね☆☆☆"},
        {"Live 2", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ListRenameRefusal(c.name, entries, dir), c.message) << c.name.toStdString();
    }
}

TEST_F(MemoryListTest, SelectedRowsMoveTogether) {
    const struct {
        std::vector<int> selected;
        bool up;
        QStringList order;
        int at;
    } cases[] = {
        {{2, 4}, true, {"0", "2", "4", "1", "3", "5"}, 1},
        {{4, 5}, false, {"0", "1", "2", "3", "4", "5"}, 4},
        {{5, 9, -1}, true, {"0", "1", "2", "3", "5", "4"}, 4},
        {{}, true, {"0", "1", "2", "3", "4", "5"}, -1},
    };
    for (const auto& c : cases) {
        std::vector<MemoryRow> rows = Rows({"0", "1", "2", "3", "4", "5"});
        EXPECT_EQ(MoveMemoryRows(rows, c.selected, c.up), c.at);
        EXPECT_EQ(Captions(rows), c.order);
    }
}

TEST_F(MemoryListTest, DeletingFromDiskKeepsWhatCannotGo) {
    ASSERT_TRUE(QDir().mkpath(dir + "/stuck.wav/inside"));
    for (const char* name : {"a.wav", "aCL_000.ARS", "a.IND", "stuck.IND"}) {
        QFile(dir + "/" + QString(name)).open(QIODevice::WriteOnly);
    }
    std::vector<MemoryRow> rows = Rows({"a.wav", "gone.wav", "stuck.wav"});
    for (MemoryRow& row : rows) {
        row.fields[0] = dir + "/" + row.caption;
    }
    test::FakeMessenger messenger;
    messenger.answers = {Messenger::Yes};
    EXPECT_EQ(DeleteMemoryFiles(rows, dir, messenger), std::vector<bool>({true, true, false}));
    EXPECT_EQ(messenger.Texts().mid(1),
              QStringList({dir + "/stuck.wav\nこのファイルの削除に失敗しました・・・",
                           "2個、ファイル登録を削除しました☆\n1個、実際にファイルを削除しました☆\n"
                           "削除完了☆"}));
    EXPECT_EQ(CutListFilesOf(dir, "a") + CutListFilesOf(dir, "stuck"),
              QStringList({dir + "/stuck.IND"}));
}

TEST_F(MemoryListTest, MissingFilesAreAskedAboutUntilOneIsFound) {
    QFile(dir + "/here.wav").open(QIODevice::WriteOnly);
    QFile(dir + "/goneCL_000.ARS").open(QIODevice::WriteOnly);
    const struct {
        QStringList captions;
        int index;
        std::deque<int> answers;
        int found;
        QStringList left;
    } cases[] = {
        // Yes: the row goes with its registered times, the row in its place is looked at.
        {{"gone.wav", "here.wav"}, 0, {Messenger::Yes}, 0, {"here.wav"}},
        // No: the next row; past the end the first.
        {{"here.wav", "gone.wav"}, 1, {Messenger::No}, 0, {"here.wav", "gone.wav"}},
        {{"gone.wav", "here.wav"}, 0, {Messenger::Abort}, -1, {"gone.wav", "here.wav"}},
        // Nothing but missing files, each passed over once.
        {{"gone.wav", "lost.wav"}, 0, {Messenger::No, Messenger::No}, -1, {"gone.wav", "lost.wav"}},
        {{"gone.wav"}, 0, {Messenger::Yes}, -1, {}},
    };
    for (const auto& c : cases) {
        std::vector<MemoryRow> rows = Rows(c.captions);
        for (MemoryRow& row : rows) {
            row.fields[0] = dir + "/" + row.caption;
        }
        test::FakeMessenger messenger;
        messenger.answers = c.answers;
        EXPECT_EQ(FindExistingRow(rows, c.index, dir, messenger), c.found)
            << c.captions.join(',').toStdString();
        EXPECT_EQ(Captions(rows), c.left);
        EXPECT_EQ(messenger.calls.size(), c.answers.size());
    }
    EXPECT_FALSE(QFile::exists(dir + "/goneCL_000.ARS"));
    EXPECT_EQ(MissingFileQuestion("/m/a.wav"),
              "/m/a.wav\nこのファイルは存在しません・・・\n登録を削除してよろしいですか？？？");
}

TEST_F(MemoryListTest, AnyPathRoundTripsOnOneLine) {
    const QStringList paths{"/m/a\tb.wav",   "/m/x\ny\r.wav", "/m/back\\slash\\", "\\t\\n", "",
                            "/音楽/ソ表.wav"};
    std::vector<MemoryRow> rows;
    for (const QString& path : paths) {
        rows.push_back({path.section('/', -1), {path, "1", "wav", "d", "a", "w", "", "x\t"}});
    }
    const QString path = MemoryListPath(dir, "round");
    ASSERT_EQ(SaveMemoryList(path, rows), "");
    const LoadedMemoryList loaded = LoadMemoryList(path);
    EXPECT_EQ(loaded.rows, rows);
}

TEST_F(MemoryListTest, OlderLayoutsAreBroughtToEightFields) {
    struct Case {
        QByteArray bytes;
        std::vector<QStringList> fields; // per row
        int damaged;
    };
    const Case cases[] = {
        {"a.wav\tp\t1\twav\td\tR\r\nb.Mp\tq\r\n",
         {{"p", "1", "wav", "d", "R", "", "", ""}, {"q", "", "", "", "", "", "", ""}},
         -1},
        {"a.WAV\tp\t1\td\tR\r\nnoext\tq\t2\te\tS\r\n",
         {{"p", "1", "wav", "d", "R", "0", "1", "2"}, {"q", "2", "", "e", "S", "1", "2", "3"}},
         -1},
        {"a\tp\t1\t2\r\n", {}, 3},
        {"a\t1\t2\t3\t4\t5\t6\t7\t8\t9\r\n", {}, 9},
        {"\r\nb\tp\t1\twav\td\tR\r\n", {}, 0},
        {"", {}, -1},
    };
    for (const Case& c : cases) {
        const LoadedMemoryList loaded = LoadMemoryList(Write(c.bytes));
        EXPECT_EQ(loaded.damagedFieldCount, c.damaged) << c.bytes.toStdString();
        ASSERT_EQ(loaded.rows.size(), c.fields.size()) << c.bytes.toStdString();
        for (size_t i = 0; i < c.fields.size(); ++i) {
            EXPECT_EQ(loaded.rows[i].fields, c.fields[i]) << c.bytes.toStdString();
        }
    }
}

TEST_F(MemoryListTest, FreeNamesAndTheRescueCopy) {
    Write("", "VESKAR_M000");
    Write("", "VESKAR_M002");
    EXPECT_EQ(FreeListName(dir, kNewListPrefix), "VESKAR_M001");
    EXPECT_EQ(MemoryListNames(dir).size(), 2);
    EXPECT_EQ(MemoryListNames(dir + "/none"), QStringList{kFirstListName});

    // A list whose own file cannot be written (a folder stands in its place) goes to the
    // first free rescue name, and both the failure and the place are told.
    ASSERT_TRUE(QDir(dir).mkpath("blocked.VEW/x"));
    Write("", "救済000");
    const std::vector<MemoryRow> rows{{"a.wav", {"/a.wav", "", "", "", "", "", "", ""}}};
    const MemoryListSave save = SaveMemoryListOrRescue(dir, "blocked", rows);
    EXPECT_EQ(save.writtenPath, MemoryListPath(dir, "救済001"));
    EXPECT_TRUE(
        save.errors.value(0).startsWith("データファイル保存エラー：" + dir + "/blocked.VEW\n"));
    EXPECT_EQ(LoadMemoryList(save.writtenPath).rows, rows);
}

} // namespace
} // namespace veskar
