#include "tests/support/workerthread.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

bool runOnWorkerThread(const std::function<void()> &work, int timeoutMs)
{
    QThread *thread = QThread::create(work);
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    bool done = false;
    QObject::connect(thread, &QThread::finished, &loop, [&] {
        done = true;
        loop.quit();
    });
    limit.start(timeoutMs);
    thread->start();
    loop.exec();
    if (!done) {
        // The application object owns it from now on, so nothing leaks when the work never ends;
        // it goes away as soon as the work does.
        thread->setParent(QCoreApplication::instance());
        QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
        if (thread->isFinished())
            thread->deleteLater();
        return false;
    }
    // finished() comes from the thread itself just before it ends.
    thread->wait();
    delete thread;
    return true;
}
