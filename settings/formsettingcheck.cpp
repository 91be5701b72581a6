// The settings page's update check and its ways into the update dialog: the dialog opened on the
// check's result (a new-firmware report, the hidden update button), the check again on a hot-plug
// change, and the dialog's start.
#include "core/configini.h"
#include "core/connectionkind.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/updatefailinfo.h"
#include "platform/devicelib/devicelib.h"
#include "settings/formsetting.h"
#include "settings/ui_formsetting.h"
#include "settings/updaterepair.h"
#include "shell/dialogs/noticeframe.h"

#include <QLabel>
#include <QToolButton>

namespace {

constexpr int MouseTarget = FirmwareImages::MouseTarget;
constexpr int ReceiverTarget = FirmwareImages::ReceiverTarget;
// Where the update dialog opens, from the centre of the page.
constexpr QPoint UpdateDialogOffset{-75, -65};

} // namespace

void FormSetting::ShowCheckMessage(const QString &text)
{
    UpdateDialog->SetNoticeText(text);
    UpdateDialog->ShowNotice();
}

bool FormSetting::ChechIsUpDate()
{
    DeviceState &s = State();
    const ConfigIni *config = ConfigIni::instance();
    s.ReceiverCode = 0;
    MouseBootPending = 0;
    UpdateFailRecord record;
    const bool hasRecord = ReadUpdateFailRecord(&record);
    DriveGroup = QStringLiteral("Drive%1").arg(s.CurrentDeviceInfo.get().DriveIndex + 1);
    const QString mouseName = config->value(DriveGroup, QStringLiteral("MM"));
    const int mid = config->intValue(DriveGroup, QStringLiteral("MID"));
    const QList<DeviceAllInfo> listed = DeviceLists::instance()->DevicePageList.get();

    if (listed.size() == 2) {
        // The receiver and the mouse on its cable: an update of one or both.
        if (listed.at(0).Wired == 0 && listed.at(1).Wired == 0) {
            ShowCheckMessage(WiredDeviceMissingText);
            return false;
        }
        if (listed.at(0).Mid != listed.at(1).Mid) {
            ShowCheckMessage(DeviceMismatchText);
            return false;
        }
        for (const DeviceAllInfo &entry : listed) {
            const int receiverClass = ReceiverClass(entry.Kind);
            if (!entry.ReceiverId.isEmpty() && entry.Wired == 0 && receiverClass != 0) {
                s.ReceiverCode = receiverClass;
                ReceiverModelName = config->value(DriveGroup, ReceiverImageKey(receiverClass));
                break;
            }
        }
        if (s.ReceiverCode.load() == 0) {
            ShowCheckMessage(DeviceMismatchText);
            return false;
        }
        const int cid = FirmwareImages::ConfigCid();
        const bool receiverNew =
            FindFirmwareFile(ReceiverTarget, form->label_5->text(), ReceiverModelName, cid, mid);
        const bool mouseNew =
            FindFirmwareFile(MouseTarget, form->label_7->text(), mouseName, cid, mid);
        s.MouseFirmwareNew = mouseNew ? 1 : 0;
        if (receiverNew || mouseNew) {
            s.UpdateStageCount = receiverNew && mouseNew ? 2 : 1;
            return true;
        }
        ShowCheckMessage(UpToDateCaption);
        ReceiverUpToDate = true;
        return false;
    }

    if (listed.size() > 2) {
        int wired = 0;
        for (const DeviceAllInfo &entry : listed)
            wired += entry.Wired != 0 ? 1 : 0;
        if (listed.size() - wired >= 2)
            UpdateDialog->SetNoticeText(SeveralReceiversText);
        if (wired >= 2)
            UpdateDialog->SetNoticeText(SeveralWiredText);
        UpdateDialog->ShowNotice();
        return false;
    }

    if (listed.isEmpty()) {
        ShowCheckMessage(NoMatchingDeviceText);
        return false;
    }

    // One device: a repair of what an earlier update left half-written. The device that failed
    // waits in boot mode, unlisted; the other one is this entry.
    const DeviceAllInfo entry = listed.first();
    if (!hasRecord) {
        ShowCheckMessage(entry.Wired != 0 ? DeviceMismatchText : WiredDeviceMissingText);
        return false;
    }
    if (record.Target == ReceiverTarget) {
        if (entry.Wired == 0 || entry.Mid != record.Mid) {
            ShowCheckMessage(WiredDeviceMissingText);
            return false;
        }
    } else if (record.Target == MouseTarget) {
        MouseBootPending = 1;
        if (entry.Wired != 0 || entry.Mid != record.Mid) {
            ShowCheckMessage(DeviceMismatchText);
            return false;
        }
    } else {
        ShowCheckMessage(NoMatchingDeviceText);
        return false;
    }
    const QString receiverKey = ReceiverImageKey(record.ReceiverCode);
    if (!receiverKey.isEmpty()) {
        s.ReceiverCode = record.ReceiverCode;
        RepairReceiverModelName = config->value(DriveGroup, receiverKey);
    }
    if (entry.Cid != record.Cid) {
        ShowCheckMessage(NoMatchingDeviceText);
        return false;
    }

    // Any version will do: the device in boot mode reports none.
    const bool failedImage =
        record.Target == MouseTarget
            ? FindFirmwareFile(MouseTarget, QString(), mouseName, record.Cid, mid)
            : FindFirmwareFile(ReceiverTarget, QString(), RepairReceiverModelName, record.Cid, mid);
    if (!failedImage) {
        // Without the image there is nothing to count the waiting devices for.
        ShowCheckMessage(UpdateDialog->NoImageText);
        return false;
    }
    int bootDevices = 5;
    const QByteArray image = FirmwareImages::FirmwareImageList().value(0);
    UsbUpgradeC_FindBootDevices(reinterpret_cast<const unsigned char *>(image.constData()),
                                image.size(), &bootDevices);
    if (bootDevices == 0) {
        ShowCheckMessage(DeviceNotFoundText);
        return false;
    }
    if (bootDevices != 1) {
        ShowCheckMessage(SeveralDevicesText);
        return false;
    }
    // The device that did not fail may take its own update after the repair.
    const int cid = FirmwareImages::ConfigCid();
    const bool otherImage =
        record.Target == ReceiverTarget
            ? FindFirmwareFile(MouseTarget, form->label_7->text(), mouseName, cid, mid)
            : FindFirmwareFile(ReceiverTarget, form->label_5->text(), RepairReceiverModelName, cid,
                               mid);
    s.UpdateStageCount = otherImage ? 2 : 1;
    return true;
}

bool FormSetting::UpdateUnderWay() const
{
    return DialogRun || ReceiverUpdateRunning || MouseUpdateRunning ||
           State().UpdateChecking.load() != 0 || UpDateRepair::ImageBeingWritten() ||
           State().AutoRepairRunning.load() != 0;
}

void FormSetting::OpenUpdateDialog()
{
    if (form->Receive_2->text() == UpToDateCaption || UpdateUnderWay())
        return;
    ReceiverUpToDate = false;
    NoticeFrame::place(UpdateDialog, this, UpdateDialogOffset);
    UpdateDialog->setModal(true);
    UpdateDialog->ResetUi();
    if (ChechIsUpDate()) {
        UpdateDialog->ShowReady();
        UpdateDialog->show();
    } else if (ReceiverUpToDate) {
        form->Receive_2->setText(UpToDateCaption);
        UpdateDialog->hide();
    } else {
        // The check's message says why nothing can start.
        UpdateDialog->show();
    }
}

void FormSetting::SlotUpdateFrame(bool show)
{
    if (show)
        OpenUpdateDialog();
    else if (!UpdateUnderWay())
        UpdateDialog->hide();
}

void FormSetting::on_Receive_2_clicked()
{
    OpenUpdateDialog();
}

void FormSetting::SlotCheckUpdate()
{
    if (UpdateUnderWay())
        return;
    if (ChechIsUpDate())
        UpdateDialog->ShowReady();
}

void FormSetting::EndDialogRun()
{
    if (!DialogRun || ReceiverUpdateRunning || MouseUpdateRunning)
        return;
    DialogRun = false;
    if (!DialogRunTold)
        emit PostMsg::GetInstance()->SigProgress(0, 1);
}

void FormSetting::on_Start()
{
    DeviceState &s = State();
    DialogRun = true;
    DialogRunTold = false;
    BootCountDM = BootCountD2M = BootCountD4M = BootCountD8M = 0;
    UpdateDialog->ShowRunning();
    const int mid = ConfigIni::instance()->intValue(DriveGroup, QStringLiteral("MID"));
    // An image for the receiver named by a failure record: the receiver waits in boot mode.
    const bool receiverImage =
        FindFirmwareFile(ReceiverTarget, form->label_5->text(), RepairReceiverModelName,
                         FirmwareImages::ConfigCid(), mid);
    if (!receiverImage && MouseBootPending == 1) {
        AutoContinue = true;
        on_Mouse_clicked();
    } else if (s.ReceiverUpdateState.load() != 1 && s.MouseUpdateState.load() != 1 &&
               !MouseUpdateRunning && !ReceiverUpToDate) {
        StartUpdate(ReceiverTarget);
    } else if (ReceiverUpToDate) {
        form->Receive_2->setStyleSheet(ConfirmStyle());
        SlotContinue(0);
    }
    // Nothing may have started at all.
    EndDialogRun();
}
