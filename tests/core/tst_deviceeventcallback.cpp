#include "core/deviceeventcallback.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/registryvalues.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/eventwire.h"
#include "platform/devicelib/replycoders.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/core/hubrecorder.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <cstring>
#include <limits>

namespace {

constexpr auto &state = State;

// Hands one event to the callback on a thread of its own, as the library does, and waits for it.
constexpr int WholeBuffer = std::numeric_limits<int>::min();

bool deliver(const QByteArray &header, const QByteArray &payload, int headerLength = WholeBuffer,
             int payloadLength = WholeBuffer)
{
    const int hl = headerLength == WholeBuffer ? int(header.size()) : headerLength;
    const int pl = payloadLength == WholeBuffer ? int(payload.size()) : payloadLength;
    return runOnWorkerThread([header, payload, hl, pl] {
        DeviceEventCallback(reinterpret_cast<const unsigned char *>(header.constData()), hl,
                            reinterpret_cast<const unsigned char *>(payload.constData()), pl);
    });
}

QByteArray eventHeader(int type, int command = 0, int length = 0, int status = 0)
{
    return EventWire::header(uchar(type), uchar(command), length, 0, uchar(status));
}

QByteArray fullRecordPayload(const FlashDataMap &record)
{
    return ConfigurationImage::encode(record.bytes());
}

// A record whose every key record and macro holds something, within what the device stores.
FlashDataMap recordWithAllSlotsUsed(FlashDataMap record)
{
    for (int slot = 0; slot < int(FlashDataMap::ButtonSlots); ++slot) {
        record.KeyRecords[slot].Count = 2;
        record.KeyRecords[slot].Events[0].Kind = 1;
        record.KeyRecords[slot].Events[0].setCode(quint16(0x04 + slot));
        record.Macros[slot].setName("m", 1);
        record.Macros[slot].EventCount = 1;
        record.Macros[slot].Events[0].setCode(quint16(0x10 + slot));
    }
    return record;
}

bool slotIsEmpty(const FlashDataMap &record, int slot)
{
    const KeyRecord noKeys{};
    const MacroRecord noMacro{};
    return std::memcmp(&record.KeyRecords[slot], &noKeys, sizeof noKeys) == 0 &&
           std::memcmp(&record.Macros[slot], &noMacro, sizeof noMacro) == 0;
}

const QStringList receiverReads = {"UsbFinderC_Get4KDongleRGBValue", "UsbFinderC_GetLongRangeMode"};

// The re-read throttle reads its clock this much later: no test waits real seconds for it.
void advanceThrottleClock(qint64 ms)
{
    state().ConfigRereadTimer.with([ms](ThrottleClock &clock) { clock.advanceForTests(ms); });
}

} // namespace

class TestDeviceEventCallback : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(LinkFixture::selectReceiverWithServer());
        state().ShowBatteryValueSetting = 1;
        m_recorder.reset(new HubRecorder);
        SimulationControl::clearLog();
    }
    void cleanup()
    {
        DeviceLink::StopServer();
        // A callback that was already running finishes its emissions to this test's receiver.
        QVERIFY(waitForLibraryCallbacks());
        m_recorder.reset();
    }

    void fullRecordFromTheDevice()
    {
        // What the mouse holds, with one setting the program has not seen yet.
        FlashDataMap device = LinkFixture::storedRecord();
        device.ReportRate = 2;
        QVERIFY(ProtocolDataUpdate(&device));
        SimulationControl::clearLog();
        // A pass somebody asked for meanwhile: the record's arrival does not answer it.
        state().ReadAllPending.request();

        QVERIFY(UsbServer_ReadAllFlashData());
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);

        COMPARE_RECORDS(state().CurrentFlashData.get(), device);
        QCOMPARE(state().OnlineCacheName.get(), QStringLiteral("Device_CID0C_MID0A.bin"));
        // The follow-up reads in their order, then the receiver settings, then one send back.
        QCOMPARE(LinkFixture::operations({"UsbServer_ReadDPILed", "UsbServer_ReadBatteryLevel",
                                          "UsbServer_ReadVersion", "UsbServer_ReadConfig",
                                          "UsbFinderC_Get4KDongleRGBValue",
                                          "UsbFinderC_GetLongRangeMode", "ProtocolDataUpdate"}),
                 QStringList({"UsbServer_ReadDPILed", "UsbServer_ReadBatteryLevel",
                              "UsbServer_ReadVersion", "UsbServer_ReadConfig",
                              "UsbFinderC_Get4KDongleRGBValue", "UsbFinderC_GetLongRangeMode",
                              "ProtocolDataUpdate"}));
        // The receiver LED (mode 2) was read; long range is off, which is not announced.
        const QStringList first = m_recorder->events().mid(0, 5);
        QCOMPARE(first, QStringList({"Rgb(2)", "Button", "Light", "Sensor", "Form"}));
        QCOMPARE(m_recorder->count("LongRange(true)"), 0);
        const QList<FlashDataMap> records = m_recorder->records().mid(0, 3);
        QCOMPARE(records.size(), 3);
        for (const FlashDataMap &record : records)
            COMPARE_RECORDS(record, device);
        QVERIFY(state().ReadAllPending.pending());
        QCOMPARE(int(state().OnlineAtLastRead.load()), 1);
        QCOMPARE(int(state().SensorUiUpdated.load()), 0);

        // The answers to the follow-up reads come as events of their own.
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Setver(0)") == 1, 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->events().contains("ConfigUI(4,0,true)"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->events().contains("Battery(false,80,true)"), 5000);
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("DpiLed") == 1, 5000);
        QCOMPARE(state().CurrentDeviceInfo.get().MouseVersion, QStringLiteral("v1.05"));
        QCOMPARE(RegistryValues::MouseVer(QStringLiteral("MouseVer1210")), QStringLiteral("v1.05"));
    }

    void receiverSettingsAfterFullRecord_data()
    {
        QTest::addColumn<bool>("longRangeOn");
        QTest::addColumn<bool>("answers");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QStringList>("events");
        const QStringList record = {"Button", "Light", "Sensor", "Form"};
        QTest::newRow("led and long range on")
            << true << true << 1 << QStringList({"Rgb(2)", "LongRange(true)"}) + record;
        QTest::newRow("long range off is not announced")
            << false << true << 1 << QStringList({"Rgb(2)"}) + record;
        QTest::newRow("no answer leaves 's' in the cell")
            << true << false << 1 << QStringList({"Rgb(2)"}) + record;
        QTest::newRow("other receiver kind has no led")
            << true << true << 5 << QStringList({"LongRange(true)"}) + record;
    }
    void receiverSettingsAfterFullRecord()
    {
        QFETCH(bool, longRangeOn);
        QFETCH(bool, answers);
        QFETCH(int, kind);
        QFETCH(QStringList, events);
        const QStringList record = {"Button", "Light", "Sensor", "Form"};
        QString devices = LinkFixture::receiverWithMouse();
        devices.replace("LongRange=0", longRangeOn ? "LongRange=1" : "LongRange=0");
        QVERIFY(LinkFixture::loadDevices(devices));
        QVERIFY(
            LinkFixture::selectDevice(LinkFixture::deviceInfo(LinkFixture::receiverPath(), kind)));
        // The library's server stops while the program still counts its own as running: the
        // follow-up reads and the receiver's LED reply reach nobody, so only the full record's
        // own signals arrive.
        UsbServer_Exit();
        m_recorder->clear();
        SimulationControl::clearLog();
        if (!answers)
            SimulationControl::setNoAnswer(QStringLiteral("UsbFinderC_GetLongRangeMode"), 1);

        QVERIFY(deliver(eventHeader(8, 0, 6912), fullRecordPayload(LinkFixture::storedRecord())));
        QStringList own;
        for (const QString &event : m_recorder->events()) {
            if (event.startsWith("Rgb") || event.startsWith("LongRange") || record.contains(event))
                own.append(event);
        }
        QCOMPARE(own, events);
    }

    void factoryResetKeepsKeySequenceSlots()
    {
        const FlashDataMap before = recordWithAllSlotsUsed(LinkFixture::storedRecord());
        state().ResetClearPending = 1;
        state().ResetSkipReceiverRead = 1;
        state().KeptKeySlots.set({});

        QVERIFY(deliver(eventHeader(8, 0, 6912), fullRecordPayload(before)));

        // Config.ini's first model gives button 6 (slot 5) a key-sequence default.
        const FlashDataMap after = state().CurrentFlashData.get();
        for (int slot = 0; slot < int(FlashDataMap::ButtonSlots); ++slot) {
            if (slot == 5) {
                QVERIFY(!slotIsEmpty(after, slot));
                QVERIFY(std::memcmp(&after.KeyRecords[5], &before.KeyRecords[5],
                                    sizeof(KeyRecord)) == 0);
            } else {
                QVERIFY2(slotIsEmpty(after, slot), qPrintable(QString::number(slot)));
            }
        }
        COMPARE_RECORDS(LinkFixture::storedRecord(), after);
        QCOMPARE(LinkFixture::calls("ProtocolDataUpdate"), 1);
        QVERIFY(LinkFixture::operations(receiverReads).isEmpty());
        QCOMPARE(int(state().ResetClearPending.load()), 0);
        QCOMPARE(int(state().ResetSkipReceiverRead.load()), 0);
        QVERIFY(state().KeptKeySlots.get().isEmpty());

        // The next full record clears nothing and reads the receiver again. (One handed in now
        // would answer a read asked before the keys were cleared: the mouse itself is asked.)
        QVERIFY(waitForLibraryCallbacks());
        FlashDataMap onMouse = before;
        QVERIFY(ProtocolDataUpdate(&onMouse));
        SimulationControl::clearLog();
        m_recorder->clear();
        QVERIFY(DeviceLink::RequestFullRead());
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        COMPARE_RECORDS(state().CurrentFlashData.get(), before);
        QCOMPARE(LinkFixture::operations(receiverReads), receiverReads);
    }

    void factoryResetWithoutKeySequenceClearsAll()
    {
        QVERIFY(LinkFixture::selectDevice(
            LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1, 12, 2)));
        const FlashDataMap before = recordWithAllSlotsUsed(LinkFixture::storedRecord());
        state().ResetClearPending = 1;
        QVERIFY(deliver(eventHeader(8, 0, 6912), fullRecordPayload(before)));
        FlashDataMap expected = before;
        std::memset(expected.bytes() + FlashDataMap::KeysAndMacrosOffset, 0,
                    FlashDataMap::KeysAndMacrosSize);
        COMPARE_RECORDS(state().CurrentFlashData.get(), expected);
    }

    void clearDoneAppliesTheModelDefaults()
    {
        QVERIFY(deliver(eventHeader(9), QByteArray()));
        QCOMPARE(LinkFixture::operations(
                     {"UsbServer_SetBatteryOptimizeEnable", "UsbFinderC_Set4KDongleRGB",
                      "UsbFinderC_SetLongRangeMode", "UsbServer_ReadAllFlashData"}),
                 QStringList({"UsbServer_SetBatteryOptimizeEnable", "UsbFinderC_Set4KDongleRGB",
                              "UsbFinderC_SetLongRangeMode", "UsbServer_ReadAllFlashData"}));
        QVERIFY(SimulationControl::batteryOptimize(QStringLiteral("M1")));
        // Adveanced "1,2": receiver LED mode 2, long range on.
        QCOMPARE(m_recorder->events().mid(0, 2), QStringList({"Rgb(2)", "LongRange(true)"}));
        QCOMPARE(int(m_recorder->lastDongleRgb().Mode), 2);
        unsigned char longRange = 's';
        const QByteArray path = LinkFixture::receiverPath();
        QVERIFY(UsbFinderC_GetLongRangeMode(path.constData(), &longRange));
        QCOMPARE(int(longRange), 1);
        SimulationControl::clearLog();

        // The device answers the full read: that record consumes both reset flags and does not
        // read back the receiver settings just written.
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        QCOMPARE(int(state().ResetClearPending.load()), 0);
        QCOMPARE(int(state().ResetSkipReceiverRead.load()), 0);
        QVERIFY(LinkFixture::operations(receiverReads).isEmpty());
        // The form hides the LED section until the receiver reports; the mode just set is its
        // report, so the section the defaults showed comes back. That report follows the form on
        // the device's thread and may not have arrived when the form has.
        const auto afterForm = [this] {
            const QStringList events = m_recorder->events();
            return events.mid(events.indexOf("Form"), 2);
        };
        QTRY_COMPARE_WITH_TIMEOUT(afterForm(), QStringList({"Form", "Rgb(2)"}), 5000);
    }

    void clearDoneWithoutDefaultsSetsNothing()
    {
        // The third model has neither long range nor a receiver LED ("-1,-1").
        QVERIFY(LinkFixture::selectDevice(
            LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1, 12, 2)));
        m_recorder->clear();
        SimulationControl::clearLog();
        QVERIFY(deliver(eventHeader(9), QByteArray()));
        QVERIFY(
            LinkFixture::operations({"UsbFinderC_Set4KDongleRGB", "UsbFinderC_SetLongRangeMode"})
                .isEmpty());
        QCOMPARE(m_recorder->count("LongRange(true)") + m_recorder->count("LongRange(false)"), 0);
        QCOMPARE(LinkFixture::calls("UsbServer_ReadAllFlashData"), 1);
    }

    void smallRepliesAreStoredAndSent()
    {
        QVERIFY(deliver(eventHeader(8, 0, 1), QByteArray(1, char(16))));
        QCOMPARE(int(state().CurrentFlashData.get().ReportRate), 16);
        QVERIFY(deliver(eventHeader(8, 4, 1), QByteArray(1, char(3))));
        QCOMPARE(int(state().CurrentFlashData.get().CurrentDpiStage), 3);
        QCOMPARE(m_recorder->events(), QStringList({"ReportRate(16)", "Dpi(3)"}));
        QCOMPARE(LinkFixture::calls("ProtocolDataUpdate"), 2);
        QCOMPARE(int(LinkFixture::storedRecord().ReportRate), 16);

        const unsigned char dpiLight[4] = {2, 128, 3, 1};
        QVERIFY(deliver(eventHeader(8, 0x4C, 8), ReplyCoders::encodeDpiLight(dpiLight)));
        const unsigned char ledBar[7] = {4, 1, 2, 3, 5, 6, 1};
        QVERIFY(deliver(eventHeader(8, 0xA0, 9), ReplyCoders::encodeLedBar(ledBar)));
        const FlashDataMap record = state().CurrentFlashData.get();
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&record.DpiLightMode), 4),
                 QByteArray(reinterpret_cast<const char *>(dpiLight), 4));
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&record.LightMode), 7),
                 QByteArray(reinterpret_cast<const char *>(ledBar), 7));
        QCOMPARE(m_recorder->events().mid(2), QStringList({"DpiLed", "Light"}));
        QCOMPARE(LinkFixture::calls("ProtocolDataUpdate"), 2); // the light blocks are not sent
    }

    void notices()
    {
        QVERIFY(deliver(eventHeader(4), ReplyCoders::encodeBattery(15, true)));
        QVERIFY(deliver(eventHeader(14), QByteArray(1, char(2))));
        QVERIFY(deliver(eventHeader(14), QByteArray(2, char(2))));
        QVERIFY(deliver(eventHeader(23), QByteArray(10, '\0')));
        QVERIFY(deliver(eventHeader(23), QByteArray(1, char(1))));
        QVERIFY(deliver(eventHeader(21), QByteArray()));
        // The receiver's answer carries the LED record as last read (mode 2, read with the mouse's
        // record when it was selected).
        QCOMPARE(m_recorder->events(),
                 QStringList({"Battery(true,15,true)", "ConfigUI(4,2,true)", "ConfigUI(0,0,false)",
                              "LongRange(false)", "Rgb(2)"}));
    }

    void versionReply()
    {
        state().CurrentDeviceInfo.with([](DeviceAllInfo &d) { d.MouseVersion = "v1.01"; });
        RegistryValues::SetMouseVer(QStringLiteral("MouseVer1210"), QStringLiteral("v1.01"));

        // The mouse does not answer the version read: nothing is put on record.
        SimulationControl::setNoAnswer(QStringLiteral("UsbFinderC_GetVersion"), 1);
        QVERIFY(deliver(eventHeader(18), QByteArray()));
        QCOMPARE(state().CurrentDeviceInfo.get().MouseVersion, QStringLiteral("v1.01"));
        QCOMPARE(RegistryValues::MouseVer(QStringLiteral("MouseVer1210")), QStringLiteral("v1.01"));
        QVERIFY(m_recorder->events().isEmpty());

        QVERIFY(deliver(eventHeader(18), QByteArray()));
        QCOMPARE(state().CurrentDeviceInfo.get().MouseVersion, QStringLiteral("v1.05"));
        QCOMPARE(RegistryValues::MouseVer(QStringLiteral("MouseVer1210")), QStringLiteral("v1.05"));
        QTRY_COMPARE(m_recorder->events(), QStringList({"Setver(0)"}));
    }

    void statusChangeReadsInOrder()
    {
        state().ConfigRereadTimer.with([](ThrottleClock &timer) { timer.start(); });
        QVERIFY(deliver(eventHeader(10), ReplyCoders::encodeStatusChanged(0x7F)));
        QCOMPARE(LinkFixture::operations({"UsbServer_ReadCurrentDPI", "UsbServer_ReadReportRate",
                                          "UsbServer_ReadBatteryLevel", "UsbServer_ReadLedBar",
                                          "UsbServer_ReadDPILed"}),
                 QStringList({"UsbServer_ReadCurrentDPI", "UsbServer_ReadReportRate",
                              "UsbServer_ReadBatteryLevel", "UsbServer_ReadLedBar",
                              "UsbServer_ReadDPILed"}));
        // Within 3000 ms of the service's start: the configuration change is dropped.
        QCOMPARE(int(state().RereadRequested.load()), 0);
    }

    void configurationChangesAreThrottled()
    {
        const QByteArray profileChanged = ReplyCoders::encodeStatusChanged(1u << 2);
        state().ConfigRereadTimer.with([](ThrottleClock &timer) { timer.invalidate(); });
        QVERIFY(deliver(eventHeader(10), profileChanged));
        QCOMPARE(int(state().RereadRequested.exchange(0)), 1);
        QCOMPARE(int(state().RereadWhenOnline.exchange(0)), 1);

        advanceThrottleClock(1000);
        QVERIFY(deliver(eventHeader(10), profileChanged));
        QCOMPARE(int(state().RereadRequested.load()), 0);

        advanceThrottleClock(2100); // 3.1 s after the accepted one
        QVERIFY(deliver(eventHeader(10), profileChanged));
        QCOMPARE(int(state().RereadRequested.load()), 1);
        QCOMPARE(int(state().RereadWhenOnline.load()), 1);
        QVERIFY(LinkFixture::operations({"UsbServer_ReadAllFlashData"}).isEmpty());
    }

    void malformedEventsChangeNothing_data()
    {
        QTest::addColumn<QByteArray>("header");
        QTest::addColumn<int>("headerLength");
        QTest::addColumn<int>("payloadLength");
        QTest::addColumn<bool>("goodImage");
        QTest::newRow("header of one byte") << eventHeader(8, 0, 6912) << 1 << 6912 << true;
        QTest::newRow("no header") << QByteArray() << 0 << 6912 << true;
        QTest::newRow("non-zero status") << eventHeader(8, 0, 6912, 1) << 8 << 6912 << true;
        QTest::newRow("short full record") << eventHeader(8, 0, 6911) << 8 << 6911 << true;
        QTest::newRow("damaged full record") << eventHeader(8, 0, 6912) << 8 << 6912 << false;
        QTest::newRow("report rate of 2 bytes") << eventHeader(8, 0, 2) << 8 << 2 << true;
        QTest::newRow("dpi stage of 0 bytes") << eventHeader(8, 4, 0) << 8 << 0 << true;
        QTest::newRow("dpi light of 7 bytes") << eventHeader(8, 0x4C, 7) << 8 << 7 << true;
        QTest::newRow("light bar of 10 bytes") << eventHeader(8, 0xA0, 10) << 8 << 10 << true;
        QTest::newRow("unknown command") << eventHeader(8, 0x33, 1) << 8 << 1 << true;
        QTest::newRow("negative length") << eventHeader(8, 0, 1) << 8 << -1 << true;
        QTest::newRow("long range of 9 bytes") << eventHeader(23) << 8 << 9 << true;
        for (int type : {0, 5, 6, 7, 11, 12, 13, 15, 16, 17, 19, 20, 22, 255})
            QTest::addRow("type %d", type) << eventHeader(type) << 8 << 6912 << true;
    }
    void malformedEventsChangeNothing()
    {
        QFETCH(QByteArray, header);
        QFETCH(int, headerLength);
        QFETCH(int, payloadLength);
        QFETCH(bool, goodImage);
        FlashDataMap changed = state().CurrentFlashData.get();
        changed.ReportRate = 64;
        changed.CurrentDpiStage = 7;
        QByteArray payload = fullRecordPayload(changed);
        if (!goodImage)
            payload[0x10] = char(payload.at(0x10) ^ 0x55);
        const FlashDataMap before = state().CurrentFlashData.get();

        QVERIFY(deliver(header, payload, headerLength, payloadLength));

        COMPARE_RECORDS(state().CurrentFlashData.get(), before);
        QVERIFY(m_recorder->events().isEmpty());
        QVERIFY(LinkFixture::operations().isEmpty());
    }

    void malformedEventsThroughTheLibrary()
    {
        // Through the server's own thread, in order: the good reply after the bad ones is the
        // sign that they have all been handled.
        QVERIFY(SimulationControl::injectEvent(eventHeader(8, 0, 1).left(1), QByteArray(1, 16)));
        QVERIFY(SimulationControl::injectEvent(eventHeader(8, 0, 1, 2), QByteArray(1, 16)));
        QVERIFY(SimulationControl::injectEvent(eventHeader(8, 4, 2), QByteArray(2, 1)));
        QVERIFY(SimulationControl::injectEvent(eventHeader(13), QByteArray(1, 1)));
        QVERIFY(SimulationControl::injectEvent(eventHeader(8, 0, 1), QByteArray(1, 4)));
        QTRY_COMPARE_WITH_TIMEOUT(m_recorder->events(), QStringList({"ReportRate(4)"}), 5000);
        QCOMPARE(int(state().CurrentFlashData.get().ReportRate), 4);
    }

    void guiThreadCallIsRefused()
    {
        const QByteArray header = eventHeader(8, 0, 1);
        const unsigned char rate = 32;
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("GUI thread"));
        DeviceEventCallback(reinterpret_cast<const unsigned char *>(header.constData()), 8, &rate,
                            1);
        QVERIFY(int(state().CurrentFlashData.get().ReportRate) != 32);
    }

    void closingWhileTheCallbackWaitsForTheGuiThread()
    {
        state().ReadAllPending.request();
        state().OnlineAtLastRead = 0;
        m_recorder->armEmissionProbe();
        QVERIFY(UsbServer_ReadAllFlashData());
        // This thread serves nothing now: the callback waits in its first page emission.
        QVERIFY(m_recorder->waitForBlockingEmission());

        // The window closes: the server stops without waiting for the callback, and the pages
        // go away with the window, which releases the emission the callback waits in.
        QElapsedTimer elapsed;
        elapsed.start();
        DeviceLink::StopServer();
        m_recorder.reset();
        QVERIFY(elapsed.elapsed() < 1000);
        // The callback gives up after the emission: the record does not count as shown, and the
        // pass somebody asked for is still asked for.
        QVERIFY(waitForLibraryCallbacks());
        QCOMPARE(int(state().OnlineAtLastRead.load()), 0);
        QVERIFY(state().ReadAllPending.pending());
    }

private:
    QScopedPointer<HubRecorder> m_recorder;
};

ZR35_TEST_MAIN(TestDeviceEventCallback)
#include "tst_deviceeventcallback.moc"
