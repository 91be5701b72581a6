#include "core/hotplug.h"
#include "core/registryvalues.h"
#include "core/updatefailinfo.h"
#include "tests/support/testmain.h"

#include <QLoggingCategory>

namespace {

// What the diagnostics say of a text that is no record: never the text, which is stored content.
const char Refusal[] = "UpdateFailInfo is not a failure record, ignored";

} // namespace

class TestUpdateFailInfo : public QObject
{
    Q_OBJECT
private slots:
    // The diagnostics are off unless asked for; here they are, to see what they would say.
    void initTestCase()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("zr35.diagnostics.debug=true"));
    }

    void cleanup()
    {
        RegistryValues::RemoveUpdateFailInfo();
        HotPlugHooksInstance().ShowRepairState = nullptr;
    }

    // A record is exactly four decimal numbers of 32 bits; anything else is no record, and a text
    // that is not empty is refused on the diagnostics without being shown.
    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("record");
        QTest::addColumn<QList<int>>("items");
        QTest::newRow("receiver failed") << "211,4,12,10" << true << QList<int>{211, 4, 12, 10};
        QTest::newRow("mouse failed") << "210,1,5,3" << true << QList<int>{210, 1, 5, 3};
        // What the checks then refuse with a message of their own.
        QTest::newRow("another target") << "7,4,12,10" << true << QList<int>{7, 4, 12, 10};
        QTest::newRow("no receiver class") << "211,0,12,10" << true << QList<int>{211, 0, 12, 10};
        QTest::newRow("empty") << "" << false << QList<int>();
        QTest::newRow("three items") << "211,4,12" << false << QList<int>();
        QTest::newRow("five items") << "211,4,12,10,1" << false << QList<int>();
        QTest::newRow("an empty item") << "211,,12,10" << false << QList<int>();
        QTest::newRow("only commas") << ",,," << false << QList<int>();
        QTest::newRow("not a number") << "211,D4M,12,10" << false << QList<int>();
        QTest::newRow("hexadecimal") << "211,4,12,0x0A" << false << QList<int>();
        QTest::newRow("beyond 32 bits") << "4294967507,4,12,10" << false << QList<int>();
        QTest::newRow("below 32 bits") << "211,4,-2147483649,10" << false << QList<int>();
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, record);
        QFETCH(QList<int>, items);
        if (!record && !text.isEmpty())
            QTest::ignoreMessage(QtDebugMsg, Refusal);
        UpdateFailRecord parsed;
        parsed.Target = -99;
        QCOMPARE(ParseUpdateFailInfo(text, &parsed), record);
        if (!record) {
            QCOMPARE(parsed.Target, -99); // untouched
            return;
        }
        QCOMPARE((QList<int>{parsed.Target, parsed.ReceiverCode, parsed.Cid, parsed.Mid}), items);
        UpdateFailRecord again;
        QVERIFY(ParseUpdateFailInfo(
            UpdateFailInfoText(parsed.Target, parsed.ReceiverCode, parsed.Cid, parsed.Mid),
            &again));
        QCOMPARE(again.Mid, parsed.Mid);
    }

    // The home page's hot-plug handling offers Repair only for a record; a refused text is left
    // in the registry as it is.
    void repairOfferedOnlyForARecord_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("offered");
        QTest::newRow("record") << "210,4,12,10" << true;
        QTest::newRow("three items") << "210,4,12" << false;
        QTest::newRow("none") << "" << false;
    }
    void repairOfferedOnlyForARecord()
    {
        QFETCH(QString, text);
        QFETCH(bool, offered);
        if (!text.isEmpty())
            RegistryValues::SetUpdateFailInfo(text);
        // Refused at each reading: here the hot-plug handling's and the test's own.
        for (int reading = 0; reading < 2 && !offered && !text.isEmpty(); ++reading)
            QTest::ignoreMessage(QtDebugMsg, Refusal);
        QList<bool> shown;
        HotPlugHooksInstance().ShowRepairState = [&shown](bool failed) { shown << failed; };
        HandleHomeUsbChanged();
        QCOMPARE(shown, QList<bool>{offered});
        QCOMPARE(RegistryValues::UpdateFailInfo(), text);
        QCOMPARE(HasUpdateFailRecord(), offered);
    }
};

ZR35_TEST_MAIN(TestUpdateFailInfo)
#include "tst_updatefailinfo.moc"
