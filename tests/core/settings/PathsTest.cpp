#include <gtest/gtest.h>

#include <cstdlib>

#include <QDir>

#include "core/settings/Paths.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

class PathsTest : public testing::Test {
protected:
    void SetUp() override { home = test::TestHomeDir(); }
    void TearDown() override { QDir(home + "/DIZEZI32").removeRecursively(); }
    QString home;
};

TEST_F(PathsTest, RecordsAndDefaultsLiveUnderTheHomeFolder) {
    EXPECT_EQ(DizeziDir(), home + "/DIZEZI32/");
    EXPECT_EQ(WorkDir(), home + "/DIZEZI32/TEMP/");
    EXPECT_EQ(DefaultSettingFolder("SAVE_DIR"), home + "/DIZEZI32/SAVE_DIR");
    EXPECT_EQ(DefaultSettingFolder("BG_DIR"), home + "/DIZEZI32/BG_DIR");
}

TEST_F(PathsTest, ProgramDirFollowsVeskarHomeOnly) {
    const QByteArray saved = qgetenv("VESKAR_HOME");
    ::setenv("VESKAR_HOME", (home + "/other//").toLocal8Bit().constData(), 1);
    EXPECT_EQ(ProgramDir(), home + "/other/");
    ::unsetenv("VESKAR_HOME");
    const QString data = ProgramDir();
    EXPECT_TRUE(data.startsWith(home + "/.local/share/")) << data.toStdString();
    EXPECT_TRUE(data.endsWith('/')) << data.toStdString();
    ::setenv("VESKAR_HOME", saved.constData(), 1);
}

TEST_F(PathsTest, FolderNotSetSpellings) {
    struct Case {
        const char* value;
        bool notSet;
    };
    const Case cases[] = {{"", true},         {"/", true},       {"@@@@@/", true},
                          {"@@@@@", true},    {"@@@@", false},   {"/home/me/cut/", false},
                          {"@@@@@/x", false}, {"@@@@@//", false}};
    for (const Case& c : cases) {
        EXPECT_EQ(IsFolderNotSet(QString::fromLatin1(c.value)), c.notSet) << c.value;
    }
}

} // namespace
} // namespace veskar
