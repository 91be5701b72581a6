// The device server of the simulated bus: the requests to the server's device, the events they
// produce, and the events a virtual device sends unprompted.
#include "platform/devicelib/simulatedbus.h"

#include "platform/devicelib/callbackthread.h"
#include "platform/devicelib/calllog.h"
#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/eventwire.h"
#include "platform/devicelib/factorysettings.h"
#include "platform/devicelib/modelconfig.h"
#include "platform/devicelib/replycoders.h"

#include <QMutexLocker>

namespace {

// Payloads are followed by this many zero bytes, so a decoder that reads its fixed size from a
// short (or malformed) payload stays inside the buffer.
constexpr int PayloadSlack = 64;

constexpr int RecordReportRate = offsetof(FlashDataMap, ReportRate);
constexpr int RecordDpiStageCount = offsetof(FlashDataMap, DpiStageCount);
constexpr int RecordCurrentDpiStage = offsetof(FlashDataMap, CurrentDpiStage);
constexpr int RecordDpiLight = FlashDataMap::DpiLightBlockOffset;
constexpr int RecordLedBar = FlashDataMap::LightBarBlockOffset;

const char *requestName(SimulatedBus::Request request)
{
    switch (request) {
    case SimulatedBus::Request::ReadAllFlashData:
        return "UsbServer_ReadAllFlashData";
    case SimulatedBus::Request::ReadBatteryLevel:
        return "UsbServer_ReadBatteryLevel";
    case SimulatedBus::Request::ReadConfig:
        return "UsbServer_ReadConfig";
    case SimulatedBus::Request::ReadVersion:
        return "UsbServer_ReadVersion";
    case SimulatedBus::Request::ReadCurrentDpi:
        return "UsbServer_ReadCurrentDPI";
    case SimulatedBus::Request::ReadReportRate:
        return "UsbServer_ReadReportRate";
    case SimulatedBus::Request::ReadDpiLed:
        return "UsbServer_ReadDPILed";
    case SimulatedBus::Request::ReadLedBar:
        return "UsbServer_ReadLedBar";
    }
    return "";
}

const unsigned char *bytes(const QByteArray &array)
{
    return reinterpret_cast<const unsigned char *>(array.constData());
}

} // namespace

bool SimulatedBus::startServer(const QByteArray &path, UsbServerEventCallback callback)
{
    QMutexLocker lock(&m_mutex);
    stopServerLocked();
    if (!callback)
        return false;
    m_server = std::make_unique<Server>();
    m_server->path = path;
    m_server->callback = callback;
    m_server->thread = std::make_shared<CallbackThread>("device server");
    return true;
}

void SimulatedBus::exitServer()
{
    QMutexLocker lock(&m_mutex);
    stopServerLocked();
}

void SimulatedBus::stopServerLocked()
{
    if (!m_server)
        return;
    // Never joined: the event thread may be blocked inside the callback, waiting for the very
    // thread that is stopping the server.
    m_server->thread->stop();
    m_server.reset();
}

void SimulatedBus::postRaw(const QByteArray &header, const QByteArray &payload)
{
    if (!m_server)
        return;
    const UsbServerEventCallback callback = m_server->callback;
    const int payloadLength = payload.size();
    QByteArray padded = payload;
    padded.append(QByteArray(PayloadSlack, '\0'));
    m_server->thread->post(
        [callback, header, padded, payloadLength] {
            CallLog::record(QStringLiteral("event callback"),
                            QStringLiteral("type %1 command %2 length %3")
                                .arg(header.size() > 1 ? quint8(header.at(1)) : 0)
                                .arg(header.size() > 4 ? quint8(header.at(4)) : 0)
                                .arg(payloadLength));
            callback(bytes(header), header.size(), bytes(padded), payloadLength);
        },
        m_latencyMs.load());
}

void SimulatedBus::post(unsigned char type, unsigned char command, const QByteArray &payload)
{
    if (!m_server)
        return;
    postRaw(EventWire::header(type, command, payload.size(), m_server->sequence++), payload);
}

void SimulatedBus::sendFromMouse(const VirtualMouse &mouse, unsigned char type,
                                 unsigned char command, const QByteArray &payload)
{
    if (!m_server)
        return;
    const Target target = resolve(m_server->path);
    if (target.mouse == &mouse && target.reachable)
        post(type, command, payload);
}

void SimulatedBus::sendFromReceiver(const VirtualReceiver &receiver, unsigned char type,
                                    const QByteArray &payload)
{
    if (!m_server)
        return;
    if (resolve(m_server->path).receiver == &receiver)
        post(type, 0, payload);
}

bool SimulatedBus::request(Request request)
{
    QMutexLocker lock(&m_mutex);
    if (!m_server)
        return false;
    const Target target = resolve(m_server->path);
    if (!target.receiver && !target.mouse)
        return false;
    // The request left the host; a mouse that sleeps never sees it.
    if (!target.reachable || noAnswer(requestName(request)))
        return true;
    const VirtualMouse &mouse = *target.mouse;
    const unsigned char *record = bytes(mouse.record);
    switch (request) {
    case Request::ReadAllFlashData:
        post(EventWire::DataReply, EventWire::WholeConfiguration,
             ConfigurationImage::encode(record));
        break;
    case Request::ReadBatteryLevel:
        post(EventWire::Battery, 0, ReplyCoders::encodeBattery(mouse.battery, mouse.charging));
        break;
    case Request::ReadConfig:
        post(EventWire::ConfigReply, 0, QByteArray(1, char(mouse.profile)));
        break;
    case Request::ReadVersion: {
        QByteArray version(2, '\0');
        version[0] = char(mouse.version & 0xFF);
        version[1] = char(mouse.version >> 8);
        post(EventWire::VersionReply, 0, version);
        break;
    }
    case Request::ReadCurrentDpi:
        post(EventWire::DataReply, EventWire::CurrentDpiStage,
             QByteArray(1, char(record[RecordCurrentDpiStage])));
        break;
    case Request::ReadReportRate:
        post(EventWire::DataReply, EventWire::ReportRate,
             QByteArray(1, char(record[RecordReportRate])));
        break;
    case Request::ReadDpiLed:
        post(EventWire::DataReply, EventWire::DpiLight,
             ReplyCoders::encodeDpiLight(record + RecordDpiLight));
        break;
    case Request::ReadLedBar:
        post(EventWire::DataReply, EventWire::LedBar,
             ReplyCoders::encodeLedBar(record + RecordLedBar));
        break;
    }
    return true;
}

bool SimulatedBus::setDriverStatus(unsigned char attached)
{
    QMutexLocker lock(&m_mutex);
    if (!m_server)
        return false;
    m_driverStatus = attached;
    return true;
}

bool SimulatedBus::setBatteryOptimize(unsigned char enable)
{
    QMutexLocker lock(&m_mutex);
    if (!m_server)
        return false;
    const Target target = resolve(m_server->path);
    // Not taken is not done: the program owes the mouse the setting until it has taken it.
    if (!target.reachable || noAnswer("UsbServer_SetBatteryOptimizeEnable"))
        return false;
    target.mouse->batteryOptimize = enable != 0;
    return true;
}

bool SimulatedBus::clearSettings()
{
    QMutexLocker store(&m_storeMutex);
    QMutexLocker lock(&m_mutex);
    if (!m_server)
        return false;
    const Target target = resolve(m_server->path);
    if (!target.reachable || noAnswer("UsbServer_SetClearSetting"))
        return target.mouse != nullptr;
    VirtualMouse reset = *target.mouse;
    QStringList notes;
    FactorySettings::restore(reset.record, ModelConfig::model(reset.mid), &notes);
    if (!storeNow(reset))
        return false;
    for (const QString &note : qAsConst(notes))
        CallLog::record(QStringLiteral("factory settings"), note);
    *target.mouse = reset;
    post(EventWire::ClearDone, 0, QByteArray());
    return true;
}

bool SimulatedBus::setCurrentConfig(unsigned char profile)
{
    QMutexLocker store(&m_storeMutex);
    QMutexLocker lock(&m_mutex);
    if (!m_server)
        return false;
    const Target target = resolve(m_server->path);
    // A switch the mouse never heard of is not made: the caller must not show it as made.
    if (!target.reachable || noAnswer("UsbServer_SetCurrentConfig"))
        return false;
    VirtualMouse changed = *target.mouse;
    changed.profile = profile;
    if (!storeNow(changed))
        return false;
    *target.mouse = changed;
    return true;
}

bool SimulatedBus::update(const unsigned char *record)
{
    const QByteArray received(reinterpret_cast<const char *>(record),
                              ConfigurationImage::RecordSize);
    CallLog::recordUpdate(received);
    QMutexLocker store(&m_storeMutex);
    QMutexLocker lock(&m_mutex);
    if (!m_server)
        return false;
    const Target target = resolve(m_server->path);
    if (!target.reachable || noAnswer("ProtocolDataUpdate"))
        return false;
    VirtualMouse changed = *target.mouse;
    QStringList cuts;
    QByteArray image;
    changed.record = ConfigurationImage::stored(received, &cuts, &image);
    if (!storeNow(changed, image))
        return false;
    for (QString &cut : cuts)
        cut.prepend(changed.name + QStringLiteral(": "));
    CallLog::recordCuts(cuts);
    *target.mouse = changed;
    return true;
}

bool SimulatedBus::injectEvent(const QByteArray &header, const QByteArray &payload)
{
    QMutexLocker lock(&m_mutex);
    if (!m_server)
        return false;
    postRaw(header, payload);
    return true;
}

bool SimulatedBus::changeOnDevice(const QString &name, int offset, const QByteArray &bytes,
                                  int item)
{
    QMutexLocker lock(&m_mutex);
    VirtualMouse *mouse = mouseNamed(name);
    if (!mouse)
        return false;
    if (!bytes.isEmpty()) {
        mouse->record.replace(offset, bytes.size(), bytes);
        persist(*mouse);
    }
    sendFromMouse(*mouse, EventWire::StatusChanged, 0,
                  ReplyCoders::encodeStatusChanged(1u << item));
    return true;
}

bool SimulatedBus::pressDpiButton(const QString &name)
{
    QByteArray stage;
    {
        QMutexLocker lock(&m_mutex);
        const VirtualMouse *mouse = mouseNamed(name);
        if (!mouse)
            return false;
        const int count = qBound(1, int(quint8(mouse->record.at(RecordDpiStageCount))), 8);
        const int current = quint8(mouse->record.at(RecordCurrentDpiStage));
        stage = QByteArray(1, char((current + 1) % count));
    }
    return changeOnDevice(name, RecordCurrentDpiStage, stage, ReplyCoders::DpiStageItem);
}

bool SimulatedBus::setReportRateOnDevice(const QString &name, unsigned char code)
{
    return changeOnDevice(name, RecordReportRate, QByteArray(1, char(code)),
                          ReplyCoders::ReportRateItem);
}

bool SimulatedBus::setDpiLightOnDevice(const QString &name, const QByteArray &block)
{
    if (block.size() != ReplyCoders::DpiLightBlockSize)
        return false;
    return changeOnDevice(name, RecordDpiLight, block, ReplyCoders::DpiLightItem);
}

bool SimulatedBus::setLedBarOnDevice(const QString &name, const QByteArray &block)
{
    if (block.size() != ReplyCoders::LedBarBlockSize)
        return false;
    return changeOnDevice(name, RecordLedBar, block, ReplyCoders::LedBarItem);
}

bool SimulatedBus::setProfileOnDevice(const QString &name, int profile)
{
    {
        QMutexLocker lock(&m_mutex);
        VirtualMouse *mouse = mouseNamed(name);
        if (!mouse)
            return false;
        mouse->profile = profile;
        persist(*mouse);
    }
    return changeOnDevice(name, 0, QByteArray(), ReplyCoders::ProfileItem);
}

bool SimulatedBus::setBattery(const QString &name, int level, bool charging)
{
    {
        QMutexLocker lock(&m_mutex);
        VirtualMouse *mouse = mouseNamed(name);
        if (!mouse)
            return false;
        mouse->battery = qBound(0, level, 100);
        mouse->charging = charging;
    }
    return changeOnDevice(name, 0, QByteArray(), ReplyCoders::BatteryItem);
}

bool SimulatedBus::reportBattery(const QString &name)
{
    QMutexLocker lock(&m_mutex);
    const VirtualMouse *mouse = mouseNamed(name);
    if (!mouse)
        return false;
    sendFromMouse(*mouse, EventWire::Battery, 0,
                  ReplyCoders::encodeBattery(mouse->battery, mouse->charging));
    return true;
}

bool SimulatedBus::setReceiverLedOnDevice(const QString &name, unsigned char mode)
{
    QMutexLocker lock(&m_mutex);
    VirtualReceiver *receiver = receiverNamed(name);
    if (!receiver || !receiver->hasLed() || mode < 1 || mode > 3)
        return false;
    receiver->dongleRgb[0] = char(mode);
    persist(*receiver);
    sendFromReceiver(*receiver, EventWire::DongleRgbReply, receiver->dongleRgb);
    return true;
}

bool SimulatedBus::setLongRangeOnDevice(const QString &name, bool on)
{
    QMutexLocker lock(&m_mutex);
    VirtualReceiver *receiver = receiverNamed(name);
    if (!receiver)
        return false;
    receiver->longRange = on ? 1 : 0;
    persist(*receiver);
    sendFromReceiver(*receiver, EventWire::LongRangeReply,
                     on ? QByteArray(1, '\1') : QByteArray(EventWire::LongRangeOffLength, '\0'));
    return true;
}
