#include "platform/delayms.h"
#include "platform/sleep.h"
#include "tests/support/testmain.h"

#include <QElapsedTimer>
#include <QTimer>

namespace {
// Generous: the sanitizer build on a busy machine may oversleep, but never undersleep.
constexpr qint64 slackMs = 400;
} // namespace

// DelayMs keeps the program alive while it waits; Sleep blocks it.
class TestDelayMs : public QObject
{
    Q_OBJECT
private slots:
    void waitsWhileEventsRun_data()
    {
        QTest::addColumn<int>("ms");
        QTest::newRow("shorter than one pass") << 30;
        QTest::newRow("several passes") << 250;
    }
    void waitsWhileEventsRun()
    {
        QFETCH(int, ms);
        int timerShots = 0;
        bool queuedCallRan = false;
        QTimer timer;
        timer.setInterval(5);
        connect(&timer, &QTimer::timeout, this, [&] { ++timerShots; });
        timer.start();
        QMetaObject::invokeMethod(
            this, [&] { queuedCallRan = true; }, Qt::QueuedConnection);

        QElapsedTimer clock;
        clock.start();
        DelayMs(ms);
        const qint64 waited = clock.elapsed();
        QVERIFY2(waited >= ms, qPrintable(QString::number(waited)));
        QVERIFY2(waited < ms + slackMs, qPrintable(QString::number(waited)));
        QVERIFY(queuedCallRan);
        QVERIFY2(timerShots >= 2, qPrintable(QString::number(timerShots)));
    }

    void nothingToWaitFor_data()
    {
        QTest::addColumn<int>("ms");
        QTest::newRow("zero") << 0;
        QTest::newRow("negative") << -100;
    }
    void nothingToWaitFor()
    {
        QFETCH(int, ms);
        QElapsedTimer clock;
        clock.start();
        DelayMs(ms);
        Sleep(ms);
        QVERIFY(clock.elapsed() < 50);
    }

    void sleepBlocksEvents()
    {
        bool fired = false;
        QTimer::singleShot(5, this, [&] { fired = true; });
        QElapsedTimer clock;
        clock.start();
        Sleep(100);
        QVERIFY(clock.elapsed() >= 100);
        QVERIFY(!fired);
        QTRY_VERIFY(fired);
    }

    // A wait that runs when the program is told to end (say, in a dialog's work as the user
    // exits) would otherwise spin until its time is up.
    void endsWhenTheApplicationQuits()
    {
        qint64 waited = -1;
        QTimer::singleShot(0, this, [&] {
            QCoreApplication::exit(0);
            QElapsedTimer clock;
            clock.start();
            DelayMs(2000);
            waited = clock.elapsed();
        });
        QCOMPARE(QCoreApplication::exec(), 0);
        QVERIFY2(waited >= 0 && waited < slackMs, qPrintable(QString::number(waited)));
    }
};

ZR35_TEST_MAIN(TestDelayMs)
#include "tst_delayms.moc"
