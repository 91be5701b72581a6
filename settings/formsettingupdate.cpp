// The firmware update engine of the settings page: the start routines of the receiver and the
// mouse, one step of the started target per tick of its check timer, the finish of a target and
// the continuation to the other, and the version labels with their new-firmware check (SetVer).
// The device library carries the upgrade out and reports to UpdateCallback (updaterun.h).
#include "core/configini.h"
#include "core/connectionkind.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "core/updatefailinfo.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "settings/formsetting.h"
#include "settings/ui_formsetting.h"
#include "settings/updaterun.h"

#include <QDir>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace {

constexpr int MouseTarget = FirmwareImages::MouseTarget;
constexpr int ReceiverTarget = FirmwareImages::ReceiverTarget;
// The transfer time-out the device library is given.
constexpr int UpgradeTimeoutMs = 10000;

// The steps of PollUpdate.
enum Step
{
    Prepare = 0,
    Start = 1,
    Started = 2,
    Running = 3,
    Finish = 4
};

QString modelGroup()
{
    return QStringLiteral("Drive%1").arg(State().CurrentDeviceInfo.get().DriveIndex + 1);
}

std::atomic<qint32> &targetState(int target)
{
    return target == MouseTarget ? State().MouseUpdateState : State().ReceiverUpdateState;
}

const unsigned char *bytesOf(const QByteArray &data)
{
    return reinterpret_cast<const unsigned char *>(data.constData());
}

// The receiver's and the mouse's version for the version labels: the receiver beside a mouse on
// its cable is the other, wireless entry of the device list.
QPair<QString, QString> versionTexts()
{
    const DeviceAllInfo current = State().CurrentDeviceInfo.get();
    if (current.Online == 0)
        return {current.UsbVersion, QString()};
    QString receiver;
    if (current.Wired == 0) {
        receiver = current.UsbVersion;
    } else {
        const QList<DeviceAllInfo> listed = DeviceLists::instance()->DevicePageList.get();
        if (listed.size() == 2) {
            for (const DeviceAllInfo &entry : listed) {
                if (!entry.ReceiverId.isEmpty() && entry.Wired == 0)
                    receiver = entry.UsbVersion;
            }
        }
    }
    return {receiver, current.MouseVersion};
}

// The version a receiver in normal mode reports itself; empty when it does not answer, which then
// lets any image for it be taken.
QString receiverVersion(const QString &path)
{
    int word = 0;
    const QByteArray path8 = path.toLocal8Bit();
    if (!UsbFinderC_GetSlaveVersion(path8.constData(), &word))
        return QString();
    return FirmwareImages::FirmwareVersionText(quint32(word));
}

} // namespace

void FormSetting::StartUpdate(int target)
{
    const bool mouse = target == MouseTarget;
    DeviceState &s = State();
    s.UpdateChecking = 1;
    UpdateStep = Prepare;
    (mouse ? MouseMarkerReason : ReceiverMarkerReason) = 0;
    (mouse ? form->toolButton_3 : form->toolButton_2)->hide();
    SetVer(mouse ? 1 : 2); // the other target's marker
    s.UpdateIdle = 0;
    (mouse ? MouseCheckTimer : DongleCheckTimer)->start();
    (mouse ? MouseUpdateRunning : ReceiverUpdateRunning) = true;
}

void FormSetting::on_Receive_clicked()
{
    State().ReceiverCode = CurrentReceiverClass();
    // One target at a time: both share the step.
    if (!ReceiverUpToDate && !MouseUpdateRunning)
        StartUpdate(ReceiverTarget);
}

void FormSetting::on_Mouse_clicked()
{
    const DeviceAllInfo current = State().CurrentDeviceInfo.get();
    if (current.Wired != 0) {
        // The mouse on the cable must be the device the page lists first.
        const QList<DeviceAllInfo> listed = DeviceLists::instance()->DevicePageList.get();
        if (listed.isEmpty() || listed.first().Wired == 0 || listed.first().Mid != current.Mid) {
            emit PostMsg::GetInstance()->SigProgress(0, 5);
            return;
        }
    }
    if (!MouseUpToDate && !ReceiverUpdateRunning)
        StartUpdate(MouseTarget);
    else if (MouseUpToDate)
        form->Receive_2->setText(UpToDateCaption);
}

void FormSetting::SlotContinue(int value)
{
    Q_UNUSED(value);
    DeviceState &s = State();
    BootCountDM = BootCountD2M = BootCountD4M = BootCountD8M = 0;
    const auto endedWell = [](int updateState) { return updateState == 2 || updateState == 4; };
    if (s.MouseFirmwareNew.load() && endedWell(s.ReceiverUpdateState.load())) {
        AutoContinue = true;
        on_Mouse_clicked();
    }
    if (s.ReceiverFirmwareNew.load() && endedWell(s.MouseUpdateState.load())) {
        AutoContinue = true;
        on_Receive_clicked();
    }
}

void FormSetting::onDongleCheckTimer()
{
    PollUpdate(UpdateStep, ReceiverTarget, form->label_5->text());
}

void FormSetting::onMouseCheckTimer()
{
    PollUpdate(UpdateStep, MouseTarget, form->label_7->text());
}

void FormSetting::PollUpdate(int step, int target, const QString &versionText)
{
    switch (step) {
    case Prepare:
        PrepareUpdate(target, versionText);
        break;
    case Start:
        StartUpgrade(target, versionText);
        break;
    case Started:
        // The target has been running since before the library was asked (step 1): an upgrade
        // that already ended keeps its result.
        UpdateStep = Running;
        break;
    case Running:
        WaitForUpgrade(target);
        break;
    case Finish:
        EndUpdate(target);
        break;
    default:
        break;
    }
}

void FormSetting::PrepareUpdate(int target, const QString &versionText)
{
    DeviceState &s = State();
    const ConfigIni *config = ConfigIni::instance();
    const QString group = modelGroup();
    const int cid = config->intValue(QStringLiteral("Option"), QStringLiteral("CID"));
    FirmwareImages::SetConfigCid(cid);
    ConfigMid = config->intValue(group, QStringLiteral("MID"));
    const int receiverCode = s.ReceiverCode.load();

    bool found = false;
    if (target == MouseTarget) {
        found = FindFirmwareFile(MouseTarget, versionText,
                                 config->value(group, QStringLiteral("MM")), cid, ConfigMid);
    } else {
        ReceiverPaths.clear();
        const QString key = ReceiverImageKey(receiverCode);
        const QString name = key.isEmpty() ? QString() : config->value(group, key);
        // Any version will do: a receiver waiting in boot mode reports none. The class-1 image is
        // looked for even when the model names none.
        if (!key.isEmpty() && (receiverCode == 1 || !name.isEmpty()))
            found = FindFirmwareFile(ReceiverTarget, QString(), name, cid, ConfigMid);
        if (found) {
            const QByteArray image = FirmwareImages::FirmwareImageList().value(0);
            int count = 0;
            UsbUpgradeC_FindBootDevices(bytesOf(image), image.size(), &count);
            int &bootCount = receiverCode == 1   ? BootCountDM
                             : receiverCode == 2 ? BootCountD2M
                             : receiverCode == 4 ? BootCountD4M
                                                 : BootCountD8M;
            bootCount = count;
        }
        const DeviceAllInfo current = s.CurrentDeviceInfo.get();
        for (const DeviceAllInfo &entry : DeviceLists::instance()->DevicePageList.get()) {
            if (entry.Wired != 0)
                continue;
            if (current.Wired != 0)
                ReceiverPaths << entry.Path;
            else if (entry.Path == current.Path)
                ReceiverPaths << current.Path;
        }
    }
    if (found || receiverCode == 0)
        UpdateStep = Start;
    else
        NothingToInstall(target);
}

void FormSetting::StartUpgrade(int target, const QString &versionText)
{
    DeviceState &s = State();
    const ConfigIni *config = ConfigIni::instance();
    const QString group = modelGroup();
    const int cid = FirmwareImages::ConfigCid();
    const int receiverCode = s.ReceiverCode.load();

    int count = 0;
    if (target == MouseTarget) {
        for (const DeviceAllInfo &entry : DeviceLists::instance()->DevicePageList.get())
            count += entry.Wired != 0 ? 1 : 0;
        count += MouseBootPending;
    } else {
        count = ReceiverPaths.size() + BootCountDM + BootCountD2M + BootCountD4M + BootCountD8M;
    }
    if (count != 1) {
        NoSingleDevice(target, count);
        return;
    }

    bool taken = false;
    if (target == MouseTarget) {
        taken = FindFirmwareFile(MouseTarget, versionText,
                                 config->value(group, QStringLiteral("MM")), cid, ConfigMid);
    } else if (BootCountDM == 1 || BootCountD2M == 1 || BootCountD4M == 1 || BootCountD8M == 1) {
        const QString key = BootCountDM == 1    ? QStringLiteral("DM")
                            : BootCountD2M == 1 ? QStringLiteral("D2M")
                            : BootCountD4M == 1 ? QStringLiteral("D4M")
                                                : QStringLiteral("D8M");
        taken =
            FindFirmwareFile(ReceiverTarget, QString(), config->value(group, key), cid, ConfigMid);
    } else if (receiverCode == 4 || receiverCode == 8 || receiverCode == 2) {
        taken =
            FindFirmwareFile(ReceiverTarget, receiverVersion(ReceiverPaths.value(0)),
                             config->value(group, ReceiverImageKey(receiverCode)), cid, ConfigMid);
    } else {
        taken = FindFirmwareFile(ReceiverTarget, versionText,
                                 config->value(group, QStringLiteral("DM")), cid, ConfigMid);
    }
    if (!taken) {
        NothingToInstall(target);
        return;
    }

    s.UpdateTarget = target;
    const QByteArray image = FirmwareImages::FirmwareImageList().value(0);
    FirmwareHeader header;
    FirmwareImages::ReadFirmwareHeader(image, &header);
    UpdateRun::Begin({FirmwareImages::FirmwareVersionText(header.Version),
                      RegistryValues::MouseVerNameOfModel(s.CurrentDeviceInfo.get().DriveIndex),
                      UpdateFailInfoText(target, receiverCode, cid, ConfigMid), QString()});
    // Running before the library is asked: its callback acts only on a running target, and the
    // whole upgrade may end before the next tick.
    targetState(target) = 1;
    if (!UsbUpgrade_Start(bytesOf(image), image.size(), &UpdateCallback, UpgradeTimeoutMs)) {
        UpdateRun::Refused();
        UpdateStep = Finish;
        return;
    }
    UpdateStep = Started;
}

void FormSetting::WaitForUpgrade(int target)
{
    if (targetState(target).load() != 1) {
        UpdateStep = Finish;
        return;
    }
    // A library that never reports again would leave the update running for good.
    if (UpdateRun::FellSilent()) {
        UpdateRun::Failed();
        UpdateStep = Finish;
    }
}

void FormSetting::EndUpdate(int target)
{
    // A failure, and a success once no stage follows, the library's callback (or the refused
    // start) reports to the dialog itself, perhaps still on its way; any other end it does not.
    const int result = targetState(target).load();
    if (result == 3 ||
        (result == 2 && (target == MouseTarget || State().UpdateStageCount.load() == 1)))
        DialogRunTold = true;
    if (target == ReceiverTarget) {
        ReceiverUpdateRunning = false;
        FinishReceiverUpdate();
    } else {
        MouseUpdateRunning = false;
        FinishMouseUpdate();
    }
    AutoContinue = false;
    DongleCheckTimer->stop();
    MouseCheckTimer->stop();
    State().UpdateChecking = 0;
    if (target == ReceiverTarget) {
        // The receiver goes first; the mouse follows on its own.
        if (MouseBootPending == 1) {
            AutoContinue = true;
            on_Mouse_clicked();
        } else {
            SlotContinue(0);
        }
    }
    EndDialogRun();
}

void FormSetting::NothingToInstall(int target)
{
    targetState(target) = 4;
    if (target == ReceiverTarget) {
        FinishReceiverUpdate();
        ReceiverUpToDate = true;
    } else {
        FinishMouseUpdate();
        MouseUpToDate = true;
    }
    UpdateStep = Finish;
}

void FormSetting::NoSingleDevice(int target, int count)
{
    targetState(target) = 0;
    const bool mouse = target == MouseTarget;
    if (mouse)
        FinishMouseUpdate();
    else
        FinishReceiverUpdate();
    const int reason = count == 0 ? 1 : 2;
    if (!AutoContinue) {
        // The user asked: the marker beside the version tells why nothing happened.
        (mouse ? form->toolButton_3 : form->toolButton_2)->show();
        (mouse ? MouseMarkerReason : ReceiverMarkerReason) = reason;
    } else {
        QString text = SeveralDevicesText;
        if (count == 0)
            text = mouse ? State().UpdateWarningText.get() : DeviceNotFoundText;
        ShowUpdateWarning(text);
        AutoContinue = false;
    }
    UpdateStep = Finish;
}

void FormSetting::FinishReceiverUpdate()
{
    DeviceState &s = State();
    s.UpdateIdle = 1;
    const int result = s.ReceiverUpdateState.load();
    if (result == 4 || result == 2) {
        form->toolButton_2->hide();
        ReceiverMarkerReason = 0;
        form->Receive_2->setStyleSheet(ConfirmStyle());
    }
    if (result == 2) {
        // A mouse still waiting in boot mode keeps its record.
        RemoveUpdateFailInfoOf(ReceiverTarget);
        s.ReceiverFirmwareNew = 0;
    }
    UpdateStep = Finish;
}

void FormSetting::FinishMouseUpdate()
{
    DeviceState &s = State();
    s.UpdateIdle = 1;
    const int result = s.MouseUpdateState.load();
    if (result == 4 || result == 2) {
        form->toolButton_3->hide();
        form->Receive_2->setStyleSheet(ConfirmStyle());
    }
    if (result == 4)
        form->Receive_2->setText(UpToDateCaption);
    if (result == 2) {
        RemoveUpdateFailInfoOf(MouseTarget);
        s.MouseFirmwareNew = 0;
    }
    UpdateStep = Finish;
}

void FormSetting::SetVer(int what)
{
    DeviceState &s = State();
    const auto showVersions = [this] {
        const QPair<QString, QString> versions = versionTexts();
        form->label_5->setText(versions.first);
        form->label_7->setText(versions.second);
    };
    const auto resetUpdate = [this] {
        form->Receive_2->setText(UpdateCaption);
        ReceiverMarkerReason = 0;
        MouseMarkerReason = 0;
        form->toolButton_2->hide();
        form->toolButton_3->hide();
        ReceiverUpToDate = false;
        MouseUpToDate = false;
        ReceiverUpdateRunning = false;
        MouseUpdateRunning = false;
    };
    switch (what) {
    case 0: {
        // The labels first: whoever the offer reaches reads the versions from them.
        showVersions();
        if (!QDir(AppDir::filePath(QStringLiteral("bin"))).exists())
            return;
        const int receiverCode = CurrentReceiverClass();
        const bool mouseNew = CheckNewFirmware(MouseTarget, form->label_7->text(), receiverCode);
        const bool receiverNew =
            CheckNewFirmware(ReceiverTarget, form->label_5->text(), receiverCode);
        s.MouseFirmwareNew = mouseNew ? 1 : 0;
        s.ReceiverFirmwareNew = receiverNew ? 1 : 0;
        const bool offered = mouseNew || receiverNew;
        form->Receive_2->setStyleSheet(offered ? WaitingStyle() : ConfirmStyle());
        emit PostMsg::GetInstance()->SigUpdateFrame(offered);
        break;
    }
    case 1:
        ReceiverMarkerReason = 0;
        form->toolButton_2->hide();
        break;
    case 2:
        MouseMarkerReason = 0;
        form->toolButton_3->hide();
        break;
    case 3:
        form->Receive_2->setText(UpdateCaption);
        break;
    case 4:
        resetUpdate();
        break;
    case 5:
        resetUpdate();
        showVersions();
        break;
    case 6:
        form->label_5->setText(QString());
        form->label_7->setText(QString());
        break;
    default:
        break;
    }
}
