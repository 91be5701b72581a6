#pragma once

// The byte values stored in the device configuration record (flashdatamap.h). They are the
// device's codes, not ours: several are bit flags or table entries chosen by the firmware, which
// is why they are neither ordered nor contiguous.

#include <array>
#include <cstdint>

// The category byte of a ButtonFunction; the meaning of its Code and Param bytes follows.
namespace FunctionCategory {
constexpr std::uint8_t Disabled = 0;
constexpr std::uint8_t MouseButton = 1;     // Code: MouseButtonCode
constexpr std::uint8_t DpiControl = 2;      // Code: DpiControlCode
constexpr std::uint8_t HorizontalWheel = 3; // Code: HorizontalWheelCode
constexpr std::uint8_t FireKey = 4;         // Code: interval 10..255, Param: count 0..3 (0 = held)
constexpr std::uint8_t KeySequence = 5;     // events in the KeyRecord of the same slot
constexpr std::uint8_t Macro = 6;           // events in the MacroRecord of the same slot
constexpr std::uint8_t ReportRateSwitch = 7;
constexpr std::uint8_t Lighting = 8; // Code: LightingToggleCode
constexpr std::uint8_t ProfileSwitch = 9;
constexpr std::uint8_t DpiLock = 10;       // Code: the sensor DPI code of the locked DPI
constexpr std::uint8_t VerticalWheel = 11; // Code: VerticalWheelCode
constexpr std::uint8_t Last = VerticalWheel;
} // namespace FunctionCategory

// Mouse-button bits: the Code of FunctionCategory::MouseButton and of mouse-button key events.
namespace MouseButtonCode {
constexpr std::uint8_t Left = 1;
constexpr std::uint8_t Right = 2;
constexpr std::uint8_t Middle = 4;
constexpr std::uint8_t Back = 8;
constexpr std::uint8_t Forward = 16;
} // namespace MouseButtonCode

namespace DpiControlCode {
constexpr std::uint8_t Cycle = 1;
constexpr std::uint8_t Up = 2;
constexpr std::uint8_t Down = 3;
} // namespace DpiControlCode

namespace HorizontalWheelCode {
constexpr std::uint8_t Left = 1;
constexpr std::uint8_t Right = 2;
} // namespace HorizontalWheelCode

namespace VerticalWheelCode {
constexpr std::uint8_t Up = 1;
constexpr std::uint8_t Down = 2;
} // namespace VerticalWheelCode

// Code 2 exists in the firmware's numbering but the program never writes it.
namespace LightingToggleCode {
constexpr std::uint8_t AllLights = 0;
constexpr std::uint8_t DpiIndicator = 1;
constexpr std::uint8_t LightStrip = 3;
constexpr std::uint8_t NextStripEffect = 4;
} // namespace LightingToggleCode

namespace KeyEventAction {
constexpr std::uint8_t Press = 0;
constexpr std::uint8_t Release = 1;
} // namespace KeyEventAction

namespace KeyEventKind {
constexpr std::uint8_t Modifier = 0;    // Code: a modifier bit
constexpr std::uint8_t Keyboard = 1;    // Code: a HID keyboard usage
constexpr std::uint8_t Consumer = 2;    // Code: a HID consumer usage
constexpr std::uint8_t MouseButton = 4; // Code: a MouseButtonCode bit
} // namespace KeyEventKind

// Key records pause this long after every event.
constexpr std::uint32_t KeyRecordEventDelay = 10;

// One bit per rate, so the codes do not grow with the frequency.
namespace ReportRateCode {
constexpr std::uint8_t Hz125 = 8;
constexpr std::uint8_t Hz250 = 4;
constexpr std::uint8_t Hz500 = 2;
constexpr std::uint8_t Hz1000 = 1;
constexpr std::uint8_t Hz2000 = 16;
constexpr std::uint8_t Hz4000 = 32;
constexpr std::uint8_t Hz8000 = 64;
} // namespace ReportRateCode

// Lift-off distance. The 0.7 mm code came last, so it is 3 although it is the shortest distance.
namespace LodCode {
constexpr std::uint8_t Mm1 = 1;
constexpr std::uint8_t Mm2 = 2;
constexpr std::uint8_t Mm0_7 = 3;
} // namespace LodCode

constexpr std::uint8_t MaxDebounceTime = 15;

// The sleep-time choices in the order the lists offer them; the unit is the device's business.
constexpr std::array<std::uint8_t, 11> SleepTimeCodes = {1,   3,   6,   30,  60, 90,
                                                         120, 150, 180, 210, 240};
// The performance-mode time choices in list order.
constexpr std::array<std::uint8_t, 10> PerformanceTimeCodes = {3,  6,   12,  30,  60,
                                                               90, 150, 180, 210, 240};

namespace DpiLightModeCode {
constexpr std::uint8_t Steady = 1;
constexpr std::uint8_t Breathing = 2;
} // namespace DpiLightModeCode

// The DPI indicator's brightness for the slider's steps 1..10.
constexpr std::array<std::uint8_t, 10> DpiLightBrightnessCodes = {16,  30,  60,  90,  128,
                                                                  150, 180, 210, 230, 255};
constexpr std::uint8_t MinDpiLightSpeed = 1;
constexpr std::uint8_t MaxDpiLightSpeed = 5;

// Decorative light effects. The lighting page's index 0 means "off": it clears LightOn and leaves
// LightMode as it was, so LightMode itself only ever holds 1..5.
namespace LightModeCode {
constexpr std::uint8_t Off = 0;
constexpr std::uint8_t ColourFlow = 1;
constexpr std::uint8_t SingleColourBreathing = 2;
constexpr std::uint8_t MixedColourSteady = 3;
constexpr std::uint8_t Neon = 4;
constexpr std::uint8_t MixedColourBreathing = 5;
} // namespace LightModeCode

// Light speed and brightness are stored 0..9 and shown to the user as 1..10.
constexpr std::uint8_t MaxLightStep = 9;
