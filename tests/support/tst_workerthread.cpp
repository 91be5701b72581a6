#include "tests/support/testmain.h"
#include "tests/support/workerthread.h"

#include <QSemaphore>
#include <QThread>

#include <memory>

namespace {

class Emitter : public QObject
{
    Q_OBJECT
signals:
    void record(int value);
};

class Receiver : public QObject
{
    Q_OBJECT
public:
    QThread *thread = nullptr;
    int value = 0;
    void take(int v)
    {
        thread = QThread::currentThread();
        value = v;
    }
};

} // namespace

class TestWorkerThread : public QObject
{
    Q_OBJECT
private slots:
    void blockingEmissionReachesTheGuiThread()
    {
        Emitter emitter;
        Receiver receiver;
        connect(&emitter, &Emitter::record, &receiver, &Receiver::take,
                Qt::BlockingQueuedConnection);
        QThread *worker = nullptr;
        int seenByWorker = 0;
        QVERIFY(runOnWorkerThread([&] {
            worker = QThread::currentThread();
            emit emitter.record(42);
            // A blocking emission returns only after the slot ran.
            seenByWorker = receiver.value;
        }));
        QCOMPARE(receiver.thread, QThread::currentThread());
        QVERIFY(worker != QThread::currentThread());
        QCOMPARE(seenByWorker, 42);
    }

    void timeLimit()
    {
        const auto release = std::make_shared<QSemaphore>();
        QElapsedTimer clock;
        clock.start();
        QVERIFY(!runOnWorkerThread([release] { release->acquire(); }, 200));
        QVERIFY(clock.elapsed() < 3000);
        release->release();
        // The abandoned thread ends now that its work can; it must not outlive the test.
        QTRY_VERIFY(qApp->findChildren<QThread *>().isEmpty());
    }
};

ZR35_TEST_MAIN(TestWorkerThread)
#include "tst_workerthread.moc"
