#include "settings/repairrun.h"

#include "core/devicediscovery.h"
#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "core/updatefailinfo.h"
#include "platform/devicelib/devicelib.h"
#include "settings/upgradewatchdog.h"

namespace {

constexpr int ReceiverStage = 0;
constexpr int MouseStage = 1;
// The transfer time-out the device library is given.
constexpr int UpgradeTimeoutMs = 10000;

// Fed and checked under Shared()'s lock, so that a late message and the silence check cannot both
// end the same stage.
UpgradeWatchdog watchdog;

const unsigned char *bytesOf(const QByteArray &data)
{
    return reinterpret_cast<const unsigned char *>(data.constData());
}

QString failureRecord(const RepairRun::State &s)
{
    const int target = s.RepairStage == ReceiverStage ? FirmwareImages::ReceiverTarget
                                                      : FirmwareImages::MouseTarget;
    return UpdateFailInfoText(target, s.RepairReceiverCode, s.RepairCid, s.RepairMid);
}

// The flags go back before the dialogs hear of the end: a dialog that shows the end must find
// itself closable.
void endRun()
{
    RepairRun::Shared().with([](RepairRun::State &s) { s.RepairBusy = false; });
    ::State().AutoRepairRunning = 0;
    ::State().UpdateIdle = 1;
}

// A record of the other device, still waiting in boot mode, keeps Repair offered.
void showDone()
{
    endRun();
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigAutoRepair(0);
    emit hub->SigUpDateButton(!HasUpdateFailRecord());
    emit hub->SigProgress(0, 2);
}

// The home page offers Repair as long as a failure record remains.
void showFailure()
{
    endRun();
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigAutoRepair(1);
    emit hub->SigUpDateButton(!HasUpdateFailRecord());
    emit hub->SigProgress(0, 6);
}

// The mouse of the repaired model plugged in by its cable.
bool mouseOnCable(int mid)
{
    for (const DeviceAllInfo &entry : DeviceLists::instance()->HomeDeviceList.get()) {
        if (entry.Wired != 0 && entry.Mid == quint8(mid))
            return true;
    }
    return false;
}

// Takes the message for the running repair: false when none runs (a stage the silence check
// already ended, or no repair at all).
bool claim(RepairRun::State *s)
{
    return RepairRun::Shared().with([s](RepairRun::State &shared) {
        if (!shared.RepairBusy)
            return false;
        watchdog.feed();
        *s = shared;
        return true;
    });
}

void progress(const RepairRun::State &s, int percent)
{
    int value = percent;
    if (s.RepairStageCount == 2)
        value = percent / 2 + (s.RepairStage == MouseStage ? 50 : 0);
    emit PostMsg::GetInstance()->SigAutoRepairProgress(value);
}

// The stage Shared() names: its record is written before the library is asked, and what it
// replaced is kept for the stage's end. False, with the replaced record back, when the library
// refuses the image. Runs on the GUI thread, or on the upgrade thread for the mouse stage.
bool startStage(const QByteArray &image)
{
    const QString replaced = ArmUpdateFailInfo(failureRecord(RepairRun::Shared().get()));
    RepairRun::Shared().with([&replaced](RepairRun::State &s) { s.ReplacedRecord = replaced; });
    if (UsbUpgrade_Start(bytesOf(image), image.size(), &RepairCallback, UpgradeTimeoutMs))
        return true;
    RestoreUpdateFailInfo(replaced);
    return false;
}

// Runs on the upgrade thread.
void stageDone(const RepairRun::State &s)
{
    // Settled before anyone is told: the home page reads the record when the repaired device
    // comes back. A record of the other device, which this stage replaced, comes back.
    UpgradeSucceeded(failureRecord(s), s.ReplacedRecord);
    if (s.RepairStage == ReceiverStage) {
        RepairRun::Shared().with([](RepairRun::State &shared) { shared.RepairStage = MouseStage; });
        QByteArray image;
        const bool found =
            FirmwareImages::TakeFirmwareImage(FirmwareImages::MouseTarget, QString(),
                                              s.MouseImageName, s.RepairCid, s.RepairMid, &image);
        const bool reachable = s.FailedStage == MouseStage || mouseOnCable(s.RepairMid);
        if (found && reachable) {
            // The repair stays busy: the mouse stage follows at once.
            if (!startStage(image))
                showFailure();
            return;
        }
        if (s.FailedStage == MouseStage) {
            // The mouse the record names has no image: it waits in boot mode as before, which is
            // no repair.
            showFailure();
            return;
        }
    }
    showDone();
}

// Runs on the upgrade thread. Written before the failure is shown: whoever shows it may look for
// the record at once.
void stageFailed(const RepairRun::State &s)
{
    RegistryValues::SetUpdateFailInfo(failureRecord(s));
    showFailure();
}

} // namespace

namespace RepairRun {

Locked<State> &Shared()
{
    // Never destroyed: the library's upgrade thread may still report while the process exits.
    static auto *state = new Locked<State>;
    return *state;
}

bool Busy()
{
    return Shared().get().RepairBusy;
}

int SilenceLimitMs()
{
    return int(watchdog.limitMs());
}

void SetSilenceLimitMsForTest(int milliseconds)
{
    watchdog.setLimitMsForTest(milliseconds);
}

bool Start(int stage, const QByteArray &image)
{
    Shared().with([stage](State &s) {
        s.RepairStage = stage;
        s.RepairBusy = true;
        watchdog.feed();
    });
    ::State().AutoRepairRunning = 1;
    ::State().UpdateIdle = 0;
    if (startStage(image))
        return true;
    showFailure();
    return false;
}

bool GiveUpWhenSilent()
{
    State s;
    const bool silent = Shared().with([&s](State &shared) {
        if (!shared.RepairBusy || !watchdog.expired())
            return false;
        shared.RepairBusy = false;
        s = shared;
        return true;
    });
    if (!silent)
        return false;
    RegistryValues::SetUpdateFailInfo(failureRecord(s));
    showFailure();
    return true;
}

} // namespace RepairRun

// Runs on the device library's upgrade thread.
int RepairCallback(unsigned char *message)
{
    if (!message || message[0] != 7 || (message[1] != 1 && message[1] != 2))
        return 0;
    RepairRun::State s;
    if (!claim(&s))
        return 0;
    if (message[1] == 1)
        progress(s, message[2]);
    else if (message[2] == 1)
        stageDone(s);
    else
        stageFailed(s);
    return 0;
}
