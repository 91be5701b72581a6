#include "tests/buttons/page/simulatedmouse.h"

#include "core/deviceallinfo.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/linksupport/readdevice.h"

QByteArray SimulatedMouse::start(const QString &stateFolder)
{
    SimulationControl::setLatency(0);
    SimulationControl::setStateFolder(stateFolder);
    SimulationControl::loadBuiltInDeviceSet();
    return SimulationControl::receiverPath(QStringLiteral("Receiver1"));
}

bool SimulatedMouse::select(const QByteArray &path)
{
    DeviceAllInfo device;
    device.Path = QString::fromLatin1(path);
    device.DriveIndex = 0;
    const bool read = SelectAndReadDevice(device);
    SimulationControl::clearLog();
    return read;
}
