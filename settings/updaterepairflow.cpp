// The firmware repair: the check of the failure record against the devices plugged in, the start
// of the repair, the forced repair the main window asks for, and the dialog's image lookup. The
// run itself, and the library's callback that reports on it, are in settings/repairrun.h.
#include "core/configini.h"
#include "core/connectionkind.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/updatefailinfo.h"
#include "platform/devicelib/devicelib.h"
#include "settings/repairrun.h"
#include "settings/updaterepair.h"

#include <QScopeGuard>
#include <QTimer>

namespace {

constexpr int MouseTarget = FirmwareImages::MouseTarget;
constexpr int ReceiverTarget = FirmwareImages::ReceiverTarget;
constexpr int ReceiverStage = 0;
constexpr int MouseStage = 1;

QString modelGroup(int number)
{
    return QStringLiteral("Drive%1").arg(number);
}

// The receivers listed at home by the receiver product lists of Config.ini, all four classes, or
// only the class `receiverCode` names.
int receiversListed(const QList<DeviceAllInfo> &home, int receiverCode)
{
    DeviceLists &lists = *DeviceLists::instance();
    const QStringList byClass[] = {lists.WirelessPidList.get(), lists.Wireless2PidList.get(),
                                   lists.Wireless4PidList.get(), lists.Wireless8PidList.get()};
    const int classIndex = receiverCode == 1   ? 0
                           : receiverCode == 2 ? 1
                           : receiverCode == 4 ? 2
                           : receiverCode == 8 ? 3
                                               : -1;
    int count = 0;
    for (const DeviceAllInfo &entry : home) {
        bool listed = false;
        for (int i = 0; i < 4; ++i) {
            if ((receiverCode == 0 || i == classIndex) && byClass[i].contains(entry.Pid))
                listed = true;
        }
        count += listed ? 1 : 0;
    }
    return count;
}

// A code of 1, 2, 4 or 8 names a receiver image; any other names none.
bool namesReceiverImage(int receiverCode)
{
    return !ReceiverImageKey(receiverCode).isEmpty();
}

} // namespace

bool UpDateRepair::FindFirmwareFile(int target, const QString &deviceVersion,
                                    const QString &identifier, int cid, int mid)
{
    PendingImages.clear();
    QByteArray image;
    if (!FirmwareImages::TakeFirmwareImage(target, deviceVersion, identifier, cid, mid, &image))
        return false;
    PendingImages = {image};
    return true;
}

bool UpDateRepair::RepairCheck()
{
    UpdateFailRecord record;
    if (!ReadUpdateFailRecord(&record))
        return false;
    const ConfigIni *config = ConfigIni::instance();
    RepairRun::State run = RepairRun::Shared().get();
    // Whatever the check finds is what the next start writes.
    const auto keep = qScopeGuard([&run] { RepairRun::Shared().set(run); });
    run.FailInfo = record;
    run.RepairReceiverCode = 0;
    FailTarget = record.Target;
    const QList<DeviceAllInfo> home = DeviceLists::instance()->HomeDeviceList.get();

    if (home.isEmpty()) {
        Notice(FailTarget == MouseTarget      ? MouseRepairDeviceText
               : FailTarget == ReceiverTarget ? ReceiverRepairDeviceText
                                              : NoDeviceText);
        return false;
    }
    if (home.size() >= 2) {
        int wired = 0;
        int wireless = 0;
        DeviceAllInfo lastWired;
        DeviceAllInfo lastWireless;
        for (const DeviceAllInfo &entry : home) {
            if (entry.Wired != 0) {
                ++wired;
                lastWired = entry;
            } else {
                ++wireless;
                lastWireless = entry;
            }
        }
        if (wired >= 2 ||
            (FailTarget == MouseTarget && wired == 1 && lastWired.Mid != record.Mid)) {
            Notice(WiredConflictText);
            return false;
        }
        if (wireless >= 2 ||
            (FailTarget == ReceiverTarget && wireless == 1 && lastWireless.Mid != record.Mid)) {
            Notice(WirelessConflictText);
            return false;
        }
    }

    // A receiver of the failed class that answers in normal mode counts beside the devices in
    // boot mode.
    int receiverCount = 0;
    if (FailTarget == ReceiverTarget) {
        receiverCount = receiversListed(home, 0);
        if (receiverCount == 1)
            receiverCount = namesReceiverImage(record.ReceiverCode)
                                ? receiversListed(home, record.ReceiverCode)
                                : 0;
    }
    run.RepairStage = ReceiverStage;

    if (ForcedStart != 0) {
        ImagePending = PendingImages.isEmpty() ? 0 : 1;
    } else {
        // The device that did not fail is the one listed: the failed one waits in boot mode.
        const DeviceAllInfo &first = home.first();
        if (FailTarget == ReceiverTarget && (first.Wired == 0 || first.Mid != record.Mid)) {
            Notice(ReceiverRepairDeviceText);
            return false;
        }
        if (FailTarget == MouseTarget && (first.Wired != 0 || first.Mid != record.Mid)) {
            Notice(MouseRepairDeviceText);
            return false;
        }

        const int models =
            config->intValue(QStringLiteral("Option"), QStringLiteral("DeviceTotal"));
        for (int i = 1; i <= models; ++i) {
            if (config->intValue(modelGroup(i), QStringLiteral("MID")) == record.Mid) {
                ModelSection = modelGroup(i);
                break;
            }
        }
        run.MouseImageName = config->value(ModelSection, QStringLiteral("MM"));
        if (namesReceiverImage(record.ReceiverCode)) {
            run.RepairReceiverCode = record.ReceiverCode;
            ReceiverImageName = config->value(ModelSection, ReceiverImageKey(record.ReceiverCode));
        }
        run.RepairCid = record.Cid;
        run.RepairMid = config->intValue(ModelSection, QStringLiteral("MID"));
        const bool mouseImage = FindFirmwareFile(MouseTarget, QString(), run.MouseImageName,
                                                 run.RepairCid, run.RepairMid);
        const bool receiverImage = FindFirmwareFile(ReceiverTarget, QString(), ReceiverImageName,
                                                    run.RepairCid, run.RepairMid);
        run.RepairStageCount = mouseImage && receiverImage ? 2 : 1;
        // The failed target's image is the one that waits.
        bool pending = false;
        if (FailTarget == ReceiverTarget) {
            run.FailedStage = ReceiverStage;
            pending = FindFirmwareFile(ReceiverTarget, QString(), ReceiverImageName, run.RepairCid,
                                       run.RepairMid);
        } else {
            run.FailedStage = MouseStage;
            pending = FailTarget == MouseTarget &&
                      FindFirmwareFile(MouseTarget, QString(), run.MouseImageName, run.RepairCid,
                                       run.RepairMid);
            if (FailTarget != MouseTarget)
                PendingImages.clear();
        }
        ImagePending = pending ? 1 : 0;
        RepairPrepared = true;
        ForcedImage = false;
    }

    // The library counts the devices in boot mode that the image is for; without an image there
    // is nothing to count for.
    int bootDevices = 5;
    const QByteArray image = PendingImages.value(0);
    UsbUpgradeC_FindBootDevices(
        image.isEmpty() ? nullptr : reinterpret_cast<const unsigned char *>(image.constData()),
        image.size(), &bootDevices);
    const int total = bootDevices + receiverCount;

    if (ImagePending == 0) {
        // Whatever is plugged in, nothing can be written without the image.
        Notice(NoImageText);
        return false;
    }
    if (total == 1)
        return true;
    Notice(total == 0 ? NoDeviceText : ManyDevicesText);
    DeviceState::instance()->AutoRepairRunning = 0;
    return false;
}

void UpDateRepair::StartUpgrade()
{
    const RepairRun::State run = RepairRun::Shared().get();
    if (run.RepairBusy)
        return;
    int stage = ReceiverStage;
    bool found = false;
    if (ImagePending != 0 && ForcedImage) {
        found = !PendingImages.isEmpty();
    } else if (ImagePending != 0) {
        // The receiver goes first, as in an update.
        found = FindFirmwareFile(ReceiverTarget, QString(), ReceiverImageName, run.RepairCid,
                                 run.RepairMid);
        if (!found) {
            stage = MouseStage;
            found = FindFirmwareFile(MouseTarget, QString(), run.MouseImageName, run.RepairCid,
                                     run.RepairMid);
        }
    }
    if (!found) {
        // Nothing is written, and nothing may look repaired: the record stays.
        ImagePending = 0;
        Notice(NoImageText);
        return;
    }
    ShowRunning();
    // The library gets a copy: a lookup while the image is written replaces PendingImages.
    const QByteArray image = PendingImages.value(0);
    ImagePending = RepairRun::Start(stage, image) ? 1 : 0;
    if (ImagePending != 0)
        SilenceTimer->start();
}

void UpDateRepair::StartForced(int index)
{
    Q_UNUSED(index);
    ForcedStart = 1;
    if (!RepairPrepared && !PrepareForcedRepair())
        return;
    StartUpgrade();
}

bool UpDateRepair::PrepareForcedRepair()
{
    const QList<DeviceAllInfo> home = DeviceLists::instance()->HomeDeviceList.get();
    if (home.size() != 1) {
        Notice(home.isEmpty() ? NoDeviceText : ManyDevicesText);
        return false;
    }
    // The receiver the main window examined, with the image its lookup found for it.
    const DeviceAllInfo device = home.first();
    const ConfigIni *config = ConfigIni::instance();
    RepairRun::State run = RepairRun::Shared().get();
    ModelSection = modelGroup(device.DriveIndex + 1);
    run.RepairReceiverCode = ReceiverClass(device.Kind);
    run.RepairCid = config->intValue(QStringLiteral("Option"), QStringLiteral("CID"));
    run.RepairMid = config->intValue(ModelSection, QStringLiteral("MID"));
    run.MouseImageName = config->value(ModelSection, QStringLiteral("MM"));
    ReceiverImageName = namesReceiverImage(run.RepairReceiverCode)
                            ? config->value(ModelSection, ReceiverImageKey(run.RepairReceiverCode))
                            : QString();
    run.FailInfo = {ReceiverTarget, run.RepairReceiverCode, run.RepairCid, run.RepairMid};
    run.FailedStage = ReceiverStage;
    run.RepairStageCount = 1;
    run.RepairStage = ReceiverStage;
    RepairRun::Shared().set(run);
    FailTarget = ReceiverTarget;
    ImagePending = PendingImages.isEmpty() ? 0 : 1;
    ForcedImage = true;
    RepairPrepared = true;
    return true;
}
