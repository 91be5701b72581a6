#include "platform/devicelib/simulatedbus.h"

#include "platform/devicelib/callbackthread.h"
#include "platform/devicelib/calllog.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/deviceset.h"
#include "platform/devicelib/devicestore.h"
#include "platform/devicelib/eventwire.h"
#include "platform/devicelib/factorysettings.h"
#include "platform/devicelib/modelconfig.h"
#include "platform/devicelib/replycoders.h"
#include "platform/devicelib/screenbus.h"

#include <QMutexLocker>
#include <QThread>

#include <cstdlib>
#include <cstring>
#include <future>

namespace {
// Plug changes that arrive while a hot-plug call is still waiting make no second call.
constexpr int HotPlugCoalesceKey = 1;
} // namespace

QByteArray DevicePaths::receiver(const QString &name)
{
    return "sim/receiver/" + name.toLatin1();
}

QByteArray DevicePaths::cable(const QString &mouse)
{
    return "sim/cable/" + mouse.toLatin1();
}

SimulatedBus &SimulatedBus::instance()
{
    static SimulatedBus *bus = [] {
        auto *made = new SimulatedBus;
        const DeviceSet set = DeviceSetFile::fromEnvironment();
        const QString file = DeviceSetFile::fileToFollow();
        if (file.isEmpty())
            made->load(set);
        else
            made->follow(file, set);
        // What the devices were told last is stored before the process ends.
        std::atexit([] { SimulatedBus::instance().waitForStore(); });
        return made;
    }();
    return *bus;
}

namespace {
// One write of the store waiting is enough: it writes whatever changed until it runs.
constexpr int StoreWriteKey = 1;
// Likewise one sync: it syncs every file written until it runs.
constexpr int StoreSyncKey = 2;
} // namespace

SimulatedBus::SimulatedBus()
    : m_upgradeThread(std::make_shared<CallbackThread>("upgrade")),
      m_storeThread(std::make_shared<CallbackThread>("device store", false))
{}

void SimulatedBus::waitForStore()
{
    auto written = std::make_shared<std::promise<void>>();
    std::future<void> done = written->get_future();
    m_storeThread->post([this, written] {
        writeStore();
        written->set_value();
    });
    done.wait();
}

void SimulatedBus::writeStore()
{
    {
        // Held to the last file: a write the program sent may not be overtaken by an older state.
        QMutexLocker store(&m_storeMutex);
        QVector<VirtualMouse> mice;
        QVector<VirtualReceiver> receivers;
        {
            QMutexLocker lock(&m_mutex);
            for (const QString &name : qAsConst(m_unsavedMice)) {
                if (const VirtualMouse *mouse = mouseNamed(name))
                    mice.append(*mouse);
            }
            for (const QString &name : qAsConst(m_unsavedReceivers)) {
                if (const VirtualReceiver *receiver = receiverNamed(name))
                    receivers.append(*receiver);
            }
            m_unsavedMice.clear();
            m_unsavedReceivers.clear();
        }
        for (const VirtualMouse &mouse : qAsConst(mice)) {
            if (!DeviceStore::save(mouse, DeviceStore::Sync::Later))
                CallLog::record(QStringLiteral("store"),
                                QStringLiteral("cannot write the state of %1").arg(mouse.name));
        }
        for (const VirtualReceiver &receiver : qAsConst(receivers)) {
            if (!DeviceStore::save(receiver, DeviceStore::Sync::Later))
                CallLog::record(QStringLiteral("store"),
                                QStringLiteral("cannot write the state of %1").arg(receiver.name));
        }
    }
    // Outside the lock: the program's next write need not wait for the disk.
    DeviceStore::syncSaved();
}

void SimulatedBus::load(const DeviceSet &set)
{
    {
        QMutexLocker lock(&m_mutex);
        ++m_following;
    }
    replaceDevices(set);
}

void SimulatedBus::replaceDevices(const DeviceSet &set)
{
    // The devices come back with what they stored, so every write still to come must land first.
    waitForStore();
    // The screens live apart: nothing of the mice and receivers sees them.
    ScreenBus::instance().load(set.screens);
    QMutexLocker lock(&m_mutex);
    stopServerLocked();
    // Devices just plugged in have not been told of any program.
    m_driverStatus = 0;
    m_definitions = set;
    m_receivers = set.receivers;
    m_mice = set.mice;
    for (VirtualReceiver &receiver : m_receivers)
        prepare(receiver);
    for (VirtualMouse &mouse : m_mice)
        prepare(mouse);
    m_noAnswer.clear();
    m_emptyInfo.clear();
    m_pairing = PairingControls();
    m_upgrade.reset();
    m_upgradeControls = UpgradeControls();
    m_upgradeLog.clear();
    notifyPlugChange();
}

void SimulatedBus::restart()
{
    {
        QMutexLocker lock(&m_mutex);
        m_hotPlugCallback = nullptr;
        m_hotPlugThread.reset();
    }
    DeviceSet set;
    {
        QMutexLocker lock(&m_mutex);
        set = m_definitions;
    }
    // A file followed goes on being followed, as the next start would follow it again.
    replaceDevices(set);
}

void SimulatedBus::prepare(VirtualMouse &mouse)
{
    const QString pairedInSet = mouse.receiver;
    if (!DeviceStore::load(mouse))
        mouse.record = FactorySettings::record(ModelConfig::model(mouse.mid));
    // A pairing stored for a receiver that this set does not have cannot be used.
    if (!mouse.receiver.isEmpty() && !receiverNamed(mouse.receiver))
        mouse.receiver = pairedInSet;
}

void SimulatedBus::prepare(VirtualReceiver &receiver)
{
    DeviceStore::load(receiver);
}

bool SimulatedBus::storeNow(const VirtualMouse &mouse, const QByteArray &image)
{
    if (!DeviceStore::save(mouse, DeviceStore::Sync::Later, image))
        return false;
    m_unsavedMice.remove(mouse.name);
    syncSoon();
    return true;
}

bool SimulatedBus::storeNow(const VirtualReceiver &receiver)
{
    if (!DeviceStore::save(receiver, DeviceStore::Sync::Later))
        return false;
    m_unsavedReceivers.remove(receiver.name);
    syncSoon();
    return true;
}

void SimulatedBus::syncSoon()
{
    m_storeThread->post([] { DeviceStore::syncSaved(); }, 0, StoreSyncKey);
}

void SimulatedBus::persist(const VirtualMouse &mouse)
{
    m_unsavedMice.insert(mouse.name);
    m_storeThread->post([this] { writeStore(); }, 0, StoreWriteKey);
}

void SimulatedBus::persist(const VirtualReceiver &receiver)
{
    m_unsavedReceivers.insert(receiver.name);
    m_storeThread->post([this] { writeStore(); }, 0, StoreWriteKey);
}

void SimulatedBus::setLatency(int milliseconds)
{
    m_latencyMs.store(qMax(0, milliseconds));
}

void SimulatedBus::transfer() const
{
    const int ms = m_latencyMs.load();
    if (ms > 0)
        QThread::msleep(ms);
}

VirtualMouse *SimulatedBus::mouseNamed(const QString &name)
{
    for (VirtualMouse &mouse : m_mice) {
        if (mouse.name == name)
            return &mouse;
    }
    return nullptr;
}

VirtualReceiver *SimulatedBus::receiverNamed(const QString &name)
{
    for (VirtualReceiver &receiver : m_receivers) {
        if (receiver.name == name)
            return &receiver;
    }
    return nullptr;
}

VirtualReceiver *SimulatedBus::pairedReceiver(const VirtualMouse &mouse)
{
    return mouse.receiver.isEmpty() ? nullptr : receiverNamed(mouse.receiver);
}

SimulatedBus::Target SimulatedBus::resolve(const QByteArray &path)
{
    Target target;
    // A device in boot mode answers nothing but an upgrade.
    for (VirtualReceiver &receiver : m_receivers) {
        if (!receiver.plugged || receiver.upgrade.bootMode ||
            DevicePaths::receiver(receiver.name) != path)
            continue;
        target.receiver = &receiver;
        // A receiver holds one link: the first mouse of the set paired to it.
        for (VirtualMouse &mouse : m_mice) {
            if (mouse.receiver == receiver.name) {
                target.mouse = &mouse;
                target.reachable = mouse.awake && !mouse.upgrade.bootMode;
                break;
            }
        }
        return target;
    }
    for (VirtualMouse &mouse : m_mice) {
        if (mouse.cablePlugged && !mouse.upgrade.bootMode &&
            DevicePaths::cable(mouse.name) == path) {
            target.mouse = &mouse;
            target.reachable = true;
            return target;
        }
    }
    return target;
}

bool SimulatedBus::anyPlugged() const
{
    for (const VirtualReceiver &receiver : m_receivers) {
        if (receiver.plugged)
            return true;
    }
    for (const VirtualMouse &mouse : m_mice) {
        if (mouse.cablePlugged)
            return true;
    }
    return false;
}

bool SimulatedBus::noAnswer(const char *operation)
{
    const auto it = m_noAnswer.find(QLatin1String(operation));
    if (it == m_noAnswer.end() || *it == 0)
        return false;
    if (*it > 0)
        --*it;
    CallLog::record(QLatin1String(operation), QStringLiteral("no answer"));
    return true;
}

QVector<QByteArray> SimulatedBus::find(const QByteArray &vid, const QByteArray &pid)
{
    QMutexLocker lock(&m_mutex);
    QVector<QByteArray> paths;
    // Devices in boot mode enumerate as boot loaders, which the program does not look for.
    for (const VirtualReceiver &receiver : qAsConst(m_receivers)) {
        if (receiver.plugged && !receiver.upgrade.bootMode && receiver.vid == vid &&
            receiver.pid == pid)
            paths << DevicePaths::receiver(receiver.name);
    }
    for (const VirtualMouse &mouse : qAsConst(m_mice)) {
        if (mouse.cablePlugged && !mouse.upgrade.bootMode && mouse.cableVid == vid &&
            mouse.cablePid == pid)
            paths << DevicePaths::cable(mouse.name);
    }
    return paths;
}

UsbDeviceInfo SimulatedBus::deviceInfo(const QByteArray &path)
{
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    UsbDeviceInfo info{0, 0, 0};
    if (target.receiver)
        info.Kind = target.receiver->kind;
    else if (target.mouse)
        info.Kind = target.mouse->cableKind;
    else
        return info;
    const auto empty = m_emptyInfo.find(path);
    if (empty != m_emptyInfo.end() && *empty > 0) {
        --*empty;
        return info;
    }
    if (target.mouse) {
        info.Cid = target.mouse->cid;
        info.Mid = target.mouse->mid;
    }
    return info;
}

bool SimulatedBus::usbVersion(const QByteArray &path, quint16 *version)
{
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    if (target.receiver)
        *version = target.receiver->version;
    else if (target.mouse)
        *version = target.mouse->version;
    else
        return false;
    return true;
}

bool SimulatedBus::online(const QByteArray &path)
{
    QMutexLocker lock(&m_mutex);
    return resolve(path).reachable && !noAnswer("UsbFinderC_GetDeviceOnLine");
}

bool SimulatedBus::onlineStatus(const QByteArray &path, unsigned char *status)
{
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    if ((!target.receiver && !target.mouse) || noAnswer("UsbFinderC_GetDeviceOnLineWithUsbAddress"))
        return false;
    std::memset(status, 0, OnlineStatusSize);
    status[6] = target.reachable ? 1 : 0;
    // On a cable the mouse reports the receiver it is paired to, so the program can tell that the
    // mouse on the cable is the one it knows from that receiver.
    const VirtualReceiver *receiver =
        target.receiver ? target.receiver : pairedReceiver(*target.mouse);
    if (receiver)
        std::memcpy(status + 7, receiver->id, 3);
    return true;
}

int SimulatedBus::mouseVersion(const QByteArray &path)
{
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    if (!target.reachable || noAnswer("UsbFinderC_GetVersion"))
        return 0;
    return target.mouse->version;
}

bool SimulatedBus::receiverVersion(const QByteArray &path, int *version)
{
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    if (!target.receiver || noAnswer("UsbFinderC_GetSlaveVersion"))
        return false;
    *version = target.receiver->version;
    return true;
}

bool SimulatedBus::dongleRgb(const QByteArray &path, unsigned char *rgb)
{
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    if (!target.receiver || !target.receiver->hasLed() ||
        noAnswer("UsbFinderC_Get4KDongleRGBValue"))
        return false;
    std::memcpy(rgb, target.receiver->dongleRgb.constData(), DongleRgbSize);
    // The receiver also sends its LED reply (event 21) to a device server running on it, after
    // the call has answered.
    sendFromReceiver(*target.receiver, EventWire::DongleRgbReply, target.receiver->dongleRgb);
    return true;
}

bool SimulatedBus::setDongleRgb(const QByteArray &path, const unsigned char *rgb)
{
    QMutexLocker store(&m_storeMutex);
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    if (!target.receiver || !target.receiver->hasLed() || noAnswer("UsbFinderC_Set4KDongleRGB"))
        return false;
    // The receiver has three LED modes; it refuses any other and keeps its own.
    if (rgb[0] < 1 || rgb[0] > 3) {
        CallLog::recordCuts({QStringLiteral("receiver %1 LED mode %2 refused")
                                 .arg(target.receiver->name)
                                 .arg(rgb[0])});
        return false;
    }
    VirtualReceiver changed = *target.receiver;
    changed.dongleRgb = QByteArray(reinterpret_cast<const char *>(rgb), DongleRgbSize);
    if (!storeNow(changed))
        return false;
    *target.receiver = changed;
    return true;
}

bool SimulatedBus::longRange(const QByteArray &path, unsigned char *mode)
{
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    if (!target.receiver || noAnswer("UsbFinderC_GetLongRangeMode"))
        return false;
    *mode = target.receiver->longRange;
    return true;
}

bool SimulatedBus::setLongRange(const QByteArray &path, unsigned char mode)
{
    QMutexLocker store(&m_storeMutex);
    QMutexLocker lock(&m_mutex);
    const Target target = resolve(path);
    if (!target.receiver || noAnswer("UsbFinderC_SetLongRangeMode"))
        return false;
    VirtualReceiver changed = *target.receiver;
    changed.longRange = mode != 0 ? 1 : 0;
    if (!storeNow(changed))
        return false;
    *target.receiver = changed;
    return true;
}

void SimulatedBus::startHotPlug(UsbChangedCallback callback)
{
    QMutexLocker lock(&m_mutex);
    m_hotPlugCallback = callback;
    m_hotPlugThread = std::make_shared<CallbackThread>("hot-plug");
    // The program fills its first device list from this call: nothing else tells it what is
    // plugged in already.
    if (anyPlugged())
        notifyPlugChange();
}

void SimulatedBus::stopHotPlug()
{
    std::shared_ptr<CallbackThread> stopped;
    {
        QMutexLocker lock(&m_mutex);
        m_hotPlugCallback = nullptr;
        stopped.swap(m_hotPlugThread);
    }
    if (stopped)
        stopped->stop();
}

void SimulatedBus::notifyPlugChange()
{
    if (m_gatheringPlugChanges) {
        m_plugChangeGathered = true;
        return;
    }
    if (!m_hotPlugThread || !m_hotPlugCallback)
        return;
    const UsbChangedCallback callback = m_hotPlugCallback;
    m_hotPlugThread->post(
        [callback] {
            CallLog::record(QStringLiteral("hot-plug callback"));
            callback();
        },
        m_latencyMs.load(), HotPlugCoalesceKey);
}

bool SimulatedBus::plugReceiver(const QString &name, bool plugged)
{
    QMutexLocker lock(&m_mutex);
    VirtualReceiver *receiver = receiverNamed(name);
    if (!receiver)
        return false;
    plugLocked(*receiver, plugged);
    return true;
}

void SimulatedBus::plugLocked(VirtualReceiver &receiver, bool plugged)
{
    if (receiver.plugged == plugged)
        return;
    receiver.plugged = plugged;
    // Power goes with the plug: a pairing window does not survive it.
    receiver.pairStatus = PairIdle;
    notifyPlugChange();
}

bool SimulatedBus::plugCable(const QString &name, bool plugged)
{
    QMutexLocker lock(&m_mutex);
    VirtualMouse *mouse = mouseNamed(name);
    if (!mouse || mouse->cableVid.isEmpty())
        return false;
    plugCableLocked(*mouse, plugged);
    return true;
}

void SimulatedBus::plugCableLocked(VirtualMouse &mouse, bool plugged)
{
    if (mouse.cablePlugged == plugged || mouse.cableVid.isEmpty())
        return;
    mouse.cablePlugged = plugged;
    notifyPlugChange();
}

bool SimulatedBus::setAwake(const QString &name, bool awake)
{
    QMutexLocker lock(&m_mutex);
    VirtualMouse *mouse = mouseNamed(name);
    if (!mouse)
        return false;
    setAwakeLocked(*mouse, awake);
    return true;
}

void SimulatedBus::setAwakeLocked(VirtualMouse &mouse, bool awake)
{
    if (mouse.awake == awake)
        return;
    mouse.awake = awake;
    // The receiver's link to its mouse came or went: the hardware library reports that as a
    // plug change of the receiver.
    if (pairedReceiver(mouse))
        notifyPlugChange();
}

void SimulatedBus::setNoAnswer(const QString &operation, int times)
{
    QMutexLocker lock(&m_mutex);
    m_noAnswer.insert(operation, times);
}

void SimulatedBus::setEmptyDeviceInfoReplies(const QByteArray &path, int count)
{
    QMutexLocker lock(&m_mutex);
    m_emptyInfo.insert(path, qMax(0, count));
}

QByteArray SimulatedBus::storedRecord(const QString &name) const
{
    QMutexLocker lock(&m_mutex);
    const VirtualMouse *mouse = const_cast<SimulatedBus *>(this)->mouseNamed(name);
    return mouse ? mouse->record : QByteArray();
}

int SimulatedBus::profile(const QString &name) const
{
    QMutexLocker lock(&m_mutex);
    const VirtualMouse *mouse = const_cast<SimulatedBus *>(this)->mouseNamed(name);
    return mouse ? mouse->profile : -1;
}

bool SimulatedBus::batteryOptimize(const QString &name) const
{
    QMutexLocker lock(&m_mutex);
    const VirtualMouse *mouse = const_cast<SimulatedBus *>(this)->mouseNamed(name);
    return mouse && mouse->batteryOptimize;
}

int SimulatedBus::driverStatus() const
{
    QMutexLocker lock(&m_mutex);
    return m_driverStatus;
}
