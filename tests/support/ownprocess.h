#pragma once

#include <QByteArray>
#include <QString>

// What one test function of this test executable did, run alone in a process of its own: for the
// tests of what ends a process (a fatal message, a guard that aborts). `variable` is set in that
// process only, so that the function, which skips itself elsewhere, knows that it runs there.
struct OwnProcessRun
{
    bool finished = false; // within the limit
    bool failed = false;   // crashed or exited with a failure
    QByteArray output;     // standard output, then standard error
};

OwnProcessRun runTestFunctionAlone(const QString &function, const char *variable,
                                   int timeoutMs = 30000);
