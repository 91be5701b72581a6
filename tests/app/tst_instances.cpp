#include "platform/singleinstance.h"
#include "tests/support/testmain.h"

#include <QDeadlineTimer>
#include <QProcess>

#include <csignal>
#include <sys/types.h>

namespace {
// The real program in this test's own HOME and runtime folder, so every copy started here and
// the test itself meet at the same single-instance lock.
class Program
{
public:
    Program()
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("ZR35_REPORT_WINDOW"), QStringLiteral("1"));
        process.setProcessEnvironment(environment);
        process.setProgram(QStringLiteral(ZR35_BINARY_DIR "/app/zr35-mouse-software"));
    }
    ~Program()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }

    bool startAndWaitForWindow()
    {
        process.start();
        if (!process.waitForStarted())
            return false;
        const QDeadlineTimer deadline(20000);
        while (!output.contains("window-shown\n")) {
            if (process.state() == QProcess::NotRunning || deadline.hasExpired())
                return false;
            process.waitForReadyRead(200);
            output += process.readAllStandardOutput();
        }
        return true;
    }

    void killHard()
    {
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished(5000);
    }

    QProcess process;
    QByteArray output;
};

bool lockIsHeldElsewhere()
{
    SingleInstance probe;
    return !probe.tryAcquire();
}
} // namespace

class TestInstances : public QObject
{
    Q_OBJECT
private slots:
    void aKilledInstanceDoesNotBlockTheNextStart()
    {
        QVERIFY(!lockIsHeldElsewhere());
        {
            Program first;
            QVERIFY(first.startAndWaitForWindow());
            QVERIFY(lockIsHeldElsewhere());
            first.killHard();
            QCOMPARE(first.process.exitStatus(), QProcess::CrashExit);
        }
        QVERIFY(!lockIsHeldElsewhere());

        Program next;
        QVERIFY(next.startAndWaitForWindow());
        // The lock is only ever taken by a first instance; a second one shows its notice
        // without it.
        QVERIFY(lockIsHeldElsewhere());

        Program another;
        QVERIFY(another.startAndWaitForWindow());
        QVERIFY(another.process.state() == QProcess::Running);
        next.killHard();
        // The notice of the second copy is still waiting for its answer; it never took the lock.
        QVERIFY(!lockIsHeldElsewhere());
    }
};

ZR35_TEST_MAIN(TestInstances)
#include "tst_instances.moc"
