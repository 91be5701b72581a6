#include "platform/desktopentry.h"
#include "tests/support/testmain.h"

// Entries in the autostart folder may have been edited by hand or by the desktop's own tools.
class TestDesktopEntry : public QObject
{
    Q_OBJECT
private slots:
    void readsTheProgramBack_data()
    {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<bool>("found");
        QTest::addColumn<QString>("command");
        QTest::newRow("quoted") << QByteArray("[Desktop Entry]\nExec=\"/opt/a b/zr35\"\n") << true
                                << "/opt/a b/zr35";
        QTest::newRow("unquoted") << QByteArray("[Desktop Entry]\nExec=/opt/zr35\n") << true
                                  << "/opt/zr35";
        QTest::newRow("arguments kept as written")
            << QByteArray("[Desktop Entry]\nExec=\"/opt/zr35\" --hidden\n") << true
            << "\"/opt/zr35\" --hidden";
        QTest::newRow("spaces around the key and CRLF")
            << QByteArray("[Desktop Entry]\r\nName=x\r\nExec = \"/opt/zr35\"\r\n") << true
            << "/opt/zr35";
        QTest::newRow("escaped quote and backslash")
            << QByteArray("[Desktop Entry]\nExec=\"/opt/a\\\\\"b/c\\\\\\\\d\"\n") << true
            << "/opt/a\"b/c\\d";
        QTest::newRow("Exec of an action only")
            << QByteArray("[Desktop Entry]\nName=x\n[Desktop Action a]\nExec=/bin/false\n") << false
            << "";
        QTest::newRow("no main group") << QByteArray("Exec=/opt/zr35\n") << false << "";
        QTest::newRow("TryExec is not Exec")
            << QByteArray("[Desktop Entry]\nTryExec=/opt/zr35\n") << false << "";
    }
    void readsTheProgramBack()
    {
        QFETCH(QByteArray, content);
        QFETCH(bool, found);
        QFETCH(QString, command);
        bool wasFound = !found;
        QCOMPARE(DesktopEntry::execCommand(content, &wasFound), command);
        QCOMPARE(wasFound, found);
    }

    void writtenEntriesRoundTrip_data()
    {
        QTest::addColumn<QString>("program");
        QTest::newRow("plain") << "/usr/bin/zr35";
        QTest::newRow("every reserved character") << "/opt/ \t\"'\\><~|&;$*?#()`%%/x";
        QTest::newRow("non-ASCII") << "/home/zoë/Программы/zr35";
        QTest::newRow("newline") << "/opt/a\nb";
    }
    void writtenEntriesRoundTrip()
    {
        QFETCH(QString, program);
        const QByteArray entry = DesktopEntry::autostartEntry(QStringLiteral(" Name\\"), program);
        QVERIFY(entry.contains("\nName=\\sName\\\\\n"));
        // One line per key: a newline in the path must not break the entry.
        QCOMPARE(entry.count('\n'), 5);
        bool found = false;
        QCOMPARE(DesktopEntry::execCommand(entry, &found), program);
        QVERIFY(found);
    }
};

ZR35_TEST_MAIN(TestDesktopEntry)
#include "tst_desktopentry.moc"
