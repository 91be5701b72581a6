#pragma once

#include "sensor/togglepanel.h"

// The motion sync toggle of the sensor page.
class MotionSync : public TogglePanel
{
    Q_OBJECT
public:
    explicit MotionSync(QWidget *parent = nullptr);

private slots:
    void on_MotionSync_2_clicked(bool checked);
};
