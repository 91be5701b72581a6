#include "platform/inifile.h"
#include "tests/support/filesizelimit.h"
#include "tests/support/standarderror.h"
#include "tests/support/testmain.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The value that made the program crash at every start: QSettings decodes it as a serialized
// point list of 2^31 - 1 points.
const QByteArray CrashValue = "@Variant(\\0\\0\\0G\\x7f\\xff\\xff\\xff)";

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &content)
{
    QFile file(dir.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(content);
    return file.fileName();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file of three groups whose middle line is `line`.
QByteArray aroundLine(const QByteArray &line)
{
    return "[AutoStart]\nEnable=1\n[Language]\n" + line + "\n[FindNew]\nIsShow=0\n";
}

} // namespace

class TestIniFile : public QObject
{
    Q_OBJECT
private slots:
    void damagedLinesAreLeftOut_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::newRow("serialized object") << "Language=" + CrashValue;
        QTest::newRow("object as a list element") << "Language=0, " + CrashValue;
        QTest::newRow("quoted object") << "Language=\"" + CrashValue + "\"";
        QTest::newRow("'@' made by a hex escape") << "Language=\\x40" + CrashValue.mid(1);
        QTest::newRow("'@' made by an octal escape") << "Language=\\100" + CrashValue.mid(1);
        QTest::newRow("'@' behind a dropped escape") << "Language=\\q" + CrashValue;
        QTest::newRow("object on a continued line") << "Language=0\\\n" + CrashValue;
        QTest::newRow("byte array") << QByteArray("Language=@ByteArray(1)");
    }
    void damagedLinesAreLeftOut()
    {
        QFETCH(QByteArray, line);
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("Macro.ini"), aroundLine(line));

        QStringList leftOut;
        QVariantMap values;
        const QByteArray message = standardError([&] {
            const IniFile file(path);
            leftOut = file.leftOut();
            values = file.values();
        });
        QCOMPARE(leftOut, QStringList{QStringLiteral("Language/Language")});
        QVERIFY(!values.contains(QStringLiteral("Language/Language")));
        QCOMPARE(values.value(QStringLiteral("AutoStart/Enable")), QVariant(QStringLiteral("1")));
        QCOMPARE(values.value(QStringLiteral("FindNew/IsShow")), QVariant(QStringLiteral("0")));
        // Every value left is plain text.
        for (const QVariant &value : qAsConst(values))
            QCOMPARE(value.userType(), int(QMetaType::QString));

        QCOMPARE(message.count('\n'), 1);
        QVERIFY2(message.startsWith(path.toLocal8Bit() + ": Language/Language "),
                 message.constData());
        // The stores read their files again and again: the line is written once.
        QCOMPARE(standardError([&] { IniFile again(path); }), QByteArray());
    }

    // A damaged file may hold any byte: the line names the key and shows the value in hex, and
    // sends no control or 8-bit byte to the terminal.
    void damagedValuesAreShownInHex()
    {
        QTemporaryDir dir;
        const QByteArray value = "@Variant(\x1b[2J\x07\xff\xfe owned)";
        const QByteArray line = "Lang\x1b[2Juage\x07=" + value;
        const QString path = writeFile(dir, QStringLiteral("Macro.ini"), aroundLine(line));
        const QByteArray message = standardError([&] { IniFile file(path); });
        QVERIFY2(message.endsWith('\n'), message.constData());
        for (const char ch : message.chopped(1)) {
            const uchar byte = uchar(ch);
            QVERIFY2(byte >= 0x20 && byte < 0x7F, message.toHex(' ').constData());
        }
        QVERIFY2(message.contains(": Language/Lang\\x1b[2Juage\\x07 left out: "),
                 message.constData());
        // Its first 16 bytes as hex; the rest is cut.
        QVERIFY2(message.endsWith(": " + value.left(16).toHex(' ') + " ... (23 bytes)\n"),
                 message.constData());
    }

    void plainTextsStay_data()
    {
        QTest::addColumn<QByteArray>("line");
        QTest::addColumn<QVariant>("expected");
        QTest::newRow("address") << QByteArray("Language=user@example.org")
                                 << QVariant(QStringLiteral("user@example.org"));
        QTest::newRow("key name in a list")
            << QByteArray("Language=0x05,0x00,Ctrl+@")
            << QVariant(QStringList{QStringLiteral("0x05"), QStringLiteral("0x00"),
                                    QStringLiteral("Ctrl+@")});
        QTest::newRow("backslashes")
            << QByteArray("Language=C:\\\\x86\\\\1") << QVariant(QStringLiteral("C:\\x86\\1"));
        QTest::newRow("quoted text")
            << QByteArray("Language=\"a = b; c\"") << QVariant(QStringLiteral("a = b; c"));
        QTest::newRow("UTF-8") << QByteArray("Language=Gr\xC3\xBC\xC3\x9F"
                                             "e")
                               << QVariant(QStringLiteral("Grüße"));
    }
    void plainTextsStay()
    {
        QFETCH(QByteArray, line);
        QFETCH(QVariant, expected);
        QTemporaryDir dir;
        const IniFile file(writeFile(dir, QStringLiteral("a.ini"), aroundLine(line)));
        QVERIFY(file.leftOut().isEmpty());
        QCOMPARE(file.value(QStringLiteral("Language/Language")), expected);
        QCOMPARE(file.allKeys().size(), 3);
    }

    // Levels of a key are written with '\\' between them; a level that starts with 'x' or a digit
    // is no escape of a value, whatever the value holds.
    void keyLevelsAreNoEscapes()
    {
        QTemporaryDir dir;
        const IniFile file(
            writeFile(dir, QStringLiteral("registry.ini"),
                      "[HKEY_CURRENT_USER]\nSoftware\\x64\\0\\Mail=user@example.org\n"));
        QVERIFY(file.leftOut().isEmpty());
        QCOMPARE(file.value(QStringLiteral("HKEY_CURRENT_USER/Software/x64/0/Mail")).toString(),
                 QStringLiteral("user@example.org"));
    }

    void groupsAndKeys()
    {
        QTemporaryDir dir;
        const IniFile file(writeFile(dir, QStringLiteral("a.ini"),
                                     "top=1\n[B]\nx=1\ny=2\n[A]\nz=3\n[A%2FC]\nw=4\n"));
        QCOMPARE(file.childGroups(), (QStringList{"A", "B"}));
        QCOMPARE(file.childKeys(QStringLiteral("B")), (QStringList{"x", "y"}));
        QCOMPARE(file.childKeys(QStringLiteral("A")), QStringList{"z"});
        QCOMPARE(file.childKeys(QString()), QStringList{"top"});
        QCOMPARE(file.value(QStringLiteral("A/C/w")).toString(), QStringLiteral("4"));
        QCOMPARE(file.value(QStringLiteral("A/none"), 7).toInt(), 7);
        QVERIFY(file.contains(QStringLiteral("B/y")));
        QCOMPARE(file.status(), QSettings::NoError);
    }

    void missingBrokenAndUnreadableFiles()
    {
        QTemporaryDir dir;
        const IniFile missing(dir.filePath(QStringLiteral("none.ini")));
        QVERIFY(!missing.isReadable());
        QVERIFY(missing.values().isEmpty());

        // A folder cannot be read as a file, also by root.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.ini")));
        const IniFile folder(dir.filePath(QStringLiteral("folder.ini")));
        QVERIFY(!folder.isReadable());
        QVERIFY(folder.values().isEmpty());

        const IniFile broken(writeFile(dir, QStringLiteral("b.ini"), "[A\nno equals sign\nk=v\n"));
        QVERIFY(broken.isReadable());
        QCOMPARE(broken.status(), QSettings::FormatError);
    }

    void writtenFilesReadBackWhole()
    {
        QTemporaryDir dir;
        QSettings::SettingsMap values;
        values.insert(QStringLiteral("Language/Language"), QStringLiteral("1"));
        values.insert(QStringLiteral("Top"), QStringLiteral(" a = b ; c "));
        values.insert(QStringLiteral("Deep/Key/Name With Spaces"), QStringLiteral("Grüße ✓"));
        values.insert(QStringLiteral("List/Items"), QStringList{"0x05", "", "Ctrl+C"});
        values.insert(QStringLiteral("Mark/Line"), QStringLiteral("line\nbreak\ttab"));
        values.insert(QStringLiteral("Mark/Path"), QStringLiteral("C:\\x86\\01"));
        const QString path = dir.filePath(QStringLiteral("sub/out.ini"));
        QVERIFY(IniFile::write(path, values));

        const IniFile file(path);
        QVERIFY(file.leftOut().isEmpty());
        QCOMPARE(file.values(), values);
        // Written through a save file: nothing but the file itself is left in its folder.
        QCOMPARE(QDir(dir.filePath(QStringLiteral("sub"))).entryList(QDir::Files),
                 QStringList{"out.ini"});

        // Where the folder cannot be made, nothing is written and the call says so.
        const QString blocked = writeFile(dir, QStringLiteral("plain"), "x");
        QVERIFY(!IniFile::write(blocked + QStringLiteral("/out.ini"), values));
        QCOMPARE(readFile(blocked), QByteArray("x"));
    }

    // A file rewritten with the same size within one tick of the file system's clock keeps its
    // modification time: it reads as it is now, not as it was when last read.
    void aRewriteWithinOneClockTickReadsAnew()
    {
        QTemporaryDir dir;
        const QString path =
            writeFile(dir, QStringLiteral("state.ini"), "[Receiver]\nLongRange=1\n");
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QDateTime modified = file.fileTime(QFileDevice::FileModificationTime);
        QCOMPARE(IniFile(path).value(QStringLiteral("Receiver/LongRange")).toString(), "1");
        for (const QByteArray mode : {"0", "1", "0"}) {
            QVERIFY(file.seek(0));
            QCOMPARE(file.write("[Receiver]\nLongRange=" + mode + "\n"), qint64(23));
            QVERIFY(file.flush());
            QVERIFY(file.setFileTime(modified, QFileDevice::FileModificationTime));
            QCOMPARE(IniFile(path).value(QStringLiteral("Receiver/LongRange")).toByteArray(), mode);
        }
    }

    // QSettings writes the text first and misses a full disk as QSaveFile does; the file on disk
    // stays as it was all the same.
    void aFullDiskKeepsTheOldFile_data()
    {
        QTest::addColumn<int>("keys");
        QTest::newRow("ten times the limit") << 400;
        QTest::newRow("just over the limit") << 40;
    }
    void aFullDiskKeepsTheOldFile()
    {
        QFETCH(int, keys);
        QTemporaryDir dir;
        const QString path = writeFile(dir, QStringLiteral("Macro.ini"), aroundLine("Language=1"));
        QSettings::SettingsMap values;
        for (int i = 0; i < keys; ++i) {
            values.insert(QStringLiteral("Group%1/Key%2").arg(i % 7).arg(i),
                          QStringLiteral("a value of some length %1").arg(i));
        }
        const QString failure = FailedSaveKeepsTheFile(path, 1024, [&] {
            return IniFile::update(path, [&](QSettings::SettingsMap &all) {
                for (auto it = values.cbegin(); it != values.cend(); ++it)
                    all.insert(it.key(), it.value());
            });
        });
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
};

ZR35_TEST_MAIN(TestIniFile)
#include "tst_inifile.moc"
