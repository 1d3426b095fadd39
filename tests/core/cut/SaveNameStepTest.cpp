#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/cut/SaveNameStep.h"
#include "core/host/SharedFlags.h"
#include "support/FakeHost.h"
#include "support/FakeSaveFileDialog.h"

namespace veskar::test {

namespace {

class SaveNameStepTest : public testing::Test {
protected:
    void SetUp() override {
        QDir(m_dir.path()).mkpath("cut");
        QDir(m_dir.path()).mkpath("other");
        m_source = m_dir.filePath("rec/live.wav");
        QDir(m_dir.path()).mkpath("rec");
        QFile source(m_source);
        ASSERT_TRUE(source.open(QIODevice::WriteOnly));
        m_saveDir = m_dir.filePath("cut") + "/";
        m_automatic = m_saveDir + "live_0754321.wav";
    }
    SaveNameResult Ask() {
        return AskSaveName(m_automatic, m_source, m_saveDir, m_dialog, m_messenger, m_flags);
    }
    QString Folder(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    QString m_source;
    QString m_saveDir;
    QString m_automatic;
    FakeSaveFileDialog m_dialog;
    FakeMessenger m_messenger;
    SharedFlags m_flags;
};

TEST_F(SaveNameStepTest, TheDialogOffersTheAutomaticName) {
    m_dialog.answers = {m_saveDir + "mine.wav"};
    const SaveNameResult result = Ask();
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.path, m_saveDir + "mine.wav");
    ASSERT_EQ(m_dialog.requests.size(), 1u);
    const SaveFileDialog::Request& request = m_dialog.requests[0];
    EXPECT_EQ(request.fileName, m_automatic);
    EXPECT_EQ(request.initialDir, Folder("cut"));
    EXPECT_EQ(request.defaultExt, "wav");
    EXPECT_EQ(request.filter, QString::fromUtf8("ＷＡＶ files (*.WAV)|*.WAV|ALL files (*.*)|*.*"));
    EXPECT_TRUE(m_messenger.calls.empty()) << "same folder: no question";
    EXPECT_EQ(m_saveDir, Folder("cut") + "/");
}

TEST_F(SaveNameStepTest, CancelSkipsTheSegment) {
    for (int answer : {Messenger::Ok, Messenger::Abort}) {
        m_messenger.calls.clear();
        m_flags.stopRequested = false;
        m_messenger.answers = {answer};
        const SaveNameResult result = Ask();
        EXPECT_FALSE(result.accepted);
        ASSERT_EQ(m_messenger.calls.size(), 1u);
        EXPECT_EQ(m_messenger.calls[0].kind, FakeMessenger::Kind::Error);
        EXPECT_EQ(m_messenger.calls[0].text,
                  m_automatic + QString::fromUtf8("\nセーブせずに飛ばします☆☆☆"));
        EXPECT_EQ(m_flags.stopRequested, answer == Messenger::Abort);
    }
}

TEST_F(SaveNameStepTest, TheSourceIsRefusedInAnySpelling) {
    const QString link = Folder("cut/link.wav");
    ASSERT_TRUE(QFile::link(m_source, link));
    const QString spelled = Folder("cut/../rec/./live.wav");
    m_dialog.answers = {m_source, link, spelled, m_saveDir + "fine.wav"};
    m_messenger.answers = {Messenger::Ok, Messenger::Abort, Messenger::Ok};
    const SaveNameResult result = Ask();
    EXPECT_TRUE(result.accepted);
    EXPECT_EQ(result.path, m_saveDir + "fine.wav");
    EXPECT_EQ(m_dialog.requests.size(), 4u);
    const QString refused = QString::fromUtf8("\n元ファイルには上書きセーブ出来ません・・・");
    EXPECT_EQ(m_messenger.Texts(),
              (QStringList{m_source + refused, link + refused, spelled + refused}));
    EXPECT_TRUE(m_flags.stopRequested) << "Abort in the refusal box stops the run";
    EXPECT_EQ(m_saveDir, Folder("cut") + "/") << "a refused path never moves the save folder";
}

// A taken name is never replaced: the question names the free name the piece gets instead.
TEST_F(SaveNameStepTest, ATakenNameAsksForTheFreeName) {
    ASSERT_TRUE(QFile(m_saveDir + "mine.wav").open(QIODevice::WriteOnly));
    m_dialog.answers = {m_saveDir + "mine.WAV", m_saveDir + "mine.WAV"};
    m_messenger.answers = {Messenger::No, Messenger::Yes};
    EXPECT_EQ(Ask().path, m_saveDir + "mine.WAV");
    EXPECT_EQ(m_dialog.requests.size(), 2u) << "No shows the dialog again";
    EXPECT_TRUE(m_messenger.Texts().value(1).endsWith(
        QString::fromUtf8("存在します・・・\nmine_c000.wav\nの名前で、セーブしますか?")));
}

TEST_F(SaveNameStepTest, AnotherFolderAsksWhetherTheSaveFolderFollows) {
    const QString chosen = Folder("other/mine.wav");
    const QString question =
        QString::fromUtf8("今作成するWAVファイルは、\n") + Folder("other") +
        QString::fromUtf8("\nに、登録しますが・・・\n「分割WAVファイル登録先」設定も\n") +
        Folder("cut") + QString::fromUtf8("\nから\n") + Folder("other") +
        QString::fromUtf8("\nに、変更しますか?");

    m_dialog.answers = {chosen};
    m_messenger.answers = {Messenger::No};
    EXPECT_EQ(Ask().path, chosen);
    ASSERT_EQ(m_messenger.calls.size(), 1u);
    EXPECT_EQ(m_messenger.calls[0].kind, FakeMessenger::Kind::ErrorQuestion);
    EXPECT_EQ(m_messenger.calls[0].text, question);
    EXPECT_EQ(m_messenger.calls[0].defaultResult, Messenger::Yes);
    EXPECT_EQ(m_saveDir, Folder("cut") + "/");

    // Abort shows the dialog again; Yes then moves the save folder.
    m_messenger.calls.clear();
    m_dialog.answers = {chosen, chosen};
    m_messenger.answers = {Messenger::Abort, Messenger::Yes};
    EXPECT_EQ(Ask().path, chosen);
    EXPECT_EQ(m_messenger.calls.size(), 2u);
    EXPECT_EQ(m_saveDir, Folder("other") + "/");
    EXPECT_FALSE(m_flags.stopRequested);
}

} // namespace

} // namespace veskar::test
