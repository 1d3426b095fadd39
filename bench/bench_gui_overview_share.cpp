// The colouring run (色分) with the overview strip in the window's code path, one way per
// start, for hyperfine to alternate (bench/overview_with_coloring.sh):
//   alone     the colouring run, no strip
//   shared    the strip's read is taken over by the run, which builds the envelope from its blocks
//   separate  the strip reads the file on its own thread while the run reads it again
// Each ends when both the run and the strip's envelope are done. Offscreen unless a display is
// set. Run: build/bench/bench_gui_overview_share FILE.wav alone|shared|separate
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <QApplication>

#include "core/analysis/CutAnalysis.h"
#include "core/host/UnattendedHost.h"
#include "gui/cutscreen/OverviewStrip.h"
#include "platform/QtEventPump.h"

int main(int argc, char** argv) {
    using namespace veskar;
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FILE.wav alone|shared|separate\n", argv[0]);
        return 2;
    }
    if (std::getenv("DISPLAY") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    const QString path = QString::fromLocal8Bit(argv[1]);
    const bool strip = std::strcmp(argv[2], "alone") != 0;
    const bool shared = std::strcmp(argv[2], "shared") == 0;

    QTextStream err(stderr);
    UnattendedMessenger messenger(err);
    NoProgressBox progress;
    QtEventPump pump;
    Host host{messenger, progress, pump};
    TimeLists lists;
    CutAnalysis analysis(lists);
    OverviewStrip overview;
    overview.resize(1280, 100);
    bool finished = false;
    QObject::connect(&overview, &OverviewStrip::EnvelopeFinished, [&finished] { finished = true; });
    if (shared) {
        analysis.ShareLevelRead(overview.ShareRead());
    }
    if (strip) {
        overview.SetFile(path);
    }
    analysis.ChooseFile(path);
    if (!analysis.MeasureIntervalPeaks(host)) {
        return 1;
    }
    while (strip && !finished) {
        QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return 0;
}
