#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "app/ProgramEntry.h"
#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"
#include "platform/Installation.h"
#include "platform/SingleInstance.h"
#include "support/QtPrint.h"

namespace veskar {
namespace {

// Runs the window program to its end while this process keeps serving its own events.
int RunCutter(const QStringList& arguments, int timeoutMs = 20000) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.start(QStringLiteral(PIRVAN_CUTTER_PATH), arguments);
    const QDeadlineTimer deadline(timeoutMs);
    while (!process.waitForFinished(10)) {
        QCoreApplication::processEvents();
        if (deadline.hasExpired()) {
            process.kill();
            process.waitForFinished();
            return -1;
        }
    }
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
}

TEST(ProgramEntryTest, RunModeAndVersionDecideWhatStarts) {
    EXPECT_EQ(RunModeOf({"/uninstall"}, "pirvan-cutter"), RunMode::Uninstall);
    EXPECT_EQ(RunModeOf({"/uninstall", "x"}, "unin_kotan000"), RunMode::Uninstall);
    EXPECT_EQ(RunModeOf({"x", "/uninstall"}, "pirvan-cutter"), RunMode::Normal);
    EXPECT_EQ(RunModeOf({"/UNINSTALL"}, "pirvan-cutter"), RunMode::Normal);
    EXPECT_EQ(RunModeOf({}, "UNIN_KOTAN000.EXE"), RunMode::Uninstaller);
    EXPECT_EQ(RunModeOf({}, "unin_kotan000"), RunMode::Uninstaller);

    const std::tuple<int, const char*, bool> cases[] = {
        {26, "pirvan-cutter", true}, {25, "pirvan-cutter", false}, {255, "pirvan-cutter", false},
        {26, "pirvan-Setup", false}, {25, "SETUP", false},
    };
    for (const auto& [version, name, main] : cases) {
        EXPECT_EQ(StartsMainWindow(version, name), main) << version << " " << name;
    }
}

TEST(ProgramEntryTest, SecondStartHandsItsArgumentsToTheFirstAndEndsWithoutAWindow) {
    SingleInstance first(QStringLiteral("TKOTAN_VESKAR"));
    ASSERT_TRUE(first.Claim());
    QStringList received;
    QObject::connect(&first, &SingleInstance::ArgumentsReceived,
                     [&received](const QString& text) { received << text; });
    // The store says installed, so a start that did not hand over would open the window and
    // run until the deadline.
    ASSERT_EQ(SettingsStore().WriteSetup("/x", "g"), "");

    EXPECT_EQ(RunCutter({"take 1.wav", "/tmp/b"}), 0);
    EXPECT_EQ(RunCutter({}), 0);
    EXPECT_EQ(received, QStringList({"take 1.wav?/tmp/b", ""}));
}

TEST(ProgramEntryTest, QuietSetupInstallsOnce) {
    ASSERT_EQ(RunCutter({"--setup"}), 0);
    SettingsStore store;
    EXPECT_EQ(store.ReadVersion(), kInstalledVersion);
    const ShortcutFiles files = ShortcutFilesFor(QString::fromUtf8(kDefaultGroup));
    QFile entry(files.uninstallEntry);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly)) << files.uninstallEntry.toStdString();
    EXPECT_TRUE(entry.readAll().contains("Exec=\"" PIRVAN_CUTTER_PATH "\" \"/uninstall\"\n"));
    EXPECT_TRUE(QFile::exists(files.menuEntry));
    Settings folders;
    store.ReadFormValues(folders);
    store.ReadChopDir(folders);
    EXPECT_EQ(folders.saveDir, DefaultSettingFolder("SAVE_DIR") + "/");
    EXPECT_EQ(folders.chopDir, DefaultSettingFolder("BG_DIR") + "/");

    // Installed already: a second run changes nothing.
    QFile::remove(files.menuEntry);
    ASSERT_EQ(RunCutter({"--setup"}), 0);
    EXPECT_FALSE(QFile::exists(files.menuEntry));
}

} // namespace
} // namespace veskar
