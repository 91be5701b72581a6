#include "platform/devicelib/devicelib.h"
#include "platform/devicelib/replycoders.h"
#include "tests/platform/devicelib/simfixture.h"
#include "tests/support/testmain.h"

namespace {
QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray b;
    for (int v : values)
        b.append(char(v));
    return b;
}

} // namespace

// The decoders the program calls, against the replies the virtual mouse sends.
class TestReplyCoders : public QObject
{
    Q_OBJECT
private slots:
    void dpiLight_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("steady, on")
            << bytes({0x4C, 4, 1, 128, 3, 1, 0, 0}) << true << bytes({1, 128, 3, 1});
        QTest::newRow("breathing, off")
            << bytes({0x4C, 4, 2, 255, 5, 0, 0, 0}) << true << bytes({2, 255, 5, 0});
        QTest::newRow("another command")
            << bytes({0xA0, 4, 1, 2, 3, 4, 0, 0}) << false << bytes({9, 9, 9, 9});
        QTest::newRow("wrong block size")
            << bytes({0x4C, 7, 1, 2, 3, 4, 0, 0}) << false << bytes({9, 9, 9, 9});
    }

    void dpiLight()
    {
        QFETCH(QByteArray, payload);
        QFETCH(bool, filled);
        QFETCH(QByteArray, block);
        QByteArray out = bytes({9, 9, 9, 9, 0x55});
        QCOMPARE(BufferToDPILed(bytesOf(payload), bytesOf(out)), filled);
        QCOMPARE(out, block + bytes({0x55}));
        if (filled)
            QCOMPARE(ReplyCoders::encodeDpiLight(bytesOf(block)), payload);
    }

    void ledBar_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<bool>("filled");
        QTest::addColumn<QByteArray>("block");
        QTest::newRow("neon, teal") << bytes({0xA0, 7, 4, 0, 128, 128, 9, 9, 1}) << true
                                    << bytes({4, 0, 128, 128, 9, 9, 1});
        QTest::newRow("off keeps mode")
            << bytes({0xA0, 7, 2, 255, 0, 0, 0, 0, 0}) << true << bytes({2, 255, 0, 0, 0, 0, 0});
        QTest::newRow("a DPI light block")
            << bytes({0x4C, 4, 1, 2, 3, 4, 0, 0, 0}) << false << bytes({9, 9, 9, 9, 9, 9, 9});
    }

    void ledBar()
    {
        QFETCH(QByteArray, payload);
        QFETCH(bool, filled);
        QFETCH(QByteArray, block);
        QByteArray out = bytes({9, 9, 9, 9, 9, 9, 9, 0x55});
        QCOMPARE(BufferToLedBar(bytesOf(payload), bytesOf(out)), filled);
        QCOMPARE(out, block + bytes({0x55}));
        if (filled)
            QCOMPARE(ReplyCoders::encodeLedBar(bytesOf(block)), payload);
    }

    void battery_data()
    {
        QTest::addColumn<QByteArray>("payload");
        QTest::addColumn<QByteArray>("status");
        QTest::newRow("80 %") << bytes({80, 0, 0, 0}) << bytes({80, 0, 0, 0});
        QTest::newRow("charging") << bytes({5, 1, 0, 0}) << bytes({5, 1, 0, 0});
        QTest::newRow("any charging byte") << bytes({50, 0x80, 0, 0}) << bytes({50, 1, 0, 0});
        QTest::newRow("gauge above full") << bytes({130, 0, 7, 7}) << bytes({100, 0, 0, 0});
    }

    void battery()
    {
        QFETCH(QByteArray, payload);
        QFETCH(QByteArray, status);
        QByteArray out = bytes({9, 9, 9, 9, 0x55});
        GetDeviceBatteryStatus(bytesOf(payload), bytesOf(out));
        QCOMPARE(out, status + bytes({0x55}));
    }

    void batteryEncodesLevelAndCharging()
    {
        QCOMPARE(ReplyCoders::encodeBattery(80, false), bytes({80, 0, 0, 0}));
        QCOMPARE(ReplyCoders::encodeBattery(150, true), bytes({100, 1, 0, 0}));
    }

    void statusChanged_data()
    {
        QTest::addColumn<unsigned>("mask");
        QTest::addColumn<QByteArray>("flags");
        QTest::newRow("DPI stage") << 1u << bytes({1, 0, 0, 0, 0, 0, 0});
        QTest::newRow("battery") << (1u << ReplyCoders::BatteryItem)
                                 << bytes({0, 0, 0, 0, 0, 0, 1});
        QTest::newRow("profile and light bar")
            << ((1u << ReplyCoders::ProfileItem) | (1u << ReplyCoders::LedBarItem))
            << bytes({0, 0, 1, 0, 0, 1, 0});
        QTest::newRow("everything") << 0x7Fu << bytes({1, 1, 1, 1, 1, 1, 1});
        QTest::newRow("nothing") << 0u << bytes({0, 0, 0, 0, 0, 0, 0});
    }

    void statusChanged()
    {
        QFETCH(unsigned, mask);
        QFETCH(QByteArray, flags);
        const QByteArray payload = ReplyCoders::encodeStatusChanged(mask);
        QByteArray out = bytes({9, 9, 9, 9, 9, 9, 9, 0x55});
        GetDeviceStatusChanged(bytesOf(payload), bytesOf(out));
        QCOMPARE(out, flags + bytes({0x55}));
    }
};

ZR35_TEST_MAIN(TestReplyCoders)
#include "tst_replycoders.moc"
