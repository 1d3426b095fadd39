#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

#include <sys/stat.h>
#include <unistd.h>

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/browser/FileMasks.h"
#include "core/browser/FileRowSort.h"
#include "core/browser/FolderListing.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

TEST(FileMasksTest, MatchCountsOfFilterTexts) {
    struct Case {
        const char* filter;
        const char* name;
        int count;
    };
    const Case cases[] = {
        {"*.WAV", "take.wav", 1},       {"*.WAV", "TAKE.Wav", 1},
        {"*.wav", "take.wave", 0},      {"*.WAV;*.TXT", "notes.txt", 1},
        {"*.WAV;*.TXT", "take.wav", 1}, {"*.WAV;", "take.wav", 1},
        {"*.WAV;", "notes.txt", 0},     {";;", "take.wav", 0},
        {"*.WAV;T*", "take.wav", 2},    {"*.wav; *.mp3", "song.MP3", 1},
        {"*.*", "README", 1},           {"*.*", "a.b.c", 1},
        {"take.*", "take", 1},          {"*.*", ".hidden", 1},
        {"t?ke.wav", "TAKE.WAV", 1},    {"t?ke.wav", "tke.wav", 0},
        {"*a*a*", "banana", 1},         {"*a*a*", "bnn", 0},
        {"Ä*.wav", "äpfel.WAV", 1},     {"*", "", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FileMasks(QString::fromUtf8(c.filter)).MatchCount(QString::fromUtf8(c.name)),
                  c.count)
            << c.filter << " / " << c.name;
    }
    EXPECT_EQ(FileMasks("*.WAV; ;*.TXT;").Masks(), QStringList({"*.WAV", "*.TXT"}));
}

TEST(FileRowSortTest, NamesInLocaleOrder) {
    QStringList names{"rock", "blues", "jazz", "ambient"};
    SortNames(names);
    EXPECT_EQ(names, QStringList({"ambient", "blues", "jazz", "rock"}));
}

TEST(FileRowTest, ColumnTexts) {
    const QByteArray savedTz = qgetenv("TZ");
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    const FileRow row = MakeFileRow("Take.WAV", 100000, 1710079509, false);
    EXPECT_EQ(row.sizeText, " 100,000");
    EXPECT_EQ(row.typeText, "wav");
    EXPECT_EQ(row.dateText, "24/03/10 14:05:09 Sun");
    EXPECT_EQ(row.attributeText, "    ");
    EXPECT_FALSE(row.IsHidden());

    const FileRow hidden = MakeFileRow(".Notes", 1024, 946684799, true);
    EXPECT_EQ(hidden.sizeText, "   1,024");
    EXPECT_EQ(hidden.typeText, "notes");
    EXPECT_EQ(hidden.dateText, "99/12/31 23:59:59 Fri");
    EXPECT_EQ(hidden.attributeText, "R H ");
    EXPECT_TRUE(hidden.IsHidden());
    EXPECT_FALSE(hidden.IsSystem());

    EXPECT_EQ(MakeFileRow("README", 0, 978404645, false).typeText, "");
    EXPECT_EQ(FileSizeText(123456789), "123,456,789");
    EXPECT_EQ(FileDateText(978404645), "01/01/02 03:04:05 Tue");
    savedTz.isNull() ? ::unsetenv("TZ") : ::setenv("TZ", savedTz.constData(), 1);
    ::tzset();
}

class FolderListingTest : public testing::Test {
protected:
    QString Make(const QString& name, qint64 size, qint64 modifiedS = 1710079509) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.resize(size);
        file.setFileTime(QDateTime::fromSecsSinceEpoch(modifiedS),
                         QFileDevice::FileModificationTime);
        return path;
    }
    static QStringList Names(const std::vector<FileRow>& rows) {
        QStringList names;
        for (const FileRow& row : rows) {
            names << row.name;
        }
        return names;
    }
    QStringList Listed(const QString& filter) {
        std::vector<FileRow> rows = ListFiles(m_dir.path(), FileMasks(filter)).rows;
        SortFileRows(rows, FileColumn::Name, false);
        return Names(rows);
    }

    QTemporaryDir m_dir;
};

TEST_F(FolderListingTest, OnlyPlainFilesOfTheMasks) {
    Make("b.wav", 10);
    Make("A.WAV", 10);
    Make("notes.txt", 10);
    Make(".hidden.wav", 10);
    QDir(m_dir.path()).mkdir("folder.wav");
    ::mkfifo(QFile::encodeName(m_dir.filePath("pipe.wav")).constData(), 0600);
    QFile::link(m_dir.filePath("gone.wav"), m_dir.filePath("dangling.wav"));
    QFile::link(m_dir.filePath("b.wav"), m_dir.filePath("link.wav"));

    struct Case {
        const char* filter;
        QStringList names;
    };
    const Case cases[] = {
        {"*.WAV", {".hidden.wav", "A.WAV", "b.wav", "link.wav"}},
        {"*.wav;*.TXT", {".hidden.wav", "A.WAV", "b.wav", "link.wav", "notes.txt"}},
        {"*.txt;", {"notes.txt"}},
        {"*.wav;b*", {".hidden.wav", "A.WAV", "b.wav", "b.wav", "link.wav"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Listed(c.filter), c.names) << c.filter;
    }
}

TEST_F(FolderListingTest, MissingFolderGivesTheSystemReason) {
    const FileListing listing = ListFiles(m_dir.filePath("nowhere"), FileMasks("*.*"));
    EXPECT_EQ(listing.error, "No such file or directory");
    EXPECT_TRUE(listing.rows.empty());
}

TEST_F(FolderListingTest, PollStopsTheReading) {
    for (int i = 0; i < 600; ++i) {
        Make(QString("f%1.wav").arg(i), 0);
    }
    int polls = 0;
    const FileListing listing =
        ListFiles(m_dir.path(), FileMasks("*.wav"), [&] { return ++polls < 2; });
    EXPECT_TRUE(listing.stopped);
    EXPECT_EQ(polls, 2);
    EXPECT_EQ(listing.rows.size(), 512u);
}

TEST_F(FolderListingTest, RefreshReadsTheFileAgainAndEmptiesAGoneOne) {
    const QString path = Make("take.wav", 1024);
    FileRow row = ListFiles(m_dir.path(), FileMasks("*.wav")).rows.at(0);
    EXPECT_EQ(row.attributeText, "    ");
    QFile(path).resize(100000);
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup);
    row.weight = "3";
    EXPECT_TRUE(RefreshFileRow(path, row));
    EXPECT_EQ(row.sizeText, " 100,000");
    EXPECT_EQ(row.weight, "3");
    EXPECT_EQ(row.attributeText, "R   ");
    EXPECT_EQ(ListFiles(m_dir.path(), FileMasks("*.wav")).rows.at(0).attributeText, "R   ");
    QFile::remove(path);
    EXPECT_FALSE(RefreshFileRow(path, row));
    EXPECT_EQ(row.name, "take.wav");
    EXPECT_EQ(row.sizeText + row.dateText + row.attributeText, "");
}

TEST_F(FolderListingTest, DeletingFromDiskAsksAndKeepsWhatStays) {
    const QStringList paths{Make("a.wav", 1), m_dir.filePath("gone.wav"), Make("b.wav", 1)};
    test::FakeMessenger messenger;
    EXPECT_EQ(DeleteFilesFromDisk(paths, messenger), std::vector<bool>(3, false));
    EXPECT_TRUE(QFile::exists(paths[0])) << "the countdown answers No";

    messenger.answers = {Messenger::Yes};
    EXPECT_EQ(DeleteFilesFromDisk(paths, messenger), std::vector<bool>(3, true));
    EXPECT_FALSE(QFile::exists(paths[0]) || QFile::exists(paths[2]));
    EXPECT_EQ(messenger.calls.back().text, "2個、実際にファイルを削除しました☆\n削除完了☆");
    EXPECT_EQ(messenger.calls.back().kind, test::FakeMessenger::Kind::Timed);
}

TEST_F(FolderListingTest, SortingByColumnsAndDirections) {
    Make("big.wav", 100000, 978404645); // 2001
    Make("small.wav", 1024, 946684799); // 1999
    Make("mid.aif", 5000, 1710079509);  // 2024
    std::vector<FileRow> rows = ListFiles(m_dir.path(), FileMasks("*.*")).rows;
    SortFileRows(rows, FileColumn::Name, false);
    ASSERT_EQ(Names(rows), QStringList({"big.wav", "mid.aif", "small.wav"}));

    SortDirections directions;
    struct Click {
        FileColumn column;
        QStringList names;
    };
    const Click clicks[] = {
        {FileColumn::Size, {"small.wav", "mid.aif", "big.wav"}},
        {FileColumn::Size, {"big.wav", "mid.aif", "small.wav"}},
        {FileColumn::Name, {"small.wav", "mid.aif", "big.wav"}},
        {FileColumn::Name, {"big.wav", "mid.aif", "small.wav"}},
        {FileColumn::Date, {"small.wav", "big.wav", "mid.aif"}},
        {FileColumn::Type, {"mid.aif", "small.wav", "big.wav"}},
        {FileColumn::Type, {"small.wav", "big.wav", "mid.aif"}},
    };
    int selected = 0;
    for (const Click& click : clicks) {
        const QString selectedName = rows[static_cast<size_t>(selected)].name;
        selected = SortFileRows(rows, click.column, directions.Toggle(click.column), selected);
        EXPECT_EQ(Names(rows), click.names) << static_cast<int>(click.column);
        EXPECT_EQ(rows[static_cast<size_t>(selected)].name, selectedName);
    }
    directions.Reset();
    EXPECT_TRUE(directions.Toggle(FileColumn::Name)) << "the first click on the names descends";
    EXPECT_FALSE(directions.Toggle(FileColumn::Attributes));
}

} // namespace
} // namespace veskar
