// The ThreadSanitizer run's check of its own Qt shim (tools/tsan.sh runs it before the tests).
//
// `race`: a device thread writes an unlocked int and emits a hub signal the GUI thread does not
// receive; the GUI thread, told only through a relaxed flag that the write is done, emits an
// unrelated queued hub signal to itself, runs its slot and reads the int. Nothing orders the write
// before the read, so the sanitizer must report it; a shim that lets one hand-over stand for
// every other hides it.
//
// `thread-race`: a QThread writes the int and ends; the GUI thread, told through a relaxed flag,
// waits for another QThread that touched nothing and reads the int. Only the first thread's end
// would order the write, and nobody waited for it: a shim that lets any thread's end stand for
// every other hides the race.
//
// `ordered`: the same int handed over properly: written before a queued emission and read in the
// slot it reaches, then written in the slot of a blocking emission and read by its emitter after
// it returns, then written by a QThread and read after wait() has seen that thread end, before a
// call queued to the application object that reads it there, and by a QThread's run that its
// next run reads. The sanitizer must report nothing: the shim sees each of Qt's real hand-overs.
#include "core/blockingconnect.h"
#include "core/postmsg.h"

#include <QCoreApplication>
#include <QObject>
#include <QThread>

#include <atomic>
#include <cstdio>
#include <cstring>
#include <memory>
#include <thread>

namespace {

int unlocked = 0;

// A receiver class of the program's own, as every receiver of the hub is.
class Receiver : public QObject
{
    Q_OBJECT

public:
    int seen = -1;
    bool ran = false;

public slots:
    void readUnlocked() { seen = unlocked; }
    void writeUnlocked() { unlocked = 2; }
    void mark() { ran = true; }
};

// Each run reads what the run before it wrote.
class Rerun : public QThread
{
public:
    int runs = 0;
    int seenByLastRun = -1;

protected:
    void run() override
    {
        seenByLastRun = runs;
        ++runs;
    }
};

void serveUntil(const bool &done)
{
    while (!done)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

int race()
{
    PostMsg *hub = PostMsg::GetInstance();
    Receiver receiver;
    QObject::connect(hub, &PostMsg::SigSetver, &receiver, &Receiver::mark, Qt::QueuedConnection);
    std::atomic<bool> written{false};
    std::thread device([&] {
        unlocked = 1;
        emit hub->SigMouseIndex(1);
        written.store(true, std::memory_order_relaxed);
    });
    while (!written.load(std::memory_order_relaxed))
        std::this_thread::yield();
    emit hub->SigSetver(0);
    serveUntil(receiver.ran);
    const int seen = unlocked;
    device.join();
    return seen == 1 ? 0 : 1;
}

int threadRace()
{
    std::atomic<bool> written{false};
    std::unique_ptr<QThread> writer(QThread::create([&] {
        unlocked = 1;
        written.store(true, std::memory_order_relaxed);
    }));
    std::unique_ptr<QThread> idle(QThread::create([] {}));
    writer->start();
    while (!written.load(std::memory_order_relaxed))
        std::this_thread::yield();
    idle->start();
    idle->wait();
    const int seen = unlocked;
    writer->wait();
    return seen == 1 ? 0 : 1;
}

int ordered()
{
    PostMsg *hub = PostMsg::GetInstance();
    Receiver receiver;
    QObject::connect(hub, &PostMsg::SigMouseIndex, &receiver, &Receiver::readUnlocked,
                     Qt::QueuedConnection);
    QObject::connect(hub, &PostMsg::SigMouseIndex, &receiver, &Receiver::mark,
                     Qt::QueuedConnection);
    if (!ConnectBlocking(SIGNAL(SigForm()), &receiver, SLOT(writeUnlocked())))
        return 1;
    std::atomic<bool> blockingDone{false};
    int afterBlocking = -1;
    std::thread device([&] {
        unlocked = 1;
        emit hub->SigMouseIndex(1);
        // Waits for the GUI thread's slot; only then is the int the slot wrote ours to read.
        emit hub->SigForm();
        afterBlocking = unlocked;
        blockingDone.store(true, std::memory_order_relaxed);
    });
    serveUntil(receiver.ran);
    while (!blockingDone.load(std::memory_order_relaxed))
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    device.join();

    // A thread's end: its writes are the waiter's to read, whichever wait() saw it end.
    std::unique_ptr<QThread> writer(QThread::create([] { unlocked = 3; }));
    writer->start();
    while (!writer->wait(1)) {
    }
    const int afterEnd = unlocked;

    // A call queued to one of Qt's own objects, whose delivery no class of ours overrides.
    int seenByApplication = -1;
    bool applicationRan = false;
    std::thread caller([&] {
        unlocked = 5;
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [&] {
                seenByApplication = unlocked;
                applicationRan = true;
            },
            Qt::QueuedConnection);
    });
    serveUntil(applicationRan);
    caller.join();

    // A thread started again: its new run follows the last one, though nobody waited for it.
    Rerun rerun;
    rerun.start();
    while (rerun.isRunning())
        std::this_thread::yield();
    rerun.start();
    rerun.wait();
    return receiver.seen == 1 && afterBlocking == 2 && afterEnd == 3 && seenByApplication == 5 &&
                   rerun.seenByLastRun == 1
               ? 0
               : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 2 && std::strcmp(argv[1], "race") == 0)
        return race();
    if (argc == 2 && std::strcmp(argv[1], "thread-race") == 0)
        return threadRace();
    if (argc == 2 && std::strcmp(argv[1], "ordered") == 0)
        return ordered();
    std::fprintf(stderr, "usage: %s race|thread-race|ordered\n", argv[0]);
    return 2;
}

#include "selftest.moc"
