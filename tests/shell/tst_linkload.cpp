#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "platform/devicelib/eventwire.h"
#include "platform/devicelib/replycoders.h"
#include "platform/devicelib/simulationcontrol.h"
#include "shell/dialogchange.h"
#include "shell/dialogmain.h"
#include "tests/shell/homebench.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QToolButton>

#include <atomic>
#include <functional>
#include <thread>

namespace {

constexpr auto &state = State;

const QString Mouse = QStringLiteral("M");

FlashDataMap storedRecord()
{
    return mouseRecord(Mouse);
}

bool heldIsStored()
{
    return sameRecord(state().CurrentFlashData.get(), storedRecord());
}

// Runs an event loop, as the program does, until `done` holds: the storm's blocking emissions
// wait for the GUI thread, and a polling wait that sleeps between rounds would set their pace.
bool serveUntil(const std::function<bool()> &done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (done())
            loop.quit();
    });
    poll.start(20);
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    limit.start(timeoutMs);
    loop.exec();
    return done();
}

// The device page open on `path`, or the home page listing `path` alone.
bool showsOnly(const DialogMain &window, const QByteArray &path)
{
    if (currentPage(window) == 1)
        return state().DevicePath.get() == path;
    const QList<DeviceAllInfo> listed = DeviceLists::instance()->HomeDeviceList.get();
    return listed.size() == 1 && listed.first().Path == QString::fromLatin1(path) &&
           window.homePage()->TileButtons.size() == 1;
}

} // namespace

// The device link under a load far beyond a user's: the mouse reporting changes as fast as the
// library delivers them, and plugs changing faster than anyone can plug. The program keeps up,
// stays responsive and ends where the devices are.
class TestLinkLoad : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DialogMain::TrayAvailable = [] { return false; };
    }

    // Ten thousand status-change events of the mouse: most flag its lights and its battery
    // (three reads each, their answers handed to the pages), one in fifty is a press of its DPI
    // button (read, handed to the pages and written back).
    void statusChangeStorm()
    {
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        QVERIFY(openDevicePage(window));

        const QByteArray flags = ReplyCoders::encodeStatusChanged(1u << ReplyCoders::DpiLightItem |
                                                                  1u << ReplyCoders::LedBarItem |
                                                                  1u << ReplyCoders::BatteryItem);
        std::atomic<bool> done{false};
        std::thread mouse([&] {
            for (int i = 0; i < 10000; ++i) {
                if (i % 50 == 0)
                    SimulationControl::pressDpiButton(Mouse);
                else
                    SimulationControl::injectEvent(
                        EventWire::header(EventWire::StatusChanged, 0, flags.size(), quint8(i)),
                        flags);
            }
            SimulationControl::setBattery(Mouse, 42, true);
            done = true;
        });
        QElapsedTimer timer;
        timer.start();
        // Once the last reply has arrived, what the program holds is what the mouse holds.
        const bool served = serveUntil(
            [&] {
                const BatteryStatus battery = state().BatteryCell.get();
                return done.load() && heldIsStored() && battery.Level == 42 &&
                       battery.Charging != 0;
            },
            60000);
        mouse.join();
        COMPARE_RECORDS(state().CurrentFlashData.get(), storedRecord());
        QVERIFY(served);
        qInfo("10000 status changes handled in %lld ms", timer.elapsed());
        QCOMPARE(currentPage(window), 1);
        QVERIFY(WriteSleepTime(33));
        QCOMPARE(int(storedRecord().SleepTime), 33);
    }

    void hotPlugStorm_data()
    {
        QTest::addColumn<bool>("onDevicePage");
        QTest::newRow("receiver, home page") << false;
        QTest::newRow("cable, device page") << true;
    }
    // A thousand plug changes, ending with the plug as it was at the start.
    void hotPlugStorm()
    {
        QFETCH(bool, onDevicePage);
        HomeBench bench(OneReceiverSet);
        QVERIFY(bench.ok());
        DialogMain window;
        window.show();
        if (onDevicePage)
            QVERIFY(openDevicePage(window));
        else
            QVERIFY(waitForTiles(window.homePage(), 1));

        std::atomic<bool> done{false};
        std::thread plugs([&] {
            for (int i = 0; i < 1000; ++i) {
                const bool plugged = i % 2 == 0;
                if (onDevicePage)
                    SimulationControl::plugCable(Mouse, plugged);
                else
                    SimulationControl::plugReceiver(QStringLiteral("R"), !plugged);
            }
            done = true;
        });
        const bool served = serveUntil([&] { return done.load(); }, 60000);
        plugs.join();
        QVERIFY(served);

        // Only the receiver is plugged now. The device page may have followed the mouse to its
        // cable and home again, or stayed on the receiver; either way, once the last notices are
        // handled, it shows what is there.
        const QByteArray receiver = SimulationControl::receiverPath(QStringLiteral("R"));
        QVERIFY(waitForLibraryCallbacks());
        QTRY_VERIFY_WITH_TIMEOUT(showsOnly(window, receiver), 10000);
        if (currentPage(window) == 1) {
            QCOMPARE(state().DevicePath.get(), receiver);
            QVERIFY(WriteSleepTime(44));
            QCOMPARE(int(storedRecord().SleepTime), 44);
        } else {
            QVERIFY(waitForTiles(window.homePage(), 1));
            const QList<DeviceAllInfo> listed = DeviceLists::instance()->HomeDeviceList.get();
            QCOMPARE(listed.size(), 1);
            QCOMPARE(listed.first().Path, QString::fromLatin1(receiver));
            QVERIFY(openDevicePage(window));
        }
    }
};

ZR35_TEST_MAIN(TestLinkLoad)
#include "tst_linkload.moc"
