#include "tests/support/standarderror.h"

#include <QTemporaryFile>

#include <cstdio>
#include <unistd.h>

QByteArray standardError(const std::function<void()> &what)
{
    QTemporaryFile capture;
    if (!capture.open())
        return "cannot capture";
    std::fflush(stderr);
    const int saved = dup(STDERR_FILENO);
    dup2(capture.handle(), STDERR_FILENO);
    what();
    std::fflush(stderr);
    dup2(saved, STDERR_FILENO);
    close(saved);
    capture.seek(0);
    return capture.readAll();
}
