#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

namespace {

using Request = bool (*)();

QByteArray r()
{
    return SimulationControl::receiverPath(QStringLiteral("R"));
}

bool startOnReceiver()
{
    return UsbServerC_Start(r().constData(), r().constData(), &EventRecorder::callback);
}

const FlashDataMap *record(const QByteArray &a)
{
    return reinterpret_cast<const FlashDataMap *>(a.constData());
}

// A model with two key-sequence buttons: a consumer key on button 2, a combination on button 5.
const char ConfigIni[] = "[Option]\n"
                         "DeviceTotal=1\n"
                         "CID=MTI=\n"
                         "[Drive1]\n"
                         "MID=10\n"
                         "KeyParam1=0x01,0x01,0x00\n"
                         "KeyParam2=0x05,0x00,0xE9\n"
                         "KeyParam3=0x01,0x04,0x00\n"
                         "KeyParam4=0x01,0x08,0x00\n"
                         "KeyParam5=0x05,0x00,0x00,Ctrl+C\n"
                         "KeyParam6=0x02,0x01,0x00\n"
                         "DPIMaxGrade=6\n"
                         "DPIGrade=400,800,1600,3200,6400,12800,16000,26000\n";

} // namespace

class TestDeviceLibServer : public QObject
{
    Q_OBJECT
private slots:
    void requestsAnswerWithTheirEvents_data()
    {
        QTest::addColumn<void *>("request");
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("command");
        QTest::addColumn<int>("length");
        const auto row = [](const char *name, Request request, int type, int command, int length) {
            QTest::newRow(name) << reinterpret_cast<void *>(request) << type << command << length;
        };
        row("whole configuration", &UsbServer_ReadAllFlashData, 8, 0, 6912);
        row("report rate", &UsbServer_ReadReportRate, 8, 0, 1);
        row("DPI stage", &UsbServer_ReadCurrentDPI, 8, 4, 1);
        row("DPI light", &UsbServer_ReadDPILed, 8, 0x4C, 8);
        row("light bar", &UsbServer_ReadLedBar, 8, 0xA0, 9);
        row("battery", &UsbServer_ReadBatteryLevel, 4, 0, 4);
        row("profile", &UsbServer_ReadConfig, 14, 0, 1);
        row("version", &UsbServer_ReadVersion, 18, 0, 2);
    }

    void requestsAnswerWithTheirEvents()
    {
        QFETCH(void *, request);
        QFETCH(int, type);
        QFETCH(int, command);
        QFETCH(int, length);
        SimulatedBench bench(oneMouseSet());
        QVERIFY(!reinterpret_cast<Request>(request)()); // no server yet
        QVERIFY(startOnReceiver());
        QVERIFY(reinterpret_cast<Request>(request)());
        QVERIFY(EventRecorder::waitForCount(1));
        const EventRecorder::Event event = EventRecorder::events().first();
        QVERIFY(event.header.size() >= 5);
        QCOMPARE(event.type(), type);
        QCOMPARE(event.status(), 0);
        if (type == 8)
            QCOMPARE(event.command(), command);
        QCOMPARE(event.payload.size(), length);
        QCOMPARE(EventRecorder::settledCount(), 1);
    }

    void repliesCarryTheStoredState()
    {
        SimulatedBench bench(oneMouseSet());
        QVERIFY(startOnReceiver());
        const QByteArray stored = SimulationControl::storedRecord(QStringLiteral("M"));
        QCOMPARE(stored.size(), ConfigurationImage::RecordSize);
        UsbServer_ReadAllFlashData();
        UsbServer_ReadBatteryLevel();
        UsbServer_ReadVersion();
        UsbServer_ReadDPILed();
        QVERIFY(EventRecorder::waitForCount(4));
        const auto events = EventRecorder::events();

        QByteArray parsed(ConfigurationImage::RecordSize, '\0');
        QVERIFY(ProtocolDataParser(bytesOf(events[0].payload),
                                   reinterpret_cast<FlashDataMap *>(parsed.data())));
        QCOMPARE(parsed, stored);

        unsigned char battery[BatteryStatusSize];
        GetDeviceBatteryStatus(bytesOf(events[1].payload), battery);
        QCOMPARE(battery[0], 80);
        QCOMPARE(battery[1], 0);

        QCOMPARE(events[2].type(), 18);
        QCOMPARE(UsbFinderC_GetVersion(r().constData()), 0x0A03);

        unsigned char light[4];
        QVERIFY(BufferToDPILed(bytesOf(events[3].payload), light));
        QCOMPARE(QByteArray(reinterpret_cast<char *>(light), 4), stored.mid(0x3F, 4));
    }

    void anAsleepMouseDropsRequests()
    {
        SimulatedBench bench(oneMouseSet());
        SimulationControl::setOnline(QStringLiteral("M"), false);
        QVERIFY(startOnReceiver());
        QVERIFY(UsbServer_ReadAllFlashData());
        UsbServer_ReadBatteryLevel();
        QByteArray changed = SimulationControl::storedRecord(QStringLiteral("M"));
        changed[0x05] = 3;
        QVERIFY(!ProtocolDataUpdate(record(changed)));
        QCOMPARE(EventRecorder::settledCount(), 0);
        QCOMPARE(SimulationControl::storedRecord(QStringLiteral("M")).at(0x05), char(1));
        // The program's own online check reads the record again once the mouse wakes.
        SimulationControl::setOnline(QStringLiteral("M"), true);
        UsbServer_ReadAllFlashData();
        QVERIFY(EventRecorder::waitForCount(1));
    }

    void noAnswerDropsOneRequest()
    {
        SimulatedBench bench(oneMouseSet());
        QVERIFY(startOnReceiver());
        SimulationControl::setNoAnswer(QStringLiteral("UsbServer_ReadAllFlashData"), 1);
        UsbServer_ReadAllFlashData();
        QCOMPARE(EventRecorder::settledCount(), 0);
        UsbServer_ReadAllFlashData();
        QVERIFY(EventRecorder::waitForCount(1));
    }

    void updateStoresWhatFitsAndLogsIt()
    {
        SimulatedBench bench(oneMouseSet());
        QVERIFY(startOnReceiver());
        QByteArray changed = SimulationControl::storedRecord(QStringLiteral("M"));
        changed[0x00] = 16;
        changed[0x3BC + 31] = 90; // macro 0 with 90 events
        QVERIFY(ProtocolDataUpdate(record(changed)));
        QCOMPARE(SimulationControl::receivedRecords().size(), 1);
        QCOMPARE(SimulationControl::receivedRecords().first(), changed);
        QCOMPARE(SimulationControl::cutValues(), QStringList{"M: macro 0 EventCount 90 -> 70"});

        changed[0x3BC + 31] = 70;
        QCOMPARE(SimulationControl::storedRecord(QStringLiteral("M")), changed);
        UsbServer_ReadReportRate();
        QVERIFY(EventRecorder::waitForCount(1));
        QCOMPARE(EventRecorder::events().first().payload, QByteArray(1, 16));
    }

    void factoryResetKeepsWhatTheProgramClearsItself()
    {
        SimulatedBench bench(oneMouseSet());
        bench.useConfigIni(ConfigIni);
        QVERIFY(startOnReceiver());
        const QByteArray factory = SimulationControl::storedRecord(QStringLiteral("M"));
        // Factory key-sequence buttons: slot 1 the volume-up consumer key, slot 4 Ctrl+C.
        QCOMPARE(factory.mid(0x4A + 3, 3), QByteArray::fromHex("050000"));
        QCOMPARE(factory.mid(0x7C + 52, 4 + 16), QByteArray::fromHex("02000000"
                                                                     "0002e9000a000000"
                                                                     "0102e9000a000000"));
        QCOMPARE(factory.mid(0x7C + 52 * 4, 4 + 32), QByteArray::fromHex("04000000"
                                                                         "000001000a000000"
                                                                         "000106000a000000"
                                                                         "010106000a000000"
                                                                         "010001000a000000"));
        QCOMPARE(int(factory.at(1)), 6);

        QByteArray used = factory;
        used[0x05] = 2;                                       // lift-off distance
        used.replace(0x4A, 3, QByteArray::fromHex("060000")); // button 1: a macro
        used.replace(0x4A + 3, 3, QByteArray::fromHex("010200"));
        used.replace(0x7C, 52, QByteArray(52, '\0'));
        used[0x7C] = 2;                                            // key record 0 in use
        used.replace(0x7C + 52, 52, QByteArray(52, '\0'));         // key record 1 cleared
        used.replace(0x3BC, 5, QByteArray::fromHex("0441424344")); // macro 0 "ABCD"
        QVERIFY(ProtocolDataUpdate(record(used)));

        QVERIFY(UsbServer_SetClearSetting());
        QVERIFY(EventRecorder::waitForCount(1));
        QCOMPARE(EventRecorder::events().first().type(), 9);
        QByteArray expected = factory;
        expected.replace(0x7C, 52, used.mid(0x7C, 52));     // a key record of another button stays
        expected.replace(0x3BC, 592, used.mid(0x3BC, 592)); // and so does every macro
        QCOMPARE(SimulationControl::storedRecord(QStringLiteral("M")), expected);
    }

    void hostSettings()
    {
        SimulatedBench bench(oneMouseSet());
        QVERIFY(startOnReceiver());
        QVERIFY(UsbServer_SetPCDriverStatus(1));
        QCOMPARE(SimulationControl::driverStatus(), 1);
        QVERIFY(UsbServer_SetBatteryOptimizeEnable(0));
        QVERIFY(!SimulationControl::batteryOptimize(QStringLiteral("M")));
        QVERIFY(UsbServer_SetCurrentConfig(3));
        UsbServer_ReadConfig();
        QVERIFY(EventRecorder::waitForCount(1));
        QCOMPARE(EventRecorder::events().first().payload, QByteArray(1, 3));
        QCOMPARE(SimulationControl::calls(QStringLiteral("UsbServer_SetPCDriverStatus")).size(), 1);
    }

    void changesOnTheDeviceAreAnnounced_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<int>("type");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("DPI button") << 0 << 10 << QByteArray::fromHex("0100");
        QTest::newRow("report rate") << 1 << 10 << QByteArray::fromHex("0200");
        QTest::newRow("profile") << 2 << 10 << QByteArray::fromHex("0400");
        QTest::newRow("DPI light") << 3 << 10 << QByteArray::fromHex("0800");
        QTest::newRow("light bar") << 4 << 10 << QByteArray::fromHex("2000");
        QTest::newRow("battery") << 5 << 10 << QByteArray::fromHex("4000");
        QTest::newRow("battery report") << 6 << 4 << QByteArray::fromHex("50000000");
        QTest::newRow("receiver LED") << 7 << 21 << QByteArray::fromHex("03000000000000000000");
        QTest::newRow("long range on") << 8 << 23 << QByteArray::fromHex("01");
        QTest::newRow("long range off") << 9 << 23 << QByteArray(10, '\0');
    }

    void changesOnTheDeviceAreAnnounced()
    {
        QFETCH(int, change);
        QFETCH(int, type);
        QFETCH(QByteArray, payload);
        SimulatedBench bench(oneMouseSet());
        QVERIFY(startOnReceiver());
        const QString m = QStringLiteral("M");
        const QString rn = QStringLiteral("R");
        const bool done[] = {
            change == 0 && SimulationControl::pressDpiButton(m),
            change == 1 && SimulationControl::setReportRate(m, 2),
            change == 2 && SimulationControl::setProfile(m, 1),
            change == 3 && SimulationControl::setDpiLight(m, QByteArray::fromHex("02ff0501")),
            change == 4 && SimulationControl::setLightBar(m, QByteArray::fromHex("0400808009090f")),
            change == 5 && SimulationControl::setBattery(m, 60, true),
            change == 6 && SimulationControl::sendBatteryReport(m),
            change == 7 && SimulationControl::setReceiverLed(rn, 3),
            change == 8 && SimulationControl::setLongRange(rn, true),
            change == 9 && SimulationControl::setLongRange(rn, false)};
        QVERIFY(done[change]);
        QVERIFY(EventRecorder::waitForCount(1));
        QCOMPARE(EventRecorder::events().first().type(), type);
        QCOMPARE(EventRecorder::events().first().payload, payload);
        QCOMPARE(EventRecorder::settledCount(), 1);
    }

    void dpiButtonMovesToTheNextStage()
    {
        SimulatedBench bench(oneMouseSet());
        QVERIFY(startOnReceiver());
        QByteArray stored = SimulationControl::storedRecord(QStringLiteral("M"));
        stored[0x01] = 3;
        stored[0x02] = 2;
        QVERIFY(ProtocolDataUpdate(record(stored)));
        SimulationControl::pressDpiButton(QStringLiteral("M"));
        UsbServer_ReadCurrentDPI();
        QVERIFY(EventRecorder::waitForCount(2));
        QCOMPARE(EventRecorder::events().at(1).payload, QByteArray(1, 0)); // wrapped after stage 3
    }

    void eventsComeOnlyFromTheServersDevice()
    {
        SimulatedBench bench(oneMouseSet() +
                             "[Other]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n");
        const QByteArray other = SimulationControl::receiverPath(QStringLiteral("Other"));
        QVERIFY(UsbServerC_Start(other.constData(), other.constData(), &EventRecorder::callback));
        SimulationControl::pressDpiButton(QStringLiteral("M"));
        SimulationControl::setReceiverLed(QStringLiteral("R"), 1);
        QVERIFY(UsbServer_ReadAllFlashData()); // sent to a receiver with no mouse: no answer
        QCOMPARE(EventRecorder::settledCount(), 0);
    }

    // Pairing by cable is not simulated: the operation is logged and nothing answers.
    void cablePairingAnswersNothing()
    {
        SimulatedBench bench(oneMouseSet());
        QVERIFY(startOnReceiver());
        SimulationControl::plugCable(QStringLiteral("M"), true);
        const unsigned char id[3] = {1, 2, 3};
        QVERIFY(!UsbFinderC_SetDongleIDToMouse(
            SimulationControl::cablePath(QStringLiteral("M")).constData(), id));
        QCOMPARE(SimulationControl::calls(QStringLiteral("UsbFinderC_SetDongleIDToMouse")).size(),
                 1);
        QCOMPARE(EventRecorder::settledCount(), 0);
    }

    void injectedEventsArriveAsTheyAre_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<QByteArray>("payload");
        QTest::newRow("empty header") << QByteArray() << QByteArray();
        QTest::newRow("two-byte header") << QByteArray::fromHex("a508") << QByteArray(6912, 'x');
        QTest::newRow("bad status") << QByteArray::fromHex("a508000100010000") << QByteArray(1, 1);
        QTest::newRow("ignored type") << QByteArray::fromHex("a50c000000000000") << QByteArray();
    }

    void injectedEventsArriveAsTheyAre()
    {
        QFETCH(QByteArray, header);
        QFETCH(QByteArray, payload);
        SimulatedBench bench(oneMouseSet());
        QVERIFY(!SimulationControl::injectEvent(header, payload));
        QVERIFY(startOnReceiver());
        QVERIFY(SimulationControl::injectEvent(header, payload));
        QVERIFY(EventRecorder::waitForCount(1));
        QCOMPARE(EventRecorder::events().first().header, header);
        QCOMPARE(EventRecorder::events().first().payload, payload);
    }
};

ZR35_TEST_MAIN(TestDeviceLibServer)
#include "tst_devicelibserver.moc"
