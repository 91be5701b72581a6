#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <cstring>

class TestRecords : public QObject
{
    Q_OBJECT

private:
    static FlashDataMap pattern()
    {
        FlashDataMap record;
        for (std::size_t i = 0; i < FlashDataMap::Size; ++i)
            record.bytes()[i] = std::uint8_t(i * 5 + 1);
        return record;
    }

private slots:
    void namesTheFieldOfAnOffset_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<QString>("field");
        QTest::newRow("first byte") << 0 << "ReportRate";
        QTest::newRow("scalar") << int(offsetof(FlashDataMap, DebounceTime)) << "DebounceTime";
        QTest::newRow("stage member")
            << int(offsetof(FlashDataMap, DpiStages) + 2 * sizeof(DpiStage) + 5)
            << "DpiStages[2].Blue";
        QTest::newRow("button member")
            << int(offsetof(FlashDataMap, ButtonFunctions) + 15 * sizeof(ButtonFunction) + 2)
            << "ButtonFunctions[15].Param";
        QTest::newRow("reserved byte") << 0x7B << "Reserved7A[1]";
        QTest::newRow("key event delay")
            << int(offsetof(FlashDataMap, KeyRecords) + 4 * sizeof(KeyRecord) +
                   offsetof(KeyRecord, Events) + 5 * sizeof(KeyEvent) + 4 + 3)
            << "KeyRecords[4].Events[5].DelayBytes[3]";
        QTest::newRow("macro name")
            << int(offsetof(FlashDataMap, Macros) + 3 * sizeof(MacroRecord) + 1 + 29)
            << "Macros[3].Name[29]";
        QTest::newRow("last byte")
            << int(FlashDataMap::Size - 1) << "Macros[15].Events[69].DelayBytes[3]";
        QTest::newRow("past the end") << int(FlashDataMap::Size) << "beyond the record";
    }

    void namesTheFieldOfAnOffset()
    {
        QFETCH(int, offset);
        QFETCH(QString, field);
        QCOMPARE(recordField(std::size_t(offset)), field);
    }

    void sameRecordsHaveNoDifference()
    {
        const FlashDataMap record = pattern();
        QCOMPARE(recordDifference(record, record), QString());
        QCOMPARE(recordDifference(recordBytes(record), recordBytes(record)), QString());
        QVERIFY(sameRecord(record, record));
    }

    void aDifferenceNamesItsFirstOffsetAndField()
    {
        const FlashDataMap expected = pattern();
        FlashDataMap actual = expected;
        const std::size_t first = offsetof(FlashDataMap, Macros) + 7 * sizeof(MacroRecord) +
                                  offsetof(MacroRecord, Events) + 3 * sizeof(KeyEvent) + 5;
        actual.bytes()[first] = 0x12;
        actual.bytes()[FlashDataMap::Size - 1] ^= 0xFF;
        const QString message = recordDifference(actual, expected);
        QVERIFY2(message.contains(QStringLiteral("2 byte(s)")), qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("offset %1 (0x%2)").arg(first).arg(first, 0, 16)),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("Macros[7].Events[3].DelayBytes[1]")),
                 qPrintable(message));
        QVERIFY2(message.contains(QStringLiteral("actual 0x12")), qPrintable(message));
        QCOMPARE(recordDifference(recordBytes(actual), recordBytes(expected)), message);
        QVERIFY(!sameRecord(actual, expected));
    }

    void bytesNotOfARecordAreNamedSo()
    {
        const QByteArray record = recordBytes(pattern());
        const QString message = recordDifference(record.left(4096), record);
        QVERIFY2(message.contains(QStringLiteral("actual 4096 bytes")), qPrintable(message));
    }
};

ZR35_TEST_MAIN(TestRecords)
#include "tst_records.moc"
