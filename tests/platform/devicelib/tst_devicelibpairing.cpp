#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

#include <QFile>
#include <QSettings>

#include <atomic>

namespace {

// Receiver "R" has mouse "Old" paired to it; receiver "S" has mouse "New", which the tester holds
// in its pairing state; "Other" is a mouse of another customer, also in its pairing state.
const QByteArray PairingSet = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                              "[S]\nType=Receiver\nKind=4\nVID=0x3D7A\nPID=0x1220\n"
                              "[Old]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\n"
                              "[New]\nType=Mouse\nCid=12\nMid=11\nReceiver=S\nPairing=true\n"
                              "[Other]\nType=Mouse\nCid=7\nMid=12\nPairing=true\n";

QByteArray path(const char *receiver)
{
    return SimulationControl::receiverPath(QLatin1String(receiver));
}

bool startOn(const QByteArray &devicePath)
{
    return UsbServerC_Start(devicePath.constData(), devicePath.constData(),
                            &EventRecorder::callback);
}

// The statuses of the pairing events delivered so far, in order.
QList<int> statuses()
{
    QList<int> seen;
    for (const EventRecorder::Event &event : EventRecorder::events()) {
        if (event.type() == 6 && !event.payload.isEmpty())
            seen.append(quint8(event.payload.at(0)));
    }
    return seen;
}

// Reads the status `reads` times, each after the answer to the one before has arrived.
bool readStatus(int reads)
{
    for (int i = 0; i < reads; ++i) {
        const int before = EventRecorder::events().size();
        if (!UsbServer_ReadDonglePairStatus() || !EventRecorder::waitForCount(before + 1))
            return false;
    }
    return true;
}

std::atomic<int> plugChanges{0};
void countPlugChange()
{
    ++plugChanges;
}

QString storedReceiverOf(const char *mouse)
{
    QSettings file(SimulationControl::stateFolder() + QStringLiteral("/mouse-") +
                       QLatin1String(mouse) + QStringLiteral(".ini"),
                   QSettings::IniFormat);
    return file.value(QStringLiteral("Mouse/Receiver"), QStringLiteral("(none stored)")).toString();
}

} // namespace

class TestDeviceLibPairing : public QObject
{
    Q_OBJECT
private slots:
    // The receiver answers "pairing" twice, then takes the mouse held in its pairing state: from
    // then on it answers for that mouse, the mouse it had before is unpaired, the receiver the new
    // mouse came from is empty, and all of it is still so after a restart.
    void aWindowTakesTheMouseInItsPairingState()
    {
        SimulatedBench bench(PairingSet);
        StartUsbChanged(&countPlugChange, 600);
        QTRY_VERIFY(plugChanges.load() > 0);
        QVERIFY(startOn(path("R")));
        QVERIFY(UsbServer_EnterDonglePairOnlyCid(12));
        QVERIFY(EventRecorder::waitForCount(1));
        const int changesBefore = plugChanges.load();
        QVERIFY(readStatus(3));
        QCOMPARE(statuses(), QList<int>({1, 1, 1, 3}));
        QVERIFY(EventRecorder::events().at(3).thread != QThread::currentThreadId());
        QTRY_VERIFY(plugChanges.load() > changesBefore);

        // Paired, the mouse has left its pairing state: a window of S takes nothing.
        EventRecorder::reset();
        SimulationControl::setPairWindow(0);
        QVERIFY(startOn(path("S")));
        QVERIFY(UsbServer_EnterDonglePairOnlyCid(12));
        QVERIFY(EventRecorder::waitForCount(1));
        QVERIFY(readStatus(3));
        QCOMPARE(statuses(), QList<int>({1, 1, 1, 2}));

        for (int restarted = 0; restarted < 2; ++restarted) {
            QCOMPARE(int(UsbFinderC_GetDeviceInfo(path("R").constData()).Mid), 11);
            QCOMPARE(int(UsbFinderC_GetDeviceInfo(path("S").constData()).Mid), 0);
            QVERIFY(UsbFinderC_GetDeviceOnLine(path("R").constData()));
            QCOMPARE(storedReceiverOf("New"), QStringLiteral("R"));
            QCOMPARE(storedReceiverOf("Old"), QString());
            SimulationControl::restartBus();
        }
        StopUsbChanged();
    }

    // What each read answers, by the test's controls.
    void statusReads_data()
    {
        QTest::addColumn<int>("cid");
        QTest::addColumn<int>("readsAtOpen");
        QTest::addColumn<int>("windowMs");
        QTest::addColumn<bool>("failNext");
        QTest::addColumn<bool>("staysOpen");
        QTest::addColumn<QList<int>>("expected");
        QTest::addColumn<int>("midOfR");

        QTest::newRow("taken at the first read")
            << 12 << 0 << 10000 << false << false << QList<int>{1, 3, 3} << 11;
        QTest::newRow("no mouse of that customer: fails when the window ends")
            << 5 << 1 << 0 << false << false << QList<int>{1, 1, 2, 2} << 10;
        QTest::newRow("window still open: keeps answering open")
            << 5 << 0 << 60000 << false << false << QList<int>{1, 1, 1, 1} << 10;
        QTest::newRow("another customer's mouse is taken by its own id")
            << 7 << 0 << 10000 << false << false << QList<int>{1, 3} << 12;
        QTest::newRow("failed at the next read")
            << 12 << 2 << 10000 << true << false << QList<int>{1, 2, 2} << 10;
        QTest::newRow("stays open")
            << 12 << 0 << 0 << false << true << QList<int>{1, 1, 1, 1} << 10;
    }
    void statusReads()
    {
        QFETCH(int, cid);
        QFETCH(int, readsAtOpen);
        QFETCH(int, windowMs);
        QFETCH(bool, failNext);
        QFETCH(bool, staysOpen);
        QFETCH(QList<int>, expected);
        QFETCH(int, midOfR);

        SimulatedBench bench(PairingSet);
        SimulationControl::setPairStatusReads(readsAtOpen);
        SimulationControl::setPairWindow(windowMs);
        SimulationControl::setPairingStaysOpen(staysOpen);
        if (failNext)
            SimulationControl::failPairingAtNextRead();
        QVERIFY(startOn(path("R")));
        QVERIFY(UsbServer_EnterDonglePairOnlyCid(quint8(cid)));
        QVERIFY(EventRecorder::waitForCount(1));
        QVERIFY(readStatus(expected.size() - 1));
        QCOMPARE(statuses(), expected);
        QCOMPARE(int(UsbFinderC_GetDeviceInfo(path("R").constData()).Mid), midOfR);
    }

    // Pairing needs a receiver that is plugged in on the server's path; without one nothing is
    // answered, and an unplugged receiver forgets its window.
    void noReceiverNoAnswer()
    {
        SimulatedBench bench(PairingSet + "[Cabled]\nType=Mouse\nCid=12\nMid=10\nCable=true\n"
                                          "CableVID=0x3D7A\nCablePID=0x1201\n");
        // No server at all.
        QVERIFY(!UsbServer_EnterDonglePairOnlyCid(12));
        QVERIFY(!UsbServer_ReadDonglePairStatus());
        // A server on a mouse's cable.
        QVERIFY(startOn(SimulationControl::cablePath(QStringLiteral("Cabled"))));
        QVERIFY(!UsbServer_EnterDonglePairOnlyCid(12));
        QVERIFY(!UsbServer_ReadDonglePairStatus());
        QCOMPARE(EventRecorder::settledCount(), 0);

        // Unplugged while its window is open.
        QVERIFY(startOn(path("R")));
        QVERIFY(UsbServer_EnterDonglePairOnlyCid(12));
        QVERIFY(EventRecorder::waitForCount(1));
        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R"), false));
        QVERIFY(!UsbServer_ReadDonglePairStatus());
        QCOMPARE(EventRecorder::settledCount(), 1);
        QCOMPARE(int(UsbFinderC_GetDeviceInfo(path("S").constData()).Mid), 11);

        // Plugged in again: no window is open, so reads take no mouse.
        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R"), true));
        QVERIFY(readStatus(4));
        QCOMPARE(statuses(), QList<int>({1, 0, 0, 0, 0}));
        QCOMPARE(int(UsbFinderC_GetDeviceInfo(path("R").constData()).Mid), 10);
    }

    // A second request restarts the window: its reads are counted afresh.
    void aNewRequestOpensTheWindowAgain()
    {
        SimulatedBench bench(PairingSet);
        SimulationControl::setPairStatusReads(2);
        QVERIFY(startOn(path("R")));
        QVERIFY(UsbServer_EnterDonglePairOnlyCid(12));
        QVERIFY(EventRecorder::waitForCount(1));
        QVERIFY(readStatus(2));
        QVERIFY(UsbServer_EnterDonglePairOnlyCid(12));
        QVERIFY(EventRecorder::waitForCount(4));
        QVERIFY(readStatus(3));
        QCOMPARE(statuses(), QList<int>({1, 1, 1, 1, 1, 1, 3}));
    }
};

ZR35_TEST_MAIN(TestDeviceLibPairing)
#include "tst_devicelibpairing.moc"
