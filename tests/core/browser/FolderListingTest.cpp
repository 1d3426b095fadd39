#include <gtest/gtest.h>

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/browser/FileRowSort.h"
#include "core/browser/FolderListing.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

class FolderListingTest : public testing::Test {
protected:
    QString Make(const QString& name, qint64 size) {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << name.toStdString();
        file.resize(size);
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

} // namespace
} // namespace veskar
