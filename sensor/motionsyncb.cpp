#include "sensor/motionsyncb.h"

MotionSyncB::MotionSyncB(QWidget *parent)
    : TogglePanel(ToggleSettings::MotionSync, ToggleLayout::TitleFirst, parent)
{
    QMetaObject::connectSlotsByName(this);
}

void MotionSyncB::on_MotionSync_2_clicked(bool checked)
{
    Clicked(checked);
}
