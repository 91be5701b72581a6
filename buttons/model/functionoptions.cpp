#include "buttons/model/functionoptions.h"

#include "buttons/model/keyrecords.h"
#include "core/record/recordcodes.h"

#include <array>
#include <cstring>
#include <tuple>

namespace {

// Scroll steps of the multimedia list, in the order of the page's multimedia keys. They follow
// the list except for the two browser keys: back (0x224) is step 13 and forward (0x225) step 14,
// although the list shows forward first. Both stay in view at 15 px a step.
constexpr std::array<int, 18> MultimediaSteps = {0, 1,  2,  3,  4,  5,  6,  7,  8,
                                                 9, 10, 11, 12, 14, 13, 15, 16, 17};
static_assert(MultimediaSteps.size() == std::tuple_size<decltype(MultimediaKeys)>::value,
              "one step per multimedia key");

// The DPI-lock options in the order of their list; the list's step is the index.
struct DpiLockButton
{
    const char *Option;
    int Dpi;
};
constexpr DpiLockButton DpiLockButtons[] = {
    {"VolumeUp_11", 100}, {"VolumeUp_12", 200},  {"VolumeUp_13", 300},  {"VolumeUp_16", 400},
    {"VolumeUp_15", 500}, {"VolumeUp_19", 600},  {"VolumeUp_20", 700},  {"VolumeUp_22", 800},
    {"VolumeUp_18", 900}, {"VolumeUp_24", 1000}, {"VolumeUp_23", 1100}, {"VolumeUp_21", 1200}};

QVector<FunctionOption> buildOptions()
{
    using namespace FunctionCategory;
    const OptionFamily basic = OptionFamily::Basic;
    const OptionFamily sub = OptionFamily::SubOption;
    QVector<FunctionOption> options = {
        {"LeftKey_3", basic, MouseButton, MouseButtonCode::Left, 0, 0, 0},
        {"RightKey_3", basic, MouseButton, MouseButtonCode::Right, 0, 0, 1},
        {"MidKey", basic, MouseButton, MouseButtonCode::Middle, 0, 0, 2},
        {"BackKey_2", basic, MouseButton, MouseButtonCode::Back, 0, 0, 3},
        {"ForWardKey", basic, MouseButton, MouseButtonCode::Forward, 0, 0, 4},
        {"DPI_2", basic, ReportRateSwitch, 0, 0, 0, 0},
        {"DPI_3", basic, ProfileSwitch, 0, 0, 0, 0},
        {"DPI_5", basic, Disabled, 0, 0, 0, 0},
        {"DPI_6", basic, FireKey, 0, 0, 0, 0},
        {"VolumeUp_8", sub, DpiControl, DpiControlCode::Cycle, 0, 0, 0},
        {"VolumeUp_9", sub, DpiControl, DpiControlCode::Up, 0, 0, 0},
        {"VolumeUp_10", sub, DpiControl, DpiControlCode::Down, 0, 0, 0},
        {"VolumeUp_2", sub, HorizontalWheel, HorizontalWheelCode::Left, 0, 0, 0},
        {"VolumeDown_2", sub, HorizontalWheel, HorizontalWheelCode::Right, 0, 0, 0},
        {"VolumeUp_4", sub, Lighting, LightingToggleCode::AllLights, 0, 0, 0},
        {"VolumeUp_5", sub, Lighting, LightingToggleCode::DpiIndicator, 0, 0, 0},
        {"VolumeUp_6", sub, Lighting, LightingToggleCode::LightStrip, 0, 0, 0},
        {"VolumeUp_7", sub, Lighting, LightingToggleCode::NextStripEffect, 0, 0, 0},
        {"VolumeUp_14", sub, VerticalWheel, VerticalWheelCode::Up, 0, 0, 0},
        {"VolumeDown_14", sub, VerticalWheel, VerticalWheelCode::Down, 0, 0, 0},
    };
    int step = 0;
    for (const DpiLockButton &button : DpiLockButtons)
        options.append({button.Option, OptionFamily::DpiLock, DpiLock, 0, button.Dpi, 0, step++});
    for (std::size_t i = 0; i < MultimediaKeys.size(); ++i) {
        const MultimediaKey &key = MultimediaKeys[i];
        options.append({key.Option, OptionFamily::Multimedia, KeySequence, 0, 0, key.Usage,
                        MultimediaSteps[i]});
    }
    return options;
}

template <typename Match>
const FunctionOption *findFirst(Match match)
{
    for (const FunctionOption &option : FunctionOptions()) {
        if (match(option))
            return &option;
    }
    return nullptr;
}

} // namespace

const QVector<FunctionOption> &FunctionOptions()
{
    static const QVector<FunctionOption> options = buildOptions();
    return options;
}

const FunctionOption *FindOption(const char *option)
{
    if (!option)
        return nullptr;
    return findFirst(
        [option](const FunctionOption &o) { return std::strcmp(o.Option, option) == 0; });
}

const FunctionOption *OptionOfStoredCode(int category, int code)
{
    using namespace FunctionCategory;
    switch (category) {
    case MouseButton:
    case DpiControl:
    case HorizontalWheel:
    case Lighting:
    case VerticalWheel:
        break;
    default:
        return nullptr;
    }
    return findFirst([category, code](const FunctionOption &o) {
        return o.Category == category && o.Code == code;
    });
}

const FunctionOption *DpiLockOption(int dpi)
{
    return findFirst([dpi](const FunctionOption &o) {
        return o.Family == OptionFamily::DpiLock && o.Dpi == dpi;
    });
}

const FunctionOption *MultimediaOption(int lowByte)
{
    return findFirst([lowByte](const FunctionOption &o) {
        return o.Family == OptionFamily::Multimedia && (o.Usage & 0xFF) == lowByte;
    });
}
