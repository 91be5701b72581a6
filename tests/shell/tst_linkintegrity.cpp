#include "core/devicecache.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "core/worker.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "tests/shell/homebench.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/modaldriver.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QApplication>
#include <QDir>
#include <QSignalSpy>
#include <QToolButton>

#include <functional>

namespace {

constexpr auto &state = State;

const QString Mouse = QStringLiteral("M");
const QString CacheName = QStringLiteral("Device_CID0C_MID0A.bin");

FlashDataMap storedRecord()
{
    return mouseRecord(Mouse);
}

// The cache an earlier run left for the mouse's model: not what the mouse holds.
void writeCache()
{
    FlashDataMap cached = storedRecord();
    cached.SleepTime = quint8(cached.SleepTime + 77);
    cached.ReportRate = 64;
    QDir().mkpath(DeviceCachePath(QString()));
    SaveDeviceCache(CacheName, cached);
}

bool passRunning()
{
    const Worker *worker = state().WorkerThread.load();
    return worker && worker->isRunning();
}

// Counts the forms the pages were told to re-apply, on the GUI thread.
class FormCounter : public QObject
{
public:
    FormCounter()
    {
        connect(PostMsg::GetInstance(), &PostMsg::SigForm, this, [this] { ++forms; });
    }
    int forms = 0;
};

} // namespace

// The device link keeps the mouse's record whole: nothing is written to a mouse whose record
// the program has not read, nothing is left running for a page the user has left, and a write
// the program reported done is not undone by a reply that was already on its way. The real main
// window, real threads and the simulated library at zero latency.
class TestLinkIntegrity : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DialogMain::TrayAvailable = [] { return false; };
        QFile::remove(DeviceCachePath(CacheName));
    }
    void cleanup() { SimulationControl::setLatency(0); }

    // The mouse sleeps when it is opened, so the pages show its cache; then it wakes. Whatever
    // happens first (a setting written, its DPI button, a report-rate change made on the mouse),
    // the mouse ends up holding what it held plus that one change: the record the program holds
    // from start-up (or from another device) never reaches it.
    void wokenMouseKeepsItsRecord_data()
    {
        QTest::addColumn<int>("action");
        QTest::newRow("setting written") << 0;
        QTest::newRow("its DPI button") << 1;
        QTest::newRow("report rate changed on the mouse") << 2;
    }
    void wokenMouseKeepsItsRecord()
    {
        QFETCH(int, action);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        writeCache();
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        FlashDataMap expected = storedRecord();
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        clickTile(window);
        // The pass has shown the cache and left the server waiting for the mouse.
        QTRY_VERIFY_WITH_TIMEOUT(
            !SimulationControl::calls("UsbServer_ReadAllFlashData").isEmpty() && !passRunning(),
            5000);
        QCOMPARE(currentPage(window), 1);

        QVERIFY(SimulationControl::setOnline(Mouse, true));
        const quint8 sleepTime = quint8(expected.SleepTime % 200 + 1);
        if (action == 0) {
            // Before the program has read the mouse: refused, and the user is told. The notice
            // may close itself before anyone presses it: the online check finds the mouse awake.
            ModalDriver notice(ModalDriver::named(QStringLiteral("MouseOffLine")),
                               QStringLiteral("CloseButton"));
            QSignalSpy told(PostMsg::GetInstance(), &PostMsg::SigMouseOffLineo);
            QVERIFY(!WriteSleepTime(sleepTime));
            QCOMPARE(told.count(), 1);
            COMPARE_RECORDS(storedRecord(), expected);
            expected.SleepTime = sleepTime;
        } else if (action == 1) {
            expected.CurrentDpiStage =
                quint8((expected.CurrentDpiStage + 1) % qMax(1, int(expected.DpiStageCount)));
            QVERIFY(SimulationControl::pressDpiButton(Mouse));
            QVERIFY(waitForLibraryCallbacks());
        } else {
            expected.ReportRate = 32;
            QVERIFY(SimulationControl::setReportRate(Mouse, 32));
            QVERIFY(waitForLibraryCallbacks());
        }
        if (action != 0)
            COMPARE_RECORDS(storedRecord(), expected);

        // The mouse answers again, so the program reads it; from then on writes reach it.
        QTRY_VERIFY_WITH_TIMEOUT(DeviceLink::RecordIsRead(), 10000);
        QVERIFY(waitForLibraryCallbacks());
        if (action == 0)
            QVERIFY(WriteSleepTime(sleepTime));
        COMPARE_RECORDS(storedRecord(), expected);
        COMPARE_RECORDS(state().CurrentFlashData.get(), expected);
    }

    // The user goes back home while the pass waits for the pages to take the mouse's cached
    // record. The pass gives up: on the home page the mouse is not told that the program is
    // attached, no server runs, and what the mouse does then is written nowhere.
    void goingHomeWhileThePassWaitsForThePages()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        writeCache();
        QVERIFY(SimulationControl::setOnline(Mouse, false));
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        WhilePagesFill back(
            [&window] { window.findChild<QToolButton *>(QStringLiteral("UpArrow"))->click(); });
        SimulationControl::clearLog();
        clickTile(window);
        QTRY_VERIFY_WITH_TIMEOUT(back.fired() && !passRunning(), 5000);
        QVERIFY(waitForLibraryCallbacks());
        QCOMPARE(currentPage(window), 0);
        QCOMPARE(SimulationControl::driverStatus(), 0);
        for (const CallLog::Call &call : SimulationControl::calls("UsbServer_SetPCDriverStatus"))
            QCOMPARE(call.arguments, QStringLiteral("0"));
        QVERIFY(!SimulationControl::injectEvent(QByteArray(8, '\0'), QByteArray())); // no server

        SimulationControl::clearLog();
        QVERIFY(SimulationControl::setOnline(Mouse, true));
        QVERIFY(SimulationControl::pressDpiButton(Mouse));
        QVERIFY(waitForLibraryCallbacks());
        QVERIFY(SimulationControl::receivedRecords().isEmpty());
        QCOMPARE(currentPage(window), 0);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // A whole record is read with 300 ms on the wire, and the user writes a setting before it
    // arrives: the reply left the mouse before the write and lacks it. The write stays done in
    // the mouse and in the program; the record is read again instead.
    void replyOlderThanAWriteDoesNotUndoIt_data()
    {
        QTest::addColumn<bool>("programsOwnRead");
        QTest::newRow("read the program asks for") << true;
        QTest::newRow("read asked past the program") << false;
    }
    void replyOlderThanAWriteDoesNotUndoIt()
    {
        QFETCH(bool, programsOwnRead);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        QVERIFY(waitForTiles(window.homePage(), 1));
        clickTile(window);
        QTRY_VERIFY_WITH_TIMEOUT(DeviceLink::RecordIsRead(), 10000);
        QVERIFY(waitForLibraryCallbacks());
        const FlashDataMap before = state().CurrentFlashData.get();
        const quint8 sleepTime = quint8(before.SleepTime % 200 + 1);

        FormCounter counter;
        SimulationControl::setLatency(300);
        QVERIFY(programsOwnRead ? DeviceLink::RequestFullRead() : UsbServer_ReadAllFlashData());
        SimulationControl::setLatency(0);
        QVERIFY(WriteSleepTime(sleepTime));
        QCOMPARE(int(storedRecord().SleepTime), int(sleepTime));

        // Once the pages have a whole record again, the write is in it and in the mouse.
        QTRY_VERIFY_WITH_TIMEOUT(counter.forms >= 1, 5000);
        QVERIFY(waitForLibraryCallbacks());
        QCOMPARE(int(storedRecord().SleepTime), int(sleepTime));
        QCOMPARE(int(state().CurrentFlashData.get().SleepTime), int(sleepTime));
        COMPARE_RECORDS(state().CurrentFlashData.get(), storedRecord());
    }
};

ZR35_TEST_MAIN(TestLinkIntegrity)
#include "tst_linkintegrity.moc"
