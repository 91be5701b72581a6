#include "core/record/flashdatamap.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QByteArray>

namespace {

// Each case names one field through the record's members and the offset the wire format gives
// it; a field written through its member must land on exactly that byte of the record.
struct FieldCase
{
    const char *name;
    std::size_t offset;
    void (*mark)(FlashDataMap &record);
};

const FieldCase fieldCases[] = {
    {"ReportRate", 0x00, [](FlashDataMap &r) { r.ReportRate = 0xA5; }},
    {"CurrentDpiStage", 0x02, [](FlashDataMap &r) { r.CurrentDpiStage = 0xA5; }},
    {"Byte04", 0x04, [](FlashDataMap &r) { r.Byte04 = 0xA5; }},
    {"Lod", 0x05, [](FlashDataMap &r) { r.Lod = 0xA5; }},
    {"SleepTime", 0x08, [](FlashDataMap &r) { r.SleepTime = 0xA5; }},
    {"PerformanceTime", 0x0D, [](FlashDataMap &r) { r.PerformanceTime = 0xA5; }},
    {"SensorMode", 0x0E, [](FlashDataMap &r) { r.SensorMode = 0xA5; }},
    {"stage 0 CodeX", 0x0F, [](FlashDataMap &r) { r.DpiStages[0].CodeX = 0xA5; }},
    {"stage 2 Flags", 0x0F + 12 + 2, [](FlashDataMap &r) { r.DpiStages[2].Flags = 0xA5; }},
    {"stage 7 Blue ends the stages", 0x3E, [](FlashDataMap &r) { r.DpiStages[7].Blue = 0xA5; }},
    {"DpiLightMode", 0x3F, [](FlashDataMap &r) { r.DpiLightMode = 0xA5; }},
    {"DpiLightOn", 0x42, [](FlashDataMap &r) { r.DpiLightOn = 0xA5; }},
    {"LightMode", 0x43, [](FlashDataMap &r) { r.LightMode = 0xA5; }},
    {"LightBlue", 0x46, [](FlashDataMap &r) { r.LightBlue = 0xA5; }},
    {"LightOn", 0x49, [](FlashDataMap &r) { r.LightOn = 0xA5; }},
    {"slot 0 Category", 0x4A, [](FlashDataMap &r) { r.ButtonFunctions[0].Category = 0xA5; }},
    {"slot 15 Param", 0x79, [](FlashDataMap &r) { r.ButtonFunctions[15].Param = 0xA5; }},
    {"Reserved7A second byte", 0x7B, [](FlashDataMap &r) { r.Reserved7A[1] = 0xA5; }},
    {"slot 0 key Count", 0x7C, [](FlashDataMap &r) { r.KeyRecords[0].Count = 0xA5; }},
    {"slot 1 key event 0 Kind", 0x7C + 52 + 4 + 1,
     [](FlashDataMap &r) { r.KeyRecords[1].Events[0].Kind = 0xA5; }},
    {"slot 15 key record ends at 0x3BB", 0x3BB,
     [](FlashDataMap &r) { r.KeyRecords[15].Events[5].DelayBytes[3] = 0xA5; }},
    {"slot 0 macro NameLength", 0x3BC, [](FlashDataMap &r) { r.Macros[0].NameLength = 0xA5; }},
    {"slot 3 macro EventCount", 0x3BC + 3 * 592 + 31,
     [](FlashDataMap &r) { r.Macros[3].EventCount = 0xA5; }},
    {"slot 15 macro ends the record", 0x28BB,
     [](FlashDataMap &r) { r.Macros[15].Events[69].DelayBytes[3] = 0xA5; }},
};

} // namespace

class TestFlashDataMap : public QObject
{
    Q_OBJECT
private slots:
    void recordIsTheWireSize()
    {
        QCOMPARE(sizeof(FlashDataMap), std::size_t(10428));
        QCOMPARE(FlashDataMap::KeysAndMacrosOffset + FlashDataMap::KeysAndMacrosSize,
                 sizeof(FlashDataMap));
        QCOMPARE(FlashDataMap::KeysAndMacrosSize, std::size_t(10304));
        FlashDataMap records[2];
        QCOMPARE(reinterpret_cast<const char *>(&records[1]) -
                     reinterpret_cast<const char *>(&records[0]),
                 std::ptrdiff_t(10428));
    }

    void fieldLandsOnItsOffset_data()
    {
        QTest::addColumn<int>("index");
        for (int i = 0; i < int(std::size(fieldCases)); ++i)
            QTest::newRow(fieldCases[i].name) << i;
    }

    void fieldLandsOnItsOffset()
    {
        QFETCH(int, index);
        const FieldCase &field = fieldCases[index];
        FlashDataMap record{};
        field.mark(record);
        QByteArray expected(int(FlashDataMap::Size), '\0');
        expected[int(field.offset)] = char(0xA5);
        COMPARE_RECORDS(recordBytes(record), expected);
    }

    void keyEventNumbersAreLittleEndian()
    {
        FlashDataMap record{};
        KeyEvent &event = record.Macros[1].Events[2];
        event.Action = KeyEventAction::Release;
        event.Kind = KeyEventKind::Consumer;
        event.setCode(0x00E9);
        event.setDelay(0x01020304);
        const int at = 0x3BC + 592 + 32 + 2 * 8;
        QCOMPARE(recordBytes(record).mid(at, 8), QByteArray("\x01\x02\xE9\x00\x04\x03\x02\x01", 8));

        // And back from bytes a device or a file delivered.
        const unsigned char wire[8] = {0, 1, 0x34, 0x12, 0x78, 0x56, 0x34, 0x12};
        std::memcpy(record.bytes() + at, wire, sizeof wire);
        QCOMPARE(event.code(), std::uint16_t(0x1234));
        QCOMPARE(event.delay(), std::uint32_t(0x12345678));
    }

    void macroNameOfThirtyBytesHasNoTerminator()
    {
        MacroRecord macro{};
        macro.EventCount = 7;
        const char name[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123"; // 30 bytes
        QCOMPARE(macro.setName(name, 30), std::size_t(30));
        QCOMPARE(int(macro.NameLength), 30);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(macro.Name), 30), QByteArray(name, 30));
        QCOMPARE(int(macro.EventCount), 7); // the byte after the name is not a terminator
        QCOMPARE(macro.nameSize(), std::size_t(30));
    }

    void macroNameIsCutAndZeroFilled_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<int>("stored");
        QTest::newRow("short") << QByteArray("Reload") << 6;
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("too long") << QByteArray(45, 'x') << 30;
    }

    void macroNameIsCutAndZeroFilled()
    {
        QFETCH(QByteArray, name);
        QFETCH(int, stored);
        MacroRecord macro{};
        std::memset(macro.Name, 0xFF, sizeof macro.Name);
        macro.EventCount = 3;
        QCOMPARE(int(macro.setName(name.constData(), std::size_t(name.size()))), stored);
        QCOMPARE(int(macro.NameLength), stored);
        const QByteArray field(reinterpret_cast<const char *>(macro.Name), 30);
        QCOMPARE(field, name.left(stored) + QByteArray(30 - stored, '\0'));
        QCOMPARE(int(macro.EventCount), 3);
    }

    void nameSizeNeverExceedsTheField()
    {
        MacroRecord macro{};
        macro.NameLength = 200; // as a corrupt cache or import file could hold
        QCOMPARE(macro.nameSize(), std::size_t(30));
    }

    void copiesKeepEveryByteIncludingReserved()
    {
        FlashDataMap original;
        for (std::size_t i = 0; i < FlashDataMap::Size; ++i)
            original.bytes()[i] = std::uint8_t(i * 7 + 3);
        const FlashDataMap copy = original;
        COMPARE_RECORDS(copy, original);
        QCOMPARE(int(copy.Byte03), 3 * 7 + 3);
        QCOMPARE(int(copy.Reserved7A[0]), (0x7A * 7 + 3) & 0xFF);
    }
};

ZR35_TEST_MAIN(TestFlashDataMap)
#include "tst_flashdatamap.moc"
