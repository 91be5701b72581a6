#include "sensor/straightlineb.h"

StraightLineB::StraightLineB(QWidget *parent)
    : TogglePanel(ToggleSettings::StraightLine, ToggleLayout::TitleFirst, parent)
{
    QMetaObject::connectSlotsByName(this);
}

void StraightLineB::on_StraightLine_2_clicked(bool checked)
{
    Clicked(checked);
}
