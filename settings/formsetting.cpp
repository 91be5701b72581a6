#include "settings/formsetting.h"

#include "core/devicestate.h"
#include "core/firmwareimages.h"
#include "core/hotplug.h"
#include "core/languagetables.h"
#include "core/postmsg.h"
#include "settings/updaterepair.h"

#include <QLabel>

FormSetting::FormSetting(QWidget *parent)
    : QWidget(parent), label_5(new QLabel(this)), label_7(new QLabel(this)),
      UpdateDialog(new UpDateRepair(nullptr))
{
    setObjectName(QStringLiteral("FormSetting"));
    label_5->setObjectName(QStringLiteral("label_5"));
    label_7->setObjectName(QStringLiteral("label_7"));
    label_5->setGeometry(200, 120, 200, 20);
    label_7->setGeometry(200, 150, 200, 20);

    DeviceState::instance()->UpdateDialog = UpdateDialog;
    HotPlugHooksInstance().UpdateDialogVisible = [dialog = UpdateDialog] {
        return dialog->isVisible();
    };

    PostMsg *hub = PostMsg::GetInstance();
    connect(hub, SIGNAL(SigSetver(int)), this, SLOT(SetVer(int)));
    connect(hub, SIGNAL(SigLabelTextB(QString, QString)), this,
            SLOT(SlotLabelTextB(QString, QString)));
    connect(hub, SIGNAL(SigAllLanguage(int)), this, SLOT(SlotAllLanguage(int)));
    SlotAllLanguage(DeviceState::instance()->CurrentLanguage.load());
}

FormSetting::~FormSetting()
{
    HotPlugHooksInstance().UpdateDialogVisible = nullptr;
    if (DeviceState::instance()->UpdateDialog == UpdateDialog)
        DeviceState::instance()->UpdateDialog = nullptr;
    delete UpdateDialog;
}

bool FormSetting::FindFirmwareFile(int target, const QString &deviceVersion,
                                   const QString &identifier, int cid, int mid)
{
    return FirmwareImages::FindFirmwareFile(target, deviceVersion, identifier, cid, mid);
}

bool FormSetting::CheckNewFirmware(int target, const QString &versionText, int receiverClass)
{
    const int driveIndex = DeviceState::instance()->CurrentDeviceInfo.get().DriveIndex;
    return FirmwareImages::CheckNewFirmware(target, versionText, receiverClass, driveIndex);
}

void FormSetting::SetVer(int what)
{
    if (what == 6) {
        label_5->setText(QString());
        label_7->setText(QString());
    }
}

void FormSetting::SlotLabelTextB(const QString &text, const QString &flag)
{
    Q_UNUSED(flag);
    label_5->setText(text);
}

void FormSetting::SlotAllLanguage(int language)
{
    DeviceState::instance()->UpdateWarningText.set(
        FormSettingTexts.text(language, 14, DeviceState::instance()->UpdateWarningText.get()));
}
