#include "tests/support/child.h"
#include "tests/support/testmain.h"

#include <QLabel>
#include <QProcess>

namespace {
const char *const LookupChildVariable = "ZR35_CHILD_LOOKUP_CHILD";
} // namespace

class TestChild : public QObject
{
    Q_OBJECT
private slots:
    void findsByClassAndName()
    {
        QWidget form;
        auto *title = new QLabel(&form);
        title->setObjectName(QStringLiteral("title"));
        QCOMPARE(child<QLabel>(&form, QStringLiteral("title")), title);
        QCOMPARE(child<QLabel>(form, "title"), title);
        QCOMPARE(child(&form, "title"), static_cast<QWidget *>(title));
    }

    // A renamed widget fails the test function that looks it up, naming the class and the name
    // it looked for and where, instead of crashing on a null pointer further on.
    void missingChildFailsWithItsName()
    {
        QProcess lookup;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(LookupChildVariable, QStringLiteral("1"));
        lookup.setProcessEnvironment(environment);
        lookup.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("lookUpRenamedInChild")});
        QVERIFY(lookup.waitForFinished(30000));
        QVERIFY(lookup.exitStatus() == QProcess::CrashExit || lookup.exitCode() != 0);
        const QByteArray output = lookup.readAllStandardOutput() + lookup.readAllStandardError();
        QVERIFY2(output.contains("no QLabel named \"title\" in QFrame \"form\""),
                 output.constData());
        QVERIFY2(output.contains("FAIL!  : TestChild::lookUpRenamedInChild()"), output.constData());
        QVERIFY2(!output.contains("AddressSanitizer"), output.constData());
    }

    // Runs only inside the child process of the test above.
    void lookUpRenamedInChild()
    {
        if (!qEnvironmentVariableIsSet(LookupChildVariable))
            QSKIP("runs in the child process of missingChildFailsWithItsName");
        QFrame form;
        form.setObjectName(QStringLiteral("form"));
        auto *renamed = new QLabel(&form);
        renamed->setObjectName(QStringLiteral("heading"));
        child<QLabel>(&form, "title")->setText(QStringLiteral("never reached"));
        QFAIL("the missing child was not reported");
    }
};

ZR35_TEST_MAIN(TestChild)
#include "tst_child.moc"
