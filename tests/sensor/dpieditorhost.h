#pragma once

#include "core/devicestate.h"
#include "core/record/flashdatamap.h"

#include <QPoint>
#include <QString>

#include <memory>

class DeviceState;
class MyConmboBox;
class MySlider;
class QLabel;
class QSpinBox;
class QToolButton;
class QWidget;
class SensorDPI;

// Hosts the DPI editor the way the sensor page will: a simulated mouse of the first shipped model
// (Drive1, sensor chip OPT5100) selected on its receiver, the model's chip, DPI ranges and the
// shipped driver_sensor.h loaded into the sensor model, and the editor filled through its own
// operations from the mouse's record.
namespace DpiEditorHost {

// The simulated mouse's name in the device set.
extern const QString Mouse;

inline constexpr auto &state = ::State;

// A fresh device set: receiver R1 with the mouse M1 (first model, factory settings, awake), a
// state folder of its own, latency 0, the receiver selected with its device server running and
// its record read, the call log cleared and writes enabled. The sensor model is that of the
// selected device. The device description may say another connection `kind` (a cable for kinds
// 2 and 3) and model group Drive<driveIndex + 1>; the mouse stays the one on the receiver.
bool selectShippedMouse(int kind = 1, int driveIndex = 0);

// The sensor model of the selected device: chip and DPI ranges from Config.ini, the tables of
// the shipped driver_sensor.h.
void loadModel();

// Fills the editor from `record` as the sensor page does (SensorFilling set, the slider silent):
// level colours and count entries for the model's DPIMaxGrade levels, the slider's range from the
// model's DPI ranges, each level's decoded value, then the count, marker and selected level.
void fill(SensorDPI *editor, const FlashDataMap &record);
// The same from the current record of the selected device.
void fillFromDevice(SensorDPI *editor);
// A new editor filled from the selected device and shown, with the call log cleared afterwards;
// null when it could not be shown.
std::unique_ptr<SensorDPI> filledEditor();
// The device reported that it switched to `stage` itself: shown with WriteEnabled cleared.
void showReportedStage(SensorDPI *editor, int stage);

// The editor's widgets, by their object names.
QToolButton *levelButton(SensorDPI *editor, int level);
QToolButton *levelBar(SensorDPI *editor, int level);
QLabel *marker(SensorDPI *editor);
MySlider *slider(SensorDPI *editor);
QSpinBox *valueBox(SensorDPI *editor);
MyConmboBox *countBox(SensorDPI *editor);
QToolButton *plusButton(SensorDPI *editor);
QToolButton *minusButton(SensorDPI *editor);

// Where the slider's handle is drawn now, in the slider's coordinates.
QPoint sliderHandleCentre(MySlider *slider);
// The x of the slider at which a value lies (the inverse of its jump on a press).
int sliderX(MySlider *slider, int value);

// Mouse events with the left button, sent to `widget` at `pos` (widget coordinates).
void press(QWidget *widget, const QPoint &pos);
void moveTo(QWidget *widget, const QPoint &pos);
void release(QWidget *widget, const QPoint &pos);
// The marker taken at its middle, dragged along its row to `x` and released there.
void dragMarker(SensorDPI *editor, int x);
// A wheel notch away from the user (up).
void wheelUp(QWidget *widget);

// What the stage's bytes read back as for the loaded model.
int stageDpi(const DpiStage &stage);
// The stage's colour as the editors take it, "#rrggbb".
QString stageColour(const DpiStage &stage);

// Sends of the whole record since the log was last cleared.
int sends();

} // namespace DpiEditorHost
