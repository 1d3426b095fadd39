// Shows one folder in the browser's widgets as the file screen does (drive box, folder list,
// the file list ListView1 filled and painted once) and prints the row count.
// Usage: bench_gui_file_list FOLDER [MASK=*.*]
// bench/browser_vs_ls.sh runs it against `ls -l` on a folder of 20,000 files.
#include <cstdio>

#include <QApplication>
#include <QElapsedTimer>
#include <QTextStream>

#include "core/browser/FolderBrowser.h"
#include "core/host/SharedFlags.h"
#include "core/host/UnattendedHost.h"
#include "gui/filescreen/FileListModel.h"
#include "gui/filescreen/FolderBrowserView.h"
#include "platform/QtEventPump.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_gui_file_list FOLDER [MASK]\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    veskar::BrowserState state;
    state.fileMask = args.size() > 2 ? args.at(2) : QStringLiteral("*.*");
    QTextStream err(stderr);
    veskar::UnattendedMessenger messenger(err);
    veskar::QtEventPump pump;
    veskar::SharedFlags flags;
    veskar::FolderBrowser browser(state, messenger, args.at(1));
    veskar::FolderBrowserView view(browser, pump, flags);
    view.resize(1000, 700);
    view.show();
    view.FillDrives(args.at(1));
    if (!view.ShowFolder(args.at(1))) {
        return 1;
    }
    view.ListView1->viewport()->grab();
    const int rows = view.fileModel->rowCount();
    std::printf("%d\n", rows);
    std::fprintf(stderr, "%d rows in %.3f s\n", rows, timer.nsecsElapsed() / 1e9);
    return 0;
}
