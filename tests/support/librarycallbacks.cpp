#include "tests/support/librarycallbacks.h"

#include "platform/devicelib/simulationcontrol.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

bool waitForLibraryCallbacks(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        if (SimulationControl::waitUntilNoCallbackRuns(5)) {
            // What the last callbacks handed to the GUI thread runs now; it may ask for more.
            QCoreApplication::processEvents();
            if (SimulationControl::waitUntilNoCallbackRuns(0))
                return true;
        }
        if (deadline.hasExpired())
            return false;
    }
}
