#include "tests/support/ownprocess.h"

#include <QCoreApplication>
#include <QProcess>
#include <QProcessEnvironment>

OwnProcessRun runTestFunctionAlone(const QString &function, const char *variable, int timeoutMs)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(variable), QStringLiteral("1"));
    process.setProcessEnvironment(environment);
    process.start(QCoreApplication::applicationFilePath(), {function});
    OwnProcessRun run;
    run.finished = process.waitForFinished(timeoutMs);
    if (!run.finished)
        process.kill();
    run.failed = process.exitStatus() == QProcess::CrashExit || process.exitCode() != 0;
    run.output = process.readAllStandardOutput() + process.readAllStandardError();
    return run;
}
