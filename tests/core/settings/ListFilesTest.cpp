#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/settings/ListFiles.h"
#include "core/settings/TextFile.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

class ListFilesTest : public testing::Test {
protected:
    void SetUp() override {
        dir = test::TestHomeDir() + "/lists";
        QDir(dir).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(dir));
    }
    void WriteBytes(const char* name, const QByteArray& bytes) {
        QFile file(QDir(dir).filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }
    QByteArray ReadBytes(const char* name) {
        QFile file(QDir(dir).filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    QString dir;
};

TEST_F(ListFilesTest, LinesAreCutAtEveryKindOfLineEnd) {
    struct Case {
        QByteArray bytes;
        QStringList lines;
    };
    const Case cases[] = {
        {"", {}},
        {"\r\n", {""}},
        {"a\r\nb", {"a", "b"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb\rc\r\n\r\n", {"a", "b", "c", ""}},
        {"\xEF\xBB\xBFx\r\n", {"x"}},
        {"\xEF\xBB\xBF\xEF\xBB\xBFx", {QChar(QChar::ByteOrderMark) + QString("x")}},
    };
    for (const Case& c : cases) {
        WriteBytes("t.LIS", c.bytes);
        EXPECT_EQ(ReadListFile(QDir(dir).filePath("t.LIS")), c.lines) << c.bytes.toStdString();
    }
}

TEST_F(ListFilesTest, ShiftJisFileFromWindowsLoads) {
    // "C:\音楽\ソニー表" in CP932: ソ and 表 end in 0x5C, the backslash byte.
    WriteBytes(kFolderHistoryFile,
               QByteArray::fromHex("433a5c89b98a795c835c836a815b955c") + "\r\nD:\\\r\n");
    EXPECT_EQ(LoadFolderHistory(dir), QStringList({"C:\\音楽\\ソニー表", "D:\\"}));
    // A byte no code page knows costs that byte, not the list.
    WriteBytes(kDriveFolderFile, QByteArray("C:\\\x80x\r\n\x89\xB9\r\n"));
    EXPECT_EQ(LoadDriveFolderList(dir), QStringList({"C:\\\uFFFDx", "音"}));
}

TEST_F(ListFilesTest, WrittenAsUtf8WithCrLfAndReadBackWhole) {
    // Neither the emoji nor the Hangul nor the umlaut has a Shift-JIS code.
    const QStringList lines{"/home/me/Ünïcödé 😀/한국어", "", "*.FLAC"};
    DataLists lists{{"a"}, {"/media/x/"}, lines, {"*.WAV", "ALL (*.*)", "*.FLAC"}};
    ASSERT_EQ(SaveDataLists(dir, lists), QStringList());
    EXPECT_EQ(ReadBytes(kFolderHistoryFile),
              QString("/home/me/Ünïcödé 😀/한국어\r\n\r\n*.FLAC\r\n").toUtf8());
    EXPECT_EQ(ReadBytes(kColorTagNamesFile), QByteArray("a\r\n"));
    EXPECT_EQ(LoadFolderHistory(dir), lines);
    EXPECT_EQ(LoadDriveFolderList(dir), QStringList({"/media/x/"}));
    EXPECT_EQ(LoadFilterList(dir), lists.filters);
    // A first line that starts with a byte-order mark keeps it.
    const QString path = QDir(dir).filePath("t.LIS");
    const QStringList marked{QChar(QChar::ByteOrderMark) + QString("x"), "y"};
    ASSERT_EQ(WriteListFile(path, marked), "");
    EXPECT_EQ(ReadListFile(path), marked);
}

TEST_F(ListFilesTest, FilterListAlwaysStartsWithTheTwoFixedEntries) {
    struct Case {
        const char* file; ///< nullptr: no file
        QStringList filters;
    };
    const Case cases[] = {
        {nullptr, {"*.WAV", "ALL (*.*)"}},
        {"*.MP3\r\n", {"*.WAV", "ALL (*.*)"}},
        {"x\r\ny\r\n*.AIF\r\n", {"*.WAV", "ALL (*.*)", "*.AIF"}},
    };
    for (const Case& c : cases) {
        QFile::remove(QDir(dir).filePath(kFilterFile));
        if (c.file) {
            WriteBytes(kFilterFile, c.file);
        }
        EXPECT_EQ(LoadFilterList(dir), c.filters) << (c.file ? c.file : "missing");
    }
    const QStringList filters{"*.WAV", "ALL (*.*)", "*.AIF"};
    EXPECT_EQ(FilterIndex(filters, "*.AIF"), 2);
    EXPECT_EQ(FilterIndex(filters, "*.aif"), 0);
    EXPECT_EQ(FilterMask(filters, 1), "*.*");
    EXPECT_EQ(FilterMask(filters, 2), "*.AIF");
}

TEST_F(ListFilesTest, ColorTagNamesArePaddedToSeven) {
    EXPECT_EQ(LoadColorTagNames(dir),
              QStringList({"", "Blue", "Red", "Lime", "Yellow", "Aqua", "Pink"}));
    WriteBytes(kColorTagNamesFile, "\r\nSide A\r\nSide B\r\n");
    EXPECT_EQ(LoadColorTagNames(dir), QStringList({"", "Side A", "Side B", "", "", "", ""}));
}

} // namespace
} // namespace veskar
