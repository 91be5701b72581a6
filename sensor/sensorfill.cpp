// The sensor page's hub slots: showing a whole record, the reset to the default look, and the
// single values the mouse reports when it changes them itself. Each works out what to show
// without widgets (sensorview.h) and then sets the widgets in a fixed order. Everything the page
// sets here is set with SensorFilling up (or, for a reported level, WriteEnabled down), so that
// the device's own values are never written back to it.
#include "sensor/sensor.h"

#include "core/devicestate.h"
#include "core/record/recordcodes.h"
#include "sensor/model/dpicodec.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/model/sensormodel.h"
#include "sensor/model/sensorview.h"
#include "sensor/motionsync.h"
#include "sensor/rippecontrol.h"
#include "sensor/sensordpi.h"
#include "sensor/sensoreffect.h"
#include "sensor/sensorlod.h"
#include "sensor/sensorrate.h"
#include "sensor/straightline.h"
#include "sensor/ui_sensor.h"
#include "shell/widgets/myconmbobox.h"

#include <QCheckBox>
#include <QLabel>
#include <QListView>
#include <QSignalBlocker>
#include <QToolButton>

namespace {

// Sets SensorFilling for the lifetime of the guard, as the fill and the reset do.
class Filling
{
public:
    Filling() { State().SensorFilling = 1; }
    ~Filling() { State().SensorFilling = 0; }
    Filling(const Filling &) = delete;
    Filling &operator=(const Filling &) = delete;
};

// The places of the DPI light section: where the form puts it, and in the reduced layout up in
// the sensor settings' place.
const QPoint EffectPlace(80, 456);
const QPoint EffectMarkerPlace(40, 463);
const QPoint ReducedEffectPlace(80, 316);
const QPoint ReducedEffectMarkerPlace(40, 323);

// The row of "Corded" in the sensor-mode list.
constexpr int CordedRow = SensorCodes::CordedItem;

} // namespace

SensorContext Sensor::CurrentContext() const
{
    return LoadSensorContext(State().CurrentDeviceInfo.get(), SensorFeatureLists);
}

void Sensor::SlotUpDataSenSorUISensor(const FlashDataMap &record)
{
    FillFromRecord(record, true);
}

void Sensor::SlotUpDataSenSorUIB(const FlashDataMap &record)
{
    FillFromRecord(record, false);
}

void Sensor::FillFromRecord(const FlashDataMap &record, bool fromDevice)
{
    // The model's chip and DPI ranges are what the DPI codec and the editor work with from now.
    const SensorContext context = CurrentContext();
    SensorModel &model = SensorModel::instance();
    model.SensorChip = context.Chip;
    LoadDpiRanges();
    const SensorView view = PlanSensorFill(record, context, model);

    SensorDPI *editor = ui->frameDpi;
    editor->ClearCountItems();
    editor->BlockSliderSignals(true);
    editor->SetSliderEnabled(true);
    ui->frameEffect->SetSlidersEnabled(true);
    if (fromDevice)
        State().SensorUiUpdated = 0;
    {
        const Filling filling;
        editor->SetLevelCount(view.LevelCount);
        editor->SetCurrentLevel(view.CurrentLevel);
        ui->frameRate->SetRate(view.RateButton);

        if (view.ShortDistance)
            ui->frameLOD->AddShortDistance();
        else
            ui->frameLOD->RemoveShortDistance();
        if (view.ModeChoice) {
            SensorModeChange mode;
            mode.Apply = true;
            mode.Corded = view.ModeCorded;
            mode.Item = view.ModeItem;
            ChangeSensorMode(mode);
        } else {
            ui->ModelChoose->setEnabled(false);
        }
        ui->frameLOD->SetLod(view.LodValue);
        ui->Performance->setChecked(view.PerformanceOn);
        ui->PerformanceOpen->setEnabled(view.PerformanceOn);
        if (view.PerformanceItem >= 0)
            ui->PerformanceOpen->setCurrentIndex(view.PerformanceItem);
        ui->frame->SetSwitch(view.Ripple);
        ui->frame_4->SetSwitch(view.StraightLine);
        ui->frame_3->SetSwitch(view.MotionSync);
        ShowLight(view.Light);
        ShowLevelColors(view);
        ShowLayout(view.Reduced);
        ShowLevelValues(view);
        ui->frameRate->ShowHighRates(view.HighRateLevel);
        ShowFeatures(view);
        editor->BlockSliderSignals(false);
    }
    if (fromDevice)
        State().SensorUiUpdated = 1;
}

// In a fill the list changes with SensorFilling set; after the user's own rate click it does not,
// and a mode that comes back is written again.
void Sensor::ChangeSensorMode(const SensorModeChange &change)
{
    if (!change.Apply)
        return;
    if (change.Corded) {
        ModelView->setRowHidden(CordedRow, false);
        ui->ModelChoose->setCurrentIndex(change.Item);
        ui->ModelChoose->setEnabled(false);
        return;
    }
    ui->ModelChoose->setEnabled(true);
    ui->ModelChoose->setCurrentIndex(change.Item);
    ModelView->setRowHidden(CordedRow, true);
}

void Sensor::ShowLight(const SensorLightView &light)
{
    ui->frameEffect->ShowMode(light.Mode);
    ui->frameEffect->SetSpeed(light.Speed);
    ui->frameEffect->SetBrightness(light.Step);
}

// The colours and count entries of the model's levels.
void Sensor::ShowLevelColors(const SensorView &view)
{
    SensorDPI *editor = ui->frameDpi;
    editor->BlockCountSignals(true);
    for (int i = 0; i < view.Levels; ++i) {
        editor->SetLevelColor(i, view.LevelColors[i]);
        editor->InsertLevelItem(i, QString::number(i + 1));
    }
    editor->BlockCountSignals(false);
    editor->MarkCurrentBar(view.CurrentLevel);
}

// The slider's range, each level's value, then the count, the marker and the selected level.
void Sensor::ShowLevelValues(const SensorView &view)
{
    SensorDPI *editor = ui->frameDpi;
    editor->SetSliderMaximum(view.SliderMaximum);
    editor->SetSliderMinimum(view.SliderMinimum);
    for (int i = 0; i < view.Levels; ++i)
        editor->SetLevelText(i, QString::number(view.LevelValues[i]));
    if (view.SliderValueKnown) {
        editor->SetSliderValue(view.SliderValue);
        editor->SetValueDisplay(view.SliderValue);
    }
    editor->ShowLevelButtons(view.LevelCount - 1);
    editor->SetCountIndex(view.LevelCount - 1);
    if (view.CurrentLevel >= 0) {
        editor->MoveLevelMark(view.CurrentLevel + 1);
        editor->SelectLevel(view.CurrentLevel);
    }
}

// The reduced layout has no sensor settings: the DPI light moves up into their place.
void Sensor::ShowLayout(bool reduced)
{
    for (QWidget *widget : std::initializer_list<QWidget *>{
             ui->TitleButton_4, ui->label_5, ui->label_11, ui->ModelChoose, ui->frameLOD,
             ui->Performance, ui->PerformanceOpen, ui->frame, ui->frame_4})
        widget->setVisible(!reduced);
    ui->frame_3->hide();
    ui->frameEffect->move(reduced ? ReducedEffectPlace : EffectPlace);
    ui->TitleButton_3->move(reduced ? ReducedEffectMarkerPlace : EffectMarkerPlace);
}

// After the layout: a toggle the chip has shows even in the reduced layout. Motion sync stays
// hidden whatever the chip has.
void Sensor::ShowFeatures(const SensorView &view)
{
    ui->frameLOD->SetComboEnabled(view.LodEnabled);
    ui->frame->setVisible(view.RippleShown);
    ui->frame_4->setVisible(view.StraightLineShown);
    ui->frame_3->hide();
}

void Sensor::SlotFormReset()
{
    const Filling filling;
    SensorDPI *editor = ui->frameDpi;
    editor->SetSliderMaximum(12000);
    editor->SetSliderMinimum(50);
    editor->SetDefaultDPI();
    // Seven count entries, not eight: the mouse's default count.
    editor->ClearCountItems();
    for (int i = 0; i < 7; ++i)
        editor->InsertLevelItem(i, QString::number(i + 1));
    editor->BlockCountSignals(false);
    editor->ShowLevelButtons(6);
    editor->SetCountIndex(6);
    editor->MoveLevelMark(2);
    editor->SelectLevel(1);

    ui->frameLOD->SetLod(0);
    ui->Performance->setEnabled(true);
    ui->Performance->setChecked(true);
    ui->frame_3->SetSwitch(true);
    // The editor moves its slider silently, so the selected level takes the default value here.
    editor->SetSliderValue(800);
    editor->SetValueDisplay(800);
    editor->SetLevelText(1, QStringLiteral("800"));

    const DeviceAllInfo device = State().CurrentDeviceInfo.get();
    if (device.Kind <= 5) {
        ui->frameRate->ShowHighRates(SensorCodes::HighRateLevel(device.Kind));
        ui->frameRate->SetRate(SensorCodes::RateIndex(ReportRateCode::Hz1000));
        const QSignalBlocker blocker(ui->ModelChoose);
        ui->ModelChoose->setCurrentIndex(0);
    }
    if (device.Wired != 0) {
        const QSignalBlocker blocker(ui->ModelChoose);
        ui->ModelChoose->setCurrentIndex(SensorCodes::CordedItem);
    }
    {
        const QSignalBlocker blocker(ui->PerformanceOpen);
        ui->PerformanceOpen->setCurrentIndex(1);
    }
    ui->frameLOD->SetLod(0);
    ui->frameEffect->ShowMode(0);
    ui->frameEffect->SetSpeed(3);
    ui->frameEffect->SetBrightness(5);
    ui->Performance->setChecked(false);
    ui->PerformanceOpen->setEnabled(false);
    ui->frame_3->SetSwitch(true);
    ui->frame_4->SetSwitch(false);
    ui->frame->SetSwitch(false);
}

// The mouse switched its level itself (its DPI button): shown with writes off, so that the
// selection is not sent back.
void Sensor::SlotUpDataDPI(int level)
{
    State().WriteEnabled = 0;
    ui->frameDpi->MoveLevelMark(level + 1);
    if (level >= 0 && level < int(FlashDataMap::DpiStageSlots)) {
        ui->frameDpi->SelectLevel(level);
        ui->frameDpi->SetCurrentLevel(level);
    }
    State().WriteEnabled = 1;
}

// The light as the mouse reports it is shown, not written back: an unknown brightness shows as
// the slider's end without becoming 255 in the mouse.
void Sensor::SlotUpDataDPILed(const FlashDataMap &record)
{
    const Filling filling;
    ShowLight(PlanSensorLight(record));
}

void Sensor::SlotUpDataReportRate(int code)
{
    const int index = SensorCodes::RateIndex(code);
    if (index < 0)
        return;
    const Filling filling;
    ui->frameRate->SetRate(index);
    ChangeSensorMode(
        ModeAfterRateReport(code, CurrentContext(), State().CurrentFlashData.get().SensorMode));
}

void Sensor::SlotHideModel(int high)
{
    ChangeSensorMode(
        ModeAfterRateClick(high, CurrentContext(), State().CurrentFlashData.get().SensorMode));
}
