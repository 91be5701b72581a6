#include "sensor/straightline.h"

StraightLine::StraightLine(QWidget *parent)
    : TogglePanel(ToggleSettings::StraightLine, ToggleLayout::ToggleFirst, parent)
{
    QMetaObject::connectSlotsByName(this);
}

void StraightLine::on_StraightLine_2_clicked(bool checked)
{
    Clicked(checked);
}
