// A click on a device tile of the home page: open the device, or lead into pairing or a firmware
// notice when the device cannot be opened as it is.
#include "core/configini.h"
#include "core/connectionkind.h"
#include "core/deviceanswers.h"
#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/worker.h"
#include "platform/appdir.h"
#include "platform/sleep.h"
#include "settings/formsetting.h"
#include "settings/match.h"
#include "settings/updaterepair.h"
#include "shell/dialogchange.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/dialogs/repair.h"
#include "shell/dialogs/updatewarning.h"
#include "shell/firmwareoffer.h"
#include "shell/mytoolbuttonenter.h"

#include <QDir>

namespace {

bool answers(const DeviceAllInfo &entry)
{
    return DeviceAnswers(entry.Path.toLocal8Bit());
}

// Two listed entries of one model where the clicked one is asleep and the other answers: the
// mouse was paired with the other receiver.
bool isOfflineTwin(const QList<DeviceAllInfo> &listed, int number)
{
    if (listed.size() != 2)
        return false;
    const DeviceAllInfo &clicked = listed.at(number);
    const DeviceAllInfo &other = listed.at(1 - number);
    if (clicked.Cid != other.Cid || clicked.Mid != other.Mid)
        return false;
    // Entry 0 is asked first; entry 1 only while the answer still allows the twin case.
    const bool firstOnline = answers(listed.at(0));
    if (firstOnline == (number == 0))
        return false;
    const bool secondOnline = answers(listed.at(1));
    return secondOnline == (number == 0);
}

} // namespace

void DialogChange::slotButtonClicked()
{
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigSetver(6);

    const QList<DeviceAllInfo> listed = DeviceLists::instance()->HomeDeviceList.get();
    const int number = sender() ? mytoolButtonEnter::TileNumber(sender()->objectName()) : 0;
    // The list may have changed since the tiles were built; such a click names no device.
    if (number < 0 || number >= listed.size())
        return;
    const DeviceAllInfo entry = listed.at(number);
    const int mid =
        ConfigIni::instance()->intValue(ModelGroup(entry.DriveIndex), QStringLiteral("MID"));
    if (mid == 11)
        emit hub->SigMouseIndex(1);
    emit hub->SigMouseIndex(0);

    const bool unknown = entry.DriveIndex >= ModelCount || entry.DriveIndex < 0;
    if (isOfflineTwin(listed, number)) {
        // A continuing decision goes on as any other click would: an unrecognised entry still
        // opens nothing.
        if (decideForEntry(entry) && !unknown)
            selectDevice(entry);
    } else if (unknown) {
        if (entry.Wired == 0)
            decideForEntry(entry);
    } else {
        selectDevice(entry);
    }
}

bool DialogChange::decideForEntry(const DeviceAllInfo &entry)
{
    UpDateRepair repair;
    NoticeFrame::place(&repair, this, QPoint(0, 0));
    const FirmwareOffer offer =
        CheckFirmwareOffer(entry, DecisionReceiverImageKey(ReceiverClass(entry.Kind)), repair);
    if (offer.MouseVersion.isEmpty()) {
        openPairing(entry);
        return false;
    }
    if (offer.MouseImage == offer.ReceiverImage) {
        RePair question;
        NoticeFrame::place(&question, this, NoticeOffset::RePair);
        question.exec();
        if (question.Confirmed)
            openPairing(entry);
        return false;
    }
    if (offer.MouseImage) {
        UpDateWarning warning;
        warning.SetText(State().UpdateWarningText.get());
        NoticeFrame::place(&warning, this, NoticeOffset::UpDateWarning);
        warning.exec();
        return false;
    }
    return true;
}

void DialogChange::openPairing(const DeviceAllInfo &entry)
{
    State().PairDeviceSet = 1;
    State().PairDeviceInfo.set(entry);
    Match pairing;
    pairing.PrepareMatch();
    NoticeFrame::place(&pairing, this, QPoint(0, 0));
    pairing.exec();
}

void DialogChange::selectDevice(const DeviceAllInfo &entry)
{
    DeviceState &s = State();
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigSelectMouseInfo(entry);
    // The first pass reaches the device through DevicePath: it must name this device, not the one
    // opened before (whose record would otherwise be read and cached under this device's name).
    s.DevicePath.set(entry.Path.toLocal8Bit());

    const int receiverClass = ReceiverClass(entry.Kind);
    QString flag;
    if (QDir(AppDir::filePath(QStringLiteral("bin"))).exists()) {
        const bool offered = FormSetting::CheckNewFirmware(FirmwareImages::ReceiverTarget,
                                                           entry.UsbVersion, receiverClass);
        s.ReceiverFirmwareNew = offered ? 1 : 0;
        if (offered)
            flag = QStringLiteral("true");
    }
    emit hub->SigLabelTextB(entry.UsbVersion, flag);
    emit hub->SigChangeMainDialog(1);
    Sleep(150);
    s.OnDevicePage = 1;
    StartWorkerPass();
}
