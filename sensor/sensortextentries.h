#pragma once

// The positions of the sensor page's texts in the language files' Sensor section; a host of the
// panels' second layouts takes their titles from the same entries.
namespace SensorText {
constexpr int DpiTitle = 0;
constexpr int RateTitle = 1;
constexpr int SettingsTitle = 2;
constexpr int ModeTitle = 3;
constexpr int LodTitle = 4;
constexpr int Performance = 5;
constexpr int RippleTitle = 6;
constexpr int StraightLineTitle = 7;
constexpr int MotionSyncTitle = 8;
constexpr int FirstDuration = 9; // 9..14: the six durations
constexpr int LightTitle = 15;
constexpr int FirstLightMode = 16; // 16..18: off, steady, breathing
constexpr int SpeedTitle = 19;
constexpr int BrightnessTitle = 20;
constexpr int ModeTip = 21;
constexpr int LodTip = 22;
constexpr int PerformanceTip = 23;
constexpr int MotionSyncTip = 24;
constexpr int StraightLineTip = 25;
constexpr int RippleTip = 26;
} // namespace SensorText
