#pragma once

// What each choice of a sensor panel stores in the device record, and the way back from a stored
// byte to the choice a panel shows. The panels, the sensor page's fill and the panels' second
// layouts all read these tables, so a code is written down once. Widget-free.
namespace SensorCodes {

// --- Report rate: the rate buttons 125, 250, 500, 1000, 2000, 4000 and 8000 Hz, index 0..6. ---
constexpr int RateButtons = 7;
// The first button above 1000 Hz: a click from it on tells the page that the sensor mode is the
// mouse's own choice ("Corded").
constexpr int FirstHighRate = 4;
// The record code of button `index`; -1 outside 0..6.
int RateCode(int index);
// The button of a record code; -1 for a code no button has.
int RateIndex(int code);
// Which rates above 1000 Hz a connection of `kind` offers (the level ShowHighRates takes); -1 for
// a kind the page does not know, which leaves the buttons as they are.
int HighRateLevel(int kind);
// Whether button `index` (4..6) is shown at `level` (0..3). Levels outside 0..3 answer false.
bool HighRateShown(int level, int index);

// --- Lift-off distance: "1mm", "2mm" and, first when the sensor has it, "0.7mm". ---
// The code the list entry `index` stands for, with `entries` (2 or 3) in the list; -1 for none.
int LodCode(int index, int entries);
// The entry to select for SetLod's value (the stored code minus one); -1 for none. Any list
// other than three entries takes the value as the entry itself, as the form's two entries are.
int LodIndex(int value, int entries);

// --- DPI indicator light: mode list off, steady, breathing; brightness steps 1..10. ---
constexpr int LightModes = 3;
constexpr int BrightnessSteps = 10;
// The stored brightness of step 1..10; -1 outside.
int BrightnessCode(int step);
// The step of a stored brightness; any other code is passed on unchanged (the slider then shows
// its nearest end).
int BrightnessStep(int code);
// What the panel shows in each mode: the speed row, the brightness row, and the lines that stand
// in each row's place when its slider is hidden.
struct LightRows
{
    bool Speed;
    bool Brightness;
    bool SpeedLine;
    bool BrightnessLine;
};
// false for a mode outside 0..2.
bool LightRowsOf(int mode, LightRows *rows);

// --- Performance mode: the six durations of the page's list. ---
constexpr int PerformanceItems = 6;
// PerformanceTime of item 0..5 (units of 10 s); -1 outside.
int PerformanceTime(int item);
// The item of a stored time; -1 for a time the list does not offer.
int PerformanceItem(int time);

// --- Sleep time: eleven times from 10 s to 40 min. ---
constexpr int SleepTimes = 11;
// SleepTime of entry 0..10 (units of 10 s); -1 outside.
int SleepTime(int index);
// The entry of a stored time; -1 for a time the list does not offer.
int SleepIndex(int time);

// --- Debounce time: the list index is the stored value. ---
constexpr int DebounceEntries = 16;
// Entries up to this one are short enough that the user is told to wait while it is written.
constexpr int DebounceNoticeLast = 7;

// --- Sensor mode: LP, HP and the mouse's own "Corded", which is never written. ---
constexpr int ModeItems = 3;
constexpr int CordedItem = 2;

} // namespace SensorCodes
