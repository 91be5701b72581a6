// The program's CPU use while it sits idle on the device page with the built-in simulated device
// set: the main window as the executable builds it, the tile clicked, then the process's own CPU
// time (every thread, the library's included) from /proc/self/stat over a quiet period.
// Usage: bench_idle [seconds]  (default 20). Prints the share of one core in percent.
#include "bench/benchsupport.h"
#include "core/devicestate.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "shell/mytoolbuttonenter.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QStackedWidget>
#include <QTimer>

#include <cstdio>
#include <unistd.h>

namespace {

// utime + stime of the whole process, in clock ticks (fields 14 and 15 of /proc/self/stat; the
// command name in field 2 may hold spaces, so counting starts after its closing parenthesis).
long long cpuTicks()
{
    QFile file(QStringLiteral("/proc/self/stat"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray text = file.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    // fields[0] is field 3 (the state), so field n is fields[n - 3].
    if (fields.size() < 13)
        return -1;
    return fields.at(11).toLongLong() + fields.at(12).toLongLong();
}

// CPU time of every thread of the process in nanoseconds: the first field of each thread's
// /proc/self/task/<tid>/schedstat. Finer than the clock ticks above; a thread that ends in between
// takes its time with it, and none of the program's threads end while it idles.
long long cpuNanoseconds()
{
    long long total = 0;
    const QStringList tasks =
        QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &task : tasks) {
        QFile file(QStringLiteral("/proc/self/task/%1/schedstat").arg(task));
        if (file.open(QIODevice::ReadOnly))
            total += file.readAll().split(' ').value(0).toLongLong();
    }
    return total;
}

int currentPage(const DialogMain &window)
{
    return window.findChild<QStackedWidget *>(QStringLiteral("stackedWidgetMain"))->currentIndex();
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::prepareProcess();
    QApplication app(argc, argv);
    BenchSupport::prepareApplication();
    const int seconds = argc > 1 ? qMax(1, atoi(argv[1])) : 20;

    // The program's own setting: the built-in set at the library's default latency.
    SimulationControl::loadBuiltInDeviceSet();
    DialogMain::TrayAvailable = [] { return false; };
    DialogMain window;
    window.show();
    if (!BenchSupport::serveUntil([&] { return window.homePage()->TileButtons.size() == 1; })) {
        fprintf(stderr, "no tile\n");
        return 1;
    }
    window.homePage()->TileButtons.first()->click();
    if (currentPage(window) != 1 || !BenchSupport::serveUntil([] {
            return DeviceState::instance()->OnlineAtLastRead.load();
        })) {
        fprintf(stderr, "the device page did not read the device\n");
        return 1;
    }
    // The follow-up reads, the parameter-update dialog and the first online checks settle.
    QTimer settle;
    settle.setSingleShot(true);
    QObject::connect(&settle, &QTimer::timeout, &app, &QCoreApplication::quit);
    settle.start(6000);
    app.exec();

    const long long before = cpuTicks();
    const long long beforeNs = cpuNanoseconds();
    QElapsedTimer wall;
    wall.start();
    QTimer::singleShot(seconds * 1000, &app, &QCoreApplication::quit);
    app.exec();
    const long long after = cpuTicks();
    const long long afterNs = cpuNanoseconds();
    const double cpuSeconds = double(after - before) / double(sysconf(_SC_CLK_TCK));
    const double wallSeconds = wall.elapsed() / 1000.0;
    const double threadSeconds = double(afterNs - beforeNs) / 1e9;
    printf("idle on the device page: %.3f s CPU (clock ticks) / %.4f s (thread run times) in "
           "%.1f s = %.3f %% / %.4f %% of one core (still on the device page: %s)\n",
           cpuSeconds, threadSeconds, wallSeconds, 100.0 * cpuSeconds / wallSeconds,
           100.0 * threadSeconds / wallSeconds, currentPage(window) == 1 ? "yes" : "no");
    return 0;
}
