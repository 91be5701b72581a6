#include "sensor/model/sensorview.h"

#include "core/configini.h"
#include "core/deviceallinfo.h"
#include "core/record/recordcodes.h"
#include "sensor/model/dpicodec.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/model/sensorheader.h"

namespace {

constexpr int MaxLevels = int(FlashDataMap::DpiStageSlots);

int clamped(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

bool isReceiverAtHighRate(int kind, int rate)
{
    const bool receiver = kind == 1 || kind == 4 || kind == 5;
    const bool high = rate == ReportRateCode::Hz2000 || rate == ReportRateCode::Hz4000 ||
                      rate == ReportRateCode::Hz8000;
    return receiver && high;
}

QString colourText(const DpiStage &stage)
{
    return QStringLiteral("#%1%2%3")
        .arg(stage.Red, 2, 16, QLatin1Char('0'))
        .arg(stage.Green, 2, 16, QLatin1Char('0'))
        .arg(stage.Blue, 2, 16, QLatin1Char('0'));
}

SensorModeChange stored(int mode)
{
    SensorModeChange change;
    change.Apply = true;
    change.Item = mode;
    return change;
}

SensorModeChange corded()
{
    SensorModeChange change;
    change.Apply = true;
    change.Corded = true;
    change.Item = SensorCodes::CordedItem;
    return change;
}

} // namespace

bool SensorContext::Has(int feature) const
{
    return feature >= 0 && feature < FeatureLists.size() &&
           SensorHeader::ListsChip(FeatureLists.at(feature), Chip);
}

SensorContext LoadSensorContext(const DeviceAllInfo &device, const QVector<QString> &featureLists)
{
    const ConfigIni *config = ConfigIni::instance();
    const QString group = QStringLiteral("Drive%1").arg(device.DriveIndex + 1);
    SensorContext context;
    context.Chip = config->value(group, QStringLiteral("Sensor"));
    context.MaxGrade = config->intValue(group, QStringLiteral("DPIMaxGrade"));
    context.Layout = config->intValue(group, QStringLiteral("XIn1"));
    context.Kind = device.Kind;
    context.Wired = device.Wired != 0;
    context.FeatureLists = featureLists;
    context.FeatureLists.resize(6);
    return context;
}

SensorLightView PlanSensorLight(const FlashDataMap &record)
{
    SensorLightView light;
    if (record.DpiLightOn == 0)
        light.Mode = 0;
    else if (record.DpiLightMode == DpiLightModeCode::Steady ||
             record.DpiLightMode == DpiLightModeCode::Breathing)
        light.Mode = record.DpiLightMode;
    light.Speed = record.DpiLightSpeed;
    light.Step = SensorCodes::BrightnessStep(record.DpiLightBrightness);
    return light;
}

SensorView PlanSensorFill(const FlashDataMap &record, const SensorContext &context,
                          const SensorModel &model)
{
    SensorView view;
    const int rate = record.ReportRate;
    view.RateButton = SensorCodes::RateIndex(rate);
    // On a cable the mouse runs 2000 and 4000 Hz as 1000 Hz; 8000 Hz stays as it is.
    if (context.Wired && (rate == ReportRateCode::Hz2000 || rate == ReportRateCode::Hz4000))
        view.RateButton = SensorCodes::RateIndex(ReportRateCode::Hz1000);
    view.HighRateLevel = SensorCodes::HighRateLevel(context.Kind);

    view.ModeChoice = context.Has(SensorHeader::ModeSelect);
    if (view.ModeChoice) {
        view.ModeCorded = context.Wired || isReceiverAtHighRate(context.Kind, rate);
        view.ModeItem = view.ModeCorded ? SensorCodes::CordedItem : int(record.SensorMode);
    }

    view.ShortDistance = context.Chip == QLatin1String("3950");
    view.LodValue = int(record.Lod) - 1;
    view.LodEnabled = context.Has(SensorHeader::LodCalibration);

    view.PerformanceOn = record.PerformanceMode != 0;
    view.PerformanceItem = SensorCodes::PerformanceItem(record.PerformanceTime);

    view.Ripple = record.RippleControl != 0;
    view.StraightLine = record.StraightLine != 0;
    view.MotionSync = record.MotionSync != 0;
    view.RippleShown = context.Has(SensorHeader::Ripple);
    view.StraightLineShown = context.Has(SensorHeader::FixLine);

    view.Light = PlanSensorLight(record);

    view.Levels = clamped(context.MaxGrade, 0, MaxLevels);
    view.LevelCount = clamped(record.DpiStageCount, 1, MaxLevels);
    view.CurrentLevel = record.CurrentDpiStage < MaxLevels ? int(record.CurrentDpiStage) : -1;
    for (int i = 0; i < view.Levels; ++i) {
        const DpiStage &stage = record.DpiStages[i];
        view.LevelColors[i] = colourText(stage);
        view.LevelValues[i] = DecodeDpi(stage.CodeX, stage.Flags, model);
        if (i == view.CurrentLevel) {
            view.SliderValueKnown = true;
            view.SliderValue = view.LevelValues[i];
        }
    }
    view.SliderMinimum = model.DpiRangeTable.DpiMinText.toInt();
    view.SliderMaximum = model.DpiRangeTable.DpiMaxText.toInt();

    view.Reduced = context.Layout == 2;
    return view;
}

SensorModeChange ModeAfterRateReport(int code, const SensorContext &context, int storedMode)
{
    const int index = SensorCodes::RateIndex(code);
    if (index < 0 || context.Wired || !context.Has(SensorHeader::ModeSelect))
        return SensorModeChange();
    return index < SensorCodes::FirstHighRate ? stored(storedMode) : corded();
}

SensorModeChange ModeAfterRateClick(int high, const SensorContext &context, int storedMode)
{
    if (!context.Has(SensorHeader::ModeSelect))
        return SensorModeChange();
    if (high == 0)
        return context.Wired ? SensorModeChange() : stored(storedMode);
    const bool receiver = context.Kind == 1 || context.Kind == 4 || context.Kind == 5;
    if (high == 1 && receiver)
        return corded();
    return SensorModeChange();
}
