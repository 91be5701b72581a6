#include "tests/support/records.h"

#include "platform/devicelib/simulationcontrol.h"

#include <cstring>
#include <type_traits>

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

namespace {

// One member of a record structure: an array's elements are named by index, and a structure
// element by the member inside it (`inner` names the member at an offset within one element).
struct Field
{
    const char *name;
    std::size_t offset;
    std::size_t size;
    std::size_t elementSize;
    QString (*inner)(std::size_t offset);
};

#define ZR35_FIELD(Type, member, inner)                                                            \
    Field                                                                                          \
    {                                                                                              \
#member, offsetof(Type, member), sizeof(Type::member),                                     \
            sizeof(std::remove_extent_t <decltype(Type::member)>), inner                           \
    }

template <std::size_t Count>
QString fieldAt(const Field (&fields)[Count], std::size_t offset)
{
    for (const Field &field : fields) {
        if (offset < field.offset || offset >= field.offset + field.size)
            continue;
        const std::size_t within = offset - field.offset;
        QString name = QString::fromLatin1(field.name);
        if (field.size != field.elementSize)
            name += QStringLiteral("[%1]").arg(within / field.elementSize);
        if (field.inner)
            name += QLatin1Char('.') + field.inner(within % field.elementSize);
        return name;
    }
    return QStringLiteral("?");
}

QString keyEventField(std::size_t offset)
{
    static const Field fields[] = {
        ZR35_FIELD(KeyEvent, Action, nullptr), ZR35_FIELD(KeyEvent, Kind, nullptr),
        ZR35_FIELD(KeyEvent, CodeBytes, nullptr), ZR35_FIELD(KeyEvent, DelayBytes, nullptr)};
    return fieldAt(fields, offset);
}

QString keyRecordField(std::size_t offset)
{
    static const Field fields[] = {ZR35_FIELD(KeyRecord, Count, nullptr),
                                   ZR35_FIELD(KeyRecord, Reserved, nullptr),
                                   ZR35_FIELD(KeyRecord, Events, keyEventField)};
    return fieldAt(fields, offset);
}

QString macroField(std::size_t offset)
{
    static const Field fields[] = {ZR35_FIELD(MacroRecord, NameLength, nullptr),
                                   ZR35_FIELD(MacroRecord, Name, nullptr),
                                   ZR35_FIELD(MacroRecord, EventCount, nullptr),
                                   ZR35_FIELD(MacroRecord, Events, keyEventField)};
    return fieldAt(fields, offset);
}

QString dpiStageField(std::size_t offset)
{
    static const Field fields[] = {
        ZR35_FIELD(DpiStage, CodeX, nullptr), ZR35_FIELD(DpiStage, CodeY, nullptr),
        ZR35_FIELD(DpiStage, Flags, nullptr), ZR35_FIELD(DpiStage, Red, nullptr),
        ZR35_FIELD(DpiStage, Green, nullptr), ZR35_FIELD(DpiStage, Blue, nullptr)};
    return fieldAt(fields, offset);
}

QString buttonFunctionField(std::size_t offset)
{
    static const Field fields[] = {ZR35_FIELD(ButtonFunction, Category, nullptr),
                                   ZR35_FIELD(ButtonFunction, Code, nullptr),
                                   ZR35_FIELD(ButtonFunction, Param, nullptr)};
    return fieldAt(fields, offset);
}

const Field RecordFields[] = {
    ZR35_FIELD(FlashDataMap, ReportRate, nullptr),
    ZR35_FIELD(FlashDataMap, DpiStageCount, nullptr),
    ZR35_FIELD(FlashDataMap, CurrentDpiStage, nullptr),
    ZR35_FIELD(FlashDataMap, Byte03, nullptr),
    ZR35_FIELD(FlashDataMap, Byte04, nullptr),
    ZR35_FIELD(FlashDataMap, Lod, nullptr),
    ZR35_FIELD(FlashDataMap, DebounceTime, nullptr),
    ZR35_FIELD(FlashDataMap, MotionSync, nullptr),
    ZR35_FIELD(FlashDataMap, SleepTime, nullptr),
    ZR35_FIELD(FlashDataMap, StraightLine, nullptr),
    ZR35_FIELD(FlashDataMap, RippleControl, nullptr),
    ZR35_FIELD(FlashDataMap, LightOffWhileMoving, nullptr),
    ZR35_FIELD(FlashDataMap, PerformanceMode, nullptr),
    ZR35_FIELD(FlashDataMap, PerformanceTime, nullptr),
    ZR35_FIELD(FlashDataMap, SensorMode, nullptr),
    ZR35_FIELD(FlashDataMap, DpiStages, dpiStageField),
    ZR35_FIELD(FlashDataMap, DpiLightMode, nullptr),
    ZR35_FIELD(FlashDataMap, DpiLightBrightness, nullptr),
    ZR35_FIELD(FlashDataMap, DpiLightSpeed, nullptr),
    ZR35_FIELD(FlashDataMap, DpiLightOn, nullptr),
    ZR35_FIELD(FlashDataMap, LightMode, nullptr),
    ZR35_FIELD(FlashDataMap, LightRed, nullptr),
    ZR35_FIELD(FlashDataMap, LightGreen, nullptr),
    ZR35_FIELD(FlashDataMap, LightBlue, nullptr),
    ZR35_FIELD(FlashDataMap, LightSpeed, nullptr),
    ZR35_FIELD(FlashDataMap, LightBrightness, nullptr),
    ZR35_FIELD(FlashDataMap, LightOn, nullptr),
    ZR35_FIELD(FlashDataMap, ButtonFunctions, buttonFunctionField),
    ZR35_FIELD(FlashDataMap, Reserved7A, nullptr),
    ZR35_FIELD(FlashDataMap, KeyRecords, keyRecordField),
    ZR35_FIELD(FlashDataMap, Macros, macroField),
};

#undef ZR35_FIELD

QString hexByte(unsigned char byte)
{
    return QStringLiteral("0x%1").arg(byte, 2, 16, QLatin1Char('0'));
}

QString difference(const unsigned char *actual, const unsigned char *expected)
{
    std::size_t first = FlashDataMap::Size;
    std::size_t count = 0;
    for (std::size_t i = 0; i < FlashDataMap::Size; ++i) {
        if (actual[i] == expected[i])
            continue;
        if (count++ == 0)
            first = i;
    }
    if (count == 0)
        return QString();
    return QStringLiteral("records differ in %1 byte(s); the first at offset %2 (0x%3), %4: "
                          "actual %5, expected %6")
        .arg(count)
        .arg(first)
        .arg(first, 0, 16)
        .arg(recordField(first), hexByte(actual[first]), hexByte(expected[first]));
}

} // namespace

QString recordField(std::size_t offset)
{
    return offset < FlashDataMap::Size ? fieldAt(RecordFields, offset)
                                       : QStringLiteral("beyond the record");
}

QString recordDifference(const FlashDataMap &actual, const FlashDataMap &expected)
{
    return difference(actual.bytes(), expected.bytes());
}

QString recordDifference(const QByteArray &actual, const QByteArray &expected)
{
    if (actual.size() != int(FlashDataMap::Size) || expected.size() != int(FlashDataMap::Size))
        return actual == expected ? QString()
                                  : QStringLiteral("not records of %1 bytes: actual %2 bytes, "
                                                   "expected %3 bytes")
                                        .arg(FlashDataMap::Size)
                                        .arg(actual.size())
                                        .arg(expected.size());
    return difference(reinterpret_cast<const unsigned char *>(actual.constData()),
                      reinterpret_cast<const unsigned char *>(expected.constData()));
}

bool sameRecord(const FlashDataMap &a, const FlashDataMap &b)
{
    return std::memcmp(a.bytes(), b.bytes(), FlashDataMap::Size) == 0;
}
