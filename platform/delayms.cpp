#include "platform/delayms.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>
#include <QTimer>

#include <algorithm>

void DelayMs(int ms)
{
    if (ms <= 0)
        return;
    if (!QCoreApplication::instance()) {
        QThread::msleep(static_cast<unsigned long>(ms));
        return;
    }
    constexpr qint64 passLimitMs = 100;
    QElapsedTimer clock;
    clock.start();
    for (qint64 left = ms; left > 0; left = ms - clock.elapsed()) {
        // A short local loop ended by a precise timer sleeps while nothing happens, where a
        // processEvents() loop would spin a core for the whole wait.
        QEventLoop pass;
        QTimer::singleShot(static_cast<int>(std::min(left, passLimitMs)), Qt::PreciseTimer, &pass,
                           &QEventLoop::quit);
        // Once the application has been told to quit, no event loop of this thread runs again
        // (exec() refuses with -1): the rest of the wait would spin a core and hold up the end of
        // the program for nothing.
        if (pass.exec() == -1)
            return;
    }
}
