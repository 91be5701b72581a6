#pragma once

#include "core/record/flashdatamap.h"

#include <QByteArray>
#include <QTemporaryDir>
#include <QVector>
#include <QWidget>

#include <functional>

// A fresh simulated bus and device state for one test of the lighting forms: receiver "R" with
// the mouse "M" of the first shipped model paired and awake, no latency, the devices' state in a
// folder of the test's own, the shipped language files loaded and writing enabled.
class LightBench
{
public:
    LightBench();
    ~LightBench();

    bool ok() const { return m_ok; }

    // The mouse on its receiver selected as the device page has it, its record read the way the
    // program reads it; the call log is cleared afterwards. False when the read did not come.
    static bool selectMouse();
    // The record the simulated mouse holds now.
    static FlashDataMap stored();
    // Every record sent to a device since the log was last cleared, in order.
    static QVector<FlashDataMap> sent();
    // A record of the test: the mouse's factory record with `change` applied.
    static FlashDataMap record(const std::function<void(FlashDataMap &)> &change);

private:
    QTemporaryDir m_dir;
    bool m_ok = false;
};

// A child by object name and class; null when there is none.
template <typename W>
W *child(const QWidget *root, const char *name)
{
    return root->findChild<W *>(QLatin1String(name));
}
