#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/browser/SelectionDialog.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

TEST(SelectionDialogTest, FilterEntriesGetAnAllFilesEntryWhenNoneIsGiven) {
    struct Case {
        const char* filter;
        QStringList captions;
    };
    const Case cases[] = {
        {"ＷＡＶ files (*.WAV)|*.WAV|ALL files (*.*)|*.*",
         {"ＷＡＶ files (*.WAV)", "ALL files (*.*)"}},
        {"WAV|*.wav;*.wave", {"WAV (*.wav;*.wave)", "ALL files (*.*)"}},
        {"", {"ALL files (*.*)"}},
    };
    for (const Case& c : cases) {
        QStringList captions;
        for (const DialogFilter& entry : DialogFilters(QString::fromUtf8(c.filter))) {
            captions << entry.caption;
        }
        EXPECT_EQ(captions, c.captions) << c.filter;
    }
    EXPECT_EQ(DialogFilters("WAV|*.wav;*.wave")[0].mask, "*.wav;*.wave");
    EXPECT_EQ(DialogCaption("", "PIRVAN", true), "PIRVANファイルの選択");
    EXPECT_EQ(DialogCaption("保存先", "PIRVAN", false), "保存先フォルダーの選択");
}

TEST(SelectionDialogTest, ChoosingAFileName) {
    struct Case {
        const char* text;
        const char* defaultExt;
        const char* path;
        const char* error;
    };
    const Case cases[] = {
        {"take", "wav", "/rec/take.wav", ""},
        {"take.WAV", "wav", "/rec/take.WAV", ""},
        {"take.mp3", "wav", "/rec/take.mp3.wav", ""},
        {"take.mp3", "", "/rec/take.mp3", ""},
        {"/other/take", "wav", "/other/take.wav", ""},
        {"sub/take", "wav", "",
         "sub/take\ntake\nファイル名が不正です・・・\n"
         "ファイル名のみか、フルパス(ドライブ名付)で設定して下さい☆"},
        {"/other/", "wav", "", "/other/\n\nファイル名が不正です・・・"},
        {"", "wav", "", "\n\nファイル名が不正です・・・"},
    };
    for (const Case& c : cases) {
        const FileChoice choice = ChooseFile(QString::fromUtf8(c.text), "/rec/", c.defaultExt);
        EXPECT_EQ(choice.path, c.path) << c.text;
        EXPECT_EQ(choice.error, QString::fromUtf8(c.error)) << c.text;
    }
}

class SelectionDialogFolderTest : public testing::Test {
protected:
    QString Path(const QString& relative) const { return m_dir.filePath(relative); }
    QTemporaryDir m_dir;
    test::FakeMessenger m_messenger;
};

TEST_F(SelectionDialogFolderTest, StartFolderIsTheFirstGivenClimbingToWhatExists) {
    QDir(m_dir.path()).mkpath("saved/sub");
    const QString home = QDir::homePath();
    EXPECT_EQ(DialogStartFolder(true, Path("saved/sub/take.wav"), home, "", ""), Path("saved/sub"));
    EXPECT_EQ(DialogStartFolder(true, Path("gone/deeper/take.wav"), home, "", ""), m_dir.path());
    EXPECT_FALSE(QFileInfo::exists(Path("gone"))) << "opening the dialog makes no folder";
    EXPECT_EQ(DialogStartFolder(false, Path("saved/sub/take.wav"), Path("saved"), "", ""),
              Path("saved"));
    EXPECT_EQ(DialogStartFolder(true, "take.wav", "", "relative", Path("saved/")), Path("saved"));
    EXPECT_EQ(DialogStartFolder(false, "", "", "", ""), home);
}

TEST_F(SelectionDialogFolderTest, OverwriteNewAndDeleteFolder) {
    QFile(Path("take.wav")).open(QIODevice::WriteOnly);
    m_messenger.answers = {Messenger::Yes};
    EXPECT_TRUE(MayOverwrite(Path("take.wav"), m_messenger));
    EXPECT_FALSE(MayOverwrite(Path("take.wav"), m_messenger)) << "the countdown answers No";
    EXPECT_EQ(m_messenger.calls.at(0).text, "take.wav\n" + Path("take.wav") +
                                                "\n同名のファイルが既に存在します・・・\n"
                                                "ファイルを書き換えますか?");

    EXPECT_EQ(MakeNewFolder(m_dir.path(), "made", m_messenger), Path("made"));
    EXPECT_EQ(MakeNewFolder(m_dir.path(), "take.wav", m_messenger), "");
    EXPECT_EQ(m_messenger.calls.back().text, "フォルダー作成エラー");

    m_messenger.answers = {Messenger::Yes, Messenger::Yes};
    EXPECT_EQ(DeleteFolder(Path("made"), m_messenger), m_dir.path());
    EXPECT_FALSE(QFileInfo::exists(Path("made")));
    EXPECT_EQ(DeleteFolder(m_dir.path(), m_messenger), "") << "a folder with files stays";
    EXPECT_EQ(m_messenger.calls.back().text,
              m_dir.path() + "\nフォルダーの削除に失敗しました・・・");
    EXPECT_TRUE(QFileInfo::exists(Path("take.wav")));
}

} // namespace
} // namespace veskar
