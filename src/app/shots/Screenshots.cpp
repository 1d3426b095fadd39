// pirvan-screenshots: pictures of both screens, the overview and every kind of dialog of the
// window, for looking at the layout on a machine without a display. scripts/screenshots runs it
// offscreen in a throw-away home folder; it is a developer's tool and is not installed.
//   pirvan-screenshots DIR FILE.wav [FILE.wav...]
#include <cstdio>
#include <functional>
#include <set>

#include <QAbstractItemView>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QDir>
#include <QElapsedTimer>
#include <QMenu>
#include <QPushButton>
#include <QTimer>

#include "app/ProgramEntry.h"
#include "app/TVESKAR_SETUPFM.h"
#include "core/host/Messenger.h"
#include "core/host/TextViewer.h"
#include "core/text/Captions.h"
#include "gui/cutscreen/AnalysisPanels.h"
#include "gui/cutscreen/CutCommands.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/LevelPanel.h"
#include "gui/cutscreen/OverviewStrip.h"
#include "gui/cutscreen/SilencePanel.h"
#include "gui/cutscreen/TimeListBox.h"
#include "gui/dialogs/GuiMessenger.h"
#include "gui/dialogs/TDIR2OPENDLG.h"
#include "gui/dialogs/TMKBox.h"
#include "gui/dialogs/TSNBox.h"
#include "gui/dialogs/TSNBoxDlg.h"
#include "gui/dialogs/TextFileWindow.h"
#include "gui/filescreen/ChopMenu.h"
#include "gui/main/CutFileOpener.h"
#include "gui/main/HelpWindow.h"
#include "gui/main/QtJapanese.h"
#include "gui/main/TKOTAN_VESKAR.h"
#include "gui/main/WindowCommands.h"
#include "gui/mixer/MixerScreenPanel.h"

namespace {

using namespace veskar;

const QSize kSizes[] = {{1280, 800}, {1024, 700}};
// How long a new window gets to lay itself out and paint before its picture.
constexpr int kSettleMs = 400;
constexpr int kWaitLimitMs = 20000;

void Settle(int ms = kSettleMs) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < ms) {
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
}

bool WaitFor(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > kWaitLimitMs) {
            return false;
        }
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

QString SizeName(QSize size) {
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

std::set<QWidget*> VisibleWindows() {
    std::set<QWidget*> shown;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->isVisible()) {
            shown.insert(widget);
        }
    }
    return shown;
}

/// Shows the cut record and the free-space report in the program's own text window, as on a
/// desktop without a text editor, so that the window can be photographed.
class OwnTextViewer : public TextViewer {
public:
    bool ShowTextFile(const QString& path) override {
        auto* window = new TextFileWindow;
        window->setAttribute(Qt::WA_DeleteOnClose);
        if (!window->Load(path)) {
            delete window;
            return false;
        }
        window->show();
        return true;
    }
};

class Photographer {
public:
    explicit Photographer(QString folder) : m_folder(std::move(folder)) {}

    bool Save(QWidget* widget, const QString& name) {
        const QString path = QDir(m_folder).filePath(name + ".png");
        if (!widget->grab().save(path)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            ++m_failures;
            return false;
        }
        std::printf("%s\n", qPrintable(path));
        std::fflush(stdout);
        return true;
    }

    /// Runs open, which shows a window (modal or not), photographs the first window that was
    /// not showing before and closes it again. A modal window is taken from inside its own loop.
    /// Only windows that accept takes count, when it is given.
    void Window(const QString& name, const std::function<void()>& open,
                const std::function<bool(QWidget*)>& accept = {}) {
        const std::set<QWidget*> before = VisibleWindows();
        bool taken = false;
        QTimer poll;
        poll.setInterval(50);
        QWidget* seen = nullptr;
        int age = 0;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            for (QWidget* widget : QApplication::topLevelWidgets()) {
                if (!widget->isVisible() || before.count(widget) != 0 ||
                    (accept && !accept(widget))) {
                    continue;
                }
                // What a command shows after the window taken (an "aborted" message) is closed
                // unseen, so that the command can return.
                if (taken) {
                    Close(widget);
                    return;
                }
                // A few rounds for the window to lay itself out and paint.
                age = widget == seen ? age + poll.interval() : 0;
                seen = widget;
                if (age < kSettleMs) {
                    return;
                }
                Save(widget, name);
                taken = true;
                Close(widget);
                return;
            }
        });
        poll.start();
        open();
        if (!WaitFor([&] { return taken; })) {
            std::fprintf(stderr, "%s: no window opened\n", qPrintable(name));
            ++m_failures;
        }
        poll.stop();
        Settle(100);
    }

    int Failures() const { return m_failures; }

private:
    static void Close(QWidget* widget) {
        if (auto* menu = qobject_cast<QMenu*>(widget)) {
            menu->hide();
        } else if (auto* dialog = qobject_cast<QDialog*>(widget)) {
            dialog->reject();
            if (dialog->isVisible()) {
                dialog->done(0);
            }
        } else {
            widget->close();
        }
    }

    QString m_folder;
    int m_failures = 0;
};

/// The window as a user leaves it after the main road: lists coloured, silences found, the song
/// starts registered in colour, a few of them recoloured.
bool PrepareCutScreen(TKOTAN_VESKAR& window) {
    window.ShowCutScreen();
    Settle();
    LevelPanel& level = *window.analysisPanels->levelPanel;
    level.Btn_IROWAKE->click();
    SilencePanel& silence = *window.analysisPanels->silencePanel;
    silence.Btn_Muon->click();
    silence.Btn_Muon_START->click();
    silence.ListBox_MS0MouseDown(0, window.mapToGlobal(QPoint(200, 200)));
    silence.PopupMenu_MS->hide();
    silence.P_MS0->trigger();
    CutScreen& screen = *window.cutScreen;
    const int rows = screen.ListBox_C->model()->rowCount();
    const int colours[] = {2, 3, 5};
    for (int i = 0; i < 3 && 3 + 2 * i < rows; ++i) {
        const QModelIndex row = screen.ListBox_C->model()->index(3 + 2 * i, 0);
        screen.ListBox_C->selectionModel()->select(row, QItemSelectionModel::ClearAndSelect);
        screen.ListBox_C->selectionModel()->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
        screen.ListBox_CMouseDown(TimeListId::Registered, window.mapToGlobal(QPoint(200, 200)));
        screen.PopupMenu1->hide();
        screen.SetStartColor(colours[i]);
    }
    window.overview->WaitForEnvelope();
    Settle();
    return rows > 0;
}

int Run(const QString& folder, const QStringList& files) {
    Photographer camera(folder);
    OwnTextViewer viewer;
    TKOTAN_VESKAR window;
    window.FormCreate();
    window.OpenFiles(files);
    window.resize(kSizes[0]);
    window.show();
    if (!WaitFor([&] { return window.StartupStage == 99 && !window.cutScreen->CutFile().isEmpty(); })) {
        std::fprintf(stderr, "the window did not start with %s\n", qPrintable(files.value(0)));
        return 1;
    }
    window.Cut().SetTextViewer(&viewer);
    if (!PrepareCutScreen(window)) {
        std::fprintf(stderr, "the silence detection registered nothing\n");
        return 1;
    }
    for (const QSize size : kSizes) {
        window.resize(size);
        window.ShowFileScreen();
        Settle();
        camera.Save(&window, "file-screen-" + SizeName(size));
        window.ShowCutScreen();
        Settle();
        camera.Save(&window, "cut-screen-" + SizeName(size));
        camera.Save(window.overview, "overview-" + SizeName(size));
    }
    // The volume panels open, on both screens at the small size, where room is short.
    // Without a sound server the mixer says so in a box, closed here unseen.
    QTimer boxCloser;
    QObject::connect(&boxCloser, &QTimer::timeout, [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<TMKBox*>(widget); box && box->isVisible()) {
                static_cast<QDialog*>(box)->reject();
            }
        }
    });
    boxCloser.start(100);
    window.mixer->Open();
    boxCloser.stop();
    for (const auto& [screen, panel] : {std::pair{"file", window.fileMixerPanel},
                                        {"cut", window.cutMixerPanel}}) {
        screen == QLatin1String("file") ? window.ShowFileScreen() : window.ShowCutScreen();
        Settle();
        camera.Save(&window, QStringLiteral("mixer-%1-screen-%2").arg(screen, SizeName(window.size())));
        camera.Save(panel, QStringLiteral("mixer-%1").arg(screen));
    }
    window.mixer->Close();
    window.resize(kSizes[0]);
    Settle();

    // The message box in its kinds: a plain message, a question and an error with countdowns.
    camera.Window("message-version", [&] { window.commands->HELP2Click(); });
    camera.Window("message-question", [&] { window.commands->MHELP_VERCUTClick(); });
    camera.Window("message-error", [&] {
        window.MKBoxDlg1.ShowError(files.value(0) + QStringLiteral("\nＷＡＶファイルではありません・・・GW"),
                                   Messenger::Ok);
    });
    camera.Window("message-error-question", [&] {
        window.MKBoxDlg1.AskErrorQuestion(
            files.value(0) + QStringLiteral("\n書き込みエラー：続けますか？・・・BG"), Messenger::No);
    });
    camera.Window("progress", [&] {
        int handle = window.PBarBoxDlg1.Open(QStringLiteral("無音検出中"), QString());
        window.PBarBoxDlg1.SetPercent(handle, 42);
        Settle(kSettleMs * 3);
        window.PBarBoxDlg1.Close(handle);
    });
    camera.Window("input-box", [&] {
        TSNBoxDlg box;
        box.SetSourceHandle(&window);
        box.SetSN({QStringLiteral("ライブ録音"), QStringLiteral("FM 2026-12-05")});
        box.Execute(QStringLiteral("新しいフォルダー名を入力してください"));
    });
    camera.Window("classification-name", [&] { window.cutScreen->EditClassificationName(2); });
    camera.Window("count-box", [&] { window.chopMenu->PBG_TBM_SetClick(); });
    camera.Window("time-range-box", [&] { window.chopMenu->PBG_INTRO_SetClick(); });
    camera.Window("folder-setting-box", [&] { window.PBG_BG_DIRClick(); });
    camera.Window("file-selection", [&] { window.cutFileOpener->OpenWavFile(); });
    camera.Window("folder-selection", [&] {
        GuiMessenger messenger(window.MKBoxDlg1);
        TDIR2OPENDLG dialog(messenger, &window);
        dialog.SetSourceHandle(&window);
        dialog.SetDirectory(QDir::homePath());
        dialog.SetInitialDir(QDir::homePath());
        dialog.ExecuteFolder();
    });
    camera.Window("chop-menu", [&] { window.ShowFileScreen(); window.chopMenu->Btn_BUTUGIRIClick(); });
    window.ShowCutScreen();
    Settle();
    camera.Window("cut-menu", [&] { window.Cut().Btn_CUT->click(); });
    // A real cut of the song starts: its end message, then its record in the text window.
    camera.Window("message-cut-done", [&] { window.Cut().WAV_CUT_ST->trigger(); },
                  [](QWidget* widget) { return qobject_cast<TMKBox*>(widget) != nullptr; });
    auto record = [] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (widget->isVisible() && qobject_cast<TextFileWindow*>(widget)) {
                return widget;
            }
        }
        return static_cast<QWidget*>(nullptr);
    };
    if (WaitFor([&] { return record() != nullptr; })) {
        Settle();
        camera.Save(record(), "text-window");
        record()->close();
    }
    camera.Window("help-contents", [&] { window.commands->OpenHelp(false); });
    camera.Window("help-keywords", [&] { window.commands->OpenHelp(true); });
    camera.Window("setup-window", [&] {
        TVESKAR_SETUPFM setup(RunMode::Normal, QApplication::applicationFilePath());
        setup.Run();
    });
    window.hide();
    return camera.Failures() == 0 ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("pirvan-cutter");
    QApplication::setApplicationDisplayName(kAppTitle);
    InstallQtJapanese(app);
    const QStringList arguments = QApplication::arguments().mid(1);
    if (arguments.size() < 2) {
        std::fprintf(stderr, "usage: pirvan-screenshots DIR FILE.wav [FILE.wav...]\n");
        return 2;
    }
    QStringList files;
    for (const QString& file : arguments.mid(1)) {
        files << QFileInfo(file).absoluteFilePath();
    }
    QDir().mkpath(arguments[0]);
    return Run(arguments[0], files);
}
