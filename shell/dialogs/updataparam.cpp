#include "shell/dialogs/updataparam.h"

#include "core/devicecache.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "core/settingsfile.h"
#include "platform/delayms.h"
#include "platform/devicelib/devicelib.h"
#include "platform/diagnostics.h"
#include "platform/sleep.h"
#include "shell/dialogs/inportfail.h"
#include "shell/dialogs/noticeframe.h"
#include "shell/widgets/stylewhenpolished.h"
#include "shell/widgets/theme.h"

#include <QFrame>
#include <QLabel>
#include <QTimer>

namespace {

constexpr int WorkDelayMs = 2500;
// The pages get twelve chances of 500 ms to report that they show the device's record.
constexpr int RefreshAttempts = 12;
constexpr int RefreshStepMs = 500;
// After the refresh the notice stays a little, blocking, so the user sees the pages settle.
constexpr int WaitLingerMs = 2000;
// After an import the pages keep being served while the device takes the record.
constexpr int ImportLingerMs = 2500;

double DelayScale = 1.0;

int scaled(int ms)
{
    return qRound(ms * DelayScale);
}

// The user has gone back to the home page: the device page's refresh is no longer waited for,
// and nothing about it is reported there.
bool DevicePageLeft()
{
    return DeviceState::instance()->OnDevicePage.load() != 1;
}

void EmitRecordToPages(const FlashDataMap &record)
{
    PostMsg *hub = PostMsg::GetInstance();
    emit hub->SigUpDataLightUIA(record);
    emit hub->SigUpDataSensorUIB(record);
    emit hub->SigUpDataButtonUIC(record);
    emit hub->SigFormB();
}

} // namespace

void Ui_UpDataParam::setupUi(QDialog *dialog)
{
    NoticeFrame::setUpWindow(dialog, QStringLiteral("UpDataParam"));
    UpDataParamA = NoticeFrame::addPanel(dialog, QStringLiteral("UpDataParamA"));
    label = NoticeFrame::addLabel(UpDataParamA, {0, 30, 301, 61}, 11);
    retranslateUi(dialog);
    QMetaObject::connectSlotsByName(dialog);
}

void Ui_UpDataParam::retranslateUi(QDialog *dialog)
{
    dialog->setWindowTitle(QStringLiteral("Dialog"));
    label->setText(QStringLiteral("Please wait, we are updating the setting"));
}

UpDataParam::UpDataParam(QWidget *parent)
    : QDialog(parent), ui(new Ui_UpDataParam), timer(new QTimer(this)),
      ImageFolder(Theme::WarningFolder())
{
    ui->setupUi(this);
    // The notices' window: frameless, and left where its caller put it.
    setWindowFlags(Qt::SubWindow | Qt::BypassWindowManagerHint | Qt::FramelessWindowHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint);
    // The device page builds this notice at start-up; it shows only while settings are written.
    Theme::StyleWhenPolished(this, [this] {
        ui->UpDataParamA->setStyleSheet(
            Theme::PanelStyle(ui->UpDataParamA->objectName(), ImageFolder));
        ui->label->setStyleSheet(Theme::LabelStyle());
    });
    timer->setSingleShot(true);
    connect(timer, SIGNAL(timeout()), this, SLOT(onTimeupDestroy()));
    connect(PostMsg::GetInstance(), SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
    NoticeFrame::finish(this);
}

UpDataParam::~UpDataParam() = default;

void UpDataParam::StartUpData()
{
    timer->start(scaled(WorkDelayMs));
}

void UpDataParam::SetDelayScaleForTests(double scale)
{
    DelayScale = scale;
}

int UpDataParam::ReadImportFile(const QString &path, FlashDataMap *record)
{
    const SettingsFile::Result result = SettingsFile::Read(
        path, SettingsFile::CurrentModelSensor(), SettingsFile::CurrentModelDpiMaxGrade(), record);
    if (result != SettingsFile::Accepted)
        qCDebug(lcDiagnostics) << "failed";
    return result;
}

void UpDataParam::SlotAllLanguage(int language)
{
    switch (DeviceState::instance()->ImportDialogOpen.load()) {
    case 0:
        NoticeFrame::setText(ui->label, UpDataParamTexts, language, 0);
        break;
    case 1:
        NoticeFrame::setText(ui->label, UpDataParamTexts, language, 1);
        break;
    default:
        break;
    }
}

void UpDataParam::onTimeupDestroy()
{
    emit PostMsg::GetInstance()->SigSetver(4);
    if (WaitMode) {
        RunWait();
        return;
    }
    qCDebug(lcDiagnostics) << "z";
    if (ImportMode)
        RunImport();
    else if (DeviceState::instance()->OnlineAtLastRead.load() == 0)
        RunReload();
    else
        RunRefresh();
}

bool UpDataParam::WaitForPagesRefreshed()
{
    DeviceState *state = DeviceState::instance();
    for (int attempt = 0; attempt < RefreshAttempts; ++attempt) {
        if (state->SensorUiUpdated.load() && state->ButtonUiUpdated.load())
            return true;
        if (DevicePageLeft())
            return false;
        DelayMs(scaled(RefreshStepMs));
    }
    return false;
}

void UpDataParam::RunWait()
{
    const bool refreshed = WaitForPagesRefreshed();
    if (DevicePageLeft()) {
        close();
        return;
    }
    Sleep(scaled(WaitLingerMs));
    close();
    if (!refreshed)
        emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}

void UpDataParam::RunImport()
{
    DeviceState *state = DeviceState::instance();
    FlashDataMap record{};
    const int result = ReadImportFile(ImportPath, &record);
    state->ImportResult = result;
    if (result != SettingsFile::Accepted) {
        InportFail notice;
        NoticeFrame::place(&notice, this, NoticeOffset::InportFail);
        notice.exec();
    } else if (WriteWholeRecord(record)) {
        EmitRecordToPages(record);
        DelayMs(scaled(ImportLingerMs));
    } else {
        // The device did not take the record (it does not answer, or has not been read yet): the
        // program keeps the record the device has, the user has been told, and the device is
        // read again once it answers.
        state->ImportResult = ImportNotTaken;
        state->RecheckOnline = 1;
        state->RereadWhenOnline = 1;
    }
    ImportMode = 0;
    close();
}

void UpDataParam::RunReload()
{
    qCDebug(lcDiagnostics) << "x";
    FlashDataMap cached;
    if (LoadDeviceCache(DeviceState::instance()->DeviceCacheName.get(), &cached))
        EmitRecordToPages(cached);
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
    close();
}

void UpDataParam::RunRefresh()
{
    DeviceState *state = DeviceState::instance();
    qCDebug(lcDiagnostics) << "v";
    const bool refreshed = WaitForPagesRefreshed();
    if (refreshed) {
        state->SensorUiUpdated = 0;
        state->ButtonUiUpdated = 0;
    }
    close();
    if (!refreshed && DevicePageLeft())
        return;
    qCDebug(lcDiagnostics) << "vvv";
    if (!refreshed)
        emit PostMsg::GetInstance()->SigMouseOffLineo(1);
    qCDebug(lcDiagnostics) << "vv";
    FlashDataMap cached;
    if (state->DeviceOnline.load() && !LoadDeviceCache(state->DeviceCacheName.get(), &cached))
        SaveDeviceCache(state->OnlineCacheName.get(), state->CurrentFlashData.get());
}
