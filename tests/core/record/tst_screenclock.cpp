#include "core/record/screenclock.h"
#include "tests/support/testmain.h"

#include <QByteArray>

using namespace ScreenClock;

namespace {

const Reading Thursday{2026, 3, 5, 14, 7, 9, 4};

QByteArray bytesOf(const Packet &packet)
{
    return QByteArray(reinterpret_cast<const char *>(packet.data()), int(packet.size()));
}

Packet fromBytes(const QByteArray &bytes)
{
    Packet packet{};
    for (int i = 0; i < bytes.size() && i < int(packet.size()); ++i)
        packet[std::size_t(i)] = std::uint8_t(bytes.at(i));
    return packet;
}

// A packet changed in one byte, its checksum set again unless asked not to.
QByteArray changed(const Packet &packet, int index, int value, bool fixChecksum = true)
{
    Packet copy = packet;
    copy[std::size_t(index)] = std::uint8_t(value);
    if (fixChecksum)
        copy[ChecksumIndex] = CheckSum(copy.data());
    return bytesOf(copy);
}

} // namespace

class TestScreenClock : public QObject
{
    Q_OBJECT
private slots:
    // The screen reads the date big-endian from byte 3 and the weekday from byte 10; what the
    // packet does not use is zero, so the checksum is the same for the same moment.
    void packetOfOneReading()
    {
        const Packet packet = BuildPacket(Thursday);
        QCOMPARE(bytesOf(packet).left(11).toHex(' '),
                 QByteArray("0a 00 10 07 ea 03 05 0e 07 09 04"));
        QCOMPARE(bytesOf(packet).mid(11, 28), QByteArray(28, '\0'));
        QCOMPARE(int(packet[39]), 0x20);
        QVERIFY(CheckSumOk(packet.data()));
    }

    void checksumWrapsModulo256()
    {
        Packet packet{};
        packet[0] = 0xFF;
        packet[1] = 0xA4; // 0xFF + 0xA4 = 0x1A3
        QCOMPARE(int(CheckSum(packet.data())), 0xB2);
        packet[39] = 0xB3;
        QVERIFY(!CheckSumOk(packet.data()));
    }

    void replies_data()
    {
        QTest::addColumn<QByteArray>("reply");
        QTest::addColumn<bool>("passes");
        const Packet sent = BuildPacket(Thursday);
        const QByteArray good = bytesOf(ReplyTo(sent));
        QTest::newRow("echo with its own checksum") << good << true;
        QTest::newRow("the packet itself") << bytesOf(sent) << true;
        QTest::newRow("wrong checksum") << changed(ReplyTo(sent), 39, 0x00, false) << false;
        QTest::newRow("another day") << changed(ReplyTo(sent), 6, 6) << false;
        QTest::newRow("another year") << changed(ReplyTo(sent), 4, 0xEB) << false;
        QTest::newRow("time is not echoed") << changed(ReplyTo(sent), 7, 3) << true;
        QTest::newRow("too short") << good.left(39) << false;
        QTest::newRow("nothing") << QByteArray(40, '\0') << false;
    }
    void replies()
    {
        QFETCH(QByteArray, reply);
        QFETCH(bool, passes);
        QCOMPARE(ReplyPasses(BuildPacket(Thursday),
                             reinterpret_cast<const std::uint8_t *>(reply.constData()),
                             std::size_t(reply.size())),
                 passes);
    }

    // What the screen accepts: a whole clock packet with its checksum, of a moment that exists.
    void screenReadsPackets_data()
    {
        QTest::addColumn<QByteArray>("packet");
        QTest::addColumn<bool>("accepted");
        const Packet good = BuildPacket(Thursday);
        QTest::newRow("good") << bytesOf(good) << true;
        QTest::newRow("leap day 2024")
            << bytesOf(BuildPacket({2024, 2, 29, 23, 59, 59, 4})) << true;
        QTest::newRow("no leap day 2026")
            << bytesOf(BuildPacket({2026, 2, 29, 0, 0, 0, 7})) << false;
        QTest::newRow("day 31 of April")
            << bytesOf(BuildPacket({2026, 4, 31, 0, 0, 0, 5})) << false;
        QTest::newRow("hour 24") << changed(good, 7, 24) << false;
        QTest::newRow("second 60") << changed(good, 9, 60) << false;
        QTest::newRow("month 13") << changed(good, 5, 13) << false;
        QTest::newRow("weekday of another day") << changed(good, 10, 5) << false;
        QTest::newRow("bad checksum") << changed(good, 39, 0x21, false) << false;
        QTest::newRow("another command") << changed(good, 2, 0x11) << false;
        QTest::newRow("too short") << bytesOf(good).left(39) << false;
    }
    void screenReadsPackets()
    {
        QFETCH(QByteArray, packet);
        QFETCH(bool, accepted);
        Reading reading{1, 1, 1, 0, 0, 0, 1};
        const Reading before = reading;
        QCOMPARE(ReadPacket(reinterpret_cast<const std::uint8_t *>(packet.constData()),
                            std::size_t(packet.size()), &reading),
                 accepted);
        if (accepted)
            QVERIFY(BuildPacket(reading) == fromBytes(packet));
        else
            QVERIFY(reading == before);
    }

    void weekdays_data()
    {
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<int>("day");
        QTest::addColumn<int>("weekday");
        QTest::newRow("Thursday") << 2026 << 3 << 5 << 4;
        QTest::newRow("Sunday") << 2026 << 3 << 8 << 7;
        QTest::newRow("Monday, new year") << 2024 << 1 << 1 << 1;
        QTest::newRow("Tuesday, leap day") << 2000 << 2 << 29 << 2;
    }
    void weekdays()
    {
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(int, day);
        QFETCH(int, weekday);
        QCOMPARE(WeekdayOf(year, month, day), weekday);
        QCOMPARE(WeekdayOf(year, month, day), QDate(year, month, day).dayOfWeek());
    }
};

ZR35_TEST_MAIN(TestScreenClock)
#include "tst_screenclock.moc"
