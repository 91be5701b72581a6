#pragma once

// The mouse's stored configuration as one fixed record of 10428 bytes. The same bytes go to the
// device library, into device cache files and into settings export files, so every offset, width
// and reserved byte below is fixed: this is a wire and file format, not an in-memory convenience.
//
// All members are single bytes or arrays of bytes, so no compiler inserts padding and the record
// has alignment 1. The two multi-byte numbers (a key event's code and delay) are kept as byte
// arrays and read or written little-endian through accessors, whatever the host's byte order.
//
// The types are trivial: `FlashDataMap record{};` is all zero bytes, a plain declaration holds
// whatever its storage held (like the device's own record), and copying is a byte copy. That lets
// the record be memcpy'd to and from files and passed by value in queued signals.

#include "core/record/recordcodes.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <type_traits>

namespace LittleEndian {
inline std::uint16_t readU16(const std::uint8_t *bytes)
{
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}
inline void writeU16(std::uint8_t *bytes, std::uint16_t value)
{
    bytes[0] = static_cast<std::uint8_t>(value & 0xFF);
    bytes[1] = static_cast<std::uint8_t>(value >> 8);
}
inline std::uint32_t readU32(const std::uint8_t *bytes)
{
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}
inline void writeU32(std::uint8_t *bytes, std::uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
}
} // namespace LittleEndian

// One DPI level: the sensor's register code (from the sensor page's DPI encoder) and the level's
// indicator colour. The program always writes CodeY equal to CodeX.
struct DpiStage
{
    std::uint8_t CodeX;
    std::uint8_t CodeY;
    std::uint8_t Flags; // sensor-dependent high register bits and range bits
    std::uint8_t Red;
    std::uint8_t Green;
    std::uint8_t Blue;
};

// A button's assignment. Category is a FunctionCategory code; Code and Param mean what that
// category says (recordcodes.h). Categories 5 and 6 take their events from the key record or the
// macro of the same slot.
struct ButtonFunction
{
    std::uint8_t Category;
    std::uint8_t Code;
    std::uint8_t Param;
};

// One key or mouse event: a press or release of a modifier bit, a keyboard or consumer usage or a
// mouse-button bit, followed by a pause.
struct KeyEvent
{
    std::uint8_t Action;       // KeyEventAction
    std::uint8_t Kind;         // KeyEventKind
    std::uint8_t CodeBytes[2]; // Code: unsigned 16-bit little-endian
    std::uint8_t
        DelayBytes[4]; // Delay: unsigned 32-bit little-endian, milliseconds after the event

    std::uint16_t code() const { return LittleEndian::readU16(CodeBytes); }
    void setCode(std::uint16_t value) { LittleEndian::writeU16(CodeBytes, value); }
    std::uint32_t delay() const { return LittleEndian::readU32(DelayBytes); }
    void setDelay(std::uint32_t value) { LittleEndian::writeU32(DelayBytes, value); }
};

// The events of a key-sequence button (a multimedia key or a key combination): two events per
// key, a press and a release.
struct KeyRecord
{
    static constexpr std::size_t MaxEvents = 6;

    std::uint8_t Count;       // events in use, 0..6
    std::uint8_t Reserved[3]; // always zero
    KeyEvent Events[MaxEvents];
};

// A macro bound to a button: its name in the local 8-bit code page and up to 70 events.
struct MacroRecord
{
    static constexpr std::size_t NameCapacity = 30;
    static constexpr std::size_t MaxEvents = 70;

    std::uint8_t NameLength; // bytes of Name in use
    // A name of exactly 30 bytes has no terminating zero; NameLength is what bounds it.
    std::uint8_t Name[NameCapacity];
    std::uint8_t EventCount; // 0..70
    KeyEvent Events[MaxEvents];

    // The stored name's bytes, never more than the 30 the field holds whatever NameLength says.
    std::size_t nameSize() const { return NameLength < NameCapacity ? NameLength : NameCapacity; }
    // Stores the first 30 bytes at most of a name, zero-fills the rest of the field and sets
    // NameLength; returns the number of bytes stored.
    std::size_t setName(const char *bytes, std::size_t length);
};

struct FlashDataMap
{
    static constexpr std::size_t Size = 10428;
    static constexpr std::size_t DpiStageSlots = 8;
    static constexpr std::size_t ButtonSlots = 16;

    // The DPI-indicator bytes 0x3F..0x42, filled by the device library's DPI-light decoder.
    static constexpr std::size_t DpiLightBlockOffset = 0x3F;
    static constexpr std::size_t DpiLightBlockSize = 4;
    // The light-bar bytes 0x43..0x49, filled by the device library's light-bar decoder.
    static constexpr std::size_t LightBarBlockOffset = 0x43;
    static constexpr std::size_t LightBarBlockSize = 7;
    // All key records and macros: the block a factory reset clears.
    static constexpr std::size_t KeysAndMacrosOffset = 0x7C;
    static constexpr std::size_t KeysAndMacrosSize = Size - KeysAndMacrosOffset;

    std::uint8_t ReportRate;      // ReportRateCode
    std::uint8_t DpiStageCount;   // DPI stages in use, 1..8
    std::uint8_t CurrentDpiStage; // 0..7
    // Reserved setting bytes: the program never interprets them and sends back what the device
    // reported.
    std::uint8_t Byte03;
    std::uint8_t Byte04;
    std::uint8_t Lod;                 // LodCode
    std::uint8_t DebounceTime;        // 0..MaxDebounceTime
    std::uint8_t MotionSync;          // 0 off, 1 on
    std::uint8_t SleepTime;           // one of SleepTimeCodes
    std::uint8_t StraightLine;        // angle snapping, 0 off, 1 on
    std::uint8_t RippleControl;       // 0 off, 1 on
    std::uint8_t LightOffWhileMoving; // 0 off, 1 on
    std::uint8_t PerformanceMode;     // 0 off, 1 on
    std::uint8_t PerformanceTime;     // one of PerformanceTimeCodes
    std::uint8_t SensorMode;          // the sensor page's sensor-mode index
    DpiStage DpiStages[DpiStageSlots];
    // Switching a light off clears only its On byte: the mode byte keeps the last effect.
    std::uint8_t DpiLightMode;       // DpiLightModeCode
    std::uint8_t DpiLightBrightness; // one of DpiLightBrightnessCodes
    std::uint8_t DpiLightSpeed;      // MinDpiLightSpeed..MaxDpiLightSpeed
    std::uint8_t DpiLightOn;         // 0 off, 1 on
    std::uint8_t LightMode;          // LightModeCode, 1..5
    std::uint8_t LightRed;
    std::uint8_t LightGreen;
    std::uint8_t LightBlue;
    std::uint8_t LightSpeed;      // 0..MaxLightStep, shown as 1..10
    std::uint8_t LightBrightness; // 0..MaxLightStep, shown as 1..10
    std::uint8_t LightOn;         // 0 off, 1 on
    ButtonFunction ButtonFunctions[ButtonSlots];
    std::uint8_t Reserved7A[2]; // never interpreted; sent back as the device reported them
    KeyRecord KeyRecords[ButtonSlots];
    MacroRecord Macros[ButtonSlots];

    // The record as the raw bytes that go to the device library, cache and export files.
    std::uint8_t *bytes() { return reinterpret_cast<std::uint8_t *>(this); }
    const std::uint8_t *bytes() const { return reinterpret_cast<const std::uint8_t *>(this); }
};

static_assert(std::is_trivially_copyable<FlashDataMap>::value, "the record is copied as bytes");
static_assert(std::is_trivial<FlashDataMap>::value, "no constructor: storage decides the content");
static_assert(std::is_standard_layout<FlashDataMap>::value, "offsetof must be meaningful");
static_assert(alignof(FlashDataMap) == 1, "byte members only: no padding anywhere");

static_assert(sizeof(DpiStage) == 6, "DpiStage layout");
static_assert(sizeof(ButtonFunction) == 3, "ButtonFunction layout");
static_assert(sizeof(KeyEvent) == 8, "KeyEvent layout");
static_assert(offsetof(KeyEvent, CodeBytes) == 2 && offsetof(KeyEvent, DelayBytes) == 4,
              "KeyEvent layout");
static_assert(sizeof(KeyRecord) == 52 && offsetof(KeyRecord, Events) == 4, "KeyRecord layout");
static_assert(sizeof(MacroRecord) == 592, "MacroRecord layout");
static_assert(offsetof(MacroRecord, Name) == 1 && offsetof(MacroRecord, EventCount) == 31 &&
                  offsetof(MacroRecord, Events) == 32,
              "MacroRecord layout");

static_assert(sizeof(FlashDataMap) == FlashDataMap::Size, "FlashDataMap is 10428 bytes");
static_assert(offsetof(FlashDataMap, Lod) == 0x05, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, SleepTime) == 0x08, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, SensorMode) == 0x0E, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, DpiStages) == 0x0F, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, DpiLightMode) == FlashDataMap::DpiLightBlockOffset,
              "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, LightMode) == FlashDataMap::LightBarBlockOffset,
              "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, LightOn) + 1 ==
                  FlashDataMap::LightBarBlockOffset + FlashDataMap::LightBarBlockSize,
              "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, ButtonFunctions) == 0x4A, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, Reserved7A) == 0x7A, "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, KeyRecords) == FlashDataMap::KeysAndMacrosOffset,
              "FlashDataMap layout");
static_assert(offsetof(FlashDataMap, Macros) == 0x3BC, "FlashDataMap layout");
