#include "core/devicediscovery.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/hotplug.h"
#include "core/postmsg.h"
#include "core/worker.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/core/hubrecorder.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QDeadlineTimer>

#include <cstring>

namespace {

constexpr auto &state = State;

QString path(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

} // namespace

// The whole device link with no page at all: the hub receivers stand in for the pages, the test
// plays the home page and the main window, and the simulated library plays the hardware.
class TestDeviceLinkEndToEnd : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(LinkFixture::loadDevices(LinkFixture::receiverWithMouse()));
        DeviceState::ResetForTest();
        DeviceLists::ResetForTest();
        m_recorder.reset(new HubRecorder);
        // The button page makes the one service object.
        state().WorkerThread = new Worker(nullptr);
    }
    void cleanupTestCase()
    {
        StopUsbChanged();
        StopWorkerThread();
        DeviceLink::StopServer();
        QVERIFY(waitForLibraryCallbacks());
        m_recorder.reset();
    }

    void wholeLink()
    {
        // Home page: the library reports the receiver once the callback is registered.
        StartUsbChanged(HomeUsbChanged, 600);
        QTRY_COMPARE_WITH_TIMEOUT(DeviceLists::instance()->HomeDeviceList.get().size(), 1, 5000);
        const DeviceAllInfo tile = DeviceLists::instance()->HomeDeviceList.get().first();
        QCOMPARE(tile.Path, path(LinkFixture::receiverPath()));
        QCOMPARE(int(tile.Online), 1);

        // The tile click: the device goes to the service, the device page takes over the
        // hot-plug notifications, and the first pass starts.
        emit PostMsg::GetInstance()->SigSelectMouseInfo(tile);
        state().DevicePath.set(tile.Path.toLatin1());
        StartUsbChanged(DeviceUsbChanged, 600);
        state().OnDevicePage = 1;
        state().WriteEnabled = 1;
        StartWorkerPass();
        QVERIFY(waitFor("Form", 1));
        QCOMPARE(SimulationControl::driverStatus(), 1);
        COMPARE_RECORDS(state().CurrentFlashData.get(), LinkFixture::storedRecord());
        QVERIFY(waitForEvent("Setver(0)")); // the follow-up reads have been answered
        QCOMPARE(state().CurrentDeviceInfo.get().MouseVersion, QStringLiteral("v1.05"));

        // The pages write single settings: each reaches the mouse at once.
        QVERIFY(WriteReportRate(32));
        QVERIFY(WriteDpiColor(1, 10, 20, 30));
        QVERIFY(WriteSleepTime(60));
        const ButtonFunction macroFunction{6, 0, 1};
        MacroRecord macro{};
        macro.setName("e2e", 3);
        macro.EventCount = 2;
        macro.Events[0].Kind = 1;
        macro.Events[0].setCode(0x08);
        macro.Events[0].setDelay(25);
        macro.Events[1] = macro.Events[0];
        macro.Events[1].Action = 1;
        QVERIFY(WriteButtonMacro(4, &macroFunction, &macro));
        const FlashDataMap written = state().CurrentFlashData.get();
        QCOMPARE(int(written.ReportRate), 32);
        COMPARE_RECORDS(LinkFixture::storedRecord(), written);

        // The mouse changes its DPI stage itself: the stage is read, stored and sent back.
        const int stageBefore = written.CurrentDpiStage;
        QVERIFY(SimulationControl::pressDpiButton(QStringLiteral("M1")));
        QVERIFY(waitForEvent(QStringLiteral("Dpi(%1)").arg((stageBefore + 1) %
                                                           qMax(1, int(written.DpiStageCount)))));
        QTRY_VERIFY2_WITH_TIMEOUT(
            sameRecord(LinkFixture::storedRecord(), state().CurrentFlashData.get()),
            qPrintable(
                recordDifference(LinkFixture::storedRecord(), state().CurrentFlashData.get())),
            5000);

        // The next full read returns what was written.
        m_recorder->clear();
        QVERIFY(UsbServer_ReadAllFlashData());
        QVERIFY(waitFor("Form", 1));
        const FlashDataMap reread = m_recorder->records().first();
        COMPARE_RECORDS(reread, state().CurrentFlashData.get());
        QCOMPARE(int(reread.ReportRate), 32);
        QCOMPARE(int(reread.DpiStages[1].Green), 20);
        QCOMPARE(int(reread.SleepTime), 60);
        QVERIFY(std::memcmp(&reread.Macros[4], &macro, sizeof macro) == 0);
        COMPARE_RECORDS(reread, LinkFixture::storedRecord());

        // Offline: a write changes nothing and raises the notice once.
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        m_recorder->clear();
        QVERIFY(!WriteReportRate(8));
        QCOMPARE(m_recorder->count("OffLine(0)"), 1);
        QCOMPARE(int(LinkFixture::storedRecord().ReportRate), 32);
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), true));

        // The mouse is plugged in by cable: the device page follows it to the cable.
        m_recorder->clear();
        SimulationControl::clearLog();
        QVERIFY(SimulationControl::plugCable(QStringLiteral("M1"), true));
        QVERIFY(waitFor("Form", 1));
        QCOMPARE(state().CurrentDeviceInfo.get().Path, path(LinkFixture::cablePath()));
        QCOMPARE(state().DevicePath.get(), LinkFixture::cablePath());
        QCOMPARE(m_recorder->count("ChangeMainDialog(0)"), 0);
        QVERIFY(WriteLod(2));
        QCOMPARE(int(LinkFixture::storedRecord().Lod), 2);

        // A factory reset from the button page: defaults back, key records and macros cleared
        // except the key-sequence button's.
        QVERIFY(waitForLibraryCallbacks());
        m_recorder->clear();
        QVERIFY(UsbServer_SetBatteryOptimizeEnable(0));
        QVERIFY(SendCurrentRecord());
        QVERIFY(UsbServer_SetClearSetting());
        QVERIFY(waitFor("Form", 1));
        const FlashDataMap reset = state().CurrentFlashData.get();
        const MacroRecord noMacro{};
        QVERIFY(std::memcmp(&reset.Macros[4], &noMacro, sizeof noMacro) == 0);
        QVERIFY(reset.KeyRecords[5].Count > 0); // button 6's default key sequence
        COMPARE_RECORDS(LinkFixture::storedRecord(), reset);
        QVERIFY(SimulationControl::batteryOptimize(QStringLiteral("M1")));
        QVERIFY(m_recorder->events().contains("LongRange(true)"));

        // The cable is pulled: the current device is gone, so the program goes home once.
        m_recorder->clear();
        QVERIFY(SimulationControl::plugCable(QStringLiteral("M1"), false));
        QVERIFY(waitForEvent("ChangeMainDialog(0)"));
        QVERIFY(waitForLibraryCallbacks()); // the pull's last notices, all handled
        QCOMPARE(m_recorder->count("ChangeMainDialog(0)"), 1);

        // The main window goes home: the program says goodbye, stops the server and listens for
        // the home page again.
        DeviceLink::PageLeft();
        UsbServer_SetPCDriverStatus(0);
        QCOMPARE(SimulationControl::driverStatus(), 0);
        state().OnDevicePage = 0;
        emit PostMsg::GetInstance()->SigMainPageChange();
        DeviceLink::StopServer();
        StartUsbChanged(HomeUsbChanged, 600);
        QTRY_COMPARE_WITH_TIMEOUT(DeviceLists::instance()->HomeDeviceList.get().size(), 1, 5000);
    }

private:
    bool waitFor(const QString &event, int count)
    {
        QDeadlineTimer deadline(5000);
        while (m_recorder->count(event) < count && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return m_recorder->count(event) >= count;
    }
    bool waitForEvent(const QString &event) { return waitFor(event, 1); }

    QScopedPointer<HubRecorder> m_recorder;
};

ZR35_TEST_MAIN(TestDeviceLinkEndToEnd)
#include "tst_devicelink_e2e.moc"
