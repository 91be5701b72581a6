#include "platform/devicelib/configurationimage.h"
#include "platform/devicelib/devicelib.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

#include <QRandomGenerator>

#include <functional>

namespace {

constexpr int KeyRecords = 0x7C;
constexpr int Macros = 0x3BC;

int keyRecord(int slot)
{
    return KeyRecords + 52 * slot;
}

int keyEvent(int slot, int event)
{
    return keyRecord(slot) + 4 + 8 * event;
}

int macro(int slot)
{
    return Macros + 592 * slot;
}

int macroEvent(int slot, int event)
{
    return macro(slot) + 32 + 8 * event;
}

void setEvent(QByteArray &r, int at, int action, int kind, int code, quint32 delay)
{
    r[at] = char(action);
    r[at + 1] = char(kind);
    r[at + 2] = char(code & 0xFF);
    r[at + 3] = char(code >> 8);
    for (int i = 0; i < 4; ++i)
        r[at + 4 + i] = char((delay >> (8 * i)) & 0xFF);
}

QByteArray zeroRecord()
{
    return QByteArray(ConfigurationImage::RecordSize, '\0');
}

// Every field at the largest value the device keeps.
QByteArray maximalRecord()
{
    QByteArray r = zeroRecord();
    r.replace(0, KeyRecords, QByteArray(KeyRecords, '\xFF'));
    for (int s = 0; s < 16; ++s) {
        r[keyRecord(s)] = 6;
        for (int e = 0; e < 6; ++e)
            setEvent(r, keyEvent(s, e), 1, 7, 0xFFFF, ConfigurationImage::MaxDelay);
        r[macro(s)] = 30;
        r.replace(macro(s) + 1, 30, QByteArray(30, '\xFF'));
        r[macro(s) + 31] = 70;
        for (int e = 0; e < 70; ++e)
            setEvent(r, macroEvent(s, e), 1, 7, 0xFFFF, ConfigurationImage::MaxDelay);
    }
    return r;
}

// Sixteen full macros with 30-byte names (no terminator) and varied events.
QByteArray fullMacros()
{
    QByteArray r = zeroRecord();
    for (int s = 0; s < 16; ++s) {
        r[macro(s)] = 30;
        for (int i = 0; i < 30; ++i)
            r[macro(s) + 1 + i] = char('A' + (s + i) % 26);
        r[macro(s) + 31] = 70;
        for (int e = 0; e < 70; ++e)
            setEvent(r, macroEvent(s, e), e % 2, (e / 2) % 3 == 2 ? 4 : (e / 2) % 3,
                     0x04 + e + s * 3, quint32(e) * 997 + s);
    }
    return r;
}

// What the program writes in practice: settings, a key combination and one short macro.
QByteArray typicalRecord()
{
    QByteArray r = zeroRecord();
    const char globals[] = {1, 4, 2, 0, 0, 1, 4, 0, 6, 0, 0, 0, 1, 3, 0};
    r.replace(0, sizeof globals, QByteArray(globals, sizeof globals));
    r[0x4A + 3 * 2] = 5;
    r[keyRecord(2)] = 4;
    setEvent(r, keyEvent(2, 0), 0, 0, 0x01, 10);
    setEvent(r, keyEvent(2, 1), 0, 1, 0x06, 10);
    setEvent(r, keyEvent(2, 2), 1, 1, 0x06, 10);
    setEvent(r, keyEvent(2, 3), 1, 0, 0x01, 10);
    r[0x4A + 3 * 3] = 6;
    r[macro(3)] = 4;
    r.replace(macro(3) + 1, 4, "Copy");
    r[macro(3) + 31] = 2;
    setEvent(r, macroEvent(3, 0), 0, 2, 0x00E9, 1500);
    setEvent(r, macroEvent(3, 1), 1, 2, 0x00E9, 20);
    r[0x7A] = char(0x5A);
    r[0x7B] = char(0xA5);
    return r;
}

// Random values within every limit, the unused event slots included.
QByteArray randomRecord()
{
    QRandomGenerator random(35);
    QByteArray r = zeroRecord();
    for (int i = 0; i < KeyRecords; ++i)
        r[i] = char(random.bounded(256));
    for (int s = 0; s < 16; ++s) {
        r[keyRecord(s)] = char(random.bounded(7));
        for (int e = 0; e < 6; ++e)
            setEvent(r, keyEvent(s, e), random.bounded(2), random.bounded(8),
                     random.bounded(0x10000), random.bounded(ConfigurationImage::MaxDelay + 1));
        r[macro(s)] = char(random.bounded(31));
        for (int i = 0; i < 30; ++i)
            r[macro(s) + 1 + i] = char(random.bounded(256));
        r[macro(s) + 31] = char(random.bounded(71));
        for (int e = 0; e < 70; ++e)
            setEvent(r, macroEvent(s, e), random.bounded(2), random.bounded(8),
                     random.bounded(0x10000), random.bounded(ConfigurationImage::MaxDelay + 1));
    }
    return r;
}

} // namespace

class TestConfigurationImage : public QObject
{
    Q_OBJECT
private slots:
    void roundTripsByteForByte_data()
    {
        QTest::addColumn<QByteArray>("record");
        QTest::newRow("all zero") << zeroRecord();
        QTest::newRow("maximal values") << maximalRecord();
        QTest::newRow("full macros, 30-byte names") << fullMacros();
        QTest::newRow("typical") << typicalRecord();
        QTest::newRow("random within limits") << randomRecord();
    }

    void roundTripsByteForByte()
    {
        QFETCH(QByteArray, record);
        QStringList cuts;
        const QByteArray image = ConfigurationImage::encode(bytesOf(record), &cuts);
        QCOMPARE(image.size(), FullConfigurationSize);
        QVERIFY2(cuts.isEmpty(), qPrintable(cuts.join(QLatin1Char('\n'))));

        // Through the operation the program calls, into a record full of other bytes.
        QByteArray parsed(ConfigurationImage::RecordSize, '\x77');
        QVERIFY(
            ProtocolDataParser(bytesOf(image), reinterpret_cast<FlashDataMap *>(parsed.data())));
        QCOMPARE(parsed, record);
    }

    void cutsWhatDoesNotFitAndSaysSo_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("kept");
        QTest::addColumn<QString>("cut");

        const auto le32 = [](quint32 v) {
            QByteArray b(4, '\0');
            for (int i = 0; i < 4; ++i)
                b[i] = char((v >> (8 * i)) & 0xFF);
            return b;
        };
        QTest::newRow("macro delay")
            << macroEvent(3, 12) + 4 << le32(2000000) << le32(ConfigurationImage::MaxDelay)
            << "macro 3 event 12 Delay 2000000 -> 1048575";
        QTest::newRow("key delay")
            << keyEvent(15, 5) + 4 << le32(0xFFFFFFFF) << le32(ConfigurationImage::MaxDelay)
            << "key record 15 event 5 Delay 4294967295 -> 1048575";
        QTest::newRow("key count")
            << keyRecord(0) << QByteArray(1, 9) << QByteArray(1, 6) << "key record 0 Count 9 -> 6";
        QTest::newRow("key reserved byte") << keyRecord(4) + 2 << QByteArray(1, 5)
                                           << QByteArray(1, 0) << "key record 4 byte 2 5 -> 0";
        QTest::newRow("macro event count") << macro(15) + 31 << QByteArray(1, 71)
                                           << QByteArray(1, 70) << "macro 15 EventCount 71 -> 70";
        QTest::newRow("macro name length") << macro(0) << QByteArray(1, char(200))
                                           << QByteArray(1, 30) << "macro 0 NameLength 200 -> 30";
        QTest::newRow("action") << macroEvent(1, 0) << QByteArray(1, 2) << QByteArray(1, 1)
                                << "macro 1 event 0 Action 2 -> 1";
        QTest::newRow("kind") << keyEvent(1, 1) + 1 << QByteArray(1, 8) << QByteArray(1, 7)
                              << "key record 1 event 1 Kind 8 -> 7";
    }

    void cutsWhatDoesNotFitAndSaysSo()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, kept);
        QFETCH(QString, cut);

        const QByteArray base = typicalRecord();
        QByteArray record = base;
        record.replace(offset, written.size(), written);

        QStringList cuts;
        QByteArray image;
        const QByteArray stored = ConfigurationImage::stored(record, &cuts, &image);
        QCOMPARE(cuts, QStringList{cut});
        QByteArray expected = base;
        expected.replace(offset, kept.size(), kept);
        QCOMPARE(stored, expected);
        // The device stores this image for the record it keeps, without packing it again.
        QCOMPARE(image, ConfigurationImage::encode(bytesOf(stored)));
    }

    void damagedImageLeavesTheRecordAlone_data()
    {
        QTest::addColumn<int>("offset");
        QTest::newRow("a settings byte") << 0x05;
        QTest::newRow("a macro event") << 0x1000;
        QTest::newRow("the magic") << 0x1A4C;
        QTest::newRow("the checksum") << FullConfigurationSize - 1;
    }

    void damagedImageLeavesTheRecordAlone()
    {
        QFETCH(int, offset);
        QByteArray image = ConfigurationImage::encode(bytesOf(typicalRecord()));
        image[offset] = char(image.at(offset) ^ 0x10);
        QByteArray record(ConfigurationImage::RecordSize, '\x33');
        QVERIFY(!ConfigurationImage::decode(bytesOf(image), bytesOf(record)));
        QCOMPARE(record, QByteArray(ConfigurationImage::RecordSize, '\x33'));
    }
};

ZR35_TEST_MAIN(TestConfigurationImage)
#include "tst_configurationimage.moc"
