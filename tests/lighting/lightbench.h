#pragma once

#include "core/record/flashdatamap.h"
#include "tests/linksupport/linkbench.h"
#include "tests/support/child.h"

#include <QByteArray>
#include <QVector>
#include <QWidget>

#include <functional>

// A fresh simulated bus and device state for one test of the lighting forms (a LinkBench):
// receiver "R" with the mouse "M" of the first shipped model paired and awake, the shipped
// language files loaded and writing enabled.
class LightBench : public LinkBench
{
public:
    LightBench();

    // The mouse on its receiver selected as the device page has it, its record read the way the
    // program reads it; the call log is cleared afterwards. False when the read did not come.
    static bool selectMouse();
    // The record the simulated mouse holds now.
    static FlashDataMap stored();
    // Every record sent to a device since the log was last cleared, in order.
    static QVector<FlashDataMap> sent();
    // A record of the test: the mouse's factory record with `change` applied.
    static FlashDataMap record(const std::function<void(FlashDataMap &)> &change);
};
