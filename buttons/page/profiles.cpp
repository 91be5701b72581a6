// The profile box: the device's stored profiles, and the switch between them.
#include "buttons/page/buttoninterface.h"
#include "buttons/page/ui_buttoninterface.h"
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "platform/devicelib/devicelib.h"
#include "shell/widgets/myconmbobox.h"

void Buttoninterface::SlotUpDataConfigUI(int count, int current, bool valid)
{
    MyConmboBox *profiles = ui->ProjectChoose;
    profiles->clear();
    profiles->blockSignals(true);
    // A device that gives no count still has its one profile.
    const int items = count == 0 ? 1 : count;
    for (int i = 0; i < items; ++i)
        profiles->addItem(ProfileLabelPrefix + QString::number(i + 1));
    profiles->blockSignals(false);
    profiles->setEnabled(valid);
    if (count > 0)
        profiles->setCurrentIndex(current);
}

void Buttoninterface::on_ProjectChoose_activated(int index)
{
    DeviceState *state = DeviceState::instance();
    const QByteArray path = state->DevicePath.get();
    if (UsbFinderC_GetDeviceOnLine(path.constData()) || state->ButtonFilling.load() != 0) {
        if (UsbServer_SetCurrentConfig(quint8(index)))
            return;
        // The mouse did not take the switch: the box shows the profile it is still on.
        ui->ProjectChoose->setCurrentIndex(ui->ProjectChoose->pressIndex);
        ReportWriteRefused();
        return;
    }
    ui->ProjectChoose->setCurrentIndex(ui->ProjectChoose->pressIndex);
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
}
