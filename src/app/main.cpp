// pirvan-cutter: PIRVAN SOUND カッター, the window program.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>

#include "gui/main/CutFileOpener.h"
#include "gui/main/TKOTAN_VESKAR.h"

namespace {
// Long enough for the deferred parts of the window to lay themselves out before the picture.
constexpr int kScreenshotDelayMs = 800;
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("pirvan-cutter");
    QApplication::setApplicationDisplayName(QString::fromUtf8(veskar::TKOTAN_VESKAR::kTitle));

    // --screenshot FILE: save a picture of the window shortly after start and quit; used to look
    // at the window on machines without a display.
    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption screenshot("screenshot", "Save a PNG of the window and quit.", "file");
    parser.addOption(screenshot);
    QCommandLineOption screen("screen", "Start on the given screen: file or cut.", "name", "file");
    parser.addOption(screen);
    QCommandLineOption open("open", "Make this WAV file the cut file and show the cut screen.",
                            "file");
    parser.addOption(open);
    parser.process(app);

    veskar::TKOTAN_VESKAR window;
    if (parser.value(screen) == "cut") {
        window.ShowCutScreen();
    }
    if (parser.isSet(open) && window.cutFileOpener->ChooseCutFile(parser.value(open))) {
        window.ShowCutScreen();
    }
    window.show();
    if (parser.isSet(screenshot)) {
        const QString path = parser.value(screenshot);
        QTimer::singleShot(kScreenshotDelayMs, &window, [&window, path] {
            window.grab().save(path);
            QApplication::quit();
        });
    }
    return app.exec();
}
