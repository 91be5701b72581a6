// Start-up to the painted home page with its tile, beside an empty widget of the main window's
// size shown by the same process. Run through bench/run.sh (a Release build).
#include "bench/benchsupport.h"
#include "bench/paintwatch.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "shell/mytoolbuttonenter.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

void dispose(QWidget *widget)
{
    delete widget;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

// Shows the main window and serves its events until the home page's one tile has been painted.
bool showHomePage(DialogMain *window, PaintWatch &paints)
{
    window->show();
    return BenchSupport::serveUntil([&] {
        const QList<mytoolButtonEnter *> &tiles = window->homePage()->TileButtons;
        if (tiles.size() != 1)
            return false;
        if (!paints.painted())
            paints.watch(tiles.first());
        return paints.painted();
    });
}

// From nothing to the home page painted with the tile of the one device. The device set is
// loaded outside the timing; the latency argument is the simulated transfer time of each library
// call (0: the program's own cost).
void BM_StartUpToPaintedHomePage(benchmark::State &st)
{
    DialogMain::TrayAvailable = [] { return false; };
    if (!BenchSupport::loadDevices(BenchSupport::OneReceiverSet, int(st.range(0)))) {
        st.SkipWithError("no device");
        return;
    }
    PaintWatch paints;
    for (auto _ : st) {
        auto *window = new DialogMain;
        const bool shown = showHomePage(window, paints);
        st.PauseTiming();
        paints.watch(nullptr);
        dispose(window);
        st.ResumeTiming();
        if (!shown) {
            st.SkipWithError("no tile painted");
            break;
        }
    }
}
BENCHMARK(BM_StartUpToPaintedHomePage)
    ->Arg(0)
    ->Arg(4)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The yardstick: an empty widget of the main window's size, shown and painted.
void BM_EmptyWidgetPainted(benchmark::State &st)
{
    PaintWatch paints;
    for (auto _ : st) {
        auto *widget = new QWidget;
        widget->resize(1020, 700);
        paints.watch(widget);
        widget->show();
        const bool shown = BenchSupport::serveUntil([&] { return paints.painted(); });
        st.PauseTiming();
        paints.watch(nullptr);
        dispose(widget);
        st.ResumeTiming();
        if (!shown) {
            st.SkipWithError("not painted");
            break;
        }
    }
}
BENCHMARK(BM_EmptyWidgetPainted)->Unit(benchmark::kMillisecond)->UseRealTime();

double coldEmptyWidgetMs()
{
    PaintWatch paints;
    QElapsedTimer timer;
    timer.start();
    auto *widget = new QWidget;
    widget->resize(1020, 700);
    paints.watch(widget);
    widget->show();
    BenchSupport::serveUntil([&] { return paints.painted(); });
    const double ms = timer.nsecsElapsed() / 1e6;
    dispose(widget);
    return ms;
}

double coldHomePageMs()
{
    DialogMain::TrayAvailable = [] { return false; };
    BenchSupport::loadDevices(BenchSupport::OneReceiverSet, 0);
    PaintWatch paints;
    QElapsedTimer timer;
    timer.start();
    auto *window = new DialogMain;
    showHomePage(window, paints);
    const double ms = timer.nsecsElapsed() / 1e6;
    dispose(window);
    return ms;
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::prepareProcess();
    QApplication app(argc, argv);
    BenchSupport::prepareApplication();
    // The program starts once per process: the first showing pays for what later ones find in
    // caches (fonts, decoded pictures, parsed style sheets). The yardstick goes first, so that
    // the platform's own first-use costs are on its side.
    printf("first in this process: empty widget %.2f ms, home page %.2f ms (zero latency)\n",
           coldEmptyWidgetMs(), coldHomePageMs());
    fflush(stdout);
    // One start is one sample: bench/run.sh starts the process several times with this option
    // and reports the medians of the first showings.
    if (QCoreApplication::arguments().contains(QStringLiteral("--first-only")))
        return 0;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
