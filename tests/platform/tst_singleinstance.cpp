#include "platform/singleinstance.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QTemporaryDir>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

class TestSingleInstance : public QObject
{
    Q_OBJECT
private slots:
    void secondGuardIsRefusedUntilTheFirstEnds()
    {
        auto first = std::make_unique<SingleInstance>();
        QVERIFY(first->tryAcquire());
        QVERIFY(first->tryAcquire());
        QVERIFY(first->isAcquired());
        {
            // Also within one process, which a process-owned fcntl lock would not refuse.
            SingleInstance second;
            QVERIFY(!second.tryAcquire());
            QVERIFY(!second.isAcquired());
            first.reset();
            QVERIFY(second.tryAcquire());
        }
        SingleInstance third;
        QVERIFY(third.tryAcquire());
    }

    void lockFileLiesInTheRuntimeFolder()
    {
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        QCOMPARE(SingleInstance::lockFilePath(),
                 runtime + QStringLiteral("/ZR35 Mouse Software.lock"));
        SingleInstance guard;
        QVERIFY(guard.tryAcquire());
        QVERIFY(QFileInfo::exists(SingleInstance::lockFilePath()));

        qunsetenv("XDG_RUNTIME_DIR");
        const QString fallback = SingleInstance::lockFilePath();
        qputenv("XDG_RUNTIME_DIR", runtime.toLocal8Bit());
        QCOMPARE(fallback,
                 QDir::tempPath() + QStringLiteral("/ZR35 Mouse Software-%1.lock").arg(getuid()));
    }

    // A guard that cannot work must not keep the user out of the program.
    void unusableLockFileCountsAsFirst()
    {
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", runtime + "/missing/folder");
        SingleInstance guard;
        const bool acquired = guard.tryAcquire();
        qputenv("XDG_RUNTIME_DIR", runtime);
        QVERIFY(acquired);
    }

    // The kernel releases the lock of a killed instance: the next start is a first one again.
    void killedInstanceReleasesTheLock()
    {
        int ready[2];
        QCOMPARE(pipe(ready), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(ready[0]);
            SingleInstance guard;
            const char result = guard.tryAcquire() ? 'y' : 'n';
            if (write(ready[1], &result, 1) != 1)
                _exit(2);
            for (;;)
                pause();
        }
        close(ready[1]);
        char result = 0;
        const ssize_t got = read(ready[0], &result, 1);
        close(ready[0]);
        QCOMPARE(got, ssize_t(1));
        QCOMPARE(result, 'y');

        SingleInstance guard;
        const bool acquiredWhileChildRuns = guard.tryAcquire();
        kill(child, SIGKILL);
        int status = 0;
        QCOMPARE(waitpid(child, &status, 0), child);
        QVERIFY(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        QVERIFY(!acquiredWhileChildRuns);
        QVERIFY(guard.tryAcquire());
    }
};

ZR35_TEST_MAIN(TestSingleInstance)
#include "tst_singleinstance.moc"
