// The 1 s equal-interval list of a 10 h file (36,001 lines) built into ListBox_ALL; the goal is
// under 50 ms from the choice to a laid-out, painted list. Measured three ways: the engine alone,
// the engine into the cut screen's list box (a QListView over the engine's list), the whole
// ComboBox_TMClick handler; and, for comparison, the same lines copied into a QListWidget with
// uniform item sizes. Run: build/bench/bench_gui_interval_list (offscreen unless a display is set).
#include <benchmark/benchmark.h>

#include <cstdlib>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTextStream>

#include "core/host/SharedFlags.h"
#include "core/host/UnattendedHost.h"
#include "core/timelists/TimeLists.h"
#include "gui/cutscreen/CutScreen.h"
#include "gui/cutscreen/TimeListBox.h"

namespace {

using namespace veskar;

constexpr TimeMs kTenHoursMs = 36000000;
constexpr int kOneSecondChoice = 0;

struct Unattended {
    QTextStream err{stderr};
    UnattendedMessenger messenger{err};
    NoEventPump pump;
};

void BM_EngineIntervalList(benchmark::State& state) {
    TimeFormat format;
    format.SetFileLength(kTenHoursMs);
    TimeList list;
    for (auto _ : state) {
        BuildIntervalList(format, 1000, list);
        benchmark::DoNotOptimize(list.Count());
    }
    state.counters["lines"] = list.Count();
}
BENCHMARK(BM_EngineIntervalList)->Unit(benchmark::kMillisecond);

void BM_IntoListBox(benchmark::State& state) {
    Unattended host;
    TimeLists lists;
    lists.ChooseFile(kTenHoursMs);
    TimeListBox box(TimeListId::Interval, &lists.interval,
                    [&](const std::vector<int>& selected, int current) {
                        lists.interval.SetSelection(selected, current);
                    });
    box.resize(120, 600);
    box.show();
    for (auto _ : state) {
        lists.BuildIntervalList(kOneSecondChoice, host.messenger, host.pump);
        box.SyncFromList(true);
        box.viewport()->repaint();
    }
    state.counters["lines"] = box.model()->rowCount();
}
BENCHMARK(BM_IntoListBox)->Unit(benchmark::kMillisecond);

void BM_ComboBoxTMClick(benchmark::State& state) {
    Unattended host;
    TimeLists lists;
    SharedFlags flags;
    CutScreen screen(lists, host.messenger, host.pump, flags);
    screen.resize(1100, 700);
    screen.SetCutFile("/bench/ten-hours.wav", kTenHoursMs);
    screen.show();
    screen.ComboBox_TM->setCurrentIndex(kOneSecondChoice);
    for (auto _ : state) {
        screen.ComboBox_TMClick();
        screen.ListBox_ALL->viewport()->repaint();
    }
    state.counters["lines"] = screen.ListBox_ALL->model()->rowCount();
}
BENCHMARK(BM_ComboBoxTMClick)->Unit(benchmark::kMillisecond);

void BM_QListWidgetUniform(benchmark::State& state) {
    TimeFormat format;
    format.SetFileLength(kTenHoursMs);
    TimeList list;
    QListWidget widget;
    widget.setUniformItemSizes(true);
    widget.resize(120, 600);
    widget.show();
    for (auto _ : state) {
        BuildIntervalList(format, 1000, list);
        widget.clear();
        widget.addItems(list.Texts());
        widget.viewport()->repaint();
    }
    state.counters["lines"] = widget.count();
}
BENCHMARK(BM_QListWidgetUniform)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
