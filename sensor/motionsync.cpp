#include "sensor/motionsync.h"

MotionSync::MotionSync(QWidget *parent)
    : TogglePanel(ToggleSettings::MotionSync, ToggleLayout::ToggleFirst, parent)
{
    QMetaObject::connectSlotsByName(this);
}

void MotionSync::on_MotionSync_2_clicked(bool checked)
{
    Clicked(checked);
}
