#include <gtest/gtest.h>

#include <functional>

#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>

#include "app/ProgramEntry.h"
#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"
#include "platform/Installation.h"
#include "platform/SingleInstance.h"
#include "support/QtPrint.h"
#include "support/TestHome.h"

namespace veskar {
namespace {

// Runs the window program to its end while this process keeps serving its own events;
// `whileRunning` is called until it returns true (e.g. to end the program from outside).
int RunCutter(const QStringList& arguments, int timeoutMs = 20000,
              const std::function<bool(QProcess&)>& whileRunning = {},
              const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedChannels);
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(PIRVAN_CUTTER_PATH), arguments);
    const QDeadlineTimer deadline(timeoutMs);
    bool done = !whileRunning;
    while (!process.waitForFinished(10)) {
        QCoreApplication::processEvents();
        done = done || whileRunning(process);
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
    EXPECT_EQ(RunModeOf({"x", "/uninstall"}, "pirvan-cutter"), RunMode::Normal);
    EXPECT_EQ(RunModeOf({"/UNINSTALL"}, "pirvan-cutter"), RunMode::Normal);
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
    QList<QStringList> received;
    QObject::connect(&first, &SingleInstance::ArgumentsReceived,
                     [&received](const QStringList& arguments) { received << arguments; });
    // The store says installed, so a start that did not hand over would open the window and
    // run until the deadline.
    ASSERT_EQ(SettingsStore().WriteSetup("/x", "g"), "");

    EXPECT_EQ(RunCutter({"take 1?.wav", "/tmp/b\nc"}), 0);
    EXPECT_EQ(RunCutter({}), 0);
    // Files go over whole, with absolute paths: the running window has a folder of its own.
    EXPECT_EQ(received, (QList<QStringList>{
                            {QDir::current().absoluteFilePath("take 1?.wav"), "/tmp/b\nc"}, {}}));
}

// The program started on a store that scripts/run's setup step wrote, and on one a user left
// with only "Version" and both folders: the window opens without a question (a question would
// keep it open past the deadline), keeps the save folder and writes every setting back at quit.
TEST(ProgramEntryTest, ScreenshotStartAsksNothingAndWritesEverySettingBack) {
    const QString home = test::TestHomeDir();
    const QString given =
        "[General]\nVersion=26\nSAVE_DIR=" + home + "/cut/\nBG_DIR=" + home + "/bg/";
    const std::tuple<QString, QStringList, QString> starts[] = {
        {"--setup", {"Version", "EXEPATH", "Group"}, home + "/DIZEZI32/SAVE_DIR/"},
        {given, {"Version"}, home + "/cut/"},
    };
    for (const auto& [prepare, kept, saveDir] : starts) {
        QFile file(SettingsStore().FileName());
        file.remove();
        if (prepare == "--setup") {
            ASSERT_EQ(RunCutter({"--setup"}), 0);
        } else {
            ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(prepare.toUtf8()) > 0);
            file.close();
        }
        ASSERT_EQ(RunCutter({"--screenshot", home + "/shot.png", "--screen", "cut"}), 0)
            << prepare.toStdString();
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        file.close();
        QStringList names = (SettingsStore::SavedNames() + kept) << "[General]"
                                                                 << "";
        for (const QString& line : lines) {
            names.removeOne(line.section('=', 0, 0));
        }
        EXPECT_EQ(names, QStringList()) << "missing from the file";
        EXPECT_TRUE(lines.contains("SAVE_DIR=\"" + saveDir + "\""))
            << lines.join('|').toStdString();
    }
    QFile entry(ShortcutFilesFor(QString::fromUtf8(kDefaultGroup)).uninstallEntry);
    ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
    EXPECT_TRUE(entry.readAll().contains("Exec=\"" PIRVAN_CUTTER_PATH "\" \"/uninstall\"\n"));
}

TEST(ProgramEntryTest, AKillWritesTheSettingsAndHelpNeedsNoDisplay) {
    QFile::remove(SettingsStore().FileName());
    ASSERT_EQ(RunCutter({"--setup"}), 0);
    // Terminated once the window runs: it has taken an (empty) hand-over.
    const auto terminateOnceRunning = [](QProcess& process) {
        if (!SingleInstance(QStringLiteral("TKOTAN_VESKAR")).HandOver({}, 500)) {
            return false;
        }
        process.terminate();
        return true;
    };
    EXPECT_EQ(RunCutter({"--screen", "cut"}, 20000, terminateOnceRunning), 0);
    QFile file(SettingsStore().FileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray written = file.readAll();
    EXPECT_TRUE(written.contains("\nCPath=")) << written.toStdString();

    QProcessEnvironment noDisplay = QProcessEnvironment::systemEnvironment();
    noDisplay.remove("DISPLAY");
    noDisplay.remove("WAYLAND_DISPLAY");
    noDisplay.insert("QT_QPA_PLATFORM", "xcb");
    EXPECT_EQ(RunCutter({"--help"}, 20000, {}, noDisplay), 0);
}

} // namespace
} // namespace veskar
