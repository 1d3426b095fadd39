#include <gtest/gtest.h>

#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
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

// The program as scripts/run starts it: set up without a question (menu entries, default
// folders), the window opens without one, and its close writes every setting back.
TEST(ProgramEntryTest, ScreenshotStartAsksNothingAndWritesEverySettingBack) {
    ASSERT_EQ(RunCutter({"--setup"}), 0);
    QFile entry(ShortcutFilesFor(QString::fromUtf8(kDefaultGroup)).uninstallEntry);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("Exec=\"" PIRVAN_CUTTER_PATH "\" \"/uninstall\"\n"));
    const QString png = QDir::temp().filePath(QStringLiteral("pirvan-%1.png").arg(getpid()));
    ASSERT_EQ(RunCutter({"--screenshot", png}), 0) << "a question would have kept it open";
    EXPECT_TRUE(QFile::remove(png));
    QFile file(SettingsStore().FileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QStringList names;
    for (const QByteArray& line : file.readAll().split('\n')) {
        names << QString::fromUtf8(line).section('=', 0, 0);
    }
    QStringList expected = SettingsStore::SavedNames();
    expected << "Version"
             << "EXEPATH"
             << "Group"
             << "[General]"
             << "";
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);
}

} // namespace
} // namespace veskar
