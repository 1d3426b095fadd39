// Lists one folder into the file list's rows as the browser does (enter the folder, read it once
// with one stat per matching file, format every column, sort by name) and prints the row count.
// Usage: bench_browser_listing FOLDER [MASK=*.*]
// bench/browser_vs_ls.sh runs it against `ls -l` on a folder of 20,000 files.
#include <cstdio>

#include <QCoreApplication>
#include <QElapsedTimer>

#include "core/browser/FolderBrowser.h"
#include "core/host/UnattendedHost.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 2) {
        std::fprintf(stderr, "usage: bench_browser_listing FOLDER [MASK]\n");
        return 2;
    }
    QElapsedTimer timer;
    timer.start();
    veskar::BrowserState state;
    state.folderViewMode = 1;
    state.fileMask = args.size() > 2 ? args.at(2) : QStringLiteral("*.*");
    QTextStream err(stderr);
    veskar::UnattendedMessenger messenger(err);
    veskar::FolderBrowser browser(state, messenger, args.at(1));
    veskar::FolderView view;
    std::vector<veskar::FileRow> rows;
    if (!browser.ShowFolder(args.at(1), view) || !browser.FillFileList(rows)) {
        return 1;
    }
    std::printf("%zu\n", rows.size());
    std::fprintf(stderr, "%zu rows in %.3f s\n", rows.size(), timer.nsecsElapsed() / 1e9);
    return 0;
}
