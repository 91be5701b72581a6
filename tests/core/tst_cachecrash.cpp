#include "core/devicecache.h"
#include "core/record/flashdatamap.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/types.h>

namespace {

// When set, this executable is the saving program of the test below: it saves the cache under
// the HOME named by the variable, over and over, until it is killed.
const char SaverHomeVariable[] = "ZR35_CACHE_SAVER_HOME";
const QString CacheName = QStringLiteral("Device_CID0C_MID0A.bin");

// Every byte of the record is `fill`: a file torn between two saves would show two values.
FlashDataMap uniformRecord(quint8 fill)
{
    FlashDataMap record;
    std::memset(record.bytes(), fill, FlashDataMap::Size);
    return record;
}

// 0 when the record is not uniform.
int uniformValue(const FlashDataMap &record)
{
    const quint8 first = record.bytes()[0];
    for (size_t i = 1; i < FlashDataMap::Size; ++i) {
        if (record.bytes()[i] != first)
            return 0;
    }
    return first;
}

[[noreturn]] void saveForever()
{
    QDir().mkpath(DeviceCachePath(QString()));
    // A fresh value on every save, starting at a random one so that each child writes new files.
    quint8 fill = quint8(QRandomGenerator::global()->bounded(1, 255));
    // The parent kills only after one save is complete, so that on a slow machine each kill still
    // finds a value this child saved.
    bool told = false;
    for (;;) {
        fill = quint8(fill % 254 + 1);
        SaveDeviceCache(CacheName, uniformRecord(fill));
        if (!told) {
            printf("saved\n");
            fflush(stdout);
            told = true;
        }
    }
}

} // namespace

// The program killed (kill -9) while it saves a device cache: the next start must find either
// the file before the save or the file after it, complete, never a torn one.
class TestCacheCrash : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        const QByteArray saverHome = qgetenv(SaverHomeVariable);
        if (!saverHome.isEmpty()) {
            qputenv("HOME", saverHome);
            saveForever();
        }
    }

    void killedWhileSavingLeavesAWholeCache()
    {
        QTemporaryDir home;
        QVERIFY(home.isValid());
        const QByteArray testHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        QVERIFY(QDir().mkpath(DeviceCachePath(QString())));
        QVERIFY(SaveDeviceCache(CacheName, uniformRecord(0xEE)));
        const QDir folder(DeviceCachePath(QString()));

        // The saving process does nothing but save, so a kill at a random moment of its loop lands
        // inside a save (the temporary file written, being renamed, or the rename done) nearly
        // every time; that it was saving shows in a value that changed since the last kill.
        constexpr int Kills = 40;
        int changed = 0;
        int previous = 0xEE;
        for (int i = 0; i < Kills; ++i) {
            QProcess saver;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            environment.insert(QString::fromLatin1(SaverHomeVariable), home.path());
            saver.setProcessEnvironment(environment);
            saver.start(QCoreApplication::applicationFilePath(), QStringList());
            QVERIFY(saver.waitForStarted());
            // The test framework prints its own banner first: wait for the child's own word.
            QElapsedTimer waited;
            waited.start();
            QByteArray said;
            while (!said.contains("saved\n") && waited.elapsed() < 20000) {
                saver.waitForReadyRead(1000);
                said += saver.readAllStandardOutput();
            }
            QVERIFY2(waited.elapsed() < 20000, "the saving process saved nothing");
            QThread::usleep(QRandomGenerator::global()->bounded(1000u, 20000u));
            QCOMPARE(::kill(pid_t(saver.processId()), SIGKILL), 0);
            QVERIFY(saver.waitForFinished(10000));

            FlashDataMap loaded = uniformRecord(0);
            QVERIFY2(LoadDeviceCache(CacheName, &loaded), qPrintable(QString::number(i)));
            const int value = uniformValue(loaded);
            QVERIFY2(value != 0, "a torn cache file");
            changed += value != previous ? 1 : 0;
            previous = value;
            // Without unnamed temporary files a cut save leaves its temporary file behind; it is
            // not the cache and must not be mistaken for one.
            for (const QString &file : folder.entryList(QDir::Files)) {
                if (file != CacheName)
                    QFile::remove(folder.filePath(file));
            }
        }
        qputenv("HOME", testHome);
        qInfo("%d of %d kills found a value saved since the kill before", changed, Kills);
        QVERIFY2(changed > Kills / 2, qPrintable(QString::number(changed)));
    }
};

ZR35_TEST_MAIN(TestCacheCrash)
#include "tst_cachecrash.moc"
