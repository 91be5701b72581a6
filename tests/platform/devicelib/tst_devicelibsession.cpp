#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

#include <atomic>

namespace {
std::atomic<int> plugChanges{0};
void countPlugChanges()
{
    ++plugChanges;
}

QByteArray wholeConfiguration()
{
    const int before = EventRecorder::events().size();
    if (!UsbServer_ReadAllFlashData() || !EventRecorder::waitForCount(before + 1))
        return QByteArray();
    const EventRecorder::Event reply = EventRecorder::events().at(before);
    if (reply.type() != 8 || reply.command() != 0 || reply.payload.size() != 6912)
        return QByteArray();
    QByteArray record(ConfigurationImage::RecordSize, '\0');
    ProtocolDataParser(reinterpret_cast<const unsigned char *>(reply.payload.constData()),
                       reinterpret_cast<FlashDataMap *>(record.data()));
    return record;
}
} // namespace

// One session as the program runs it against the built-in devices, with the transfer latency
// of a real receiver: plug the receiver in, find it, start the server, read the whole
// configuration, write a change, read it back.
class TestDeviceLibSession : public QObject
{
    Q_OBJECT
private slots:
    void readWriteReadBack()
    {
        SimulatedBench bench;
        SimulationControl::setLatency(3);
        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("Receiver1"), false));
        StartUsbChanged(&countPlugChanges, 600);
        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("Receiver1"), true));
        QTRY_COMPARE_WITH_TIMEOUT(plugChanges.load(), 1, 3000);

        int count = 5;
        const char *const *paths =
            UsbFinderC_FindHidDevicesByDeviceId("0x3D7A", "0x1240", 1, 5, &count);
        QCOMPARE(count, 1);
        const QByteArray path = paths[0];
        const UsbDeviceInfo info = UsbFinderC_GetDeviceInfo(path.constData());
        QCOMPARE(int(info.Cid), 12);
        QCOMPARE(int(info.Mid), 10);
        QCOMPARE(int(info.Kind), 1);
        QVERIFY(UsbFinderC_GetDeviceOnLine(path.constData()));

        QVERIFY(UsbServerC_Start(path.constData(), path.constData(), &EventRecorder::callback));
        QVERIFY(UsbServer_SetPCDriverStatus(1));
        QByteArray record = wholeConfiguration();
        QCOMPARE(record.size(), ConfigurationImage::RecordSize);

        record[0x00] = 16;                                                  // 2000 Hz
        record.replace(0x0F + 6 * 2 + 3, 3, QByteArray::fromHex("102030")); // stage 3 colour
        record.replace(0x3BC + 592 * 7, 8, QByteArray::fromHex("06") + "Sprint" + '\x01');
        QVERIFY(ProtocolDataUpdate(reinterpret_cast<const FlashDataMap *>(record.constData())));

        QCOMPARE(wholeConfiguration(), record);
        UsbServer_Exit();
        StopUsbChanged();
    }
};

ZR35_TEST_MAIN(TestDeviceLibSession)
#include "tst_devicelibsession.moc"
