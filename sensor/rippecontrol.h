#pragma once

#include "sensor/togglepanel.h"

// The ripple control toggle of the sensor page.
class RippeControl : public TogglePanel
{
    Q_OBJECT
public:
    explicit RippeControl(QWidget *parent = nullptr);

private slots:
    void on_RippeControl_2_clicked(bool checked);
};
