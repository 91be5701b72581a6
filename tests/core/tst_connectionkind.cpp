#include "core/connectionkind.h"
#include "core/deviceallinfo.h"

#include "tests/support/testmain.h"

// Every answer the program derives from a connection kind, each as its caller gets it: the device
// tile's badge and connection group (tile builder), the receiver class (discovery, the tile click's
// check for a receiver image), the receiver image key of the update engine and the main window's
// Space key, and the key the tile click's pairing and firmware decision reads.
class TestConnectionKind : public QObject
{
    Q_OBJECT
private slots:
    void answersOfEachKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("receiverClass");
        QTest::addColumn<QString>("imageKey");
        QTest::addColumn<QString>("decisionKey");
        QTest::addColumn<QString>("badge");
        QTest::addColumn<int>("group");
        QTest::newRow("receiver 0") << 0 << 1 << "DM"
                                    << "DM"
                                    << "1KHz.png" << 1;
        QTest::newRow("receiver 4") << 4 << 2 << "D2M"
                                    << "D2M"
                                    << "2KHz.png" << 2;
        QTest::newRow("receiver 1") << 1 << 4 << "D4M"
                                    << "D4M"
                                    << "4KHz.png" << 3;
        QTest::newRow("receiver 5") << 5 << 8 << "D8M"
                                    << "D8M"
                                    << "8KHz.png" << 4;
        // A cable: no receiver and no receiver image, but the 8 kHz cable shows its rate.
        QTest::newRow("cable 3") << 3 << 0 << QString() << "D2M"
                                 << "8KHz.png" << 0;
        QTest::newRow("cable 2") << 2 << 0 << QString() << "D2M" << QString() << 0;
        QTest::newRow("unknown 6") << 6 << 0 << QString() << "D2M" << QString() << 0;
        QTest::newRow("unknown 255") << 255 << 0 << QString() << "D2M" << QString() << 0;
    }
    void answersOfEachKind()
    {
        QFETCH(int, kind);
        QFETCH(int, receiverClass);
        QFETCH(QString, imageKey);
        QFETCH(QString, decisionKey);
        QFETCH(QString, badge);
        QFETCH(int, group);
        QCOMPARE(ReceiverClass(kind), receiverClass);
        QCOMPARE(ReceiverImageKey(ReceiverClass(kind)), imageKey);
        QCOMPARE(DecisionReceiverImageKey(ReceiverClass(kind)), decisionKey);
        QCOMPARE(RateBadge(kind), badge);
        const bool wired = DeviceAllInfo::WiredFromKind(quint8(kind)) != 0;
        QCOMPARE(wired, receiverClass == 0);
        QCOMPARE(ConnectionGroup(kind, wired), group);
        // A mouse on its cable counts as a cable whatever kind it reports.
        QCOMPARE(ConnectionGroup(kind, true), 0);
    }

    // The classes a caller may hold that no kind gives: the update engine and the Space key find
    // no receiver image, the tile click's decision reads D2M.
    void classesWithoutAReceiver_data()
    {
        QTest::addColumn<int>("receiverClass");
        for (int receiverClass : {0, 3, 16, -1})
            QTest::addRow("class %d", receiverClass) << receiverClass;
    }
    void classesWithoutAReceiver()
    {
        QFETCH(int, receiverClass);
        QCOMPARE(ReceiverImageKey(receiverClass), QString());
        QCOMPARE(DecisionReceiverImageKey(receiverClass), QStringLiteral("D2M"));
    }

    // Every byte a device may report: the receiver kinds are exactly those the device description
    // counts as not wired, each has a class of its own, and every other kind is a cable.
    void everyKindByte()
    {
        QList<int> classes;
        for (int kind = 0; kind < 256; ++kind) {
            const int receiverClass = ReceiverClass(kind);
            const bool wired = DeviceAllInfo::WiredFromKind(quint8(kind)) != 0;
            QVERIFY2(wired == (receiverClass == 0), qPrintable(QString::number(kind)));
            if (!wired) {
                QVERIFY(!classes.contains(receiverClass));
                classes << receiverClass;
                QVERIFY(!ReceiverImageKey(receiverClass).isEmpty());
                QVERIFY(!RateBadge(kind).isEmpty());
            }
        }
        // Kinds 0, 1, 4 and 5 in byte order.
        QCOMPARE(classes, (QList<int>{1, 4, 2, 8}));
    }
};

ZR35_TEST_MAIN(TestConnectionKind)
#include "tst_connectionkind.moc"
