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

// The program started on a store that scripts/run's setup step wrote, and on one a user left
// with only "Version" and both folders: the window opens without a question (a question would
// keep it open past the deadline), keeps the save folder and writes every setting back at quit.
TEST(ProgramEntryTest, ScreenshotStartAsksNothingAndWritesEverySettingBack) {
    const QString saveDir = QDir::temp().filePath(QStringLiteral("pirvan-%1-cut/").arg(getpid()));
    const QString given =
        "[General]\nVersion=26\nSAVE_DIR=" + saveDir + "\nBG_DIR=" + saveDir + "bg/\n";
    const std::pair<QString, QStringList> starts[] = {
        {"--setup", {"Version", "EXEPATH", "Group"}},
        {given, {"Version"}},
    };
    for (const auto& [prepare, kept] : starts) {
        QFile file(SettingsStore().FileName());
        file.remove();
        if (prepare == "--setup") {
            ASSERT_EQ(RunCutter({"--setup"}), 0);
        } else {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(prepare.toUtf8());
            file.close();
        }
        const QString png = QDir::temp().filePath(QStringLiteral("pirvan-%1.png").arg(getpid()));
        ASSERT_EQ(RunCutter({"--screenshot", png, "--screen", "cut"}), 0) << prepare.toStdString();
        EXPECT_TRUE(QFile::remove(png));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        file.close();
        QStringList names;
        for (const QString& line : lines) {
            names << line.section('=', 0, 0);
        }
        QStringList expected = SettingsStore::SavedNames() + kept + QStringList{"[General]", ""};
        names.sort();
        expected.sort();
        EXPECT_EQ(names, expected) << prepare.toStdString();
        if (prepare != "--setup") {
            EXPECT_TRUE(lines.contains("SAVE_DIR=\"" + saveDir + "\""))
                << lines.join('|').toStdString();
        }
    }
    QFile entry(ShortcutFilesFor(QString::fromUtf8(kDefaultGroup)).uninstallEntry);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("Exec=\"" PIRVAN_CUTTER_PATH "\" \"/uninstall\"\n"));
    QDir(saveDir).removeRecursively();
}

} // namespace
} // namespace veskar
