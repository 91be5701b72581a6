#pragma once

#include "sensor/togglepanel.h"

// The angle snapping (straight-line correction) toggle with its title first: a second layout of
// StraightLine for a host that wants it.
class StraightLineB : public TogglePanel
{
    Q_OBJECT
public:
    explicit StraightLineB(QWidget *parent = nullptr);

private slots:
    void on_StraightLine_2_clicked(bool checked);
};
