#include "tests/support/appprocess.h"
#include "tests/support/testmain.h"

#include <QDir>

class TestAppProcess : public QObject
{
    Q_OBJECT
private slots:
    void reportsItsWindowOnce()
    {
        AppProcess program;
        QVERIFY(program.start());
        QVERIFY2(program.waitForWindow(), program.standardError().constData());
        // Still running: the time limit of the exit wait is what ends this wait.
        QVERIFY(!program.waitForExit(300));
        QVERIFY(program.stop());
        QCOMPARE(program.standardOutput().count("window-shown"), 1);
    }

    void silentWithoutTheRequest()
    {
        AppProcess program;
        program.setEnv(QStringLiteral("ZR35_REPORT_WINDOW"), QStringLiteral("0"));
        QVERIFY(program.start());
        QVERIFY(!program.waitForWindow(1500));
        QVERIFY(program.stop());
        QVERIFY(!program.standardOutput().contains("window-shown"));
    }

    // The test's variables reach the program and win over the defaults: a platform that does not
    // exist makes the toolkit give up at start-up.
    void extraVariablesReachTheProgram()
    {
        AppProcess program;
        program.setEnv(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("no-such-platform"));
        QVERIFY(program.start());
        QVERIFY(!program.waitForWindow());
        QVERIFY(program.waitForExit());
        QVERIFY(program.crashed() || program.exitCode() != 0);
        QVERIFY(program.standardError().contains("no-such-platform"));
    }

    void homeIsItsOwn()
    {
        AppProcess first;
        AppProcess second;
        QVERIFY(first.home() != second.home());
        QVERIFY(first.home() != QDir::homePath());
        QVERIFY(QDir(first.home()).exists(QStringLiteral(".config")));
        QVERIFY(QDir(first.home()).exists(QStringLiteral("runtime")));
    }
};

ZR35_TEST_MAIN(TestAppProcess)
#include "tst_appprocess.moc"
