#include "core/hotplug.h"

#include "core/configini.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/updatefailinfo.h"
#include "platform/appdir.h"

#include <QDir>
#include <QMetaObject>

namespace {

DeviceLists &lists()
{
    return *DeviceLists::instance();
}

// Both handlings touch widgets and the device state the pages read, so they run on the GUI
// thread whatever thread the library called from. Handed to the hub, which lives on the GUI
// thread and is never destroyed: a notice that comes while the program ends finds it still there.
void handOverToGui(void (*handle)())
{
    QMetaObject::invokeMethod(PostMsg::GetInstance(), handle, Qt::QueuedConnection);
}

bool updateDialogVisible()
{
    const HotPlugHooks &hooks = HotPlugHooksInstance();
    return hooks.UpdateDialogVisible && hooks.UpdateDialogVisible();
}

bool sameReceiver(const QList<quint8> &a, const QList<quint8> &b)
{
    return a.size() >= 3 && b.size() >= 3 && a.at(0) == b.at(0) && a.at(1) == b.at(1) &&
           a.at(2) == b.at(2);
}

// The current device is on its receiver and this entry is the same mouse (same model, paired to
// the same receiver) answering on its cable.
bool isCableOfCurrentMouse(const DeviceAllInfo &entry, const DeviceAllInfo &current)
{
    return !current.Path.isEmpty() && entry.DriveIndex == current.DriveIndex && entry.Wired == 1 &&
           entry.Online == 1 && current.Wired == 0 &&
           sameReceiver(entry.ReceiverId, current.ReceiverId);
}

// With the mouse on its cable the receiver sits beside it as the other of two entries: its
// version and class tell which receiver image applies.
void checkFirmwareForCableMouse(const QList<DeviceAllInfo> &list)
{
    DeviceState &s = State();
    const DeviceAllInfo current = s.CurrentDeviceInfo.get();
    QString receiverVersion;
    if (list.size() == 2) {
        for (const DeviceAllInfo &entry : list) {
            if (!entry.ReceiverId.isEmpty() && entry.Wired == 0) {
                receiverVersion = entry.UsbVersion;
                break;
            }
        }
    }
    const int receiverClass = CurrentReceiverClass();
    if (!QDir(AppDir::filePath(QStringLiteral("bin"))).exists()) {
        emit PostMsg::GetInstance()->SigLabelTextB(receiverVersion, QString());
        return;
    }
    const bool receiverNew = FirmwareImages::CheckNewFirmware(
        FirmwareImages::ReceiverTarget, receiverVersion, receiverClass, current.DriveIndex);
    const bool mouseNew = FirmwareImages::CheckNewFirmware(
        FirmwareImages::MouseTarget, current.MouseVersion, receiverClass, current.DriveIndex);
    DeviceState::instance()->ReceiverFirmwareNew = receiverNew ? 1 : 0;
    DeviceState::instance()->MouseFirmwareNew = mouseNew ? 1 : 0;
    emit PostMsg::GetInstance()->SigLabelTextB(
        receiverVersion, receiverNew || mouseNew ? QStringLiteral("true") : QString());
}

} // namespace

HotPlugHooks &HotPlugHooksInstance()
{
    static HotPlugHooks hooks;
    return hooks;
}

// Runs on a device-library thread.
void HomeUsbChanged()
{
    handOverToGui(HandleHomeUsbChanged);
}

// Runs on a device-library thread.
void DeviceUsbChanged()
{
    handOverToGui(HandleDeviceUsbChanged);
}

void HandleHomeUsbChanged()
{
    const HotPlugHooks &hooks = HotPlugHooksInstance();
    if (hooks.ShowRepairState)
        hooks.ShowRepairState(RepairOffered());

    const QStringList vids = ConfiguredVendorIds();
    lists().HomeDeviceList.set({});
    lists().HomeDeviceMirror.set({});
    const ConfigIni *config = ConfigIni::instance();
    const QString option = QStringLiteral("Option");
    lists().WirelessPidList.set(config->valueList(option, QStringLiteral("Wireless_PID")));
    lists().Wireless2PidList.set(config->valueList(option, QStringLiteral("Wireless2_PID")));
    lists().Wireless4PidList.set(config->valueList(option, QStringLiteral("Wireless4_PID")));
    lists().Wireless8PidList.set(config->valueList(option, QStringLiteral("Wireless8_PID")));
    const QStringList pids = ConfiguredProductIds();
    lists().AllPidList.set(pids);

    EnumerateHomeDevices(vids, pids);
    if (hooks.BuildDeviceTiles)
        hooks.BuildDeviceTiles();
    if (updateDialogVisible() && State().AutoRepairRunning.load() == 0)
        emit PostMsg::GetInstance()->SigRepairCheckUpdate();
}

void HandleDeviceUsbChanged()
{
    DeviceState &s = State();
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigSetver(4);

    const QStringList vids = ConfiguredVendorIds();
    lists().DevicePageList.set({});
    EnumerateDevicePageDevices(vids, ConfiguredProductIds());
    const QList<DeviceAllInfo> list = lists().DevicePageList.get();

    if (list.isEmpty()) {
        if (s.UpdateIdle.load() == 1) {
            s.CurrentDeviceInfo.set(DeviceAllInfo());
            emit hub->SigChangeMainDialog(0);
        }
    } else {
        for (const DeviceAllInfo &entry : list) {
            if (isCableOfCurrentMouse(entry, s.CurrentDeviceInfo.get()))
                SelectOnlineDevice(entry);
        }
        // The current device is gone when its path is not listed; asked after a switch to the
        // cable, so that the receiver listed beside the cable does not count as the current
        // device's absence. Without a current device nothing is gone. A firmware update restarts
        // the device in boot mode, which must not end the device page.
        const QString currentPath = s.CurrentDeviceInfo.get().Path;
        bool listed = false;
        for (const DeviceAllInfo &entry : list)
            listed = listed || entry.Path == currentPath;
        if (!currentPath.isEmpty() && !listed && s.UpdateIdle.load() == 1)
            emit hub->SigChangeMainDialog(0);

        if (s.CurrentDeviceInfo.get().Wired == 1)
            checkFirmwareForCableMouse(list);
    }

    if (updateDialogVisible() && s.UpdateChecking.load() == 0)
        emit hub->SigCheckUpdate();
}
