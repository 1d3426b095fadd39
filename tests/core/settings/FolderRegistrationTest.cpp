#include <gtest/gtest.h>

#include <QDir>
#include <QFile>

#include "core/settings/FolderRegistration.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

TEST(FolderRegistrationTest, MissingLevelsAreMadeOneByOneAfterAsking) {
    const QString home = test::TestHomeDir();
    ASSERT_TRUE(QFile(home + "/plain").open(QIODevice::WriteOnly));
    struct Case {
        QString text;
        std::deque<int> answers;
        FolderRegistration result;
        QStringList texts;
        QString folder; ///< registered, or "" when nothing was
    };
    const Case cases[] = {
        {" ", {}, FolderRegistration::Empty, {"フォルダーを設定して下さい。"}, ""},
        {"cut", {}, FolderRegistration::Unusable, {"[ cut ]\nデータが不正です"}, ""},
        {home + "/plain/x",
         {},
         FolderRegistration::Unusable,
         {"[ " + home + "/plain/x ]\nデータが不正です"},
         ""},
        {home + "/a/b",
         {Messenger::Yes, Messenger::No},
         FolderRegistration::Declined,
         {home + "/a\nフォルダーを作成します", home + "/a/b\nフォルダーを作成します"},
         ""},
        {"~/a/b/",
         {},
         FolderRegistration::Registered,
         {home + "/a/b\nフォルダーを作成します", "[ " + home + "/a/b ]\nフォルダーを登録しました"},
         home + "/a/b"},
        {home + "//a/./b",
         {},
         FolderRegistration::Registered,
         {"[ " + home + "/a/b ]\nフォルダーを登録しました"},
         home + "/a/b"},
    };
    for (const Case& c : cases) {
        test::FakeMessenger messenger;
        messenger.answers = c.answers;
        QString folder;
        EXPECT_EQ(RegisterFolder(c.text, messenger, folder), c.result) << c.text.toStdString();
        EXPECT_EQ(messenger.Texts(), c.texts) << c.text.toStdString();
        EXPECT_EQ(folder, c.folder);
    }
    EXPECT_TRUE(QDir(home + "/a/b").exists());
}

TEST(FolderRegistrationTest, ALevelThatCannotBeMadeEndsTheCommand) {
    // Not even root makes folders in /proc.
    test::FakeMessenger messenger;
    QString folder;
    EXPECT_EQ(RegisterFolder("/proc/pirvan-test/x", messenger, folder), FolderRegistration::Failed);
    EXPECT_EQ(messenger.Texts(), QStringList({"/proc/pirvan-test\nフォルダーを作成します",
                                              "フォルダーの作成に失敗しました・・・"}));
}

} // namespace
} // namespace veskar
