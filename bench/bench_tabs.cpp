// The device page as a user meets it after a tile click: each tab's first showing and later
// switches, a whole record handed to the pages, and the resident size after every tab has been
// opened. The main window is built as the executable builds it, with the built-in device set at
// zero latency (the program's own cost). Run by bench/run.sh on the X server it starts.
// Usage: bench_tabs [rounds]  (default 15).
#include "bench/benchsupport.h"
#include "bench/paintwatch.h"
#include "core/blockingconnect.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/record/flashdatamap.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialog.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "shell/mytoolbuttonenter.h"
#include "shell/widgets/dialogbuttonicons.h"
#include "shell/widgets/fontscaling.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QStackedWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <vector>

namespace {

// Counts the whole records and the follow-up configuration the pages were handed. Connected
// after the pages, with the same blocking connection: its slot runs when theirs have run.
class FormCount : public QObject
{
    Q_OBJECT
public:
    FormCount()
    {
        ConnectBlocking(SIGNAL(SigForm()), this, SLOT(SlotForm()));
        ConnectBlocking(SIGNAL(SigUpDataConfigUI(int, int, bool)), this,
                        SLOT(SlotConfig(int, int, bool)));
    }
    int forms = 0;
    int configs = 0;

private slots:
    void SlotForm() { ++forms; }
    void SlotConfig(int, int, bool) { ++configs; }
};

double residentMiB()
{
    QFile file(QStringLiteral("/proc/self/status"));
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : file.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return -1;
}

void serveFor(int ms)
{
    QElapsedTimer timer;
    timer.start();
    BenchSupport::serveUntil([&] { return timer.elapsed() >= ms; }, ms + 1000);
}

double median(std::vector<double> values)
{
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

struct Tab
{
    const char *button;
    int index; // the page's place in the device page's stack
    const char *name;
};
const Tab Tabs[] = {{"SensorButton", 1, "sensor"},
                    {"MacroButton", 2, "macro"},
                    {"FormSetting", 3, "settings"},
                    {"ButtonMain", 0, "buttons"}};

// From the click on the tab to the page's first paint, in ms; -1 when it never paints.
double switchTo(Dialog *devicePage, const Tab &tab, PaintWatch &paints)
{
    auto *button = devicePage->findChild<QToolButton *>(QLatin1String(tab.button));
    auto *stack = devicePage->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetDialog"));
    QWidget *page = stack->widget(tab.index);
    paints.watch(page);
    QElapsedTimer timer;
    timer.start();
    QTest::mouseClick(button, Qt::LeftButton);
    if (!BenchSupport::serveUntil([&] { return paints.painted(); }, 5000))
        return -1;
    return timer.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    BenchSupport::prepareProcess();
    // As the executable does: its windows ask for no OpenGL surface.
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
    QApplication app(argc, argv);
    DialogButtonIcons::install(app);
    BenchSupport::prepareApplication();
    const int rounds = argc > 1 ? qMax(1, atoi(argv[1])) : 15;

    SimulationControl::loadBuiltInDeviceSet();
    SimulationControl::setLatency(0);
    DialogMain::TrayAvailable = [] { return false; };
    const double fontFactor = ScreenFontFactor();
    DialogMain window;
    ScaleWidgetFont(&window, fontFactor);
    window.show();
    if (!BenchSupport::serveUntil([&] { return window.homePage()->TileButtons.size() == 1; })) {
        fprintf(stderr, "no tile\n");
        return 1;
    }
    serveFor(2000);
    const double homeMiB = residentMiB();

    QTest::mouseClick(window.homePage()->TileButtons.first(), Qt::LeftButton);
    if (!BenchSupport::serveUntil(
            [] { return DeviceState::instance()->OnlineAtLastRead.load(); })) {
        fprintf(stderr, "the device page did not read the device\n");
        return 1;
    }
    // The follow-up reads and the parameter-update notice settle.
    serveFor(3000);

    PaintWatch paints;
    Dialog *devicePage = window.devicePage();
    // The first showing of each page: what a user waits for on the first click of each tab.
    for (const Tab &tab : Tabs)
        printf("tab %s first %.2f ms\n", tab.name, switchTo(devicePage, tab, paints));
    std::vector<std::vector<double>> later(std::size(Tabs));
    for (int round = 0; round < rounds; ++round)
        for (size_t i = 0; i < std::size(Tabs); ++i)
            later[i].push_back(switchTo(devicePage, Tabs[i], paints));
    for (size_t i = 0; i < std::size(Tabs); ++i)
        printf("tab %s later %.2f ms\n", Tabs[i].name, median(later[i]));

    // A whole record handed to every page, on the sensor page: from the request to the pages
    // having taken SigForm and the page shown having painted. The follow-up reads the record
    // asks for are let in between rounds, outside the timing.
    switchTo(devicePage, Tabs[0], paints);
    QWidget *shown = devicePage->findChild<QStackedWidget *>(QStringLiteral("stackedWidgetDialog"))
                         ->widget(Tabs[0].index);
    FormCount count;
    std::vector<double> toForm;
    std::vector<double> toPaint;
    for (int round = 0; round < rounds; ++round) {
        const int forms = count.forms + 1;
        const int configs = count.configs + 1;
        paints.watch(shown);
        QElapsedTimer timer;
        timer.start();
        DeviceLink::RequestFullRead();
        if (!BenchSupport::serveUntil([&] { return count.forms == forms; }, 5000)) {
            fprintf(stderr, "no record\n");
            return 1;
        }
        toForm.push_back(timer.nsecsElapsed() / 1e6);
        // A page whose values did not change need not paint: the wait is short.
        if (BenchSupport::serveUntil([&] { return paints.painted(); }, 200))
            toPaint.push_back(timer.nsecsElapsed() / 1e6);
        BenchSupport::serveUntil([&] { return count.configs == configs; }, 5000);
    }
    printf("fill to the pages %.3f ms, to the page painted %.3f ms (%zu of %d rounds painted)\n",
           median(toForm), median(toPaint), toPaint.size(), rounds);

    // One setting from the page's own control to the virtual mouse: the settings page's sleep-time
    // list, chosen as a user's choice arrives (its activated signal), alternating two times.
    switchTo(devicePage, Tabs[2], paints);
    auto *sleepList = devicePage->findChild<QComboBox *>(QStringLiteral("StopClose"));
    std::vector<double> writes;
    bool held = sleepList != nullptr;
    for (int round = 0; held && round < rounds; ++round) {
        const int index = round % 2 ? 2 : 0; // 1 min, 10 s: 6 and 1 in tens of seconds
        QElapsedTimer timer;
        timer.start();
        emit sleepList->activated(index);
        writes.push_back(timer.nsecsElapsed() / 1e6);
        const QByteArray record = SimulationControl::storedRecord(QStringLiteral("Mouse1"));
        held = record.size() == int(FlashDataMap::Size) &&
               quint8(record.at(offsetof(FlashDataMap, SleepTime))) == (index ? 6 : 1);
    }
    if (held)
        printf("write from the page's control %.3f ms\n", median(writes));
    else
        printf("write from the page's control: the mouse does not hold the choice\n");

    serveFor(2000);
    printf("memory home page %.1f MiB, every tab opened %.1f MiB\n", homeMiB, residentMiB());

    // Between the two pages of the window, as a user goes: the device page's way back (it waits
    // 100 ms for the device and the window 100 ms for the server) and a tile's click, each to
    // the first paint of the page that shows. Measured after the memory, which it must not move.
    QWidget *home = window.homePage()->findChild<QWidget *>(QStringLiteral("frameChange"));
    QWidget *device = devicePage->findChild<QWidget *>(QStringLiteral("frame_2"));
    auto *back = devicePage->findChild<QToolButton *>(QStringLiteral("UpArrow"));
    std::vector<double> toHome;
    std::vector<double> toDevice;
    for (int round = 0; round < rounds; ++round) {
        QElapsedTimer timer;
        paints.watch(home);
        timer.start();
        QTest::mouseClick(back, Qt::LeftButton);
        if (!BenchSupport::serveUntil([&] { return paints.painted(); }, 5000))
            break;
        toHome.push_back(timer.nsecsElapsed() / 1e6);
        serveFor(1000);
        if (window.homePage()->TileButtons.isEmpty())
            break;
        paints.watch(device);
        timer.start();
        QTest::mouseClick(window.homePage()->TileButtons.first(), Qt::LeftButton);
        if (!BenchSupport::serveUntil([&] { return paints.painted(); }, 5000))
            break;
        toDevice.push_back(timer.nsecsElapsed() / 1e6);
        serveFor(1000);
    }
    printf("page switch to the home page %.2f ms, to the device page %.2f ms (%zu of %d rounds)\n",
           median(toHome), median(toDevice), toDevice.size(), rounds);
    return 0;
}

#include "bench_tabs.moc"
