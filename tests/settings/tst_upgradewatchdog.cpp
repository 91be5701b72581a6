#include "settings/upgradewatchdog.h"
#include "tests/support/testmain.h"

#include <QThread>

// The silence limit both upgrade paths (the update engine and the repair) share: it runs out only
// after the limit without a message, and each message, from whichever thread the library reports
// on, starts it over.
class TestUpgradeWatchdog : public QObject
{
    Q_OBJECT

private slots:
    void limitIsHalfAMinute()
    {
        UpgradeWatchdog watchdog;
        QCOMPARE(watchdog.limitMs(), qint64(30000));
        watchdog.feed();
        QVERIFY(!watchdog.expired());
        QVERIFY(watchdog.silentFor() < 30000);
    }

    void expiresAfterTheLimitAndAMessageStartsItOver()
    {
        UpgradeWatchdog watchdog;
        watchdog.setLimitMsForTest(1000);
        watchdog.feed();
        QVERIFY(!watchdog.expired());
        QTRY_VERIFY_WITH_TIMEOUT(watchdog.expired(), 5000);
        QVERIFY(watchdog.silentFor() >= 1000);

        // A message on the library's thread: the silence starts over.
        QThread *library = QThread::create([&watchdog] { watchdog.feed(); });
        library->start();
        QVERIFY(library->wait(5000));
        delete library;
        QVERIFY(watchdog.silentFor() < 1000);
        QVERIFY(!watchdog.expired());
    }
};

ZR35_TEST_MAIN(TestUpgradeWatchdog)
#include "tst_upgradewatchdog.moc"
