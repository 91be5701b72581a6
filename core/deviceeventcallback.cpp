#include "core/deviceeventcallback.h"

#include "core/batteryoptimize.h"
#include "core/configini.h"
#include "core/devicecache.h"
#include "core/devicelink.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "platform/devicelib/devicelib.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QThread>
#include <QtGlobal>

#include <cstring>
#include <functional>

using namespace DeviceLink;

namespace {

// Data-reply commands (header byte 4) and the payload length each is valid with.
constexpr int CommandConfiguration = 0x00; // the whole configuration, or the report rate
constexpr int CommandDpiStage = 0x04;
constexpr int CommandDpiLight = 0x4C;
constexpr int CommandLedBar = 0xA0;
constexpr int ReportRateLength = 1;
constexpr int DpiStageLength = 1;
constexpr int LongRangeReplyLength = 10;
constexpr int ConfigRereadThrottleMs = 3000;
// A long-range answer cell that still holds this after the read means the receiver gave none.
constexpr unsigned char NoLongRangeAnswer = 's';
// A default assignment whose first element is this text keeps the button's key record and macro
// through a factory reset (the key-sequence category).
const QString KeySequenceCategoryText = QStringLiteral("0x05");
constexpr int KeyParamsWithDefaults = 6;

PostMsg *hub()
{
    return PostMsg::GetInstance();
}

QString driveGroup(const DeviceAllInfo &device)
{
    return QStringLiteral("Drive%1").arg(device.DriveIndex + 1);
}

// The payload with zero bytes after it: the library's decoders read fixed-size blocks, and a
// malformed event must not make them read past what was delivered.
QByteArray paddedPayload(const unsigned char *payload, int length)
{
    QByteArray bytes(length + 64, '\0');
    if (payload && length > 0)
        std::memcpy(bytes.data(), payload, size_t(length));
    return bytes;
}

const unsigned char *bytesOf(const QByteArray &bytes)
{
    return reinterpret_cast<const unsigned char *>(bytes.constData());
}

// Runs on a device-library thread.
void handleBattery(const Ticket &ticket, const QByteArray &payload)
{
    if (!IsCurrent(ticket))
        return;
    const BatteryStatus battery = State().BatteryCell.with([&](BatteryStatus &cell) {
        GetDeviceBatteryStatus(bytesOf(payload), reinterpret_cast<unsigned char *>(&cell));
        return cell;
    });
    emit hub()->SigBattery(battery.Charging > 0, battery.Level,
                           State().ShowBatteryValueSetting.load() == 1);
}

// The receiver LED (receivers of kind 1 only) and the long-range mode, read back after a full
// record unless a factory reset just set them itself. False when the ticket went meanwhile.
// Runs on a device-library thread.
bool readReceiverSettings(const Ticket &ticket, const DeviceAllInfo &device)
{
    const QByteArray path = device.Path.toLatin1();
    if (device.Wired != 1 && device.Kind == 1) {
        DongleRGB rgb = State().CurrentDongleRGB.get();
        if (UsbFinderC_Get4KDongleRGBValue(path.constData(),
                                           reinterpret_cast<unsigned char *>(&rgb))) {
            if (!IsCurrent(ticket))
                return false;
            State().CurrentDongleRGB.set(rgb);
            if (rgb.Mode != 0)
                emit hub()->SigRGBValue(rgb);
        }
    }
    unsigned char longRange = NoLongRangeAnswer;
    UsbFinderC_GetLongRangeMode(path.constData(), &longRange);
    if (!IsCurrent(ticket))
        return false;
    // An "off" answer is not announced: the settings page shows off unless told otherwise.
    if (longRange != NoLongRangeAnswer && longRange != 0)
        emit hub()->SigLongRangeMode(true);
    return IsCurrent(ticket);
}

// The slots whose default assignment is a key sequence: they keep their key record and macro
// through a factory reset.
// Runs on a device-library thread.
QList<qint32> keySequenceSlots(const DeviceAllInfo &device)
{
    QList<qint32> kept;
    const ConfigIni *config = ConfigIni::instance();
    for (int i = 1; i <= KeyParamsWithDefaults; ++i) {
        const QStringList param =
            config->valueList(driveGroup(device), QStringLiteral("KeyParam%1").arg(i));
        if (!param.isEmpty() && param.first() == KeySequenceCategoryText)
            kept.append(i - 1);
    }
    return kept;
}

void clearKeysAndMacros(FlashDataMap &record, const QList<qint32> &kept)
{
    if (kept.isEmpty()) {
        std::memset(record.bytes() + FlashDataMap::KeysAndMacrosOffset, 0,
                    FlashDataMap::KeysAndMacrosSize);
        return;
    }
    for (int slot = 0; slot < int(FlashDataMap::ButtonSlots); ++slot) {
        if (kept.contains(slot))
            continue;
        std::memset(&record.KeyRecords[slot], 0, sizeof(KeyRecord));
        std::memset(&record.Macros[slot], 0, sizeof(MacroRecord));
    }
}

// Runs on a device-library thread.
void handleFullRecord(const Ticket &ticket, const unsigned char *payload)
{
    DeviceState &s = State();
    switch (TakeWholeReply(ticket, payload)) {
    case WholeReply::Taken:
        break;
    case WholeReply::Stale:
        // The device has taken a write since it sent this: what it holds now is read again.
        RequestFullRead();
        return;
    case WholeReply::Damaged: // a damaged reply is no answer: record, pages and device stay
    case WholeReply::NotCurrent:
        return;
    }

    const DeviceAllInfo device = s.CurrentDeviceInfo.get();
    if (!IsCurrent(ticket))
        return;
    s.OnlineCacheName.set(DeviceCacheFileName(device.Cid, device.Mid));
    // The device answers again after a reset that did not complete: it gets back what the reset
    // took.
    BatteryOptimize::RestoreIfOwed();

    // Their answers arrive later as events of their own.
    UsbServer_ReadDPILed();
    UsbServer_ReadBatteryLevel();
    UsbServer_ReadVersion();
    UsbServer_ReadConfig();

    const bool receiverJustReset = s.ResetSkipReceiverRead.load() != 0;
    if (!receiverJustReset && !readReceiverSettings(ticket, device))
        return;
    if (!IsCurrent(ticket))
        return;
    s.ResetSkipReceiverRead = 0;

    // Sent back after every whole record; after a factory reset with the keys and macros cleared,
    // which is a change of the device's record, otherwise as the device sent it.
    const bool clearing = s.ResetClearPending.load() != 0;
    if (clearing) {
        s.KeptKeySlots.set(keySequenceSlots(device));
        const QList<qint32> kept = s.KeptKeySlots.get();
        if (!StoreFromDevice(ticket,
                             [&](FlashDataMap &record) { clearKeysAndMacros(record, kept); }))
            return;
        s.ResetClearPending = 0;
    }
    SendBack(ticket, !clearing);
    if (!IsCurrent(ticket))
        return;
    const FlashDataMap record = s.CurrentFlashData.get();
    s.KeptKeySlots.set({});
    s.SensorUiUpdated = 0;
    s.ButtonUiUpdated = 0;

    // Each page gets a copy of its own, taken now, so that a page changing its copy changes no
    // other page's. The pages may take long; what they were shown for may be gone after each.
    emit hub()->SigUpDataLightUIButton(FlashDataMap(record));
    if (!IsCurrent(ticket))
        return;
    emit hub()->SigUpDataLightLight(FlashDataMap(record));
    if (!IsCurrent(ticket))
        return;
    emit hub()->SigUpDataLightSensor(FlashDataMap(record));
    if (!IsCurrent(ticket))
        return;
    emit hub()->SigForm();
    if (!IsCurrent(ticket))
        return;
    // The form hides the receiver's LED section until the receiver reports its LED. After a
    // reset the receiver is not read again: the mode just set on it is what it reports.
    if (receiverJustReset && device.Wired != 1 && device.Kind == 1) {
        const DongleRGB rgb = s.CurrentDongleRGB.get();
        if (rgb.Mode != 0)
            emit hub()->SigRGBValue(rgb);
        if (!IsCurrent(ticket))
            return;
    }

    // No pass request is cleared here: a pass asked for meanwhile is one this read did not make.
    s.OnlineAtLastRead = 1;
}

// A setting the device changed itself (report rate, DPI stage): stored, announced and sent back,
// so the device holds the record it reported. Not sent back to a device whose whole record has
// not been read: that would write the rest of another record into it.
// Runs on a device-library thread.
void handleDeviceSetting(const Ticket &ticket, void (*storeByte)(FlashDataMap &, quint8),
                         void (PostMsg::*announce)(int), quint8 value)
{
    if (!StoreFromDevice(ticket, [&](FlashDataMap &record) { storeByte(record, value); }))
        return;
    emit std::invoke(announce, hub(), value);
    SendBack(ticket);
}

// Runs on a device-library thread.
void handleDataReply(const Ticket &ticket, int command, const QByteArray &payload, int length)
{
    const unsigned char *bytes = bytesOf(payload);
    if (command == CommandConfiguration && length == FullConfigurationSize) {
        handleFullRecord(ticket, bytes);
    } else if (command == CommandConfiguration && length == ReportRateLength) {
        handleDeviceSetting(
            ticket, [](FlashDataMap &record, quint8 value) { record.ReportRate = value; },
            &PostMsg::SigUpDataReportRate, bytes[0]);
    } else if (command == CommandDpiStage && length == DpiStageLength) {
        handleDeviceSetting(
            ticket, [](FlashDataMap &record, quint8 value) { record.CurrentDpiStage = value; },
            &PostMsg::SigUpDataDPI, bytes[0]);
    } else if (command == CommandDpiLight && length == DpiLightReplySize) {
        FlashDataMap record;
        if (StoreFromDevice(
                ticket,
                [&](FlashDataMap &current) { BufferToDPILed(bytes, &current.DpiLightMode); },
                &record))
            emit hub()->SigUpDataDPILed(record);
    } else if (command == CommandLedBar && length == LedBarReplySize) {
        FlashDataMap record;
        if (StoreFromDevice(
                ticket, [&](FlashDataMap &current) { BufferToLedBar(bytes, &current.LightMode); },
                &record))
            emit hub()->SigUpDataLightLight(record);
    }
}

// Elements 0 and 1 of the model's Adveanced list: the long-range default and the receiver-LED
// default. A missing element means the model has no default for it. False when the ticket went.
// Runs on a device-library thread.
bool applyFactoryDefaults(const Ticket &ticket, const DeviceAllInfo &device)
{
    const QStringList advanced =
        ConfigIni::instance()->valueList(driveGroup(device), QStringLiteral("Adveanced"));
    const QByteArray path = device.Path.toLatin1();

    bool ledOk = false;
    const int ledDefault = advanced.size() > 1 ? advanced.at(1).trimmed().toInt(&ledOk) : 0;
    if (ledOk && ledDefault > 0 && device.Wired != 1 && device.Kind == 1) {
        DongleRGB rgb = State().CurrentDongleRGB.get();
        rgb.Mode = quint8(ledDefault);
        State().CurrentDongleRGB.set(rgb);
        UsbFinderC_Set4KDongleRGB(path.constData(), reinterpret_cast<const unsigned char *>(&rgb));
        if (!IsCurrent(ticket))
            return false;
        if (rgb.Mode != 0)
            emit hub()->SigRGBValue(rgb);
        if (!IsCurrent(ticket))
            return false;
    }

    bool rangeOk = false;
    const int rangeDefault = !advanced.isEmpty() ? advanced.at(0).trimmed().toInt(&rangeOk) : -1;
    if (rangeOk && (rangeDefault == 0 || rangeDefault == 1)) {
        UsbFinderC_SetLongRangeMode(path.constData(), quint8(rangeDefault));
        if (!IsCurrent(ticket))
            return false;
        emit hub()->SigLongRangeMode(rangeDefault == 1);
    }
    return IsCurrent(ticket);
}

// Runs on a device-library thread.
void handleClearDone(const Ticket &ticket)
{
    if (!IsCurrent(ticket))
        return;
    // The reset switched battery optimisation off so that the device stays awake for it.
    BatteryOptimize::SwitchOn();
    if (!applyFactoryDefaults(ticket, State().CurrentDeviceInfo.get()))
        return;
    // The full record that answers the read clears the keys and macros and must not read back the
    // receiver settings just written. The flags go first: the answer may arrive on the server's
    // thread before this call returns.
    State().ResetClearPending = 1;
    State().ResetSkipReceiverRead = 1;
    RequestFullRead();
}

// Runs on a device-library thread.
void handleVersion(const Ticket &ticket)
{
    DeviceState &s = State();
    const QByteArray path = s.CurrentDeviceInfo.get().Path.toLatin1();
    const int version = UsbFinderC_GetVersion(path.constData());
    // The library answers 0 when the mouse did not answer. Storing "v0.00" would put a version
    // on record for the model, and the home page would then skip the pairing it owes a mouse
    // whose version was never read.
    if (version == 0 || !IsCurrent(ticket))
        return;
    const QString text = FirmwareImages::FirmwareVersionText(quint32(version));
    int driveIndex = -1;
    // The version belongs to the device of this server only.
    if (!s.Selection.updateIf(ticket.Selection, [&](DeviceAllInfo &current) {
            current.MouseVersion = text;
            driveIndex = current.DriveIndex;
        }))
        return;
    const QString name = RegistryValues::MouseVerNameOfModel(driveIndex);
    emit hub()->SigSetver(0);
    RegistryValues::SetMouseVer(name, text);
}

} // namespace

// Runs on a device-library thread.
void DeviceEventCallback(const unsigned char *header, int headerLength,
                         const unsigned char *payload, int payloadLength)
{
    if (QCoreApplication::instance() &&
        QThread::currentThread() == QCoreApplication::instance()->thread()) {
        qWarning("DeviceEventCallback called on the GUI thread; event dropped");
        return;
    }
    if (payloadLength < 0 || (payloadLength > 0 && !payload))
        return;
    const auto headerByte = [&](int i) -> int {
        return header && i < headerLength ? header[i] : 0;
    };
    // Taken first: an event of a server that has been stopped or replaced since is not ours.
    const Ticket ticket = EventBegins();
    if (!ticket)
        return;
    const QByteArray data = paddedPayload(payload, payloadLength);

    switch (headerByte(1)) {
    case int(DeviceEventType::Battery):
        handleBattery(ticket, data);
        break;
    case int(DeviceEventType::DataReply):
        if (headerByte(3) == 0)
            handleDataReply(ticket, headerByte(4), data, payloadLength);
        break;
    case int(DeviceEventType::ClearDone):
        handleClearDone(ticket);
        break;
    case int(DeviceEventType::StatusChanged):
        if (!IsCurrent(ticket))
            break;
        State().StatusChangedCell.with(
            [&](StatusChangedFlags &cell) { GetDeviceStatusChanged(bytesOf(data), cell.Changed); });
        ReadChangedStatus();
        break;
    case int(DeviceEventType::ConfigReply):
        if (!IsCurrent(ticket))
            break;
        if (payloadLength == 1)
            emit hub()->SigUpDataConfigUI(4, data.at(0) & 0xFF, true);
        else
            emit hub()->SigUpDataConfigUI(0, 0, false);
        break;
    case int(DeviceEventType::VersionReply):
        handleVersion(ticket);
        break;
    case int(DeviceEventType::DongleRgbReply):
        if (IsCurrent(ticket))
            emit hub()->SigRGBValue(State().CurrentDongleRGB.get());
        break;
    case int(DeviceEventType::LongRangeReply):
        if (IsCurrent(ticket) && payloadLength == LongRangeReplyLength)
            emit hub()->SigLongRangeMode(false);
        break;
    default:
        break;
    }
}

// Runs on a device-library thread.
void ReadChangedStatus()
{
    DeviceState &s = State();
    const StatusChangedFlags flags = s.StatusChangedCell.get();
    const auto changed = [&](StatusChangedFlags::Item item) { return flags.Changed[item] != 0; };
    if (changed(StatusChangedFlags::DpiStage))
        UsbServer_ReadCurrentDPI();
    if (changed(StatusChangedFlags::ReportRate))
        UsbServer_ReadReportRate();
    if (changed(StatusChangedFlags::Battery))
        UsbServer_ReadBatteryLevel();
    if (changed(StatusChangedFlags::LedBar))
        UsbServer_ReadLedBar();
    if (changed(StatusChangedFlags::DpiLight))
        UsbServer_ReadDPILed();
    if (changed(StatusChangedFlags::Configuration)) {
        // A profile switch on the mouse reports a burst of changes; one re-read covers them.
        const bool accepted = s.ConfigRereadTimer.with([](ThrottleClock &timer) {
            if (timer.isValid() && timer.elapsed() <= ConfigRereadThrottleMs)
                return false;
            timer.start();
            return true;
        });
        if (accepted) {
            s.RereadWhenOnline = 1;
            s.RereadRequested = 1;
        }
    }
}
