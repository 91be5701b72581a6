#include "core/devicecache.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/records.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QtEndian>

namespace {

FlashDataMap patternRecord(int seed)
{
    FlashDataMap record;
    for (std::size_t i = 0; i < FlashDataMap::Size; ++i)
        record.bytes()[i] = std::uint8_t((i * 131 + i / 256 + std::size_t(seed)) & 0xFF);
    return record;
}

QByteArray lengthPrefix(quint32 length)
{
    QByteArray prefix(4, '\0');
    qToBigEndian(length, prefix.data());
    return prefix;
}

bool writeRaw(const QString &name, const QByteArray &content)
{
    QFile file(DeviceCachePath(name));
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

class TestDeviceCache : public QObject
{
    Q_OBJECT
private slots:
    void init() { QVERIFY(QDir().mkpath(UserDir::filePath(QStringLiteral("Device_Info")))); }
    void cleanup() { QDir(UserDir::filePath(QStringLiteral("Device_Info"))).removeRecursively(); }

    void fileName_data()
    {
        QTest::addColumn<int>("cid");
        QTest::addColumn<int>("mid");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero-padded") << 0x0A << 3 << "Device_CID0A_MID03.bin";
        QTest::newRow("upper-case digits") << 0x1F << 0x02 << "Device_CID1F_MID02.bin";
        QTest::newRow("both letters") << 0xAB << 0xCD << "Device_CIDAB_MIDCD.bin";
        QTest::newRow("decimal 12 and 10") << 12 << 10 << "Device_CID0C_MID0A.bin";
    }

    void fileName()
    {
        QFETCH(int, cid);
        QFETCH(int, mid);
        QFETCH(QString, expected);
        QCOMPARE(DeviceCacheFileName(cid, mid), expected);
        QCOMPARE(DeviceCachePath(expected),
                 UserDir::path() + QStringLiteral("/Device_Info/") + expected);
    }

    void saveThenLoadGivesTheSameBytes()
    {
        const QString name = DeviceCacheFileName(0x1F, 0x02);
        const FlashDataMap saved = patternRecord(1);
        QVERIFY(SaveDeviceCache(name, saved));

        QFile file(DeviceCachePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray content = file.readAll();
        QCOMPARE(content.size(), 10432);
        QCOMPARE(content.left(4), QByteArray("\x00\x00\x28\xBC", 4));
        COMPARE_RECORDS(content.mid(4), recordBytes(saved));

        FlashDataMap loaded = patternRecord(2);
        QVERIFY(LoadDeviceCache(name, &loaded));
        COMPARE_RECORDS(loaded, saved);
    }

    void saveReplacesALongerFile()
    {
        const QString name = DeviceCacheFileName(1, 2);
        QVERIFY(writeRaw(name, QByteArray(20000, 'x')));
        QVERIFY(SaveDeviceCache(name, patternRecord(3)));
        QCOMPARE(QFileInfo(DeviceCachePath(name)).size(), qint64(10432));
    }

    void fullDiskKeepsTheEarlierFile()
    {
        const QString name = DeviceCacheFileName(1, 2);
        QVERIFY(SaveDeviceCache(name, patternRecord(3)));
        const QString failure = FailedSaveKeepsTheFile(
            DeviceCachePath(name), 4096, [&] { return SaveDeviceCache(name, patternRecord(4)); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }

    void saveWithoutTheFolderFails()
    {
        cleanup();
        const QString name = DeviceCacheFileName(1, 2);
        QVERIFY(!SaveDeviceCache(name, patternRecord(3)));
        QVERIFY(!QFile::exists(DeviceCachePath(name)));
    }

    void malformedFileCountsAsNoCache_data()
    {
        const QByteArray record = recordBytes(patternRecord(4));
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("empty file") << QByteArray();
        QTest::newRow("prefix cut short") << QByteArray("\x00\x00\x28", 3);
        QTest::newRow("empty block") << lengthPrefix(0);
        QTest::newRow("null block") << lengthPrefix(0xFFFFFFFFu) + record;
        QTest::newRow("short block") << lengthPrefix(10427) + record.left(10427);
        QTest::newRow("prefix smaller than the bytes") << lengthPrefix(100) + record;
        QTest::newRow("truncated block") << lengthPrefix(10428) + record.left(5000);
        QTest::newRow("one byte missing") << lengthPrefix(10428) + record.left(10427);
        QTest::newRow("absurd length") << lengthPrefix(0x7FFFFFFFu) + record;
        QTest::newRow("longer block truncated")
            << lengthPrefix(10500) + record + QByteArray(10, 'z');
    }

    void malformedFileCountsAsNoCache()
    {
        QFETCH(QByteArray, content);
        const QString name = DeviceCacheFileName(0x0C, 0x0A);
        QVERIFY(writeRaw(name, content));
        const FlashDataMap before = patternRecord(5);
        FlashDataMap destination = before;
        QVERIFY(!LoadDeviceCache(name, &destination));
        COMPARE_RECORDS(destination, before);
    }

    void missingFileCountsAsNoCache()
    {
        FlashDataMap destination = patternRecord(6);
        QVERIFY(!LoadDeviceCache(DeviceCacheFileName(0x33, 0x44), &destination));
        COMPARE_RECORDS(destination, patternRecord(6));
    }

    void longerBlockGivesItsFirstRecord()
    {
        const QByteArray record = recordBytes(patternRecord(7));
        const QString name = DeviceCacheFileName(0x0C, 0x0B);
        QVERIFY(writeRaw(name, lengthPrefix(10500) + record + QByteArray(72, 'z')));
        FlashDataMap destination{};
        QVERIFY(LoadDeviceCache(name, &destination));
        COMPARE_RECORDS(recordBytes(destination), record);
    }
};

ZR35_TEST_MAIN(TestDeviceCache)
#include "tst_devicecache.moc"
