#include "core/recordlimits.h"

#include <algorithm>

namespace {

template <typename Codes>
bool oneOf(const Codes &codes, int value)
{
    return std::find(std::begin(codes), std::end(codes), value) != std::end(codes);
}

bool isSwitch(std::uint8_t value)
{
    return value <= 1;
}

bool globalsFit(const FlashDataMap &r)
{
    const int rates[] = {ReportRateCode::Hz125,  ReportRateCode::Hz250,  ReportRateCode::Hz500,
                         ReportRateCode::Hz1000, ReportRateCode::Hz2000, ReportRateCode::Hz4000,
                         ReportRateCode::Hz8000};
    // The sensor modes the page writes: LP and HP (its third, "Corded", is never written).
    constexpr int SensorModes = 2;
    return oneOf(rates, r.ReportRate) && r.DpiStageCount >= 1 &&
           r.DpiStageCount <= FlashDataMap::DpiStageSlots && r.CurrentDpiStage < r.DpiStageCount &&
           r.Lod >= LodCode::Mm1 && r.Lod <= LodCode::Mm0_7 && r.DebounceTime <= MaxDebounceTime &&
           isSwitch(r.MotionSync) && oneOf(SleepTimeCodes, r.SleepTime) &&
           isSwitch(r.StraightLine) && isSwitch(r.RippleControl) &&
           isSwitch(r.LightOffWhileMoving) && isSwitch(r.PerformanceMode) &&
           oneOf(PerformanceTimeCodes, r.PerformanceTime) && r.SensorMode < SensorModes;
}

bool lightsFit(const FlashDataMap &r)
{
    return (r.DpiLightMode == DpiLightModeCode::Steady ||
            r.DpiLightMode == DpiLightModeCode::Breathing) &&
           oneOf(DpiLightBrightnessCodes, r.DpiLightBrightness) &&
           r.DpiLightSpeed >= MinDpiLightSpeed && r.DpiLightSpeed <= MaxDpiLightSpeed &&
           isSwitch(r.DpiLightOn) && r.LightMode >= LightModeCode::ColourFlow &&
           r.LightMode <= LightModeCode::MixedColourBreathing && r.LightSpeed <= MaxLightStep &&
           r.LightBrightness <= MaxLightStep && isSwitch(r.LightOn);
}

bool functionFits(const ButtonFunction &f)
{
    switch (f.Category) {
    case FunctionCategory::MouseButton: {
        const int buttons[] = {MouseButtonCode::Left, MouseButtonCode::Right,
                               MouseButtonCode::Middle, MouseButtonCode::Back,
                               MouseButtonCode::Forward};
        return oneOf(buttons, f.Code);
    }
    case FunctionCategory::DpiControl:
        return f.Code >= DpiControlCode::Cycle && f.Code <= DpiControlCode::Down;
    case FunctionCategory::HorizontalWheel:
    case FunctionCategory::VerticalWheel:
        return f.Code == 1 || f.Code == 2;
    case FunctionCategory::FireKey:
        return f.Code >= 10 && f.Param <= 3;
    case FunctionCategory::Lighting: {
        const int toggles[] = {LightingToggleCode::AllLights, LightingToggleCode::DpiIndicator,
                               LightingToggleCode::LightStrip, LightingToggleCode::NextStripEffect};
        return oneOf(toggles, f.Code);
    }
    default:
        return f.Category <= FunctionCategory::Last;
    }
}

bool eventFits(const KeyEvent &event)
{
    const int kinds[] = {KeyEventKind::Modifier, KeyEventKind::Keyboard, KeyEventKind::Consumer,
                         KeyEventKind::MouseButton};
    return event.Action <= KeyEventAction::Release && oneOf(kinds, event.Kind);
}

bool buttonsFit(const FlashDataMap &r)
{
    bool leftClick = false;
    for (const ButtonFunction &f : r.ButtonFunctions) {
        if (!functionFits(f))
            return false;
        leftClick = leftClick || (f.Category == FunctionCategory::MouseButton &&
                                  f.Code == MouseButtonCode::Left);
    }
    // The button rows never let the last left click go: without one the mouse cannot click.
    if (!leftClick)
        return false;
    for (const KeyRecord &keys : r.KeyRecords) {
        if (keys.Count > KeyRecord::MaxEvents ||
            !std::all_of(keys.Events, keys.Events + keys.Count, eventFits))
            return false;
    }
    for (const MacroRecord &macro : r.Macros) {
        if (macro.NameLength > MacroRecord::NameCapacity ||
            macro.EventCount > MacroRecord::MaxEvents ||
            !std::all_of(macro.Events, macro.Events + macro.EventCount, eventFits))
            return false;
    }
    return true;
}

} // namespace

bool RecordLimits::WithinPages(const FlashDataMap &record)
{
    return globalsFit(record) && lightsFit(record) && buttonsFit(record);
}
