#include "tests/linksupport/linkfixture.h"

#include "core/devicecache.h"
#include "core/devicestate.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/linksupport/linkbench.h"
#include "tests/linksupport/readdevice.h"
#include "tests/support/devicesetbench.h"
#include "tests/support/records.h"

namespace LinkFixture {

bool loadDevices(const QString &ini)
{
    return loadDeviceSet(ini.toUtf8());
}

QString receiverWithMouse()
{
    return QStringLiteral("[R1]\nType=Receiver\nKind=1\nVID=0x3D7A\nPID=0x1240\n"
                          "ReceiverId=0x5A, 0x35, 0x01\nVersion=0x0102\nLedMode=2\nLongRange=0\n"
                          "[M1]\nType=Mouse\nCid=12\nMid=10\nReceiver=R1\nOnline=true\n"
                          "Battery=80\nVersion=0x0105\nCableVID=0x3D7A\nCablePID=0x1201\n");
}

QByteArray receiverPath(const QString &receiver)
{
    return SimulationControl::receiverPath(receiver);
}

QByteArray cablePath(const QString &mouse)
{
    return SimulationControl::cablePath(mouse);
}

FlashDataMap storedRecord(const QString &mouse)
{
    return mouseRecord(mouse);
}

DeviceAllInfo deviceInfo(const QByteArray &path, int kind, int mid, int driveIndex)
{
    DeviceAllInfo info;
    info.Path = QString::fromLatin1(path);
    info.Vid = QStringLiteral("0x3D7A");
    info.Pid = QStringLiteral("0x1240");
    info.Cid = 12;
    info.Mid = quint8(mid);
    info.Kind = quint8(kind);
    info.Wired = DeviceAllInfo::WiredFromKind(quint8(kind));
    info.DriveIndex = driveIndex;
    info.Online = 1;
    return info;
}

bool selectDevice(const DeviceAllInfo &device)
{
    resetDeviceSide();
    DeviceState &s = *DeviceState::instance();
    s.DeviceCacheName.set(DeviceCacheFileName(device.Cid, device.Mid));
    return SelectAndReadDevice(device);
}

bool selectReceiverWithServer()
{
    return loadDevices(receiverWithMouse()) && selectDevice(deviceInfo(receiverPath(), 1));
}

int calls(const QString &operation)
{
    return int(operations({operation}).size());
}

QStringList operations(const QStringList &only)
{
    QStringList result;
    const QVector<CallLog::Call> log = SimulationControl::calls();
    for (const CallLog::Call &call : log) {
        if (only.isEmpty() || only.contains(call.operation))
            result.append(call.operation);
    }
    return result;
}

} // namespace LinkFixture
