#include <gtest/gtest.h>

#include <functional>

#include <sys/mount.h>
#include <unistd.h>

#include <sched.h>

#include <QDir>
#include <QFile>

#include "core/settings/ListFiles.h"
#include "core/settings/SettingsStore.h"
#include "support/ChangedSettings.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override { home = test::TestHomeDir(); }

    /// Writes an INI file as a user or an older version left it and returns its store.
    SettingsStore StoreWith(const QByteArray& lines) {
        const QString path = home + QStringLiteral("/given%1.conf").arg(++m_files);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("[General]\n" + lines);
        file.close();
        return SettingsStore(path);
    }
    Settings ReadAll(const SettingsStore& store) {
        Settings settings;
        store.ReadFormValues(settings);
        store.ReadChopDir(settings);
        store.ReadDeferredValues(settings);
        return settings;
    }
    /// The file's lines as stored, "name=value".
    static QStringList FileLines(const SettingsStore& store) {
        QFile file(store.FileName());
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n')
                                              : QStringList();
    }
    QString home;

private:
    int m_files = 0;
};

TEST_F(SettingsStoreTest, FirstStartReadsEveryDefault) {
    SettingsStore store;
    EXPECT_EQ(ReadAll(store), Settings());
    EXPECT_EQ(store.ReadVersion(), kVersionNotInstalled);
    EXPECT_EQ(StoreWith("Version=abc").ReadVersion(), kVersionNotInstalled);
    EXPECT_FALSE(QFile::exists(store.FileName())) << "reading creates nothing";
}

TEST_F(SettingsStoreTest, ValuesThatDoNotServeTakeTheirDefault) {
    struct Case {
        QByteArray line;
        std::function<int(const Settings&)> field;
        int expected;
    };
    const auto tbm = [](const Settings& s) { return s.chopMinutes; };
    const Case cases[] = {
        {"TBM=0", tbm, 15},
        {"TBM=1001", tbm, 15},
        {"TBM=x", tbm, 15},
        {"TBM=1000", tbm, 1000},
        {"TBM=\" 7 \"", tbm, 7},
        {"TWR=9", [](const Settings& s) { return s.chopRateItem; }, 7},
        {"TWB=-1", [](const Settings& s) { return s.chopBitsItem; }, 1},
        {"RENZOKU=7", [](const Settings& s) { return s.continuousTarget; }, 0},
        {"ST5=12", [](const Settings& s) { return s.startProbeItem; }, 5},
        {"SE5=9", [](const Settings& s) { return s.edgeProbeItem; }, 4},
        {"ME1=6", [](const Settings& s) { return s.silentEndProbeItem; }, 1},
        {"Play_Mode=7", [](const Settings& s) { return s.playModePreset; }, 2},
        {"TPM_FE=10", [](const Settings& s) { return s.edgeIndex; }, 5},
        {"FUN=2", [](const Settings& s) { return int(s.minutes); }, 1},
        {"No_Memo=yes", [](const Settings& s) { return int(s.noMemo); }, 0},
        {"VWM2=x", [](const Settings& s) { return s.cutWavePresets[2]; }, 20},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.field(ReadAll(StoreWith(c.line))), c.expected) << c.line.toStdString();
    }
}

TEST_F(SettingsStoreTest, IntroEndStaysAfterItsStart) {
    struct Case {
        QByteArray lines;
        int start;
        int end;
    };
    const Case cases[] = {
        {"I_ST=30\nI_EN=30", 30, 40}, {"I_ST=-5\nI_EN=0", 0, 10},  {"I_ST=5\nI_EN=20", 5, 20},
        {"I_ST=x\nI_EN=y", 0, 10},    {"I_ST=50\nI_EN=8", 50, 60},
    };
    for (const Case& c : cases) {
        const Settings s = ReadAll(StoreWith(c.lines));
        EXPECT_EQ(std::make_pair(s.introStartS, s.introEndS), std::make_pair(c.start, c.end))
            << c.lines.toStdString();
    }
}

TEST_F(SettingsStoreTest, WindowPositionIsReadAndKeptInsideTheWorkArea) {
    const QSize window(800, 600);
    const QRect screen(0, 0, 1280, 1024);
    const QRect work(0, 30, 1280, 994); // a panel docked at the top
    struct Case {
        QByteArray line;
        QPoint expected;
    };
    const Case cases[] = {
        {"", {240, 212}},
        {"FP=\"x,5\"", {240, 212}},
        {"FP=\"100,200,300\"", {240, 212}},
        {"FP=\"100,200\"", {100, 200}},
        {"FP=100,200", {100, 200}}, // typed by hand: the INI reads a list
        {"FP=\"-30000,-30000\"", {0, 30}},
        {"FP=\"30000,30000\"", {480, 424}},
    };
    for (const Case& c : cases) {
        Settings s;
        StoreWith(c.line).ReadFormValues(s);
        EXPECT_EQ(WindowPosition(s.position, window, screen, work), c.expected)
            << c.line.toStdString();
    }
    EXPECT_EQ(WindowPosition(QPoint(500, 500), QSize(2000, 2000), screen, work), QPoint(0, 30))
        << "a window larger than the work area keeps its top-left corner inside";
}

TEST_F(SettingsStoreTest, FolderValuesAreMadeWhenMissingAndForgottenWhenUnusable) {
    const QString made = home + "/cut/deep";
    ASSERT_TRUE(QFile(home + "/plain").open(QIODevice::WriteOnly));
    const std::pair<QString, QString> cases[] = {
        {"", kFolderNotSet},
        {"\\", kFolderNotSet},
        {"@@@@@\\", kFolderNotSet},
        {"relative/cut", kFolderNotSet},
        {home + "/plain", kFolderNotSet},
        {made + "/", made + "/"},
        {home + "//cut/./deep", made + "/"},
        // A removable disk that is not mounted: nothing is made in its place on the system disk.
        {"/media/pirvan-no-such-disk/cut", kFolderNotSet},
        {"/run/media/pirvan-no-such-disk/cut", kFolderNotSet},
    };
    for (const auto& [stored, expected] : cases) {
        EXPECT_EQ(ResolveFolderSetting(stored), expected) << stored.toStdString();
    }
    EXPECT_FALSE(QFile::exists("/media/pirvan-no-such-disk"));

    SettingsStore store =
        StoreWith("SAVE_DIR=/media/pirvan-no-such-disk/cut\nBG_DIR=" + made.toUtf8());
    const Settings s = ReadAll(store);
    EXPECT_EQ(s.saveDir, kFolderNotSet);
    EXPECT_EQ(s.chopDir, made + "/");
}

// Every setting changed to a value of its own, written and read back.
TEST_F(SettingsStoreTest, EverySettingSurvivesASaveAndALoad) {
    const Settings changed = test::ChangedSettings(home);
    SettingsStore store;
    ASSERT_EQ(store.WriteAll(changed), "");
    EXPECT_EQ(ReadAll(store), changed);

    SettingsStore defaults(home + "/defaults.conf");
    ASSERT_EQ(defaults.WriteAll(Settings()), "");
    const QStringList lines = FileLines(store);
    const QStringList defaultLines = FileLines(defaults);
    QStringList names;
    for (const QString& line : lines) {
        EXPECT_TRUE(line.isEmpty() || line == "[General]" || !defaultLines.contains(line))
            << line.toStdString() << " is the default: the change misses it";
        names << line.section('=', 0, 0);
    }
    names.removeAll("[General]");
    names.removeAll("");
    names.sort();
    QStringList saved = SettingsStore::SavedNames();
    saved.sort();
    EXPECT_EQ(names, saved) << "every value of the save, nothing else (no \"Version\")";
    EXPECT_TRUE(lines.contains("DIR_Text=\"@take 1.wav\"")) << "texts as they are";
    EXPECT_EQ(ReadAll(StoreWith("DIR_Text=\"a\\rb\\tc\"")).dirText, "a\rb\tc");
}

TEST_F(SettingsStoreTest, OlderSilenceFieldsAreTakenOverOnce) {
    SettingsStore store = StoreWith("Ninshiki_Time=700\nEMT0=50\nEML0=x\nEML1=300\n"
                                    "EML80=5\nEML81=6\nEML83=8\nTBM=20\n");
    const OlderSilenceFields fields = store.TakeOlderSilenceFields();
    EXPECT_EQ(fields.recognition, "700");
    EXPECT_EQ(fields.durations[0], "50");
    EXPECT_EQ(fields.durations[1], std::nullopt);
    EXPECT_EQ(fields.levels[0], std::nullopt) << "not numeric";
    EXPECT_EQ(fields.levels[1], "300");
    EXPECT_EQ(store.TakeOlderSilenceFields().levels[1], std::nullopt) << "deleted after reading";
    EXPECT_EQ(store.TakeOlderSilenceFields().recognition, "500");

    EXPECT_EQ(store.TakeOlderLevels(true), QStringList({"5", "6"})) << "up to the first gap";
    EXPECT_EQ(store.TakeOlderLevels(true), QStringList());
    EXPECT_EQ(ReadAll(store).chopMinutes, 20) << "other values stay";
}

// The settings and list files on a volume with no room left: the writes fail with their
// message and the files keep what they held.
TEST_F(SettingsStoreTest, FullDiskKeepsTheEarlierFiles) {
    if (::geteuid() != 0) {
        GTEST_SKIP() << "needs root to mount a small tmpfs in a private mount namespace";
    }
    const QString mount = home + "/small";
    ASSERT_TRUE(QDir().mkpath(mount));
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", mount.toLocal8Bit().constData(), "tmpfs", 0, "size=16k") != 0) {
        GTEST_SKIP() << "no private mount namespace here (a container without CAP_SYS_ADMIN)";
    }
    SettingsStore store(mount + "/VESKAR.conf");
    Settings old;
    old.chopMinutes = 20;
    ASSERT_EQ(store.WriteAll(old), "");
    ASSERT_EQ(SaveDataLists(mount, {{"old"}, {}, {}, {}}), QStringList());
    QFile filler(mount + "/filler");
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    while (filler.write(QByteArray(1024, 'x')) == 1024 && filler.flush()) {
    }

    Settings changed;
    changed.chopMinutes = 30;
    changed.dirText = QString(4096, 'y');
    const QString error = store.WriteAll(changed);
    EXPECT_TRUE(error.startsWith(QString::fromUtf8(kSettingsSaveError))) << error.toStdString();
    EXPECT_TRUE(FileLines(store).contains("TBM=\"20\"")) << "the earlier file stays whole";
    const QStringList failures =
        SaveDataLists(mount, {{QString(8192, 'n')}, {QString(8192, 'c')}, {}, {}});
    EXPECT_EQ(failures.size(), 2) << failures.join('\n').toStdString();
    EXPECT_EQ(LoadColorTagNames(mount).first(), "old");
    ::umount(mount.toLocal8Bit().constData());
}

} // namespace
} // namespace veskar
