#include "core/record/screenclock.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

using namespace ScreenClock;

namespace {

const QByteArray ScreenSet = "[R]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                             "[M]\nType=Mouse\nCid=12\nMid=10\nReceiver=R\n"
                             "CableVID=0x3D7A\nCablePID=0x1201\n"
                             "[S]\nType=Screen\nPID=0x1201\n"
                             "[Off]\nType=Screen\nPID=0x1201\nPlugged=false\n";

const Reading Thursday{2026, 3, 5, 14, 7, 9, 4};

QByteArray bytesOfPacket(const Packet &packet)
{
    return QByteArray(reinterpret_cast<const char *>(packet.data()), int(packet.size()));
}

QList<QByteArray> search(const char *vid, const char *pid, int collection)
{
    int count = -1;
    const char *const *paths = UsbFinderC_FindHidDevicesByDeviceId(vid, pid, 1, collection, &count);
    QList<QByteArray> found;
    for (int i = 0; i < count; ++i)
        found << QByteArray(paths[i]);
    return found;
}

// The screen's answer to a packet, after opening it.
QByteArray exchange(const QByteArray &packet, bool *answered = nullptr)
{
    QByteArray reply(int(PacketLength), '\x5A');
    const bool ok = UsbFinderC_ReadWriteDeviceData(bytesOf(packet), bytesOf(reply), packet.size());
    if (answered)
        *answered = ok;
    return reply;
}

bool passes(const QByteArray &reply)
{
    return ReplyPasses(BuildPacket(Thursday), bytesOf(reply), std::size_t(reply.size()));
}

} // namespace

class TestDeviceLibScreen : public QObject
{
    Q_OBJECT
private slots:
    // Only a search of the screens' collection with no vendor text finds a plugged screen, and
    // that search finds nothing else; the mouse and receiver searches never list a screen.
    void searches_data()
    {
        QTest::addColumn<QByteArray>("vid");
        QTest::addColumn<QByteArray>("pid");
        QTest::addColumn<int>("collection");
        QTest::addColumn<QList<QByteArray>>("found");
        const QByteArray screen = SimulationControl::screenPath(QStringLiteral("S"));
        const QByteArray receiver = SimulationControl::receiverPath(QStringLiteral("R"));
        QTest::newRow("screen") << QByteArray() << QByteArray("0x1201") << 8
                                << QList<QByteArray>{screen};
        QTest::newRow("with a vendor")
            << QByteArray("0x3D7A") << QByteArray("0x1201") << 8 << QList<QByteArray>{};
        QTest::newRow("receiver's product")
            << QByteArray() << QByteArray("0x1240") << 8 << QList<QByteArray>{};
        QTest::newRow("mouse collection")
            << QByteArray("0x3D7A") << QByteArray("0x1201") << 5 << QList<QByteArray>{};
        QTest::newRow("receiver unchanged")
            << QByteArray("0x3D7A") << QByteArray("0x1240") << 5 << QList<QByteArray>{receiver};
    }
    void searches()
    {
        QFETCH(QByteArray, vid);
        QFETCH(QByteArray, pid);
        QFETCH(int, collection);
        QFETCH(QList<QByteArray>, found);
        SimulatedBench bench(ScreenSet);
        QVERIFY(bench.ok());
        QCOMPARE(search(vid.constData(), pid.constData(), collection), found);
    }

    // A good packet sets the clock, kept over a restart; the reply echoes the date with its own
    // checksum.
    void takesAClockPacket()
    {
        SimulatedBench bench(ScreenSet);
        QVERIFY(bench.ok());
        QVERIFY(!UsbFinderC_OpenDevice(SimulationControl::screenPath(QStringLiteral("Off"))));
        QVERIFY(UsbFinderC_OpenDevice(SimulationControl::screenPath(QStringLiteral("S"))));
        const QByteArray reply = exchange(bytesOfPacket(BuildPacket(Thursday)));
        QVERIFY(passes(reply));
        QCOMPARE(reply.mid(7, 32), QByteArray(32, '\0'));
        Reading clock;
        QVERIFY(SimulationControl::screenClock(QStringLiteral("S"), &clock));
        QVERIFY(clock == Thursday);
        SimulationControl::restartBus();
        QVERIFY(SimulationControl::screenClock(QStringLiteral("S"), &clock));
        QVERIFY(clock == Thursday);
        QVERIFY(!SimulationControl::screenClock(QStringLiteral("Off"), &clock));
    }

    // A packet the screen refuses changes nothing and gets a zero reply.
    void refusesBadPackets_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QByteArray badSum = bytesOfPacket(BuildPacket(Thursday));
        badSum[39] = char(badSum.at(39) + 1);
        QTest::newRow("bad checksum") << badSum;
        QTest::newRow("wrong weekday") << bytesOfPacket(BuildPacket({2026, 3, 5, 14, 7, 9, 5}));
        QTest::newRow("hour 24") << bytesOfPacket(BuildPacket({2026, 3, 5, 24, 7, 9, 4}));
        QTest::newRow("too short") << bytesOfPacket(BuildPacket(Thursday)).left(20);
    }
    void refusesBadPackets()
    {
        QFETCH(QByteArray, packet);
        SimulatedBench bench(ScreenSet);
        QVERIFY(UsbFinderC_OpenDevice(SimulationControl::screenPath(QStringLiteral("S"))));
        bool answered = false;
        const QByteArray reply = exchange(packet, &answered);
        QVERIFY(answered);
        QCOMPARE(reply.left(packet.size()), QByteArray(packet.size(), '\0'));
        QVERIFY(!SimulationControl::screenClock(QStringLiteral("S"), nullptr));
    }

    // The test controls: spoilt replies one at a time, and silence.
    void faultyReplies()
    {
        SimulatedBench bench(ScreenSet);
        const QByteArray packet = bytesOfPacket(BuildPacket(Thursday));
        QVERIFY(!exchange(packet).isEmpty() && !passes(exchange(packet))); // nothing opened
        QVERIFY(UsbFinderC_OpenDevice(SimulationControl::screenPath(QStringLiteral("S"))));
        SimulationControl::spoilScreenReplies(false, 1);
        QVERIFY(!passes(exchange(packet)));
        QVERIFY(passes(exchange(packet)));
        SimulationControl::spoilScreenReplies(true, 2);
        QVERIFY(!passes(exchange(packet)));
        QVERIFY(!passes(exchange(packet)));
        QVERIFY(passes(exchange(packet)));
        SimulationControl::setScreenNoAnswer(1);
        bool answered = true;
        QCOMPARE(exchange(packet, &answered), QByteArray(int(PacketLength), '\x5A'));
        QVERIFY(!answered);
        QVERIFY(passes(exchange(packet)));
        QCOMPARE(SimulationControl::screenExchanges(), 7);
    }
};

ZR35_TEST_MAIN(TestDeviceLibScreen)
#include "tst_devicelibscreen.moc"
