#include "sensor/model/sensorcodes.h"

#include "core/record/recordcodes.h"

#include <array>
#include <cstddef>

namespace {

template <typename Table>
int codeAt(const Table &table, int index)
{
    return index >= 0 && index < int(table.size()) ? int(table[std::size_t(index)]) : -1;
}

template <typename Table>
int indexOf(const Table &table, int code)
{
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (int(table[i]) == code)
            return int(i);
    }
    return -1;
}

// One bit per rate, so the codes do not rise with the rate.
constexpr std::array<int, SensorCodes::RateButtons> RateCodes = {
    ReportRateCode::Hz125,  ReportRateCode::Hz250,  ReportRateCode::Hz500, ReportRateCode::Hz1000,
    ReportRateCode::Hz2000, ReportRateCode::Hz4000, ReportRateCode::Hz8000};

// Rows: levels 0..3; columns: the 2000, 4000 and 8000 Hz buttons. A level-1 connection offers
// 2000 and 4000 Hz, a level-2 one only 2000 Hz.
constexpr bool HighRates[4][3] = {
    {false, false, false}, {true, true, false}, {true, false, false}, {true, true, true}};

// The list with the short distance first: 0.7 mm, 1 mm, 2 mm.
constexpr std::array<int, 3> LodWithShort = {LodCode::Mm0_7, LodCode::Mm1, LodCode::Mm2};

constexpr std::array<int, SensorCodes::PerformanceItems> PerformanceTimes = {3, 6, 12, 30, 60, 90};

} // namespace

int SensorCodes::RateCode(int index)
{
    return codeAt(RateCodes, index);
}

int SensorCodes::RateIndex(int code)
{
    return indexOf(RateCodes, code);
}

int SensorCodes::HighRateLevel(int kind)
{
    switch (kind) {
    case 0:
    case 2:
        return 0;
    case 1:
        return 1;
    case 4:
        return 2;
    case 3:
    case 5:
        return 3;
    default:
        return -1;
    }
}

bool SensorCodes::HighRateShown(int level, int index)
{
    if (level < 0 || level > 3 || index < FirstHighRate || index >= RateButtons)
        return false;
    return HighRates[level][index - FirstHighRate];
}

int SensorCodes::LodCode(int index, int entries)
{
    if (entries == 3)
        return codeAt(LodWithShort, index);
    // The two-entry list: 1 mm and 2 mm, their codes one above their index.
    return index >= 0 && index < 2 ? index + 1 : -1;
}

int SensorCodes::LodIndex(int value, int entries)
{
    if (entries == 3)
        return indexOf(LodWithShort, value + 1);
    return value;
}

int SensorCodes::BrightnessCode(int step)
{
    return codeAt(DpiLightBrightnessCodes, step - 1);
}

int SensorCodes::BrightnessStep(int code)
{
    const int index = indexOf(DpiLightBrightnessCodes, code);
    return index < 0 ? code : index + 1;
}

bool SensorCodes::LightRowsOf(int mode, LightRows *rows)
{
    switch (mode) {
    case 0:
        *rows = {false, false, true, true};
        return true;
    case DpiLightModeCode::Steady:
        *rows = {false, true, true, false};
        return true;
    case DpiLightModeCode::Breathing:
        *rows = {true, false, false, true};
        return true;
    default:
        return false;
    }
}

int SensorCodes::PerformanceTime(int item)
{
    return codeAt(PerformanceTimes, item);
}

int SensorCodes::PerformanceItem(int time)
{
    return indexOf(PerformanceTimes, time);
}

int SensorCodes::SleepTime(int index)
{
    return codeAt(SleepTimeCodes, index);
}

int SensorCodes::SleepIndex(int time)
{
    return indexOf(SleepTimeCodes, time);
}
