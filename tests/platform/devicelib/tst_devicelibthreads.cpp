#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/testmain.h"

#include <QElapsedTimer>
#include <QMutex>
#include <QSemaphore>

#include <atomic>

namespace {

QByteArray r()
{
    return SimulationControl::receiverPath(QStringLiteral("R"));
}

bool startOnReceiver(UsbServerEventCallback callback = &EventRecorder::callback)
{
    return UsbServerC_Start(r().constData(), r().constData(), callback);
}

// Hot-plug calls, per callback, with the thread of the last one.
std::atomic<int> hotPlugA{0};
std::atomic<int> hotPlugB{0};
std::atomic<Qt::HANDLE> hotPlugThread{nullptr};

void countA()
{
    hotPlugThread = QThread::currentThreadId();
    ++hotPlugA;
}

void countB()
{
    hotPlugThread = QThread::currentThreadId();
    ++hotPlugB;
}

std::atomic<int> otherEvents{0};
void otherCallback(const unsigned char *, int, const unsigned char *, int)
{
    ++otherEvents;
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs = 3000)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(1);
    }
    return true;
}

// The GUI side of a program: a slot the event thread waits for through a blocking queued call,
// which itself calls the library.
class Gui : public QObject
{
    Q_OBJECT
public:
    std::atomic<int> slotRuns{0};
public slots:
    void refresh()
    {
        UsbFinderC_GetDeviceOnLine(r().constData());
        const QByteArray record = SimulationControl::storedRecord(QStringLiteral("M"));
        ProtocolDataUpdate(reinterpret_cast<const FlashDataMap *>(record.constData()));
        ++slotRuns;
    }
};

} // namespace

class TestDeviceLibThreads : public QObject
{
    Q_OBJECT
private slots:
    void init()
    {
        hotPlugA = 0;
        hotPlugB = 0;
        hotPlugThread = nullptr;
        otherEvents = 0;
    }

    void eventsComeInOrderOnTheServerThread()
    {
        SimulatedBench bench(oneMouseSet());
        SimulationControl::setLatency(2);
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        UsbServer_ReadDPILed();
        UsbServer_ReadBatteryLevel();
        UsbServer_ReadVersion();
        UsbServer_ReadConfig();
        QVERIFY(EventRecorder::waitForCount(5));
        const auto events = EventRecorder::events();
        QCOMPARE(events[0].payload.size(), 6912);
        QCOMPARE(events[1].command(), 0x4C);
        QCOMPARE(events[2].type(), 4);
        QCOMPARE(events[3].type(), 18);
        QCOMPARE(events[4].type(), 14);
        for (const auto &event : events) {
            QVERIFY(event.thread != QThread::currentThreadId());
            QCOMPARE(event.thread, events[0].thread);
        }
    }

    void aRequestFromTheCallbackIsAnsweredAfterItReturns()
    {
        SimulatedBench bench(oneMouseSet());
        std::atomic<int> depth{0};
        std::atomic<int> deepest{0};
        EventRecorder::setHook([&](const EventRecorder::Event &event) {
            deepest = qMax(deepest.load(), ++depth);
            if (event.type() == 8 && event.payload.size() == 6912) {
                // What the program's callback does after a whole record.
                UsbServer_ReadDPILed();
                UsbServer_ReadBatteryLevel();
                unsigned char mode = 's';
                UsbFinderC_GetLongRangeMode(r().constData(), &mode);
                ProtocolDataUpdate(reinterpret_cast<const FlashDataMap *>(
                    SimulationControl::storedRecord(QStringLiteral("M")).constData()));
            }
            --depth;
        });
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        QVERIFY(EventRecorder::waitForCount(3));
        QCOMPARE(deepest.load(), 1);
    }

    void exitDoesNotWaitForABlockedCallback()
    {
        SimulatedBench bench(oneMouseSet());
        QSemaphore entered;
        QSemaphore release;
        EventRecorder::setHook([&](const EventRecorder::Event &) {
            entered.release();
            release.acquire();
        });
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        UsbServer_ReadBatteryLevel(); // waits behind the blocked one
        QVERIFY(entered.tryAcquire(1, 3000));

        QElapsedTimer timer;
        timer.start();
        UsbServer_Exit();
        QVERIFY(timer.elapsed() < 500);
        // Nothing is delivered once Exit has returned: not the waiting reply, not a new one.
        UsbServer_ReadConfig();
        SimulationControl::pressDpiButton(QStringLiteral("M"));
        release.release(10);
        QVERIFY(EventRecorder::waitForCount(1));
        QCOMPARE(EventRecorder::settledCount(), 1);
        QCOMPARE(EventRecorder::events().first().payload.size(), 6912);
    }

    void exitFromInsideTheCallback()
    {
        SimulatedBench bench(oneMouseSet());
        EventRecorder::setHook([](const EventRecorder::Event &) { UsbServer_Exit(); });
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        UsbServer_ReadBatteryLevel();
        QVERIFY(EventRecorder::waitForCount(1));
        QCOMPARE(EventRecorder::settledCount(), 1);
    }

    void theCallbackMayWaitForAGuiThreadThatCallsTheLibrary()
    {
        SimulatedBench bench(oneMouseSet());
        Gui gui;
        EventRecorder::setHook([&](const EventRecorder::Event &) {
            QMetaObject::invokeMethod(&gui, "refresh", Qt::BlockingQueuedConnection);
        });
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        SimulationControl::pressDpiButton(QStringLiteral("M"));
        // Meanwhile the GUI thread calls the library too.
        for (int i = 0; i < 20; ++i) {
            UsbFinderC_GetDeviceOnLine(r().constData());
            QCoreApplication::processEvents();
        }
        QTRY_COMPARE_WITH_TIMEOUT(gui.slotRuns.load(), 2, 3000);
        QVERIFY(EventRecorder::waitForCount(2));
    }

    void startReplacesTheServerAndItsCallback()
    {
        SimulatedBench bench(oneMouseSet());
        QVERIFY(startOnReceiver(&otherCallback));
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        QVERIFY(EventRecorder::waitForCount(1));
        QVERIFY(waitForLibraryCallbacks());
        QCOMPARE(otherEvents.load(), 0);
    }

    void theCallbackMayStartAnotherServer()
    {
        SimulatedBench bench(oneMouseSet());
        EventRecorder::setHook([](const EventRecorder::Event &) {
            startOnReceiver(&otherCallback);
            UsbServer_ReadBatteryLevel();
        });
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        QVERIFY(waitFor([] { return otherEvents == 1; }));
        QCOMPARE(EventRecorder::settledCount(), 1);
        QCOMPARE(otherEvents.load(), 1);
    }

    void hotPlugCallsAfterRegistrationWhileDevicesArePresent()
    {
        SimulatedBench bench(oneMouseSet());
        StartUsbChanged(&countA, 600);
        QVERIFY(waitFor([] { return hotPlugA == 1; }));
        QVERIFY(hotPlugThread.load() != QThread::currentThreadId());
        QVERIFY(waitForLibraryCallbacks());
        QCOMPARE(hotPlugA.load(), 1);

        SimulationControl::plugReceiver(QStringLiteral("R"), false);
        QVERIFY(waitFor([] { return hotPlugA == 2; }));
        // With nothing plugged in, a registration gets no call.
        StartUsbChanged(&countB, 600);
        QVERIFY(waitForLibraryCallbacks());
        QCOMPARE(hotPlugB.load(), 0);
        SimulationControl::plugReceiver(QStringLiteral("R"), true);
        QVERIFY(waitFor([] { return hotPlugB == 1; }));
        SimulationControl::setOnline(QStringLiteral("M"), false);
        QVERIFY(waitFor([] { return hotPlugB == 2; }));
        QCOMPARE(hotPlugA.load(), 2); // replaced
    }

    void stopEndsTheHotPlugCalls()
    {
        SimulatedBench bench(oneMouseSet());
        StartUsbChanged(&countA, 600);
        QVERIFY(waitFor([] { return hotPlugA == 1; }));
        StopUsbChanged();
        SimulationControl::plugCable(QStringLiteral("M"), true);
        SimulationControl::plugReceiver(QStringLiteral("R"), false);
        QVERIFY(waitForLibraryCallbacks());
        QCOMPARE(hotPlugA.load(), 1);
    }

    void callsAreLoggedWithTheirThread()
    {
        SimulatedBench bench(oneMouseSet());
        EventRecorder::setHook([](const EventRecorder::Event &) { UsbServer_ReadBatteryLevel(); });
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        QVERIFY(EventRecorder::waitForCount(2));
        const auto reads = SimulationControl::calls(QStringLiteral("UsbServer_ReadBatteryLevel"));
        QVERIFY(!reads.isEmpty());
        QVERIFY(reads.first().thread != QThread::currentThreadId());
        QCOMPARE(reads.first().threadName, QByteArray("device server"));
        const auto starts = SimulationControl::calls(QStringLiteral("UsbServerC_Start"));
        QCOMPARE(starts.size(), 1);
        QCOMPARE(starts.first().thread, QThread::currentThreadId());
        QCOMPARE(starts.first().arguments, QString::fromLatin1(r()));
    }

    // Last: the process ends while an event thread is blocked in the callback for good, as when
    // the callback waits for a GUI loop that has already ended. Exit must neither hang nor leak.
    void processExitsWithACallbackBlocked()
    {
        static QSemaphore *never = new QSemaphore;
        EventRecorder::reset();
        QVERIFY(loadDeviceSet(oneMouseSet()));
        EventRecorder::setHook([](const EventRecorder::Event &) { never->acquire(); });
        QVERIFY(startOnReceiver());
        UsbServer_ReadAllFlashData();
        QVERIFY(waitFor(
            [] { return !SimulationControl::calls(QStringLiteral("event callback")).isEmpty(); }));
    }
};

ZR35_TEST_MAIN(TestDeviceLibThreads)
#include "tst_devicelibthreads.moc"
