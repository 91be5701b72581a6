#include "macro/model/macrofile.h"
#include "tests/macro/macrobuildercases.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/testmain.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

void writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(bytes);
}

} // namespace

// The macro file as text: what reads, what is skipped, and what is written.
class TestMacroFile : public QObject
{
    Q_OBJECT
private slots:
    void parse_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QString>("repeat");
        QTest::addColumn<QString>("events");
        QTest::addColumn<int>("unreadable");
        QTest::newRow("the four lines") << QByteArray("3\n0x04 1 0\n10ms\n0x04 1 1\n") << "3"
                                        << "+A 10ms -A" << 0;
        QTest::newRow("carriage returns")
            << QByteArray("255\r\n0x04 1 0\r\n10ms\r\n0x04 1 1\r\n") << "255"
            << "+A 10ms -A" << 0;
        QTest::newRow("new macro, empty") << QByteArray() << ""
                                          << "" << 0;
        QTest::newRow("repeat line only") << QByteArray("254\n") << "254"
                                          << "" << 0;
        QTest::newRow("last line without line feed")
            << QByteArray("1\n0x04 1 0\n15ms\n0x04 1 1") << "1"
            << "+A 15ms -A" << 0;
        QTest::newRow("modifier and mouse button")
            << QByteArray("1\n0x01 0 0\n0x10 4 0\n0x10 4 1\n0x01 0 1\n") << "1"
            << "+LCtrl +#0x10/4 -#0x10/4 -LCtrl" << 0;
        QTest::newRow("blank lines carry nothing") << QByteArray("1\n\n0x04 1 0\n   \n") << "1"
                                                   << "+A" << 0;
        QTest::newRow("extra blanks between parts") << QByteArray("1\n0x04  1   0\n") << "1"
                                                    << "+A" << 0;
        // Lines of neither shape: they are counted, skipped, and the rest still reads.
        QTest::newRow("abc") << QByteArray("1\n0x04 1 0\nabc\n0x04 1 1\n") << "1"
                             << "+A -A" << 1;
        QTest::newRow("direction 2") << QByteArray("1\n0x04 1 2\n") << "1"
                                     << "" << 1;
        QTest::newRow("lower-case code") << QByteArray("1\n0x0a 1 0\n") << "1"
                                         << "" << 1;
        QTest::newRow("one hexadecimal digit") << QByteArray("1\n0xA 1 0\n") << "1"
                                               << "" << 1;
        QTest::newRow("kind 2") << QByteArray("1\n0x04 2 0\n") << "1"
                                << "" << 1;
        QTest::newRow("two parts") << QByteArray("1\n0x04 1\n") << "1"
                                   << "" << 1;
        QTest::newRow("four parts") << QByteArray("1\n0x04 1 0 0\n") << "1"
                                    << "" << 1;
        QTest::newRow("bare direction, as a code-less key was once saved")
            << QByteArray("1\n0\n1\n") << "1"
            << "" << 2;
        QTest::newRow("delay without digits") << QByteArray("1\nms\n-5ms\n") << "1"
                                              << "" << 2;
        QTest::newRow("delay beyond 32 bits")
            << QByteArray("1\n4294967295ms\n4294967296ms\n") << "1"
            << "4294967295ms" << 1;
    }
    void parse()
    {
        QFETCH(QByteArray, file);
        QFETCH(QString, repeat);
        QFETCH(QString, events);
        QFETCH(int, unreadable);
        const MacroFileContent content = ParseMacroFile(file);
        QCOMPARE(content.repeat, repeat);
        QCOMPARE(content.hasRepeat, !file.isEmpty());
        QCOMPARE(NotationOf(content.events), events);
        QCOMPARE(content.unreadableLines, unreadable);
    }

    void repeatValue_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("value");
        QTest::newRow("count") << "3" << 3;
        QTest::newRow("while held") << "254" << 254;
        QTest::newRow("blank after") << "12 " << 12;
        QTest::newRow("not a number") << "abc" << 0;
        QTest::newRow("empty") << "" << 0;
    }
    void repeatValue()
    {
        QFETCH(QString, line);
        QFETCH(int, value);
        QCOMPARE(RepeatValueOf(line), value);
    }

    void writtenAndReadBack()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("m.ini"));
        const MacroEvents events =
            EventsOf(QStringLiteral("+A 10ms -A 0ms +#0x08/4 4294967295ms -#0x08/4 +RWin"));
        QVERIFY(WriteMacroFile(path, QStringLiteral("255"), events));
        QCOMPARE(readAll(path), QByteArray("255\n0x04 1 0\n10ms\n0x04 1 1\n0ms\n0x08 4 0\n"
                                           "4294967295ms\n0x08 4 1\n0x80 0 0\n"));
        MacroFileContent content;
        QVERIFY(ReadMacroFile(path, &content));
        QCOMPARE(content.repeat, QStringLiteral("255"));
        QCOMPARE(NotationOf(content.events), NotationOf(events));
        QCOMPARE(QDir(folder.path()).entryList(QDir::Files), QStringList{"m.ini"});
    }

    void missingFileReadsNothing()
    {
        QTemporaryDir folder;
        MacroFileContent content;
        content.repeat = QStringLiteral("stale");
        QVERIFY(!ReadMacroFile(folder.filePath(QStringLiteral("none.ini")), &content));
        QVERIFY(content.repeat.isEmpty());
        QVERIFY(content.events.isEmpty());
    }

    // A macro from the mouse is written only where there is no file: an existing file, even an
    // empty one, is the user's and stays as it is.
    void newFileOnly()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("m.ini"));
        QVERIFY(
            WriteNewMacroFile(path, QStringLiteral("253"), EventsOf(QStringLiteral("+A 10ms -A"))));
        QCOMPARE(readAll(path), QByteArray("253\n0x04 1 0\n10ms\n0x04 1 1\n"));
        QVERIFY(!WriteNewMacroFile(path, QStringLiteral("1"), EventsOf(QStringLiteral("+B"))));
        QCOMPARE(readAll(path), QByteArray("253\n0x04 1 0\n10ms\n0x04 1 1\n"));
        writeAll(path, "");
        QVERIFY(!WriteNewMacroFile(path, QStringLiteral("1"), EventsOf(QStringLiteral("+B"))));
        QCOMPARE(readAll(path), QByteArray());
    }

    // The disk fills while a macro is saved: the macro keeps its old file.
    void fullDiskKeepsTheOldFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("m.ini"));
        writeAll(path, "253\n0x04 1 0\n10ms\n0x04 1 1\n");
        const MacroEvents events = EventsOf(QStringLiteral("+A 10ms -A 20ms +B 30ms -B 40ms +C"));
        const QString failure = FailedSaveKeepsTheFile(
            path, 40, [&] { return WriteMacroFile(path, QStringLiteral("7"), events); });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

ZR35_TEST_MAIN(TestMacroFile)
#include "tst_macrofile.moc"
