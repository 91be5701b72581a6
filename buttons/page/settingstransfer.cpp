// The button page's actions on the device's settings as a whole: export to a file, import from
// one, and the factory reset.
#include "buttons/page/buttoninterface.h"

#include "core/deviceanswers.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/settingsfile.h"
#include "core/worker.h"
#include "macro/containreset.h"
#include "platform/desktop/filedialogs.h"
#include "platform/devicelib/devicelib.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/dialogs/updataparam.h"
#include "shell/dialogs/updatewarning.h"

#include <QDir>
#include <QTimer>

namespace {

const QString FileFilter = QStringLiteral("File(*.bin)");
// The page's text table entry of the notice that an export could not be written.
constexpr int ExportFailedText = 0;

// The dialogs open in the user's home folder (there is no drive letter to start from).
QString StartFolder()
{
    return QDir::homePath();
}

} // namespace

void Buttoninterface::PlaceOverPage(QWidget *dialog) const
{
    NoticeFrame::place(dialog, this, NoticeOffset::ContainResetButtonPage);
}

bool Buttoninterface::ExportSettingsFile(const QString &path, const FlashDataMap &record)
{
    return SettingsFile::Write(path, record, SettingsFile::CurrentModelSensor());
}

void Buttoninterface::on_OutputData_clicked()
{
    const QString path =
        FileDialogs::getSaveFileName(this, QStringLiteral("FileSave"), StartFolder(), FileFilter);
    if (path.isEmpty())
        return;
    // Works with the device offline too: the record shown is what is saved.
    if (ExportSettingsFile(path, DeviceState::instance()->CurrentFlashData.get()))
        return;
    // Nothing was written (an earlier file stays as it was): the user has to know.
    UpDateWarning notice;
    notice.SetText(ButtoninterfaceTexts.text(DeviceState::instance()->CurrentLanguage.load(),
                                             ExportFailedText,
                                             QStringLiteral("Could not write the settings file.")));
    PlaceOverPage(&notice);
    notice.exec();
}

void Buttoninterface::on_ImportData_clicked()
{
    DeviceState *state = DeviceState::instance();
    if (!SelectedDeviceAnswers()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    // Keeps the device service from opening its own please-wait notice meanwhile.
    state->ImportBusy = 1;
    const QString path =
        FileDialogs::getOpenFileName(this, QStringLiteral("SelectFile"), StartFolder(), FileFilter);
    if (!path.isEmpty()) {
        // Set before the notice is built: it picks its import text in its constructor.
        state->ImportDialogOpen = 1;
        UpDataParam dialog;
        dialog.StartUpData();
        dialog.ImportMode = 1;
        dialog.ImportPath = path;
        PlaceOverPage(&dialog);
        dialog.exec();
        state->ImportDialogOpen = 0;
    }
    state->ImportBusy = 0;
}

void Buttoninterface::on_Reset_clicked()
{
    DeviceState *state = DeviceState::instance();
    if (!SelectedDeviceAnswers()) {
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
        return;
    }
    ContainReset question;
    PlaceOverPage(&question);
    question.exec();
    if (!question.Confirmed)
        return;

    state->ImportBusy = 1;
    QTimer *onlineCheck = state->OnlineCheckTimer.load();
    if (onlineCheck)
        onlineCheck->stop();
    UsbServer_SetBatteryOptimizeEnable(0);
    // The device takes the record as it stands before it resets. When it does not (it stopped
    // answering, or its record has not been read yet) there is no reset: the user is told and
    // the device is read again once it answers.
    if (!SendCurrentRecord()) {
        UsbServer_SetBatteryOptimizeEnable(1);
        state->ImportBusy = 0;
        if (onlineCheck)
            onlineCheck->start();
        return;
    }
    // The refill after the reset sets these again; left set by the last filling they would let
    // the please-wait notice report success with no refill at all.
    state->ButtonUiUpdated = 0;
    state->SensorUiUpdated = 0;
    UsbServer_SetClearSetting();

    UpDataParam dialog;
    dialog.StartUpData();
    dialog.WaitMode = 1;
    // The device reports its factory state; one pass reads it all again.
    StartWorkerPass();
    PlaceOverPage(&dialog);
    dialog.exec();
    state->ImportBusy = 0;
    // Asked again: the service may have been replaced while the notice ran.
    if (QTimer *timer = state->OnlineCheckTimer.load())
        timer->start();
}
