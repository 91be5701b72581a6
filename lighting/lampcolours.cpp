// The lighting page's colour controls: the red, green and blue boxes with their minus and plus
// buttons, the preview, the fourteen presets and the colour board.
#include "core/devicestate.h"
#include "core/devicewrite.h"
#include "core/postmsg.h"
#include "lighting/lamplight.h"
#include "lighting/lightform.h"
#include "lighting/lightlook.h"
#include "lighting/ui_lamplight.h"
#include "platform/desktop/screencolour.h"
#include "platform/devicelib/devicelib.h"

#include <QLabel>
#include <QMouseEvent>
#include <QSpinBox>

namespace {} // namespace

LightForm::ColourBoxes LampLight::boxes() const
{
    return {ui->RSpinBox, ui->GSpinBox, ui->BSpinBox};
}

bool LampLight::deviceReachable()
{
    if (State().WriteEnabled.load() == 0)
        return true;
    const QByteArray path = State().DevicePath.get();
    if (UsbFinderC_GetDeviceOnLine(path.constData()) || State().LightFilling.load() != 0)
        return true;
    emit PostMsg::GetInstance()->SigMouseOffLineo(0);
    return false;
}

void LampLight::setPreview(int red, int green, int blue)
{
    ui->labelPreView->setStyleSheet(LightLook::PreviewStyle(red, green, blue));
}

// Any change of a box, typed, stepped, preset or picked, is written whole, one write per change:
// a preset that changes three boxes writes three times. The fills block the boxes' signals.
void LampLight::colourChanged(int red, int green, int blue)
{
    setPreview(ui->RSpinBox->value(), ui->GSpinBox->value(), ui->BSpinBox->value());
    if (State().WriteEnabled.load() != 0)
        WriteLightColor(red, green, blue);
}

void LampLight::on_RSpinBox_valueChanged(int value)
{
    colourChanged(value, ui->GSpinBox->value(), ui->BSpinBox->value());
}

void LampLight::on_GSpinBox_valueChanged(int value)
{
    colourChanged(ui->RSpinBox->value(), value, ui->BSpinBox->value());
}

void LampLight::on_BSpinBox_valueChanged(int value)
{
    colourChanged(ui->RSpinBox->value(), ui->GSpinBox->value(), value);
}

void LampLight::step(QSpinBox *box, int by)
{
    if (deviceReachable())
        box->setValue(box->value() + by);
}

void LampLight::on_AddR_clicked()
{
    step(ui->RSpinBox, 1);
}

void LampLight::on_AddG_clicked()
{
    step(ui->GSpinBox, 1);
}

void LampLight::on_AddB_clicked()
{
    step(ui->BSpinBox, 1);
}

void LampLight::on_ReduceR_clicked()
{
    step(ui->RSpinBox, -1);
}

void LampLight::on_ReduceG_clicked()
{
    step(ui->GSpinBox, -1);
}

void LampLight::on_ReduceB_clicked()
{
    step(ui->BSpinBox, -1);
}

void LampLight::preset(int index)
{
    if (!deviceReachable())
        return;
    boxes().setColour(LightLook::PresetColour(index));
}

void LampLight::on_toolButtonColorA_clicked()
{
    preset(0);
}
void LampLight::on_toolButtonColorB_clicked()
{
    preset(1);
}
void LampLight::on_toolButtonColorC_clicked()
{
    preset(2);
}
void LampLight::on_toolButtonColorD_clicked()
{
    preset(3);
}
void LampLight::on_toolButtonColorE_clicked()
{
    preset(4);
}
void LampLight::on_toolButtonColorF_clicked()
{
    preset(5);
}
void LampLight::on_toolButtonColorG_clicked()
{
    preset(6);
}
void LampLight::on_toolButtonColorH_clicked()
{
    preset(7);
}
void LampLight::on_toolButtonColorI_clicked()
{
    preset(8);
}
void LampLight::on_toolButtonColorJ_clicked()
{
    preset(9);
}
void LampLight::on_toolButtonColorK_clicked()
{
    preset(10);
}
void LampLight::on_toolButtonColorL_clicked()
{
    preset(11);
}
void LampLight::on_toolButtonColorM_clicked()
{
    preset(12);
}
void LampLight::on_toolButtonColorN_clicked()
{
    preset(13);
}

void LampLight::mousePressEvent(QMouseEvent *event)
{
    // A double click's second press arrives as a double-click event and picks nothing.
    if (event->type() != QEvent::MouseButtonPress)
        return;
    const QPoint at = event->pos();
    boxes().releaseFocusOutside(at, this);
    for (QSpinBox *box : {ui->LightSpinBox_2, ui->SpeedSpinBox_2}) {
        if (!box->geometry().contains(at)) {
            box->clearFocus();
            setFocus(Qt::OtherFocusReason);
        }
    }
    if (!ui->label_7->geometry().contains(at) || !deviceReachable())
        return;
    // No pixel at all (no grab, no drawing of our own there) changes and writes nothing.
    const QColor colour = ScreenColour::colourAt(event->globalPos(), this);
    if (!colour.isValid())
        return;
    boxes().setColour(colour);
    setPreview(colour.red(), colour.green(), colour.blue());
}
