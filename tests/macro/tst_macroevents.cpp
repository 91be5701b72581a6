#include "core/record/flashdatamap.h"
#include "macro/model/keyvocabulary.h"
#include "macro/model/macroevents.h"
#include "macro/model/macroname.h"
#include "tests/macro/macrobuildercases.h"
#include "tests/support/testmain.h"

#include <cstring>

namespace {

const QString Ukrainian = QStringLiteral("Привітання");

MacroRecord recordNamed(const QByteArray &name, int count)
{
    MacroRecord record{};
    std::memcpy(record.Name, name.constData(), size_t(qMin(name.size(), 30)));
    record.NameLength = std::uint8_t(name.size());
    record.EventCount = std::uint8_t(count);
    return record;
}

void setEvent(MacroRecord &record, int index, int action, int kind, int code, std::uint32_t delay)
{
    KeyEvent &event = record.Events[index];
    event.Action = std::uint8_t(action);
    event.Kind = std::uint8_t(kind);
    event.setCode(std::uint16_t(code));
    event.setDelay(delay);
}

} // namespace

// What a macro is, apart from any widget: its name as a file and as record bytes, and its events
// as a device record, built from the page's list and taken back from a device.
class TestMacroEvents : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { SetMouseButtonNames({"Left", "Right", "Middle", "Forward", "Back"}); }

    void nameCheck_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("plain") << "Burst fire" << true;
        QTest::newRow("Ukrainian, 20 bytes") << Ukrainian << true;
        QTest::newRow("30 ASCII bytes") << QString(30, QLatin1Char('a')) << true;
        QTest::newRow("31 ASCII bytes") << QString(31, QLatin1Char('a')) << false;
        QTest::newRow("15 two-byte letters") << QString(15, QChar(0x0457)) << true;
        QTest::newRow("16 two-byte letters") << QString(16, QChar(0x0457)) << false;
        QTest::newRow("empty") << "" << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("dot dot") << ".." << false;
        QTest::newRow("three dots") << "..." << true;
        QTest::newRow("up a folder") << "../x" << false;
        QTest::newRow("slash") << "a/b" << false;
        QTest::newRow("backslash") << "a\\b" << false;
        QTest::newRow("tab") << "a\tb" << false;
        QTest::newRow("line feed") << "a\nb" << false;
        QTest::newRow("NUL") << QString::fromUtf16(u"a\u0000b", 3) << false;
        QTest::newRow("lone surrogate") << QString(QChar(0xD800)) << false;
        QTest::newRow("emoji") << QString::fromUtf16(u"\U0001F600") << true;
    }
    void nameCheck()
    {
        QFETCH(QString, name);
        QFETCH(bool, allowed);
        QCOMPARE(IsMacroNameAllowed(name), allowed);
        const std::optional<QString> path = MacroFilePath(QStringLiteral("/folder"), name);
        QCOMPARE(bool(path), allowed);
        if (allowed)
            QCOMPARE(*path, QStringLiteral("/folder/") + name + QStringLiteral(".ini"));
    }

    void macroFolderIsTheUsersMacroPage()
    {
        QCOMPARE(MacroFolder(), UserDir::filePath(QStringLiteral("usersetting/MacroPage")));
        QCOMPARE(*MacroFilePath(QStringLiteral("m")), MacroFolder() + QStringLiteral("/m.ini"));
    }

    void cutOnACharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("maxBytes");
        QTest::addColumn<QString>("cut");
        QTest::newRow("fits") << "abc" << 30 << "abc";
        QTest::newRow("ASCII") << QString(31, QLatin1Char('a')) << 30
                               << QString(30, QLatin1Char('a'));
        // Each letter of the Ukrainian word is two bytes.
        QTest::newRow("Ukrainian, even") << Ukrainian << 8 << Ukrainian.left(4);
        QTest::newRow("Ukrainian, odd") << Ukrainian << 9 << Ukrainian.left(4);
        QTest::newRow("three-byte")
            << QString(11, QChar(0x4E2D)) << 30 << QString(10, QChar(0x4E2D));
        QTest::newRow("surrogate pair kept whole")
            << QString::fromUtf16(u"ab\U0001F600") << 5 << "ab";
        QTest::newRow("surrogate pair fits")
            << QString::fromUtf16(u"ab\U0001F600") << 6 << QString::fromUtf16(u"ab\U0001F600");
    }
    void cutOnACharacter()
    {
        QFETCH(QString, text);
        QFETCH(int, maxBytes);
        QFETCH(QString, cut);
        QCOMPARE(CutToBytes(text, maxBytes), cut);
        QVERIFY(MacroNameBytes(CutToBytes(text, maxBytes)).size() <= maxBytes);
    }

    void builder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<MacroEvents>("events");
        QTest::addColumn<QString>("record");
        for (const BuilderCase &c : BuilderCases())
            QTest::newRow(qPrintable(c.tag)) << c.name << c.events << c.record;
    }
    void builder()
    {
        QFETCH(QString, name);
        QFETCH(MacroEvents, events);
        QFETCH(QString, record);
        const MacroRecord built = BuildMacroRecord(name, events);
        QCOMPARE(DescribeRecord(built), record);
        // The name field holds nothing past the name, and no event past the count is set.
        for (size_t i = built.nameSize(); i < MacroRecord::NameCapacity; ++i)
            QCOMPARE(built.Name[i], std::uint8_t(0));
        const MacroRecord zero{};
        QVERIFY(std::memcmp(&built.Events[built.EventCount], &zero.Events[built.EventCount],
                            sizeof(KeyEvent) * (MacroRecord::MaxEvents - built.EventCount)) == 0);
    }

    void takeOver_data()
    {
        QTest::addColumn<QByteArray>("record"); // 592 bytes
        QTest::addColumn<bool>("accepted");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("events");

        MacroRecord abc = recordNamed("abc", 2);
        setEvent(abc, 0, 0, 4, 0x01, 20);
        setEvent(abc, 1, 1, 4, 0x01, 99); // the last event's delay has no item to go to
        QTest::newRow("mouse button")
            << QByteArray(reinterpret_cast<char *>(&abc), 592) << true << "abc"
            << "+#0x01/4 20ms -#0x01/4";

        // The vocabulary names each event: a code it names twice comes back as the row's own
        // (keypad Enter is Enter), a code it does not name as the key of the empty name.
        MacroRecord keys = recordNamed("keys", 5);
        setEvent(keys, 0, 0, 0, 0x04, 1); // LAlt
        setEvent(keys, 1, 0, 1, 0x04, 2); // A
        setEvent(keys, 2, 1, 1, 0x58, 3); // keypad Enter
        setEvent(keys, 3, 1, 2, 0xE9, 4); // a consumer usage
        setEvent(keys, 4, 0, 4, 0x20, 5); // no mouse button
        QTest::newRow("vocabulary")
            << QByteArray(reinterpret_cast<char *>(&keys), 592) << true << "keys"
            << "+LAlt 1ms +A 2ms -Enter 3ms -#0x00/1 4ms +#0x00/1";

        MacroRecord many = recordNamed("many", 200);
        for (int k = 0; k < 70; ++k)
            setEvent(many, k, k % 2, 1, 0x05, 0);
        QStringList seventy;
        for (int k = 0; k < 70; ++k)
            seventy << (k % 2 ? "-B" : "+B") << "0ms";
        seventy.removeLast();
        QTest::newRow("count 200") << QByteArray(reinterpret_cast<char *>(&many), 592) << true
                                   << "many" << seventy.join(QLatin1Char(' '));

        // The name is the bytes up to the first zero, whatever NameLength says.
        MacroRecord length = recordNamed("ab", 0);
        length.NameLength = 30;
        QTest::newRow("NameLength not used")
            << QByteArray(reinterpret_cast<char *>(&length), 592) << true << "ab"
            << "";
        const QByteArray thirty(30, 'n');
        QTest::newRow("30 bytes, no zero")
            << QByteArray(reinterpret_cast<char *>(&(length = recordNamed(thirty, 0))), 592) << true
            << QString::fromLatin1(thirty) << "";

        MacroRecord empty = recordNamed("", 1);
        QTest::newRow("empty name")
            << QByteArray(reinterpret_cast<char *>(&empty), 592) << false << ""
            << "";
        MacroRecord up = recordNamed("../x", 1);
        QTest::newRow("../x") << QByteArray(reinterpret_cast<char *>(&up), 592) << false << ""
                              << "";
    }
    void takeOver()
    {
        QFETCH(QByteArray, record);
        QFETCH(bool, accepted);
        QFETCH(QString, name);
        QFETCH(QString, events);
        MacroRecord macro;
        std::memcpy(&macro, record.constData(), sizeof macro);
        const std::optional<TakenOverMacro> taken = MacroFromRecord(macro);
        QCOMPARE(bool(taken), accepted);
        if (!taken)
            return;
        QCOMPARE(taken->name, name);
        QCOMPARE(NotationOf(taken->events), events);
        QVERIFY(KeyEventCount(taken->events) <= 70);
    }

    // What the page builds, the device holds and a take-over gives back: the same events.
    void recordRoundTrip()
    {
        const MacroEvents events =
            EventsOf(QStringLiteral("+LShift 12ms +A 30ms -A 8ms -LShift 40ms +#0x02/4 10ms "
                                    "-#0x02/4 5ms +Enter 0ms -Enter"));
        const std::optional<TakenOverMacro> back =
            MacroFromRecord(BuildMacroRecord(QStringLiteral("round"), events));
        QVERIFY(back);
        QCOMPARE(back->name, QStringLiteral("round"));
        QCOMPARE(NotationOf(back->events), NotationOf(events));
    }
};

Q_DECLARE_METATYPE(MacroEvents)

ZR35_TEST_MAIN(TestMacroEvents)
#include "tst_macroevents.moc"
