// The sensor page's fill without its widgets: what the page would show of an arbitrary record for
// a model of the shipped Config.ini, with the shipped sensor header. An input is a model number
// (the device's DriveIndex), a connection kind and then the record's bytes (cut at 10428, zero-
// filled when shorter). Beyond the sanitizers it checks what the page relies on to never address
// a ninth DPI level: every level index it gives is in 0..7 (or -1 for none), every count in 1..8,
// and every other index within the widget it is meant for.
#include "core/configini.h"
#include "core/deviceallinfo.h"
#include "fuzz/fuzzsupport.h"
#include "sensor/model/sensorcodes.h"
#include "sensor/model/sensorheader.h"
#include "sensor/model/sensorview.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {

SensorDefines &header()
{
    static SensorDefines defines;
    return defines;
}

void expect(bool condition)
{
    if (!condition)
        std::abort();
}

bool within(int value, int low, int high)
{
    return value >= low && value <= high;
}

void checkMode(const SensorModeChange &change)
{
    if (change.Corded)
        expect(change.Apply && change.Item == SensorCodes::CordedItem);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialise(argc, argv);
    Fuzz::installShippedConfig();
    header() = LoadSensorHeader(QStringLiteral(ZR35_SOURCE_DIR "/assets/driver_sensor.h"));
    // A header that did not load would test the fill without a chip table or a feature.
    expect(!header().DefineNames.isEmpty());
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size < 2)
        return 0;
    DeviceAllInfo device;
    device.DriveIndex = data[0];
    device.Kind = data[1];
    device.Wired = DeviceAllInfo::WiredFromKind(device.Kind);
    FlashDataMap record{};
    std::memcpy(record.bytes(), data + 2, std::min<std::size_t>(size - 2, FlashDataMap::Size));

    const SensorContext context = LoadSensorContext(device, header().SensorFeatureLists);
    SensorModel model;
    model.SensorChip = context.Chip;
    model.DefineNames = header().DefineNames;
    model.DefineValues = header().DefineValues;
    model.DpiRangeTable.Load(ConfigIni::instance()->valueList(
        QStringLiteral("Drive%1").arg(device.DriveIndex + 1), QStringLiteral("DPIRange")));
    const SensorView view = PlanSensorFill(record, context, model);

    expect(within(view.Levels, 0, 8));
    expect(within(view.LevelCount, 1, 8));
    expect(within(view.CurrentLevel, -1, 7));
    expect(!view.SliderValueKnown || view.CurrentLevel < view.Levels);
    expect(within(view.RateButton, -1, SensorCodes::RateButtons - 1));
    expect(within(view.HighRateLevel, -1, 3));
    expect(within(view.Light.Mode, -1, 2));
    expect(within(view.PerformanceItem, -1, SensorCodes::PerformanceItems - 1));
    if (view.ModeCorded)
        expect(view.ModeChoice && view.ModeItem == SensorCodes::CordedItem);
    for (int i = 0; i < view.Levels; ++i)
        expect(view.LevelColors[i].size() == 7);

    checkMode(ModeAfterRateReport(record.ReportRate, context, record.SensorMode));
    checkMode(ModeAfterRateClick(record.ReportRate & 1, context, record.SensorMode));
    return 0;
}
