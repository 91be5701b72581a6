#include "tests/support/records.h"

#include "platform/devicelib/simulationcontrol.h"

#include <cstring>

QByteArray recordBytes(const FlashDataMap &record)
{
    return QByteArray(reinterpret_cast<const char *>(record.bytes()), int(FlashDataMap::Size));
}

FlashDataMap plausibleRecord(std::uint8_t seed, int stages)
{
    FlashDataMap r{};
    auto next = [value = unsigned(seed)]() mutable {
        value = value * 37 + 11;
        return std::uint8_t(value >> 3);
    };
    r.ReportRate = ReportRateCode::Hz500;
    r.DpiStageCount = std::uint8_t(stages);
    r.CurrentDpiStage = std::uint8_t(stages > 0 ? stages - 1 : 0);
    r.Byte03 = next();
    r.Byte04 = next();
    r.Lod = LodCode::Mm2;
    r.DebounceTime = std::uint8_t(seed % (MaxDebounceTime + 1));
    r.MotionSync = 1;
    r.SleepTime = SleepTimeCodes[seed % SleepTimeCodes.size()];
    r.RippleControl = 1;
    r.PerformanceTime = PerformanceTimeCodes[seed % PerformanceTimeCodes.size()];
    r.SensorMode = 1;
    for (DpiStage &stage : r.DpiStages)
        stage = {next(), next(), next(), next(), next(), next()};
    r.DpiLightMode = DpiLightModeCode::Breathing;
    r.DpiLightBrightness = DpiLightBrightnessCodes[seed % DpiLightBrightnessCodes.size()];
    r.DpiLightSpeed = MaxDpiLightSpeed;
    r.DpiLightOn = 1;
    r.LightMode = LightModeCode::Neon;
    r.LightRed = next();
    r.LightGreen = next();
    r.LightBlue = next();
    r.LightSpeed = MaxLightStep;
    r.LightBrightness = 3;
    r.ButtonFunctions[0] = {FunctionCategory::MouseButton, MouseButtonCode::Left, 0};
    r.ButtonFunctions[1] = {FunctionCategory::FireKey, 200, 3};
    r.ButtonFunctions[2] = {FunctionCategory::DpiLock, next(), next()};
    for (std::size_t slot = 3; slot < FlashDataMap::ButtonSlots; ++slot)
        r.ButtonFunctions[slot] = {FunctionCategory::Macro, next(), next()};
    r.Reserved7A[0] = next();
    r.Reserved7A[1] = next();
    const auto event = [&](KeyEvent &e, int i) {
        e.Action = std::uint8_t(i % 2);
        e.Kind = std::uint8_t(i % 3);
        e.setCode(std::uint16_t(next() | next() << 8));
        e.setDelay(next());
    };
    for (std::size_t slot = 0; slot < FlashDataMap::ButtonSlots; ++slot) {
        KeyRecord &keys = r.KeyRecords[slot];
        keys.Count = std::uint8_t((seed + slot) % (KeyRecord::MaxEvents + 1));
        for (std::size_t i = 0; i < KeyRecord::MaxEvents; ++i)
            event(keys.Events[i], int(i));
        MacroRecord &macro = r.Macros[slot];
        macro.NameLength = std::uint8_t((seed + slot) % (MacroRecord::NameCapacity + 1));
        for (std::uint8_t &byte : macro.Name)
            byte = next();
        macro.EventCount = std::uint8_t((seed + slot * 9) % (MacroRecord::MaxEvents + 1));
        for (std::size_t i = 0; i < MacroRecord::MaxEvents; ++i)
            event(macro.Events[i], int(i));
    }
    return r;
}

FlashDataMap mouseRecord(const QString &mouse)
{
    FlashDataMap record{};
    const QByteArray bytes = SimulationControl::storedRecord(mouse);
    if (bytes.size() == int(FlashDataMap::Size))
        std::memcpy(record.bytes(), bytes.constData(), FlashDataMap::Size);
    return record;
}
