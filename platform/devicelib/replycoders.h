#pragma once

#include "core/record/flashdatamap.h"

#include <QByteArray>

// The small replies and notifications of a virtual mouse, as the device puts them on the wire.
// The decoders that the program calls (BufferToDPILed, BufferToLedBar, GetDeviceBatteryStatus,
// GetDeviceStatusChanged, devicelib.h) read exactly these forms:
//
//   DPI light reply, 8 bytes:   0x4C, 4, DpiLightMode, DpiLightBrightness, DpiLightSpeed,
//                               DpiLightOn, 0, 0
//   light bar reply, 9 bytes:   0xA0, 7, LightMode, LightRed, LightGreen, LightBlue, LightSpeed,
//                               LightBrightness, LightOn
//   battery event, 4 bytes:     level in percent (0..100), charging (0/1), 0, 0
//   status change, 2 bytes:     bit i of byte 0 = item i changed (0 DPI stage, 1 report rate,
//                               2 profile, 3 DPI light, 5 light bar, 6 battery), 0
namespace ReplyCoders {

inline constexpr int DpiLightBlockSize = 4; // record bytes 0x3F..0x42
inline constexpr int LedBarBlockSize = 7;   // record bytes 0x43..0x49
static_assert(DpiLightBlockSize == FlashDataMap::DpiLightBlockSize &&
              LedBarBlockSize == FlashDataMap::LightBarBlockSize);
inline constexpr int BatteryEventSize = 4;
inline constexpr int StatusEventSize = 2;

enum StatusItem
{
    DpiStageItem = 0,
    ReportRateItem = 1,
    ProfileItem = 2,
    DpiLightItem = 3,
    LedBarItem = 5,
    BatteryItem = 6
};

QByteArray encodeDpiLight(const unsigned char *block);
QByteArray encodeLedBar(const unsigned char *block);
QByteArray encodeBattery(int level, bool charging);
QByteArray encodeStatusChanged(unsigned itemMask);

bool decodeDpiLight(const unsigned char *payload, unsigned char *block);
bool decodeLedBar(const unsigned char *payload, unsigned char *block);
void decodeBattery(const unsigned char *payload, unsigned char *batteryStatus);
void decodeStatusChanged(const unsigned char *payload, unsigned char *flags);

} // namespace ReplyCoders
