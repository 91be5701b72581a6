#include "platform/devicelib/simulationcontrol.h"

#include "platform/devicelib/callbackthread.h"
#include "platform/devicelib/deviceset.h"
#include "platform/devicelib/devicesetfollower.h"
#include "platform/devicelib/devicestore.h"
#include "platform/devicelib/screenbus.h"
#include "platform/devicelib/simulatedbus.h"

namespace {
SimulatedBus &bus()
{
    return SimulatedBus::instance();
}
} // namespace

bool SimulationControl::loadDeviceSet(const QString &file, QString *error)
{
    DeviceSet set;
    QString problem;
    if (!DeviceSetFile::read(file, &set, &problem)) {
        if (error)
            *error = problem;
        return false;
    }
    DeviceSetFollower::stop();
    bus().load(set);
    return true;
}

void SimulationControl::loadBuiltInDeviceSet()
{
    DeviceSetFollower::stop();
    bus().load(DeviceSetFile::builtIn());
}

bool SimulationControl::followDeviceSet(const QString &file, QString *error)
{
    DeviceSet set;
    QString problem;
    if (!DeviceSetFile::read(file, &set, &problem)) {
        if (error)
            *error = problem;
        return false;
    }
    bus().follow(file, set);
    return true;
}

int SimulationControl::deviceSetReadings()
{
    return DeviceSetFollower::readings();
}

void SimulationControl::restartBus()
{
    bus().restart();
}

void SimulationControl::setStateFolder(const QString &folder)
{
    // Changes made so far belong to the folder they were made with.
    bus().waitForStore();
    DeviceStore::setFolder(folder);
}

QString SimulationControl::stateFolder()
{
    // Whoever asks is about to look at the files: the writes still to come land first.
    bus().waitForStore();
    return DeviceStore::folder();
}

void SimulationControl::setLatency(int milliseconds)
{
    bus().setLatency(milliseconds);
}

bool SimulationControl::waitUntilNoCallbackRuns(int timeoutMs)
{
    return CallbackThread::waitUntilNoCallbackRuns(timeoutMs);
}

void SimulationControl::failNextUpgradeAt(int percent)
{
    bus().failNextUpgradeAt(percent);
}

void SimulationControl::setUpgradeSilent(bool silent)
{
    bus().setUpgradeSilent(silent);
}

void SimulationControl::setUpgradeStepDelay(int milliseconds)
{
    bus().setUpgradeStepDelay(milliseconds);
}

int SimulationControl::firmwareVersion(const QString &device)
{
    return bus().firmwareVersion(device);
}

int SimulationControl::bootMode(const QString &device)
{
    return bus().bootMode(device);
}

QByteArray SimulationControl::receiverPath(const QString &receiver)
{
    return DevicePaths::receiver(receiver);
}

QByteArray SimulationControl::cablePath(const QString &mouse)
{
    return DevicePaths::cable(mouse);
}

bool SimulationControl::plugReceiver(const QString &receiver, bool plugged)
{
    return bus().plugReceiver(receiver, plugged);
}

bool SimulationControl::plugCable(const QString &mouse, bool plugged)
{
    return bus().plugCable(mouse, plugged);
}

bool SimulationControl::setOnline(const QString &mouse, bool online)
{
    return bus().setAwake(mouse, online);
}

bool SimulationControl::setBattery(const QString &mouse, int level, bool charging)
{
    return bus().setBattery(mouse, level, charging);
}

bool SimulationControl::pressDpiButton(const QString &mouse)
{
    return bus().pressDpiButton(mouse);
}

bool SimulationControl::setReportRate(const QString &mouse, int code)
{
    return bus().setReportRateOnDevice(mouse, quint8(code));
}

bool SimulationControl::setProfile(const QString &mouse, int profile)
{
    return bus().setProfileOnDevice(mouse, profile);
}

bool SimulationControl::setDpiLight(const QString &mouse, const QByteArray &block4)
{
    return bus().setDpiLightOnDevice(mouse, block4);
}

bool SimulationControl::setLightBar(const QString &mouse, const QByteArray &block7)
{
    return bus().setLedBarOnDevice(mouse, block7);
}

bool SimulationControl::sendBatteryReport(const QString &mouse)
{
    return bus().reportBattery(mouse);
}

bool SimulationControl::setReceiverLed(const QString &receiver, int mode)
{
    return mode >= 1 && mode <= 3 && bus().setReceiverLedOnDevice(receiver, quint8(mode));
}

bool SimulationControl::setLongRange(const QString &receiver, bool on)
{
    return bus().setLongRangeOnDevice(receiver, on);
}

bool SimulationControl::setPairing(const QString &mouse, bool pairing)
{
    return bus().setPairing(mouse, pairing);
}

void SimulationControl::setPairStatusReads(int reads)
{
    bus().setPairStatusReads(reads);
}

void SimulationControl::setPairWindow(int milliseconds)
{
    bus().setPairWindow(milliseconds);
}

void SimulationControl::failPairingAtNextRead()
{
    bus().failPairingAtNextRead();
}

void SimulationControl::setPairingStaysOpen(bool open)
{
    bus().setPairingStaysOpen(open);
}

bool SimulationControl::injectEvent(const QByteArray &header, const QByteArray &payload)
{
    return bus().injectEvent(header, payload);
}

void SimulationControl::setNoAnswer(const QString &operation, int times)
{
    bus().setNoAnswer(operation, times);
}

void SimulationControl::setEmptyDeviceInfoReplies(const QByteArray &path, int count)
{
    bus().setEmptyDeviceInfoReplies(path, count);
}

QByteArray SimulationControl::storedRecord(const QString &mouse)
{
    return bus().storedRecord(mouse);
}

int SimulationControl::profile(const QString &mouse)
{
    return bus().profile(mouse);
}

bool SimulationControl::batteryOptimize(const QString &mouse)
{
    return bus().batteryOptimize(mouse);
}

int SimulationControl::driverStatus()
{
    return bus().driverStatus();
}

QVector<CallLog::Call> SimulationControl::calls()
{
    return CallLog::calls();
}

QVector<CallLog::Call> SimulationControl::calls(const QString &operation)
{
    QVector<CallLog::Call> matching;
    const QVector<CallLog::Call> all = CallLog::calls();
    for (const CallLog::Call &call : all) {
        if (call.operation == operation)
            matching << call;
    }
    return matching;
}

QVector<QByteArray> SimulationControl::receivedRecords()
{
    return CallLog::updates();
}

QStringList SimulationControl::cutValues()
{
    return CallLog::cuts();
}

void SimulationControl::clearLog()
{
    CallLog::clear();
}

QByteArray SimulationControl::screenPath(const QString &screen)
{
    return DevicePaths::screen(screen);
}

void SimulationControl::spoilScreenReplies(bool wrongDay, int count)
{
    ScreenBus::instance().spoilReplies(wrongDay, count);
}

void SimulationControl::setScreenNoAnswer(int count)
{
    ScreenBus::instance().setNoAnswer(count);
}

bool SimulationControl::screenClock(const QString &screen, ScreenClock::Reading *reading)
{
    return ScreenBus::instance().clock(screen, reading);
}

int SimulationControl::screenExchanges()
{
    return ScreenBus::instance().exchanges();
}
