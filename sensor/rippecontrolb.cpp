#include "sensor/rippecontrolb.h"

RippeControlB::RippeControlB(QWidget *parent)
    : TogglePanel(ToggleSettings::Ripple, ToggleLayout::TitleFirst, parent)
{
    QMetaObject::connectSlotsByName(this);
}

void RippeControlB::on_RippeControl_2_clicked(bool checked)
{
    Clicked(checked);
}
