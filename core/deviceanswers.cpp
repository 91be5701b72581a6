#include "core/deviceanswers.h"

#include "core/devicestate.h"
#include "platform/devicelib/devicelib.h"

bool DeviceAnswers(const QByteArray &path)
{
    return UsbFinderC_GetDeviceOnLine(path.constData());
}

bool SelectedDeviceAnswers()
{
    return DeviceAnswers(DeviceState::instance()->DevicePath.get());
}
