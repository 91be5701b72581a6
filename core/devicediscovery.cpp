#include "core/devicediscovery.h"

#include "core/configini.h"
#include "core/connectionkind.h"
#include "core/deviceanswers.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/hotplug.h"
#include "core/worker.h"
#include "platform/devicelib/devicelib.h"

#include <QtEndian>

#include <new>

namespace {

// The library answers a freshly plugged device with zeros for a while; ten calls with no pause
// are what installations have always allowed it, and only the first nine replies are examined.
constexpr int IdentifyCalls = 10;
constexpr int EnumerationCapacity = 5;
constexpr int UsbVersionOffset = 8;

DeviceLists &lists()
{
    return *DeviceLists::instance();
}

struct IdentityReply
{
    bool Identified = false;
    quint8 Cid = 0;
    quint8 Mid = 0;
    quint8 Kind = 0;
};

IdentityReply readIdentity(const QByteArray &path)
{
    IdentityReply result;
    for (int call = 1; call <= IdentifyCalls; ++call) {
        const UsbDeviceInfo reply = UsbFinderC_GetDeviceInfo(path.constData());
        result.Kind = reply.Kind;
        if (call < IdentifyCalls && (reply.Cid != 0 || reply.Mid != 0)) {
            result.Identified = true;
            result.Cid = reply.Cid;
            result.Mid = reply.Mid;
            break;
        }
    }
    return result;
}

int deviceTotal()
{
    return ConfigIni::instance()->intValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"));
}

int configuredCid()
{
    return ConfigIni::instance()->intValue(QStringLiteral("Option"), QStringLiteral("CID"));
}

// The model index (N - 1 of the matching Drive<N>), or -1.
int findModel(const IdentityReply &reply)
{
    if (configuredCid() != reply.Cid)
        return -1;
    const int total = deviceTotal();
    for (int n = 1; n <= total; ++n) {
        if (ConfigIni::instance()->intValue(QStringLiteral("Drive%1").arg(n),
                                            QStringLiteral("MID")) == reply.Mid)
            return n - 1;
    }
    return -1;
}

// A device of no configured model still keeps the kind byte it reported, so that its tile shows
// the badge and connection its own kind gives; the default kind 0 would pass any such device off
// as a 1 kHz receiver.
void takeUnknownModel(DeviceAllInfo &record, const IdentityReply &reply, int total)
{
    record.Kind = reply.Kind;
    record.Wired = DeviceAllInfo::WiredFromKind(reply.Kind);
    record.DriveIndex = total;
}

void takeModel(DeviceAllInfo &record, const IdentityReply &reply, int model)
{
    record.Cid = reply.Cid;
    record.Mid = reply.Mid;
    record.Kind = reply.Kind;
    record.DriveIndex = model;
    record.Wired = DeviceAllInfo::WiredFromKind(reply.Kind);
}

// The online state with the receiver identifier. A device that does not answer leaves the
// library's output untouched, so the status starts zeroed: stale bytes of another device must not
// make this one look online.
OnlineStatus readOnlineStatus(const QByteArray &path)
{
    OnlineStatus status{};
    UsbFinderC_GetDeviceOnLineWithUsbAddress(path.constData(), status.Bytes);
    return status;
}

QString usbVersion(const QByteArray &path)
{
    unsigned char attribute[UsbDeviceAttributeSize] = {};
    UsbFinderC_GetUsbDeviceAttribute(path.constData(), attribute);
    return FirmwareImages::FirmwareVersionText(
        qFromLittleEndian<quint16>(attribute + UsbVersionOffset));
}

// Every device found for each vendor and product pair, in that order, as a fresh record.
template <typename Find, typename Take>
void enumerate(const QStringList &vids, const QStringList &pids, Find find, Take take)
{
    for (const QString &vid : vids) {
        for (const QString &pid : pids) {
            int count = EnumerationCapacity;
            const char *const *paths = find(vid.toLatin1(), pid.toLatin1(), &count);
            for (int i = 0; paths && i < count; ++i) {
                if (!paths[i])
                    continue;
                const QByteArray path(paths[i]);
                DeviceAllInfo record;
                record.Path = QString::fromLatin1(path);
                record.Vid = vid;
                record.Pid = pid;
                record.UsbVersion = usbVersion(path);
                record.Online = 0;
                take(record, path);
            }
        }
    }
}

void replaceHomeEntry(int i, const DeviceAllInfo &record)
{
    lists().HomeDeviceList.with([&](QList<DeviceAllInfo> &list) {
        if (i < list.size())
            list[i] = record;
    });
    lists().HomeDeviceMirror.with([&](QList<DeviceAllInfo> &list) {
        if (i < list.size())
            list[i] = record;
    });
}

bool homeEntry(int i, DeviceAllInfo *record)
{
    return lists().HomeDeviceList.with([&](const QList<DeviceAllInfo> &list) {
        if (i < 0 || i >= list.size())
            return false;
        *record = list.at(i);
        return true;
    });
}

} // namespace

DeviceLists *DeviceLists::instance()
{
    // Never freed: a library thread may still read DevicePageList while the process exits.
    static DeviceLists *const lists = new DeviceLists;
    return lists;
}

void DeviceLists::ResetForTest()
{
    DeviceLists *lists = instance();
    lists->~DeviceLists();
    new (lists) DeviceLists;
}

int CurrentReceiverClass()
{
    const DeviceAllInfo current = State().CurrentDeviceInfo.get();
    if (current.Wired == 0)
        return ReceiverClass(current.Kind);
    const QList<DeviceAllInfo> listed = lists().DevicePageList.get();
    if (listed.size() != 2)
        return 0;
    for (const DeviceAllInfo &entry : listed) {
        if (!entry.ReceiverId.isEmpty() && entry.Wired == 0 && ReceiverClass(entry.Kind) != 0)
            return ReceiverClass(entry.Kind);
    }
    return 0;
}

QStringList ConfiguredVendorIds()
{
    return ConfigIni::instance()->valueList(QStringLiteral("Option"), QStringLiteral("VID"));
}

QStringList ConfiguredProductIds()
{
    QStringList pids;
    for (const char *key :
         {"USB_PID", "Wireless_PID", "Wireless2_PID", "Wireless4_PID", "Wireless8_PID"}) {
        const QStringList list =
            ConfigIni::instance()->valueList(QStringLiteral("Option"), QString::fromLatin1(key));
        for (const QString &pid : list) {
            if (!pid.isEmpty())
                pids.append(pid);
        }
    }
    return pids;
}

bool IdentifyDevice(DeviceAllInfo &record)
{
    const QByteArray path = record.Path.toLatin1();
    const IdentityReply reply = readIdentity(path);
    const int total = deviceTotal();
    if (!reply.Identified) {
        takeUnknownModel(record, reply, total);
        return true;
    }
    const int model = findModel(reply);
    if (model >= 0) {
        takeModel(record, reply, model);
        if (DeviceAnswers(path))
            record.Online = 1;
        return true;
    }
    if (total < 1)
        return false;
    takeUnknownModel(record, reply, total);
    return true;
}

void EnumerateHomeDevices(const QStringList &vids, const QStringList &pids)
{
    enumerate(
        vids, pids,
        [](const QByteArray &vid, const QByteArray &pid, int *count) {
            return UsbFinderC_FindHidDevicesByDefaultDeviceId(vid.constData(), pid.constData(),
                                                              count);
        },
        [](DeviceAllInfo &record, const QByteArray &) {
            if (!IdentifyDevice(record))
                return;
            lists().HomeDeviceList.with([&](QList<DeviceAllInfo> &list) { list.append(record); });
            lists().HomeDeviceMirror.with([&](QList<DeviceAllInfo> &list) { list.append(record); });
        });
}

int IdentifyListedDevice(DeviceAllInfo &record, const QByteArray &path)
{
    const IdentityReply reply = readIdentity(path);
    const int total = deviceTotal();
    if (!reply.Identified) {
        takeUnknownModel(record, reply, total);
        return 0;
    }
    const int model = findModel(reply);
    if (model < 0) {
        if (total < 1)
            return 0;
        takeUnknownModel(record, reply, total);
        return configuredCid() == reply.Cid ? 2 : 3;
    }

    takeModel(record, reply, model);
    DeviceState &s = State();
    if (s.CurrentDeviceInfo.get().Path.isEmpty()) {
        if (DeviceAnswers(path))
            record.Online = 1;
        return 1;
    }
    record.ReceiverId.clear();
    const OnlineStatus status = readOnlineStatus(path);
    s.DeviceOnlineStatusCell.set(status);
    record.Online = status.online() ? 1 : 0;
    record.ReceiverId = status.receiverId();
    s.CurrentDeviceInfo.with([&](DeviceAllInfo &current) {
        if (record.Path != current.Path)
            return;
        // The versions were read from the device itself; the enumeration knows less.
        const QString mouseVersion = current.MouseVersion;
        const QString usbVersion = current.UsbVersion;
        current = record;
        if (!mouseVersion.isEmpty())
            current.MouseVersion = mouseVersion;
        if (!usbVersion.isEmpty())
            current.UsbVersion = usbVersion;
    });
    return 1;
}

void EnumerateDevicePageDevices(const QStringList &vids, const QStringList &pids)
{
    enumerate(
        vids, pids,
        [](const QByteArray &vid, const QByteArray &pid, int *count) {
            return UsbFinderC_FindHidDevicesByDeviceId(vid.constData(), pid.constData(), 1, 5,
                                                       count);
        },
        [](DeviceAllInfo &record, const QByteArray &path) {
            DeviceState &s = State();
            bool listed = true;
            if (!s.CurrentDeviceInfo.get().Path.isEmpty()) {
                const int result = IdentifyListedDevice(record, path);
                if (result == 1) {
                    const DeviceAllInfo current = s.CurrentDeviceInfo.get();
                    listed = record.DriveIndex == current.DriveIndex;
                    if (listed && record.Path == current.Path)
                        s.DevicePath.set(path);
                }
            }
            if (listed)
                lists().DevicePageList.with(
                    [&](QList<DeviceAllInfo> &list) { list.append(record); });
        });
}

bool RefreshDeviceState(int i)
{
    DeviceAllInfo record;
    if (!homeEntry(i, &record))
        return false;
    record.Online = 0;
    const OnlineStatus status = readOnlineStatus(record.Path.toLatin1());
    State().HomeOnlineStatusCell.set(status);
    record.Online = status.online() ? 1 : 0;
    record.ReceiverId = status.receiverId();
    replaceHomeEntry(i, record);
    return status.Bytes[7] != 0 || status.Bytes[8] != 0 || status.Bytes[9] != 0;
}

bool UpdateDeviceTile(int i)
{
    DeviceAllInfo record;
    if (!homeEntry(i, &record))
        return true;
    record.Online = 0;
    const OnlineStatus status = readOnlineStatus(record.Path.toLatin1());
    State().HomeOnlineStatusCell.set(status);
    IdentifyDevice(record);
    record.Online = status.online() ? 1 : 0;
    record.ReceiverId = status.receiverId();
    replaceHomeEntry(i, record);

    const HotPlugHooks &hooks = HotPlugHooksInstance();
    if (hooks.StyleDeviceTile) {
        HotPlugHooks::TileLook look = HotPlugHooks::TileLook::Offline;
        if (record.DriveIndex == deviceTotal())
            look = HotPlugHooks::TileLook::Unknown;
        else if (record.Online == 1)
            look = HotPlugHooks::TileLook::Online;
        hooks.StyleDeviceTile(i, look);
    }
    return true;
}

void SelectOnlineDevice(const DeviceAllInfo &record)
{
    const QByteArray path = record.Path.toLatin1();
    if (DeviceAnswers(path))
        State().Selection.select(record);
    StartWorkerPass();
}
