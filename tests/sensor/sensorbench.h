#pragma once

#include "core/record/flashdatamap.h"
#include "tests/support/child.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>

#include <functional>
#include <memory>

class QSignalSpy;
class QSlider;
class QToolButton;

// The sensor page and its panels against the simulated mouse: the first shipped model on its
// receiver (as DpiEditorHost selects it), seen through any connection kind, and model groups of
// the test's own Config.ini.
namespace SensorBench {

// The shipped mouse "M1" selected as DpiEditorHost selects it, its record read, writes enabled
// and the call log cleared; the device description says connection `kind` (a cable for kinds 2
// and 3) and model group Drive<driveIndex + 1>. Writes still go to the receiver.
bool selectMouse(int kind = 1, int driveIndex = 0);

// A Config.ini of the test's: the shipped theme (its Option group) and `drive1` as the model group
// Drive1, the model of the selected device. The shipped file comes back when it goes.
class ModelGroup
{
public:
    explicit ModelGroup(const QByteArray &drive1);
    ~ModelGroup();

private:
    QTemporaryDir m_dir;
};

// A Drive1 group: chip `chip` (written Base64-coded, as the file keeps it), the shipped first
// model's DPI ranges and colours, and the given levels and layout.
QByteArray modelKeys(const QByteArray &chip, int maxGrade = 8, int layout = 0);

// Emits on a thread of its own, as the device library does, while the GUI thread delivers the
// blocking emissions; false when it did not end in time.
bool fromDevice(const std::function<void()> &emission);
// A whole record from the device (SigUpDataLightSensor), from its own thread.
bool showRecord(const FlashDataMap &record);

// Runs `setting` as the sensor page's fill does, with SensorFilling set (so that no handler
// writes), then clears the call log: what the test does next is all the log shows.
void asFilled(const std::function<void()> &setting);

// The user lets go of the slider's handle at `value`, as a drag ends.
void letGo(QSlider *slider, int value);

// What the simulated mouse holds now.
FlashDataMap stored();
// Sends of the whole record since the log was last cleared.
int sends();

// The checked button of the report-rate panel `panel`, 0..6; -1 when none is.
int checkedRate(const QWidget *panel);
// The rate button of index 0..6 (125..8000 Hz).
QToolButton *rateButton(const QWidget *panel, int index);

// The base of a panel test class: each test function starts with the mouse selected
// (selectMouse()) and spies on the hub's offline notice and sensor-mode signal, and ends with no
// page filling and the device server gone.
class PanelTest : public QObject
{
    Q_OBJECT
public:
    ~PanelTest() override;

protected:
    std::unique_ptr<QSignalSpy> offline;   // SigMouseOffLineo
    std::unique_ptr<QSignalSpy> hideModel; // SigHideModel

private slots:
    void init();
    void cleanup();
};

} // namespace SensorBench
