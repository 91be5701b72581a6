#include "core/devicestate.h"
#include "core/postmsg.h"
#include "macro/eventitem.h"
#include "macro/macro.h"
#include "tests/macro/macrobench.h"
#include "tests/support/testmain.h"

#include <QListWidget>

namespace {

// Fills the event list with `rows`: "+A" a press, "-A" a release, "25ms" a delay; then makes row
// `current` current (-1 none).
void fill(Macro &page, const QStringList &rows, int current)
{
    auto *list = child<QListWidget>(&page, "listWidgetKey");
    list->clear();
    for (const QString &row : rows) {
        if (row.endsWith(QLatin1String("ms")))
            list->addItem(EventItem::Delay(row.chopped(2).toDouble()));
        else
            list->addItem(EventItem::Key(row.mid(1), row.startsWith(QLatin1Char('+'))));
    }
    list->setCurrentRow(current);
}

int currentRow(const Macro &page)
{
    return child<QListWidget>(&page, "listWidgetKey")->currentRow();
}

const QStringList Recorded{"+A", "10ms", "-A", "20ms", "+B", "30ms", "-B"};

} // namespace

// The five operations that add events: where each puts its items, and what the items carry.
class TestEventList : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase()
    {
        FillMacroTexts();
        DeviceState::instance()->CurrentLanguage = 0;
    }

    void items()
    {
        QListWidget list;
        list.addItem(EventItem::Key(QStringLiteral("LCtrl"), true));
        list.addItem(EventItem::Delay(35.6));
        list.addItem(EventItem::Key(QStringLiteral("LCtrl"), false));
        list.addItem(EventItem::Key(QStringLiteral("no such key"), true));
        list.addItem(EventItem::Delay(0.5));
        QCOMPARE(eventData(&list),
                 QStringLiteral("+LCtrl[0x01/0] 36ms[36] -LCtrl[0x01/0] +no such key[] 1ms[1]"));
        QCOMPARE(list.item(0)->type(), 0);
        QCOMPARE(list.item(1)->type(), 0);
        QCOMPARE(list.item(2)->type(), 1);
        for (int row = 0; row < 3; ++row)
            QVERIFY(!list.item(row)->icon().isNull());
        // Each kind of event has its own picture.
        QVERIFY(list.item(0)->icon().cacheKey() != list.item(2)->icon().cacheKey());
    }

    void insertKeyEvent_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<bool>("down");
        QTest::addColumn<QString>("expected");
        QTest::newRow("first row current")
            << Recorded << 0 << true << "+A 10ms +Tab 10ms -A 20ms +B 30ms -B";
        QTest::newRow("no current row")
            << Recorded << -1 << false << "+A 10ms -A 20ms +B 30ms -B -Tab 10ms";
        QTest::newRow("empty list") << QStringList() << -1 << true << "+Tab 10ms";
        QTest::newRow("last row current")
            << Recorded << 6 << true << "+A 10ms -A 20ms +B 30ms -B 10ms +Tab";
        QTest::newRow("a delay current")
            << Recorded << 3 << true << "+A 10ms -A 20ms +Tab 10ms +B 30ms -B";
        QTest::newRow("a key current")
            << Recorded << 2 << false << "+A 10ms -A 20ms -Tab 10ms +B 30ms -B";
        QTest::newRow("first of one row current")
            << QStringList{"+A"} << 0 << true << "+A +Tab 10ms";
    }
    void insertKeyEvent()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, current);
        QFETCH(bool, down);
        QFETCH(QString, expected);
        Macro page;
        fill(page, rows, current);
        page.InsertKeyEvent(QStringLiteral("Tab"), down);
        QCOMPARE(events(page), expected);
        QCOMPARE(currentRow(page), current);
        QVERIFY(eventData(page).contains(QStringLiteral("Tab[0x2B/1]")));
    }

    void insertClick_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("expected");
        const QString left = fixtureText(0, QStringLiteral("Buttoninterface"), 4);
        const QString click = QStringLiteral("+%1 10ms -%1").arg(left);
        QTest::newRow("first row current")
            << Recorded << 0 << "+A 10ms " + click + " 10ms -A 20ms +B 30ms -B";
        QTest::newRow("empty list") << QStringList() << -1 << click;
        QTest::newRow("no current row")
            << Recorded << -1 << "+A 10ms -A 20ms +B 30ms -B 10ms " + click;
        QTest::newRow("last row current")
            << Recorded << 6 << "+A 10ms -A 20ms +B 30ms -B 10ms " + click;
        QTest::newRow("a delay current")
            << Recorded << 3 << "+A 10ms -A 20ms " + click + " 10ms +B 30ms -B";
        QTest::newRow("a key current")
            << Recorded << 2 << "+A 10ms -A 10ms " + click + " 20ms +B 30ms -B";
    }
    void insertClick()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, current);
        QFETCH(QString, expected);
        Macro page;
        fill(page, rows, current);
        page.InsertClick(fixtureText(0, QStringLiteral("Buttoninterface"), 4));
        QCOMPARE(events(page), expected);
        QCOMPARE(currentRow(page), current);
        // The left button is mouse bit 0x01.
        QCOMPARE(eventData(page).count(QStringLiteral("Buttoninterface 4[0x01/4]")), 2);
    }

    void insertDelay_data()
    {
        QTest::addColumn<QStringList>("rows");
        QTest::addColumn<int>("current");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<int>("currentAfter");
        QTest::newRow("no current row")
            << Recorded << -1 << "+A 10ms -A 20ms +B 30ms -B 36ms" << -1;
        QTest::newRow("first row current") << Recorded << 0 << "+A 10ms -A 20ms +B 30ms -B" << 0;
        QTest::newRow("a delay current replaces it")
            << Recorded << 3 << "+A 10ms -A 36ms +B 30ms -B" << 3;
        QTest::newRow("a key after a delay replaces the delay")
            << Recorded << 2 << "+A 36ms -A 20ms +B 30ms -B" << 1;
        QTest::newRow("a key after a key gets one")
            << QStringList{"+A", "+B", "-B"} << 2 << "+A +B 36ms -B" << 2;
    }
    void insertDelay()
    {
        QFETCH(QStringList, rows);
        QFETCH(int, current);
        QFETCH(QString, expected);
        QFETCH(int, currentAfter);
        Macro page;
        fill(page, rows, current);
        page.InsertDelay(35.6);
        QCOMPARE(events(page), expected);
        QCOMPARE(currentRow(page), currentAfter);
        if (expected.contains(QLatin1String("36ms")))
            QVERIFY(eventData(page).contains(QStringLiteral("36ms[36]")));
    }

    void appending()
    {
        Macro page;
        // Without a selected macro nothing is appended.
        page.InsertEventItem(QStringLiteral("A"), true);
        page.AddDelayItem(12);
        QCOMPARE(events(page), QString());

        selectNewMacro(page);
        page.InsertEventItem(QStringLiteral("A"), true);
        QCOMPARE(currentRow(page), 0);
        page.AddDelayItem(35.6);
        // The row before the delay stays current.
        QCOMPARE(currentRow(page), 0);
        page.InsertEventItem(QStringLiteral("A"), false);
        QCOMPARE(currentRow(page), 2);
        QCOMPARE(eventData(page), QStringLiteral("+A[0x04/1] 36ms[36] -A[0x04/1]"));
    }
};

ZR35_TEST_MAIN(TestEventList)
#include "tst_eventlist.moc"
