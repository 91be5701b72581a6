#include "core/blockingconnect.h"
#include "core/devicecache.h"
#include "core/deviceeventcallback.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/postmsg.h"
#include "core/worker.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/eventwire.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/core/hubrecorder.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QDeadlineTimer>
#include <QTimer>

#include <cstring>
#include <functional>
#include <utility>

namespace {

constexpr auto &state = State;

// A record that differs from the mouse's in every global byte, as a cache file from another day.
FlashDataMap cachedRecord()
{
    FlashDataMap record = LinkFixture::storedRecord();
    record.ReportRate = 64;
    record.SleepTime = 90;
    return record;
}

// The pass may wait for this thread (blocking emissions), so the wait keeps delivering events.
bool passEnded()
{
    QThread *worker = state().WorkerThread.load();
    QDeadlineTimer deadline(5000);
    while (worker->isRunning() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return !worker->isRunning();
}

const QStringList passCalls = {"UsbServerC_Start", "UsbServer_SetPCDriverStatus",
                               "UsbServer_ReadAllFlashData"};

// Stands in for a page that takes the record and the form: calls the hook set for each, once.
class PageProbe : public QObject
{
    Q_OBJECT
public:
    std::function<void()> onButton;
    std::function<void()> onForm;

    PageProbe()
    {
        ConnectBlocking(SIGNAL(SigUpDataLightUIButton(FlashDataMap)), this, SLOT(SlotButton()));
        ConnectBlocking(SIGNAL(SigForm()), this, SLOT(SlotForm()));
    }

private slots:
    void SlotButton()
    {
        if (auto hook = std::exchange(onButton, nullptr))
            hook();
    }
    void SlotForm()
    {
        if (auto hook = std::exchange(onForm, nullptr))
            hook();
    }
};

} // namespace

class TestWorker : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        QVERIFY(LinkFixture::loadDevices(LinkFixture::receiverWithMouse()));
        DeviceState::ResetForTest();
        m_recorder.reset(new HubRecorder);
        state().WorkerThread = new Worker(nullptr);
        m_device = LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1);
        // The home page's tile click: the device goes to the service through the hub.
        emit PostMsg::GetInstance()->SigSelectMouseInfo(m_device);
        state().DevicePath.set(LinkFixture::receiverPath());
        state().OnDevicePage = 1;
        const QString cache = DeviceCachePath(state().DeviceCacheName.get());
        QFile::remove(cache);
        QDir().mkpath(QFileInfo(cache).absolutePath()); // made at start-up
        SimulationControl::clearLog();
    }
    void cleanup()
    {
        StopWorkerThread();
        DeviceLink::StopServer();
        QVERIFY(waitForLibraryCallbacks());
        m_recorder.reset();
    }

    void constructionPreparesTheService()
    {
        QCOMPARE(state().DevicePath.get(), LinkFixture::receiverPath());
        QCOMPARE(state().CurrentDeviceInfo.get().Path, m_device.Path);
        QCOMPARE(state().DeviceCacheName.get(), QStringLiteral("Device_CID0C_MID0A.bin"));
        QVERIFY(state().ReadAllPending.pending());
        QCOMPARE(state().ShowBatteryValueSetting.load(), 1);
        QTimer *timer = state().OnlineCheckTimer.load();
        QVERIFY(timer && timer->isActive());
        QCOMPARE(timer->interval(), 1300);
        QVERIFY(state().ConfigRereadTimer.get().isValid());
        QVERIFY(!state().WorkerThread.load()->isRunning()); // constructing starts no pass
    }

    void passReadsTheWholeConfiguration()
    {
        StartWorkerPass();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        QVERIFY(followUpsArrived());
        QVERIFY(passEnded());

        QCOMPARE(SimulationControl::driverStatus(), 1);
        QCOMPARE(LinkFixture::operations(passCalls), passCalls);
        QCOMPARE(LinkFixture::operations({"UsbServer_ReadDPILed", "UsbServer_ReadBatteryLevel",
                                          "UsbServer_ReadVersion", "UsbServer_ReadConfig"}),
                 QStringList({"UsbServer_ReadDPILed", "UsbServer_ReadBatteryLevel",
                              "UsbServer_ReadVersion", "UsbServer_ReadConfig"}));
        const QStringList events = m_recorder->events();
        QCOMPARE(events.first(), QStringLiteral("Param(0)"));
        QCOMPARE(m_recorder->count("Button"), 1);
        QCOMPARE(m_recorder->count("Light"), 1);
        QCOMPARE(m_recorder->count("Sensor"), 1);
        QVERIFY(events.indexOf("Button") < events.indexOf("Light"));
        QVERIFY(events.indexOf("Light") < events.indexOf("Sensor"));
        QVERIFY(events.indexOf("Sensor") < events.indexOf("Form"));
        QCOMPARE(SimulationControl::receivedRecords().size(), 1);
        COMPARE_RECORDS(state().CurrentFlashData.get(), LinkFixture::storedRecord());
        QVERIFY(!state().ReadAllPending.pending());
        QCOMPARE(int(state().OnlineAtLastRead.load()), 1);
        QCOMPARE(int(state().CurrentDeviceInfo.get().Online), 1);

        // The same device again, nothing changed: no server start, no signals.
        m_recorder->clear();
        SimulationControl::clearLog();
        StartWorkerPass();
        QVERIFY(passEnded());
        QVERIFY(!state().ReadAllPending.pending());
        QVERIFY(waitForLibraryCallbacks()); // what the pass started or posted has come
        QVERIFY(LinkFixture::operations(passCalls).isEmpty());
        QVERIFY(m_recorder->events().isEmpty());

        // Back from the home page, the same device counts as changed.
        emit PostMsg::GetInstance()->SigMainPageChange();
        StartWorkerPass();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        QCOMPARE(m_recorder->events().first(), QStringLiteral("Param(0)"));
    }

    void noPassWithoutPendingRead()
    {
        ClearReadAllPending();
        state().WorkerThread.load()->start();
        QVERIFY(passEnded());
        QVERIFY(waitForLibraryCallbacks()); // what the pass started or posted has come
        QVERIFY(SimulationControl::calls().isEmpty());
        QVERIFY(m_recorder->events().isEmpty());
    }

    // A pass asked for while one runs (the mouse reported a configuration change) is not lost to
    // the running one: the service runs a round of its own for it.
    void requestDuringAPassGetsARoundOfItsOwn()
    {
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        QVERIFY(SaveDeviceCache(state().DeviceCacheName.get(), cachedRecord()));
        m_recorder->slotDelayMs = 30; // the pages are slow to fill
        StartWorkerPass();
        // The pass is under way: it waits for the pages, one record after the other.
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Button") == 1, 5000);
        QVERIFY(state().WorkerThread.load()->isRunning());
        state().RereadRequested = 1;
        StartWorkerPass();
        QVERIFY(passEnded());
        QCOMPARE(m_recorder->count("Form"), 2);
        QCOMPARE(SimulationControl::calls("UsbServerC_Start").size(), 2);
        QVERIFY(!state().ReadAllPending.pending());
    }

    // The device's whole record arrives while a pass waits for the pages, and while the pages are
    // slow to take that record the pass is asked for again: the record's arrival neither answers
    // nor drops that request, and the pass runs again for it.
    void passRequestedDuringAFullRecordsTailRuns()
    {
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        QVERIFY(SaveDeviceCache(state().DeviceCacheName.get(), cachedRecord()));
        // The server an earlier pass left running for the device.
        QVERIFY(DeviceLink::StartServerForSelection());
        SimulationControl::clearLog();
        const QByteArray header = EventWire::header(8, 0, FullConfigurationSize, 0, 0);
        const QByteArray payload = ConfigurationImage::encode(LinkFixture::storedRecord().bytes());

        PageProbe probe;
        bool delivered = false;
        bool asked = false;
        probe.onButton = [&] {
            // The pass waits in its first emission; the record comes now, and its pages are slow.
            probe.onForm = [&] {
                state().RereadRequested = 1;
                StartWorkerPass();
                asked = true;
            };
            delivered = runOnWorkerThread([&] {
                DeviceEventCallback(
                    reinterpret_cast<const uchar *>(header.constData()), int(header.size()),
                    reinterpret_cast<const uchar *>(payload.constData()), FullConfigurationSize);
            });
        };
        StartWorkerPass();
        QVERIFY(passEnded());
        QVERIFY(delivered);
        QVERIFY(asked);
        // The first pass and the one asked for during the record's tail each started the server.
        QCOMPARE(SimulationControl::calls("UsbServerC_Start").size(), 2);
        QVERIFY(!state().ReadAllPending.pending());
    }

    void homePageNeverRefreshes()
    {
        state().OnDevicePage = 0;
        StartWorkerPass();
        QVERIFY(passEnded());
        QVERIFY(waitForLibraryCallbacks()); // what the pass started or posted has come
        QVERIFY(LinkFixture::operations(passCalls).isEmpty());
        QVERIFY(m_recorder->events().isEmpty());
        QCOMPARE(int(state().OnlineAtLastRead.load()), 1);
    }

    void offlineDevice_data()
    {
        QTest::addColumn<bool>("cached");
        QTest::newRow("with a cache file") << true;
        QTest::newRow("without a cache file") << false;
    }
    void offlineDevice()
    {
        QFETCH(bool, cached);
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        if (cached)
            QVERIFY(SaveDeviceCache(state().DeviceCacheName.get(), cachedRecord()));
        const FlashDataMap before = state().CurrentFlashData.get();

        StartWorkerPass();
        QVERIFY(passEnded());
        QVERIFY(waitForLibraryCallbacks()); // what the pass started or posted has come

        // Nothing was read from the mouse: once it answers, a pass reads it.
        QCOMPARE(int(state().RereadWhenOnline.load()), 1);
        if (cached) {
            QCOMPARE(m_recorder->events(), QStringList({"Button", "Light", "Sensor", "Form"}));
            for (const FlashDataMap &record : m_recorder->records())
                COMPARE_RECORDS(record, cachedRecord());
        } else {
            // The pages' defaults are not the mouse's settings: the user is told it is offline.
            QCOMPARE(m_recorder->events(), QStringList({"FormReset", "OffLine(0)"}));
        }
        COMPARE_RECORDS(state().CurrentFlashData.get(), before);
        // The server runs all the same: the device's events come once it answers.
        QCOMPARE(LinkFixture::operations(passCalls), passCalls);
        QCOMPARE(int(state().RecheckOnline.load()), 1);
        QCOMPARE(int(state().CurrentDeviceInfo.get().Online), 0);
        QCOMPARE(int(state().OnlineAtLastRead.load()), 0);
    }

    void deviceComingBackClosesTheNoticeAndRereads()
    {
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        StartWorkerPass();
        QVERIFY(passEnded());
        QTRY_COMPARE_WITH_TIMEOUT(m_recorder->events(), QStringList({"FormReset", "OffLine(0)"}),
                                  5000);
        // The pass that found the mouse asleep asked for the read itself.
        QCOMPARE(int(state().RereadWhenOnline.load()), 1);
        Worker *worker = state().WorkerThread.load();

        worker->SlotCheckOnline(); // still offline: nothing
        QCOMPARE(m_recorder->count("CloseOffOnline"), 0);
        QCOMPARE(int(state().RecheckOnline.load()), 1);

        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), true));
        m_recorder->clear();
        worker->SlotCheckOnline();
        QCOMPARE(int(state().RecheckOnline.load()), 0);
        QCOMPARE(int(state().RereadWhenOnline.load()), 0);
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        QCOMPARE(m_recorder->events().mid(0, 2), QStringList({"CloseOffOnline", "Param(0)"}));
    }

    void onlineCheckWaitsDuringFirmwareUpdate()
    {
        state().RecheckOnline = 1;
        state().UpdateIdle = 0;
        state().DeviceOnline = 1;
        state().RereadWhenOnline = 1;
        Worker *worker = state().WorkerThread.load();
        worker->SlotCheckOnline();
        // No poll and no notice closing, but the due re-read starts.
        QVERIFY(SimulationControl::calls("UsbFinderC_GetDeviceOnLine").isEmpty());
        QCOMPARE(int(state().RecheckOnline.load()), 1);
        QVERIFY(passEnded());
        QCOMPARE(int(state().RereadWhenOnline.load()), 0);
        QVERIFY(!LinkFixture::operations(passCalls).isEmpty());
        state().UpdateIdle = 1;
    }

    void configurationChangeForcesAnnouncedRefresh()
    {
        StartWorkerPass();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        QVERIFY(followUpsArrived());
        QVERIFY(passEnded());
        m_recorder->clear();
        state().RereadRequested = 1;
        StartWorkerPass();
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        QCOMPARE(m_recorder->events().first(), QStringLiteral("Param(1)"));
        QCOMPARE(int(state().RereadRequested.load()), 0);
    }

    void stoppingWhileThePassWaitsForTheGuiThread()
    {
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));
        QVERIFY(SaveDeviceCache(state().DeviceCacheName.get(), cachedRecord()));
        m_recorder->slotDelayMs = 20;
        m_recorder->armEmissionProbe();
        StartWorkerPass();
        // The pass now waits for this thread to run the page slots; the page shell goes away.
        QVERIFY(m_recorder->waitForBlockingEmission());
        QElapsedTimer elapsed;
        elapsed.start();
        StopWorkerThread();
        QVERIFY(elapsed.elapsed() < 3000);
        QVERIFY(!state().WorkerThread.load());
    }

private:
    // The answers to the reads that follow a full record: DPI light, battery, version, profile,
    // and the receiver's LED reply after the LED mode announced with the record.
    bool followUpsArrived()
    {
        QDeadlineTimer deadline(5000);
        const auto arrived = [this] {
            const QStringList events = m_recorder->events();
            return events.contains("Setver(0)") && events.contains("ConfigUI(4,0,true)") &&
                   events.contains("DpiLed") && events.contains("Battery(false,80,true)") &&
                   m_recorder->count("Rgb(2)") == 2;
        };
        while (!arrived() && !deadline.hasExpired())
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        return arrived();
    }

    QScopedPointer<HubRecorder> m_recorder;
    DeviceAllInfo m_device;
};

ZR35_TEST_MAIN(TestWorker)
#include "tst_worker.moc"
