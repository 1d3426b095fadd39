// pirvan-cutter: PIRVAN SOUND カッター, the window program.
#include <csignal>
#include <cstdio>
#include <cstring>

#include <sys/socket.h>
#include <unistd.h>

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>
#include <QSocketNotifier>
#include <QTimer>

#include "app/ProgramEntry.h"
#include "app/TVESKAR_SETUPFM.h"
#include "core/settings/Paths.h"
#include "core/settings/SettingsStore.h"
#include "core/text/Captions.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/QtJapanese.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "gui/main/WindowCommands.h"
#include "platform/Installation.h"
#include "platform/SingleInstance.h"

namespace {

using namespace veskar;

constexpr char kMainWindowClass[] = "TKOTAN_VESKAR";
constexpr char kSetupWindowClass[] = "TVESKAR_SETUPFM";
// Long enough for the deferred parts of the window to lay themselves out before the picture.
constexpr int kScreenshotDelayMs = 800;

// --setup: the setup step without its window, for scripted first starts, so that the first
// window opens without a question: the destination folders not chosen yet get their default
// folders, as the first-run prompts offer them. An installed program is left as it is.
int QuietSetup(const QString& programPath) {
    SettingsStore store;
    if (store.ReadVersion() == kInstalledVersion) {
        return 0;
    }
    Settings stored;
    store.ReadFormValues(stored);
    store.ReadChopDir(stored);
    store.ReadDeferredValues(stored);
    QString error;
    const std::pair<const char*, const QString*> folders[] = {{"SAVE_DIR", &stored.saveDir},
                                                              {"BG_DIR", &stored.chopDir}};
    for (const auto& [name, folder] : folders) {
        if (error.isEmpty() && IsFolderNotSet(*folder)) {
            const QString chosen = ResolveFolderSetting(DefaultSettingFolder(name));
            error = store.WriteFolder(name, chosen);
        }
    }
    const QString group = stored.group.isEmpty() ? QString::fromUtf8(kDefaultGroup) : stored.group;
    if (error.isEmpty()) {
        error = InstallProgram(programPath, group);
    }
    if (!error.isEmpty()) {
        std::fprintf(stderr, "%s\n", error.toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

// The files among the arguments, with absolute paths: what "Open with" of a file manager
// passes. Options and the uninstall word are not files.
QStringList WavArguments(const QStringList& arguments) {
    QStringList files;
    for (const QString& argument : arguments) {
        if (argument.isEmpty() || argument.startsWith('-') ||
            argument == QLatin1String(kUninstallArgument)) {
            continue;
        }
        files << QFileInfo(argument).absoluteFilePath();
    }
    return files;
}

// A later start handed its arguments over: the window comes to the front. A window that is not
// minimised is minimised and restored first, which brings it forward even where the window
// manager refuses to raise it on request.
void BringForward(QWidget& window) {
    if (!window.isMinimized()) {
        window.showMinimized();
    }
    window.showNormal();
    window.raise();
    window.activateWindow();
}

int endSignalPipe[2] = {-1, -1};

void OnEndSignal(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(endSignalPipe[1], &byte, 1);
}

// Closes the window once its start-up has read every setting (the close writes them all back;
// a close before would write defaults over them), or after 3 s when a start-up question waits.
void CloseWhenStarted(TKOTAN_VESKAR& window, int triesLeft = 60) {
    if (window.StartupStage == 99 || triesLeft == 0) {
        window.close();
        QCoreApplication::quit(); // also when the window sits in the tray
        return;
    }
    QTimer::singleShot(50, &window, [&window, triesLeft] { CloseWhenStarted(window, triesLeft - 1); });
}

// A kill, a logout or Ctrl+C in the terminal closes the window as its close box does, so the
// registered times, lists and settings of the session are written, not lost.
void CloseOnEndSignals(TKOTAN_VESKAR& window) {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, endSignalPipe) != 0) {
        return;
    }
    auto* notifier = new QSocketNotifier(endSignalPipe[0], QSocketNotifier::Read, &window);
    QObject::connect(notifier, &QSocketNotifier::activated, &window, [&window] {
        char byte = 0;
        [[maybe_unused]] const ssize_t read = ::read(endSignalPipe[0], &byte, 1);
        CloseWhenStarted(window);
    });
    struct sigaction action = {};
    action.sa_handler = OnEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP}) {
        sigaction(signal, &action, nullptr);
    }
}

int RunMainWindow(QApplication& app, const QCommandLineParser& parser, SingleInstance& instance) {
    TKOTAN_VESKAR window;
    window.FormCreate();
    QObject::connect(&instance, &SingleInstance::ArgumentsReceived, &window,
                     [&window](const QStringList& arguments) {
                         window.commands->TR_IconOFFClick();
                         BringForward(window);
                         const QStringList files = WavArguments(arguments);
                         if (!files.isEmpty()) {
                             window.OpenFiles(files);
                         }
                     });
    if (parser.value("screen") == "cut") {
        window.ShowCutScreen();
    } else if (parser.isSet("screen")) {
        window.startOnFileScreen = true;
    }
    QStringList files = WavArguments(parser.positionalArguments());
    if (parser.isSet("open")) {
        files.prepend(QFileInfo(parser.value("open")).absoluteFilePath());
    }
    if (!files.isEmpty()) {
        window.OpenFiles(files);
    }
    if (const QStringList wh = parser.value("size").split('x'); wh.size() == 2) {
        window.resize(wh[0].toInt(), wh[1].toInt());
    }
    window.show();
    CloseOnEndSignals(window);
    if (parser.isSet("screenshot")) {
        const QString path = parser.value("screenshot");
        QTimer::singleShot(kScreenshotDelayMs, &window, [&window, path] {
            window.grab().save(path);
            window.close();
        });
    }
    return app.exec();
}

void AddOptions(QCommandLineParser& parser) {
    parser.addHelpOption();
    // --screenshot FILE: save a picture of the window shortly after start and quit; used to look
    // at the window on machines without a display.
    parser.addOption({"screenshot", "Save a PNG of the window and quit.", "file"});
    parser.addOption({"screen", "Start on the given screen: file or cut.", "name", "file"});
    parser.addOption({"open", "Make this WAV file the cut file and show the cut screen.", "file"});
    parser.addOption({"size", "Start with the window this size (for screenshots).", "WxH"});
    parser.addOption({"setup", "Set the program up without asking (nothing when it is already)."});
    parser.addPositionalArgument("files", "WAV files to add to the memory list; the first is opened.",
                                 "[FILE...]");
    parser.addPositionalArgument(kUninstallArgument, "Uninstall the program.", "[/uninstall]");
}

// --help and --setup need no window, so they work where there is no display (a script's first
// start over ssh, a build machine).
bool NeedsNoWindow(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        for (const char* option : {"--help", "-h", "-?", "--help-all", "--setup"}) {
            if (std::strcmp(argv[i], option) == 0) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (NeedsNoWindow(argc, argv)) {
        QCoreApplication core(argc, argv);
        QCoreApplication::setApplicationName("pirvan-cutter");
        QCommandLineParser parser;
        AddOptions(parser);
        parser.process(core); // --help prints and ends here
        return QuietSetup(QCoreApplication::applicationFilePath());
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName("pirvan-cutter");
    QApplication::setApplicationDisplayName(kAppTitle);
    InstallQtJapanese(app);

    QCommandLineParser parser;
    AddOptions(parser);
    parser.process(app);

    const QStringList arguments = QApplication::arguments().mid(1);
    const QString programPath = QApplication::applicationFilePath();
    const QString fileName = QFileInfo(programPath).fileName();
    SingleInstance mainWindow(QString::fromLatin1(kMainWindowClass));
    SingleInstance setupWindow(QString::fromLatin1(kSetupWindowClass));
    RunMode mode = RunModeOf(arguments, fileName);
    if (mode == RunMode::Normal) {
        // A second start never shows a window: the running one takes its arguments.
        // Files go over with absolute paths: the running window has a folder of its own.
        QStringList handed = WavArguments(parser.positionalArguments());
        if (handed.isEmpty()) {
            handed = arguments;
        }
        if (mainWindow.HeldElsewhere()) {
            return mainWindow.HandOver(handed) ? 0 : 1;
        }
        if (StartsMainWindow(SettingsStore().ReadVersion(), fileName)) {
            if (!mainWindow.Claim()) {
                return mainWindow.HandOver(handed) ? 0 : 1;
            }
            return RunMainWindow(app, parser, mainWindow);
        }
        if (!setupWindow.Claim()) {
            return 0;
        }
    } else if (mode == RunMode::Uninstall) {
        if (mainWindow.HeldElsewhere() || setupWindow.HeldElsewhere()) {
            mode = RunMode::UninstallRefused;
        }
        setupWindow.Claim();
    }
    TVESKAR_SETUPFM setup(mode, programPath);
    return setup.Run();
}
