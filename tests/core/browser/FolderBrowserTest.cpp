#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/browser/FolderBrowser.h"
#include "core/browser/FolderPaths.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

class FolderBrowserTest : public testing::Test {
protected:
    void SetUp() override {
        QDir(Path()).mkpath("music/rock/live");
        QDir(Path()).mkpath("music/jazz");
        QDir(Path()).mkpath("music/.cache");
        QFile file(Path("music/notes.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        m_browser.ReadVolumes();
    }
    QString Path(const QString& relative = {}) const {
        return relative.isEmpty() ? m_dir.path() : m_dir.filePath(relative);
    }
    static QStringList Texts(const FolderView& view) {
        QStringList texts;
        for (const FolderListRow& row : view.rows) {
            texts << QString("%1:%2%3").arg(row.level).arg(row.open ? "+" : "").arg(row.text);
        }
        return texts;
    }

    QTemporaryDir m_dir;
    BrowserState m_state;
    test::FakeMessenger m_messenger;
    FolderBrowser m_browser{m_state, m_messenger, m_dir.path() + "/fallback"};
};

TEST_F(FolderBrowserTest, FolderListShowsAncestorsThenSubfolders) {
    QFile::link(Path("music/rock"), Path("music/rock link"));
    QFile::link(Path("music/notes.txt"), Path("music/notes link"));
    FolderView view;
    ASSERT_TRUE(m_browser.ShowFolder(Path("music/"), view));
    const QStringList ancestors = FolderComponents(Path("music"), view.driveRoot);
    const int k = static_cast<int>(ancestors.size());
    EXPECT_EQ(view.selectedRow, k - 1);
    EXPECT_EQ(Texts(view).mid(k - 1),
              QStringList({QString("%1:+music").arg(k - 1), QString("%1:jazz").arg(k),
                           QString("%1:rock").arg(k), QString("%1:rock link").arg(k)}));
    EXPECT_EQ(m_state.currentPath, Path("music"));
    EXPECT_EQ(m_state.driveFolders, QStringList{Path("music")});
    EXPECT_TRUE(m_messenger.calls.empty());
}

TEST_F(FolderBrowserTest, MissingFolderIsCreatedOrRecoversToItsNearestAncestor) {
    FolderView view;
    ASSERT_TRUE(m_browser.ShowFolder(Path("music/new/deeper"), view));
    EXPECT_TRUE(QFileInfo(Path("music/new/deeper")).isDir()) << "a missing folder is made";
    EXPECT_TRUE(m_messenger.calls.empty());

    // Below a file nothing can be made, not even by root.
    const QString impossible = Path("music/notes.txt/sub/deeper");
    ASSERT_TRUE(m_browser.ShowFolder(impossible, view));
    EXPECT_EQ(m_state.currentPath, Path("music"));
    EXPECT_EQ(view.folder, Path("music"));
    ASSERT_EQ(m_messenger.calls.size(), 1u);
    EXPECT_EQ(m_messenger.calls[0].text,
              "フォルダー・エラー発生\n" + impossible + "\nエラーを回避してみます。");
    EXPECT_EQ(m_messenger.calls[0].kind, test::FakeMessenger::Kind::Timed);
    EXPECT_EQ(NearestUsableFolder("relative/path", "/fallback"), "/fallback");
}

TEST_F(FolderBrowserTest, FileListFillAndItsFailure) {
    FolderView view;
    ASSERT_TRUE(m_browser.ShowFolder(Path("music"), view));
    m_state.fileMask = "*.TXT;";
    std::vector<FileRow> rows;
    ASSERT_TRUE(m_browser.FillFileList(rows));
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(m_browser.FilePath(rows[0]), Path("music/notes.txt"));

    m_state.currentPath = Path("music/notes.txt");
    EXPECT_FALSE(m_browser.FillFileList(rows));
    EXPECT_TRUE(rows.empty());
    EXPECT_EQ(m_messenger.Texts(),
              QStringList{"ファイルリスト・エラー発生\n" + Path("music/notes.txt") +
                          "\n別のドライブか、フォルダーを選択してみて下さい"});
}

TEST_F(FolderBrowserTest, DriveThatDoesNotAnswerGoesBack) {
    m_state.currentPath = Path("music");
    EXPECT_EQ(m_browser.ChangeDrive("/no/such/mount"), Path("music"));
    EXPECT_EQ(m_messenger.Texts(),
              QStringList{"ドライブ・エラー発生\n/no/such/mount\n元のドライブに戻します"});
}

TEST_F(FolderBrowserTest, DeletedHistoryFolderIsMadeAgainWhenPicked) {
    m_state.history = QStringList{Path("music/rock/live"), Path("music/jazz")};
    m_state.historyIndex = 0;
    QDir(Path("music/rock/live")).removeRecursively();
    EXPECT_EQ(m_browser.PickHistory(), Path("music/rock/live"));
    EXPECT_TRUE(QFileInfo(Path("music/rock/live")).isDir());
}

} // namespace
} // namespace veskar
