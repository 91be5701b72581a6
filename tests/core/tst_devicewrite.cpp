#include "core/deviceeventcallback.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/core/hubrecorder.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <cstring>
#include <functional>

namespace {

constexpr auto &state = State;

FlashDataMap current()
{
    return state().CurrentFlashData.get();
}

using Write = std::function<bool()>;
using Expect = std::function<void(FlashDataMap &)>;

} // namespace

Q_DECLARE_METATYPE(Write)
Q_DECLARE_METATYPE(Expect)

class TestDeviceWrite : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(LinkFixture::selectReceiverWithServer());
        m_recorder.reset(new HubRecorder);
        SimulationControl::clearLog();
    }
    void cleanup()
    {
        DeviceLink::StopServer();
        QVERIFY(waitForLibraryCallbacks());
        m_recorder.reset();
    }

    void writeReachesTheMouse_data()
    {
        QTest::addColumn<Write>("write");
        QTest::addColumn<Expect>("expect");
        QTest::newRow("report rate 2000 Hz") << Write([] { return WriteReportRate(16); })
                                             << Expect([](FlashDataMap &r) { r.ReportRate = 16; });
        QTest::newRow("low byte only")
            << Write([] { return WriteLod(0x103); }) << Expect([](FlashDataMap &r) { r.Lod = 3; });
        QTest::newRow("sleep time") << Write([] { return WriteSleepTime(240); })
                                    << Expect([](FlashDataMap &r) { r.SleepTime = 240; });
        QTest::newRow("debounce") << Write([] { return WriteDebounceTime(7); })
                                  << Expect([](FlashDataMap &r) { r.DebounceTime = 7; });
        QTest::newRow("dpi value")
            << Write([] { return WriteDpiValue(7, 0x40, 0x40, 2); }) << Expect([](FlashDataMap &r) {
                   r.DpiStages[7].CodeX = 0x40;
                   r.DpiStages[7].CodeY = 0x40;
                   r.DpiStages[7].Flags = 2;
               });
        QTest::newRow("dpi colour")
            << Write([] { return WriteDpiColor(2, 10, 20, 30); }) << Expect([](FlashDataMap &r) {
                   r.DpiStages[2].Red = 10;
                   r.DpiStages[2].Green = 20;
                   r.DpiStages[2].Blue = 30;
               });
        QTest::newRow("light colour")
            << Write([] { return WriteLightColor(1, 2, 3); }) << Expect([](FlashDataMap &r) {
                   r.LightRed = 1;
                   r.LightGreen = 2;
                   r.LightBlue = 3;
               });
        QTest::newRow("button function") << Write([] { return WriteButtonFunction(15, 1, 4, 0); })
                                         << Expect([](FlashDataMap &r) {
                                                r.ButtonFunctions[15] = {1, 4, 0};
                                            });
        QTest::newRow("key record") << Write([] {
            const ButtonFunction f{5, 0, 0};
            KeyRecord keys{};
            keys.Count = 2;
            keys.Events[0].Kind = 1;
            keys.Events[0].setCode(0x04);
            keys.Events[0].setDelay(10);
            keys.Events[1] = keys.Events[0];
            keys.Events[1].Action = 1;
            return WriteButtonKeyRecord(3, &f, &keys);
        }) << Expect([](FlashDataMap &r) {
            r.ButtonFunctions[3] = {5, 0, 0};
            std::memset(&r.KeyRecords[3], 0, sizeof(KeyRecord));
            r.KeyRecords[3].Count = 2;
            r.KeyRecords[3].Events[0].Kind = 1;
            r.KeyRecords[3].Events[0].setCode(0x04);
            r.KeyRecords[3].Events[0].setDelay(10);
            r.KeyRecords[3].Events[1] = r.KeyRecords[3].Events[0];
            r.KeyRecords[3].Events[1].Action = 1;
        });
        QTest::newRow("macro") << Write([] {
            const ButtonFunction f{6, 0, 1};
            MacroRecord macro{};
            macro.setName("copy", 4);
            macro.EventCount = 1;
            macro.Events[0].Kind = 1;
            macro.Events[0].setCode(0x06);
            return WriteButtonMacro(11, &f, &macro);
        }) << Expect([](FlashDataMap &r) {
            r.ButtonFunctions[11] = {6, 0, 1};
            std::memset(&r.Macros[11], 0, sizeof(MacroRecord));
            r.Macros[11].setName("copy", 4);
            r.Macros[11].EventCount = 1;
            r.Macros[11].Events[0].Kind = 1;
            r.Macros[11].Events[0].setCode(0x06);
        });
        QTest::newRow("stage order swaps") << Write([] {
            const FlashDataMap r = current();
            const DpiStage stage2 = r.DpiStages[2];
            const DpiStage stage5 = r.DpiStages[5];
            return WriteDpiStageOrder(&stage2, &stage5, 2, 5, 2);
        }) << Expect([](FlashDataMap &r) {
            std::swap(r.DpiStages[2], r.DpiStages[5]);
            r.CurrentDpiStage = 2;
            r.DpiStageCount = 3;
        });
    }
    void writeReachesTheMouse()
    {
        QFETCH(Write, write);
        QFETCH(Expect, expect);
        FlashDataMap expected = current();
        expect(expected);

        QVERIFY(write());

        COMPARE_RECORDS(current(), expected);
        COMPARE_RECORDS(LinkFixture::storedRecord(), expected);
        QCOMPARE(LinkFixture::calls("ProtocolDataUpdate"), 1);
        QCOMPARE(m_recorder->count("OffLine(0)"), 0);
    }

    void lightSwitchedOffKeepsItsEffect()
    {
        QVERIFY(WriteDpiLightMode(2));
        QVERIFY(WriteDpiLightMode(0));
        QCOMPARE(int(LinkFixture::storedRecord().DpiLightMode), 2);
        QCOMPARE(int(LinkFixture::storedRecord().DpiLightOn), 0);
        QVERIFY(WriteDpiLightMode(1));
        QCOMPARE(int(LinkFixture::storedRecord().DpiLightMode), 1);
        QCOMPARE(int(LinkFixture::storedRecord().DpiLightOn), 1);

        QVERIFY(WriteLightMode(4));
        QVERIFY(WriteLightMode(0));
        QCOMPARE(int(current().LightMode), 4);
        QCOMPARE(int(current().LightOn), 0);
    }

    void offlineWritesNothing_data()
    {
        QTest::addColumn<int>("filling"); // 0 none, 1 button page, 2 sensor page, 3 lighting page
        QTest::addColumn<int>("notices");
        QTest::newRow("no page filling") << 0 << 1;
        QTest::newRow("button page filling") << 1 << 0;
        QTest::newRow("sensor page filling") << 2 << 0;
        QTest::newRow("lighting page is not asked") << 3 << 1;
    }
    void offlineWritesNothing()
    {
        QFETCH(int, filling);
        QFETCH(int, notices);
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        state().ButtonFilling = filling == 1;
        state().SensorFilling = filling == 2;
        state().LightFilling = filling == 3;
        const FlashDataMap before = current();

        QVERIFY(!WriteReportRate(64));
        QVERIFY(!WriteButtonFunction(0, 1, 1, 0));
        QVERIFY(!CheckDeviceOnline());

        COMPARE_RECORDS(current(), before);
        QCOMPARE(LinkFixture::calls("ProtocolDataUpdate"), 0);
        QCOMPARE(m_recorder->count("OffLine(0)"), 3 * notices);
        state().ButtonFilling = 0;
        state().SensorFilling = 0;
        state().LightFilling = 0;
    }

    void outOfRangeIndexesAreRefused_data()
    {
        QTest::addColumn<Write>("write");
        const DpiStage stage{};
        QTest::newRow("slot 16") << Write([] { return WriteButtonFunction(16, 1, 1, 0); });
        QTest::newRow("slot -1") << Write([] { return WriteButtonFunction(-1, 1, 1, 0); });
        QTest::newRow("key record slot 16") << Write([] {
            const ButtonFunction f{5, 0, 0};
            const KeyRecord keys{};
            return WriteButtonKeyRecord(16, &f, &keys);
        });
        QTest::newRow("macro slot 99") << Write([] {
            const ButtonFunction f{6, 0, 0};
            const MacroRecord macro{};
            return WriteButtonMacro(99, &f, &macro);
        });
        QTest::newRow("stage 8") << Write([] { return WriteDpiValue(8, 1, 1, 0); });
        QTest::newRow("colour stage -1") << Write([] { return WriteDpiColor(-1, 1, 1, 1); });
        QTest::newRow("stage order n 8")
            << Write([stage] { return WriteDpiStageOrder(&stage, &stage, 1, 2, 8); });
        QTest::newRow("stage order j 8")
            << Write([stage] { return WriteDpiStageOrder(&stage, &stage, 1, 8, 1); });
    }
    void outOfRangeIndexesAreRefused()
    {
        QFETCH(Write, write);
        const FlashDataMap before = current();
        QVERIFY(!write());
        COMPARE_RECORDS(current(), before);
        QVERIFY(LinkFixture::operations().isEmpty()); // not even the online question
        QVERIFY(m_recorder->events().isEmpty());
    }

    // The record held is not the selected device's (another device was selected and not read
    // yet, or the device page was left meanwhile): nothing of it reaches the device, the user is
    // told, and the device is read once it answers.
    void recordNotReadFromTheDeviceIsNotWritten_data()
    {
        QTest::addColumn<bool>("otherDevice");
        QTest::newRow("page left") << false;
        QTest::newRow("another device selected") << true;
    }
    void recordNotReadFromTheDeviceIsNotWritten()
    {
        QFETCH(bool, otherDevice);
        if (otherDevice)
            state().Selection.select(LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1));
        else
            DeviceLink::PageLeft();
        state().RereadWhenOnline = 0;
        const FlashDataMap before = current();

        QVERIFY(!WriteSleepTime(before.SleepTime + 1));
        QVERIFY(!WriteButtonFunction(2, 1, 1, 0));
        WriteFlashData();

        COMPARE_RECORDS(current(), before);
        QCOMPARE(LinkFixture::calls("ProtocolDataUpdate"), 0);
        QCOMPARE(m_recorder->count("OffLine(0)"), 2);
        QCOMPARE(int(state().RereadWhenOnline.load()), 1);
    }

    void noDeviceSelectedIsOffline()
    {
        state().DevicePath.set(QByteArrayLiteral("a"));
        QVERIFY(!WriteReportRate(1));
        QCOMPARE(m_recorder->count("OffLine(0)"), 1);
    }

private:
    QScopedPointer<HubRecorder> m_recorder;
};

ZR35_TEST_MAIN(TestDeviceWrite)
#include "tst_devicewrite.moc"
