#pragma once

#include "sensor/togglepanel.h"

// The ripple control toggle with its title first: a second layout of RippeControl for a host that
// wants it.
class RippeControlB : public TogglePanel
{
    Q_OBJECT
public:
    explicit RippeControlB(QWidget *parent = nullptr);

private slots:
    void on_RippeControl_2_clicked(bool checked);
};
