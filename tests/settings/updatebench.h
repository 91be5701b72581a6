#pragma once

#include "tests/settings/settingsbench.h"

#include <QList>
#include <QObject>
#include <QPair>
#include <QStringList>

#include <memory>

class FormSetting;

// What the update engine told the pages through the hub, written down on the GUI thread in the
// order it arrived: SigProgress as (value, type), SigLabelText as "0 v1.02", SigUpdateFrame.
class UpdateSignals : public QObject
{
    Q_OBJECT
public:
    UpdateSignals();
    QList<QPair<int, int>> progress;
    QStringList labels;
    QList<bool> frames;

    // The SigProgress values of type 0, and how many of another type came.
    QList<int> percents() const;
    int count(int type) const;
};

// The settings page over devices that the device page has opened: the given set (the built-in
// devices' INI text, or an example set), the device page's hot-plug handling registered, the
// device server with the device-event callback, and the page's version labels filled from the
// devices' own version replies. Upgrades step every `stepMs` milliseconds.
class UpdateBench
{
public:
    UpdateBench(const QByteArray &deviceSet, bool shippedFirmware, int stepMs = 0);
    ~UpdateBench();

    SettingsBench bench;
    std::unique_ptr<FormSetting> page;
    std::unique_ptr<UpdateSignals> hub;

    // Makes the device at `path` (connection kind `kind`) current, lists the devices as the device
    // page does, starts the device server on it and waits for its version reply to reach the
    // labels; false when they stay empty.
    bool open(const QByteArray &path, int kind);
    // Waits until no update is under way any more (both stages of a two-stage update included).
    bool waitForEnd(int timeoutMs = 30000);
};

// Example sets of the simulated library (platform/devicelib/examples/), as INI text.
QByteArray exampleSet(const char *name);

// The update log of the user folder, as written; empty when there is none.
QByteArray updateLog();

// A whole firmware image in <appFolder>/bin/<fileName>, integrity fields included, so that the
// simulated devices take it: its target, version word, model name, customer and model id.
void writeFirmwareImage(const QString &appFolder, const QString &fileName, int target,
                        quint32 version, const QByteArray &modelName, int cid = 12, int mid = 10);
