#pragma once

#include "sensor/togglepanel.h"

// The angle snapping toggle of the sensor page.
class StraightLine : public TogglePanel
{
    Q_OBJECT
public:
    explicit StraightLine(QWidget *parent = nullptr);

private slots:
    void on_StraightLine_2_clicked(bool checked);
};
