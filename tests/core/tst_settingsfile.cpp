#include "core/settingsfile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QDataStream>
#include <QFile>
#include <QTemporaryDir>

#include <cstring>
#include <functional>

namespace {

const QString Sensor = QStringLiteral("PAW3395");
constexpr int MaxGrade = 6;

// A record the pages can show, its free bytes differing from their neighbours; the event counts
// of slot 15 as given (the largest a record holds by default).
FlashDataMap sampleRecord(int stages = 4, int keyCount = 6, int eventCount = 70)
{
    FlashDataMap record = plausibleRecord(7, stages);
    record.KeyRecords[15].Count = std::uint8_t(keyCount);
    record.Macros[15].EventCount = std::uint8_t(eventCount);
    return record;
}

// The sample record with one change.
FlashDataMap changed(const std::function<void(FlashDataMap &)> &change)
{
    FlashDataMap record = sampleRecord();
    change(record);
    return record;
}

// A file built block by block the way the stream frames it: 32-bit big-endian length, bytes.
QByteArray block(const QByteArray &bytes)
{
    QByteArray framed;
    QDataStream out(&framed, QIODevice::WriteOnly);
    out.writeBytes(bytes.constData(), uint(bytes.size()));
    return framed;
}

QByteArray lengthOnly(quint32 length)
{
    QByteArray framed;
    QDataStream out(&framed, QIODevice::WriteOnly);
    out << length;
    return framed;
}

QByteArray text12(const QByteArray &text)
{
    return text + QByteArray(12 - text.size(), '\0');
}

QByteArray goodFile(int stages = 4)
{
    return block(text12("Tavik")) + block(text12(Sensor.toUtf8())) +
           block(recordBytes(sampleRecord(stages)));
}

} // namespace

class TestSettingsFile : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir dir;

    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("settings.bin"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return path;
    }

private slots:
    void writtenFileHasTheFixedLayout()
    {
        const QString path = dir.filePath(QStringLiteral("export.bin"));
        const FlashDataMap record = sampleRecord();
        QVERIFY(SettingsFile::Write(path, record, QStringLiteral("OPT51")));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 10464);
        QCOMPARE(bytes.left(16), QByteArray("\0\0\0\x0CTavik\0\0\0\0\0\0\0", 16));
        QCOMPARE(bytes.mid(16, 16), QByteArray("\0\0\0\x0COPT51\0\0\0\0\0\0\0", 16));
        QCOMPARE(bytes.mid(32, 4), QByteArray("\0\0\x28\xBC", 4));
        COMPARE_RECORDS(bytes.mid(36), recordBytes(record));
    }

    void writtenFileReadsBack_data()
    {
        QTest::addColumn<QString>("sensor");
        QTest::newRow("short name") << Sensor;
        // Longer than the block: stored cut, without its zero byte, and still matches its model.
        QTest::newRow("name of 15 bytes") << QStringLiteral("SENSOR-NAME-015");
    }
    void writtenFileReadsBack()
    {
        QFETCH(QString, sensor);
        const QString path = dir.filePath(QStringLiteral("roundtrip.bin"));
        const FlashDataMap record = sampleRecord(MaxGrade);
        QVERIFY(SettingsFile::Write(path, record, sensor));
        FlashDataMap read{};
        QCOMPARE(SettingsFile::Read(path, sensor, MaxGrade, &read), SettingsFile::Accepted);
        COMPARE_RECORDS(read, record);
    }

    void failedWriteKeepsTheEarlierFile()
    {
        const QString path = dir.filePath(QStringLiteral("missing-folder/export.bin"));
        QVERIFY(!SettingsFile::Write(path, sampleRecord(), Sensor));
        QVERIFY(!QFile::exists(path));
    }

    // The disk fills while the 10464 bytes are written: the earlier export stays as it was.
    void fullDiskKeepsTheEarlierFile()
    {
        const QString path = dir.filePath(QStringLiteral("full.bin"));
        const FlashDataMap earlier = sampleRecord();
        QVERIFY(SettingsFile::Write(path, earlier, Sensor));
        FlashDataMap other = earlier;
        other.DebounceTime = std::uint8_t(earlier.DebounceTime + 1);
        const QString failure = FailedSaveKeepsTheFile(
            path, 4096, [&] { return SettingsFile::Write(path, other, Sensor); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void readerJudgesTheFile_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("result");
        const QByteArray tag = block(text12("Tavik"));
        const QByteArray sensor = block(text12(Sensor.toUtf8()));
        const QByteArray record = block(recordBytes(sampleRecord()));

        QTest::newRow("as written") << goodFile() << 0;
        QTest::newRow("undefined bytes after the tag's zero")
            << block(QByteArray("Tavik\0xyz\x01\x02\x03", 12)) + sensor + record << 0;
        QTest::newRow("undefined bytes after the sensor's zero")
            << tag + block(QByteArray("PAW3395\0\x7F\x7F\x7F\x7F", 12)) + record << 0;
        QTest::newRow("stages equal to the model's") << goodFile(MaxGrade) << 0;

        QTest::newRow("empty file") << QByteArray() << 1;
        QTest::newRow("tag in other case") << block(text12("tavik")) + sensor + record << 1;
        QTest::newRow("tag with more letters") << block(text12("Taviks")) + sensor + record << 1;
        QTest::newRow("tag block of 13 bytes")
            << block("Tavik" + QByteArray(8, '\0')) + sensor + record << 1;
        QTest::newRow("record block one byte short")
            << tag + sensor + block(recordBytes(sampleRecord()).left(10427)) << 1;
        QTest::newRow("record block one byte long")
            << tag + sensor + block(recordBytes(sampleRecord()) + 'x') << 1;
        QTest::newRow("record cut off by the end of the file") << goodFile().left(5000) << 1;
        QTest::newRow("record block empty") << tag + sensor + lengthOnly(0xFFFFFFFFu) << 1;
        QTest::newRow("absurd record length") << tag + sensor + lengthOnly(0xFFFFFFF0u) << 1;
        QTest::newRow("absurd tag length") << lengthOnly(0x7FFFFFFFu) + goodFile() << 1;
        // Counts past their records: a reader of the events would run beyond them.
        QTest::newRow("key record of 7 events")
            << tag + sensor + block(recordBytes(sampleRecord(4, 7, 70))) << 1;
        QTest::newRow("macro of 71 events")
            << tag + sensor + block(recordBytes(sampleRecord(4, 6, 71))) << 1;
        QTest::newRow("macro of 255 events, other sensor")
            << tag + block(text12("PAW3950")) + block(recordBytes(sampleRecord(4, 6, 255))) << 1;

        // Blocks shorter than the program writes them.
        QTest::newRow("tag block of 5 bytes") << block("Tavik") + sensor + record << 1;
        QTest::newRow("sensor block of 7 bytes") << tag + block("PAW3395") + record << 1;
        // Values no page can set: sent whole, the mouse would hold what the pages cannot show.
        const auto damaged = [&](const char *name, const std::function<void(FlashDataMap &)> &f) {
            QTest::newRow(name) << tag + sensor + block(recordBytes(changed(f))) << 1;
        };
        damaged("no stage at all",
                [](FlashDataMap &r) { r.DpiStageCount = r.CurrentDpiStage = 0; });
        damaged("nine stages", [](FlashDataMap &r) { r.DpiStageCount = 9; });
        damaged("current stage 200", [](FlashDataMap &r) { r.CurrentDpiStage = 200; });
        damaged("current stage beyond the count", [](FlashDataMap &r) { r.CurrentDpiStage = 4; });
        damaged("report rate code 0xEE", [](FlashDataMap &r) { r.ReportRate = 0xEE; });
        damaged("debounce 16 ms", [](FlashDataMap &r) { r.DebounceTime = 16; });
        damaged("lift-off code 0", [](FlashDataMap &r) { r.Lod = 0; });
        damaged("sleep time the list lacks", [](FlashDataMap &r) { r.SleepTime = 2; });
        damaged("switch set to 2", [](FlashDataMap &r) { r.RippleControl = 2; });
        damaged("DPI light speed 6", [](FlashDataMap &r) { r.DpiLightSpeed = 6; });
        damaged("light effect 6", [](FlashDataMap &r) { r.LightMode = 6; });
        damaged("no left click", [](FlashDataMap &r) { r.ButtonFunctions[0].Code = 2; });
        damaged("unknown function category", [](FlashDataMap &r) {
            r.ButtonFunctions[4] = {12, 0, 0};
        });
        damaged("macro name of 31 bytes", [](FlashDataMap &r) { r.Macros[3].NameLength = 31; });
        damaged("event of an unknown kind", [](FlashDataMap &r) {
            r.Macros[2].EventCount = 1;
            r.Macros[2].Events[0].Kind = 3;
        });
        damaged("all 0xFF but the counts", [](FlashDataMap &r) {
            std::memset(r.bytes(), 0xFF, FlashDataMap::Size);
            for (std::size_t slot = 0; slot < FlashDataMap::ButtonSlots; ++slot) {
                r.KeyRecords[slot].Count = 2;
                r.Macros[slot].EventCount = 2;
            }
            r.DpiStageCount = 4;
        });

        QTest::newRow("other sensor") << tag + block(text12("PAW3950")) + record << 2;
        QTest::newRow("sensor name cut short") << tag + block(text12("PAW339")) + record << 2;
        QTest::newRow("more stages than the model") << goodFile(MaxGrade + 1) << 2;
    }
    void readerJudgesTheFile()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, result);
        FlashDataMap read;
        std::memset(read.bytes(), 0xEE, FlashDataMap::Size);
        QCOMPARE(int(SettingsFile::Read(write(file), Sensor, MaxGrade, &read)), result);
        if (result == 0) // an accepted file ends with its record block
            COMPARE_RECORDS(recordBytes(read), file.right(int(FlashDataMap::Size)));
        else
            COMPARE_RECORDS(recordBytes(read), QByteArray(int(FlashDataMap::Size), char(0xEE)));
    }

    void missingFileIsUnreadable()
    {
        FlashDataMap read{};
        QCOMPARE(SettingsFile::Read(dir.filePath(QStringLiteral("nothing.bin")), Sensor, MaxGrade,
                                    &read),
                 SettingsFile::Unreadable);
    }
};

ZR35_TEST_MAIN(TestSettingsFile)
#include "tst_settingsfile.moc"
