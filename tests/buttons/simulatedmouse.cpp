#include "tests/buttons/simulatedmouse.h"

#include "core/configini.h"
#include "core/deviceallinfo.h"
#include "core/devicestate.h"
#include "platform/devicelib/simulationcontrol.h"
#include "tests/linksupport/readdevice.h"
#include "tests/support/devicesetbench.h"

QByteArray SimulatedMouse::start(const QString &stateFolder)
{
    SimulationControl::setStateFolder(stateFolder);
    loadDeviceSet(QByteArray());
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

void SimulatedMouse::resetForTest()
{
    ConfigIni::resetForTests(QString());
    SimulationControl::setOnline(QStringLiteral("Mouse1"), true);
    SimulationControl::clearLog();
    DeviceState &state = State();
    DeviceAllInfo device;
    device.DriveIndex = 0;
    state.CurrentDeviceInfo.set(device);
    state.CurrentLanguage = 0;
    state.WriteEnabled = 0;
}
