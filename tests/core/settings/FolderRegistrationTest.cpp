#include <gtest/gtest.h>

#include <QFile>

#include "core/settings/FolderRegistration.h"
#include "support/FakeHost.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

// Texts name the home folder "%" and join the boxes shown with "|".
TEST(FolderRegistrationTest, MissingLevelsAreMadeOneByOneAfterAsking) {
    const QString home = test::TestHomeDir();
    ASSERT_TRUE(QFile(home + "/plain").open(QIODevice::WriteOnly));
    const auto expand = [&home](QString text) { return text.replace("%", home); };
    struct Case {
        const char* text;
        std::deque<int> answers;
        FolderRegistration result;
        const char* shown;
        const char* folder;
    };
    const Case cases[] = {
        {" ", {}, FolderRegistration::Empty, "フォルダーを設定して下さい。", ""},
        {"cut", {}, FolderRegistration::Unusable, "[ cut ]\nデータが不正です", ""},
        {"%/plain/x", {}, FolderRegistration::Unusable, "[ %/plain/x ]\nデータが不正です", ""},
        {"%/a/b",
         {Messenger::Yes, Messenger::No},
         FolderRegistration::Declined,
         "%/a\nフォルダーを作成します|%/a/b\nフォルダーを作成します",
         ""},
        {"~/a/b/",
         {},
         FolderRegistration::Registered,
         "%/a/b\nフォルダーを作成します|[ %/a/b ]\nフォルダーを登録しました",
         "%/a/b"},
        // Not even root makes folders in /proc.
        {"/proc/pirvan-test/x",
         {},
         FolderRegistration::Failed,
         "/proc/pirvan-test\nフォルダーを作成します|フォルダーの作成に失敗しました・・・",
         ""},
    };
    for (const Case& c : cases) {
        test::FakeMessenger messenger;
        messenger.answers = c.answers;
        QString folder;
        EXPECT_EQ(RegisterFolder(expand(c.text), messenger, folder), c.result) << c.text;
        EXPECT_EQ(messenger.Texts().join('|'), expand(QString::fromUtf8(c.shown))) << c.text;
        EXPECT_EQ(folder, expand(c.folder));
    }
}

} // namespace
} // namespace veskar
