#include "core/configini.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/hotplug.h"
#include "core/registryvalues.h"
#include "core/worker.h"
#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/core/hubrecorder.h"
#include "tests/linksupport/linkfixture.h"
#include "tests/support/librarycallbacks.h"
#include "tests/support/testmain.h"

#include <QTemporaryDir>
#include <QtEndian>

namespace {

constexpr auto &state = State;

DeviceLists &lists()
{
    return *DeviceLists::instance();
}

// R1 (kind 1) with M1 (first model) paired and awake; M1's cable can be plugged. R2 (kind 5) with
// M3, another mouse of the first model. M2 is a mouse of the second model on its cable only.
QString devices(bool cable, bool secondReceiver, bool otherModel)
{
    QString ini = QStringLiteral("[R1]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                                 "ReceiverId=0x5A, 0x35, 0x01\nVersion=0x0102\n"
                                 "[M1]\nType=Mouse\nCid=12\nMid=10\nReceiver=R1\nOnline=true\n"
                                 "Version=0x0105\nCableVID=0x3D7A\nCablePID=0x1201\n");
    ini += QStringLiteral("Cable=%1\n").arg(cable ? "true" : "false");
    if (secondReceiver)
        ini += QStringLiteral("[R2]\nType=Receiver\nKind=5\nVID=0x3D7A\nPID=0x1280\n"
                              "ReceiverId=0x11, 0x22, 0x33\nVersion=0x0201\n"
                              "[M3]\nType=Mouse\nCid=12\nMid=10\nReceiver=R2\nOnline=true\n");
    if (otherModel)
        ini += QStringLiteral("[M2]\nType=Mouse\nCid=12\nMid=11\nOnline=true\nCable=true\n"
                              "CableVID=0x3D7A\nCablePID=0x1201\n");
    return ini;
}

QStringList paths(const QList<DeviceAllInfo> &list)
{
    QStringList result;
    for (const DeviceAllInfo &device : list)
        result.append(device.Path);
    return result;
}

QString path(const QByteArray &bytes)
{
    return QString::fromLatin1(bytes);
}

// A Config.ini of the test's own: Base64 identifiers as the shipped file has them.
QString writeConfig(const QString &folder, const QString &options, int deviceTotal)
{
    const auto b64 = [](const char *text) {
        return QString::fromLatin1(QByteArray(text).toBase64());
    };
    QString ini =
        QStringLiteral("[Option]\nDeviceTotal=%1\nCID=%2\n").arg(deviceTotal).arg(b64("12"));
    ini += options;
    ini += QStringLiteral("[Drive1]\nMID=10\n");
    const QString file = folder + QStringLiteral("/Config.ini");
    QFile out(file);
    out.open(QIODevice::WriteOnly);
    out.write(ini.toUtf8());
    return file;
}

} // namespace

class TestDiscovery : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        DeviceState::ResetForTest();
        DeviceLists::ResetForTest();
        HotPlugHooksInstance() = HotPlugHooks();
        m_recorder.reset(new HubRecorder);
        RegistryValues::RemoveUpdateFailInfo();
    }
    void cleanup()
    {
        StopUsbChanged();
        StopWorkerThread();
        UsbServer_Exit();
        QVERIFY(waitForLibraryCallbacks());
        m_recorder.reset();
        AppDir::setOverride(QStringLiteral(ZR35_TEST_APP_DIR));
        ConfigIni::resetForTests(QString());
    }

    void homeListFollowsTheConfiguredIdentifiers()
    {
        QVERIFY(LinkFixture::loadDevices(devices(true, false, false)));
        int tilesBuilt = 0;
        QList<bool> repairShown;
        HotPlugHooksInstance().BuildDeviceTiles = [&] { ++tilesBuilt; };
        HotPlugHooksInstance().ShowRepairState = [&](bool failed) { repairShown.append(failed); };

        HandleHomeUsbChanged();

        // Cable mice come first (USB_PID), then the receivers by class.
        const QList<DeviceAllInfo> home = lists().HomeDeviceList.get();
        QCOMPARE(paths(home),
                 QStringList({path(LinkFixture::cablePath()), path(LinkFixture::receiverPath())}));
        QCOMPARE(paths(lists().HomeDeviceMirror.get()), paths(home));
        const DeviceAllInfo cable = home.at(0);
        QCOMPARE(cable.Pid, QStringLiteral("0x1201"));
        QCOMPARE(cable.Vid, QStringLiteral("0x3D7A"));
        QCOMPARE(int(cable.Wired), 1);
        QCOMPARE(int(cable.Online), 1);
        QCOMPARE(cable.DriveIndex, 0);
        const DeviceAllInfo receiver = home.at(1);
        QCOMPARE(receiver.Pid, QStringLiteral("0x1240"));
        QCOMPARE(int(receiver.Kind), 1);
        QCOMPARE(int(receiver.Wired), 0);
        QCOMPARE(int(receiver.Cid), 12);
        QCOMPARE(int(receiver.Mid), 10);
        QCOMPARE(receiver.UsbVersion, QStringLiteral("v1.02"));
        QCOMPARE(lists().Wireless4PidList.get(), QStringList({"0x1240"}));
        QCOMPARE(lists().AllPidList.get(),
                 QStringList({"0x1201", "0x1210", "0x1220", "0x1240", "0x1280"}));
        QCOMPARE(tilesBuilt, 1);
        QCOMPARE(repairShown, QList<bool>({false}));

        // An update that did not complete shows the Repair button at the next plug change.
        RegistryValues::SetUpdateFailInfo(QStringLiteral("210,4,12,10"));
        HandleHomeUsbChanged();
        QCOMPARE(repairShown, QList<bool>({false, true}));
        QCOMPARE(lists().HomeDeviceList.get().size(), 2); // emptied and filled again
    }

    // An update or repair writes its record before its transfer starts: the record of a run that
    // still goes on offers no Repair; once the run has ended, it does.
    void noRepairOfferedForARunThatGoesOn_data()
    {
        QTest::addColumn<int>("updateIdle");
        QTest::addColumn<int>("autoRepair");
        QTest::addColumn<bool>("offered");
        QTest::newRow("nothing runs") << 1 << 0 << true;
        QTest::newRow("an update runs") << 0 << 0 << false;
        QTest::newRow("a repair runs") << 0 << 1 << false;
    }
    void noRepairOfferedForARunThatGoesOn()
    {
        QFETCH(int, updateIdle);
        QFETCH(int, autoRepair);
        QFETCH(bool, offered);
        QVERIFY(LinkFixture::loadDevices(devices(false, false, false)));
        QList<bool> repairShown;
        HotPlugHooksInstance().ShowRepairState = [&](bool failed) { repairShown.append(failed); };
        RegistryValues::SetUpdateFailInfo(QStringLiteral("211,4,12,10"));
        state().UpdateIdle = quint8(updateIdle);
        state().AutoRepairRunning = quint8(autoRepair);
        HandleHomeUsbChanged();
        state().UpdateIdle = 1;
        state().AutoRepairRunning = 0;
        QCOMPARE(repairShown, QList<bool>{offered});
    }

    void repairCheckOnlyWhileTheUpdateDialogShows_data()
    {
        QTest::addColumn<bool>("visible");
        QTest::addColumn<int>("autoRepair");
        QTest::addColumn<int>("checks");
        QTest::newRow("dialog hidden") << false << 0 << 0;
        QTest::newRow("dialog shown") << true << 0 << 1;
        QTest::newRow("automatic repair runs") << true << 1 << 0;
    }
    void repairCheckOnlyWhileTheUpdateDialogShows()
    {
        QFETCH(bool, visible);
        QFETCH(int, autoRepair);
        QFETCH(int, checks);
        QVERIFY(LinkFixture::loadDevices(devices(false, false, false)));
        HotPlugHooksInstance().UpdateDialogVisible = [visible] { return visible; };
        state().AutoRepairRunning = quint8(autoRepair);
        HandleHomeUsbChanged();
        QVERIFY(waitForLibraryCallbacks()); // what the handling queued has arrived
        QCOMPARE(m_recorder->count("RepairCheckUpdate"), checks);
    }

    void identificationRetries_data()
    {
        QTest::addColumn<int>("emptyReplies");
        QTest::addColumn<int>("driveIndex");
        QTest::newRow("answers at the second call") << 1 << 0;
        QTest::newRow("answers at the ninth call") << 8 << 0;
        QTest::newRow("the tenth call is not examined") << 9 << 3;
    }
    void identificationRetries()
    {
        QFETCH(int, emptyReplies);
        QFETCH(int, driveIndex);
        QVERIFY(LinkFixture::loadDevices(devices(false, false, false)));
        SimulationControl::setEmptyDeviceInfoReplies(LinkFixture::receiverPath(), emptyReplies);
        HandleHomeUsbChanged();
        const QList<DeviceAllInfo> home = lists().HomeDeviceList.get();
        QCOMPARE(home.size(), 1);
        QCOMPARE(home.first().DriveIndex, driveIndex); // 3: an unrecognised model
        QCOMPARE(SimulationControl::calls("UsbFinderC_GetDeviceInfo").size(),
                 qMin(emptyReplies + 1, 10));
    }

    void configurationVariants_data()
    {
        QTest::addColumn<QString>("options");
        QTest::addColumn<int>("deviceTotal");
        QTest::addColumn<int>("emptyReplies");
        QTest::addColumn<int>("listed");
        const QString b64Vid = QString::fromLatin1(QByteArray("0x3D7A").toBase64());
        const QString b64Pid = QString::fromLatin1(QByteArray("0x1240").toBase64());
        const QString one = QStringLiteral("VID=%1\nWireless4_PID=%2\n").arg(b64Vid, b64Pid);
        QTest::newRow("no models: an identified device is left out") << one << 0 << 0 << 0;
        QTest::newRow("no models: an unidentified device is listed") << one << 0 << 9 << 1;
        QTest::newRow("vendor listed twice: the device too")
            << QStringLiteral("VID=%1,%1\nWireless4_PID=%2\n").arg(b64Vid, b64Pid) << 1 << 0 << 2;
        QTest::newRow("product listed twice: the device too")
            << QStringLiteral("VID=%1\nWireless4_PID=%2,%2\n").arg(b64Vid, b64Pid) << 1 << 0 << 2;
    }
    void configurationVariants()
    {
        QFETCH(QString, options);
        QFETCH(int, deviceTotal);
        QFETCH(int, emptyReplies);
        QFETCH(int, listed);
        QTemporaryDir dir;
        ConfigIni::resetForTests(writeConfig(dir.path(), options, deviceTotal));
        QVERIFY(LinkFixture::loadDevices(devices(false, false, false)));
        SimulationControl::setEmptyDeviceInfoReplies(LinkFixture::receiverPath(), emptyReplies);
        HandleHomeUsbChanged();
        QCOMPARE(lists().HomeDeviceList.get().size(), listed);
    }

    void refreshingHomeEntries()
    {
        QVERIFY(LinkFixture::loadDevices(devices(true, false, false)));
        HandleHomeUsbChanged();
        QVERIFY(SimulationControl::setOnline(QStringLiteral("M1"), false));

        QVERIFY(RefreshDeviceState(1)); // the receiver reports its identifier
        const DeviceAllInfo receiver = lists().HomeDeviceList.get().at(1);
        QCOMPARE(int(receiver.Online), 0);
        QCOMPARE(receiver.ReceiverId, QList<quint8>({0x5A, 0x35, 0x01}));
        QCOMPARE(int(lists().HomeDeviceMirror.get().at(1).Online), 0);

        QVERIFY(!RefreshDeviceState(2)); // no such entry
        QVERIFY(!RefreshDeviceState(-1));
        QCOMPARE(lists().HomeDeviceList.get().size(), 2);

        QList<QPair<int, HotPlugHooks::TileLook>> looks;
        HotPlugHooksInstance().StyleDeviceTile = [&](int i, HotPlugHooks::TileLook look) {
            looks.append({i, look});
        };
        QVERIFY(UpdateDeviceTile(1));
        QVERIFY(UpdateDeviceTile(0));
        QVERIFY(UpdateDeviceTile(7));
        QCOMPARE(looks.size(), 2);
        QCOMPARE(looks.at(0).second, HotPlugHooks::TileLook::Offline);
        QCOMPARE(looks.at(1).second, HotPlugHooks::TileLook::Online); // the cable still answers
    }

    void devicePageListsEveryDeviceWithoutCurrent()
    {
        QVERIFY(LinkFixture::loadDevices(devices(false, true, true)));
        HandleDeviceUsbChanged();
        const QList<DeviceAllInfo> list = lists().DevicePageList.get();
        QCOMPARE(list.size(), 3);
        for (const DeviceAllInfo &device : list)
            QCOMPARE(int(device.Cid), 0); // listed without identification
        // No current device: gone or not, nothing to return from.
        QVERIFY(waitForLibraryCallbacks()); // what the handling queued has arrived
        QCOMPARE(m_recorder->count("ChangeMainDialog(0)"), 0);
    }

    void currentDeviceRefreshedInPlace()
    {
        QVERIFY(LinkFixture::loadDevices(devices(false, false, true)));
        DeviceAllInfo current = LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1);
        current.Online = 0;
        current.MouseVersion = QStringLiteral("v1.05");
        current.UsbVersion = QStringLiteral("v0.99");
        state().CurrentDeviceInfo.set(current);
        state().DevicePath.set(QByteArrayLiteral("a"));
        state().WorkerThread = new Worker(nullptr);
        state().OnDevicePage = 1;
        SimulationControl::clearLog();

        HandleDeviceUsbChanged();

        // The second model's cable is another model: not listed.
        QCOMPARE(paths(lists().DevicePageList.get()),
                 QStringList({path(LinkFixture::receiverPath())}));
        const DeviceAllInfo refreshed = state().CurrentDeviceInfo.get();
        QCOMPARE(int(refreshed.Online), 1);
        QCOMPARE(refreshed.ReceiverId, QList<quint8>({0x5A, 0x35, 0x01}));
        QCOMPARE(refreshed.MouseVersion, QStringLiteral("v1.05"));
        QCOMPARE(refreshed.UsbVersion, QStringLiteral("v0.99"));
        QCOMPARE(state().DevicePath.get(), LinkFixture::receiverPath());
        // Refreshed without a new pass, and still on the device page.
        QVERIFY(waitForLibraryCallbacks());
        QVERIFY(SimulationControl::calls("UsbServerC_Start").isEmpty());
        QCOMPARE(m_recorder->count("ChangeMainDialog(0)"), 0);
        QCOMPARE(m_recorder->events().first(), QStringLiteral("Setver(4)"));
    }

    void receiverToCableSwitch()
    {
        QVERIFY(LinkFixture::loadDevices(devices(false, false, false)));
        DeviceAllInfo current = LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1);
        current.ReceiverId = {0x5A, 0x35, 0x01};
        current.MouseVersion = QStringLiteral("v1.05");
        state().CurrentDeviceInfo.set(current);
        state().DevicePath.set(LinkFixture::receiverPath());
        state().WorkerThread = new Worker(nullptr);
        state().DevicePath.set(LinkFixture::receiverPath());
        state().OnDevicePage = 1;
        QVERIFY(SimulationControl::plugCable(QStringLiteral("M1"), true));
        SimulationControl::clearLog();

        HandleDeviceUsbChanged();

        const DeviceAllInfo now = state().CurrentDeviceInfo.get();
        QCOMPARE(now.Path, path(LinkFixture::cablePath()));
        QCOMPARE(int(now.Wired), 1);
        QCOMPARE(state().DevicePath.get(), LinkFixture::cablePath());
        // The new pass starts the server on the cable and reads everything.
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        const QVector<CallLog::Call> starts = SimulationControl::calls("UsbServerC_Start");
        QCOMPARE(starts.size(), 1);
        QVERIFY(starts.first().arguments.contains(path(LinkFixture::cablePath())));
        QCOMPARE(m_recorder->count("Param(0)"), 1);
        // On its cable the mouse shows the receiver's version beside it; no bin folder here.
        QVERIFY(m_recorder->events().contains("LabelTextB(v1.02,)"));
        QCOMPARE(m_recorder->count("ChangeMainDialog(0)"), 0);
    }

    void selectingAnOfflineDeviceKeepsTheCurrentOne()
    {
        // The cable was listed by the last enumeration but is pulled by now.
        QVERIFY(LinkFixture::loadDevices(devices(false, false, false)));
        const DeviceAllInfo receiver = LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1);
        state().CurrentDeviceInfo.set(receiver);
        state().WorkerThread = new Worker(nullptr);
        state().DevicePath.set(LinkFixture::receiverPath());
        state().OnDevicePage = 1;

        SelectOnlineDevice(LinkFixture::deviceInfo(LinkFixture::cablePath(), 2));

        // Nothing changes, but a pass is asked for all the same (and finds the receiver).
        QCOMPARE(state().CurrentDeviceInfo.get().Path, receiver.Path);
        QCOMPARE(state().DevicePath.get(), LinkFixture::receiverPath());
        QTRY_VERIFY_WITH_TIMEOUT(m_recorder->count("Form") == 1, 5000);
        const QVector<CallLog::Call> starts = SimulationControl::calls("UsbServerC_Start");
        QCOMPARE(starts.size(), 1);
        QVERIFY(starts.first().arguments.contains(receiver.Path));
    }

    void cableMouseFirmwareCheck_data()
    {
        QTest::addColumn<QString>("images");
        QTest::addColumn<QString>("flag");
        QTest::addColumn<int>("receiverNew");
        QTest::addColumn<int>("mouseNew");
        // The shipped first model: mouse image "ZR35_M10", class-4 receiver image "ZR35_RX4K".
        QTest::newRow("both up to date") << "0105 210 ZR35_M10;0102 211 ZR35_RX4K"
                                         << "" << 0 << 0;
        QTest::newRow("new receiver image") << "0103 211 ZR35_RX4K"
                                            << "true" << 1 << 0;
        QTest::newRow("new mouse image") << "0106 210 ZR35_M10"
                                         << "true" << 0 << 1;
        QTest::newRow("image of another receiver class") << "0103 211 ZR35_RX8K"
                                                         << "" << 0 << 0;
    }
    void cableMouseFirmwareCheck()
    {
        QFETCH(QString, images);
        QFETCH(QString, flag);
        QFETCH(int, receiverNew);
        QFETCH(int, mouseNew);
        QTemporaryDir app;
        QDir().mkpath(app.path() + QStringLiteral("/bin"));
        QDir().mkpath(app.path() + QStringLiteral("/usersetting"));
        QFile::copy(QStringLiteral(ZR35_TEST_APP_DIR "/usersetting/Config.ini"),
                    app.path() + QStringLiteral("/usersetting/Config.ini"));
        int n = 0;
        for (const QString &image : images.split(QLatin1Char(';'))) {
            const QStringList f = image.split(QLatin1Char(' '));
            QByteArray data(FirmwareImages::HeaderSize, '\0');
            qToLittleEndian<quint32>(f.at(0).toUInt(nullptr, 16),
                                     reinterpret_cast<uchar *>(data.data()) + 0x10);
            data[0x14] = char(f.at(1).toInt());
            data[0x15] = char(12);
            data[0x16] = char(10);
            data.replace(0x57, f.at(2).size(), f.at(2).toLatin1());
            QFile file(app.path() + QStringLiteral("/bin/%1.bin").arg(n++));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(data + "firmware"); // a header alone is no image
        }
        AppDir::setOverride(app.path());

        QVERIFY(LinkFixture::loadDevices(devices(true, false, false)));
        DeviceAllInfo current = LinkFixture::deviceInfo(LinkFixture::cablePath(), 2);
        current.MouseVersion = QStringLiteral("v1.05");
        state().CurrentDeviceInfo.set(current);
        state().DevicePath.set(LinkFixture::cablePath());

        HandleDeviceUsbChanged();
        QVERIFY(waitForLibraryCallbacks()); // what the handling queued has arrived

        QCOMPARE(lists().DevicePageList.get().size(), 2);
        QVERIFY(m_recorder->events().contains(QStringLiteral("LabelTextB(v1.02,%1)").arg(flag)));
        QCOMPARE(int(DeviceState::instance()->ReceiverFirmwareNew.load()), receiverNew);
        QCOMPARE(int(DeviceState::instance()->MouseFirmwareNew.load()), mouseNew);
    }

    void unplugReturnsHome_data()
    {
        QTest::addColumn<bool>("otherDevice");
        QTest::addColumn<int>("updateIdle");
        QTest::addColumn<int>("returns");
        QTest::newRow("last device gone") << false << 1 << 1;
        QTest::newRow("gone among others") << true << 1 << 1;
        QTest::newRow("last device gone during an update") << false << 0 << 0;
        QTest::newRow("gone among others during an update") << true << 0 << 0;
    }
    void unplugReturnsHome()
    {
        QFETCH(bool, otherDevice);
        QFETCH(int, updateIdle);
        QFETCH(int, returns);
        QVERIFY(LinkFixture::loadDevices(devices(false, otherDevice, false)));
        const DeviceAllInfo current = LinkFixture::deviceInfo(LinkFixture::receiverPath(), 1);
        state().CurrentDeviceInfo.set(current);
        state().UpdateIdle = quint8(updateIdle);
        QVERIFY(SimulationControl::plugReceiver(QStringLiteral("R1"), false));

        HandleDeviceUsbChanged();
        QVERIFY(waitForLibraryCallbacks()); // what the handling queued has arrived

        QCOMPARE(m_recorder->count("ChangeMainDialog(0)"), returns);
        // With the list empty the current device is forgotten, unless an update runs.
        const bool forgotten = state().CurrentDeviceInfo.get().Path.isEmpty();
        QCOMPARE(forgotten, !otherDevice && updateIdle == 1);
        state().UpdateIdle = 1;
    }

    void notificationsAreHandledOnTheGuiThread()
    {
        QVERIFY(LinkFixture::loadDevices(devices(false, false, false)));
        QList<bool> onGuiThread;
        HotPlugHooksInstance().BuildDeviceTiles = [&] {
            onGuiThread.append(QThread::currentThread() == qApp->thread());
        };
        StartUsbChanged(HomeUsbChanged, 600);
        // Registration with a device present calls once; plugging the cable calls again.
        QTRY_VERIFY_WITH_TIMEOUT(onGuiThread.size() >= 1, 5000);
        QVERIFY(SimulationControl::plugCable(QStringLiteral("M1"), true));
        QTRY_VERIFY_WITH_TIMEOUT(lists().HomeDeviceList.get().size() == 2, 5000);
        StopUsbChanged();
        QVERIFY(!onGuiThread.contains(false));
    }

private:
    QScopedPointer<HubRecorder> m_recorder;
};

ZR35_TEST_MAIN(TestDiscovery)
#include "tst_discovery.moc"
