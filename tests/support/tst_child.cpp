#include "tests/support/child.h"
#include "tests/support/ownprocess.h"
#include "tests/support/testmain.h"

#include <QLabel>

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
        const OwnProcessRun lookup =
            runTestFunctionAlone(QStringLiteral("lookUpRenamedInChild"), LookupChildVariable);
        QVERIFY(lookup.finished);
        QVERIFY(lookup.failed);
        const QByteArray &output = lookup.output;
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
