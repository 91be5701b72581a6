#include "sensor/rippecontrol.h"

RippeControl::RippeControl(QWidget *parent)
    : TogglePanel(ToggleSettings::Ripple, ToggleLayout::ToggleFirst, parent)
{
    QMetaObject::connectSlotsByName(this);
}

void RippeControl::on_RippeControl_2_clicked(bool checked)
{
    Clicked(checked);
}
