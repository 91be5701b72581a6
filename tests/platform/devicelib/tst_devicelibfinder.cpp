#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

namespace {

// oneMouseSet() plus a receiver of kind 5 with no mouse paired to it.
QByteArray twoReceivers()
{
    return oneMouseSet() + "[Lonely]\nType=Receiver\nKind=5\nVID=0x3D7A\nPID=0x1280\n";
}

QStringList find(const char *vid, const char *pid)
{
    int count = 5;
    const char *const *paths = UsbFinderC_FindHidDevicesByDefaultDeviceId(vid, pid, &count);
    QStringList found;
    for (int i = 0; i < count; ++i)
        found << QString::fromLatin1(paths[i]);
    return found;
}

QByteArray r()
{
    return SimulationControl::receiverPath(QStringLiteral("R"));
}

QByteArray cable()
{
    return SimulationControl::cablePath(QStringLiteral("M"));
}

} // namespace

class TestDeviceLibFinder : public QObject
{
    Q_OBJECT
private slots:
    void enumerationMatchesTheIdentifierTexts()
    {
        SimulatedBench bench(twoReceivers());
        QVERIFY(bench.ok());
        QCOMPARE(find("0x3D7A", "0x1240"), QStringList{QString::fromLatin1(r())});
        QCOMPARE(find("0x3D7A", "0x1280").size(), 1);
        QCOMPARE(find("0x3D7A", "0x1201"), QStringList());
        QCOMPARE(find("0x3d7a", "0x1240"), QStringList());
        QCOMPARE(find("", ""), QStringList());

        QVERIFY(SimulationControl::plugCable(QStringLiteral("M"), true));
        int count = 0;
        const char *const *paths =
            UsbFinderC_FindHidDevicesByDeviceId("0x3D7A", "0x1201", 1, 5, &count);
        QCOMPARE(count, 1);
        QCOMPARE(QByteArray(paths[0]), cable());

        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R"), false));
        QCOMPARE(find("0x3D7A", "0x1240"), QStringList());
    }

    void pathsStayPutAndDoNotGrow()
    {
        SimulatedBench bench(oneMouseSet());
        int count = 0;
        const char *const *first =
            UsbFinderC_FindHidDevicesByDefaultDeviceId("0x3D7A", "0x1240", &count);
        const char *text = first[0];
        SimulationControl::plugReceiver(QStringLiteral("R"), false);
        const char *const *none =
            UsbFinderC_FindHidDevicesByDefaultDeviceId("0x3D7A", "0x1240", &count);
        QCOMPARE(count, 0);
        QVERIFY(none != nullptr);
        SimulationControl::plugReceiver(QStringLiteral("R"), true);
        for (int i = 0; i < 100; ++i) {
            const char *const *again =
                UsbFinderC_FindHidDevicesByDefaultDeviceId("0x3D7A", "0x1240", &count);
            QCOMPARE(again, first);
            QCOMPARE(again[0], text);
        }
        // A pointer the program kept from the first enumeration still reads the path.
        QCOMPARE(QByteArray(text), r());
    }

    void deviceInfoNamesTheMouseBehindThePath_data()
    {
        QTest::addColumn<QByteArray>("path");
        QTest::addColumn<bool>("asleep");
        QTest::addColumn<int>("cid");
        QTest::addColumn<int>("mid");
        QTest::addColumn<int>("kind");
        QTest::newRow("receiver, mouse awake") << r() << false << 12 << 10 << 1;
        QTest::newRow("receiver, mouse asleep") << r() << true << 12 << 10 << 1;
        QTest::newRow("cable") << cable() << false << 12 << 10 << 2;
        QTest::newRow("receiver without mouse")
            << SimulationControl::receiverPath(QStringLiteral("Lonely")) << false << 0 << 0 << 5;
        QTest::newRow("no such device") << QByteArray("a") << false << 0 << 0 << 0;
    }

    void deviceInfoNamesTheMouseBehindThePath()
    {
        QFETCH(QByteArray, path);
        QFETCH(bool, asleep);
        QFETCH(int, cid);
        QFETCH(int, mid);
        QFETCH(int, kind);
        SimulatedBench bench(twoReceivers());
        SimulationControl::plugCable(QStringLiteral("M"), true);
        SimulationControl::setOnline(QStringLiteral("M"), !asleep);
        const UsbDeviceInfo info = UsbFinderC_GetDeviceInfo(path.constData());
        QCOMPARE(int(info.Cid), cid);
        QCOMPARE(int(info.Mid), mid);
        QCOMPARE(int(info.Kind), kind);
    }

    void emptyRepliesComeFirst()
    {
        SimulatedBench bench(oneMouseSet());
        SimulationControl::setEmptyDeviceInfoReplies(r(), 9);
        for (int i = 0; i < 9; ++i) {
            const UsbDeviceInfo info = UsbFinderC_GetDeviceInfo(r().constData());
            QCOMPARE(int(info.Cid) + int(info.Mid), 0);
            QCOMPARE(int(info.Kind), 1);
        }
        QCOMPARE(int(UsbFinderC_GetDeviceInfo(r().constData()).Mid), 10);
    }

    void onlineFollowsTheWirelessLink()
    {
        SimulatedBench bench(oneMouseSet());
        QVERIFY(UsbFinderC_GetDeviceOnLine(r().constData()));
        QVERIFY(!UsbFinderC_GetDeviceOnLine("a"));
        QVERIFY(!UsbFinderC_GetDeviceOnLine(nullptr));

        unsigned char status[OnlineStatusSize];
        memset(status, 0xEE, sizeof status);
        QVERIFY(UsbFinderC_GetDeviceOnLineWithUsbAddress(r().constData(), status));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(status) + 6, 4),
                 QByteArray::fromHex("01112233"));

        SimulationControl::setOnline(QStringLiteral("M"), false);
        QVERIFY(!UsbFinderC_GetDeviceOnLine(r().constData()));
        QVERIFY(UsbFinderC_GetDeviceOnLineWithUsbAddress(r().constData(), status));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(status) + 6, 4),
                 QByteArray::fromHex("00112233"));
        QCOMPARE(UsbFinderC_GetVersion(r().constData()), 0);

        // On its cable the sleeping radio does not matter, and the mouse names its receiver.
        SimulationControl::plugCable(QStringLiteral("M"), true);
        QVERIFY(UsbFinderC_GetDeviceOnLine(cable().constData()));
        QVERIFY(UsbFinderC_GetDeviceOnLineWithUsbAddress(cable().constData(), status));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(status) + 6, 4),
                 QByteArray::fromHex("01112233"));

        memset(status, 0xEE, sizeof status);
        QVERIFY(!UsbFinderC_GetDeviceOnLineWithUsbAddress("a", status));
        QCOMPARE(status[6], 0xEE);
    }

    void versions()
    {
        SimulatedBench bench(oneMouseSet());
        QCOMPARE(UsbFinderC_GetVersion(r().constData()), 0x0A03);
        unsigned char attribute[UsbDeviceAttributeSize] = {};
        QVERIFY(UsbFinderC_GetUsbDeviceAttribute(r().constData(), attribute));
        QCOMPARE(attribute[8], 0x03);
        QCOMPARE(attribute[9], 0x02);
        int version = 0;
        QVERIFY(UsbFinderC_GetSlaveVersion(r().constData(), &version));
        QCOMPARE(version, 0x0203);

        SimulationControl::plugCable(QStringLiteral("M"), true);
        QVERIFY(UsbFinderC_GetUsbDeviceAttribute(cable().constData(), attribute));
        QCOMPARE(attribute[8], 0x03);
        QCOMPARE(attribute[9], 0x0A);
        version = 0;
        QVERIFY(!UsbFinderC_GetSlaveVersion(cable().constData(), &version));
        QCOMPARE(version, 0);
    }

    void receiverLed()
    {
        SimulatedBench bench(twoReceivers());
        unsigned char rgb[DongleRgbSize] = {};
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(r().constData(), rgb));
        QCOMPARE(rgb[0], 2);

        rgb[0] = 3;
        rgb[9] = 0x42; // the bytes after the mode travel untouched
        QVERIFY(UsbFinderC_Set4KDongleRGB(r().constData(), rgb));
        unsigned char back[DongleRgbSize] = {};
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(r().constData(), back));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(back), DongleRgbSize),
                 QByteArray(reinterpret_cast<char *>(rgb), DongleRgbSize));

        rgb[0] = 7;
        QVERIFY(!UsbFinderC_Set4KDongleRGB(r().constData(), rgb));
        QVERIFY(UsbFinderC_Get4KDongleRGBValue(r().constData(), back));
        QCOMPARE(back[0], 3);

        // Only receivers of kind 1 have the LED.
        const QByteArray lonely = SimulationControl::receiverPath(QStringLiteral("Lonely"));
        back[0] = 0xEE;
        QVERIFY(!UsbFinderC_Get4KDongleRGBValue(lonely.constData(), back));
        QCOMPARE(back[0], 0xEE);
    }

    void longRange()
    {
        SimulatedBench bench(oneMouseSet());
        unsigned char mode = 's';
        QVERIFY(UsbFinderC_GetLongRangeMode(r().constData(), &mode));
        QCOMPARE(mode, 0);
        QVERIFY(UsbFinderC_SetLongRangeMode(r().constData(), 1));
        QVERIFY(UsbFinderC_GetLongRangeMode(r().constData(), &mode));
        QCOMPARE(mode, 1);

        SimulationControl::setNoAnswer(QStringLiteral("UsbFinderC_GetLongRangeMode"), 1);
        mode = 's';
        QVERIFY(!UsbFinderC_GetLongRangeMode(r().constData(), &mode));
        QCOMPARE(mode, 's');
        QVERIFY(UsbFinderC_GetLongRangeMode(r().constData(), &mode));
        QCOMPARE(mode, 1);
    }

    void operationsWithoutADeviceAreRefusedAndLogged()
    {
        SimulatedBench bench(oneMouseSet());
        int count = 5;
        const unsigned char image[4] = {1, 2, 3, 4};
        QVERIFY(!UsbUpgradeC_FindBootDevices(image, 4, &count));
        QCOMPARE(count, 0);
        QVERIFY(!UsbUpgrade_Start(image, 4, nullptr, 10000));
        // Four bytes are no image: refused, and the log says so (tst_devicelibupgrade has the
        // rest of the upgrade).
        const char *const *logs = UsbUpgradeC_GetLogs();
        QCOMPARE(QByteArray(logs[0]), QByteArray("Upgrade refused"));
        QCOMPARE(QByteArray(logs[3]), QByteArray("Cause: image shorter than its header"));
        QVERIFY(!UsbFinderC_OpenDevice(r().constData()));
        unsigned char reply[40] = {};
        QVERIFY(!UsbFinderC_ReadWriteDeviceData(image, reply, 40));
        QCOMPARE(reply[0], 0);
    }
};

ZR35_TEST_MAIN(TestDeviceLibFinder)
#include "tst_devicelibfinder.moc"
