#include "buttons/model/keyrecords.h"
#include "macro/model/keyvocabulary.h"
#include "tests/support/testmain.h"

namespace {

struct Event
{
    int action;
    int kind;
    int code;
};

QVector<Event> eventsOf(const KeyRecord &record)
{
    QVector<Event> events;
    for (const KeyEvent &event : record.Events)
        events.append({event.Action, event.Kind, event.code()});
    return events;
}

bool operator==(const Event &a, const Event &b)
{
    return a.action == b.action && a.kind == b.kind && a.code == b.code;
}

char *toString(const Event &event)
{
    return qstrdup(QByteArray("{" + QByteArray::number(event.action) + "," +
                              QByteArray::number(event.kind) + ",0x" +
                              QByteArray::number(event.code, 16) + "}")
                       .constData());
}

} // namespace

Q_DECLARE_METATYPE(QVector<Event>)

// The key names and records of multimedia keys and key combinations.
class TestKeyRecords : public QObject
{
    Q_OBJECT
private slots:
    void namesOfStoredEvents_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("kind");
        QTest::addColumn<QString>("name");
        QTest::newRow("0x20 key") << 0x20 << 1 << "3";
        QTest::newRow("0x20 modifier") << 0x20 << 0 << "Shift";
        QTest::newRow("0x20 consumer") << 0x20 << 2 << "";
        QTest::newRow("0x10 modifier") << 0x10 << 0 << "Ctrl";
        QTest::newRow("0x10 key") << 0x10 << 1 << "M";
        QTest::newRow("0x10 other kind") << 0x10 << 4 << "M";
        QTest::newRow("0x40 modifier") << 0x40 << 0 << "Alt";
        QTest::newRow("0x40 key") << 0x40 << 1 << "F7";
        QTest::newRow("0x01 whatever the kind") << 0x01 << 1 << "Ctrl";
        QTest::newRow("0x80 whatever the kind") << 0x80 << 2 << "Win";
        QTest::newRow("keypad Enter") << 0x58 << 1 << "Enter";
        QTest::newRow("Num3") << 0x5B << 1 << "Num3";
        QTest::newRow("non-US backslash") << 0x64 << 1 << "";
        QTest::newRow("beyond the table") << 0x66 << 1 << "";
        QTest::newRow("no key") << 0x00 << 0 << "";
        QTest::newRow("arrow") << 0x4F << 1 << QString(QChar(0x2192));
    }
    void namesOfStoredEvents()
    {
        QFETCH(int, code);
        QFETCH(int, kind);
        QFETCH(QString, name);
        QCOMPARE(KeyNameFromUsage(std::uint8_t(code), std::uint8_t(kind)), name);
    }

    // Every name the combination dialog can write reads back as itself from the record.
    void everyNameRoundTrips()
    {
        QStringList names{"Ctrl", "Shift", "Alt", "Win"};
        for (const KeyRow &row : KeyTable()) {
            if (row.kind == KeyEventKind::Keyboard)
                names << row.name;
        }
        QCOMPARE(names.size(), 4 + 96); // the side-less modifiers and every keyboard key
        for (const QString &name : names) {
            const KeyRecord record = UsageFromKeyName(name, 0, 1, KeyRecord{});
            const KeyEvent &press = record.Events[0];
            QCOMPARE(KeyNameFromUsage(std::uint8_t(press.code() & 0xFF), press.Kind), name);
            QCOMPARE(record.Events[1].code(), press.code());
            QCOMPARE(int(record.Events[1].Action), int(KeyEventAction::Release));
        }
    }

    void unknownNameKeepsTheCode()
    {
        KeyRecord record{};
        record.Events[0].setCode(0x1234);
        const KeyRecord result = UsageFromKeyName(QStringLiteral("ctrl"), 0, 1, record);
        QCOMPARE(int(result.Events[0].Kind), 1);
        QCOMPARE(int(result.Events[0].code()), 0x1234);
        QCOMPARE(int(result.Count), 0);
        // Positions outside the record's six events are refused whole.
        const KeyRecord refused = UsageFromKeyName(QStringLiteral("A"), 3, 4, record);
        QCOMPARE(QByteArray(reinterpret_cast<const char *>(&refused), sizeof refused),
                 QByteArray(reinterpret_cast<const char *>(&record), sizeof record));
    }

    void combinations_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("count");
        QTest::addColumn<QVector<Event>>("events");
        QTest::addColumn<QString>("label");
        const Event none{0, 0, 0};
        QTest::newRow("Ctrl+Alt+Del")
            << "Ctrl+Alt+Del" << 6 << QVector<Event>{{0, 0, 0x01}, {0, 0, 0x04}, {0, 1, 0x4C},
                                                     {1, 1, 0x4C}, {1, 0, 0x04}, {1, 0, 0x01}}
            << "Ctrl+Alt+Del";
        QTest::newRow("single key")
            << "A" << 2 << QVector<Event>{{0, 1, 0x04}, {1, 1, 0x04}, none, none, none, none}
            << "A";
        QTest::newRow("empty text")
            << "" << 2 << QVector<Event>{{0, 1, 0}, {1, 1, 0}, none, none, none, none} << "";
        QTest::newRow("Shift+") << "Shift+" << 4
                                << QVector<Event>{{0, 0, 0x02}, {0, 1, 0}, {1, 1, 0},
                                                  {1, 0, 0x02}, none,      none}
                                << "Shift+";
        // A model file's default may hold more keys than the record: the first three are kept.
        QTest::newRow("four parts")
            << "Ctrl+Shift+A+B" << 6 << QVector<Event>{{0, 0, 0x01}, {0, 0, 0x02}, {0, 1, 0x04},
                                                       {1, 1, 0x04}, {1, 0, 0x02}, {1, 0, 0x01}}
            << "Ctrl+Shift+A";
    }
    void combinations()
    {
        QFETCH(QString, text);
        QFETCH(int, count);
        QFETCH(QVector<Event>, events);
        QFETCH(QString, label);
        const KeyRecord record = ParseKeyCombination(text);
        QCOMPARE(int(record.Count), count);
        QCOMPARE(eventsOf(record), events);
        for (int i = 0; i < count; ++i)
            QCOMPARE(int(record.Events[i].delay()), 10);
        QCOMPARE(CombinationParts(text).join(QLatin1Char('+')), label);
        QCOMPARE(CombinationText(record), label);
    }

    // A damaged record may claim up to 255 events: the text reads the three presses it can hold.
    void storedCountBeyondTheRecord()
    {
        KeyRecord record = ParseKeyCombination(QStringLiteral("Ctrl+Alt+Del"));
        record.Count = 255;
        QCOMPARE(CombinationText(record), QStringLiteral("Ctrl+Alt+Del"));
        record.Count = 1;
        QCOMPARE(CombinationText(record), QString());
    }

    void consumerRecordBytes()
    {
        const KeyRecord record = MakeConsumerKeyRecord(0x00, 0xCD);
        const QByteArray bytes(reinterpret_cast<const char *>(&record), sizeof record);
        QCOMPARE(bytes.left(20).toHex(' '),
                 QByteArray("02 00 00 00 00 02 cd 00 0a 00 00 00 01 02 cd 00 0a 00 00 00"));
        QCOMPARE(bytes.mid(20), QByteArray(32, '\0'));
    }

    void multimediaKeysByLowByte()
    {
        QCOMPARE(QByteArray(FindMultimediaKey(0x83)->Option), QByteArray("Player"));
        QCOMPARE(FindMultimediaKey(0x83)->Usage, std::uint16_t(0x0183));
        QCOMPARE(QByteArray(FindMultimediaKey(0xEA)->Option), QByteArray("VolumeDown_4"));
        QVERIFY(!FindMultimediaKey(0x183));
        QVERIFY(!FindMultimediaKey(0xE3));
        QSet<int> lowBytes;
        for (const MultimediaKey &key : MultimediaKeys)
            lowBytes.insert(key.Usage & 0xFF);
        QCOMPARE(lowBytes.size(), int(MultimediaKeys.size()));
    }
};

ZR35_TEST_MAIN(TestKeyRecords)
#include "tst_keyrecords.moc"
