#include "platform/singleinstance.h"
#include "tests/support/appprocess.h"
#include "tests/support/testmain.h"

namespace {

// The real program in this test's own HOME and runtime folder, so every copy started here and
// the test itself meet at the same single-instance lock; true once its first window is shown.
bool startInTestHome(AppProcess &program)
{
    program.shareTestHome();
    return program.start() && program.waitForWindow();
}

bool running(AppProcess &program)
{
    return !program.waitForExit(0);
}

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
            AppProcess first;
            QVERIFY(startInTestHome(first));
            QVERIFY(lockIsHeldElsewhere());
            QVERIFY(first.kill());
            QVERIFY(first.crashed());
        }
        QVERIFY(!lockIsHeldElsewhere());

        AppProcess next;
        QVERIFY(startInTestHome(next));
        // The lock is only ever taken by a first instance; a second one shows its notice
        // without it.
        QVERIFY(lockIsHeldElsewhere());

        AppProcess another;
        QVERIFY(startInTestHome(another));
        QVERIFY(running(another));
        QVERIFY(next.kill());
        // The notice of the second copy is still waiting for its answer; it never took the lock.
        QVERIFY(!lockIsHeldElsewhere());
        QVERIFY(another.kill());
    }
};

ZR35_TEST_MAIN(TestInstances)
#include "tst_instances.moc"
