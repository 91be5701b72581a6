#include "settings/updaterun.h"

#include "core/devicestate.h"
#include "core/locked.h"
#include "core/postmsg.h"
#include "core/registryvalues.h"
#include "core/updatefailinfo.h"
#include "platform/appdir.h"
#include "platform/devicelib/devicelib.h"
#include "platform/wholefile.h"
#include "settings/upgradewatchdog.h"

#include <QDir>
#include <QFileInfo>

namespace {

// Never destroyed: the library's upgrade thread may still report while the process exits.
Locked<UpdateRun::Run> &currentRun()
{
    static auto *run = new Locked<UpdateRun::Run>;
    return *run;
}

UpgradeWatchdog watchdog;

// A target's state goes from 1 only: a run that already ended keeps its result.
bool endRunning(std::atomic<qint32> &target, int result)
{
    int running = 1;
    return target.compare_exchange_strong(running, result);
}

void failRunningTargets()
{
    endRunning(State().ReceiverUpdateState, 3);
    endRunning(State().MouseUpdateState, 3);
}

// Progress is split between the stages of a two-target update: the receiver fills the first half,
// the mouse the second.
void progress(int percent)
{
    DeviceState &s = State();
    const bool oneStage = s.UpdateStageCount.load() == 1;
    PostMsg *hub = PostMsg::GetInstance();
    if (s.ReceiverUpdateState.load() == 1)
        emit hub->SigProgress(oneStage ? percent : percent / 2, 0);
    if (s.MouseUpdateState.load() == 1)
        emit hub->SigProgress(oneStage ? percent : percent / 2 + 50, 0);
}

void succeeded()
{
    DeviceState &s = State();
    const UpdateRun::Run run = currentRun().get();
    PostMsg *hub = PostMsg::GetInstance();
    // Settled before the target's state says it ended: the engine's next stage, started once it
    // does, writes its own record.
    UpgradeSucceeded(run.FailRecord, run.ReplacedRecord);
    if (endRunning(s.ReceiverUpdateState, 2)) {
        // With a mouse stage to follow, the dialog shows the end only after it.
        if (s.UpdateStageCount.load() == 1)
            emit hub->SigProgress(0, 2);
        emit hub->SigLabelText(0, run.VersionText);
    }
    if (endRunning(s.MouseUpdateState, 2)) {
        RegistryValues::SetMouseVer(run.MouseVerName, run.VersionText);
        emit hub->SigProgress(0, 2);
        emit hub->SigLabelText(1, run.VersionText);
    }
}

} // namespace

namespace UpdateRun {

void Begin(const Run &run)
{
    Run begun = run;
    begun.ReplacedRecord = ArmUpdateFailInfo(run.FailRecord);
    currentRun().set(begun);
    watchdog.feed();
}

bool FellSilent()
{
    return watchdog.expired();
}

bool WriteLog()
{
    const QString path = UserDir::filePath(QStringLiteral("Exception/UpDateLog.txt"));
    if (!QFileInfo(path).dir().exists())
        return false;
    const char *const *lines = UsbUpgradeC_GetLogs();
    QByteArray text;
    for (int i = 0; lines && i < UpgradeLogLines; ++i)
        text += QByteArray(lines[i] ? lines[i] : "") + '\n';
    return WholeFile::write(path, text);
}

void Refused()
{
    WriteLog();
    RestoreUpdateFailInfo(currentRun().get().ReplacedRecord);
    failRunningTargets();
    emit PostMsg::GetInstance()->SigProgress(0, 1);
}

void Failed()
{
    WriteLog();
    State().MouseFirmwareNew = 0;
    State().ReceiverFirmwareNew = 0;
    failRunningTargets();
    // Written before the failure is shown: whoever shows it may look for the record at once.
    RegistryValues::SetUpdateFailInfo(currentRun().get().FailRecord);
    emit PostMsg::GetInstance()->SigProgress(0, 1);
}

} // namespace UpdateRun

// Runs on the device library's upgrade thread.
int UpdateCallback(unsigned char *message)
{
    if (!message || message[0] != 7 || (message[1] != 1 && message[1] != 2))
        return 0;
    watchdog.feed();
    if (message[1] == 1)
        progress(message[2]);
    else if (message[2] == 1)
        succeeded();
    else
        UpdateRun::Failed();
    return 0;
}
