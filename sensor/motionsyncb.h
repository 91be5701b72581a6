#pragma once

#include "sensor/togglepanel.h"

// The motion sync toggle with its title first: a second layout of MotionSync for a host that wants
// it.
class MotionSyncB : public TogglePanel
{
    Q_OBJECT
public:
    explicit MotionSyncB(QWidget *parent = nullptr);

private slots:
    void on_MotionSync_2_clicked(bool checked);
};
